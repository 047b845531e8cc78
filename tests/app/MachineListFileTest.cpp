// machines.xml: safe rewriting, damaged files kept aside.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <map>
#include <string>
#include <thread>

#include "app/MachineListFile.h"
#include "app/MachineMap.h"
#include "support/GXml.h"
#include "tests/common/TempDir.h"

namespace {

void AddSaved(CMachineMap& map, uint32_t address, const char* host)
{
    CMachine* m = new CMachine(CIpAddress(address), 1);
    m->m_hostName = host;
    map.SetMachine(CIpAddress(address), m);
}

bool Exists(const std::string& path) { return !trovtest::TempDir::Read(path).empty(); }

} // namespace

TEST(MachineListFile, SavedListReadsBack)
{
    trovtest::TempDir dir;
    std::string path = dir.File("machines.xml");
    CMachineMap map;
    AddSaved(map, 0x0A000001, "one");
    AddSaved(map, 0x0A000002, "two");
    map.SetMachine(CIpAddress(3), new CMachine(CIpAddress(3), 0)); // not saved
    CMachineListFile file(path.c_str());
    CString error;
    ASSERT_TRUE(file.Save(map, &error)) << (const char*)error;
    EXPECT_FALSE(Exists(path + ".tmp"));
    std::string text = trovtest::TempDir::Read(path);
    // Written as the document writer makes it, byte for byte.
    EXPECT_EQ(0u, text.find("<MACHINES>\r\n <MACHINE>\r\n")) << text;

    CMachineMap back;
    CString message;
    EXPECT_EQ(CMachineListFile::kLoaded, CMachineListFile(path.c_str()).Load(back, &message));
    EXPECT_TRUE(message.IsEmpty());
    EXPECT_EQ(2, back.GetCount());
    EXPECT_STREQ("two", back.Find(CIpAddress(0x0A000002))->m_hostName);
}

TEST(MachineListFile, MissingOrBlankFileGivesAnEmptyListQuietly)
{
    trovtest::TempDir dir;
    CMachineMap map;
    CString message;
    EXPECT_EQ(CMachineListFile::kMissing, CMachineListFile(dir.File("machines.xml").c_str()).Load(map, &message));
    dir.Write("machines.xml", "  \n");
    EXPECT_EQ(CMachineListFile::kLoaded, CMachineListFile(dir.File("machines.xml").c_str()).Load(map, &message));
    EXPECT_TRUE(message.IsEmpty());
    EXPECT_EQ(0, map.GetCount());
}

TEST(MachineListFile, DamagedFileIsKeptAsideAndReportedOnce)
{
    struct Case {
        const char* name;
        const char* text;
    } cases[] = {
        {"truncated", "<MACHINES><MACHINE><HOSTNAME>one</HOSTNAME><KEY>10.0.0.1</KEY></MACHINE><MACH"},
        {"foreign root", "<SETTINGS><A>1</A></SETTINGS>"},
        {"not XML", "\x01\x02 binary"},
    };
    for (const Case& c : cases) {
        trovtest::TempDir dir;
        std::string path = dir.Write("machines.xml", c.text);
        CMachineListFile file(path.c_str());
        CMachineMap map;
        CString message;
        EXPECT_EQ(CMachineListFile::kDamaged, file.Load(map, &message)) << c.name;
        EXPECT_EQ(0, map.GetCount());
        EXPECT_NE(-1, message.Find("machines.xml.bad")) << (const char*)message;
        EXPECT_EQ(c.text, trovtest::TempDir::Read(path + ".bad")) << c.name;
        // The next change writes a fresh list; the damaged one stays aside.
        AddSaved(map, 0x0A000005, "new");
        CString error;
        EXPECT_TRUE(file.Save(map, &error));
        EXPECT_EQ(c.text, trovtest::TempDir::Read(path + ".bad"));
        // The next start reads the new list without a message.
        CMachineMap next;
        CString again;
        EXPECT_EQ(CMachineListFile::kLoaded, CMachineListFile(path.c_str()).Load(next, &again));
        EXPECT_TRUE(again.IsEmpty());
        EXPECT_EQ(1, next.GetCount());
    }
}

