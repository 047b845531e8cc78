#include "app/FirmwareImage.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// One Intel HEX record with its checksum.
std::string Record(int type, unsigned address, const std::vector<unsigned char>& data)
{
    std::vector<unsigned char> bytes = {(unsigned char)data.size(), (unsigned char)(address >> 8),
                                        (unsigned char)address, (unsigned char)type};
    bytes.insert(bytes.end(), data.begin(), data.end());
    unsigned sum = 0;
    for (unsigned char b : bytes)
        sum += b;
    bytes.push_back((unsigned char)(0x100 - (sum & 0xFF)));
    std::string line = ":";
    char pair[3];
    for (unsigned char b : bytes) {
        std::snprintf(pair, sizeof pair, "%02X", b);
        line += pair;
    }
    return line + "\r\n";
}

std::vector<unsigned char> FilledBytes(size_t count, unsigned char value)
{
    return std::vector<unsigned char>(count, value);
}

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'F')
            c = (char)(c - 'A' + 'a');
    return text;
}

const std::string kEnd = ":00000001FF\r\n";

bool Build(const std::string& text, FirmwareImage& image, std::string& error)
{
    return BuildFirmwareImage(text.data(), text.size(), image, error);
}

} // namespace

TEST(FirmwareImage, LinearAddressRecordMovesLaterData)
{
    std::string hex = Record(0, 0, FilledBytes(16, 0x11)) + ":020000040001F9\r\n" + Record(0, 0, FilledBytes(16, 0x22)) + kEnd;
    FirmwareImage image;
    std::string error;
    ASSERT_TRUE(Build(hex, image, error)) << error;
    ASSERT_EQ(image.bytes.size(), kFirmwareImageSize);
    EXPECT_EQ(image.usedSize, 0x10010u);
    EXPECT_EQ(image.bytes[0x0F], 0x11);
    for (size_t i = 0x10; i < 0x10000; ++i)
        ASSERT_EQ(image.bytes[i], 0xFF) << i;
    EXPECT_EQ(image.bytes[0x10000], 0x22);
}

TEST(FirmwareImage, UsedSizeStopsAtLastNonErasedByte)
{
    FirmwareImage image;
    std::string error;
    // All data 0xFF: one byte is still uploaded.
    ASSERT_TRUE(Build(Record(0, 0x100, FilledBytes(16, 0xFF)) + kEnd, image, error));
    EXPECT_EQ(image.usedSize, 1u);
    // Trailing 0xFF of the highest range is not uploaded.
    std::vector<unsigned char> data = FilledBytes(16, 0xFF);
    data[3] = 0x42;
    ASSERT_TRUE(Build(Record(0, 0x200, data) + kEnd, image, error));
    EXPECT_EQ(image.usedSize, 0x204u);
}

TEST(FirmwareImage, AcceptedVariants)
{
    struct Case {
        const char* what;
        std::string hex;
    } cases[] = {
        {"lower-case digits", Lower(Record(0, 0, {0xAB, 0xCD, 0xEF, 0x0A})) + ":00000001ff\n"},
        {"blank lines and LF only", "\n" + Record(0, 0, FilledBytes(4, 1)) + "\n\n" + kEnd},
        {"start address records ignored", Record(3, 0, FilledBytes(4, 0)) + Record(5, 0, FilledBytes(4, 0)) + kEnd},
        {"segment zero accepted", Record(2, 0, {0, 0}) + Record(0, 0, FilledBytes(4, 1)) + kEnd},
        {"record ending exactly at the image end", ":020000040003F7\r\n" + Record(0, 0xFFF0, FilledBytes(16, 7)) + kEnd},
        {"records after end-of-file are not read", kEnd + "garbage\r\n"},
    };
    for (const Case& c : cases) {
        FirmwareImage image;
        std::string error;
        EXPECT_TRUE(Build(c.hex, image, error)) << c.what << ": " << error;
    }
}

