#include "support/Utilities.h"

#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct TimeFields {
    int year, month, day, hour, minute, second, milliseconds;
};

std::string Packed(const TimeFields& t)
{
    unsigned char bytes[8];
    PackTimestamp(bytes, t.year, t.month, t.day, t.hour, t.minute, t.second, t.milliseconds);
    return std::string((const char*)bytes, 8);
}

TEST(PackedTimestamp, PacksBytesInOrderWithBigEndianMilliseconds)
{
    unsigned char bytes[8];
    EXPECT_NE(PackTimestamp(bytes, 2024, 3, 5, 7, 8, 9, 0x0102 + 40), 0);
    const unsigned char expected[8] = {124, 2, 4, 7, 8, 9, 0x01, 0x2A};
    EXPECT_EQ(0, memcmp(bytes, expected, 8));

    int y, mo, d, h, mi, s, ms;
    UnpackTimestamp(bytes, &y, &mo, &d, &h, &mi, &s, &ms);
    EXPECT_EQ(2024, y);
    EXPECT_EQ(3, mo);
    EXPECT_EQ(5, d);
    EXPECT_EQ(7, h);
    EXPECT_EQ(8, mi);
    EXPECT_EQ(9, s);
    EXPECT_EQ(298, ms);
    UnpackTimestamp(bytes, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &ms);
    EXPECT_EQ(298, ms);
}

TEST(PackedTimestamp, YearRangeIs1900To2155)
{
    unsigned char bytes[8];
    EXPECT_NE(0, PackTimestamp(bytes, 2155, 1, 1, 0, 0, 0, 0));
    EXPECT_EQ(255, bytes[0]);
    EXPECT_EQ(0, PackTimestamp(bytes, 2156, 1, 1, 0, 0, 0, 0));
    EXPECT_EQ(0, bytes[0]);
    EXPECT_NE(0, PackTimestamp(bytes, 1900, 1, 1, 0, 0, 0, 0));
    EXPECT_EQ(0, PackTimestamp(bytes, 1899, 1, 1, 0, 0, 0, 0));
}

TEST(PackedTimestamp, LocalTimeIsValid)
{
    unsigned char bytes[8];
    ASSERT_NE(0, PackLocalTime(bytes));
    EXPECT_EQ(1, IsValidTimestamp(bytes));
}

TEST(PackedTimestamp, Validity)
{
    struct Case {
        TimeFields time;
        int valid;
    } cases[] = {
        {{2010, 1, 1, 0, 0, 0, 0}, 1},
        {{2009, 12, 31, 23, 59, 59, 999}, 0},
        {{2024, 2, 29, 12, 0, 0, 0}, 1},
        {{2024, 2, 30, 12, 0, 0, 0}, 0},
        {{2023, 2, 29, 12, 0, 0, 0}, 0},
        {{2000, 2, 29, 12, 0, 0, 0}, 0},   // before 2010 anyway
        {{2100, 2, 29, 12, 0, 0, 0}, 0},   // not a leap year
        {{2024, 4, 31, 0, 0, 0, 0}, 0},
        {{2024, 13, 1, 0, 0, 0, 0}, 0},
        {{2024, 0, 1, 0, 0, 0, 0}, 0},
        {{2024, 1, 0, 0, 0, 0, 0}, 0},
        {{2024, 1, 1, 24, 0, 0, 0}, 0},
        {{2024, 1, 1, 23, 60, 0, 0}, 0},
        {{2024, 1, 1, 23, 59, 60, 0}, 0},
        {{2024, 1, 1, 23, 59, 59, 999}, 1},
        {{2024, 1, 1, 23, 59, 59, 1000}, 0},
    };
    for (const Case& c : cases) {
        std::string bytes = Packed(c.time);
        EXPECT_EQ(c.valid, IsValidTimestamp((const unsigned char*)bytes.data()))
            << c.time.year << "-" << c.time.month << "-" << c.time.day << " " << c.time.hour << ":"
            << c.time.minute << ":" << c.time.second << "." << c.time.milliseconds;
    }
    const unsigned char zero[8] = {0};
    EXPECT_EQ(0, IsValidTimestamp(zero));
}

