// The library's sockets on loopback addresses (127.0.0.0/8) only.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/DRBBroadcast.h"
#include "support/DRBSocket.h"
#include "tests/common/Loopback.h"
#include "tests/common/SocketWaitWin.h"

namespace {

uint32_t NetOrder(uint32_t hostOrder) { return htonl(hostOrder); }

// A connected TCP pair on a loopback address: `client` is held by a
// CDRBSocket, `server` stays a raw socket the test writes to.
struct TcpPair {
    CDRBSocket client;
    SOCKET server = INVALID_SOCKET;
    SOCKET listener = INVALID_SOCKET;

    explicit TcpPair(uint32_t address)
    {
        StartSocketLayer();
        listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in a = {};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = NetOrder(address);
        EXPECT_EQ(0, bind(listener, (sockaddr*)&a, sizeof a));
        int size = sizeof a;
        getsockname(listener, (sockaddr*)&a, &size);
        EXPECT_EQ(0, listen(listener, 1));
        SOCKET c = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        EXPECT_EQ(0, connect(c, (sockaddr*)&a, sizeof a));
        server = accept(listener, nullptr, nullptr);
        client.Attach(c);
    }
    ~TcpPair()
    {
        if (server != INVALID_SOCKET)
            closesocket(server);
        closesocket(listener);
    }
    void ServerSend(const std::string& bytes) { send(server, bytes.data(), (int)bytes.size(), 0); }
    void ServerClose()
    {
        shutdown(server, SD_BOTH);
        closesocket(server);
        server = INVALID_SOCKET;
    }
};

class SocketTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartSocketLayer();
        m_block = trovtest::RandomLoopbackBlock();
        m_port = trovtest::RandomTestPort();
        CDRBSocket::ConsecutiveTimeouts() = 0;
    }
    uint32_t Address(int last) const { return m_block | (uint32_t)last; }
    uint32_t m_block = 0;
    uint16_t m_port = 0;
};

} // namespace

TEST_F(SocketTest, ReceiveFromOnIdleNonBlockingSocketReturnsZeroAtOnce)
{
    CDRBSocketUDP udp(m_port, 1, Address(1), 1);
    char buffer[64];
    uint32_t sender = 0;
    DWORD start = GetTickCount();
    EXPECT_EQ(0, udp.ReceiveFrom(buffer, sizeof buffer, &sender));
    EXPECT_LT(GetTickCount() - start, 200u);
}

TEST_F(SocketTest, ClientDatagramArrivesWithSenderAddress)
{
    CDRBSocketUDP udp(m_port, 1, Address(1), 1);
    CDRBSocketUDPClient client(m_port, Address(1), NetOrder(Address(2)));
    EXPECT_EQ(15, client.Write("Trov:KnockKnock", 15));
    char buffer[64] = {};
    uint32_t sender = 0;
    ASSERT_TRUE(trovtest::WaitReadable((SOCKET)udp.GetHandle()));
    ASSERT_EQ(15, udp.ReceiveFrom(buffer, sizeof buffer, &sender));
    EXPECT_EQ(0, memcmp(buffer, "Trov:KnockKnock", 15));
    // Windows reports the client's own address; Wine binds broadcast-capable
    // sockets to the interface rather than the address, so the sender is
    // some loopback address there.
    EXPECT_TRUE(sender == Address(2) || trovtest::IsLoopbackAddress(sender)) << trovtest::AddressText(sender);
    EXPECT_EQ(0, udp.ReceiveFrom(buffer, sizeof buffer, &sender));
}

TEST_F(SocketTest, OversizeDatagramIsAnErrorAndDiscarded)
{
    CDRBSocketUDP udp(m_port, 1, Address(1), 1);
    CDRBSocketUDPClient client(m_port, Address(1), NetOrder(Address(2)));
    std::string big(2000, 'x');
    ASSERT_EQ(2000, client.Write(big.data(), (int)big.size()));
    ASSERT_EQ(2, client.Write("ok", 2));
    char buffer[1024];
    uint32_t sender = 0;
    ASSERT_TRUE(trovtest::WaitReadable((SOCKET)udp.GetHandle()));
    EXPECT_EQ(-1, udp.ReceiveFrom(buffer, sizeof buffer, &sender));
    ASSERT_TRUE(trovtest::WaitReadable((SOCKET)udp.GetHandle()));
    EXPECT_EQ(2, udp.ReceiveFrom(buffer, sizeof buffer, &sender));
}

TEST_F(SocketTest, ConstructorRaisesWhenTheAddressIsTaken)
{
    CDRBSocketUDP first(m_port, 1, Address(1), 0);
    bool raised = false;
    try {
        CDRBSocketUDP second(m_port, 1, Address(1), 0);
    } catch (const char* text) {
        raised = true;
        EXPECT_STREQ("INVALID_SOCKET", text);
    }
    EXPECT_TRUE(raised);
}