TEST(FirmwareImage, MalformedFilesAreRefusedWithTheirLine)
{
    std::string good = Record(0, 0, FilledBytes(16, 0x11));
    std::string badChecksum = good;
    badChecksum[badChecksum.size() - 3] = badChecksum[badChecksum.size() - 3] == '0' ? '1' : '0';
    struct Case {
        const char* what;
        std::string hex;
        const char* message;
    } cases[] = {
        {"bad checksum", good + badChecksum + kEnd, "line 2: bad checksum"},
        {"unknown record type", Record(6, 0, FilledBytes(2, 0)) + kEnd, "line 1: unknown record type"},
        {"data beyond the image", ":020000040003F7\r\n" + Record(0, 0xFFF8, FilledBytes(16, 1)) + kEnd,
         "line 2: data lies outside"},
        {"line longer than its byte count", good.substr(0, good.size() - 2) + "00\r\n" + kEnd,
         "line 1: record length"},
        {"line shorter than its byte count", ":1000000011" + std::string("\r\n") + kEnd, "line 1: record length"},
        {"not a record", "hello\r\n" + kEnd, "line 1: not an Intel HEX record"},
        {"non-hex digit", ":10000000GG112233445566778899AABBCCDDEEFF00\r\n" + kEnd, "line 1: malformed record"},
        {"too short", ":0000\r\n" + kEnd, "line 1: malformed record"},
        {"segment addressing", Record(2, 0, {0x10, 0}) + kEnd, "segment addressing"},
        {"truncated file", good, "no end-of-file record"},
        {"empty file", "", "no end-of-file record"},
    };
    for (const Case& c : cases) {
        FirmwareImage image;
        std::string error;
        EXPECT_FALSE(Build(c.hex, image, error)) << c.what;
        EXPECT_NE(error.find(c.message), std::string::npos) << c.what << ": " << error;
    }
}

TEST(FirmwareImage, FileIsReadWhole)
{
    trovtest::TempDir dir;
    std::string path = dir.Write("cpu.hex", Record(0, 0x20, FilledBytes(8, 0x5A)) + kEnd);
    FirmwareImage image;
    std::string error;
    ASSERT_TRUE(BuildFirmwareImageFromFile(path.c_str(), image, error)) << error;
    EXPECT_EQ(image.usedSize, 0x28u);
    EXPECT_FALSE(BuildFirmwareImageFromFile(dir.File("missing.hex").c_str(), image, error));
    EXPECT_NE(error.find("Can't open"), std::string::npos);
}

TEST(FirmwareImage, FileNameVersionTest)
{
    struct Case {
        int board;
        const char* path;
        const char* message; // empty when accepted
    } cases[] = {
        {kBoardNone, "C:\\fw\\cpu_4v5r9.zip", ""},
        {kBoardNone, "C:\\fw\\CPU_4v.zip", "Error. Can only install Version 4 firmware."},
        {kBoardNone, "C:\\fw\\CPU_3v5r9.zip", "Error. Can only install Version 4 firmware."},
        {kBoardRpi, "rpi_4v1r2-x.rpi", ""},
        {kBoardRpi, "C:\\fw\\CPU_4v5r9.zip", "Error. Can only install RPi Version 4 firmware."},
        {kBoardK420, "anything.hex", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckFirmwareFileName(c.board, c.path), c.message) << c.path;
}

TEST(FirmwareImage, ZippedHeader)
{
    const unsigned char zip[] = {'P', 'K', 3, 4};
    const unsigned char rbf[] = {'P', 'K', 5, 6};
    EXPECT_TRUE(IsZippedImageHeader(zip, 4));
    EXPECT_FALSE(IsZippedImageHeader(rbf, 4));
    EXPECT_FALSE(IsZippedImageHeader(zip, 3));
}

TEST(FirmwareImage, EnableRules)
{
    struct Case {
        std::vector<int> boards;
        bool firmware, ioFirmware;
    } cases[] = {
        {{}, false, false},
        {{kBoardNone, kBoardNone}, true, true},
        {{kBoardK420}, true, true},
        {{kBoardK430, kBoardK430}, true, true},
        {{kBoardK410}, true, false},
        {{kBoardRpi}, true, false},
        {{kBoardK420, kBoardK430}, false, false},
        {{kBoardNone, kBoardRpi}, false, false},
        {{kBoardK420, 999, kBoardK420}, true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CanUpdateFirmwareBoards(c.boards), c.firmware) << c.boards.size();
        EXPECT_EQ(CanUpdateIoFirmwareBoards(c.boards), c.ioFirmware) << c.boards.size();
    }
}
