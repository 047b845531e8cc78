// The calculator's arithmetic: sequences of keys and what the display
// shows after them, the error state and what clears it, the display text
// of large and special values, and the key table's layout rules.
#include "ui/commandbars/ZUDPCalculatorArithmetic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using Calc = CZUDPCalculatorArithmetic;

// Presses the keys of a script: numbers (their digits) and the other keys
// by their captions, space-separated ("2 + 3 * 4 =").  Answers the display
// after each number or key, space-separated.
std::string PressKeys(Calc& calc, const std::string& script)
{
    std::string shown;
    size_t pos = 0;
    while (pos < script.size()) {
        size_t end = script.find(' ', pos);
        if (end == std::string::npos)
            end = script.size();
        const std::string key = script.substr(pos, end - pos);
        pos = end + 1;
        if (key.empty())
            continue;
        if (key.find_first_not_of("0123456789") == std::string::npos) {
            for (char ch : key)
                calc.EnterDigit(ch - '0');
        } else {
            int op = -1;
            for (const Calc::KeyDef& def : Calc::StandardKeys())
                if (key == def.caption)
                    op = def.operation;
            EXPECT_NE(op, -1) << "no key " << key;
            calc.ApplyOperation(op);
        }
        if (!shown.empty())
            shown += ' ';
        shown += (const char*)calc.DisplayCaption();
    }
    return shown;
}

std::string Last(const std::string& shown)
{
    const size_t space = shown.rfind(' ');
    return space == std::string::npos ? shown : shown.substr(space + 1);
}

TEST(CalculatorArithmeticTest, KeySequences)
{
    struct Case {
        const char* keys;
        const char* shown;  // the display after the last key
    } cases[] = {
        {"2 + 3 * 4 =", "20"},                // no precedence
        {"10 - 4 =", "6"},
        {"10 - 4 = =", "2"},                  // the repeated "=" subtracts 4 again
        {"12 / 4 = =", "0.75"},               // and divides by 4 again
        {"8 / 0 =", "Error"},
        {"8 / 0 = CE", "0"},
        {"8 / 0 = 5 + 3", "Error"},           // only C and CE are taken
        {"8 / 0 = C 5 + 3 =", "8"},
        {"50 + 10 %", "5"},                   // 10 % of 50
        {"50 + 10 % =", "55"},
        {"4 1/x", "0.25"},
        {"0 +/-", "-0"},
        {"+/-", "-0"},
        {"5 +/- +/-", "5"},
        {".", "0."},                          // a point first starts "0."
        {"1 . . 5", "1.5"},                   // a second point is ignored
        {"7 <-", "0"},
        {"1 2 3 <-", "12"},
        {"1 2 + 3 = <-", "15"},               // nothing after "="
        {"9 Sqrt", "3"},
        {"2 +/- Sqrt", "Error"},
        {"0 1/x", "Error"},
        {"2 . 5 * 2 =", "5"},
        {"1 + 2 = 4 + 1 =", "5"},             // a number typed after "=" starts afresh
        {"1 + 2 = 4 =", "4"},
        {"1 + 2 = . 5 =", "0.5"},
        {"1 + 2 = * 4 =", "12"},              // an operator after "=" goes on with the result
        {"3 M+ C MR", "3"},
        {"3 M+ 4 M+ C MR", "7"},
        {"3 M+ MC MR", "0"},
        {"0 0 0 7", "7"},                     // leading zeros are dropped
        {"1 / 3 =", "0.3333333333333333"},
    };
    for (const Case& c : cases) {
        Calc calc;
        EXPECT_EQ(Last(PressKeys(calc, c.keys)), c.shown) << c.keys;
    }
}

TEST(CalculatorArithmeticTest, RepeatedEqualsShowsEachStep)
{
    Calc calc;
    EXPECT_EQ(PressKeys(calc, "10 - 4 = ="), "10 10 4 6 2");
}

