// The broadcast's per-route decision and result list, on made-up routing
// tables: nothing here touches a network.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/BroadcastRoutes.h"

namespace {

// Routes are written in host order for readability and stored as the table
// carries them (network order).
CDRBRoute Route(uint32_t destination, uint32_t mask, uint32_t nextHop, uint32_t type)
{
    CDRBRoute r;
    r.m_destination = HostToNetworkAddress(destination);
    r.m_mask = HostToNetworkAddress(mask);
    r.m_nextHop = HostToNetworkAddress(nextHop);
    r.m_type = type;
    return r;
}

const uint32_t kAll = 0xFFFFFFFFu;

struct Sent {
    std::vector<uint32_t> bindAddresses;
    int answer = -2; // -2: send everything
};

int RecordSend(void* context, uint32_t bindAddress, const void* data, int length)
{
    Sent* sent = static_cast<Sent*>(context);
    sent->bindAddresses.push_back(NetworkToHostAddress(bindAddress));
    return sent->answer == -2 ? length : sent->answer;
}

} // namespace

TEST(BroadcastRoutes, DecisionFollowsTheFirstFailingTest)
{
    struct Case {
        CDRBRoute route;
        int expected;
    } cases[] = {
        {Route(0x0A000000, 0xFF000000, 0x0A000001, 3), kBroadcastNotBroadcast},
        {Route(0x00000000, 0x00000000, 0x0A000001, 4), kBroadcastNotBroadcast},
        {Route(kAll, 0xFFFFFF00, 0x0A000001, 3), kBroadcastBadMask},
        {Route(kAll, kAll, 0x0A000001, 4), kBroadcastNotDirect},
        {Route(kAll, kAll, 0x7F000001, 3), kBroadcastLoopback},
        {Route(kAll, kAll, 0x7F000002, 3), kBroadcastSendHere},
        {Route(kAll, kAll, 0x0A000001, 3), kBroadcastSendHere},
        {Route(kAll, kAll, 0x00000000, 3), kBroadcastSendHere},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, DecideBroadcastRoute(c.route))
            << std::hex << NetworkToHostAddress(c.route.m_destination) << " via "
            << NetworkToHostAddress(c.route.m_nextHop);
}

TEST(BroadcastRoutes, TableWithoutBroadcastRoutesSendsNothingAndListsEveryRoute)
{
    std::vector<CDRBRoute> table = {
        Route(0, 0, 0xC0A80101, 4),
        Route(0xC0A80100, 0xFFFFFF00, 0xC0A80164, 3),
        Route(kAll, 0xFFFFFF00, 0xC0A80164, 3),
        Route(kAll, kAll, 0xC0A80164, 4),
    };
    Sent sent;
    CDRBBroadcastResults results;
    RunBroadcastOverRoutes(table.data(), table.size(), "x", 1, RecordSend, &sent, &results);
    EXPECT_TRUE(sent.bindAddresses.empty());
    ASSERT_EQ(table.size(), results.size());
    const int expected[] = {1, 1, 2, 3};
    for (size_t i = 0; i < results.size(); ++i) {
        EXPECT_EQ(expected[i], results[i].m_outcome);
        EXPECT_EQ(NetworkToHostAddress(table[i].m_nextHop), results[i].m_address);
    }
}

TEST(BroadcastRoutes, SendsOutOfEachDirectBroadcastRouteButNotLoopback)
{
    std::vector<CDRBRoute> table = {
        Route(kAll, kAll, 0x7F000001, 3),
        Route(kAll, kAll, 0x0A010203, 3),
        Route(0x0A010200, 0xFFFFFF00, 0x0A010203, 3),
        Route(kAll, kAll, 0xAC100001, 3),
        Route(kAll, kAll, 0x00000000, 3), // next hop 0.0.0.0 is still a listed pair
    };
    Sent sent;
    CDRBBroadcastResults results;
    RunBroadcastOverRoutes(table.data(), table.size(), "Trov:KnockKnock", 15, RecordSend, &sent, &results);
    EXPECT_EQ((std::vector<uint32_t>{0x0A010203, 0xAC100001, 0}), sent.bindAddresses);
    ASSERT_EQ(5u, results.size());
    EXPECT_EQ(kBroadcastLoopback, results[0].m_outcome);
    EXPECT_EQ(kBroadcastOk, results[1].m_outcome);
    EXPECT_EQ(kBroadcastNotBroadcast, results[2].m_outcome);
    EXPECT_EQ(kBroadcastOk, results[3].m_outcome);
    EXPECT_EQ(0u, results[4].m_address);
    EXPECT_EQ(kBroadcastOk, results[4].m_outcome);
}

TEST(BroadcastRoutes, ShortOrFailedSendIsBadSend)
{
    std::vector<CDRBRoute> table = {Route(kAll, kAll, 0x0A000001, 3)};
    for (int answer : {-1, 0, 14}) {
        Sent sent;
        sent.answer = answer;
        CDRBBroadcastResults results;
        RunBroadcastOverRoutes(table.data(), 1, "Trov:KnockKnock", 15, RecordSend, &sent, &results);
        ASSERT_EQ(1u, results.size());
        EXPECT_EQ(kBroadcastBadSend, results[0].m_outcome) << answer;
    }
    // Without a sender (an interface client that could not be made) too.
    CDRBBroadcastResults results;
    RunBroadcastOverRoutes(table.data(), 1, "x", 1, nullptr, nullptr, &results);
    EXPECT_EQ(kBroadcastBadSend, results[0].m_outcome);
}

TEST(BroadcastRoutes, WithoutResultListStillSends)
{
    std::vector<CDRBRoute> table = {Route(kAll, kAll, 0x0A000001, 3)};
    Sent sent;
    RunBroadcastOverRoutes(table.data(), 1, "x", 1, RecordSend, &sent, nullptr);
    EXPECT_EQ(1u, sent.bindAddresses.size());
}

TEST(BroadcastRoutes, OutcomeTexts)
{
    const char* texts[] = {"Broadcast ok", "Not a broadcast address", "Bad forward mask",
                           "Not direct route", "Loopback", "Bad send"};
    for (int code = 0; code <= 5; ++code)
        EXPECT_STREQ(texts[code], BroadcastOutcomeText(code));
    EXPECT_STREQ("Unknown", BroadcastOutcomeText(6));
    EXPECT_STREQ("Unknown", BroadcastOutcomeText(-1));
}
