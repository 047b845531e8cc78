// Discovery replies: matching to known machines, the saved list, and
// hostile datagrams that must change nothing.
#include <gtest/gtest.h>

#include <string>

#include "app/Discovery.h"
#include "app/MachineMap.h"
#include "support/GXml.h"
#include "tests/app/DiscoveryTestSupport.h"
#include "tests/common/SimController.h"

namespace trovtest {

std::string DescribeMap(const CMachineMap& map)
{
    std::string out;
    POSITION pos = map.GetStartPosition();
    while (pos) {
        CIpAddress key;
        CMachine* m;
        map.GetNextAssoc(pos, key, m);
        out += std::string(CIpAddressText(key)) + "=" + (const char*)CIpAddressText(m->m_address) + "/" +
               (const char*)m->m_mac + "/" + std::to_string(m->m_ifNumber) + "/" + (const char*)m->m_hostName + "/" +
               std::to_string(m->m_state) + ";";
    }
    return out;
}

} // namespace trovtest

namespace {

using trovtest::FakeDiscoveryView;
using trovtest::SimControllerIdentity;

SimControllerIdentity Controller(const char* ip, const char* mac)
{
    SimControllerIdentity id;
    id.if1Ip = ip;
    id.mac = mac;
    return id;
}

class DiscoveryTest : public ::testing::Test {
protected:
    DiscoveryOutcome Receive(const std::string& text, uint32_t sender = 0x7F000001)
    {
        return discovery.ProcessDatagram(text.data(), (int)text.size(), sender);
    }
    DiscoveryOutcome Receive(const SimControllerIdentity& id) { return Receive(trovtest::BuildSimReply(id)); }

    FakeDiscoveryView view;
    CDiscovery discovery{view, &view};
};

} // namespace

TEST_F(DiscoveryTest, EveryReplyFieldReachesTheMachine)
{
    SimControllerIdentity id;
    id.ifNumber = "2";
    id.if1Dhcp = "DHCP";
    id.if1Ip = "10.1.0.5";
    id.if1Netmask = "255.255.0.0";
    id.if1Gateway = "10.1.0.254";
    id.if2Dhcp = "Static";
    id.if2Ip = "192.168.7.5";
    id.if2Netmask = "255.255.255.0";
    id.hostName = "Mixer 3";
    id.comment = "hall & yard";
    id.config = "plant.lmx";
    id.setup = "Night";
    id.appVersion = "2v1r4";
    id.appGuid = "0a1b2c3d-0000-1111-2222-333344445555";
    id.version = "4v2r11-b3";
    id.altera = "HW 1.2 SW 3.4";
    id.mac = "00:0A:0B:0C:0D:0E";
    id.identButton = true;
    ASSERT_EQ(kDatagramTaken, Receive(id));
    CMachine* m = view.discovered.Find(CIpAddress(0xC0A80705));
    ASSERT_NE(nullptr, m);
    EXPECT_EQ(CIpAddress(0xC0A80705), m->m_address);
    EXPECT_EQ(2, m->m_ifNumber);
    EXPECT_STREQ("DHCP", m->m_ifValues[kIf1Dhcp]);
    EXPECT_STREQ("10.1.0.5", m->m_ifValues[kIf1Ip]);
    EXPECT_STREQ("255.255.0.0", m->m_ifValues[kIf1Netmask]);
    EXPECT_STREQ("10.1.0.254", m->m_ifValues[kIf1Gateway]);
    EXPECT_STREQ("Static", m->m_ifValues[kIf2Dhcp]);
    EXPECT_STREQ("192.168.7.5", m->m_ifValues[kIf2Ip]);
    EXPECT_STREQ("255.255.255.0", m->m_ifValues[kIf2Netmask]);
    EXPECT_STREQ("Mixer 3", m->m_hostName);
    EXPECT_STREQ("hall & yard", m->m_comment);
    EXPECT_STREQ("plant.lmx", m->m_config);
    EXPECT_STREQ("Night", m->m_setup);
    EXPECT_STREQ("2v1r4", m->m_appVersion);
    EXPECT_STREQ("0a1b2c3d-0000-1111-2222-333344445555", m->m_appGuid);
    EXPECT_STREQ("4v2r11-b3", m->GetFirmwareText());
    EXPECT_STREQ("HW 1.2 SW 3.4", m->m_ioFirmware);
    EXPECT_STREQ("00:0A:0B:0C:0D:0E", m->m_mac);
    EXPECT_EQ(kBoardNone, m->m_boardType);
    EXPECT_EQ(kMachineAnswered, m->m_state);
    EXPECT_EQ(1, m->m_local);
    EXPECT_EQ(0, m->m_inList);
    EXPECT_EQ(59, m->m_identBlink);
    EXPECT_EQ(std::vector<CMachine*>{m}, view.shownDiscovered);
}