TEST(PackedTimestamp, DaysInMonth)
{
    EXPECT_EQ(31, DaysInMonth(2023, 1));
    EXPECT_EQ(28, DaysInMonth(2023, 2));
    EXPECT_EQ(29, DaysInMonth(2024, 2));
    EXPECT_EQ(28, DaysInMonth(1900, 2));
    EXPECT_EQ(29, DaysInMonth(2000, 2));
    EXPECT_EQ(30, DaysInMonth(2023, 11));
    EXPECT_EQ(31, DaysInMonth(2023, 12));
    EXPECT_EQ(0, DaysInMonth(2023, 0));
    EXPECT_EQ(0, DaysInMonth(2023, 13));
}

TEST(PackedTimestamp, Formatting)
{
    std::string t = Packed({2024, 3, 5, 7, 8, 9, 42});
    const unsigned char* ts = (const unsigned char*)t.data();
    struct Case {
        const char* format;
        int withMilliseconds;
        size_t size;
        const char* expected;
    } cases[] = {
        {nullptr, 0, 64, "2024/03/05 07:08:09"},
        {nullptr, 1, 64, "2024/03/05 07:08:09.042"},
        {"%Y-%m-%dT%H:%M:%S", 1, 64, "2024-03-05T07:08:09.042"},
        {"%Y-%m-%dT%H:%M:%S", 0, 64, "2024-03-05T07:08:09"},
        {"%d.%m.%Y %H-%M", 0, 64, "05.03.2024 07-08"},
        {"%d.%m.%Y", 1, 64, "05.03.2024.042"},
        {nullptr, 1, 11, "2024/03/05"},          // cut to size - 1
        {"%Y-%m-%dT%H:%M:%S", 1, 21, "2024-03-05T07:08:09."},
        {nullptr, 0, 1, ""},
    };
    for (const Case& c : cases) {
        char buffer[65];
        memset(buffer, 'x', sizeof buffer);
        int length = FormatTimestamp(ts, buffer, c.size, c.format, c.withMilliseconds);
        EXPECT_STREQ(c.expected, buffer) << (c.format ? c.format : "(none)") << " size " << c.size;
        EXPECT_EQ((int)strlen(c.expected), length);
        EXPECT_EQ('x', buffer[c.size]) << "wrote past the buffer";
    }
}

TEST(PackedTimestamp, FormattingAnInvalidTimeGivesTheEmptyText)
{
    const unsigned char zero[8] = {0};
    char buffer[32] = "previous";
    EXPECT_EQ(0, FormatTimestamp(zero, buffer, sizeof buffer, nullptr, 1));
    EXPECT_STREQ("", buffer);
    std::string bad = Packed({2023, 2, 29, 0, 0, 0, 0});
    strcpy(buffer, "previous");
    EXPECT_EQ(0, FormatTimestamp((const unsigned char*)bad.data(), buffer, sizeof buffer, nullptr, 0));
    EXPECT_STREQ("", buffer);
}

TEST(FormatBounded, CutsTerminatesAndMeasures)
{
    struct Case {
        size_t size;
        const char* written;
    } cases[] = {
        {32, "abc-12345"}, {10, "abc-12345"}, {9, "abc-1234"}, {4, "abc"}, {1, ""},
    };
    for (const Case& c : cases) {
        char buffer[40];
        memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(9, FormatBounded(buffer, c.size, "%s-%d", "abc", 12345)) << c.size;
        EXPECT_STREQ(c.written, buffer) << c.size;
        EXPECT_EQ('x', buffer[c.size]) << "wrote past size " << c.size;
    }
    char untouched = 'x';
    EXPECT_EQ(9, FormatBounded(&untouched, 0, "%s-%d", "abc", 12345));
    EXPECT_EQ('x', untouched);
    EXPECT_EQ(9, FormatBounded(nullptr, 0, "%s-%d", "abc", 12345));
    EXPECT_EQ(-1, FormatBounded(&untouched, 0, nullptr));
}

