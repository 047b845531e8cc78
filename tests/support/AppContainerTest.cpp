#include "support/AppContainer.h"

#include "support/EncryptedData.h"
#include "tests/support/EncryptionFailures.h"
#include "tests/common/TempDir.h"
#include "tests/support/ContainerFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using trovtest::BigEndian32;
using trovtest::ContainerFixture;
using trovtest::LittleEndian32;

// Names of the sections in directory order.
std::vector<std::string> SectionNames(const CGAppContainer& container)
{
    std::vector<std::string> names;
    for (const CGAppSection* s = container.GetFirstSection(); s != nullptr; s = s->m_next)
        names.push_back(s->m_name);
    return names;
}

// A section's content as returned (its counted zero byte included); "<none>"
// when GetSection gives none.
std::string Content(CGAppContainer& container, const char* name, int* wasEncrypted = nullptr)
{
    size_t length = 0;
    char* data = container.GetSection(name, wasEncrypted, &length);
    return data == nullptr ? std::string("<none>") : std::string(data, length);
}

std::string Z(const std::string& text)
{
    return text + std::string(1, '\0');
}

class AppContainerTest : public ::testing::Test {
protected:
    std::string Write(const std::string& bytes) { return m_dir.Write("app" + std::to_string(m_files++) + ".lmx", bytes); }
    trovtest::TempDir m_dir;
    int m_files = 0;
};

TEST_F(AppContainerTest, OpensOrRefusesByTagAndDirectory)
{
    const std::string app = "<DRBv1><NAME>demo</NAME></DRBv1>";
    const std::string entry = ContainerFixture("").Plain("id", "X1").Bytes();
    struct Case {
        const char* what;
        std::string bytes;
        bool opens;
        std::vector<std::string> names;
    } cases[] = {
        {"empty file", "", false, {}},
        {"tag cut short", "<ablm", false, {}},
        {"tag only", "<ablmx>", true, {}},
        {"unknown tag", "<ABLMX>" + entry, false, {}},
        {"one line feed before the tag", "\n<ablmx>" + entry, true, {"id"}},
        {"line feed and a short tag", "\n<ablmx", false, {}},
        {"two line feeds", "\n\n<ablmx>" + entry, false, {}},
        {"entries to the end", ContainerFixture().Plain("id", "X1").Plain("setup", "<SETUPS/>").Plain("app", "").Bytes(),
         true, {"id", "setup", "app"}},
        {"cut in a name length", "<ablmx>" + entry + std::string("\0\0", 2), false, {}},
        {"cut in a name", "<ablmx>" + entry + BigEndian32(6) + "set", false, {}},
        {"cut in a data length", "<ablmx>" + entry + BigEndian32(6) + Z("setup") + std::string("\0\0\0", 3), false, {}},
        {"data one byte short", "<ablmx>" + entry + BigEndian32(6) + Z("setup") + BigEndian32(5) + "1234", false, {}},
        {"data length beyond any file", ContainerFixture().Entry(3, Z("id"), 0xFFFFFFFFu, "X1").Bytes(), false, {}},
        {"data length wrapping with one more", ContainerFixture().Entry(3, Z("id"), 0xFFFFFFFFu, "").Bytes(), false, {}},
        {"name length 0", ContainerFixture().Entry(0, "", 2, "X1").Bytes(), false, {}},
        {"name length 1 (empty name)", ContainerFixture().Entry(1, Z(""), 2, "X1").Bytes(), true, {""}},
        {"name length 127", ContainerFixture().Plain(std::string(126, 'n'), "X1").Bytes(), true, {std::string(126, 'n')}},
        {"name length 128", ContainerFixture().Plain(std::string(127, 'n'), "X1").Bytes(), false, {}},
        {"name length far too large", ContainerFixture().Entry(0x80000000u, Z("id"), 2, "X1").Bytes(), false, {}},
        {"name ends at its first zero", ContainerFixture().Entry(6, std::string("ab\0cd\0", 6), 2, "X1").Bytes(), true, {"ab"}},
        {"name without terminator", ContainerFixture().Entry(2, "id", 2, "X1").Bytes(), true, {"id"}},
        {"single text", app, true, {"app"}},
        {"single text after a line feed", "\n" + app, true, {"app"}},
        {"single text, encrypted", ContainerFixture::EncryptWholeFile(app), true, {"app"}},
        {"encrypted, not a single text", ContainerFixture::EncryptWholeFile("<ablmx>"), false, {}},
        {"encrypted, cut in the vector", ContainerFixture::EncryptWholeFile(app).substr(0, 15), false, {}},
        {"plain XML of another kind", "<SETUPS></SETUPS>", false, {}},
    };
    for (const Case& c : cases) {
        CGAppContainer container;
        std::string path = Write(c.bytes);
        EXPECT_EQ(c.opens, container.Open(path.c_str()) != 0) << c.what;
        EXPECT_EQ(c.names, SectionNames(container)) << c.what;
        EXPECT_EQ(c.opens, container.IsOpen()) << c.what;
    }
    CGAppContainer container;
    EXPECT_EQ(0, container.Open(m_dir.File("missing.lmx").c_str()));
}

