#include "app/FirmwareImage.h"

#include "support/Utilities.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

size_t FirmwareImageUsedSize(const unsigned char* image, size_t size)
{
    for (size_t i = size; i > 0; --i)
        if (image[i - 1] != 0xFF)
            return i;
    return 1;
}

namespace {

// Decodes the pairs of hexadecimal digits after the ':' of a record.
bool DecodeRecord(const char* line, size_t length, std::vector<unsigned char>& bytes)
{
    if ((length - 1) % 2 != 0)
        return false;
    bytes.clear();
    for (size_t i = 1; i + 1 < length; i += 2) {
        int hi = HexDigitValue(line[i]), lo = HexDigitValue(line[i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        bytes.push_back((unsigned char)(hi * 16 + lo));
    }
    return true;
}

bool Fail(std::string& error, int lineNumber, const char* what)
{
    char text[160];
    std::snprintf(text, sizeof text, "Firmware file line %d: %s.", lineNumber, what);
    error = text;
    return false;
}

} // namespace

bool BuildFirmwareImage(const char* text, size_t length, FirmwareImage& image, std::string& error)
{
    image.bytes.assign(kFirmwareImageSize, 0xFF);
    image.usedSize = 0;
    error.clear();

    uint32_t base = 0;
    bool ended = false;
    int lineNumber = 0;
    std::vector<unsigned char> record;
    size_t pos = 0;
    while (pos < length && !ended) {
        size_t end = pos;
        while (end < length && text[end] != '\n')
            ++end;
        const char* line = text + pos;
        size_t lineLength = end - pos;
        pos = end + 1;
        ++lineNumber;
        while (lineLength > 0 && (line[lineLength - 1] == '\r' || line[lineLength - 1] == ' ' ||
                                  line[lineLength - 1] == '\t'))
            --lineLength;
        if (lineLength == 0)
            continue;
        if (line[0] != ':')
            return Fail(error, lineNumber, "not an Intel HEX record");
        if (lineLength < 11 || !DecodeRecord(line, lineLength, record))
            return Fail(error, lineNumber, "malformed record");
        const size_t count = record[0];
        if (record.size() != count + 5)
            return Fail(error, lineNumber, "record length does not match its byte count");
        unsigned sum = 0;
        for (unsigned char b : record)
            sum += b;
        if ((sum & 0xFF) != 0)
            return Fail(error, lineNumber, "bad checksum");
        const uint32_t address = (uint32_t)record[1] << 8 | record[2];
        const unsigned char* data = record.data() + 4;
        switch (record[3]) {
        case 0: {
            const uint64_t target = (uint64_t)base + address;
            if (target + count > kFirmwareImageSize)
                return Fail(error, lineNumber, "data lies outside the 256 KB image");
            std::memcpy(image.bytes.data() + target, data, count);
            break;
        }
        case 1:
            ended = true;
            break;
        case 2:
            if (count != 2)
                return Fail(error, lineNumber, "malformed segment address record");
            if (data[0] != 0 || data[1] != 0)
                return Fail(error, lineNumber, "segment addressing is not supported");
            break;
        case 3:
        case 5:
            break;
        case 4:
            if (count != 2)
                return Fail(error, lineNumber, "malformed linear address record");
            base = ((uint32_t)data[0] << 8 | data[1]) << 16;
            break;
        default:
            return Fail(error, lineNumber, "unknown record type");
        }
    }
    if (!ended) {
        error = "Firmware file has no end-of-file record; it may be truncated.";
        return false;
    }
    image.usedSize = FirmwareImageUsedSize(image.bytes.data(), image.bytes.size());
    return true;
}

bool BuildFirmwareImageFromFile(const char* path, FirmwareImage& image, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::string("Can't open firmware file ") + path;
        return false;
    }
    // A HEX image of 256 KB is about 720 KB of text; anything far larger is
    // not a firmware file for these boards.
    const std::streamoff kMaxHexText = 16 * 1024 * 1024;
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0 || size > kMaxHexText) {
        error = std::string("Firmware file is too large: ") + path;
        return false;
    }
    in.seekg(0);
    std::string text((size_t)size, '\0');
    if (size > 0 && !in.read(&text[0], size)) {
        error = std::string("Can't read firmware file ") + path;
        return false;
    }
    return BuildFirmwareImage(text.data(), text.size(), image, error);
}

namespace {

bool StartsWithNoCase(const char* text, const char* prefix)
{
    for (; *prefix; ++text, ++prefix) {
        char a = *text, b = *prefix;
        if (a >= 'a' && a <= 'z') a = (char)(a - 'a' + 'A');
        if (b >= 'a' && b <= 'z') b = (char)(b - 'a' + 'A');
        if (a != b)
            return false;
    }
    return true;
}

} // namespace

std::string CheckFirmwareFileName(int boardType, const char* path)
{
    const char* name = std::strrchr(path, '\\');
    name = name ? name + 1 : path;
    const bool longEnough = std::strlen(name) >= 13;
    if (boardType == kBoardNone && !(longEnough && StartsWithNoCase(name, "CPU_4v")))
        return "Error. Can only install Version 4 firmware.";
    if (boardType == kBoardRpi && !(longEnough && StartsWithNoCase(name, "RPI_4v")))
        return "Error. Can only install RPi Version 4 firmware.";
    return std::string();
}

const char* const kZippedIoFirmwareMessage = "RBF file is zipped ... please unzip and try again";

bool IsZippedImageHeader(const unsigned char* bytes, size_t count)
{
    return count >= 4 && bytes[0] == 0x50 && bytes[1] == 0x4B && bytes[2] == 0x03 && bytes[3] == 0x04;
}

namespace {

bool IsKnownBoard(int boardType)
{
    return boardType == kBoardNone || IsHexImageBoard(boardType) || boardType == kBoardRpi;
}

// True when every participating board type is one and the same kind and
// `allowed` accepts it.
template <class Allowed>
bool AllOneKind(const std::vector<int>& boards, Allowed allowed)
{
    if (boards.empty())
        return false;
    bool seen = false;
    int kind = 0;
    for (int board : boards) {
        if (!IsKnownBoard(board))
            continue;
        if (!allowed(board))
            return false;
        if (seen && board != kind)
            return false;
        seen = true;
        kind = board;
    }
    return true;
}

} // namespace

bool CanUpdateFirmwareBoards(const std::vector<int>& selectedBoardTypes)
{
    return AllOneKind(selectedBoardTypes, [](int) { return true; });
}

bool CanUpdateIoFirmwareBoards(const std::vector<int>& selectedBoardTypes)
{
    return AllOneKind(selectedBoardTypes, [](int board) {
        return board == kBoardNone || board == kBoardK420 || board == kBoardK430;
    });
}
