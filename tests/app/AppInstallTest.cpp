// Install: the application file as the command reads it, the machines it
// skips, when "Update" is offered, and the install file built per machine,
// opened again with the section key and checked section by section.
#include "app/AppInstall.h"

#include "app/AppPlatform.h"
#include "app/Machine.h"
#include "support/AppContainer.h"
#include "support/EncryptedData.h"
#include "support/GDataSet.h"
#include "support/GXml.h"
#include "tests/app/DrbText.h"
#include "tests/common/AppContainerFile.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

const char kInstallId[] = "6f2d0c1e-8a4b-4c3d-9e5f-0123456789ab"; // 36 characters

const char kInstallSetups[] =
    "<SETUPS>"
    "<SETUP><NAME>Base</NAME><INPUTS>"
    "<ENTRY><ID>10</ID><VALUE>1.5</VALUE></ENTRY>"
    "<ENTRY><ID>20</ID><AI>1</AI><VALUE>7</VALUE></ENTRY>"
    "</INPUTS></SETUP>"
    "<SETUP><NAME>Line2</NAME><INPUTS>"
    "<ENTRY><ID>10</ID><VALUE>2.5</VALUE></ENTRY>"
    "<ENTRY><ID>30</ID><VALUE>9</VALUE></ENTRY>"
    "</INPUTS></SETUP>"
    "</SETUPS>";

std::string AppText()
{
    return trovtest::DrbText(trovtest::SampleApplication(), "4.2.1");
}

// One section of a source file: written plain or packed with the key.
using Section = trovtest::AppSection;

std::vector<Section> StandardSections()
{
    return {{"id", kInstallId, false}, {"setup", kInstallSetups, false}, {"app", AppText(), true}, {"info", "<INFO>x</INFO>", true}};
}

std::string WriteSource(const trovtest::TempDir& dir, const std::string& fileName, const std::vector<Section>& sections,
                        const char* key = kInstallId)
{
    std::string path = dir.File(fileName);
    trovtest::WriteAppContainer(path, sections, key);
    return path;
}

// The install file as the controller sees it: its sections by name, the
// stored bytes of each, opened with the section key.
struct Built {
    CGAppContainer container;
    std::vector<std::string> names;
    std::string path;

    explicit Built(const std::string& p) : path(p)
    {
        EXPECT_NE(0, container.Open(p.c_str()));
        ReadApplicationIdentity(container);
        for (const CGAppSection* s = container.GetFirstSection(); s; s = s->m_next)
            names.push_back(s->m_name);
    }
    std::string Content(const char* name, int* encrypted = nullptr)
    {
        size_t length = 0;
        const char* text = container.GetSection(name, encrypted, &length);
        return text ? std::string(text) : std::string("<missing>");
    }
    // Whether the stored section's plaintext is in the packed (LZO) form.
    bool IsCompressed(const char* name)
    {
        for (const CGAppSection* s = container.GetFirstSection(); s; s = s->m_next) {
            if (s->m_name != name)
                continue;
            std::string bytes = trovtest::TempDir::Read(path).substr((size_t)s->m_offset, (size_t)s->m_storedLength);
            unsigned char* plain =
                DecryptBuffer(reinterpret_cast<unsigned char*>(&bytes[0]), bytes.size(), 0, kInstallId);
            EXPECT_NE(nullptr, plain) << name << " is not encrypted";
            return plain != nullptr && bytes.size() >= 24 && memcmp(plain, "\x12\x55\xFE\xCA", 4) == 0;
        }
        ADD_FAILURE() << "no section " << name;
        return false;
    }
};

std::unique_ptr<CMachine> Machine(int major, int minor, const char* guid = kInstallId, const char* setup = "Base",
                                  int ifNumber = 1, const char* host = "ctl")
{
    auto machine = std::make_unique<CMachine>(CIpAddress(0x7F000001), 0, CMachine::kNoGuid);
    machine->m_fwMajor = major;
    machine->m_fwMinor = minor;
    strncpy(machine->m_appGuid, guid, 36);
    machine->m_setup = setup;
    machine->m_ifNumber = ifNumber;
    machine->m_hostName = host;
    return machine;
}

} // namespace

