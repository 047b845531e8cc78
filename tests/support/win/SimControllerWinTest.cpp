// The simulated controller, in-process on loopback, answers the library's
// probe on the reply socket and records XML commands.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "support/DRBSocket.h"
#include "tests/common/Loopback.h"
#include "tests/common/SimController.h"

namespace {

int ReceiveWithin(CDRBSocketUDP& udp, char* buffer, int size, uint32_t* sender, int ms)
{
    for (int waited = 0; waited < ms; waited += 10) {
        int n = udp.ReceiveFrom(buffer, size, sender);
        if (n != 0)
            return n;
        Sleep(10);
    }
    return 0;
}

} // namespace

TEST(SimController, AnswersTheProbeOnTheReplyPortAndRecordsCommands)
{
    uint32_t block = trovtest::RandomLoopbackBlock();
    uint16_t probePort = trovtest::RandomTestPort(), replyPort = probePort + 1;
    trovtest::SimController sim;
    trovtest::SimControllerOptions options;
    options.listenAddress = block | 1;
    options.probePort = probePort;
    options.replyPort = replyPort;
    trovtest::SimControllerIdentity id;
    id.if1Ip = trovtest::AddressText(block | 1);
    id.mac = "00:0A:0B:0C:0D:01";
    id.hostName = "Press & Line";
    sim.SetIdentity(id);
    std::string error;
    ASSERT_TRUE(sim.Start(options, &error)) << error;

    CDRBSocketUDP replies(replyPort, 1, block | 2, 1);
    CDRBSocketUDPClient prober(probePort, block | 1, htonl(block | 2));
    ASSERT_EQ(15, prober.Write("Trov:KnockKnock", 15));
    char buffer[1024] = {};
    uint32_t sender = 0;
    int n = ReceiveWithin(replies, buffer, sizeof buffer - 1, &sender, 2000);
    ASSERT_GT(n, 0);
    std::string text(buffer, n);
    EXPECT_EQ(trovtest::BuildSimReply(id), text);
    EXPECT_NE(std::string::npos, text.find("<HOSTNAME>Press &amp; Line</HOSTNAME>"));
    EXPECT_EQ(1, sim.ProbeCount());

    const char identify[] = "<TROV>\r\n <COMMAND>Identify</COMMAND>\r\n <MAC>00:0A:0B:0C:0D:01</MAC>\r\n</TROV>";
    prober.Write(identify, (int)sizeof identify - 1);
    for (int i = 0; i < 200 && sim.Commands().empty(); ++i)
        Sleep(10);
    ASSERT_EQ(1u, sim.Commands().size());
    EXPECT_EQ("Identify", sim.Commands()[0].command);
    EXPECT_EQ("00:0A:0B:0C:0D:01", sim.Commands()[0].mac);
}

TEST(SimController, RefusesAddressesOutsideLoopback)
{
    trovtest::SimController sim;
    trovtest::SimControllerOptions options;
    options.listenAddress = 0x0A000001;
    std::string error;
    EXPECT_FALSE(sim.Start(options, &error));
    EXPECT_FALSE(error.empty());
}