TEST_F(DiscoveryTest, ReplyWithoutIfIsKeyedByTheFirstInterface)
{
    SimControllerIdentity id = Controller("10.0.0.5", "AA");
    id.ifNumber = "";
    id.board = "K420";
    ASSERT_EQ(kDatagramTaken, Receive(id));
    CMachine* m = view.discovered.Find(CIpAddress(0x0A000005));
    ASSERT_NE(nullptr, m);
    EXPECT_EQ(1, m->m_ifNumber);
    EXPECT_EQ(kBoardK420, m->m_boardType);
    // The next reply of the same controller updates the same machine.
    ASSERT_EQ(kDatagramTaken, Receive(id));
    EXPECT_EQ(1, view.discovered.GetCount());
    EXPECT_TRUE(view.displaced.empty());
}

TEST_F(DiscoveryTest, ReplyNamingTheSecondInterfaceWithoutItsAddressIsDropped)
{
    SimControllerIdentity id = Controller("10.0.0.5", "AA");
    id.ifNumber = "2";
    EXPECT_EQ(kDatagramNoMachine, Receive(id));
    EXPECT_EQ(0, view.discovered.GetCount());
    EXPECT_TRUE(view.shownDiscovered.empty());
}

TEST_F(DiscoveryTest, ControllerWhoseAddressChangedMovesItsMachine)
{
    ASSERT_EQ(kDatagramTaken, Receive(Controller("10.0.0.5", "AA")));
    CMachine* first = view.discovered.Find(CIpAddress(0x0A000005));
    ASSERT_EQ(kDatagramTaken, Receive(Controller("10.0.0.9", "AA")));
    EXPECT_EQ(1, view.discovered.GetCount());
    EXPECT_EQ(first, view.discovered.Find(CIpAddress(0x0A000009)));
    EXPECT_EQ(CIpAddress(0x0A000009), first->m_address);
    EXPECT_TRUE(view.displaced.empty());
}

TEST_F(DiscoveryTest, MovingOntoAnOccupiedAddressLeavesTheOtherMachineWithItsRow)
{
    ASSERT_EQ(kDatagramTaken, Receive(Controller("10.0.0.5", "AA")));
    ASSERT_EQ(kDatagramTaken, Receive(Controller("10.0.0.9", "BB")));
    CMachine* a = view.discovered.Find(CIpAddress(0x0A000005));
    CMachine* b = view.discovered.Find(CIpAddress(0x0A000009));
    // AA now answers at BB's address: AA moves there; BB leaves the map but
    // stays alive for its row (the view deletes it with the row).
    ASSERT_EQ(kDatagramTaken, Receive(Controller("10.0.0.9", "AA")));
    EXPECT_EQ(a, view.discovered.Find(CIpAddress(0x0A000009)));
    EXPECT_EQ(1, view.discovered.GetCount());
    ASSERT_EQ(std::vector<CMachine*>{b}, view.displaced);
    EXPECT_STREQ("BB", b->m_mac); // still a live machine (ASan checks the read)
}

TEST_F(DiscoveryTest, TwoControllersOnOneAddressGiveTwoRows)
{
    ASSERT_EQ(kDatagramTaken, Receive(Controller("10.0.0.7", "AA")));
    CMachine* a = view.discovered.Find(CIpAddress(0x0A000007));
    ASSERT_EQ(kDatagramTaken, Receive(Controller("10.0.0.7", "BB")));
    CMachine* b = view.discovered.Find(CIpAddress(0x0A000007));
    EXPECT_NE(a, b);
    EXPECT_EQ(std::vector<CMachine*>{a}, view.displaced);
    EXPECT_EQ(2u, view.shownDiscovered.size());
}

TEST_F(DiscoveryTest, SavedMachineTakesTheReplyButKeepsItsKey)
{
    CMachine* saved = new CMachine(CIpAddress(0x0A000001), 1);
    saved->m_mac = "AA";
    saved->m_ifNumber = 1;
    view.saved.SetMachine(CIpAddress(0x0A000001), saved);
    SimControllerIdentity id = Controller("10.0.0.42", "AA");
    id.hostName = "moved";
    ASSERT_EQ(kDatagramTaken, Receive(id));
    ASSERT_EQ(std::vector<CMachine*>{saved}, view.shownSaved);
    EXPECT_EQ(saved, view.saved.Find(CIpAddress(0x0A000001)));
    EXPECT_EQ(CIpAddress(0x0A00002A), saved->m_address);
    EXPECT_STREQ("moved", saved->m_hostName);
    EXPECT_EQ(kMachineAnswered, saved->m_state);
    EXPECT_EQ(1, saved->m_inList);
    EXPECT_EQ(1, saved->m_local);
    // A controller the saved list does not know leaves it alone.
    ASSERT_EQ(kDatagramTaken, Receive(Controller("10.0.0.43", "CC")));
    EXPECT_EQ(1u, view.shownSaved.size());
}

