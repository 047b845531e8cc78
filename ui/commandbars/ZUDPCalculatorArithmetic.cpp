#include "ui/commandbars/ZUDPCalculatorArithmetic.h"

#include <cctype>
#include <cmath>
#include <cstdio>

CZUDPCalculatorArithmetic::CZUDPCalculatorArithmetic(double dblValue) : value(dblValue) { ResetArithmetic(); }

void CZUDPCalculatorArithmetic::ResetArithmetic()
{
    operand = 0.0;
    memory = 0.0;
    pendingOperation = 0;
    startNewNumber = TRUE;
    error = FALSE;
    repeatEquals = FALSE;
    FormatValue();
}

void CZUDPCalculatorArithmetic::ReadDisplayText()
{
    double dbl = 0.0;
    if (std::sscanf(displayText, "%lf", &dbl) != 1)
        dbl = 0.0;
    value = dbl;
}

void CZUDPCalculatorArithmetic::ForgetFinishedCalculation()
{
    // A number typed right after "=" starts a new calculation: the
    // operation kept for a repeated "=" must not apply to it.
    if (repeatEquals)
        pendingOperation = 0;
    repeatEquals = FALSE;
}

void CZUDPCalculatorArithmetic::EnterDigit(int nDigit)
{
    if (error || nDigit < 0 || nDigit > 9)
        return;
    ForgetFinishedCalculation();
    if (startNewNumber) {
        value = 0.0;
        displayText = "0";
        startNewNumber = FALSE;
    }
    if (displayText == "0")
        displayText.Empty();
    int nDigits = 0;
    for (int i = 0; i < displayText.GetLength(); i++)
        if (std::isdigit((unsigned char)displayText[i]))
            nDigits++;
    if (nDigits >= kMaxEntryDigits) {
        if (displayText.IsEmpty())
            displayText = "0";
        return;
    }
    displayText += char('0' + nDigit);
    ReadDisplayText();
}

void CZUDPCalculatorArithmetic::Calculate()
{
    switch (pendingOperation) {
    case OpAdd:
        value = operand + value;
        break;
    case OpSubtract:
        value = repeatEquals ? value - operand : operand - value;
        break;
    case OpMultiply:
        value = operand * value;
        break;
    case OpDivide: {
        const double dblDivisor = repeatEquals ? operand : value;
        if (dblDivisor == 0.0) {
            error = TRUE;
            break;
        }
        value = repeatEquals ? value / operand : operand / value;
        break;
    }
    default:
        break;
    }
}

void CZUDPCalculatorArithmetic::FormatValue()
{
    // The runtime prints infinities and not-a-number values in a form of
    // its own ("inf", "nan", or others): they are told by their value.
    if (!std::isfinite(value)) {
        error = TRUE;
        return;
    }
    char szText[64];
    if (std::fabs(value) > kExponentFormAbove) {
        std::snprintf(szText, sizeof(szText), "%le", value);
        displayText = szText;
        return;
    }
    std::snprintf(szText, sizeof(szText), "%.16lf", value);
    CString strText(szText);
    if (strText.Find('.') >= 0) {
        int nLength = strText.GetLength();
        while (nLength > 0 && strText[nLength - 1] == '0')
            nLength--;
        if (nLength > 0 && strText[nLength - 1] == '.')
            nLength--;
        strText = strText.Left(nLength);
    }
    displayText = strText;
}