TEST(CalculatorArithmeticTest, EqualsAndExtraKeysReportTheirOutcome)
{
    Calc calc;
    calc.EnterDigit(2);
    EXPECT_EQ(calc.ApplyOperation(Calc::OpAdd), Calc::OutcomeNone);
    calc.EnterDigit(3);
    // An application key finishes the pending operation first.
    EXPECT_EQ(calc.ApplyOperation(Calc::OpFirstExtra + 2), Calc::OutcomeExtra);
    EXPECT_EQ(std::string(calc.displayText), "5");
    EXPECT_TRUE(calc.startNewNumber);
    EXPECT_EQ(calc.ApplyOperation(Calc::OpEquals), Calc::OutcomeEquals);
}

TEST(CalculatorArithmeticTest, LargeAndSpecialValues)
{
    struct Case {
        const char* what;
        double value;
        const char* shown;
    } cases[] = {
        {"above 1e22 in exponent form", 1e23, "1.000000e+23"},
        {"negative large values too", -2.5e30, "-2.500000e+30"},
        {"1e22 itself in full", 1e22, "10000000000000000000000"},
        {"trailing zeros and point removed", 100.0, "100"},
        {"fraction kept", 2.5, "2.5"},
        {"infinity is an error", std::numeric_limits<double>::infinity(), "Error"},
        {"minus infinity is an error", -std::numeric_limits<double>::infinity(), "Error"},
        {"not a number is an error", std::numeric_limits<double>::quiet_NaN(), "Error"},
    };
    for (const Case& c : cases) {
        Calc calc(c.value);
        EXPECT_EQ(std::string(calc.DisplayCaption()), c.shown) << c.what;
    }
}

TEST(CalculatorArithmeticTest, OverflowingResultsShowAnError)
{
    // Products and reciprocals that leave the double range end in an
    // error, whatever the runtime prints for them.
    Calc product(1e300);
    product.ApplyOperation(Calc::OpMultiply);
    product.value = 1e300;
    product.startNewNumber = FALSE;
    product.ApplyOperation(Calc::OpEquals);
    EXPECT_TRUE(product.error);
    EXPECT_EQ(std::string(product.DisplayCaption()), "Error");

    Calc reciprocal(1e-320);
    reciprocal.ApplyOperation(Calc::OpReciprocal);
    EXPECT_TRUE(reciprocal.error);
}

TEST(CalculatorArithmeticTest, AnEntryHoldsAtMostThirtyTwoDigits)
{
    Calc calc;
    for (int i = 0; i < 40; i++)
        calc.EnterDigit(1 + i % 9);
    int digits = 0;
    for (int i = 0; i < calc.displayText.GetLength(); i++)
        digits += calc.displayText[i] >= '0' && calc.displayText[i] <= '9';
    EXPECT_EQ(digits, Calc::kMaxEntryDigits);
    EXPECT_TRUE(std::isfinite(calc.value));
}

TEST(CalculatorArithmeticTest, KeyTableAndGrid)
{
    const auto& keys = Calc::StandardKeys();
    ASSERT_EQ(keys.size(), 26u);  // backspace and a 5 x 5 grid
    EXPECT_STREQ(keys[0].caption, "<-");
    const char* grid[] = {"MC", "MR", "M+", "C",   "CE", "7", "8", "9", "/", "*", "4", "5",   "6",
                          "+/-", "-", "1",  "2",  "3",   "Sqrt", "+", "0", ".", "=", "%", "1/x"};
    for (size_t i = 0; i < 25; i++)
        EXPECT_STREQ(keys[i + 1].caption, grid[i]) << i;

    EXPECT_EQ(Calc::GridRows(0), 5);
    EXPECT_EQ(Calc::GridRows(3), 6);
    EXPECT_EQ(Calc::GridRows(5), 6);
    EXPECT_EQ(Calc::GridRows(6), 7);

    EXPECT_EQ(Calc::ExtraKeyChar("&tax"), 'T');
    EXPECT_EQ(Calc::ExtraKeyChar("Ne&t"), 'T');
    EXPECT_EQ(Calc::ExtraKeyChar("Net"), 0);
    EXPECT_EQ(Calc::ExtraKeyChar("Net&"), 0);
}

} // namespace