TEST(AppInstall, SetupHoldsOnlyTheChosenDataSetMergedOverTheBase)
{
    trovtest::TempDir dir;
    std::string source = WriteSource(dir, "app.lmx", StandardSections());
    struct Case {
        const char* chosen;
        const char* name;
        std::vector<std::pair<int64_t, double>> values;
    } cases[] = {
        {"Line2", "Line2",
         {{CGDataSet::MakeKey(0, 10), 2.5}, {CGDataSet::MakeKey(0, 30), 9}, {CGDataSet::MakeKey(1, 20), 7}}},
        {"Base", "Base", {{CGDataSet::MakeKey(0, 10), 1.5}, {CGDataSet::MakeKey(1, 20), 7}}},
        {"line2", "Base", {{CGDataSet::MakeKey(0, 10), 1.5}, {CGDataSet::MakeKey(1, 20), 7}}},
    };
    for (const Case& c : cases) {
        std::string output = dir.File("out.lmx");
        CString failure;
        ASSERT_EQ(1, BuildInstallFile(output.c_str(), source.c_str(), c.chosen, true, &failure)) << failure;
        Built built(output);
        EXPECT_EQ((std::vector<std::string>{"id", "setup", "app", "info"}), built.names);
        int encrypted = -1;
        std::string setup = built.Content("setup", &encrypted);
        EXPECT_EQ(0, encrypted) << "setup is stored plain";
        CGXml document(CGXml::kNoIncludeExpansion);
        char error[256] = "";
        ASSERT_EQ(kXmlOk, document.ParseText("setup", setup.c_str(), error, sizeof error, "SETUP")) << setup;
        CGDataSetList sets;
        ASSERT_EQ(1, sets.ReadOneSetup(document.GetRoot()));
        EXPECT_EQ(c.name, sets.GetFirst()->m_name) << c.chosen;
        std::vector<std::pair<int64_t, double>> values(sets.GetFirst()->m_values.begin(), sets.GetFirst()->m_values.end());
        EXPECT_EQ(c.values, values) << c.chosen;
        EXPECT_EQ(std::string(kInstallId), built.Content("id", &encrypted));
        EXPECT_EQ(0, encrypted) << "id is stored plain";
        EXPECT_EQ(AppText(), built.Content("app", &encrypted));
        EXPECT_EQ(1, encrypted);
        EXPECT_EQ("<INFO>x</INFO>", built.Content("info", &encrypted));
        EXPECT_EQ(1, encrypted);
        EXPECT_TRUE(built.IsCompressed("info"));
    }
}

TEST(AppInstall, AppIsCompressedOnlyForFirmwareLaterThan4v0OfThatMachine)
{
    trovtest::TempDir dir;
    std::string source = WriteSource(dir, "app.lmx", StandardSections());
    struct Case {
        int major, minor;
        bool compressed;
    } cases[] = {{4, 0, false}, {4, 2, true}, {5, 0, true}, {-1, -1, false}, {-1, 3, false}, {4, -1, false}};
    // Machines in this order: the decision is each machine's own, whatever
    // machine was examined last.
    for (const Case& c : cases) {
        auto machine = Machine(c.major, c.minor);
        EXPECT_EQ(c.compressed, FirmwareTakesCompressedApp(*machine)) << c.major << "v" << c.minor;
        CInstallTempFile file;
        CString failure;
        ASSERT_TRUE(BuildMachineInstallFile(*machine, source.c_str(), "Line2", file, &failure)) << failure;
        ASSERT_TRUE(file.IsCreated());
        // The system's naming keeps the prefix's first three characters at least.
        EXPECT_NE(std::string::npos, std::string(file.GetPath()).find("tro")) << file.GetPath();
        Built built(file.GetPath());
        int encrypted = 0;
        EXPECT_EQ(AppText(), built.Content("app", &encrypted)) << c.major << "v" << c.minor;
        EXPECT_EQ(1, encrypted) << "app is always encrypted";
        EXPECT_EQ(c.compressed, built.IsCompressed("app")) << c.major << "v" << c.minor;
        built.container.Close();
        std::string path = file.GetPath();
        file.Remove();
        EXPECT_FALSE(AppFileExists(path.c_str()));
    }
}

TEST(AppInstall, SectionsBeforeTheIdAreReadWithTheFilesKey)
{
    trovtest::TempDir dir;
    std::vector<Section> sections = StandardSections();
    std::rotate(sections.begin(), sections.begin() + 1, sections.end()); // id last
    std::string source = WriteSource(dir, "late-id.lmx", sections);
    std::string output = dir.File("out.lmx");
    ASSERT_EQ(1, BuildInstallFile(output.c_str(), source.c_str(), "Base", false));
    Built built(output);
    EXPECT_EQ((std::vector<std::string>{"setup", "app", "info", "id"}), built.names);
    EXPECT_EQ(AppText(), built.Content("app"));
}

TEST(AppInstall, SetupWithoutDataSetsIsLeftOut)
{
    trovtest::TempDir dir;
    for (const char* setup : {"<SETUPS></SETUPS>", "<SETUPS><OTHER/></SETUPS>", "<SETUPS><SETUP>"}) {
        std::vector<Section> sections = StandardSections();
        sections[1].content = setup;
        std::string source = WriteSource(dir, "app.lmx", sections);
        std::string output = dir.File("out.lmx");
        ASSERT_EQ(1, BuildInstallFile(output.c_str(), source.c_str(), "Base", true)) << setup;
        Built built(output);
        EXPECT_EQ((std::vector<std::string>{"id", "app", "info"}), built.names) << setup;
    }
}