TEST_F(AppContainerTest, SingleTextIsOneAppSection)
{
    const std::string app = "<DRBv1><NAME>demo</NAME></DRBv1>\n";
    struct Case {
        const char* what;
        std::string bytes;
        std::string content;
        int encrypted;
    } cases[] = {
        {"plain", app, Z(app), 0},
        {"plain after a line feed, from offset 0", "\n" + app, Z("\n" + app), 0},
        {"plain with its own terminator", Z(app), Z(app), 0},
        {"encrypted", ContainerFixture::EncryptWholeFile(app), Z(app), 1},
    };
    for (const Case& c : cases) {
        CGAppContainer container;
        ASSERT_NE(0, container.Open(Write(c.bytes).c_str())) << c.what;
        EXPECT_TRUE(container.IsSingleText()) << c.what;
        int encrypted = -1;
        EXPECT_EQ(c.content, Content(container, "app", &encrypted)) << c.what;
        EXPECT_EQ(c.encrypted, encrypted) << c.what;
        EXPECT_EQ("<none>", Content(container, "id")) << c.what;
    }
    // Reopening as a sectioned container clears the flag.
    CGAppContainer container;
    ASSERT_NE(0, container.Open(Write(app).c_str()));
    ASSERT_NE(0, container.Open(Write(ContainerFixture().Plain("app", "x").Bytes()).c_str()));
    EXPECT_FALSE(container.IsSingleText());
}

