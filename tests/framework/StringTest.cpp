// CString behaviour: one table of operations on a starting text, then the
// cases that a table cannot express (buffers, formatting, errors).
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <string>

#include "framework/Exceptions.h"
#include "framework/String.h"
#include "tests/framework/Thrown.h"

namespace {

using trovtest::ExpectThrown;

struct StringCase {
    const char* name;
    const char* input;
    std::function<std::string(CString&)> op;   // returns a result to check (or "")
    const char* expectedResult;
    const char* expectedText;                  // the string afterwards
};

std::string N(int n) { return std::to_string(n); }
std::string S(const CString& s) { return std::string(s, size_t(s.GetLength())); }

const StringCase kStringCases[] = {
    { "FindChar", "abcabc", [](CString& s) { return N(s.Find('c')); }, "2", "abcabc" },
    { "FindCharFromStart", "abcabc", [](CString& s) { return N(s.Find('a', 1)); }, "3", "abcabc" },
    { "FindCharStartPastEnd", "abc", [](CString& s) { return N(s.Find('a', 9)); }, "-1", "abc" },
    { "FindCharMissing", "abc", [](CString& s) { return N(s.Find('z')); }, "-1", "abc" },
    { "FindString", "hello world", [](CString& s) { return N(s.Find("world")); }, "6", "hello world" },
    { "FindStringFromStart", "abab", [](CString& s) { return N(s.Find("ab", 1)); }, "2", "abab" },
    { "FindEmptyString", "abc", [](CString& s) { return N(s.Find("")); }, "0", "abc" },
    { "FindStringStartAtEnd", "abc", [](CString& s) { return N(s.Find("", 3)); }, "3", "abc" },
    { "FindStringStartPastEnd", "abc", [](CString& s) { return N(s.Find("a", 4)); }, "-1", "abc" },
    { "ReverseFind", "a.b.c", [](CString& s) { return N(s.ReverseFind('.')); }, "3", "a.b.c" },
    { "ReverseFindMissing", "abc", [](CString& s) { return N(s.ReverseFind('.')); }, "-1", "abc" },
    { "FindOneOf", "key=value;x", [](CString& s) { return N(s.FindOneOf(";=")); }, "3", "key=value;x" },
    { "FindOneOfNone", "abc", [](CString& s) { return N(s.FindOneOf("xyz")); }, "-1", "abc" },
    { "Mid", "abcdef", [](CString& s) { return S(s.Mid(2)); }, "cdef", "abcdef" },
    { "MidCount", "abcdef", [](CString& s) { return S(s.Mid(1, 3)); }, "bcd", "abcdef" },
    { "MidCountTooLong", "abcdef", [](CString& s) { return S(s.Mid(4, 100)); }, "ef", "abcdef" },
    { "MidPastEnd", "abc", [](CString& s) { return S(s.Mid(10, 2)); }, "", "abc" },
    { "MidNegative", "abc", [](CString& s) { return S(s.Mid(-2, 2)); }, "ab", "abc" },
    { "MidHugeCount", "abc", [](CString& s) { return S(s.Mid(1, INT_MAX)); }, "bc", "abc" },
    { "Left", "abcdef", [](CString& s) { return S(s.Left(2)); }, "ab", "abcdef" },
    { "LeftTooLong", "ab", [](CString& s) { return S(s.Left(5)); }, "ab", "ab" },
    { "LeftNegative", "ab", [](CString& s) { return S(s.Left(-1)); }, "", "ab" },
    { "Right", "abcdef", [](CString& s) { return S(s.Right(2)); }, "ef", "abcdef" },
    { "RightTooLong", "ab", [](CString& s) { return S(s.Right(9)); }, "ab", "ab" },
    { "SpanIncluding", "123abc", [](CString& s) { return S(s.SpanIncluding("0123456789")); }, "123", "123abc" },
    { "SpanIncludingNone", "abc", [](CString& s) { return S(s.SpanIncluding("0123456789")); }, "", "abc" },
    { "SpanExcluding", "name;rest", [](CString& s) { return S(s.SpanExcluding(";,")); }, "name", "name;rest" },
    { "SpanExcludingAll", "name", [](CString& s) { return S(s.SpanExcluding(";")); }, "name", "name" },
    { "ReplaceChar", "a-b-c", [](CString& s) { return N(s.Replace('-', '+')); }, "2", "a+b+c" },
    { "ReplaceString", "one two one", [](CString& s) { return N(s.Replace("one", "1")); }, "2", "1 two 1" },
    { "ReplaceStringLonger", "aXa", [](CString& s) { return N(s.Replace("a", "aaa")); }, "2", "aaaXaaa" },
    { "ReplaceStringWithNothing", "a, b, c", [](CString& s) { return N(s.Replace(", ", "")); }, "2", "abc" },
    { "ReplaceStringNull", "abc", [](CString& s) { return N(s.Replace("b", nullptr)); }, "1", "ac" },
    { "ReplaceEmptyOld", "abc", [](CString& s) { return N(s.Replace("", "x")); }, "0", "abc" },
    { "ReplaceNonOverlapping", "aaa", [](CString& s) { return N(s.Replace("aa", "b")); }, "1", "ba" },
    { "Remove", "a b c ", [](CString& s) { return N(s.Remove(' ')); }, "3", "abc" },
    { "RemoveNone", "abc", [](CString& s) { return N(s.Remove('x')); }, "0", "abc" },
    { "InsertChar", "ac", [](CString& s) { return N(s.Insert(1, 'b')); }, "3", "abc" },
    { "InsertString", "ad", [](CString& s) { return N(s.Insert(1, "bc")); }, "4", "abcd" },
    { "InsertPastEnd", "ab", [](CString& s) { return N(s.Insert(99, "c")); }, "3", "abc" },
    { "InsertNegative", "bc", [](CString& s) { return N(s.Insert(-5, 'a')); }, "3", "abc" },
    { "Delete", "abcdef", [](CString& s) { return N(s.Delete(1, 2)); }, "4", "adef" },
    { "DeleteOne", "abc", [](CString& s) { return N(s.Delete(0)); }, "2", "bc" },
    { "DeleteTooMany", "abcdef", [](CString& s) { return N(s.Delete(3, 100)); }, "3", "abc" },
    { "DeletePastEnd", "abc", [](CString& s) { return N(s.Delete(5, 1)); }, "3", "abc" },
    { "Trim", " \t x y \r\n", [](CString& s) { s.Trim(); return std::string(); }, "", "x y" },
    { "TrimAllSpace", "   ", [](CString& s) { s.Trim(); return std::string(); }, "", "" },
    { "TrimChar", "xxaxx", [](CString& s) { s.Trim('x'); return std::string(); }, "", "a" },
    { "TrimSet", "-+a+-", [](CString& s) { s.Trim("+-"); return std::string(); }, "", "a" },
    { "TrimLeft", "  a  ", [](CString& s) { s.TrimLeft(); return std::string(); }, "", "a  " },
    { "TrimLeftChar", "00120", [](CString& s) { s.TrimLeft('0'); return std::string(); }, "", "120" },
    { "TrimLeftSet", "\"'a'", [](CString& s) { s.TrimLeft("'\""); return std::string(); }, "", "a'" },
    { "TrimRight", "  a  ", [](CString& s) { s.TrimRight(); return std::string(); }, "", "  a" },
    { "TrimRightChar", "1.500", [](CString& s) { s.TrimRight('0'); return std::string(); }, "", "1.5" },
    { "TrimRightSet", "a\r\n", [](CString& s) { s.TrimRight("\r\n"); return std::string(); }, "", "a" },
    { "MakeUpper", "abc-Xyz", [](CString& s) { s.MakeUpper(); return std::string(); }, "", "ABC-XYZ" },
    { "MakeLower", "ABC-xYZ", [](CString& s) { s.MakeLower(); return std::string(); }, "", "abc-xyz" },
    { "MakeUpperKeepsHighBytes", "\xe4x", [](CString& s) { s.MakeUpper(); return std::string(); }, "", "\xe4X" },
    { "MakeReverse", "abcd", [](CString& s) { s.MakeReverse(); return std::string(); }, "", "dcba" },
    { "CompareEqual", "abc", [](CString& s) { return N(s.Compare("abc")); }, "0", "abc" },
    { "CompareLess", "abc", [](CString& s) { return N(s.Compare("abd") < 0); }, "1", "abc" },
    { "CompareHighByteIsGreater", "\xe4", [](CString& s) { return N(s.Compare("a") > 0); }, "1", "\xe4" },
    { "CompareNoCase", "HeLLo", [](CString& s) { return N(s.CompareNoCase("hello")); }, "0", "HeLLo" },
    { "CompareNoCaseOrder", "apple", [](CString& s) { return N(s.CompareNoCase("BANANA") < 0); }, "1", "apple" },
    { "CompareNoCaseNull", "", [](CString& s) { return N(s.CompareNoCase(nullptr)); }, "0", "" },
    { "Collate", "abc", [](CString& s) { return N(s.Collate("abc")); }, "0", "abc" },
    { "AssignChar", "old", [](CString& s) { s = 'z'; return std::string(); }, "", "z" },
    { "AppendSelf", "ab", [](CString& s) { s += s; return std::string(); }, "", "abab" },
    { "AppendOwnTail", "abcd", [](CString& s) { s.Append(s.GetString() + 2); return std::string(); }, "", "abcdcd" },
    { "AssignOwnTail", "abcd", [](CString& s) { s = s.GetString() + 1; return std::string(); }, "", "bcd" },
    { "AppendChar", "ab", [](CString& s) { s += 'c'; return std::string(); }, "", "abc" },
    { "AppendNull", "ab", [](CString& s) { s += static_cast<LPCSTR>(nullptr); return std::string(); }, "", "ab" },
    { "SetAt", "abc", [](CString& s) { s.SetAt(1, 'X'); return std::string(); }, "", "aXc" },
    { "GetAtTerminator", "abc", [](CString& s) { return N(s.GetAt(3)); }, "0", "abc" },
    { "Truncate", "abcdef", [](CString& s) { s.Truncate(2); return std::string(); }, "", "ab" },
    { "Empty", "abc", [](CString& s) { s.Empty(); return N(s.IsEmpty()); }, "1", "" },
};

class StringOperation : public ::testing::TestWithParam<StringCase> {};

TEST_P(StringOperation, GivesResultAndText)
{
    const StringCase& c = GetParam();
    CString s(c.input);
    EXPECT_EQ(c.expectedResult, c.op(s));
    EXPECT_EQ(std::string(c.expectedText), S(s));
    EXPECT_EQ(int(std::strlen(c.expectedText)), s.GetLength());
    EXPECT_EQ('\0', s.GetString()[s.GetLength()]);
}

INSTANTIATE_TEST_SUITE_P(Table, StringOperation, ::testing::ValuesIn(kStringCases),
                         [](const ::testing::TestParamInfo<StringCase>& info) { return std::string(info.param.name); });

} // namespace

