// Asynchronous sockets over loopback: connect, receive, see the close, all
// delivered through the thread's message loop.
#include "framework/win/WinApp.h"
#include "framework/win/AsyncSocket.h"
#include "tests/common/MessagePumpWin.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using trovtest::InitFrameworkForTests;
using trovtest::PumpUntil;

namespace {

// The server's side of one connection: sends its greeting and closes.
class CGreetingSocket : public CAsyncSocket {
public:
    std::string greeting;
    void OnSend(int) override
    {
        if (!greeting.empty()) {
            Send(greeting.data(), (int)greeting.size());
            greeting.clear();
            ShutDown(1);
        }
    }
};

class CListeningSocket : public CAsyncSocket {
public:
    std::unique_ptr<CGreetingSocket> accepted;
    std::string greeting;
    void OnAccept(int nErrorCode) override
    {
        if (nErrorCode != 0)
            return;
        accepted = std::make_unique<CGreetingSocket>();
        accepted->greeting = greeting;
        if (!Accept(*accepted))
            accepted.reset();
    }
};

class CClientSocket : public CAsyncSocket {
public:
    bool connected = false;
    int connectError = -1;
    bool closed = false;
    std::string received;
    void OnConnect(int nErrorCode) override
    {
        connectError = nErrorCode;
        connected = nErrorCode == 0;
    }
    void OnReceive(int nErrorCode) override
    {
        if (nErrorCode != 0)
            return;
        char buffer[256];
        int n = Receive(buffer, sizeof(buffer));
        if (n > 0)
            received.append(buffer, (size_t)n);
    }
    void OnClose(int) override
    {
        // What arrived with the close is still read.
        char buffer[256];
        int n;
        while ((n = Receive(buffer, sizeof(buffer))) > 0)
            received.append(buffer, (size_t)n);
        closed = true;
    }
};

class AsyncSocketTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitFrameworkForTests();
        ASSERT_TRUE(AfxSocketInit());
    }
};

TEST_F(AsyncSocketTest, ConnectsToALoopbackServerReceivesAndSeesTheClose)
{
    CListeningSocket server;
    server.greeting = "hello from the controller";
    ASSERT_TRUE(server.Create(0, SOCK_STREAM, FD_ACCEPT, "127.0.0.1"));
    ASSERT_TRUE(server.Listen());
    CString address;
    UINT port = 0;
    ASSERT_TRUE(server.GetSockName(address, port));
    EXPECT_STREQ("127.0.0.1", address);
    ASSERT_NE(0u, port);

    CClientSocket client;
    ASSERT_TRUE(client.Create());
    if (!client.Connect("127.0.0.1", port)) {
        ASSERT_EQ(WSAEWOULDBLOCK, CAsyncSocket::GetLastError());
    }

    ASSERT_TRUE(PumpUntil([&] { return client.closed; }));
    EXPECT_TRUE(client.connected);
    EXPECT_EQ("hello from the controller", client.received);
    client.Close();
    EXPECT_EQ(INVALID_SOCKET, client.m_hSocket);
}

TEST_F(AsyncSocketTest, ARefusedConnectionIsReportedToOnConnect)
{
    // A port that was just free: bind, note it, close.
    CAsyncSocket probe;
    ASSERT_TRUE(probe.Create(0, SOCK_STREAM, 0, "127.0.0.1"));
    CString address;
    UINT port = 0;
    ASSERT_TRUE(probe.GetSockName(address, port));
    probe.Close();

    CClientSocket client;
    ASSERT_TRUE(client.Create());
    client.Connect("127.0.0.1", port);
    ASSERT_TRUE(PumpUntil([&] { return client.connectError != -1; }));
    EXPECT_FALSE(client.connected);
    EXPECT_NE(0, client.connectError);
}

TEST_F(AsyncSocketTest, NotificationsForAClosedSocketAreDropped)
{
    CListeningSocket server;
    server.greeting = "x";
    ASSERT_TRUE(server.Create(0, SOCK_STREAM, FD_ACCEPT, "127.0.0.1"));
    ASSERT_TRUE(server.Listen());
    CString address;
    UINT port = 0;
    ASSERT_TRUE(server.GetSockName(address, port));

    auto client = std::make_unique<CClientSocket>();
    ASSERT_TRUE(client->Create());
    client->Connect("127.0.0.1", port);
    ASSERT_TRUE(PumpUntil([&] { return server.accepted != nullptr; }));
    // The client object goes while notifications may still be queued.
    client.reset();
    trovtest::PumpUntil([] { return false; }, 200);
    SUCCEED();
}

TEST_F(AsyncSocketTest, BadAddressesFailWithAnError)
{
    CAsyncSocket socket;
    ASSERT_TRUE(socket.Create());
    EXPECT_FALSE(socket.Connect((LPCTSTR) nullptr, 80u));
    EXPECT_EQ(WSAEINVAL, CAsyncSocket::GetLastError());
    EXPECT_FALSE(socket.Connect((const SOCKADDR*)nullptr, 16));
    EXPECT_EQ(WSAEFAULT, CAsyncSocket::GetLastError());
}

} // namespace