TEST_F(DiscoveryTest, DebugFlagLogsThreeLinesPerReply)
{
    discovery.SetDebug(true);
    std::string reply = trovtest::BuildSimReply(Controller("10.0.0.5", "AA"));
    ASSERT_EQ(kDatagramTaken, Receive(reply, 0x0A000005));
    ASSERT_EQ(3u, view.log.size());
    EXPECT_EQ("Received message from 10.0.0.5", view.log[0]);
    EXPECT_EQ(reply, view.log[1]);
    EXPECT_EQ("Message OK", view.log[2]);
    EXPECT_EQ(kDatagramUnparsable, Receive("<nope", 0x0A000005));
    EXPECT_EQ("Message Error: Cannot parse", view.log.back());
    discovery.SetDebug(false);
    Receive(reply);
    EXPECT_EQ(6u, view.log.size()); // nothing more without the flag
}

TEST_F(DiscoveryTest, HostileDatagramsChangeNothing)
{
    // Known machines in both lists beforehand.
    ASSERT_EQ(kDatagramTaken, Receive(Controller("10.0.0.5", "AA")));
    CMachine* saved = new CMachine(CIpAddress(0x0A000001), 1);
    saved->m_ifNumber = 0; // as a machine added by address: empty MAC, interface 0
    view.saved.SetMachine(CIpAddress(0x0A000001), saved);
    const std::string before = trovtest::DescribeMap(view.discovered) + "|" + trovtest::DescribeMap(view.saved);
    view.shownDiscovered.clear();

    static const char kNulInside[] = "<TROV><IF1><IP>10.0.0.5</IP></IF1>\0<MAC>AA</MAC></TROV>";
    std::string deep;
    for (int i = 0; i < 300; ++i)
        deep += "<a>";
    struct Case {
        const char* name;
        std::string text;
        DiscoveryOutcome outcome;
    } cases[] = {
        {"empty", "", kDatagramUnparsable},
        {"probe echo", "Trov:KnockKnock", kDatagramUnparsable},
        {"oversize", "<TROV><IF1><IP>10.0.0.5</IP></IF1><MAC>AA</MAC><HOSTNAME>" + std::string(1000, 'x') +
                         "</HOSTNAME></TROV>",
         kDatagramOversize},
        {"truncated", "<TROV><IF1><IP>10.0.0.5</IP></IF1><MAC>AA</MAC><HOSTNAME>evil</HOST", kDatagramUnparsable},
        {"wrong root", "<MACHINES><IF1><IP>10.0.0.5</IP></IF1><MAC>AA</MAC></MACHINES>", kDatagramUnparsable},
        {"declaration", "<?xml version=\"1.0\"?><TROV><IF1><IP>10.0.0.5</IP></IF1><MAC>AA</MAC></TROV>",
         kDatagramUnparsable},
        {"too deep", "<TROV>" + deep, kDatagramUnparsable},
        {"no address", "<TROV><MAC>AA</MAC><HOSTNAME>evil</HOSTNAME></TROV>", kDatagramNoMachine},
        {"address does not scan", "<TROV><IF1><IP>evil</IP></IF1><MAC>AA</MAC></TROV>", kDatagramNoMachine},
        {"empty address", "<TROV><IF1><IP></IP></IF1><MAC>AA</MAC></TROV>", kDatagramNoMachine},
        {"no MAC", "<TROV><IF>0</IF><IF0><IP>10.0.0.1</IP></IF0><HOSTNAME>evil</HOSTNAME></TROV>",
         kDatagramNoMachine},
        {"empty MAC", "<TROV><IF1><IP>10.0.0.5</IP></IF1><MAC></MAC><HOSTNAME>evil</HOSTNAME></TROV>",
         kDatagramNoMachine},
        {"interface 0", "<TROV><IF>0</IF><IF0><IP>10.0.0.1</IP></IF0><MAC>AA</MAC></TROV>", kDatagramNoMachine},
        {"interface 7", "<TROV><IF>7</IF><IF7><IP>10.0.0.1</IP></IF7><MAC>AA</MAC></TROV>", kDatagramNoMachine},
        {"interface -1", "<TROV><IF>-1</IF><IF-1><IP>10.0.0.1</IP></IF-1><MAC>AA</MAC></TROV>",
         kDatagramNoMachine},
        {"interface text", "<TROV><IF>one</IF><IF1><IP>10.0.0.5</IP></IF1><MAC>AA</MAC></TROV>",
         kDatagramNoMachine},
        {"include", "<TROV><INCLUDEXMLFILE>/etc/hostname</INCLUDEXMLFILE></TROV>", kDatagramNoMachine},
        {"attribute only", "<TROV IF1=\"10.0.0.5\" MAC=\"AA\"/>", kDatagramNoMachine},
        {"nul inside", std::string(kNulInside, sizeof kNulInside - 1),
         kDatagramUnparsable},
        {"binary", std::string("\xff\xfe<\x00T\x00", 6), kDatagramUnparsable},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.outcome, Receive(c.text)) << c.name;
        EXPECT_EQ(before, trovtest::DescribeMap(view.discovered) + "|" + trovtest::DescribeMap(view.saved))
            << c.name;
    }
    EXPECT_TRUE(view.shownDiscovered.empty());
    EXPECT_TRUE(view.shownSaved.empty());
    EXPECT_TRUE(view.displaced.empty());
}

