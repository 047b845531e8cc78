// The owning machine map: order, storing, saved addresses, MACHINE lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MachineMap.h"
#include "support/GXml.h"

namespace {

std::vector<uint32_t> KeysInOrder(const CMachineMap& map)
{
    std::vector<uint32_t> keys;
    POSITION pos = map.GetStartPosition();
    while (pos) {
        CIpAddress key;
        CMachine* machine;
        map.GetNextAssoc(pos, key, machine);
        keys.push_back(key.GetValue());
    }
    return keys;
}

CMachine* Add(CMachineMap& map, uint32_t address, int saved, const char* mac = "", int ifNumber = 0)
{
    CMachine* m = new CMachine(CIpAddress(address), saved);
    m->m_mac = mac;
    m->m_ifNumber = ifNumber;
    map.SetMachine(CIpAddress(address), m);
    return m;
}

} // namespace

TEST(MachineMap, WalksBucketsInOrderNewestFirstWithinABucket)
{
    CMachineMap map;
    EXPECT_EQ(17u, map.GetHashTableSize());
    // Addresses that share a bucket, and some that do not.
    std::vector<uint32_t> added;
    for (uint32_t a = 0x0A000001; added.size() < 40; ++a) {
        Add(map, a, 1);
        added.push_back(a);
    }
    std::vector<uint32_t> keys = KeysInOrder(map);
    ASSERT_EQ(added.size(), keys.size());
    for (size_t i = 1; i < keys.size(); ++i) {
        uint32_t b0 = CIpAddress::Hash(keys[i - 1]) % 17, b1 = CIpAddress::Hash(keys[i]) % 17;
        ASSERT_LE(b0, b1);
        if (b0 == b1) {
            // Within a bucket the later-added address comes first.
            size_t p0 = std::find(added.begin(), added.end(), keys[i - 1]) - added.begin();
            size_t p1 = std::find(added.begin(), added.end(), keys[i]) - added.begin();
            EXPECT_GT(p0, p1);
        }
    }
}

TEST(MachineMap, SetMachineMovesReplacesAndKeeps)
{
    CMachineMap map;
    CMachine* a = Add(map, 1, 1);
    map.SetMachine(CIpAddress(1), a); // already there: nothing
    EXPECT_EQ(1, map.GetCount());
    map.SetMachine(CIpAddress(2), a); // moves: the old key goes
    EXPECT_EQ(1, map.GetCount());
    EXPECT_EQ(nullptr, map.Find(CIpAddress(1)));
    EXPECT_EQ(a, map.Find(CIpAddress(2)));
    CMachine* b = new CMachine(CIpAddress(2), 1);
    map.SetMachine(CIpAddress(2), b); // a is deleted (ASan would see a leak otherwise)
    EXPECT_EQ(b, map.Find(CIpAddress(2)));
    EXPECT_EQ(1, map.GetCount());
    // A view hands the replaced machine to its row instead.
    CMachine* c = new CMachine(CIpAddress(2), 1);
    CMachine* replaced = nullptr;
    map.SetMachine(CIpAddress(2), c, &replaced);
    EXPECT_EQ(b, replaced);
    EXPECT_EQ(c, map.Find(CIpAddress(2)));
    delete replaced;
    EXPECT_TRUE(map.Detach(c));
    EXPECT_EQ(0, map.GetCount());
    delete c;
}

TEST(MachineMap, FindByMacAndIfNeedsBoth)
{
    CMachineMap map;
    Add(map, 1, 0, "AA", 1);
    CMachine* saved = Add(map, 2, 1, "AA", 2);
    EXPECT_EQ(saved, map.FindByMacAndIf("AA", 2));
    EXPECT_NE(nullptr, map.FindByMacAndIf("AA", 1));
    EXPECT_EQ(nullptr, map.FindByMacAndIf("aa", 1));
    EXPECT_EQ(nullptr, map.FindByMacAndIf("AA", 3));
}

TEST(MachineMap, ApplySavedAddressesMakesExactlyTheListSaved)
{
    CMachineMap map;
    Add(map, 1, 1);
    Add(map, 2, 0);
    Add(map, 3, 1);
    CListIpAddresses list;
    list.AddUnique(CIpAddress(2));
    list.AddUnique(CIpAddress(4));
    map.ApplySavedAddresses(list);
    EXPECT_EQ(nullptr, map.Find(CIpAddress(1)));
    EXPECT_EQ(nullptr, map.Find(CIpAddress(3)));
    ASSERT_NE(nullptr, map.Find(CIpAddress(2)));
    EXPECT_EQ(1, map.Find(CIpAddress(2))->m_inList);
    ASSERT_NE(nullptr, map.Find(CIpAddress(4)));
    EXPECT_EQ(1, map.Find(CIpAddress(4))->m_inList);

    CListIpAddresses saved;
    map.CollectSavedAddresses(saved);
    EXPECT_EQ(2, saved.GetCount());
    CListIpAddresses keys;
    map.CollectKeys(keys);
    EXPECT_EQ(2, keys.GetCount());
}

