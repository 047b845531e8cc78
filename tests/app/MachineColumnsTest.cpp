// What the machine lists show: cell texts, sort order of every column, row
// colours, duplicate marks and filters.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/Machine.h"
#include "app/MachineColumns.h"

namespace {

std::unique_ptr<CMachine> NewMachine(const char* address)
{
    CIpAddress a;
    a.Parse(address);
    return std::make_unique<CMachine>(a, 1, CMachine::kNoGuid);
}

} // namespace

TEST(MachineColumns, CellTexts)
{
    auto m = NewMachine("10.0.0.5");
    m->m_hostName = "press & line";
    m->m_config = "plant.lmx";
    m->m_appVersion = "1v2r3";
    m->m_setup = "Base";
    m->m_ifNumber = 0;
    m->SetVersion("4v2r11-b3");
    m->m_ioFirmware = "HW 1.2 SW 3.4";
    m->m_mac = "00:11";
    m->m_comment = "c";
    const char* expected[] = {"10.0.0.5", "press & line", "plant", "1v2r3", "", "4v2r11-b3", "HW 1.2 SW 3.4",
                              "00:11",    "",             "c"};
    for (int c = 0; c < kMachineColumnCount; ++c)
        EXPECT_STREQ(expected[c], MachineColumnText(*m, c)) << c;
    m->m_ifNumber = 2;
    EXPECT_STREQ("Base", MachineColumnText(*m, kColumnDataSet));
    EXPECT_STREQ("2", MachineColumnText(*m, kColumnEthPort));
    EXPECT_STREQ("", MachineColumnText(*m, 10));

    struct {
        const char* config;
        const char* shown;
    } names[] = {{".lmx", ".lmx"}, {"a.lmx", "a"}, {"a.LMX", "a.LMX"}, {"lmx", "lmx"}, {"x.lmx.bak", "x.lmx.bak"}};
    for (auto& n : names) {
        m->m_config = n.config;
        EXPECT_STREQ(n.shown, MachineColumnText(*m, kColumnAppName)) << n.config;
    }
    EXPECT_STREQ("a&&b&&&&", DoubleAmpersands("a&b&&"));
}