TEST_F(AppContainerTest, SectionContentAndFailures)
{
    const std::string id = "APP-7f3e";
    const std::string text = "<DRBv1>" + std::string(3000, 'a') + "<B>17</B></DRBv1>";
    const std::string packed = ContainerFixture::PackedData(text, id);
    struct Case {
        const char* what;
        std::string stored;
        std::string content;   // "<none>": not returned
        int encrypted;
    } cases[] = {
        {"plain without terminator gets one, counted", "abc", Z("abc"), 0},
        {"plain with terminator unchanged", Z("abc"), Z("abc"), 0},
        {"plain empty", "", Z(""), 0},
        {"plain with inner zero", std::string("a\0b", 3), Z(std::string("a\0b", 3)), 0},
        {"encrypted, not packed: length of its plaintext", ContainerFixture::PackedData("hello", id, false), Z("hello"), 1},
        {"encrypted, empty", ContainerFixture::PackedData("", id, false), Z(""), 1},
        {"packed and encrypted", packed, Z(text), 1},
        {"packed, empty content", ContainerFixture::PackedData("", id), Z(""), 1},
        {"packed without encryption", ContainerFixture::PackedData(text, id, true, false), Z(text), 0},
        {"packed, stated length one more", ContainerFixture::PackedData(text, id, true, true, text.size() + 1), "<none>", 0},
        {"packed, stated length one less", ContainerFixture::PackedData(text, id, true, true, text.size() - 1), "<none>", 0},
        {"packed, stated length above the cap",
         ContainerFixture::PackedData(text, id, true, false, (int64_t)kAppMaxUnpackedLength + 1), "<none>", 0},
        {"packed, stated length 4 GiB - 1", ContainerFixture::PackedData(text, id, true, false, 0xFFFFFFFFu), "<none>", 0},
        {"packed magic, 4 bytes", LittleEndian32(kAppPackedMagic), "<none>", 0},
        {"packed magic, 7 bytes", LittleEndian32(kAppPackedMagic) + "abc", "<none>", 0},
        {"packed header only, stating 0", LittleEndian32(kAppPackedMagic) + LittleEndian32(0), "<none>", 0},
        {"packed, compressed data damaged",
         ContainerFixture::PackedData(text, id, true, false).substr(0, 40), "<none>", 0},
        {"encrypted magic but 19 bytes: plain", std::string("\xAE\x5C\x0D\xED", 4) + std::string(15, 'v'),
         Z(std::string("\xAE\x5C\x0D\xED", 4) + std::string(15, 'v')), 0},
        {"encrypted form of a 3-byte magic prefix", ContainerFixture::PackedData(LittleEndian32(kAppPackedMagic).substr(0, 3), id, false),
         Z(LittleEndian32(kAppPackedMagic).substr(0, 3)), 1},
    };
    for (const Case& c : cases) {
        ContainerFixture fixture;
        fixture.Plain("id", id).Plain("case", c.stored).Plain("after", "still here");
        CGAppContainer container;
        ASSERT_NE(0, container.Open(Write(fixture.Bytes()).c_str())) << c.what;
        container.SetKeyText(Content(container, "id").c_str());
        int encrypted = -1;
        EXPECT_EQ(c.content, Content(container, "case", &encrypted)) << c.what;
        if (c.content != "<none>") {
            EXPECT_EQ(c.encrypted, encrypted) << c.what;
        }
        // A failed section leaves the others readable.
        EXPECT_EQ(Z("still here"), Content(container, "after")) << c.what;
        EXPECT_EQ(c.content, Content(container, "case")) << c.what << " (asked again)";
    }
}

TEST_F(AppContainerTest, SectionKeyComesFromTheKeyText)
{
    const std::string text = "<INFO>version 3</INFO>";
    ContainerFixture fixture;
    fixture.Plain("id", "ID-ONE").Packed("info", text, "ID-ONE");
    std::string path = Write(fixture.Bytes());

    CGAppContainer right;
    ASSERT_NE(0, right.Open(path.c_str()));
    right.SetKeyText("ID-ONE");
    EXPECT_EQ(Z(text), Content(right, "info"));

    // Another id text decrypts to other bytes, which are not the packed form.
    CGAppContainer wrong;
    ASSERT_NE(0, wrong.Open(path.c_str()));
    wrong.SetKeyText("ID-TWO");
    std::string garbage = Content(wrong, "info");
    EXPECT_NE(Z(text), garbage);

    // Only 36 characters of the key text are kept.
    std::string longId(36, 'k');
    ContainerFixture longFixture;
    longFixture.Packed("info", text, longId);
    CGAppContainer kept;
    ASSERT_NE(0, kept.Open(Write(longFixture.Bytes()).c_str()));
    kept.SetKeyText((longId + "tail").c_str());
    EXPECT_EQ(longId, std::string(kept.GetKeyText()));
    EXPECT_EQ(Z(text), Content(kept, "info"));
}

