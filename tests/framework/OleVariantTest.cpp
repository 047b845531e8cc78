// Variants: equality by type, conversions (and the ones refused), and the
// archive form.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "framework/Archive.h"
#include "framework/File.h"
#include "framework/OleVariant.h"
#include "tests/framework/Thrown.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes StoreVariant(const COleVariant& v)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << v;
        ar.Close();
    }
    Bytes out(size_t(file.GetLength()));
    file.SeekToBegin();
    if (!out.empty())
        file.Read(out.data(), UINT(out.size()));
    return out;
}

COleVariant LoadVariant(Bytes bytes)
{
    CMemFile file(bytes.empty() ? nullptr : bytes.data(), UINT(bytes.size()));
    CArchive ar(&file, CArchive::load);
    COleVariant v;
    ar >> v;
    return v;
}

COleVariant Typed(VARTYPE vt, std::function<void(COleVariant&)> set)
{
    COleVariant v;
    v.SetZero(vt);
    set(v);
    return v;
}

} // namespace

TEST(OleVariant, EqualityByType)
{
    COleVariant null;
    null.SetZero(VT_NULL);
    struct Case {
        const char* name;
        COleVariant a;
        COleVariant b;
        bool equal;
    } cases[] = {
        { "empty", COleVariant(), COleVariant(), true },
        { "null", null, null, true },
        { "empty is not null", COleVariant(), null, false },
        { "doubles exactly", COleVariant(1.0), COleVariant(1.0), true },
        { "doubles a tenth of a second apart", COleVariant(45000.0, VT_DATE), COleVariant(45000.0 + 0.1 / 86400, VT_DATE), false },
        { "date is no double", COleVariant(1.0, VT_DATE), COleVariant(1.0), false },
        { "text case-sensitive", COleVariant("x"), COleVariant("X"), false },
        { "same text", COleVariant("x"), COleVariant("x"), true },
        { "text length", COleVariant("x"), COleVariant("xx"), false },
        { "booleans of any non-zero value", COleVariant(LONG(5), VT_BOOL), COleVariant(short(1), VT_BOOL), true },
        { "boolean 16 bits", Typed(VT_BOOL, [](COleVariant& v) { v.boolVal = 1; }),
          Typed(VT_BOOL, [](COleVariant& v) { v.ulVal = 0x00010001; }), true },
        { "boolean is no short", COleVariant(short(-1)), COleVariant(short(1), VT_BOOL), false },
        { "32-bit ints", COleVariant(7), COleVariant(7), true },
        { "int is no 64-bit int", COleVariant(7), COleVariant(LONGLONG(7)), false },
        { "64-bit", COleVariant(LONGLONG(1) << 40), COleVariant(LONGLONG(1) << 40), true },
        { "bytes", COleVariant(BYTE(3)), COleVariant(BYTE(4)), false },
        { "floats", COleVariant(0.5f), COleVariant(0.5f), true },
        { "decimal 16 bytes", Typed(VT_DECIMAL, [](COleVariant& v) { v.decVal[15] = 1; }),
          Typed(VT_DECIMAL, [](COleVariant& v) { v.decVal[15] = 2; }), false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.equal, c.a == c.b);
        EXPECT_EQ(!c.equal, c.a != c.b);
    }
}

