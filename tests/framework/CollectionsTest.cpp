// Arrays, lists and maps: each family through one fixture or table, with
// the element lifetimes checked by the sanitizers (CString elements).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Array.h"
#include "framework/List.h"
#include "framework/Map.h"
#include "tests/framework/Thrown.h"

namespace {

using trovtest::ExpectThrown;

std::string Join(const CStringArray& a)
{
    std::string s;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        s += std::string(i ? "," : "") + static_cast<LPCSTR>(a[i]);
    return s;
}

template <class L>
std::string JoinList(const L& list)
{
    std::string s;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        s += std::string(s.empty() ? "" : ",") + static_cast<LPCSTR>(list.GetNext(pos));
    return s;
}

} // namespace

// ---- arrays ---------------------------------------------------------------

struct ArrayCase {
    const char* name;
    std::function<void(CStringArray&)> op;
    const char* expected;
};

class ArrayOperation : public ::testing::TestWithParam<ArrayCase> {};

const ArrayCase kArrayCases[] = {
    { "Add", [](CStringArray& a) { a.Add("d"); }, "a,b,c,d" },
    { "AddReturnsIndex", [](CStringArray& a) { if (a.Add(CString("x")) != 3) a.RemoveAll(); }, "a,b,c,x" },
    { "AddOwnElement", [](CStringArray& a) { a.FreeExtra(); a.Add(a[0]); }, "a,b,c,a" },
    { "InsertAtMiddle", [](CStringArray& a) { a.InsertAt(1, "x", 2); }, "a,x,x,b,c" },
    { "InsertAtEnd", [](CStringArray& a) { a.InsertAt(3, "x"); }, "a,b,c,x" },
    { "InsertPastEndGrows", [](CStringArray& a) { a.InsertAt(5, "x"); }, "a,b,c,,,x" },
    { "InsertOwnElement", [](CStringArray& a) { a.FreeExtra(); a.InsertAt(0, a[2]); }, "c,a,b,c" },
    { "InsertArray", [](CStringArray& a) { CStringArray b; b.Add("x"); b.Add("y"); a.InsertAt(1, &b); }, "a,x,y,b,c" },
    { "InsertSelf", [](CStringArray& a) { a.InsertAt(1, &a); }, "a,a,b,c,b,c" },
    { "RemoveAt", [](CStringArray& a) { a.RemoveAt(0); }, "b,c" },
    { "RemoveAtCount", [](CStringArray& a) { a.RemoveAt(1, 2); }, "a" },
    { "RemoveAtNothing", [](CStringArray& a) { a.RemoveAt(3, 0); }, "a,b,c" },
    { "SetAtGrow", [](CStringArray& a) { a.SetAtGrow(4, "e"); }, "a,b,c,,e" },
    { "SetAt", [](CStringArray& a) { a.SetAt(1, "B"); }, "a,B,c" },
    { "ElementAt", [](CStringArray& a) { a.ElementAt(2) += "!"; }, "a,b,c!" },
    { "SetSizeShrinks", [](CStringArray& a) { a.SetSize(1); }, "a" },
    { "SetSizeGrows", [](CStringArray& a) { a.SetSize(5, 16); }, "a,b,c,," },
    { "Append", [](CStringArray& a) { CStringArray b; b.Add("x"); a.Append(b); }, "a,b,c,x" },
    { "AppendSelf", [](CStringArray& a) { a.Append(a); }, "a,b,c,a,b,c" },
    { "Copy", [](CStringArray& a) { CStringArray b; b.Add("z"); a.Copy(b); }, "z" },
    { "CopySelf", [](CStringArray& a) { a.Copy(a); }, "a,b,c" },
    { "RemoveAll", [](CStringArray& a) { a.RemoveAll(); }, "" },
};

TEST_P(ArrayOperation, GivesElements)
{
    CStringArray a;
    a.Add("a");
    a.Add("b");
    a.Add("c");
    GetParam().op(a);
    EXPECT_EQ(GetParam().expected, Join(a));
}

INSTANTIATE_TEST_SUITE_P(Table, ArrayOperation, ::testing::ValuesIn(kArrayCases),
                         [](const ::testing::TestParamInfo<ArrayCase>& info) { return std::string(info.param.name); });