TEST(String, ConstructionForms)
{
    EXPECT_EQ(std::string(""), S(CString()));
    EXPECT_EQ(std::string(""), S(CString(static_cast<LPCSTR>(nullptr))));
    EXPECT_EQ(std::string("abc"), S(CString("abc")));
    EXPECT_EQ(std::string("ab"), S(CString("abcdef", 2)));
    EXPECT_EQ(std::string("a\0b", 3), S(CString("a\0b", 3)));
    EXPECT_EQ(std::string("---"), S(CString('-', 3)));
    EXPECT_EQ(std::string(""), S(CString('-', 0)));
    EXPECT_EQ(std::string(""), S(CString('-', -2)));
    const unsigned char bytes[] = { 'h', 'i', 0 };
    EXPECT_EQ(std::string("hi"), S(CString(bytes)));
    CString moved("text");
    CString target(std::move(moved));
    EXPECT_EQ(std::string("text"), S(target));
    EXPECT_TRUE(moved.IsEmpty()); // NOLINT(bugprone-use-after-move): a moved-from string is empty
}

TEST(String, OperatorsAndComparisons)
{
    CString a("abc");
    EXPECT_EQ(std::string("abcdef"), S(a + "def"));
    EXPECT_EQ(std::string("xabc"), S("x" + a));
    EXPECT_EQ(std::string("abc!"), S(a + '!'));
    EXPECT_EQ(std::string("!abc"), S('!' + a));
    EXPECT_EQ(std::string("abcabc"), S(a + a));
    EXPECT_TRUE(a == "abc");
    EXPECT_TRUE("abc" == a);
    EXPECT_TRUE(a == CString("abc"));
    EXPECT_TRUE(a != "abd");
    EXPECT_TRUE(a < "abd");
    EXPECT_TRUE("abb" < a);
    EXPECT_TRUE(a > "ab");
    EXPECT_TRUE(a <= "abc");
    EXPECT_TRUE(a >= "abc");
    EXPECT_FALSE(a == nullptr);
    EXPECT_TRUE(CString() == "");
    EXPECT_EQ('b', a[1]);
    EXPECT_STREQ("abc", static_cast<LPCSTR>(a));
}