TEST(AppInstall, FailureLeavesNoFileBehind)
{
    trovtest::TempDir dir;
    std::string good = WriteSource(dir, "good.lmx", StandardSections());
    std::vector<Section> noApp = StandardSections();
    noApp.erase(noApp.begin() + 2);
    std::string withoutApp = WriteSource(dir, "noapp.lmx", noApp);
    // A packed section whose stated unpacked length is wrong cannot be read.
    std::string damaged = dir.File("damaged.lmx");
    {
        std::string bytes = trovtest::TempDir::Read(good);
        CGAppContainer c;
        ASSERT_NE(0, c.Open(good.c_str()));
        const CGAppSection* app = c.GetFirstSection()->m_next->m_next;
        ASSERT_EQ("app", app->m_name);
        bytes[(size_t)app->m_offset + 24] ^= 0x5A; // the stated unpacked length
        dir.Write("damaged.lmx", bytes);
    }
    dir.Write("text.lmx", "not an application");
    struct Case {
        const char* what;
        std::string source;
        std::string output;
    } cases[] = {
        {"missing source", dir.File("none.lmx"), dir.File("out1.lmx")},
        {"not an application", dir.File("text.lmx"), dir.File("out2.lmx")},
        {"no app section", withoutApp, dir.File("out3.lmx")},
        {"damaged app section", damaged, dir.File("out4.lmx")},
        {"output folder missing", good, dir.File("missing/out5.lmx")},
    };
    for (const Case& c : cases) {
        // The caller's temporary file exists before the build.
        if (c.output.find("missing/") == std::string::npos)
            dir.Write(c.output.substr(dir.Path().size() + 1), "");
        CString failure;
        EXPECT_EQ(0, BuildInstallFile(c.output.c_str(), c.source.c_str(), "Base", true, &failure)) << c.what;
        EXPECT_FALSE(failure.IsEmpty()) << c.what;
        EXPECT_FALSE(AppFileExists(c.output.c_str())) << c.what;
    }

    auto machine = Machine(4, 2);
    CInstallTempFile file;
    CString failure;
    EXPECT_FALSE(BuildMachineInstallFile(*machine, withoutApp.c_str(), "Base", file, &failure));
    EXPECT_FALSE(file.IsCreated());
    EXPECT_STREQ("Can't find APP part in lmx file", failure);

    // A temporary file goes with its object on every path.
    std::string path;
    {
        CInstallTempFile kept;
        ASSERT_TRUE(BuildMachineInstallFile(*machine, good.c_str(), "Base", kept));
        path = kept.GetPath();
        EXPECT_TRUE(AppFileExists(path.c_str()));
    }
    EXPECT_FALSE(AppFileExists(path.c_str()));
}

TEST(AppInstall, ApplicationFileIsReadOrRefusedWithItsMessage)
{
    trovtest::TempDir dir;
    std::string good = WriteSource(dir, "good.lmx", StandardSections());
    CInstallApplication application;
    CString message;
    ASSERT_TRUE(ReadInstallApplication(good.c_str(), application, message)) << message;
    EXPECT_STREQ(kInstallId, application.m_identity);
    ASSERT_EQ(2u, application.m_dataSetNames.size());
    EXPECT_STREQ("Base", application.m_dataSetNames[0]);
    EXPECT_STREQ("Line2", application.m_dataSetNames[1]);
    EXPECT_STREQ("4.2.1", application.m_version);

    auto without = [&](size_t index) {
        std::vector<Section> s = StandardSections();
        s.erase(s.begin() + (long)index);
        return s;
    };
    auto with = [&](size_t index, const char* content) {
        std::vector<Section> s = StandardSections();
        s[index].content = content;
        return s;
    };
    const char* notV4 = "The selected app is not version 4. Update it or install with an earlier version.";
    struct Case {
        const char* what;
        std::string path;
        const char* message;
    } cases[] = {
        {"missing file", dir.File("none.lmx"), "Can't open that App file"},
        {"no setup", WriteSource(dir, "a.lmx", without(1)), notV4},
        {"setup of another root", WriteSource(dir, "b.lmx", with(1, "<SETUP/>")), notV4},
    };
    for (const Case& c : cases) {
        CString text;
        EXPECT_FALSE(ReadInstallApplication(c.path.c_str(), application, text)) << c.what;
        EXPECT_STREQ(c.message, text) << c.what;
    }
}