TEST(Array, BadIndexesThrowAndChangeNothing)
{
    CStringArray a;
    a.Add("a");
    ExpectThrown<CInvalidArgException>([&] { a.GetAt(1); });
    ExpectThrown<CInvalidArgException>([&] { a[-1]; });
    ExpectThrown<CInvalidArgException>([&] { a.SetAt(1, "x"); });
    ExpectThrown<CInvalidArgException>([&] { a.RemoveAt(0, 2); });
    ExpectThrown<CInvalidArgException>([&] { a.RemoveAt(-1); });
    ExpectThrown<CInvalidArgException>([&] { a.InsertAt(-1, "x"); });
    ExpectThrown<CInvalidArgException>([&] { a.SetSize(-1); });
    ExpectThrown<CInvalidArgException>([&] { a.SetAtGrow(-1, "x"); });
    EXPECT_EQ("a", Join(a));
}

TEST(Array, NumbersStartAtZeroAndDataIsContiguous)
{
    CDWordArray a;
    a.SetSize(4, 100);
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        EXPECT_EQ(0u, a[i]);
    a[2] = 0xDEADBEEF;
    EXPECT_EQ(0xDEADBEEFu, a.GetData()[2]);
    EXPECT_EQ(3, a.GetUpperBound());

    CByteArray bytes;
    for (int i = 0; i < 1000; ++i)
        bytes.Add(BYTE(i));
    EXPECT_EQ(1000, bytes.GetCount());
    EXPECT_EQ(BYTE(999), bytes[999]);

    CWordArray words;
    words.Add(0xFFFF);
    CUIntArray uints;
    uints.Add(7);
    CPtrArray ptrs;
    ptrs.Add(&words);
    CObArray objs;
    objs.Add(&words);
    EXPECT_EQ(&words, objs[0]);
    EXPECT_EQ(&words, ptrs[0]);
    EXPECT_EQ(0xFFFF, words[0]);
    EXPECT_EQ(7u, uints[0]);
    EXPECT_TRUE(objs.IsKindOf(RUNTIME_CLASS(CObArray)));
}

// ---- lists ----------------------------------------------------------------

class StringListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        list.AddTail("b");
        list.AddTail("c");
        list.AddHead("a");
    }
    CStringList list;
};

TEST_F(StringListTest, IteratesBothWays)
{
    EXPECT_EQ("a,b,c", JoinList(list));
    std::string back;
    for (POSITION pos = list.GetTailPosition(); pos != nullptr;)
        back += static_cast<LPCSTR>(list.GetPrev(pos));
    EXPECT_EQ("cba", back);
    EXPECT_EQ(3, list.GetCount());
    EXPECT_TRUE(list.GetHead() == "a");
    EXPECT_TRUE(list.GetTail() == "c");
}

TEST_F(StringListTest, InsertsAndRemovesAtPositions)
{
    POSITION b = list.Find("b");
    ASSERT_NE(nullptr, b);
    list.InsertBefore(b, "x");
    list.InsertAfter(b, "y");
    EXPECT_EQ("a,x,b,y,c", JoinList(list));
    list.InsertBefore(list.GetHeadPosition(), "first");
    list.InsertAfter(list.GetTailPosition(), "last");
    EXPECT_EQ("first,a,x,b,y,c,last", JoinList(list));
    list.RemoveAt(b);
    EXPECT_EQ("first,a,x,y,c,last", JoinList(list));
    EXPECT_TRUE(list.RemoveHead() == "first");
    EXPECT_TRUE(list.RemoveTail() == "last");
    list.SetAt(list.FindIndex(1), "X");
    EXPECT_EQ("a,X,y,c", JoinList(list));
    EXPECT_EQ(4, list.GetCount());
}

TEST_F(StringListTest, FindsByValueAndIndex)
{
    list.AddTail("a");
    POSITION first = list.Find("a");
    POSITION second = list.Find("a", first);
    ASSERT_NE(nullptr, second);
    EXPECT_NE(first, second);
    EXPECT_EQ(nullptr, list.Find("a", second));
    EXPECT_EQ(nullptr, list.Find("zz"));
    EXPECT_EQ(list.GetHeadPosition(), list.FindIndex(0));
    EXPECT_EQ(list.GetTailPosition(), list.FindIndex(3));
    EXPECT_EQ(nullptr, list.FindIndex(4));
    EXPECT_EQ(nullptr, list.FindIndex(-1));
}

TEST_F(StringListTest, AddsWholeLists)
{
    CStringList other;
    other.AddTail("x");
    other.AddTail("y");
    list.AddHead(&other);
    list.AddTail(&other);
    EXPECT_EQ("x,y,a,b,c,x,y", JoinList(list));
    list.AddTail(&list);
    EXPECT_EQ(14, list.GetCount());
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
}