TEST_F(AppContainerTest, NamesAreExactAndTheFirstOneCounts)
{
    ContainerFixture fixture;
    fixture.Plain("setup", "lower").Plain("Setup", "upper").Plain("setup", "second");
    CGAppContainer container;
    ASSERT_NE(0, container.Open(Write(fixture.Bytes()).c_str()));
    EXPECT_EQ(Z("lower"), Content(container, "setup"));
    EXPECT_EQ(Z("upper"), Content(container, "Setup"));
    EXPECT_EQ("<none>", Content(container, "SETUP"));
    EXPECT_EQ("<none>", Content(container, "setu"));
    EXPECT_EQ("<none>", Content(container, "setup "));
    EXPECT_EQ(nullptr, container.GetSection(nullptr));
}

TEST_F(AppContainerTest, SectionsLoadOnceAndGoWithClose)
{
    ContainerFixture fixture;
    fixture.Plain("app", "content");
    CGAppContainer container;
    ASSERT_NE(0, container.Open(Write(fixture.Bytes()).c_str()));
    char* first = container.GetSection("app");
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, container.GetSection("app"));
    container.Close();
    EXPECT_FALSE(container.IsOpen());
    EXPECT_EQ(nullptr, container.GetSection("app"));
    EXPECT_EQ(nullptr, container.GetFirstSection());
}

// ---- Writing --------------------------------------------------------------

class AppContainerWriteTest : public AppContainerTest {
};

std::string Incompressible(size_t length)
{
    std::string bytes(length, '\0');
    uint64_t state = 0x9E3779B97F4A7C15ull;
    for (size_t i = 0; i < length; ++i) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        bytes[i] = (char)(state >> 24);
    }
    return bytes;
}

TEST_F(AppContainerWriteTest, WrittenContainersReadBack)
{
    const std::string id = "0b7c6d2e-5a41-4f7e-9b3a-1c2d3e4f5a6b";   // 36 characters
    const std::string setup = "<SETUPS><SETUP NAME=\"Default\"/></SETUPS>";
    std::string app = "<DRBv1>";
    for (int i = 0; i < 5000; ++i)
        app += "<BLOCK ID=\"" + std::to_string(i) + "\"><PIN>IN" + std::to_string(i % 17) + "</PIN></BLOCK>";
    app += "</DRBv1>";
    const std::string noise = Incompressible(200000);   // LZO's worst case
    const std::string info = "<INFO>shown in the browser</INFO>";

    std::string path = m_dir.File("written.lmx");
    {
        CGAppContainer writer;
        ASSERT_NE(0, writer.Create(path.c_str()));
        EXPECT_EQ(1, writer.WriteSection("id", id.c_str(), id.size() + 1));
        EXPECT_EQ(1, writer.WriteSection("setup", setup.data(), setup.size()));
        EXPECT_EQ(1, writer.WritePackedSection("app", app.data(), app.size(), id.c_str(), 1));
        EXPECT_EQ(1, writer.WritePackedSection("noise", noise.data(), noise.size(), id.c_str(), 1));
        EXPECT_EQ(1, writer.WritePackedSection("info", info.data(), info.size(), id.c_str(), 0));
        EXPECT_EQ(1, writer.WritePackedSection("empty", "", 0, id.c_str(), 1));
        EXPECT_EQ(1, writer.Close());
    }

    CGAppContainer reader;
    ASSERT_NE(0, reader.Open(path.c_str()));
    EXPECT_EQ((std::vector<std::string>{"id", "setup", "app", "noise", "info", "empty"}), SectionNames(reader));
    int encrypted = -1;
    reader.SetKeyText(reader.GetSection("id", &encrypted));
    EXPECT_EQ(0, encrypted);
    EXPECT_EQ(id, std::string(reader.GetKeyText()));
    EXPECT_EQ(Z(setup), Content(reader, "setup", &encrypted));
    EXPECT_EQ(0, encrypted);
    EXPECT_EQ(Z(app), Content(reader, "app", &encrypted));
    EXPECT_EQ(1, encrypted);
    EXPECT_EQ(Z(noise), Content(reader, "noise"));
    EXPECT_EQ(Z(info), Content(reader, "info", &encrypted));
    EXPECT_EQ(1, encrypted);
    EXPECT_EQ(Z(""), Content(reader, "empty"));

    // The packed "app" really is smaller, and the stored form of every packed
    // section is encrypted, compressed or not.
    std::string file = trovtest::TempDir::Read(path);
    for (const CGAppSection* s = reader.GetFirstSection(); s != nullptr; s = s->m_next) {
        std::string stored = file.substr((size_t)s->m_offset, (size_t)s->m_storedLength);
        bool packedSection = s->m_name != "id" && s->m_name != "setup";
        EXPECT_EQ(packedSection, stored.compare(0, 4, "\xAE\x5C\x0D\xED") == 0) << s->m_name;
        if (s->m_name == "app") {
            EXPECT_LT(stored.size(), app.size() / 4);
        }
    }
    EXPECT_EQ(std::string::npos, file.find("shown in the browser"));
}

