// Seams: a replacement holds for its scope only, nested replacements unwind
// in order, and the real behaviour stays reachable.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "framework/Seam.h"

namespace {

int RealTwice(int value) { return 2 * value; }

struct TestSeams {
    Seam<int(int)> twice{RealTwice};
};

TEST(Seam, ReplacementHoldsForItsScopeOnly)
{
    TestSeams seams;
    EXPECT_FALSE(seams.twice.IsReplaced());
    EXPECT_EQ(8, seams.twice(4));
    {
        ScopedSeam fake(seams.twice, [](int value) { return value + 100; });
        EXPECT_TRUE(seams.twice.IsReplaced());
        EXPECT_EQ(104, seams.twice(4));
        // Real() bypasses the replacement, for replacements that wrap it.
        EXPECT_EQ(8, seams.twice.Real(4));
    }
    EXPECT_FALSE(seams.twice.IsReplaced());
    EXPECT_EQ(8, seams.twice(4));
}

TEST(Seam, NestedReplacementsRestoreTheOuterOne)
{
    TestSeams seams;
    ScopedSeam outer(seams.twice, [](int) { return 1; });
    {
        ScopedSeam inner(seams.twice, [](int) { return 2; });
        EXPECT_EQ(2, seams.twice(0));
    }
    EXPECT_EQ(1, seams.twice(0));
}

TEST(Seam, ExceptionLeavingTheScopeRestoresTheRealBehaviour)
{
    TestSeams seams;
    try {
        ScopedSeam fake(seams.twice, [](int) { return -1; });
        throw std::runtime_error("test failed inside the scope");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(seams.twice.IsReplaced());
    EXPECT_EQ(6, seams.twice(3));
}

TEST(Seam, ReplacementKeepsItsCapturedStateAndMayWrapTheReal)
{
    TestSeams seams;
    int calls = 0;
    ScopedSeam counting(seams.twice, [&](int value) {
        ++calls;
        return seams.twice.Real(value) + 1;
    });
    EXPECT_EQ(7, seams.twice(3));
    EXPECT_EQ(11, seams.twice(5));
    EXPECT_EQ(2, calls);
}

TEST(Seam, ScopedSeamsUndoTheirReplacementsInReverseOrder)
{
    TestSeams seams;
    {
        ScopedSeams fixture;
        fixture.Replace(seams.twice, [](int) { return 1; });
        fixture.Replace(seams.twice, [](int) { return 2; });
        EXPECT_EQ(2, seams.twice(0));
    }
    EXPECT_FALSE(seams.twice.IsReplaced());
    EXPECT_EQ(0, seams.twice(0));
}

// Arguments taken by reference reach the replacement as references.
void RealAppend(std::string& text) { text += "real"; }

TEST(Seam, ReferenceArgumentsAreNotCopied)
{
    Seam<void(std::string&)> append(RealAppend);
    std::string text;
    append(text);
    EXPECT_EQ("real", text);
    ScopedSeam fake(append, [](std::string& t) { t += "+fake"; });
    append(text);
    EXPECT_EQ("real+fake", text);
}

} // namespace