TEST(AppInstall, TheAppPartIsCheckedAfterTheMachinesBelowV4WereAnnounced)
{
    trovtest::TempDir dir;
    std::vector<Section> noApp = StandardSections();
    noApp.erase(noApp.begin() + 2);
    std::vector<Section> foreignApp = StandardSections();
    foreignApp[2].content = "<DRBv2/>";
    const std::string good = WriteSource(dir, "good.lmx", StandardSections());
    const std::string missing = WriteSource(dir, "c.lmx", noApp);
    const std::string foreign = WriteSource(dir, "d.lmx", foreignApp);
    const char* skipOld = "old is not running a v4 firmware and will be skipped.";
    struct Case {
        const char* what;
        std::string path;
        bool withNewMachine;
        bool goesOn;
        std::vector<std::string> messages;
    } cases[] = {
        {"no app part, only an old machine", missing, false, false, {skipOld}},
        {"no app part, a machine left", missing, true, false, {skipOld, "Can't find APP part in lmx file"}},
        {"app of another root, a machine left", foreign, true, false, {skipOld, "Invalid app in file"}},
        {"good file", good, true, true, {skipOld}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CInstallApplication application;
        CString message;
        ASSERT_TRUE(ReadInstallApplication(c.path.c_str(), application, message)) << message;
        auto old = Machine(3, 9, kInstallId, "Base", 1, "old");
        auto current = Machine(4, 2, kInstallId, "Base", 1, "new");
        CMachineList machines;
        machines.AddTail(old.get());
        if (c.withNewMachine)
            machines.AddTail(current.get());
        std::vector<CString> messages;
        EXPECT_EQ(c.goesOn, CheckInstallSelection(application, machines, messages));
        std::vector<std::string> texts;
        for (const CString& m : messages)
            texts.push_back((const char*)m);
        EXPECT_EQ(c.messages, texts);
    }
}

TEST(AppInstall, MachinesBelowV4AreSkippedWithAMessage)
{
    auto a = Machine(3, 9, kInstallId, "Base", 1, "north");
    auto b = Machine(4, 0, kInstallId, "Base", 1, "east");
    auto c = Machine(-1, -1, kInstallId, "Base", 1, "south");
    auto d = Machine(0, 0, kInstallId, "Base", 1, "west");
    CMachineList list;
    for (CMachine* m : {a.get(), b.get(), c.get(), d.get()})
        list.AddTail(m);
    std::vector<CString> messages;
    RemoveMachinesBelowV4(list, messages);
    ASSERT_EQ(2u, messages.size());
    EXPECT_STREQ("north is not running a v4 firmware and will be skipped.", messages[0]);
    EXPECT_STREQ("west is not running a v4 firmware and will be skipped.", messages[1]);
    ASSERT_EQ(2, list.GetCount());
    EXPECT_EQ(b.get(), list.GetHead());
    EXPECT_EQ(c.get(), list.GetTail());
}

TEST(AppInstall, UpdateOnlyWhenEveryMachineRunsTheApplication)
{
    const char* other = "00000000-0000-0000-0000-000000000000";
    struct M {
        const char* guid;
        const char* setup;
        int ifNumber;
    };
    struct Case {
        const char* what;
        std::vector<M> machines;
        const char* identity;
        bool allowed;
        const char* current;
    } cases[] = {
        {"same application, same data set", {{kInstallId, "Base", 1}, {kInstallId, "Base", 1}}, kInstallId, true, "Base"},
        {"same application, other data sets", {{kInstallId, "Line2*", 1}, {kInstallId, "Base", 2}}, kInstallId, true, "Line2"},
        // A differing data set before a machine running another application
        // must not let "Update" through.
        {"other data set, then another application", {{kInstallId, "Base", 1}, {kInstallId, "Line2", 1}, {other, "Base", 1}},
         kInstallId, false, "Base"},
        {"first runs another application", {{other, "Base", 1}, {kInstallId, "Base", 1}}, kInstallId, false, "Base"},
        {"file without identity", {{"", "Base", 1}}, "", false, "Base"},
        {"not answered on an interface", {{kInstallId, "Base", 0}}, kInstallId, true, ""},
        {"one mark only", {{kInstallId, "A**", 1}}, kInstallId, true, "A*"},
    };
    for (const Case& c : cases) {
        std::vector<std::unique_ptr<CMachine>> owned;
        CMachineList list;
        for (const M& m : c.machines) {
            owned.push_back(Machine(4, 1, m.guid, m.setup, m.ifNumber));
            list.AddTail(owned.back().get());
        }
        CInstallUpdateChoice choice = DecideInstallUpdate(list, c.identity);
        EXPECT_EQ(c.allowed, choice.m_updateAllowed) << c.what;
        EXPECT_STREQ(c.current, choice.m_currentDataSet) << c.what;
    }
    CMachineList empty;
    EXPECT_FALSE(DecideInstallUpdate(empty, kInstallId).m_updateAllowed);
}