// A saved machine that answered from a new address keeps its key (the
// address machines.xml holds) while carrying the new address: the list the
// "Add machines" dialog starts from, the lookup and the removal all go by
// the key, so confirming the list unchanged changes nothing.
TEST(MachineMap, ApplyingTheUnchangedSavedListKeepsAMachineThatMoved)
{
    CMachineMap map;
    CMachine* moved = Add(map, 0x0A000001, 1, "00:11:22:33:44:55", 1);
    moved->m_hostName = "press-7";
    moved->m_address = CIpAddress(0x0A000002);
    Add(map, 0x0A000003, 1);

    CListIpAddresses saved;
    map.CollectSavedAddresses(saved);
    ASSERT_EQ(2, saved.GetCount());
    EXPECT_TRUE(saved.Contains(CIpAddress(0x0A000001)));
    map.ApplySavedAddresses(saved);

    EXPECT_EQ(2, map.GetCount());
    EXPECT_EQ(moved, map.Find(CIpAddress(0x0A000001)));
    EXPECT_EQ(nullptr, map.Find(CIpAddress(0x0A000002)));
    EXPECT_STREQ("press-7", moved->m_hostName);
    CListIpAddresses again;
    map.CollectSavedAddresses(again);
    EXPECT_EQ(2, again.GetCount());

    // Dropping its key from the list removes it.
    CListIpAddresses without;
    without.AddUnique(CIpAddress(0x0A000003));
    map.ApplySavedAddresses(without);
    EXPECT_EQ(1, map.GetCount());
    EXPECT_EQ(nullptr, map.Find(CIpAddress(0x0A000001)));
}

TEST(MachineMap, MachinesListRoundTripAndDuplicateKeys)
{
    const char* xml =
        "<MACHINES>"
        "<MACHINE><HOSTNAME>first</HOSTNAME><KEY>10.0.0.1</KEY></MACHINE>"
        "<MACHINE><HOSTNAME>second</HOSTNAME><KEY>10.0.0.2</KEY></MACHINE>"
        "<MACHINE><HOSTNAME>later</HOSTNAME><KEY>10.0.0.1</KEY></MACHINE>"
        "<OTHER><HOSTNAME>any name</HOSTNAME><KEY>10.0.0.3</KEY></OTHER>"
        "<MACHINE><HOSTNAME>no key</HOSTNAME><IF1><IP>10.0.0.4</IP></IF1></MACHINE>"
        "<MACHINE><HOSTNAME>nothing</HOSTNAME><KEY>x</KEY></MACHINE>"
        "</MACHINES>";
    CGXml document;
    char error[256];
    ASSERT_EQ(kXmlOk, document.ParseText("test", xml, error, sizeof error, "MACHINES"));
    CMachineMap map;
    EXPECT_EQ(1, map.LoadFromXml(document.GetRoot())); // the one without any address
    EXPECT_EQ(4, map.GetCount());
    EXPECT_STREQ("later", map.Find(CIpAddress(0x0A000001))->m_hostName);
    EXPECT_STREQ("any name", map.Find(CIpAddress(0x0A000003))->m_hostName);
    EXPECT_STREQ("no key", map.Find(CIpAddress(0x0A000004))->m_hostName);
    EXPECT_EQ(1, map.Find(CIpAddress(0x0A000002))->m_inList);

    // Written back in map order; unsaved machines are left out.
    Add(map, 0x0A000009, 0);
    CGTextStore store;
    CGXml out(&store, "MACHINES", nullptr);
    map.WriteSavedToXml(&store, out.GetRoot());
    std::vector<std::string> keys;
    for (const CGXmlNode* m = out.GetRoot()->GetFirstChild(); m; m = m->GetNext())
        keys.push_back(m->FindChild("KEY")->GetText());
    std::vector<std::string> expected;
    for (uint32_t k : KeysInOrder(map))
        if (k != 0x0A000009)
            expected.push_back((const char*)CIpAddressText(k));
    EXPECT_EQ(expected, keys);
}

TEST(MachineMap, BlinkCountsRunDown)
{
    CMachineMap map;
    CMachine* a = Add(map, 1, 0);
    CMachine* b = Add(map, 2, 0);
    a->m_identBlink = 2;
    map.TickIdentBlink();
    map.TickIdentBlink();
    map.TickIdentBlink();
    EXPECT_EQ(0, a->m_identBlink);
    EXPECT_EQ(0, b->m_identBlink);
}

TEST(MachineMap, ReplacingTheMachineOfAnAddressKeepsItsPlace)
{
    CMachineMap map;
    for (uint32_t a = 1; a <= 30; ++a)
        Add(map, a, 1);
    std::vector<uint32_t> before = KeysInOrder(map);
    Add(map, 7, 1); // a new machine under an address already present
    EXPECT_EQ(before, KeysInOrder(map));
    EXPECT_EQ(30, map.GetCount());
}
