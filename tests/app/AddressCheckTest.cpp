// Typed addresses are accepted only whole: four numbers from 0 to 255.
#include "app/AddressCheck.h"

#include <gtest/gtest.h>

namespace {

TEST(TypedAddressTest, OnlyFourNumbersFrom0To255AreAnAddress)
{
    struct Case {
        const char* text;
        bool valid;
        uint32_t value;
    };
    const Case cases[] = {
        {"10.0.0.5", true, 0x0A000005},
        {"192.168.1.255", true, 0xC0A801FF},
        {"0.0.0.0", true, 0},
        {"  10.0.0.5 ", true, 0x0A000005},
        {"010.000.000.005", true, 0x0A000005},
        {"", false, 0},
        {"plc-12", false, 0},
        {"10.0.0", false, 0},
        {"10.0.0.5.6", false, 0},
        {"300.1.1.1", false, 0},    // stored texts would keep 44 of it
        {"10.0.0.256", false, 0},
        {"10.0.0.-1", false, 0},
        {"10..0.5", false, 0},
        {"10.0.0.5x", false, 0},
        {"10.0.0. 5", false, 0},
        {"1000.0.0.5", false, 0},
        {"0010.0.0.5", false, 0},
        {"+1.0.0.5", false, 0},
    };
    for (const Case& c : cases) {
        uint32_t value = 0xDEADBEEF;
        EXPECT_EQ(c.valid, ParseTypedAddress(c.text, &value)) << c.text;
        EXPECT_EQ(c.valid ? c.value : 0xDEADBEEF, value) << c.text;
    }
    EXPECT_FALSE(ParseTypedAddress(nullptr, nullptr));
}

TEST(TypedAddressTest, ARangeEndIsOneNumberFrom0To255)
{
    struct Case {
        const char* text;
        bool valid;
        int value;
    };
    const Case cases[] = {{"12", true, 12}, {"0", true, 0}, {"255", true, 255}, {" 7 ", true, 7},
                          {"256", false, 0}, {"999", false, 0}, {"4294967297", false, 0}, {"", false, 0},
                          {"-1", false, 0},  {"1x", false, 0},  {"1 2", false, 0}};
    for (const Case& c : cases) {
        int value = -99;
        EXPECT_EQ(c.valid, ParseTypedOctet(c.text, &value)) << c.text;
        EXPECT_EQ(c.valid ? c.value : -99, value) << c.text;
    }
}

} // namespace