TEST(MachineColumns, EveryColumnSortsAscendingByItsOwnRule)
{
    // For each column: a machine that comes first and one that comes after.
    struct Case {
        int column;
        void (*first)(CMachine&);
        void (*second)(CMachine&);
    } cases[] = {
        // addresses as unsigned numbers, not as text
        {kColumnAddress, [](CMachine& m) { m.m_address = CIpAddress(0x0A000005); },
         [](CMachine& m) { m.m_address = CIpAddress(0xC0A80102); }},
        {kColumnDeviceId, [](CMachine& m) { m.m_hostName = "B"; }, [](CMachine& m) { m.m_hostName = "a"; }},
        // the whole CONFIG text
        {kColumnAppName, [](CMachine& m) { m.m_config = "a.lmx"; }, [](CMachine& m) { m.m_config = "a.lmxz"; }},
        // versions as numbers: 1v10r0 after 1v9r5; a text that does not scan is 0
        {kColumnAppVersion, [](CMachine& m) { m.m_appVersion = "1v9r5"; },
         [](CMachine& m) { m.m_appVersion = "1v10r0"; }},
        {kColumnAppVersion, [](CMachine& m) { m.m_appVersion = "beta"; },
         [](CMachine& m) { m.m_appVersion = "0v0r1"; }},
        // the cell text: no data set for interface 0
        {kColumnDataSet, [](CMachine& m) { m.m_setup = "Z"; m.m_ifNumber = 0; },
         [](CMachine& m) { m.m_setup = "A"; m.m_ifNumber = 1; }},
        {kColumnFirmware, [](CMachine& m) { m.SetVersion("4v2r11-x"); }, [](CMachine& m) { m.SetVersion("4v3r0-a"); }},
        {kColumnFirmware, [](CMachine& m) { m.SetVersion("unknown"); }, [](CMachine& m) { m.SetVersion("0v0r0-a"); }},
        {kColumnIoFirmware, [](CMachine& m) { m.m_ioFirmware = "HW 1.9 SW 9.9"; },
         [](CMachine& m) { m.m_ioFirmware = "HW 2.0 SW 0.0"; }},
        {kColumnIoFirmware, [](CMachine& m) { m.m_ioFirmware = "garbage"; },
         [](CMachine& m) { m.m_ioFirmware = "HW 0.0 SW 0.1"; }},
        {kColumnSystemId, [](CMachine& m) { m.m_mac = "00:AA"; }, [](CMachine& m) { m.m_mac = "00:aa"; }},
        {kColumnEthPort, [](CMachine& m) { m.m_ifNumber = 1; }, [](CMachine& m) { m.m_ifNumber = 2; }},
        {kColumnComment, [](CMachine& m) { m.m_comment = ""; }, [](CMachine& m) { m.m_comment = " "; }},
    };
    for (const Case& c : cases) {
        auto a = NewMachine("1.1.1.1");
        auto b = NewMachine("1.1.1.1");
        c.first(*a);
        c.second(*b);
        EXPECT_LT(CompareMachineColumn(*a, *b, c.column), 0) << "column " << c.column;
        EXPECT_GT(CompareMachineColumn(*b, *a, c.column), 0) << "column " << c.column;
        EXPECT_EQ(0, CompareMachineColumn(*a, *a, c.column)) << "column " << c.column;
    }
    EXPECT_EQ((4 << 24) | (3 << 16) | (2 << 8) | 1, (int)IoFirmwareSortKey("HW 4.3   SW 2.1"));
    EXPECT_EQ(0u, IoFirmwareSortKey("HW 4.3"));
    EXPECT_EQ(0, AppVersionSortKey("4v2"));
    EXPECT_EQ(4 * 65536 + 2 * 256 + 11, AppVersionSortKey("4v2r11-b3"));
}

TEST(MachineColumns, RowColours)
{
    auto m = NewMachine("10.0.0.1");
    EXPECT_EQ(kRowColourPending, MachineRowColour(*m, false)); // new
    m->m_state = kMachineNotAnswered;
    EXPECT_EQ(kRowColourPending, MachineRowColour(*m, false));
    m->m_state = kMachineAnswered;
    EXPECT_EQ(kRowColourAnswered, MachineRowColour(*m, true)); // no blink count
    m->m_duplicate = 1;
    EXPECT_EQ(kRowColourDuplicate, MachineRowColour(*m, false));
    m->m_identBlink = 3;
    EXPECT_EQ(kRowColourBlink, MachineRowColour(*m, true));
    EXPECT_EQ(kRowColourDuplicate, MachineRowColour(*m, false));
}

namespace {

std::unique_ptr<CMachine> Answered(const char* ip, int ifNumber, const char* mac)
{
    auto m = NewMachine(ip);
    m->m_ifNumber = ifNumber;
    m->m_ifValues[ifNumber == 2 ? kIf2Ip : kIf1Ip] = ip;
    m->m_mac = mac;
    return m;
}

std::vector<const CMachine*> Rows(const std::vector<std::unique_ptr<CMachine>>& machines)
{
    std::vector<const CMachine*> rows;
    for (auto& m : machines)
        rows.push_back(m.get());
    return rows;
}

} // namespace

