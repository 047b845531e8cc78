// Finding files with wildcards.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "framework/FileFind.h"
#include "tests/common/TempDir.h"

namespace {

std::set<std::string> FindAll(const std::string& pattern, std::set<std::string>* folders = nullptr)
{
    std::set<std::string> names;
    CFileFind finder;
    BOOL more = finder.FindFile(pattern.c_str());
    while (more) {
        more = finder.FindNextFile();
        names.insert(static_cast<LPCSTR>(finder.GetFileName()));
        if (folders != nullptr && finder.IsDirectory() && !finder.IsDots())
            folders->insert(static_cast<LPCSTR>(finder.GetFileName()));
    }
    return names;
}

} // namespace

TEST(FileFind, WildcardsMatchNamesWithoutRegardToCase)
{
    trovtest::TempDir dir;
    dir.Write("alpha.xml", "12345");
    dir.Write("BETA.XML", "1");
    dir.Write("gamma.txt", "");
    dir.Write("noext", "");
    std::string root = dir.Path() + "/";

    EXPECT_EQ((std::set<std::string>{ "alpha.xml", "BETA.XML" }), FindAll(root + "*.xml"));
    EXPECT_EQ((std::set<std::string>{ "gamma.txt" }), FindAll(root + "g?mma.*"));
    EXPECT_EQ((std::set<std::string>{ "noext" }), FindAll(root + "noext"));
    EXPECT_TRUE(FindAll(root + "*.doc").empty());

    std::set<std::string> folders;
    std::set<std::string> all = FindAll(root + "*.*", &folders);
    EXPECT_EQ(1u, all.count("noext"));
    EXPECT_EQ(1u, all.count("."));
    EXPECT_EQ(1u, all.count(".."));
    EXPECT_TRUE(folders.empty());
}

TEST(FileFind, DescribesTheCurrentFile)
{
    trovtest::TempDir dir;
    dir.Write("report.v2.xml", "12345");
    CFileFind finder;
    std::string pattern = dir.Path() + "/report*";
    ASSERT_TRUE(finder.FindFile(pattern.c_str()));
    EXPECT_FALSE(finder.FindNextFile());   // the only match is also the last
    EXPECT_TRUE(finder.GetFileName() == "report.v2.xml");
    EXPECT_TRUE(finder.GetFileTitle() == "report.v2");
    EXPECT_TRUE(finder.GetFilePath() == (dir.Path() + "/report.v2.xml").c_str());
    EXPECT_TRUE(finder.GetRoot() == (dir.Path() + "/").c_str());
    EXPECT_EQ(5u, finder.GetLength());
    EXPECT_FALSE(finder.IsDirectory());
    EXPECT_FALSE(finder.IsDots());
    CTime written;
    EXPECT_TRUE(finder.GetLastWriteTime(written));
    EXPECT_GT(written.GetTime(), 0);
    finder.Close();
    EXPECT_TRUE(finder.GetFileName().IsEmpty());
    EXPECT_FALSE(finder.GetLastWriteTime(written));
    EXPECT_FALSE(finder.FindNextFile());
}

TEST(FileFind, MissingFolderFindsNothing)
{
    trovtest::TempDir dir;
    CFileFind finder;
    EXPECT_FALSE(finder.FindFile((dir.Path() + "/none/*.*").c_str()));
    EXPECT_FALSE(finder.FindNextFile());
}