TEST_F(DiscoveryTest, IncludeElementInAReplyIsNeverExpanded)
{
    ASSERT_EQ(kDatagramTaken,
              Receive("<TROV><IF1><IP>10.0.0.5</IP></IF1><MAC>AA</MAC>"
                      "<HOSTNAME><INCLUDEXMLFILE>machines.xml</INCLUDEXMLFILE></HOSTNAME></TROV>"));
    CMachine* m = view.discovered.Find(CIpAddress(0x0A000005));
    ASSERT_NE(nullptr, m);
    EXPECT_STREQ("", m->m_hostName);
}

TEST_F(DiscoveryTest, ReplyOfJustUnderTheLimitIsRead)
{
    SimControllerIdentity id = Controller("10.0.0.5", "AA");
    std::string reply = trovtest::BuildSimReply(id);
    id.comment = std::string(1023 - reply.size() - std::string("<COMMENT></COMMENT>\n ").size(), 'c');
    reply = trovtest::BuildSimReply(id);
    ASSERT_EQ(1023u, reply.size());
    EXPECT_EQ(kDatagramTaken, Receive(reply));
    id.comment += "c";
    EXPECT_EQ(kDatagramOversize, Receive(trovtest::BuildSimReply(id)));
}

TEST(BroadcastLog, OneLinePerRouteOrFailure)
{
    FakeDiscoveryView log;
    CDRBBroadcastResults results(3);
    results[0].m_address = 0x7F000001;
    results[0].m_outcome = kBroadcastLoopback;
    results[1].m_address = 0x0A010203;
    results[1].m_outcome = kBroadcastOk;
    results[2].m_address = 0;
    results[2].m_outcome = kBroadcastNotBroadcast;
    LogBroadcastResults(&log, 15, results);
    EXPECT_EQ((std::vector<std::string>{"Interface 127.0.0.1 : Loopback", "Interface 10.1.2.3 : Broadcast ok",
                                        "Interface 0.0.0.0 : Not a broadcast address"}),
              log.log);
    log.log.clear();
    LogBroadcastResults(&log, -1, results);
    EXPECT_EQ(std::vector<std::string>{"Broadcast failed"}, log.log);
    LogBroadcastResults(nullptr, 15, results); // no log pane: nothing
}

TEST_F(DiscoveryTest, MachineChangedBehindTheMapIsNeverReachedAfterItsRowIsGone)
{
    ASSERT_EQ(kDatagramTaken, Receive(Controller("10.0.0.5", "AA")));
    CMachine* a = view.discovered.Find(CIpAddress(0x0A000005));
    a->m_mac = "ZZ"; // changed without telling the map
    ASSERT_EQ(kDatagramTaken, Receive(Controller("10.0.0.5", "BB")));
    ASSERT_EQ(std::vector<CMachine*>{a}, view.displaced);
    delete a; // its row went
    view.displaced.clear();
    // Replies under either identity find nothing stale (ASan would see it).
    EXPECT_EQ(kDatagramTaken, Receive(Controller("10.0.0.6", "AA")));
    EXPECT_EQ(kDatagramTaken, Receive(Controller("10.0.0.7", "ZZ")));
    EXPECT_EQ(3, view.discovered.GetCount());
}

TEST_F(DiscoveryTest, IdentityChangedTellsTheMapAboutAnIdentityMessage)
{
    ASSERT_EQ(kDatagramTaken, Receive(Controller("10.0.0.5", "AA")));
    CMachine* a = view.discovered.Find(CIpAddress(0x0A000005));
    a->m_mac = "CC";
    view.discovered.IdentityChanged();
    ASSERT_EQ(kDatagramTaken, Receive(Controller("10.0.0.9", "CC")));
    EXPECT_EQ(a, view.discovered.Find(CIpAddress(0x0A000009)));
    EXPECT_EQ(1, view.discovered.GetCount());
}
