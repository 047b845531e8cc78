// The application file as the browser lists it: the facts of each column
// read from containers written here, the texts of unreadable files, the
// file size and date texts and the order of two files by each column.
#include "app/AppFile.h"

#include "support/AppContainer.h"
#include "tests/common/AppContainerFile.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include <utime.h>

namespace {

const char kId[] = "0c4e2f7a-91b3-4d5e-8f60-7a8b9c0d1e2f";

const char kInfo[] =
    "<INFO><APPVERSION>2.4&amp;b</APPVERSION><DATETIME>2024/03/05 10:11:12</DATETIME>"
    "<VLUMEX>4v3</VLUMEX></INFO>";

const char kSetups[] =
    "<SETUPS>"
    "<SETUP><NAME>Base</NAME><INPUTS/></SETUP>"
    "<SETUP><INPUTS/></SETUP>"
    "<SETUP><NAME>Line2</NAME></SETUP>"
    "<OTHER><NAME>NotADataSet</NAME></OTHER>"
    "</SETUPS>";

std::string BigEndian32(uint32_t value)
{
    const char bytes[4] = {(char)(value >> 24), (char)(value >> 16), (char)(value >> 8), (char)value};
    return std::string(bytes, 4);
}

// A packed section is encrypted with the id's key and compressed.
using Section = trovtest::AppSection;

std::string WriteContainer(const trovtest::TempDir& dir, const std::string& fileName,
                           const std::vector<Section>& sections)
{
    std::string path = dir.File(fileName);
    trovtest::WriteAppContainer(path, sections, kId);
    return path;
}

// The row as the browser fills it: opened, columns read, closed.
std::vector<std::string> Row(CGAppFile& file)
{
    file.Open();
    std::vector<std::string> row;
    for (int column = 0; column < kAppFileColumnCount; ++column)
        row.push_back((const char*)file.GetColumnText(column));
    file.Close();
    return row;
}

std::string ExpectedModificationText(time_t when)
{
    struct tm local = *localtime(&when);
    char text[64];
    strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S*", &local);
    return text;
}

void SetModificationTime(const std::string& path, time_t when)
{
    struct utimbuf times = {when, when};
    ASSERT_EQ(0, utime(path.c_str(), &times));
}

TEST(AppFile, ColumnsOfEachKindOfContainer)
{
    trovtest::TempDir dir;
    const time_t when = 1700000000; // November 2023
    struct Case {
        const char* what;
        std::string fileName;
        std::vector<Section> sections;
        std::vector<std::string> expected; // columns 0, 1, 2, 4 and 5 (the size is checked apart)
    };
    const std::string fileDate = ExpectedModificationText(when);
    const std::vector<Case> cases = {
        {"every section, info packed with the id's key", "Plant.rev.B.lmx",
         {{"id", kId}, {"info", kInfo, true}, {"setup", kSetups}, {"app", "<DRBv1/>", true}},
         {"Plant.rev.B", "2.4&b", "2024/03/05 10:11:12", "4v3", "Base,Line2"}},
        {"no setup section", "Old.lmx",
         {{"id", kId}, {"info", kInfo}},
         {"Old", "2.4&b", "2024/03/05 10:11:12", "3v6 or earlier", ""}},
        {"setup but no info", "Legacy.lmx",
         {{"id", kId}, {"setup", kSetups}},
         {"Legacy", "<unknown>", fileDate, "legacy", "Base,Line2"}},
        {"info without VLUMEX or DATETIME", "Beta.lmx",
         {{"id", kId}, {"info", "<INFO><APPVERSION>1.0</APPVERSION></INFO>"}, {"setup", "<SETUPS/>"}},
         {"Beta", "1.0", fileDate, "4v0beta", ""}},
        {"info that does not parse", "BadInfo.lmx",
         {{"id", kId}, {"info", "<INFO><APPVERSION>1.0</INFO>"}, {"setup", kSetups}},
         {"BadInfo", "<unknown>", fileDate, "legacy", "Base,Line2"}},
        {"setup that does not parse", "BadSetup.lmx",
         {{"id", kId}, {"info", kInfo}, {"setup", "<SETUPS><SETUP>"}},
         {"BadSetup", "2.4&b", "2024/03/05 10:11:12", "4v3", ""}},
        {"no id section", "NoId.lmx",
         {{"info", kInfo}, {"setup", kSetups}},
         {"NoId", "<corrupt>", "", "", ""}},
        {"a section named Setup is no setup", "Capital.lmx",
         {{"id", kId}, {"Setup", kSetups}},
         {"Capital", "<unknown>", fileDate, "3v6 or earlier", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string path = WriteContainer(dir, c.fileName, c.sections);
        SetModificationTime(path, when);
        CGAppFile file(path.c_str());
        std::vector<std::string> row = Row(file);
        EXPECT_EQ(c.expected, (std::vector<std::string>{row[0], row[1], row[2], row[4], row[5]}));
        if (c.expected[1] == "<corrupt>")
            EXPECT_EQ("", row[3]);
        else
            EXPECT_EQ((const char*)CGAppFile::FormatFileSize(std::filesystem::file_size(path)), row[3]);
        // The same texts once the container is closed: what the sorting
        // reads later comes from the cache, and a failed load stays failed.
        for (int column = 1; column < kAppFileColumnCount; ++column)
            EXPECT_EQ(row[(size_t)column], (const char*)file.GetColumnText(column)) << "column " << column;
        EXPECT_FALSE(file.m_container.IsOpen());
    }
}

TEST(AppFile, InfoPackedWithAnotherKeyIsUnknown)
{
    trovtest::TempDir dir;
    std::string path = dir.File("Other.lmx");
    {
        CGAppContainer container;
        ASSERT_NE(0, container.Create(path.c_str()));
        ASSERT_EQ(1, container.WriteSection("id", kId, sizeof kId));
        ASSERT_EQ(1, container.WritePackedSection("info", kInfo, sizeof kInfo, "not-the-id", 1));
        ASSERT_EQ(1, container.WriteSection("setup", kSetups, sizeof kSetups));
        container.Close();
    }
    CGAppFile file(path.c_str());
    std::vector<std::string> row = Row(file);
    EXPECT_EQ("<unknown>", row[1]);
    EXPECT_EQ("legacy", row[4]);
}

TEST(AppFile, UnreadableFilesAreCorruptNeverACrash)
{
    trovtest::TempDir dir;
    std::string good = WriteContainer(dir, "good.lmx", {{"id", kId}, {"info", kInfo}, {"setup", kSetups}});
    std::string bytes = trovtest::TempDir::Read(good);
    struct Case {
        const char* what;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"not a container at all", "just some text\r\n"},
        {"empty file", ""},
        {"cut in the middle of a section", bytes.substr(0, bytes.size() / 2)},
        {"single-text application", "<DRBv1></DRBv1>"},
        {"name length of zero", std::string("<ablmx>\0\0\0\0", 11)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string path = dir.Write("damaged.lmx", c.bytes);
        CGAppFile file(path.c_str());
        EXPECT_FALSE(file.Open());
        EXPECT_FALSE(file.IsReadable());
        file.Close();
        EXPECT_EQ((std::vector<std::string>{"damaged", "<corrupt>", "", "", "", ""}), Row(file));
        CString text = "kept";
        EXPECT_FALSE(file.GetVersion(text));
        EXPECT_EQ(CString("kept"), text);
    }
    CGAppFile missing(dir.File("missing.lmx").c_str());
    EXPECT_FALSE(missing.Open());
    CString date = "kept";
    EXPECT_FALSE(missing.GetDate(date));
    EXPECT_EQ(CString("kept"), date);
    EXPECT_EQ(0u, missing.GetFileSize());
}

TEST(AppFile, SizeTexts)
{
    const struct {
        ULONGLONG size;
        const char* text;
    } cases[] = {
        {0, "0.0K"},
        {1536, "1.5K"},
        {1048576, "1024.0K"},
        {1048577, "1.0M"},
        {3u * 1048576u + 524288u, "3.5M"},
        {5368709120ull, "5120.0M"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CString(c.text), CGAppFile::FormatFileSize(c.size)) << c.size;
}

TEST(AppFile, DateOfAFileBefore2010IsOnlyTheMark)
{
    trovtest::TempDir dir;
    std::string path = WriteContainer(dir, "old.lmx", {{"id", kId}, {"setup", kSetups}});
    SetModificationTime(path, 946728000); // January 2000
    CGAppFile file(path.c_str());
    EXPECT_EQ("*", Row(file)[2]);
}

TEST(AppFile, OrderByEachColumn)
{
    trovtest::TempDir dir;
    auto info = [](const char* version, const char* date, const char* tool) {
        return std::string("<INFO><APPVERSION>") + version + "</APPVERSION><DATETIME>" + date +
               "</DATETIME><VLUMEX>" + tool + "</VLUMEX></INFO>";
    };
    std::string a = WriteContainer(dir, "alpha.lmx",
                                   {{"id", kId}, {"info", info("2.0", "2024/01/01 00:00:00", "4v2")},
                                    {"setup", "<SETUPS><SETUP><NAME>zeta</NAME></SETUP></SETUPS>"}});
    std::string b = WriteContainer(dir, "Bravo.lmx",
                                   {{"id", kId}, {"info", info("10.0", "2023/01/01 00:00:00", "4V1")},
                                    {"setup", "<SETUPS><SETUP><NAME>Alpha</NAME></SETUP></SETUPS>"},
                                    {"padding", std::string(5000, 'x')}});
    std::string corrupt = dir.Write("charlie.lmx", "junk");
    CGAppFile fa(a.c_str()), fb(b.c_str()), fc(corrupt.c_str());
    Row(fa);
    Row(fb);
    Row(fc);
    // Texts without regard to case: "10.0" < "2.0", "2023" < "2024", "4V1" < "4v2", "Alpha" < "zeta".
    EXPECT_LT(CGAppFile::Compare(fa, fb, kAppFileColumnName), 0);
    EXPECT_GT(CGAppFile::Compare(fa, fb, kAppFileColumnVersion), 0);
    EXPECT_GT(CGAppFile::Compare(fa, fb, kAppFileColumnDate), 0);
    EXPECT_LT(CGAppFile::Compare(fa, fb, kAppFileColumnSize), 0);
    EXPECT_GT(CGAppFile::Compare(fa, fb, kAppFileColumnTool), 0);
    EXPECT_GT(CGAppFile::Compare(fa, fb, kAppFileColumnDataSets), 0);
    EXPECT_EQ(0, CGAppFile::Compare(fa, fa, kAppFileColumnVersion));
    EXPECT_LT(CGAppFile::Compare(fb, fc, 99), 0); // another column: by name
    // An unreadable file sorts with empty texts and no size.
    for (int column = 1; column < kAppFileColumnCount; ++column)
        EXPECT_LT(CGAppFile::Compare(fc, fa, column), 0) << "column " << column;
}

TEST(AppFile, SizesFourGigabytesApartAreOrderedByTheWholeSize)
{
    trovtest::TempDir dir;
    std::string small = WriteContainer(dir, "small.lmx", {{"id", kId}});
    std::string big = WriteContainer(dir, "big.lmx", {{"id", kId}});
    // The big file ends in one section that covers the rest of it (sparse):
    // the low 32 bits of its size are below the small file's size.
    const uint64_t bigSize = 0x100000000ull + 10;
    std::string bytes = trovtest::TempDir::Read(big) + BigEndian32(4) + std::string("pad", 4);
    uint64_t rest = bigSize - bytes.size() - 4;
    dir.Write("big.lmx", bytes + BigEndian32((uint32_t)rest));
    std::filesystem::resize_file(big, bigSize);
    CGAppFile fs(small.c_str()), fb(big.c_str());
    fs.Open();
    fb.Open();
    ASSERT_TRUE(fb.IsReadable());
    EXPECT_EQ(bigSize, fb.GetFileSize());
    EXPECT_LT(CGAppFile::Compare(fs, fb, kAppFileColumnSize), 0);
    EXPECT_GT(CGAppFile::Compare(fb, fs, kAppFileColumnSize), 0);
    EXPECT_EQ(CString("4096.0M"), CGAppFile::FormatFileSize(fb.GetFileSize()));
}

} // namespace