TEST(String, FormatForms)
{
    CString s;
    s.Format("%d-%s-%05.1f-%c", 42, "x", 3.14159, 'z');
    EXPECT_EQ(std::string("42-x-003.1-z"), S(s));
    s.AppendFormat("[%u]", 7u);
    EXPECT_EQ(std::string("42-x-003.1-z[7]"), S(s));
    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());
    // A long result is not cut at some internal buffer size.
    s.Format("%s|%s", std::string(5000, 'a').c_str(), std::string(3000, 'b').c_str());
    EXPECT_EQ(8001, s.GetLength());
    // Formatting a string with its own text as an argument.
    CString self("me");
    self.Format("<%s>", static_cast<LPCSTR>(self));
    EXPECT_EQ(std::string("<me>"), S(self));
    self.AppendFormat("%s", static_cast<LPCSTR>(self));
    EXPECT_EQ(std::string("<me><me>"), S(self));
}

TEST(String, TokenizeWalksTokensThenEnds)
{
    CString s(";;alpha; beta;;gamma;");
    int pos = 0;
    std::string got;
    for (CString t = s.Tokenize(";", pos); pos != -1; t = s.Tokenize(";", pos))
        got += "[" + S(t) + "]";
    EXPECT_EQ("[alpha][ beta][gamma]", got);
    EXPECT_EQ(-1, pos);

    CString lone("word");
    pos = 0;
    EXPECT_EQ(std::string("word"), S(lone.Tokenize(" ", pos)));
    EXPECT_EQ(4, pos);
    EXPECT_TRUE(lone.Tokenize(" ", pos).IsEmpty());
    EXPECT_EQ(-1, pos);

    pos = 99;
    EXPECT_TRUE(lone.Tokenize(" ", pos).IsEmpty());
    EXPECT_EQ(-1, pos);
}