TEST(MachineListFile, SecondDamagedFileDoesNotOverwriteTheFirstSetAside)
{
    trovtest::TempDir dir;
    dir.Write("machines.xml.bad", "first");
    std::string path = dir.Write("machines.xml", "<broken");
    CMachineMap map;
    CString message;
    CMachineListFile file(path.c_str());
    EXPECT_EQ(CMachineListFile::kDamaged, file.Load(map, &message));
    EXPECT_EQ("first", trovtest::TempDir::Read(path + ".bad"));
    EXPECT_EQ("<broken", trovtest::TempDir::Read(path + ".bad2"));
}

TEST(MachineListFile, MachinesThatCannotBeTakenAreKeptInTheSetAsideOriginalAndCounted)
{
    const char* good = "<MACHINE><HOSTNAME>good</HOSTNAME><KEY>10.0.0.1</KEY></MACHINE>";
    struct Case {
        const char* what;
        std::string machines; // inside MACHINES, after the good machine
        int taken;
        const char* reason; // part of the message
    } cases[] = {
        {"no address", "<MACHINE><HOSTNAME>lost</HOSTNAME></MACHINE>", 1, "1 without an address"},
        {"same key twice", "<MACHINE><HOSTNAME>twin</HOSTNAME><KEY>10.0.0.1</KEY></MACHINE>", 1,
         "1 with the address of a later machine"},
        {"key that does not scan, interface address of another",
         "<MACHINE><KEY>x</KEY><IF1><IP>10.0.0.1</IP></IF1></MACHINE>", 1, "1 with the address of a later machine"},
        {"both", "<MACHINE/><MACHINE><KEY>10.0.0.1</KEY></MACHINE><MACHINE><KEY>10.0.0.2</KEY></MACHINE>", 2,
         "2 machine(s) that could not be taken (1 without an address; 1 with the address"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        trovtest::TempDir dir;
        std::string text = std::string("<MACHINES>") + good + c.machines + "</MACHINES>";
        std::string path = dir.Write("machines.xml", text);
        CMachineMap map;
        CString message;
        EXPECT_EQ(CMachineListFile::kPartial, CMachineListFile(path.c_str()).Load(map, &message));
        EXPECT_EQ(c.taken, map.GetCount());
        EXPECT_NE(-1, message.Find(c.reason)) << (const char*)message;
        EXPECT_NE(-1, message.Find("machines.xml.bad")) << (const char*)message;
        EXPECT_EQ(text, trovtest::TempDir::Read(path + ".bad"));
        CMachineMap again;
        EXPECT_EQ(CMachineListFile::kLoaded, CMachineListFile(path.c_str()).Load(again, &message));
        EXPECT_EQ(c.taken, again.GetCount());
    }
}

TEST(MachineListFile, TheRecordOfAnExpandedIncludeIsNoMachine)
{
    trovtest::TempDir dir;
    dir.Write("more.xml", "<MACHINE><KEY>10.0.0.2</KEY></MACHINE>");
    std::string path = dir.Write("machines.xml", "<MACHINES><MACHINE><KEY>10.0.0.1</KEY></MACHINE>"
                                                 "<INCLUDEXMLFILE>more.xml</INCLUDEXMLFILE></MACHINES>");
    CMachineMap map;
    CString message;
    EXPECT_EQ(CMachineListFile::kLoaded, CMachineListFile(path.c_str()).Load(map, &message))
        << (const char*)message;
    EXPECT_EQ(2, map.GetCount());
    EXPECT_FALSE(Exists(path + ".bad"));
}

TEST(MachineListFile, FailedWriteIsReportedAndLeavesTheOldFile)
{
    trovtest::TempDir dir;
    std::string path = dir.Write("machines.xml", "<MACHINES/>");
    // The temporary file cannot be made: a folder holds its name.
    ASSERT_TRUE(std::filesystem::create_directory(path + ".tmp"));
    CMachineMap map;
    AddSaved(map, 1, "x");
    CString error;
    EXPECT_FALSE(CMachineListFile(path.c_str()).Save(map, &error));
    EXPECT_FALSE(error.IsEmpty());
    EXPECT_EQ("<MACHINES/>", trovtest::TempDir::Read(path));

    // A file in a folder that does not exist.
    EXPECT_FALSE(CMachineListFile(dir.File("no/such/machines.xml").c_str()).Save(map, &error));
}

TEST(MachineListFile, ImportedListsAreReadWithoutFollowingIncludes)
{
    trovtest::TempDir dir;
    dir.Write("secret.xml", "<MACHINE><HOSTNAME>secret</HOSTNAME><KEY>10.9.9.9</KEY></MACHINE>");
    std::string path = dir.Write("export.tvl", "<MACHINES><MACHINE><HOSTNAME>a</HOSTNAME><KEY>10.0.0.1</KEY></MACHINE>"
                                               "<INCLUDEXMLFILE>secret.xml</INCLUDEXMLFILE></MACHINES>");
    CMachineMap map;
    CString error;
    int skipped = -1;
    EXPECT_EQ(kXmlOk, CMachineListFile::ReadFile(path.c_str(), map, &error, &skipped));
    EXPECT_EQ(nullptr, map.Find(CIpAddress(0x0A090909)));
    ASSERT_NE(nullptr, map.Find(CIpAddress(0x0A000001)));
    EXPECT_EQ(1, map.Find(CIpAddress(0x0A000001))->m_inList);
    EXPECT_EQ(1, skipped); // the include element itself has no address

    // Two machines of one address in one list: the earlier is not taken.
    std::string twice = dir.Write("twice.tvl", "<MACHINES><MACHINE><KEY>10.0.0.7</KEY></MACHINE>"
                                               "<MACHINE><KEY>10.0.0.7</KEY></MACHINE></MACHINES>");
    CMachineMap twins;
    EXPECT_EQ(kXmlOk, CMachineListFile::ReadFile(twice.c_str(), twins, &error, &skipped));
    EXPECT_EQ(1, twins.GetCount());
    EXPECT_EQ(1, skipped);

    std::string bad = dir.Write("bad.tvl", "<SETTINGS/>");
    EXPECT_EQ(kXmlMalformed, CMachineListFile::ReadFile(bad.c_str(), map, &error, &skipped));
    EXPECT_NE(-1, error.Find("Expecting MACHINES")) << (const char*)error;

    // An export written and read back.
    std::string out = dir.File("out.tvl");
    ASSERT_TRUE(CMachineListFile::WriteFile(out.c_str(), map, &error));
    CMachineMap back;
    EXPECT_EQ(kXmlOk, CMachineListFile::ReadFile(out.c_str(), back, &error, &skipped));
    EXPECT_EQ(map.GetCount(), back.GetCount());
}

TEST(MachineListFile, LongFieldsAndCommentsSurviveSaveLoadAndExport)
{
    // Far beyond the text store's block: such texts once came back empty
    // while the save reported success.
    std::string host(200000, 'h');
    std::string comment(3 << 20, 'c');
    comment[10] = '&';
    comment[20] = '<';
    trovtest::TempDir dir;
    std::string path = dir.File("machines.xml");
    CMachineMap map;
    AddSaved(map, 0x0A000001, host.c_str());
    map.Find(CIpAddress(0x0A000001))->m_comment = comment.c_str();
    AddSaved(map, 0x0A000002, "short");
    CString error;
    ASSERT_TRUE(CMachineListFile(path.c_str()).Save(map, &error)) << (const char*)error;

    CMachineMap back;
    CString message;
    ASSERT_EQ(CMachineListFile::kLoaded, CMachineListFile(path.c_str()).Load(back, &message)) << (const char*)message;
    const CMachine* machine = back.Find(CIpAddress(0x0A000001));
    ASSERT_NE(nullptr, machine);
    EXPECT_TRUE(host == (const char*)machine->m_hostName);
    EXPECT_TRUE(comment == (const char*)machine->m_comment);

    // The same through an export and its import.
    std::string exported = dir.File("list.tvl");
    ASSERT_TRUE(CMachineListFile::WriteFile(exported.c_str(), back, &error)) << (const char*)error;
    CMachineMap imported;
    int skipped = -1;
    ASSERT_EQ(kXmlOk, CMachineListFile::ReadFile(exported.c_str(), imported, &error, &skipped)) << (const char*)error;
    machine = imported.Find(CIpAddress(0x0A000001));
    ASSERT_NE(nullptr, machine);
    EXPECT_TRUE(host == (const char*)machine->m_hostName);
    EXPECT_TRUE(comment == (const char*)machine->m_comment);
}

TEST(MachineListFile, LineBreaksInsideTextsSurviveEverySaveUnchanged)
{
    // A line feed inside a text once gained a carriage return on every save
    // (the list was written with line-end translation and read without).
    const char* comment = "first line\nsecond\r\nthird\rfourth";
    trovtest::TempDir dir;
    struct Route {
        const char* what;
        bool (*write)(const std::string& path, CMachineMap& map);
        bool (*read)(const std::string& path, CMachineMap& map);
    } routes[] = {
        {"machines.xml",
         [](const std::string& path, CMachineMap& m) {
             CString error;
             return CMachineListFile(path.c_str()).Save(m, &error);
         },
         [](const std::string& path, CMachineMap& m) {
             CString message;
             return CMachineListFile(path.c_str()).Load(m, &message) == CMachineListFile::kLoaded;
         }},
        {"export and import",
         [](const std::string& path, CMachineMap& m) {
             CString error;
             return CMachineListFile::WriteFile(path.c_str(), m, &error);
         },
         [](const std::string& path, CMachineMap& m) {
             CString error;
             int skipped = 0;
             return CMachineListFile::ReadFile(path.c_str(), m, &error, &skipped) == kXmlOk && skipped == 0;
         }},
    };
    for (const Route& route : routes) {
        std::string first;
        CMachineMap current;
        AddSaved(current, 0x0A000001, "host\nname");
        current.Find(CIpAddress(0x0A000001))->m_comment = comment;
        for (int round = 0; round < 3; ++round) {
            std::string path = dir.File(std::string("round") + std::to_string(round) + ".xml");
            ASSERT_TRUE(route.write(path, current)) << route.what;
            std::string bytes = trovtest::TempDir::Read(path);
            if (round == 0)
                first = bytes;
            EXPECT_EQ(first, bytes) << route.what << ", round " << round;
            CMachineMap back;
            ASSERT_TRUE(route.read(path, back)) << route.what;
            const CMachine* machine = back.Find(CIpAddress(0x0A000001));
            ASSERT_NE(nullptr, machine) << route.what;
            EXPECT_STREQ(comment, machine->m_comment) << route.what << ", round " << round;
            EXPECT_STREQ("host\nname", machine->m_hostName) << route.what << ", round " << round;
            current.DeleteAll();
            current.SetMachine(CIpAddress(0x0A000001), CMachine::CopyConstruct(*machine));
        }
    }
}

TEST(MachineListFile, UnchangedListIsNotRewrittenAChangedOneIs)
{
    trovtest::TempDir dir;
    std::string path = dir.File("machines.xml");
    {
        CMachineMap map;
        // Enough machines that several share a bucket: reading them back
        // gives another map order than the file's.
        for (uint32_t i = 1; i <= 60; ++i)
            AddSaved(map, 0x0A000000 + i, "m");
        CString error;
        ASSERT_TRUE(CMachineListFile::WriteFile(path.c_str(), map, &error));
    }
    CMachineMap map;
    CMachineListFile file(path.c_str());
    CString message, error;
    ASSERT_EQ(CMachineListFile::kLoaded, file.Load(map, &message));
    // The same machines: the file stays as it is, however often it is saved.
    EXPECT_TRUE(file.Save(map, &error));
    EXPECT_TRUE(file.Save(map, &error));
    EXPECT_EQ(0, file.GetWriteCount());

    struct Case {
        const char* what;
        void (*change)(CMachineMap& map);
    } cases[] = {
        {"changed field", [](CMachineMap& m) { m.Find(CIpAddress(0x0A000005))->m_hostName = "renamed"; }},
        {"dropped machine", [](CMachineMap& m) {
             CMachine* gone = m.Find(CIpAddress(0x0A000006));
             m.RemoveKey(CIpAddress(0x0A000006));
             delete gone;
         }},
        {"added machine", [](CMachineMap& m) { AddSaved(m, 0x0A0000F0, "new"); }},
        {"machine no longer saved", [](CMachineMap& m) { m.Find(CIpAddress(0x0A000007))->m_inList = 0; }},
    };
    int writes = 0;
    for (const Case& c : cases) {
        c.change(map);
        EXPECT_TRUE(file.Save(map, &error)) << c.what;
        EXPECT_EQ(++writes, file.GetWriteCount()) << c.what;
        EXPECT_TRUE(file.Save(map, &error)) << c.what;
        EXPECT_EQ(writes, file.GetWriteCount()) << c.what << ": saved twice";
        CMachineMap back;
        EXPECT_EQ(CMachineListFile::kLoaded, CMachineListFile(path.c_str()).Load(back, &message)) << c.what;
        int saved = 0;
        for (const CMachineMap::CPair* p = map.PGetFirstAssoc(); p; p = map.PGetNextAssoc(p))
            saved += p->value->m_inList ? 1 : 0;
        EXPECT_EQ(saved, back.GetCount()) << c.what;
    }

    // A file replaced or removed behind the list's back is written again.
    dir.Write("machines.xml", "<MACHINES/>");
    EXPECT_TRUE(file.Save(map, &error));
    EXPECT_EQ(++writes, file.GetWriteCount());
    std::filesystem::remove(path);
    EXPECT_TRUE(file.Save(map, &error));
    EXPECT_EQ(++writes, file.GetWriteCount());
    EXPECT_TRUE(Exists(path));
}

namespace {

// A copy of the program on the list at path: its map and its file.
struct ListCopy {
    explicit ListCopy(const std::string& path) : file(path.c_str())
    {
        CString message;
        loaded = file.Load(map, &message);
    }
    ~ListCopy() { map.DeleteAll(); }
    bool Save(CMachineListMerge* merge = nullptr)
    {
        CString error;
        bool saved = file.Save(map, &error, merge);
        EXPECT_TRUE(saved) << (const char*)error;
        return saved;
    }
    void Remove(uint32_t address)
    {
        CMachine* gone = map.Find(CIpAddress(address));
        ASSERT_NE(nullptr, gone);
        map.RemoveKey(CIpAddress(address));
        delete gone;
    }
    CMachineMap map;
    CMachineListFile file;
    CMachineListFile::LoadResult loaded;
};

// The saved machines of the file at path, by address and host name.
std::map<uint32_t, std::string> OnDisk(const std::string& path)
{
    CMachineMap map;
    CString message;
    EXPECT_EQ(CMachineListFile::kLoaded, CMachineListFile(path.c_str()).Load(map, &message)) << (const char*)message;
    std::map<uint32_t, std::string> machines;
    for (const CMachineMap::CPair* p = map.PGetFirstAssoc(); p; p = map.PGetNextAssoc(p))
        machines[p->key.GetValue()] = (const char*)p->value->m_hostName;
    map.DeleteAll();
    return machines;
}

} // namespace

TEST(MachineListFile, TwoCopiesOnOneListLoseNoMachineTheOtherSaved)
{
    // Whether the list was there when both copies started or not: copy A
    // adds a machine and saves, copy B adds another and saves its list.
    for (bool fileAtStart : {true, false}) {
        SCOPED_TRACE(fileAtStart ? "list there at start" : "no list at start");
        trovtest::TempDir dir;
        std::string path = dir.File("machines.xml");
        if (fileAtStart) {
            CMachineMap first;
            AddSaved(first, 1, "one");
            CString error;
            ASSERT_TRUE(CMachineListFile::WriteFile(path.c_str(), first, &error));
            first.DeleteAll();
        }
        ListCopy a(path), b(path);
        AddSaved(a.map, 10, "from A");
        ASSERT_TRUE(a.Save());
        AddSaved(b.map, 20, "from B");
        CMachineListMerge merge;
        ASSERT_TRUE(b.Save(&merge));
        ASSERT_EQ(1u, merge.added.size());
        EXPECT_EQ(b.map.Find(CIpAddress(10)), merge.added[0]);
        EXPECT_STREQ("from A", merge.added[0]->m_hostName);
        EXPECT_EQ(1, merge.added[0]->m_inList);
        EXPECT_TRUE(merge.updated.empty());
        EXPECT_EQ(0, merge.kept);
        std::string said = (const char*)merge.Describe(path.c_str());
        EXPECT_NE(std::string::npos, said.find("changed by another program")) << said;
        EXPECT_NE(std::string::npos, said.find("1 machine(s) added")) << said;
        std::map<uint32_t, std::string> expected = {{10, "from A"}, {20, "from B"}};
        if (fileAtStart)
            expected[1] = "one";
        EXPECT_EQ(expected, OnDisk(path));

        // A's next save takes B's machine in turn; a save that finds the
        // file as it left it merges nothing.
        a.map.Find(CIpAddress(10))->m_comment = "changed";
        CMachineListMerge back;
        ASSERT_TRUE(a.Save(&back));
        ASSERT_EQ(1u, back.added.size());
        EXPECT_STREQ("from B", back.added[0]->m_hostName);
        EXPECT_EQ(expected, OnDisk(path));
        CMachineListMerge none;
        a.map.Find(CIpAddress(20))->m_comment = "again";
        ASSERT_TRUE(a.Save(&none));
        EXPECT_FALSE(none.Happened());
    }
}

TEST(MachineListFile, RemovalsAndChangesOfTheOtherCopyMeetThisCopysOwn)
{
    trovtest::TempDir dir;
    std::string path = dir.File("machines.xml");
    {
        CMachineMap first;
        for (uint32_t i = 1; i <= 4; ++i)
            AddSaved(first, i, "m");
        CString error;
        ASSERT_TRUE(CMachineListFile::WriteFile(path.c_str(), first, &error));
        first.DeleteAll();
    }
    ListCopy a(path), b(path);
    // A removes 1, renames 2 and 3; B removes 4, renames 3 its own way and
    // leaves 2 alone.
    a.Remove(1);
    a.map.Find(CIpAddress(2))->m_hostName = "renamed by A";
    a.map.Find(CIpAddress(3))->m_hostName = "renamed by A";
    ASSERT_TRUE(a.Save());
    b.Remove(4);
    b.map.Find(CIpAddress(3))->m_hostName = "renamed by B";
    CMachineListMerge merge;
    ASSERT_TRUE(b.Save(&merge));
    // B keeps 1, which it never removed (nothing saved is lost), takes A's
    // name for 2, keeps its own for 3, and 4 stays removed by B.
    EXPECT_TRUE(merge.added.empty());
    ASSERT_EQ(1u, merge.updated.size());
    EXPECT_EQ(b.map.Find(CIpAddress(2)), merge.updated[0]);
    EXPECT_EQ(1, merge.kept);
    std::map<uint32_t, std::string> expected = {{1, "m"}, {2, "renamed by A"}, {3, "renamed by B"}};
    EXPECT_EQ(expected, OnDisk(path));
    std::string said = (const char*)merge.Describe(path.c_str());
    EXPECT_NE(std::string::npos, said.find("1 machine(s) updated, 1 machine(s) that it no longer holds kept")) << said;
}

TEST(MachineListFile, AChangedListThatCannotBeReadIsKeptAsideBeforeTheSave)
{
    trovtest::TempDir dir;
    std::string path = dir.File("machines.xml");
    ListCopy a(path);
    AddSaved(a.map, 1, "one");
    ASSERT_TRUE(a.Save());
    dir.Write("machines.xml", "<MACHINES><MACHINE><KEY>10.0.0.9</KEY>");
    CMachineListMerge merge;
    ASSERT_TRUE(a.Save(&merge));
    EXPECT_EQ(path + ".bad", (const char*)merge.setAsidePath);
    EXPECT_EQ("<MACHINES><MACHINE><KEY>10.0.0.9</KEY>", trovtest::TempDir::Read(path + ".bad"));
    EXPECT_EQ((std::map<uint32_t, std::string>{{1, "one"}}), OnDisk(path));
    std::string said = (const char*)merge.Describe(path.c_str());
    EXPECT_NE(std::string::npos, said.find("It was kept as " + path + ".bad")) << said;
}

TEST(MachineListFile, CopiesSavingAtTheSameTimeLoseNoMachine)
{
    // Two copies adding machines and saving as fast as they can: every save
    // merges what the other saved in between, and no save falls between the
    // other's look at the file and its write.
    trovtest::TempDir dir;
    std::string path = dir.File("machines.xml");
    const int kEach = 40;
    std::atomic<int> failed{0};
    // No test assertions inside the threads: they are checked after.
    auto copy = [&path, &failed](uint32_t base) {
        CMachineMap map;
        CMachineListFile file(path.c_str());
        CString message, error;
        file.Load(map, &message);
        for (int i = 0; i < kEach; ++i) {
            AddSaved(map, base + (uint32_t)i, "m");
            if (!file.Save(map, &error)) {
                ++failed;
                break;
            }
        }
        map.DeleteAll();
    };
    std::thread first(copy, 0x0A000000u), second(copy, 0x0B000000u);
    first.join();
    second.join();
    EXPECT_EQ(0, failed.load());
    EXPECT_EQ((size_t)(2 * kEach), OnDisk(path).size());
}