TEST_F(AppContainerWriteTest, WriterRefusesWhatTheReaderWouldRefuse)
{
    std::string path = m_dir.File("names.lmx");
    CGAppContainer writer;
    EXPECT_EQ(0, writer.WriteSection("id", "x", 1));   // nothing created yet
    ASSERT_NE(0, writer.Create(path.c_str()));
    EXPECT_EQ(1, writer.WriteSection(std::string(126, 'n').c_str(), "x", 1));
    EXPECT_EQ(0, writer.WriteSection(std::string(127, 'n').c_str(), "x", 1));
    EXPECT_EQ(0, writer.WritePackedSection(std::string(127, 'n').c_str(), "x", 1, "id", 1));
    EXPECT_EQ(0, writer.WriteSection(nullptr, "x", 1));
    EXPECT_EQ(1, writer.WriteSection("", "x", 1));
    EXPECT_EQ(1, writer.Close());

    CGAppContainer reader;
    ASSERT_NE(0, reader.Open(path.c_str()));
    EXPECT_EQ((std::vector<std::string>{std::string(126, 'n'), ""}), SectionNames(reader));
}

TEST_F(AppContainerWriteTest, FailedEncryptionWritesNothing)
{
    struct Case {
        const char* what;
        trovtest::EncryptionFailure failure;
    } cases[] = {
        {"key setup", {true, 0}},
        {"no context", {false, 1001}},
        {"no random bytes", {false, 1002}},
    };
    for (const Case& c : cases) {
        std::string path = m_dir.File("failing.lmx");
        CGAppContainer writer;
        ASSERT_NE(0, writer.Create(path.c_str()));
        ASSERT_EQ(1, writer.WriteSection("id", "ID", 3));
        {
            trovtest::EncryptionFailureScope scope(c.failure);
            EXPECT_EQ(0, writer.WritePackedSection("app", "content", 7, "ID", 1)) << c.what;
            EXPECT_EQ(0, writer.WritePackedSection("info", "content", 7, "ID", 0)) << c.what;
        }
        // The container goes on and holds only complete sections.
        EXPECT_EQ(1, writer.WritePackedSection("app", "content", 7, "ID", 1)) << c.what;
        EXPECT_EQ(1, writer.Close());
        CGAppContainer reader;
        ASSERT_NE(0, reader.Open(path.c_str())) << c.what;
        EXPECT_EQ((std::vector<std::string>{"id", "app"}), SectionNames(reader)) << c.what;
        reader.SetKeyText("ID");
        EXPECT_EQ(Z("content"), Content(reader, "app")) << c.what;
    }
}

TEST_F(AppContainerWriteTest, CreateTruncatesAndStartsWithTheTag)
{
    std::string path = m_dir.Write("old.lmx", std::string(100, 'z'));
    CGAppContainer writer;
    ASSERT_NE(0, writer.Create(path.c_str()));
    EXPECT_EQ(1, writer.Close());
    EXPECT_EQ("<ablmx>", trovtest::TempDir::Read(path));
    EXPECT_EQ(0, writer.Create(m_dir.File("no/such/folder.lmx").c_str()));
}

} // namespace