TEST(String, BufferAccess)
{
    CString s("ab");
    char* p = s.GetBuffer(10);
    std::strcpy(p, "0123456789");
    s.ReleaseBuffer();
    EXPECT_EQ(std::string("0123456789"), S(s));

    p = s.GetBuffer(4);
    p[2] = '\0';
    s.ReleaseBuffer();
    EXPECT_EQ(std::string("01"), S(s));

    p = s.GetBufferSetLength(3);
    p[2] = 'x';
    s.ReleaseBuffer(3);
    EXPECT_EQ(std::string("01x"), S(s));

    // A length beyond the room given is clamped, never read past it.
    CString t;
    p = t.GetBuffer(3);
    std::memcpy(p, "abcd", 4);   // fills the room and the terminator slot
    t.ReleaseBuffer(50);
    EXPECT_EQ(3, t.GetLength());
    EXPECT_EQ(std::string("abc"), S(t));

    CString empty;
    p = empty.GetBuffer();
    EXPECT_EQ('\0', p[0]);
    empty.ReleaseBuffer();
    EXPECT_TRUE(empty.IsEmpty());

    CString locked("lock");
    EXPECT_STREQ("lock", locked.LockBuffer());
    locked.UnlockBuffer();

    CString big("x");
    big.Preallocate(100);
    EXPECT_GE(big.GetAllocLength(), 100);
    big.FreeExtra();
    EXPECT_EQ(std::string("x"), S(big));
}

TEST(String, CopiesAreIndependent)
{
    CString a("shared");
    CString b(a);
    b.SetAt(0, 'S');
    char* p = a.GetBuffer();
    p[1] = 'H';
    a.ReleaseBuffer();
    EXPECT_EQ(std::string("sHared"), S(a));
    EXPECT_EQ(std::string("Shared"), S(b));
}

TEST(String, BadIndexesThrow)
{
    CString s("abc");
    ExpectThrown<CInvalidArgException>([&] { s.GetAt(4); });
    ExpectThrown<CInvalidArgException>([&] { s.GetAt(-1); });
    ExpectThrown<CInvalidArgException>([&] { s.SetAt(3, 'x'); });
    ExpectThrown<CInvalidArgException>([&] { s.Truncate(4); });
    ExpectThrown<CInvalidArgException>([&] { s.GetBuffer(-1); });
    EXPECT_EQ(std::string("abc"), S(s));
}

TEST(String, LoadStringWithoutTableFails)
{
#ifndef _WIN32
    CString s("keep");
    EXPECT_FALSE(s.LoadString(1));
    EXPECT_EQ(std::string("keep"), S(s));
#else
    CString s("keep");
    EXPECT_FALSE(s.LoadString(0xFFF0));   // no such string in the test program
    EXPECT_EQ(std::string("keep"), S(s));
#endif
}

TEST(String, IsOnePointerWide)
{
    static_assert(sizeof(CString) == sizeof(void*), "a CString is one pointer");
}

TEST(String, ExtractSubString)
{
    struct { const char* text; int index; char sep; BOOL found; const char* part; } cases[] = {
        { "one\ntwo\nthree", 0, '\n', TRUE, "one" },
        { "one\ntwo\nthree", 1, '\n', TRUE, "two" },
        { "one\ntwo\nthree", 2, '\n', TRUE, "three" },
        { "one\ntwo\nthree", 3, '\n', FALSE, "" },
        { "a;;b", 1, ';', TRUE, "" },
        { "a;;b", 2, ';', TRUE, "b" },
        { "", 0, '\n', TRUE, "" },
        { "x", -1, '\n', FALSE, "" },
    };
    for (auto& c : cases) {
        CString part("old");
        EXPECT_EQ(c.found, AfxExtractSubString(part, c.text, c.index, c.sep)) << c.text << " " << c.index;
        EXPECT_TRUE(part == c.part) << c.text << " " << c.index;
    }
    CString part;
    EXPECT_FALSE(AfxExtractSubString(part, nullptr, 0));
}