TEST(Base64Decode, GroupsAndPadding)
{
    struct Case {
        const char* text;
        std::string bytes;
    } cases[] = {
        {"", std::string()},
        {"TWFu", "Man"},
        {"QQ==", std::string("A\0\0", 3)},       // padding counts as zero bytes
        {"QUI=", std::string("AB\0", 3)},
        {"QQ", std::string("A\0\0", 3)},         // a short last group is completed
        {"TWFuTQ", std::string("ManM\0\0", 6)},
        {"////", "\xff\xff\xff"},
        {"+/+/", "\xfb\xff\xbf"},
        {"T*Fu", std::string("L\x01n", 3)},        // unknown characters count as zero
    };
    for (const Case& c : cases) {
        size_t length = 99;
        unsigned char* out = Base64Decode(c.text, strlen(c.text), &length);
        ASSERT_NE(nullptr, out) << c.text;
        EXPECT_EQ(c.bytes.size(), length) << c.text;
        EXPECT_EQ(c.bytes, std::string((const char*)out, length)) << c.text;
        EXPECT_EQ(0, out[length]) << "terminator after " << c.text;
        free(out);
    }
}

TEST(Utf8AndNames, LeadLengthAndNameCharacters)
{
    struct Lead {
        unsigned char byte;
        int length;
    } leads[] = {{0x00, 1}, {0x41, 1}, {0x7F, 1}, {0x80, 2}, {0xBF, 2}, {0xC3, 2},
                 {0xDF, 2}, {0xE0, 3}, {0xEF, 3}, {0xF0, 4}, {0xFF, 4}};
    for (const Lead& l : leads)
        EXPECT_EQ(l.length, Utf8LeadLength(&l.byte)) << (int)l.byte;

    struct Name {
        const char* text;
        int invalid;
    } names[] = {
        {"", 0},
        {"Machine_01 - Hall B", 0},
        {"abcXYZ0189", 0},
        {"hall.b", 1},
        {"a/b", 1},
        {"tab\there", 1},
        {"caf\xc3\xa9", 1},
        {"\x80", 1},
    };
    for (const Name& n : names)
        EXPECT_EQ(n.invalid, HasInvalidNameChars(n.text)) << n.text;
}

