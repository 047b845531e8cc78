// The firmware side of an upload: the image built from a HEX file, or the
// file itself checked and measured.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/FirmwareImage.h"

bool PrepareFirmwareUpload(int boardType, const char* path, bool ioFirmware, unsigned char** image,
                           uint32_t* total, std::string* failure, bool* zipped)
{
    *image = nullptr;
    *total = 0;
    *zipped = false;
    if (!ioFirmware && IsHexImageBoard(boardType)) {
        FirmwareImage built;
        if (!BuildFirmwareImageFromFile(path, built, *failure))
            return false;
        *image = static_cast<unsigned char*>(std::malloc(kFirmwareImageSize));
        if (!*image) {
            *failure = "Out of memory";
            return false;
        }
        std::memcpy(*image, built.bytes.data(), kFirmwareImageSize);
        *total = (uint32_t)built.usedSize;
        return true;
    }
    FILE* file = std::fopen(path, "rb");
    if (!file) {
        *failure = "Can't open local file";
        return false;
    }
    unsigned char head[4] = {};
    size_t headLength = std::fread(head, 1, sizeof head, file);
    bool measured = std::fseek(file, 0, SEEK_END) == 0;
    long size = measured ? std::ftell(file) : -1;
    std::fclose(file);
    if (size < 0 || (unsigned long)size > 0xFFFFFFFFul) {
        *failure = "Can't open local file";
        return false;
    }
    if (ioFirmware && boardType != kBoardNone && IsZippedImageHeader(head, headLength)) {
        *zipped = true;
        *failure = kZippedIoFirmwareMessage;
        return false;
    }
    *total = (uint32_t)size;
    return true;
}