CZUDPCalculatorArithmetic::Outcome CZUDPCalculatorArithmetic::ApplyOperation(int nOperation)
{
    if (error && nOperation != OpClearEntry && nOperation != OpClear)
        return OutcomeNone;
    const BOOL bAfterEquals = repeatEquals;
    if (nOperation < OpFirstExtra && nOperation != OpEquals)
        repeatEquals = FALSE;

    switch (nOperation) {
    case OpDigit:
        return OutcomeNone;
    case OpClear:
        operand = 0.0;
        pendingOperation = 0;
        [[fallthrough]];
    case OpClearEntry:
        value = 0.0;
        displayText = "0";
        error = FALSE;
        repeatEquals = FALSE;
        startNewNumber = TRUE;
        break;
    case OpMemoryClear:
        memory = 0.0;
        return OutcomeNone;
    case OpMemoryRecall:
        value = memory;
        break;
    case OpMemoryAdd:
        Calculate();
        memory += value;
        startNewNumber = TRUE;
        break;
    case OpAdd:
    case OpSubtract:
    case OpMultiply:
    case OpDivide:
        if (!startNewNumber) {
            Calculate();
            FormatValue();
        }
        pendingOperation = nOperation;
        operand = value;
        startNewNumber = TRUE;
        return OutcomeNone;
    case OpChangeSign:
        // The sign flips also for zero: the display shows "-0".
        value = -value;
        startNewNumber = TRUE;
        break;
    case OpPoint:
        if (bAfterEquals)
            pendingOperation = 0;
        if (startNewNumber) {
            value = 0.0;
            displayText = "0.";
            startNewNumber = FALSE;
        }
        if (displayText.Find('.') < 0)
            displayText += '.';
        return OutcomeNone;
    case OpSquareRoot:
        if (value < 0.0) {
            error = TRUE;
        } else {
            value = std::sqrt(value);
            startNewNumber = TRUE;
        }
        break;
    case OpPercent:
        value = operand * value / 100.0;
        FormatValue();
        startNewNumber = TRUE;
        break;
    case OpEquals: {
        const double dblEntry = value;
        const BOOL bEntry = !startNewNumber;
        Calculate();
        if (bEntry)
            operand = dblEntry;
        startNewNumber = TRUE;
        repeatEquals = TRUE;
        FormatValue();
        return OutcomeEquals;
    }
    case OpReciprocal:
        if (value == 0.0) {
            error = TRUE;
        } else {
            value = 1.0 / value;
            startNewNumber = TRUE;
        }
        break;
    case OpBackspace:
        if (startNewNumber || error)
            return OutcomeNone;
        if (displayText.GetLength() < 2)
            displayText = "0";
        else
            displayText = displayText.Left(displayText.GetLength() - 1);
        ReadDisplayText();
        return OutcomeNone;
    default:
        if (nOperation >= OpFirstExtra) {
            Calculate();
            FormatValue();
            startNewNumber = TRUE;
            return OutcomeExtra;
        }
        return OutcomeNone;
    }
    FormatValue();
    return OutcomeNone;
}

// ---------------------------------------------------------------------------
// Keys

const std::vector<CZUDPCalculatorArithmetic::KeyDef>& CZUDPCalculatorArithmetic::StandardKeys()
{
    auto digit = [](const char* caption, int n) { return KeyDef{caption, OpDigit, n, '0' + n, 0, FALSE, FALSE}; };
    static const std::vector<KeyDef> keys = {
        {"<-", OpBackspace, -1, 8, 0, TRUE, FALSE},
        {"MC", OpMemoryClear, -1, 'L', 'l', TRUE, TRUE},
        {"MR", OpMemoryRecall, -1, 'R', 'r', TRUE, TRUE},
        {"M+", OpMemoryAdd, -1, 'P', 'p', TRUE, TRUE},
        {"C", OpClear, -1, 27, 0, TRUE, FALSE},
        {"CE", OpClearEntry, -1, 46, 0, TRUE, FALSE},
        digit("7", 7),
        digit("8", 8),
        digit("9", 9),
        {"/", OpDivide, -1, '/', 0, FALSE, FALSE},
        {"*", OpMultiply, -1, '*', 0, FALSE, FALSE},
        digit("4", 4),
        digit("5", 5),
        digit("6", 6),
        {"+/-", OpChangeSign, -1, 120, 0, TRUE, FALSE},
        {"-", OpSubtract, -1, '-', 0, FALSE, FALSE},
        digit("1", 1),
        digit("2", 2),
        digit("3", 3),
        {"Sqrt", OpSquareRoot, -1, '@', 0, FALSE, FALSE},
        {"+", OpAdd, -1, '+', 0, FALSE, FALSE},
        digit("0", 0),
        {".", OpPoint, -1, '.', ',', FALSE, FALSE},
        {"=", OpEquals, -1, 13, 0, TRUE, FALSE},
        {"%", OpPercent, -1, '%', 0, FALSE, FALSE},
        {"1/x", OpReciprocal, -1, 'R', 'r', FALSE, FALSE},
    };
    return keys;
}

int CZUDPCalculatorArithmetic::ExtraKeyChar(const CString& strCaption)
{
    const int nAmp = strCaption.Find('&');
    if (nAmp < 0 || nAmp + 1 >= strCaption.GetLength())
        return 0;
    return std::toupper((unsigned char)strCaption[nAmp + 1]);
}

int CZUDPCalculatorArithmetic::GridRows(int nExtraKeys, int nColumns)
{
    if (nExtraKeys <= 0 || nColumns <= 0)
        return 5;
    // The display, the backspace key, the grid keys and the extra keys.
    const int nButtons = 1 + int(StandardKeys().size()) + nExtraKeys;
    return int(double(nButtons) / nColumns + 0.5);
}