TEST(MachineColumns, DuplicateMarks)
{
    std::vector<std::unique_ptr<CMachine>> discovered, saved;
    discovered.push_back(Answered("10.0.0.7", 1, "AA"));
    discovered.push_back(Answered("10.0.0.7", 2, "BB"));  // same address on another interface
    discovered.push_back(Answered("10.0.0.8", 1, "CC"));
    discovered.push_back(Answered("10.0.0.9", 1, "DD"));
    discovered.push_back(Answered("10.0.0.010", 1, "EE")); // 10.0.0.10 written differently
    saved.push_back(Answered("10.0.0.7", 1, "AA"));  // same MAC as one of the two, different from the other
    saved.push_back(Answered("10.0.0.8", 1, "CC"));  // same controller: no mark
    saved.push_back(Answered("10.0.0.9", 1, "XX"));  // another controller at a discovered address
    saved.push_back(Answered("10.0.0.10", 1, "FF"));
    saved.push_back(Answered("10.0.0.11", 1, "GG")); // twice in the saved list only: no mark
    saved.push_back(Answered("10.0.0.11", 1, "HH"));
    std::vector<char> marks, otherMarks;
    ComputeDuplicateMarks(Rows(discovered), Rows(saved), &marks, &otherMarks);
    EXPECT_EQ((std::vector<char>{1, 1, 0, 1, 1}), marks);
    EXPECT_EQ((std::vector<char>{1, 0, 1, 1, 0, 0}), otherMarks);
}

TEST(MachineColumns, DuplicateMarksOfUnusualAddresses)
{
    std::vector<std::unique_ptr<CMachine>> rows;
    rows.push_back(Answered("", 1, "A"));     // empty: never a duplicate
    rows.push_back(Answered("", 1, "B"));
    rows.push_back(Answered("junk", 1, "C")); // does not scan: 0.0.0.0
    rows.push_back(Answered("0.0.0.0", 1, "D"));
    auto never = NewMachine("10.1.1.1");     // answered on no interface: by its address
    never->m_ifValues[kIf1Ip] = "10.9.9.9";
    rows.push_back(std::move(never));
    rows.push_back(Answered("10.1.1.1", 1, "E"));
    std::vector<char> marks, otherMarks;
    ComputeDuplicateMarks(Rows(rows), {}, &marks, &otherMarks);
    EXPECT_EQ((std::vector<char>{0, 0, 1, 1, 1, 1}), marks);
    EXPECT_TRUE(otherMarks.empty());
}

TEST(MachineColumns, DuplicateMarksOfManyRowsTakeLinearTime)
{
    // 20,000 distinct addresses and one pair: a pairwise comparison would
    // take 2*10^8 steps, far beyond a test's time under the sanitizers.
    std::vector<std::unique_ptr<CMachine>> rows, saved;
    char ip[32];
    for (int i = 0; i < 20000; ++i) {
        snprintf(ip, sizeof ip, "10.%d.%d.%d", i >> 16, (i >> 8) & 255, i & 255);
        rows.push_back(Answered(ip, 1, "M"));
        saved.push_back(Answered(ip, 1, "M"));
    }
    rows.push_back(Answered("10.0.0.3", 1, "N"));
    std::vector<char> marks, otherMarks;
    ComputeDuplicateMarks(Rows(rows), Rows(saved), &marks, &otherMarks);
    EXPECT_EQ(1, marks[3]);
    EXPECT_EQ(1, marks.back());
    EXPECT_EQ(0, marks[4]);
    EXPECT_EQ(1, otherMarks[3]); // a discovered row with another MAC shows it
    EXPECT_EQ(0, otherMarks[4]);
}

TEST(MachineColumns, Filters)
{
    auto m = NewMachine("10.1.2.3");
    m->m_hostName = "Press";
    m->m_ifNumber = 1;
    CColumnFilterMap filters;
    EXPECT_TRUE(MachinePassesFilters(*m, filters));
    filters.SetAt(kColumnAddress, "10.1");
    EXPECT_TRUE(MachinePassesFilters(*m, filters));
    filters.SetAt(kColumnDeviceId, "press"); // case-sensitive
    EXPECT_FALSE(MachinePassesFilters(*m, filters));
    filters.SetAt(kColumnDeviceId, "ress");
    EXPECT_TRUE(MachinePassesFilters(*m, filters));
    filters.SetAt(kColumnEthPort, "1");
    EXPECT_TRUE(MachinePassesFilters(*m, filters));
    filters.SetAt(kColumnAddress, "10.2");
    EXPECT_FALSE(MachinePassesFilters(*m, filters));
    filters.RemoveKey(kColumnAddress);
    filters.SetAt(kColumnComment, "");
    EXPECT_TRUE(MachinePassesFilters(*m, filters));
}