TEST_F(StringListTest, EmptyListErrorsThrow)
{
    list.RemoveAll();
    ExpectThrown<CInvalidArgException>([&] { list.RemoveHead(); });
    ExpectThrown<CInvalidArgException>([&] { list.RemoveTail(); });
    ExpectThrown<CInvalidArgException>([&] { list.GetHead(); });
    ExpectThrown<CInvalidArgException>([&] { list.RemoveAt(nullptr); });
}

TEST(List, PointerLists)
{
    CPtrList ptrs;
    int a = 1, b = 2;
    ptrs.AddTail(&a);
    ptrs.AddTail(&b);
    EXPECT_EQ(ptrs.FindIndex(1), ptrs.Find(&b));
    EXPECT_EQ(&a, ptrs.RemoveHead());

    CObList objs;
    CPtrList target;
    objs.AddTail(&target);
    EXPECT_EQ(&target, objs.GetHead());
    EXPECT_TRUE(objs.IsKindOf(RUNTIME_CLASS(CObList)));
}

// ---- maps -----------------------------------------------------------------

namespace {

struct CPointKey {
    int x;
    int y;
    bool operator==(const CPointKey& o) const { return x == o.x && y == o.y; }
};

} // namespace

template <>
inline UINT HashKey<const CPointKey&>(const CPointKey& key)
{
    return UINT(key.x * 100 + key.y);
}

TEST(Map, IterationFollowsBucketsThenNewestFirst)
{
    CMap<int, int, int, int> map;
    // 17 buckets; below 127773 a key's hash is 16807 * key, so its bucket is
    // 11 * key % 17: 1, 18 and 35 share bucket 11, 0 is in bucket 0 and 16
    // in bucket 6.
    map[1] = 10;
    map[16] = 160;
    map[18] = 180;
    map[0] = 0;
    map[35] = 350;
    std::string order;
    POSITION pos = map.GetStartPosition();
    while (pos != nullptr) {
        int key, value;
        map.GetNextAssoc(pos, key, value);
        order += std::to_string(key) + "=" + std::to_string(value) + " ";
    }
    EXPECT_EQ("0=0 16=160 35=350 18=180 1=10 ", order);

    // Iteration may also start from BEFORE_START_POSITION.
    pos = BEFORE_START_POSITION;
    int key, value;
    map.GetNextAssoc(pos, key, value);
    EXPECT_EQ(0, key);

    // Removing and re-adding a key puts it first in its bucket again.
    EXPECT_TRUE(map.RemoveKey(18));
    map[18] = 1;
    order.clear();
    for (const auto* p = map.PGetFirstAssoc(); p != nullptr; p = map.PGetNextAssoc(p))
        order += std::to_string(p->key) + " ";
    EXPECT_EQ("0 16 18 35 1 ", order);
}

TEST(Map, TextKeysHashAsDocumented)
{
    EXPECT_EQ(0u, HashKey<LPCSTR>(""));
    EXPECT_EQ(UINT('a'), HashKey<LPCSTR>("a"));
    EXPECT_EQ(UINT('a' * 33 + 'b'), HashKey<LPCSTR>("ab"));
    EXPECT_EQ(HashKey<LPCSTR>("machine"), HashKey<const CString&>(CString("machine")));
    EXPECT_EQ(UINT(0xFF), HashKey<LPCSTR>("\xff"));   // bytes are unsigned
}

TEST(Map, IntegerKeysHashByOneParkMillerStep)
{
    struct { LONGLONG key; UINT hash; } cases[] = {
        { 0, 0u },
        { 1, 16807u },
        { 0x12345, 1253213955u },                 // 16807 * 74565
        { 127773, 2147480811u },                  // 16807 * 0 - 2836 * 1 + 0x7FFFFFFF
        { 2147483646, 2147466840u },
        { -1, 2147466840u },                      // -16807 + 0x7FFFFFFF
        { 0x100000000ll + 1, 16807u },            // only the low 32 bits count
    };
    for (auto& c : cases) {
        EXPECT_EQ(c.hash, HashKey<LONGLONG>(c.key)) << c.key;
        EXPECT_EQ(c.hash, HashInteger(int32_t(uint32_t(uint64_t(c.key))))) << c.key;
    }
    EXPECT_EQ(16807u, HashKey<WORD>(1));
    EXPECT_EQ(HashKey<int>(-1), HashKey<DWORD>(0xFFFFFFFFu));
}

