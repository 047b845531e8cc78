// Files on disk, stdio text files and memory files.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/File.h"
#include "tests/common/TempDir.h"
#include "tests/framework/Thrown.h"

namespace {

using trovtest::ThrownCause;

std::string ReadAll(CFile& f)
{
    std::string s(size_t(f.GetLength()), '\0');
    f.SeekToBegin();
    if (!s.empty()) {
        EXPECT_EQ(UINT(s.size()), f.Read(&s[0], UINT(s.size())));
    }
    return s;
}

} // namespace

TEST(File, CreateWriteSeekReadAndLength)
{
    trovtest::TempDir dir;
    std::string path = dir.File("data.bin");
    CFile f;
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::typeBinary));
    f.Write("hello world", 11);
    EXPECT_EQ(11u, f.GetLength());
    EXPECT_EQ(11u, f.GetPosition());
    EXPECT_EQ(6u, f.Seek(6, CFile::begin));
    char buf[16] = {};
    EXPECT_EQ(5u, f.Read(buf, sizeof buf));   // short read at the end
    EXPECT_STREQ("world", buf);
    EXPECT_EQ(0u, f.Read(buf, sizeof buf));
    EXPECT_EQ(9u, f.Seek(-2, CFile::end));
    EXPECT_EQ(10u, f.Seek(1, CFile::current));
    f.SetLength(5);
    EXPECT_EQ(5u, f.GetLength());
    EXPECT_EQ("hello", ReadAll(f));
    EXPECT_EQ(5u, f.SeekToEnd());
    EXPECT_EQ(ThrownCause<CFileException>([&] { f.Seek(-10, CFile::begin); }), CFileException::badSeek);
    f.Flush();
    EXPECT_TRUE(f.GetFileName() == "data.bin");
    EXPECT_TRUE(f.GetFileTitle() == "data");
    EXPECT_NE(-1, f.GetFilePath().Find("data.bin"));
    CFileStatus status;
    EXPECT_TRUE(f.GetStatus(status));
    EXPECT_EQ(5u, status.m_size);
    f.Close();
    EXPECT_EQ(CFile::hFileNull, f.m_hFile);
    EXPECT_EQ("hello", trovtest::TempDir::Read(path));
}

