#include <gtest/gtest.h>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "support/DRNetwork.h"
#include "support/Utilities.h"
#include "tests/common/TempDir.h"

TEST(DRNetwork, NewRecordIsZeroWithItsHashAndNoDescriptor)
{
    CDRNetwork network;
    for (int i = 0; i < CDRNetwork::kRecordSize; ++i)
        ASSERT_EQ(0, network.GetRecord()[i]);
    // h = h * 33 + 0 for 160 zero bytes: 5381 * 33^160 modulo 2^64.
    uint64_t expected = 5381;
    for (int i = 0; i < 160; ++i)
        expected *= 33;
    EXPECT_EQ(expected, network.GetHash());
    EXPECT_EQ(ComputeHash64(network.GetRecord(), 5381, 160), network.GetHash());
    EXPECT_EQ(0, network.GetDescriptor());
}

TEST(DRNetwork, ClosesItsDescriptor)
{
    trovtest::TempDir dir;
    std::string path = dir.Write("f", "x");
    int fd = open(path.c_str(), O_RDONLY);
    ASSERT_GE(fd, 1);
    {
        CDRNetwork network;
        network.SetDescriptor(fd);
    }
    // The descriptor is closed: a second close fails.
    EXPECT_EQ(-1, close(fd));
}