TEST(Map, LookupSetRemove)
{
    CMapStringToString map;
    map.SetAt("alpha", "1");
    map["beta"] = "2";
    map.SetAt("alpha", "one");
    EXPECT_EQ(2, map.GetCount());
    CString value;
    EXPECT_TRUE(map.Lookup("alpha", value));
    EXPECT_TRUE(value == "one");
    EXPECT_FALSE(map.Lookup("gamma", value));
    EXPECT_TRUE(value == "one");
    ASSERT_NE(nullptr, map.PLookup("beta"));
    EXPECT_TRUE(map.PLookup("beta")->value == "2");
    map.PLookup("beta")->value = "two";
    EXPECT_TRUE(map["beta"] == "two");
    EXPECT_EQ(nullptr, map.PLookup("Beta"));
    EXPECT_FALSE(map.RemoveKey("gamma"));
    EXPECT_TRUE(map.RemoveKey("alpha"));
    EXPECT_FALSE(map.RemoveKey("alpha"));
    EXPECT_EQ(1, map.GetCount());
    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(nullptr, map.GetStartPosition());
    EXPECT_FALSE(map.RemoveKey("beta"));
}

TEST(Map, CustomHashKeyAndTableSize)
{
    CMap<CPointKey, const CPointKey&, CString, LPCSTR> map(4);
    map.InitHashTable(7);
    EXPECT_EQ(7u, map.GetHashTableSize());
    EXPECT_EQ(4, map.GetBlockSize());
    for (int i = 0; i < 50; ++i)
        map.SetAt(CPointKey{ i, i % 3 }, CString('x', i % 5 + 1));
    EXPECT_EQ(50, map.GetCount());
    CString v;
    EXPECT_TRUE(map.Lookup(CPointKey{ 10, 1 }, v));
    EXPECT_TRUE(v == "x");
    EXPECT_FALSE(map.Lookup(CPointKey{ 10, 2 }, v));
    // Order: ascending bucket (x*100+y) % 7.
    UINT lastBucket = 0;
    for (const auto* p = map.PGetFirstAssoc(); p != nullptr; p = map.PGetNextAssoc(p)) {
        UINT bucket = HashKey<const CPointKey&>(p->key) % 7;
        EXPECT_GE(bucket, lastBucket);
        lastBucket = bucket;
    }
    // Removing every other key reuses the freed associations.
    for (int i = 0; i < 50; i += 2)
        EXPECT_TRUE(map.RemoveKey(CPointKey{ i, i % 3 }));
    for (int i = 100; i < 125; ++i)
        map[CPointKey{ i, 0 }] = "new";
    EXPECT_EQ(50, map.GetCount());
    // Rebuilding a filled table keeps every key.
    map.InitHashTable(101);
    EXPECT_EQ(101u, map.GetHashTableSize());
    int count = 0;
    for (const auto* p = map.PGetFirstAssoc(); p != nullptr; p = map.PGetNextAssoc(p))
        ++count;
    EXPECT_EQ(50, count);
    EXPECT_TRUE(map.Lookup(CPointKey{ 49, 1 }, v));
    ExpectThrown<CInvalidArgException>([&] { map.InitHashTable(0); });
}

TEST(Map, TypedMaps)
{
    int a = 1;
    CMapStringToPtr toPtr;
    toPtr["k"] = &a;
    void* p = nullptr;
    EXPECT_TRUE(toPtr.Lookup("k", p));
    EXPECT_EQ(&a, p);

    CMapPtrToPtr ptrToPtr;
    ptrToPtr[&a] = &toPtr;
    EXPECT_TRUE(ptrToPtr.Lookup(&a, p));
    EXPECT_EQ(&toPtr, p);

    CMapWordToPtr wordToPtr;
    wordToPtr[WORD(65535)] = &a;
    EXPECT_TRUE(wordToPtr.Lookup(65535, p));

    CMapStringToOb toOb;
    toOb["self"] = &toOb;
    CObject* ob = nullptr;
    EXPECT_TRUE(toOb.Lookup("self", ob));
    EXPECT_EQ(&toOb, ob);

    POSITION pos = toOb.GetStartPosition();
    CString key;
    toOb.GetNextAssoc(pos, key, ob);
    EXPECT_TRUE(key == "self");
    EXPECT_EQ(nullptr, pos);
    ExpectThrown<CInvalidArgException>([&] { toOb.GetNextAssoc(pos, key, ob); });
    CObject* created = CRuntimeClass::CreateObject("CMapStringToString");
    EXPECT_TRUE(created != nullptr && created->IsKindOf(RUNTIME_CLASS(CMapStringToString)));
    delete created;
}