TEST_F(SocketTest, FiveReadTimeoutsGiveZeroTheSixthFailsAndRestartsTheCount)
{
    TcpPair pair(Address(1));
    pair.client.SetTimeout(0, 5);
    char buffer[16];
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(0, pair.client.Read(buffer, sizeof buffer)) << i;
    EXPECT_EQ(-1, pair.client.Read(buffer, sizeof buffer));
    EXPECT_EQ(0, CDRBSocket::ConsecutiveTimeouts());
    EXPECT_EQ(0, pair.client.Read(buffer, sizeof buffer));
    // Data resets the count.
    pair.ServerSend("abc");
    ASSERT_TRUE(trovtest::WaitForBytes((SOCKET)pair.client.GetHandle(), 3));
    EXPECT_EQ(3, pair.client.Read(buffer, sizeof buffer));
    EXPECT_EQ(0, CDRBSocket::ConsecutiveTimeouts());
}

TEST_F(SocketTest, ReadTakesAtMostTheRequestedLengthAndReportsThePeerClosing)
{
    TcpPair pair(Address(1));
    pair.client.SetTimeout(1, 0);
    pair.ServerSend("0123456789");
    ASSERT_TRUE(trovtest::WaitForBytes((SOCKET)pair.client.GetHandle(), 10));
    char buffer[16] = {};
    EXPECT_EQ(4, pair.client.Read(buffer, 4));
    EXPECT_EQ(0, memcmp(buffer, "0123", 4));
    EXPECT_EQ(6, pair.client.Read(buffer, sizeof buffer));
    pair.ServerClose();
    ASSERT_TRUE(trovtest::WaitReadable((SOCKET)pair.client.GetHandle()));
    EXPECT_EQ(-1, pair.client.Read(buffer, sizeof buffer));
}

TEST_F(SocketTest, WriteSendsEverythingAndDrainDiscardsWhatWaits)
{
    TcpPair pair(Address(1));
    std::string data(100000, 'q');
    EXPECT_EQ((int)data.size(), pair.client.Write(data.data(), (int)data.size()));
    std::string got;
    char buffer[8192];
    while (got.size() < data.size()) {
        int n = recv(pair.server, buffer, sizeof buffer, 0);
        ASSERT_GT(n, 0);
        got.append(buffer, n);
    }
    EXPECT_EQ(data, got);

    pair.ServerSend(std::string(1000, 'z'));
    ASSERT_TRUE(trovtest::WaitForBytes((SOCKET)pair.client.GetHandle(), 1000));
    EXPECT_EQ(1000, pair.client.Drain(0));
    unsigned long waiting = 99;
    EXPECT_NE(0, pair.client.BytesAvailable(&waiting));
    EXPECT_EQ(0u, waiting);
    EXPECT_EQ(0, pair.client.Drain(1));
}

TEST_F(SocketTest, ReacceptTakesAWaitingConnectionOnly)
{
    CDRBSocket noListener;
    EXPECT_EQ(0, noListener.Reaccept());

    SOCKET l = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = NetOrder(Address(1));
    ASSERT_EQ(0, bind(l, (sockaddr*)&a, sizeof a));
    int size = sizeof a;
    getsockname(l, (sockaddr*)&a, &size);
    u_long nonBlocking = 1;
    ioctlsocket(l, FIONBIO, &nonBlocking);
    CDRBSocket listener;
    listener.Attach(l);

    CDRBSocket conn;
    conn.SetListener(&listener);
    // Not listening yet: no connection.
    EXPECT_EQ(0, conn.Reaccept());
    ASSERT_EQ(0, listen(l, 1));
    // Listening, nobody waiting: accept would block.
    EXPECT_EQ(0, conn.Reaccept());

    SOCKET c = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in from = {};
    from.sin_family = AF_INET;
    from.sin_addr.s_addr = NetOrder(Address(2));
    ASSERT_EQ(0, bind(c, (sockaddr*)&from, sizeof from));
    ASSERT_EQ(0, connect(c, (sockaddr*)&a, sizeof a));
    ASSERT_TRUE(trovtest::WaitReadable(l));
    EXPECT_EQ(1, conn.Reaccept());
    EXPECT_NE(CDRBSocket::kNoSocket, conn.GetHandle());
    sockaddr_in peer;
    memcpy(&peer, conn.GetPeerAddress(), sizeof peer);
    EXPECT_EQ(Address(2), ntohl(peer.sin_addr.s_addr));
    send(c, "hi", 2, 0);
    char buffer[4];
    conn.SetTimeout(1, 0);
    EXPECT_EQ(2, conn.Read(buffer, sizeof buffer));
    closesocket(c);
}

TEST_F(SocketTest, RoutingTableCanBeRead)
{
    // Only reads the table; the broadcast itself is exercised inside the
    // network namespaces of tests/net/.
    std::vector<CDRBRoute> routes;
    EXPECT_EQ(0, CDRBBroadcast::ReadRouteTable(routes));
}