TEST(File, OpenModes)
{
    trovtest::TempDir dir;
    std::string path = dir.Write("m.txt", "12345");
    {
        // modeNoTruncate keeps the content.
        CFile f(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        EXPECT_EQ(5u, f.GetLength());
        f.SeekToEnd();
        f.Write("6", 1);
    }
    EXPECT_EQ("123456", trovtest::TempDir::Read(path));
    {
        // modeWrite alone overwrites in place.
        CFile f(path.c_str(), CFile::modeWrite | CFile::shareDenyNone);
        f.Write("ab", 2);
    }
    EXPECT_EQ("ab3456", trovtest::TempDir::Read(path));
    {
        // modeCreate truncates.
        CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(0u, f.GetLength());
    }
    EXPECT_EQ("", trovtest::TempDir::Read(path));
    {
        CFile f(path.c_str(), CFile::modeRead);
        EXPECT_EQ(ThrownCause<CFileException>([&] { f.Write("x", 1); }) >= 0, true);
    }
}

TEST(File, OpenFailuresReportTheCause)
{
    trovtest::TempDir dir;
    std::string missing = dir.File("missing.txt");
    CFile f;
    CFileException error;
    error.m_bAutoDelete = FALSE;
    EXPECT_FALSE(f.Open(missing.c_str(), CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_TRUE(error.m_strFileName == missing.c_str());
    EXPECT_FALSE(f.Open(missing.c_str(), CFile::modeRead));   // without an exception object
    std::string badFolder = dir.File("no/such/folder/x.txt");
    EXPECT_FALSE(f.Open(badFolder.c_str(), CFile::modeCreate | CFile::modeWrite, &error));
    EXPECT_EQ(CFileException::badPath, error.m_cause);
    EXPECT_FALSE(f.Open("", CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, ThrownCause<CFileException>([&] { CFile g(missing.c_str(), CFile::modeRead); }));
}

TEST(File, RenameRemoveAndStatus)
{
    trovtest::TempDir dir;
    std::string a = dir.Write("a.txt", "abc");
    std::string b = dir.File("b.txt");
    CFile::Rename(a.c_str(), b.c_str());
    CFileStatus status;
    EXPECT_FALSE(CFile::GetStatus(a.c_str(), status));
    ASSERT_TRUE(CFile::GetStatus(b.c_str(), status));
    EXPECT_EQ(3u, status.m_size);
    EXPECT_EQ(0, status.m_attribute & CFile::directory);
    EXPECT_NE(nullptr, std::strstr(status.m_szFullName, "b.txt"));
    EXPECT_GT(status.m_mtime.GetTime(), 0);
    ASSERT_TRUE(CFile::GetStatus(dir.Path().c_str(), status));
    EXPECT_NE(0, status.m_attribute & CFile::directory);
    // Renaming onto an existing file fails and changes nothing.
    std::string c = dir.Write("c.txt", "c");
    EXPECT_GE(ThrownCause<CFileException>([&] { CFile::Rename(b.c_str(), c.c_str()); }), 0);
    EXPECT_EQ("c", trovtest::TempDir::Read(c));
    CFile::Remove(b.c_str());
    EXPECT_FALSE(CFile::GetStatus(b.c_str(), status));
    EXPECT_EQ(CFileException::fileNotFound, ThrownCause<CFileException>([&] { CFile::Remove(b.c_str()); }));
}

TEST(StdioFile, TextLines)
{
    trovtest::TempDir dir;
    std::string path = dir.File("lines.txt");
    {
        CStdioFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        f.WriteString("first\n");
        f.WriteString(std::string(600, 'L').c_str());
        f.WriteString("\nlast");
    }
    std::string raw = trovtest::TempDir::Read(path);
#ifdef _WIN32
    EXPECT_EQ(std::string("first\r\n") + std::string(600, 'L') + "\r\nlast", raw);
#else
    EXPECT_EQ(std::string("first\n") + std::string(600, 'L') + "\nlast", raw);
#endif
    CStdioFile f;
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeRead | CFile::typeText));
    CString line;
    EXPECT_TRUE(f.ReadString(line));
    EXPECT_TRUE(line == "first");
    EXPECT_TRUE(f.ReadString(line));
    EXPECT_EQ(600, line.GetLength());
    EXPECT_TRUE(f.ReadString(line));
    EXPECT_TRUE(line == "last");
    EXPECT_FALSE(f.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());
    f.SeekToBegin();
    char buf[4];
    EXPECT_STREQ("fir", f.ReadString(buf, sizeof buf));
    f.Close();

    // A file written elsewhere with CR LF reads without the CR.
    std::string crlf = dir.Write("crlf.txt", "a\r\nb\r\n");
    CStdioFile g(crlf.c_str(), CFile::modeRead | CFile::typeBinary);
    EXPECT_TRUE(g.ReadString(line));
    EXPECT_TRUE(line == "a");
    EXPECT_TRUE(g.ReadString(line));
    EXPECT_TRUE(line == "b");
    EXPECT_FALSE(g.ReadString(line));
    EXPECT_EQ(6u, g.GetLength());
}

TEST(StdioFile, BinaryReadWriteAndModes)
{
    trovtest::TempDir dir;
    std::string path = dir.Write("s.bin", "xyz");
    {
        CStdioFile f(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite | CFile::typeBinary);
        EXPECT_EQ(3u, f.GetLength());
        f.Write("!", 1);   // added at the end
        f.SeekToBegin();
        char buf[8] = {};
        EXPECT_EQ(4u, f.Read(buf, sizeof buf));
        EXPECT_STREQ("xyz!", buf);
    }
    CStdioFile f;
    CFileException error;
    error.m_bAutoDelete = FALSE;
    EXPECT_FALSE(f.Open(dir.File("none.txt").c_str(), CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_FALSE(f.Open(dir.File("none.txt").c_str(), CFile::modeWrite, &error));   // needs modeCreate
}

TEST(MemFile, GrowsReadsSeeksAndDetaches)
{
    CMemFile f(16);
    f.Write("0123456789", 10);
    f.Write("abcdefghij", 10);
    EXPECT_EQ(20u, f.GetLength());
    EXPECT_EQ(32u, f.GetBufferSize());   // grown in steps of 16
    f.Seek(-4, CFile::end);
    char buf[8] = {};
    EXPECT_EQ(4u, f.Read(buf, sizeof buf));
    EXPECT_STREQ("ghij", buf);
    // Writing after a seek past the end leaves zeros in between.
    f.Seek(25, CFile::begin);
    f.Write("Z", 1);
    EXPECT_EQ(26u, f.GetLength());
    f.Seek(20, CFile::begin);
    char gap[6];
    EXPECT_EQ(6u, f.Read(gap, 6));
    EXPECT_EQ(0, std::memcmp(gap, "\0\0\0\0\0Z", 6));
    EXPECT_EQ(CFileException::badSeek, ThrownCause<CFileException>([&] { f.Seek(-1, CFile::begin); }));
    f.SetLength(3);
    EXPECT_EQ(3u, f.GetLength());
    EXPECT_EQ(3u, f.GetPosition());
    ULONGLONG length = f.GetLength();
    BYTE* block = f.Detach();
    EXPECT_EQ(0, std::memcmp(block, "012", size_t(length)));
    EXPECT_EQ(0u, f.GetLength());
    std::free(block);
}

TEST(MemFile, FixedBlockCannotGrow)
{
    BYTE block[4] = { 1, 2, 3, 4 };
    CMemFile f(block, sizeof block);
    EXPECT_EQ(4u, f.GetLength());
    BYTE b;
    f.Read(&b, 1);
    EXPECT_EQ(1, b);
    f.SeekToBegin();
    f.Write("xy", 2);
    EXPECT_EQ('x', block[0]);
    try {
        f.Write("12345", 5);
        ADD_FAILURE();
    } catch (CMemoryException* e) {
        e->Delete();
    }
    EXPECT_EQ(4u, f.GetLength());
    EXPECT_EQ(block, f.Detach());

    // Attached with growth, a block is room, not content; once it has to
    // grow the file owns the grown block.
    BYTE* room = static_cast<BYTE*>(std::malloc(2));
    CMemFile g;
    g.Attach(room, 2, 8);
    EXPECT_EQ(0u, g.GetLength());
    g.Write("abcdef", 6);
    EXPECT_EQ(6u, g.GetLength());
    EXPECT_FALSE(g.Open("x", CFile::modeRead));
}
