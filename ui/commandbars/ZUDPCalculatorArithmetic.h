#pragma once
// The calculator's arithmetic and display text, without windows: an
// immediate-execution four-function calculator (no precedence: every
// two-operand key applies the pending operation to the stored operand and
// the entry, then becomes the pending operation), with memory, per cent,
// square root, reciprocal and a repeated "=".  The calculator bar
// (ZUDPCalculator.h) derives from it and adds the keys, the window and the
// owner edit; the arithmetic builds natively as well, for the sanitizer
// tests.
//
// The key table (captions, operations and the keys that press them) lives
// here too, so that the layout rules can be checked without a window.
#include "framework/String.h"
#include "framework/Types.h"

#include <vector>

class CZUDPCalculatorArithmetic {
public:
    // Operation codes of the keys; digits have operation 0, application
    // keys 100 and up.
    enum Operation {
        OpDigit = 0,
        OpClearEntry = 1,
        OpClear = 2,
        OpMemoryClear = 3,
        OpMemoryRecall = 4,
        OpMemoryAdd = 5,
        OpAdd = 6,
        OpSubtract = 7,
        OpMultiply = 8,
        OpDivide = 9,
        OpChangeSign = 10,
        OpPoint = 11,
        OpSquareRoot = 12,
        OpPercent = 13,
        OpEquals = 14,
        OpReciprocal = 15,
        OpBackspace = 16,
        OpFirstExtra = 100,
    };
    // What the window side has to do after a key.
    enum Outcome {
        OutcomeNone,     // nothing more (the display may have changed)
        OutcomeEquals,   // "=" was carried out: an owner edit may take the result
        OutcomeExtra,    // an application key: its hook is told
    };
    // An entry never grows beyond this many digits: more would only be
    // rounded away by the double it is read into.
    static constexpr int kMaxEntryDigits = 32;
    // Values of larger magnitude are shown in exponent form.
    static constexpr double kExponentFormAbove = 1e22;

    explicit CZUDPCalculatorArithmetic(double dblValue = 0.0);
    virtual ~CZUDPCalculatorArithmetic() = default;

    // Operand, memory and pending operation cleared, a new number expected,
    // no error; the display shows the value.
    void ResetArithmetic();
    // One key with an operation code other than a digit's; see Outcome.
    Outcome ApplyOperation(int nOperation);
    // A digit key (0-9).  A digit right after "=" starts a new
    // calculation.
    void EnterDigit(int nDigit);
    // Applies the pending operation to the operand and the value.
    void Calculate();
    // The display text of the value; an infinite or not-a-number value sets
    // the error instead.
    void FormatValue();
    // What the display shows: "Error" or the display text.
    CString DisplayCaption() const { return error ? CString("Error") : displayText; }

    double value = 0.0;          // the number in the display
    double operand = 0.0;        // the left operand (after "=": the repeated right one)
    double memory = 0.0;
    CString displayText;         // the entry being typed or the formatted value
    int pendingOperation = 0;    // 0 or OpAdd .. OpDivide
    BOOL startNewNumber = TRUE;  // the next digit starts a new entry
    BOOL error = FALSE;          // only C and CE are taken
    BOOL repeatEquals = FALSE;   // the last key was "="

    // --- the keys
    struct KeyDef {
        const char* caption;
        int operation;   // OpDigit for digits
        int digit;       // 0-9, -1 for other keys
        int key1, key2;  // virtual keys (keyDown) or characters; 0: none
        BOOL keyDown;    // the keys come as WM_KEYDOWN, else as WM_CHAR
        BOOL needsCtrl;  // only while Ctrl is held
    };
    // The standard keys in bar order after the display: backspace first,
    // then the grid row by row (five columns).
    static const std::vector<KeyDef>& StandardKeys();
    // The character that presses an application key: the one after the
    // first "&" of its caption, upper-cased; 0 when there is none.
    static int ExtraKeyChar(const CString& strCaption);
    // Grid rows under the display for the given number of application keys.
    static int GridRows(int nExtraKeys, int nColumns = 5);

private:
    void ReadDisplayText();
    void ForgetFinishedCalculation();
};