TEST(OleVariant, Conversions)
{
    COleVariant null;
    null.SetZero(VT_NULL);
    struct Case {
        const char* name;
        COleVariant from;
        VARTYPE to;
        bool ok;
        COleVariant expected;
    } cases[] = {
        { "int to bool", COleVariant(3), VT_BOOL, true, COleVariant(short(1), VT_BOOL) },
        { "zero to bool", COleVariant(0), VT_BOOL, true, COleVariant(short(0), VT_BOOL) },
        { "bool to int", COleVariant(short(1), VT_BOOL), VT_I4, true, COleVariant(-1) },
        { "half to even down", COleVariant(2.5), VT_I4, true, COleVariant(2) },
        { "half to even up", COleVariant(3.5), VT_I4, true, COleVariant(4) },
        { "negative half", COleVariant(-2.5), VT_I4, true, COleVariant(-2) },
        { "too large for 32 bits", COleVariant(3e9), VT_I4, false, COleVariant() },
        { "negative into unsigned", COleVariant(-1), VT_UI4, false, COleVariant() },
        { "text to int", COleVariant(" 42 "), VT_I4, true, COleVariant(42) },
        { "text not a number", COleVariant("4x"), VT_I4, false, COleVariant() },
        { "hex text refused", COleVariant("0x10"), VT_I4, false, COleVariant() },
        { "text to double", COleVariant("-1.5e2"), VT_R8, true, COleVariant(-150.0) },
        { "text true", COleVariant("TRUE"), VT_BOOL, true, COleVariant(short(1), VT_BOOL) },
        { "text to date", COleVariant("2024-02-29 10:30"), VT_DATE, true,
          COleVariant(COleDateTime(2024, 2, 29, 10, 30, 0)) },
        { "text no date", COleVariant("2023-02-29"), VT_DATE, false, COleVariant() },
        { "date to text", COleVariant(COleDateTime(2024, 2, 29, 10, 30, 5)), VT_BSTR, true,
          COleVariant("2024-02-29 10:30:05") },
        { "midnight to text", COleVariant(COleDateTime(2024, 2, 29, 0, 0, 0)), VT_BSTR, true, COleVariant("2024-02-29") },
        { "int to text", COleVariant(-7), VT_BSTR, true, COleVariant("-7") },
        { "double to text", COleVariant(0.1), VT_BSTR, true, COleVariant("0.1") },
        { "empty to int", COleVariant(), VT_I4, true, COleVariant(0) },
        { "empty to text", COleVariant(), VT_BSTR, true, COleVariant("") },
        { "null to int", null, VT_I4, false, COleVariant() },
        { "double outside the dates", COleVariant(1e300), VT_DATE, false, COleVariant() },
        { "date to double", COleVariant(1.25, VT_DATE), VT_R8, true, COleVariant(1.25) },
        { "int to empty", COleVariant(1), VT_EMPTY, false, COleVariant() },
        { "to an unknown type", COleVariant(1), VARTYPE(15), false, COleVariant() },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        COleVariant v(c.from);
        EXPECT_EQ(c.ok, v.ChangeType(c.to) != FALSE);
        if (c.ok)
            EXPECT_TRUE(v == c.expected) << "type " << v.vt << " text " << static_cast<LPCSTR>(v.GetText());
        else
            EXPECT_TRUE(v == c.from);   // a refused conversion changes nothing
    }
}

TEST(OleVariant, ArchiveForm)
{
    struct Case {
        const char* name;
        COleVariant value;
        Bytes bytes;
    } cases[] = {
        { "empty", COleVariant(), { 0, 0 } },
        { "int", COleVariant(7), { 3, 0, 7, 0, 0, 0 } },
        { "bool", COleVariant(short(1), VT_BOOL), { 11, 0, 0xFF, 0xFF } },
        { "date", COleVariant(1.5, VT_DATE), { 7, 0, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F } },
        { "text", COleVariant("ab"), { 8, 0, 2, 0, 0, 0, 'a', 'b' } },
        { "byte", COleVariant(BYTE(9)), { 17, 0, 9 } },
        { "64-bit", COleVariant(LONGLONG(-2)), { 20, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.bytes, StoreVariant(c.value));
        EXPECT_TRUE(LoadVariant(c.bytes) == c.value);
    }
    // Text with a zero inside keeps every byte.
    CString zero("a");
    zero += '\0';
    zero += 'b';
    COleVariant withZero;
    withZero.SetText(zero);
    EXPECT_EQ(3, LoadVariant(StoreVariant(withZero)).GetText().GetLength());

    EXPECT_EQ(CArchiveException::badSchema, trovtest::ThrownCause<CArchiveException>([] { LoadVariant({ 9, 0 }); }));
    EXPECT_EQ(CArchiveException::badSchema, trovtest::ThrownCause<CArchiveException>([] { LoadVariant({ 15, 0 }); }));
    // A text longer than what follows is refused before anything is made.
    EXPECT_EQ(CArchiveException::endOfFile,
              trovtest::ThrownCause<CArchiveException>([] { LoadVariant({ 8, 0, 0xFF, 0xFF, 0xFF, 0x7F, 'a' }); }));
    EXPECT_EQ(CArchiveException::endOfFile, trovtest::ThrownCause<CArchiveException>([] { LoadVariant({ 3, 0, 7 }); }));
}
