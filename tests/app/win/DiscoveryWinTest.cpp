// The reception loop on a real reply socket, with simulated controllers
// in-process on loopback addresses: the probe goes to each controller
// directly (a loopback test sends no broadcast).
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Discovery.h"
#include "support/DRBSocket.h"
#include "tests/app/DiscoveryTestSupport.h"
#include "tests/common/Loopback.h"
#include "tests/common/SimController.h"
#include "tests/common/SimUdpFixture.h"
#include "tests/common/SocketWaitWin.h"

namespace {

class DiscoveryWinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartSocketLayer();
        m_block = trovtest::RandomLoopbackBlock();
        m_probePort = trovtest::RandomTestPort();
        m_replyPort = m_probePort + 1;
        m_replies.reset(new CDRBSocketUDP(m_replyPort, 1, m_block | 100, 1));
    }

    trovtest::SimController& AddController(int last, const char* mac, const char* host)
    {
        trovtest::SimControllerIdentity id = trovtest::DiscoveryIdentity(trovtest::AddressText(m_block | last), mac, host);
        return trovtest::StartSimUdp(m_sims, id, m_block | last, ProbePort(last), m_replyPort);
    }

    uint16_t ProbePort(int last) const { return (uint16_t)(m_probePort + 2 + last); }

    void Probe(int last)
    {
        CDRBSocketUDPClient prober(ProbePort(last), m_block | last, htonl(m_block | 100));
        ASSERT_EQ(15, prober.Write("Trov:KnockKnock", 15));
    }

    void SendRaw(const std::string& bytes)
    {
        CDRBSocketUDPClient sender(m_replyPort, m_block | 100, htonl(m_block | 99));
        sender.Write(bytes.data(), (int)bytes.size());
    }

    // Timer 1 until `count` machines are known or three seconds pass.
    void ReceiveUntil(INT_PTR count)
    {
        trovtest::WaitUntil([&] {
            ReceiveDiscoveryReplies(*m_replies, m_discovery);
            return m_view.discovered.GetCount() >= count;
        });
    }

    // Timer 1 until `count` rows have been shown or three seconds pass.
    bool ReceiveUntilShown(size_t count)
    {
        return trovtest::WaitUntil([&] {
            ReceiveDiscoveryReplies(*m_replies, m_discovery);
            return m_view.shownDiscovered.size() >= count;
        });
    }

    uint32_t m_block = 0;
    uint16_t m_probePort = 0, m_replyPort = 0;
    std::unique_ptr<CDRBSocketUDP> m_replies;
    std::vector<std::unique_ptr<trovtest::SimController>> m_sims;
    trovtest::FakeDiscoveryView m_view;
    CDiscovery m_discovery{m_view, &m_view};
};

} // namespace

TEST_F(DiscoveryWinTest, SeveralControllersAreDiscovered)
{
    AddController(1, "00:50:C2:00:00:01", "Mixer-1");
    AddController(2, "00:50:C2:00:00:02", "Press-2");
    AddController(3, "00:50:C2:00:00:03", "Dryer-3");
    for (int last = 1; last <= 3; ++last)
        Probe(last);
    ReceiveUntil(3);
    ASSERT_EQ(3, m_view.discovered.GetCount());
    const char* hosts[] = {"Mixer-1", "Press-2", "Dryer-3"};
    for (int last = 1; last <= 3; ++last) {
        CMachine* m = m_view.discovered.Find(CIpAddress(m_block | last));
        ASSERT_NE(nullptr, m) << last;
        EXPECT_STREQ(hosts[last - 1], m->m_hostName);
        EXPECT_STREQ("4v2r11-b3", m->GetFirmwareText());
        EXPECT_EQ(kMachineAnswered, m->m_state);
        EXPECT_EQ(1, m->m_local);
    }
    // A second probe updates the same machines.
    Probe(2);
    ASSERT_TRUE(ReceiveUntilShown(4));
    EXPECT_EQ(3, m_view.discovered.GetCount());
    EXPECT_EQ(4u, m_view.shownDiscovered.size());
}

TEST_F(DiscoveryWinTest, HostileDatagramsOnTheReplySocketChangeNothing)
{
    AddController(1, "00:50:C2:00:00:01", "Mixer-1");
    Probe(1);
    ReceiveUntil(1);
    ASSERT_EQ(1, m_view.discovered.GetCount());
    const std::string before = trovtest::DescribeMap(m_view.discovered);

    const std::string valid = trovtest::BuildSimReply(m_sims[0]->GetIdentity());
    SendRaw(std::string(3000, '<'));                 // longer than the buffer: an error, discarded
    SendRaw("<TROV><IF1><IP>" + std::string(1100, '9')); // oversize
    SendRaw(valid.substr(0, valid.size() / 2));      // truncated
    SendRaw("<TROV><MAC>EVIL</MAC></TROV>");         // no address
    SendRaw(std::string(1024, 'x'));                 // fills the buffer: dropped unread
    // The controller's own reply again, sent last: once it is shown, every
    // datagram before it has been read.  It changes nothing either.
    SendRaw(valid);
    ASSERT_TRUE(ReceiveUntilShown(2));
    EXPECT_EQ(before, trovtest::DescribeMap(m_view.discovered));
    EXPECT_EQ(2u, m_view.shownDiscovered.size());

    // The socket still works after them.
    Probe(1);
    ASSERT_TRUE(ReceiveUntilShown(3));
    EXPECT_EQ(3u, m_view.shownDiscovered.size());
}

TEST_F(DiscoveryWinTest, OneTickReadsABoundedNumberOfDatagrams)
{
    // A flood must not hold the window's thread: a tick stops after its
    // number of datagrams (kDiscoveryMaxPerTick; 10 here) and the next tick
    // goes on.
    const std::string reply = "<TROV><IF1><IP>10.0.0.1</IP></IF1><MAC>AA</MAC></TROV>";
    // The same sender's datagram to a socket of the test's own, sent after
    // the 25: once it is there, they are all waiting.
    CDRBSocketUDP marker(m_replyPort + 100, 1, m_block | 98, 1);
    CDRBSocketUDPClient sender(m_replyPort, m_block | 100, htonl(m_block | 99));
    for (int i = 0; i < 25; ++i)
        ASSERT_EQ((int)reply.size(), sender.Write(reply.data(), (int)reply.size()));
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons((u_short)(m_replyPort + 100));
    to.sin_addr.s_addr = htonl(m_block | 98);
    ASSERT_EQ(1, sendto((SOCKET)sender.GetHandle(), "m", 1, 0, (sockaddr*)&to, sizeof to));
    ASSERT_TRUE(trovtest::WaitReadable((SOCKET)marker.GetHandle()));
    EXPECT_EQ(10, ReceiveDiscoveryReplies(*m_replies, m_discovery, 10));
    EXPECT_EQ(10, ReceiveDiscoveryReplies(*m_replies, m_discovery, 10));
    EXPECT_EQ(5, ReceiveDiscoveryReplies(*m_replies, m_discovery, 10));
    EXPECT_EQ(1, m_view.discovered.GetCount());
}