TEST(KeyValueList, FindsWordsAndListValues)
{
    const char* text = "dl=text type=fctfx,qrcode  xtype=none typo=1";
    EXPECT_EQ(text + 8, FindKeyValue(text, "type"));
    EXPECT_EQ(text, FindKeyValue(text, "dl"));
    EXPECT_EQ(nullptr, FindKeyValue(text, "typ"));   // must be followed by '='
    EXPECT_EQ(nullptr, FindKeyValue(text, "none"));
    EXPECT_EQ(nullptr, FindKeyValue(nullptr, "type"));

    struct Case {
        const char* key;
        const char* value;
        int found;
    } cases[] = {
        {"type", "fctfx", 1}, {"type", "qrcode", 1}, {"type", "qr", 0}, {"type", "QRCODE", 0},
        {"type", "fctfx,qrcode", 0}, {"dl", "text", 1}, {"dl", "pdf", 0}, {"xtype", "none", 1},
        {"missing", "x", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.found, HasListValue(text, c.key, c.value)) << c.key << "=" << c.value;

    // Words are separated by blanks only: tab, CR and LF belong to a word.
    const char* tabbed = "a=1\tdl=pdf\r\ntype=x,y\nz=2 b=3";
    EXPECT_EQ(nullptr, FindKeyValue(tabbed, "dl"));
    EXPECT_EQ(nullptr, FindKeyValue(tabbed, "type"));
    EXPECT_EQ(tabbed, FindKeyValue(tabbed, "a"));
    EXPECT_EQ(strstr(tabbed, "b=3"), FindKeyValue(tabbed, "b"));
    EXPECT_EQ(0, HasListValue(tabbed, "a", "1"));
    EXPECT_EQ(1, HasListValue(tabbed, "b", "3"));
    EXPECT_EQ(1, HasListValue("k=\tv,w", "k", "w"));
    EXPECT_EQ(1, HasListValue("k=\tv,w", "k", "\tv"));
}

TEST(SmallHelpers, ProbeCompareAndHash)
{
    EXPECT_EQ(std::string("Trov:KnockKnock"), GetDiscoveryProbe());
    EXPECT_EQ((size_t)kDiscoveryProbeLength, strlen(GetDiscoveryProbe()));

    EXPECT_EQ(0, CompareNoCase("Setup", "sETUP"));
    EXPECT_LT(CompareNoCase("abc", "ABD"), 0);
    EXPECT_GT(CompareNoCase("abcd", "ABC"), 0);
    EXPECT_LT(CompareNoCase("_", "a"), 0);   // letters compare lower-case, as _stricmp

    EXPECT_EQ(1234u, ComputeHash64("", 1234, 0));
    EXPECT_EQ(77u, ComputeHash64(nullptr, 77, 5));
    EXPECT_EQ((uint64_t)(5381u * 33u + 'a') * 33u + 'b', ComputeHash64("ab", 5381, 0));
    EXPECT_EQ(ComputeHash64("ab", 5381, 0), ComputeHash64("abcdef", 5381, 2));
    const unsigned char zeros[3] = {0, 0, 0};
    EXPECT_EQ((uint64_t)1 * 33 * 33 * 33, ComputeHash64(zeros, 1, 3));   // length counts zero bytes
    // Wraps modulo 2^64.
    EXPECT_EQ(UINT64_MAX * 33u + 1u, ComputeHash64("\x01", UINT64_MAX, 0));
}

TEST(Md5Hex, WritesAtMostDigitCountPlusOneBytes)
{
    const char* full = "900150983cd24fb0d6963f7d28e17f72";   // MD5("abc")
    struct Case {
        int digitCount;
        int written;
    } cases[] = {{32, 32}, {31, 31}, {5, 5}, {1, 1}, {0, 0}, {33, 32}, {40, 32}};
    for (const Case& c : cases) {
        char buffer[48];
        memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(c.written, Md5Hex(buffer, c.digitCount, "abc", -1)) << c.digitCount;
        EXPECT_EQ(std::string(full, c.written), std::string(buffer)) << c.digitCount;
        for (int i = c.written + 1; i < (int)sizeof buffer; ++i)
            ASSERT_EQ('x', buffer[i]) << "byte " << i << " written for count " << c.digitCount;
    }
    char exact[33];
    EXPECT_EQ(32, Md5Hex(exact, 32, "abcdef", 3));   // length limits the text
    EXPECT_STREQ(full, exact);
    EXPECT_EQ(32, Md5Hex(exact, 32, "", -1));
    EXPECT_STREQ("d41d8cd98f00b204e9800998ecf8427e", exact);
    char one = 'x';
    EXPECT_EQ(0, Md5Hex(&one, -1, "abc", -1));
    EXPECT_EQ('x', one);
}

TEST(MakeDirectory, CreatesOneFolderOnly)
{
    trovtest::TempDir dir;
    std::string folder = dir.File("made");
    EXPECT_NE(0, MakeDirectory(folder.c_str()));
    EXPECT_EQ(0, MakeDirectory(folder.c_str()));   // exists
    EXPECT_EQ(0, MakeDirectory(dir.File("missing/child").c_str()));
}

} // namespace
