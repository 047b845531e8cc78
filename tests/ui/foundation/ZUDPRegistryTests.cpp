// Typed registry access: the exact stored bytes of every encoding, reads of
// damaged values, key navigation and recursive deletion.  Every test works
// below a company key of its own under HKEY_CURRENT_USER and removes it.
#include "ui/foundation/ZUDPRegistry.h"
#include "tests/ui/foundation/RegistryTestKey.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

class CRegTestItem : public CObject {
    DECLARE_SERIAL(CRegTestItem)
public:
    int m_value = 0;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_value;
        else
            ar >> m_value;
    }
};
IMPLEMENT_SERIAL(CRegTestItem, CObject, 1)

class CRegTestOther : public CObject {
    DECLARE_SERIAL(CRegTestOther)
public:
    void Serialize(CArchive&) override {}
};
IMPLEMENT_SERIAL(CRegTestOther, CObject, 1)

namespace {

using Bytes = std::vector<BYTE>;

class ZUDPRegistryTest : public trovtest::RegistryTestKey {
protected:
    // A read-write registry object opened on the test key.
    CZUDPRegistry& OpenWritable(CZUDPRegistryHolder& holder)
    {
        CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
        EXPECT_TRUE(reg.CreateKey(Path()));
        return reg;
    }
};

TEST_F(ZUDPRegistryTest, StoresEachKindWithItsExactTypeAndBytes)
{
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = OpenWritable(holder);
    CWordArray words;
    words.Add(0x1234);
    words.Add(0xFFFF);
    const BYTE raw[] = {9, 8, 7};
    ASSERT_TRUE(reg.Write("Int", -2));
    ASSERT_TRUE(reg.Write("Dword", DWORD(0x01020304)));
    ASSERT_TRUE(reg.Write("Wide", ULONGLONG(0x1122334455667788ull)));
    ASSERT_TRUE(reg.Write("Text", "ab"));
    ASSERT_TRUE(reg.Write("Raw", raw, 3));
    ASSERT_TRUE(reg.Write("Rect", CRect(1, -2, 300, 0x01020304)));
    ASSERT_TRUE(reg.Write("Point", CPoint(-1, 0x102)));
    ASSERT_TRUE(reg.Write("Words", words));

    struct Case {
        const char* name;
        DWORD type;
        Bytes bytes;
    } cases[] = {
        {"Int", REG_DWORD, {0xFE, 0xFF, 0xFF, 0xFF}},
        {"Dword", REG_DWORD, {4, 3, 2, 1}},
        {"Wide", REG_BINARY, {0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11}},
        {"Text", REG_SZ, {'a', 'b', 0}},
        {"Raw", REG_BINARY, {9, 8, 7}},
        {"Rect", REG_BINARY, {1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0x2C, 1, 0, 0, 4, 3, 2, 1}},
        {"Point", REG_BINARY, {5, 0, 0xFF, 0xFF, 0xFF, 0xFF, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"Words", REG_BINARY, {2, 0, 0, 0, 0x34, 0x12, 0xFF, 0xFF}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DWORD type = 0;
        EXPECT_EQ(c.bytes, ReadRaw(c.name, &type));
        EXPECT_EQ(c.type, type);
    }
}

TEST_F(ZUDPRegistryTest, ValuesReadBackAsWritten)
{
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = OpenWritable(holder);
    CWordArray words;
    words.Add(7);
    words.Add(65535);
    CStringArray strings;
    strings.Add("one");
    strings.Add("");
    CStringList list;
    list.AddTail("x");
    CDWordArray dwords;
    dwords.Add(0xDEADBEEF);
    CRegTestItem item;
    item.m_value = 42;
    ASSERT_TRUE(reg.Write("Point", CPoint(-5, 77)));
    ASSERT_TRUE(reg.Write("Rect", CRect(-1, 2, -3, 4)));
    ASSERT_TRUE(reg.Write("Words", words));
    ASSERT_TRUE(reg.Write("Strings", strings));
    ASSERT_TRUE(reg.Write("List", list));
    ASSERT_TRUE(reg.Write("Dwords", dwords));
    ASSERT_TRUE(reg.Write("Object", &item));
    ASSERT_TRUE(reg.Write("Serialized", static_cast<CObject&>(item)));
    ASSERT_TRUE(reg.Write("Empty", ""));
    // Larger than the first query's buffer: read by a second query.
    std::vector<BYTE> large(5000);
    for (size_t i = 0; i < large.size(); ++i)
        large[i] = BYTE(i * 7);
    ASSERT_TRUE(reg.Write("Large", large.data(), UINT(large.size())));
    // Text read as bytes comes back in the narrow character set, short or long.
    const CString longText('x', 3000);
    ASSERT_TRUE(reg.Write("ShortText", "abc"));
    ASSERT_TRUE(reg.Write("LongText", longText));

    CZUDPRegistryHolder readHolder;
    CZUDPRegistry& in = readHolder.Create(FALSE, TRUE);
    ASSERT_TRUE(in.Open(Path() + "\\"));
    CPoint pt;
    ASSERT_TRUE(in.Read("Point", pt));
    EXPECT_EQ(CPoint(-5, 77), pt);
    CRect rc;
    ASSERT_TRUE(in.Read("Rect", rc));
    EXPECT_EQ(CRect(-1, 2, -3, 4), rc);
    CWordArray wordsIn;
    ASSERT_TRUE(in.Read("Words", wordsIn));
    ASSERT_EQ(2, wordsIn.GetSize());
    EXPECT_EQ(65535, wordsIn[1]);
    CStringArray stringsIn;
    ASSERT_TRUE(in.Read("Strings", stringsIn));
    ASSERT_EQ(2, stringsIn.GetSize());
    EXPECT_STREQ("one", stringsIn[0]);
    CStringList listIn;
    ASSERT_TRUE(in.Read("List", listIn));
    EXPECT_EQ(1, listIn.GetCount());
    CDWordArray dwordsIn;
    ASSERT_TRUE(in.Read("Dwords", dwordsIn));
    EXPECT_EQ(0xDEADBEEF, dwordsIn[0]);
    CObject* pObject = nullptr;
    ASSERT_TRUE(in.Read("Object", pObject, RUNTIME_CLASS(CRegTestItem)));
    ASSERT_NE(nullptr, dynamic_cast<CRegTestItem*>(pObject));
    EXPECT_EQ(42, static_cast<CRegTestItem*>(pObject)->m_value);
    delete pObject;
    CRegTestItem itemIn;
    ASSERT_TRUE(in.Read("Serialized", static_cast<CObject&>(itemIn)));
    EXPECT_EQ(42, itemIn.m_value);
    CString text("old");
    EXPECT_TRUE(in.Read("Empty", text));
    EXPECT_STREQ("", text);
    LPBYTE pLarge = nullptr;
    UINT nLarge = 0;
    ASSERT_TRUE(in.ReadBinary("Large", &pLarge, &nLarge));
    std::unique_ptr<BYTE[]> largeIn(pLarge);
    ASSERT_EQ(large.size(), nLarge);
    EXPECT_TRUE(std::equal(large.begin(), large.end(), largeIn.get()));
    for (const CString& expected : {CString("abc"), longText}) {
        LPBYTE pText = nullptr;
        UINT nText = 0;
        ASSERT_TRUE(in.ReadBinary(expected.GetLength() == 3 ? "ShortText" : "LongText", &pText, &nText));
        std::unique_ptr<BYTE[]> textIn(pText);
        ASSERT_EQ(UINT(expected.GetLength() + 1), nText);
        EXPECT_EQ(0, memcmp(LPCTSTR(expected), textIn.get(), nText));
    }
}

// Stored values are input: each damaged or mismatched one reads as a
// failure and leaves the output alone, or reads only what is there.
TEST_F(ZUDPRegistryTest, DamagedValuesFailInsteadOfBeingUsed)
{
    WriteRaw("Two", REG_BINARY, {1, 2});
    WriteRaw("Four", REG_BINARY, {1, 0, 0, 0});
    WriteRaw("Eight", REG_BINARY, {1, 0, 0, 0, 0, 0, 0, 0});
    WriteRaw("Rect15", REG_BINARY, Bytes(15, 1));
    Bytes rect20(20, 0);
    rect20[0] = 7;
    rect20[16] = 9;
    WriteRaw("Rect20", REG_BINARY, rect20);
    WriteRaw("PointDword", REG_DWORD, {1, 0, 0, 0});
    WriteRaw("PointOne", REG_BINARY, {1, 0, 5, 0, 0, 0});
    WriteRaw("WordsHuge", REG_BINARY, {0xFF, 0xFF, 0xFF, 0x7F, 1, 0});
    WriteRaw("DwordsHuge", REG_BINARY, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 1, 0});
    WriteRaw("TextNoNul", REG_SZ, {'a', 'b', 'c'});

    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(Path()));

    int n = 99;
    EXPECT_FALSE(reg.Read("Two", n));
    EXPECT_EQ(99, n);
    EXPECT_FALSE(reg.Read("Eight", n));
    EXPECT_TRUE(reg.Read("Four", n));   // a 4-byte binary value is an integer
    EXPECT_EQ(1, n);
    ULONGLONG wide = 5;
    EXPECT_FALSE(reg.Read("Four", wide));
    EXPECT_EQ(5u, wide);
    EXPECT_TRUE(reg.Read("Eight", wide));

    CRect rc(1, 1, 1, 1);
    EXPECT_FALSE(reg.Read("Rect15", rc));
    EXPECT_EQ(CRect(1, 1, 1, 1), rc);
    EXPECT_TRUE(reg.Read("Rect20", rc));
    EXPECT_EQ(CRect(7, 0, 0, 0), rc);

    CPoint pt(3, 3);
    EXPECT_FALSE(reg.Read("PointDword", pt));
    EXPECT_FALSE(reg.Read("PointOne", pt));
    EXPECT_EQ(CPoint(3, 3), pt);

    CWordArray words;
    EXPECT_FALSE(reg.Read("WordsHuge", words));
    EXPECT_EQ(0, words.GetSize());
    CDWordArray dwords;
    EXPECT_FALSE(reg.Read("DwordsHuge", dwords));

    CString text;
    EXPECT_TRUE(reg.Read("TextNoNul", text));
    EXPECT_STREQ("abc", text);
    EXPECT_FALSE(reg.Read("Missing", text));
}

TEST_F(ZUDPRegistryTest, ObjectReadsAcceptOnlyTheExpectedClass)
{
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = OpenWritable(holder);
    CRegTestOther other;
    CObList stored;
    stored.AddTail(&other);
    ASSERT_TRUE(reg.Write("Other", &other));
    ASSERT_TRUE(reg.Write("OtherList", stored));
    WriteRaw("Cut", REG_BINARY, {2, 0, 0xFF, 0xFF});

    CObject* pObject = nullptr;
    EXPECT_FALSE(reg.Read("Other", pObject, RUNTIME_CLASS(CRegTestItem)));
    EXPECT_EQ(nullptr, pObject);

    // The list keeps its objects when the stored one is of the wrong
    // class or the value is cut short.
    CObList list;
    auto* pKept = new CRegTestItem;
    list.AddTail(pKept);
    EXPECT_FALSE(reg.Read("OtherList", list, RUNTIME_CLASS(CRegTestItem)));
    EXPECT_FALSE(reg.Read("Cut", list, RUNTIME_CLASS(CRegTestItem)));
    ASSERT_EQ(1, list.GetCount());
    EXPECT_EQ(pKept, list.GetHead());
    EXPECT_TRUE(reg.Read("OtherList", list, RUNTIME_CLASS(CRegTestOther)));
    ASSERT_EQ(1, list.GetCount());
    EXPECT_NE(nullptr, dynamic_cast<CRegTestOther*>(list.GetHead()));
    delete list.RemoveHead();
}

TEST_F(ZUDPRegistryTest, OpenMovesDownFromTheCurrentKeyAndAFailureKeepsIt)
{
    CreateRawKey("A\\B\\C");
    WriteRaw("A\\B", "InB", REG_DWORD, {1, 0, 0, 0});
    WriteRaw("A\\B\\C", "InC", REG_DWORD, {2, 0, 0, 0});

    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
    EXPECT_EQ(&reg, &holder.Create(TRUE, FALSE));   // the same object, unchanged
    EXPECT_TRUE(reg.IsReadOnly());
    ASSERT_TRUE(reg.Open(Path() + "\\A\\B\\"));
    EXPECT_FALSE(reg.Open("Missing"));
    int n = 0;
    EXPECT_TRUE(reg.Read("InB", n));
    EXPECT_EQ(1, n);
    ASSERT_TRUE(reg.Open("C"));
    EXPECT_TRUE(reg.Read("InC", n));
    EXPECT_EQ(2, n);
    EXPECT_TRUE(reg.KeyExists(""));
    EXPECT_FALSE(reg.KeyExists("Nothing"));
}

TEST_F(ZUDPRegistryTest, DeleteKeyRemovesTwoLevelsAndRefusesTheRootAndReadOnly)
{
    CreateRawKey("Top\\Mid1\\Leaf");
    CreateRawKey("Top\\Mid2");
    WriteRaw("Top\\Mid1\\Leaf", "V", REG_DWORD, {1, 0, 0, 0});

    {
        CZUDPRegistryHolder holder;
        CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
        EXPECT_FALSE(reg.DeleteKey(Path() + "\\Top"));
        EXPECT_FALSE(reg.CreateKey("New"));
        EXPECT_FALSE(reg.Write("V", 1));
        EXPECT_FALSE(reg.Write("V", "text"));
        EXPECT_FALSE(reg.Write("V", CRect()));
        EXPECT_TRUE(RawKeyExists("Top\\Mid1\\Leaf"));
        EXPECT_FALSE(RawKeyExists("New"));
    }
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
    // An empty path would be the whole of HKEY_CURRENT_USER.
    for (const char* root : {"", "\\", "\\\\"})
        EXPECT_FALSE(reg.DeleteKey(root)) << '"' << root << '"';
    EXPECT_TRUE(reg.DeleteKey(Path() + "\\Top\\"));
    EXPECT_FALSE(RawKeyExists("Top"));
    EXPECT_TRUE(RawKeyExists(""));
    EXPECT_FALSE(reg.DeleteKey(Path() + "\\Top"));
}

TEST_F(ZUDPRegistryTest, APassOpensEachKeyOnceAndNeverWritesIntoADeletedOne)
{
    CZUDPRegistryPass pass;
    HKEY hFirst = nullptr;
    {
        CZUDPRegistryHolder holder;
        CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(Path() + "\\S\\T\\"));
        EXPECT_TRUE(reg.Write("A", 1));
        hFirst = reg.GetCurrentKey();
    }
    {
        // A later routine of the pass, read-only and spelled otherwise,
        // gets the key still open.
        CZUDPRegistryHolder holder;
        CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
        ASSERT_TRUE(reg.Open(Path() + "\\s\\t"));
        EXPECT_EQ(hFirst, reg.GetCurrentKey());
        int n = 0;
        EXPECT_TRUE(reg.Read("A", n));
        EXPECT_EQ(1, n);
        EXPECT_FALSE(reg.Write("A", 2));   // still read-only
    }
    {
        // The parent goes: the next routine makes a new key and its values
        // land there, not in the deleted one.
        CZUDPRegistryHolder holder;
        CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
        ASSERT_TRUE(reg.DeleteKey(Path() + "\\S"));
        ASSERT_TRUE(reg.CreateKey(Path() + "\\S\\T"));
        EXPECT_NE(hFirst, reg.GetCurrentKey());
        EXPECT_TRUE(reg.Write("B", 2));
    }
    EXPECT_EQ(std::vector<BYTE>({2, 0, 0, 0}), ReadRaw("S\\T", "B"));
    EXPECT_TRUE(ReadRaw("S\\T", "A").empty());
}

TEST_F(ZUDPRegistryTest, NameEnumerationsReportEmptyKeysAndFailures)
{
    CreateRawKey("Empty");
    CreateRawKey("Full\\Sub1");
    CreateRawKey("Full\\Sub2");
    const std::string longName(1500, 'n');
    WriteRaw("Full", longName.c_str(), REG_DWORD, {1, 0, 0, 0});

    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(Path() + "\\Empty"));
    CStringArray names;
    EXPECT_FALSE(reg.ReadSubKeyNames(names));
    EXPECT_FALSE(reg.ReadValueNames(names));
    EXPECT_EQ(0, names.GetSize());

    CZUDPRegistryHolder fullHolder;
    CZUDPRegistry& full = fullHolder.Create(FALSE, TRUE);
    ASSERT_TRUE(full.Open(Path() + "\\Full"));
    EXPECT_TRUE(full.ReadSubKeyNames(names));
    EXPECT_EQ(2, names.GetSize());
    names.RemoveAll();
    ASSERT_TRUE(full.ReadValueNames(names));   // names past 1023 characters too
    ASSERT_EQ(1, names.GetSize());
    EXPECT_EQ(int(longName.size()), names[0].GetLength());

    // A closed object has no key to enumerate: a failure, not an empty list.
    full.Close();
    EXPECT_FALSE(full.ReadSubKeyNames(names));
}

} // namespace
