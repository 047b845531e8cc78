// Data sets: reading SETUPS texts (limits, repeats, malformed entries),
// references, merging and writing back.
#include "support/GDataSet.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

struct SetupText {
    CGXml document{CGXml::kNoIncludeExpansion};
    char error[256] = "";
    explicit SetupText(const std::string& text)
    {
        EXPECT_EQ(document.ParseText("setup", text.c_str(), error, sizeof error, "SETUPS"), kXmlOk) << error;
    }
    const CGXmlNode* Root() const { return document.GetRoot(); }
};

std::string SetupElement(const std::string& name, const std::string& entries = "")
{
    return "<SETUP>" + (name == "-" ? std::string() : "<NAME>" + name + "</NAME>") + "<INPUTS>" + entries +
           "</INPUTS></SETUP>";
}

std::string Entry(const std::string& body)
{
    return "<ENTRY>" + body + "</ENTRY>";
}

std::string WriteSet(const CGDataSet& set)
{
    CGTextStore store;
    CGXmlWriter writer(&store);
    writer.BeginElement("SETUP");
    writer.CloseStartTag(false);
    set.Write(writer);
    writer.EndAll();
    char* text = store.GetText(nullptr);
    std::string out = text;
    free(text);
    return out;
}

TEST(DataSets, ReadsAtMostSixteenAndSkipsRepeatsWithoutCountingThem)
{
    std::string text = "<SETUPS>" + SetupElement("A") + SetupElement("A") + "<OTHER/>";
    for (int i = 0; i < 20; ++i)
        text += SetupElement("Set" + std::to_string(i));
    text += "</SETUPS>";
    SetupText setups(text);
    CGDataSetList list;
    EXPECT_EQ(list.ReadSetups(setups.Root()), 16);
    ASSERT_EQ(list.GetCount(), 16);
    EXPECT_EQ(list.GetFirst()->m_name, "A");
    EXPECT_EQ(list.GetAt(1)->m_name, "Set0");
    EXPECT_EQ(list.GetAt(15)->m_name, "Set14");
    EXPECT_EQ(list.Find("Set15"), nullptr);
    EXPECT_EQ(list.GetAt(16), nullptr);

    // Reading again starts from an empty list.
    SetupText one("<SETUPS>" + SetupElement("B") + "</SETUPS>");
    EXPECT_EQ(list.ReadSetups(one.Root()), 1);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.ReadSetups(nullptr), 0);
    EXPECT_EQ(list.GetFirst(), nullptr);
}

TEST(DataSets, NamesDefaultToDataSet1AndAreCaseSensitive)
{
    SetupText setups("<SETUPS>" + SetupElement("-") + SetupElement("-") + SetupElement("") + SetupElement("base") + SetupElement("Base") +
                     "</SETUPS>");
    CGDataSetList list;
    EXPECT_EQ(list.ReadSetups(setups.Root()), 4);
    EXPECT_EQ(list.GetAt(0)->m_name, "DataSet1");
    EXPECT_EQ(list.GetAt(1)->m_name, "");
    EXPECT_NE(list.Find("base"), list.Find("Base"));
    EXPECT_EQ(list.Add("Base"), nullptr);
    ASSERT_NE(list.Add("Line2"), nullptr);
    EXPECT_EQ(list.GetAt(4)->m_name, "Line2");
    list.Clear();
    EXPECT_EQ(list.GetFirst(), nullptr);

    SetupText single("<SETUPS>" + SetupElement("Only") + "</SETUPS>");
    EXPECT_EQ(list.ReadOneSetup(single.Root()->GetFirstChild()), 1);
    EXPECT_EQ(list.GetFirst()->m_name, "Only");
    EXPECT_EQ(list.ReadOneSetup(single.Root()), 0); // not a SETUP element
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(DataSets, ReadsEntriesAndSkipsMalformedOnes)
{
    std::string entries = Entry("<DB>2:5</DB><ID>7</ID><AI>2</AI><VALUE>1.5</VALUE>") +
                          Entry("<ID>8</ID><VALUE></VALUE>") +              // empty value: 0
                          Entry("<DB>2:5</DB><VALUE>3</VALUE>") +           // no ID
                          Entry("<ID>9</ID>") +                             // no VALUE
                          Entry("<DB>25</DB><ID>10</ID><VALUE>1</VALUE>") + // DB not two numbers
                          Entry("<DB>a:b</DB><ID>11</ID><VALUE>1</VALUE>") +
                          Entry("<DB>1 :2</DB><ID>12</ID><VALUE>1</VALUE>") +
                          Entry("<DB> 1: 2</DB><ID>13</ID><VALUE>-2.25e1</VALUE>") +
                          Entry("<ID>8</ID><VALUE>4</VALUE>") + // same ID and AI: the later wins
                          Entry("<ID>8</ID><AI>-1</AI><VALUE>5</VALUE>") + "<OTHER><ID>1</ID><VALUE>1</VALUE></OTHER>";
    SetupText setups("<SETUPS>" + SetupElement("Base", entries) + "<SETUP><NAME>NoInputs</NAME></SETUP></SETUPS>");
    CGDataSetList list;
    ASSERT_EQ(list.ReadSetups(setups.Root()), 2);
    const CGDataSet* base = list.GetFirst();
    EXPECT_EQ(base->m_values.size(), 4u);
    EXPECT_EQ(base->m_values.at(CGDataSet::MakeKey(2, 7)), 1.5);
    EXPECT_EQ(base->m_values.at(CGDataSet::MakeKey(0, 8)), 4.0);
    EXPECT_EQ(base->m_values.at(CGDataSet::MakeKey(0, 13)), -22.5);
    EXPECT_EQ(base->m_values.at(CGDataSet::MakeKey(-1, 8)), 5.0);
    EXPECT_EQ(base->m_values.begin()->first, CGDataSet::MakeKey(-1, 8)); // ordered as signed keys
    EXPECT_TRUE(list.GetAt(1)->m_values.empty());

    CGDataSet fresh("x");
    EXPECT_EQ(fresh.ReadInputs(setups.Root()->GetFirstChild()), 5);
    EXPECT_EQ(fresh.ReadInputs(nullptr), 0);
}

struct RefCase {
    const char* body;
    bool dbRequired;
    bool idRequired;
    int result;
    uint32_t db;
    uint32_t id;
    int32_t ai;
};

TEST(DataSets, ReferencesReadDbIdAndAi)
{
    const uint32_t none = CGDataRef::kAbsent;
    const RefCase cases[] = {
        {"<DB>2:5</DB><ID>7</ID><AI>3</AI>", true, true, 1, 0x02000005u, 7, 3},
        {"<DB>255:16777215</DB><ID>4294967295</ID>", true, true, 1, 0xFFFFFFFFu, none, 0},
        {"<DB>1:16777217</DB><ID>x</ID><AI></AI>", true, true, 1, 0x01000001u, 0, 0},
        {"<DB>-1:2</DB>", false, false, 1, 0xFF000002u, none, 0},
        {"<ID>7</ID>", true, true, 0, none, none, 0},
        {"<DB>2:5</DB>", true, true, 0, none, none, 0},
        {"<DB>2:5</DB>", false, false, 1, 0x02000005u, none, 0},
        {"<DB>2</DB><ID>7</ID>", false, true, 0, none, none, 0},
        {"", false, false, 1, none, none, 0},
    };
    for (const RefCase& c : cases) {
        CGXml document;
        char error[128];
        ASSERT_EQ(document.ParseText("t", (std::string("<E>") + c.body + "</E>").c_str(), error, sizeof error,
                                     nullptr),
                  kXmlOk);
        CGDataRef ref;
        EXPECT_EQ(ref.Read(document.GetRoot(), c.dbRequired, c.idRequired), c.result) << c.body;
        EXPECT_EQ(ref.m_db, c.db) << c.body;
        EXPECT_EQ(ref.m_id, c.id) << c.body;
        EXPECT_EQ(ref.m_ai, c.ai) << c.body;
    }
}

TEST(DataSets, WritesNameAndEntriesInKeyOrderWithoutDb)
{
    SetupText setups("<SETUPS>" +
                     SetupElement("Line &amp; 2", Entry("<DB>2:5</DB><ID>7</ID><AI>2</AI><VALUE>1.5</VALUE>") +
                                           Entry("<ID>3</ID><VALUE>0.1</VALUE>") +
                                           Entry("<ID>4</ID><VALUE>123456789.123456789</VALUE>")) +
                     "</SETUPS>");
    CGDataSetList list;
    ASSERT_EQ(list.ReadSetups(setups.Root()), 1);
    CGDataSet* set = list.GetFirst();
    set->m_values[CGDataSet::MakeKey(0, CGDataRef::kAbsent)] = 2;
    EXPECT_EQ(WriteSet(*set), "<SETUP>\r\n <NAME>Line &amp; 2</NAME>\r\n <INPUTS>\r\n"
                              "  <ENTRY>\r\n   <ID>3</ID>\r\n   <VALUE>0.1</VALUE>\r\n  </ENTRY>\r\n"
                              "  <ENTRY>\r\n   <ID>4</ID>\r\n   <VALUE>123456789.123457</VALUE>\r\n  </ENTRY>\r\n"
                              "  <ENTRY>\r\n   <VALUE>2</VALUE>\r\n  </ENTRY>\r\n"
                              "  <ENTRY>\r\n   <ID>7</ID>\r\n   <AI>2</AI>\r\n   <VALUE>1.5</VALUE>\r\n  </ENTRY>\r\n"
                              " </INPUTS>\r\n</SETUP>");

    CGDataSet empty("E");
    EXPECT_EQ(WriteSet(empty), "<SETUP>\r\n <NAME>E</NAME>\r\n <INPUTS></INPUTS>\r\n</SETUP>");
}

TEST(DataSets, WrittenSetReadsBackTheSameValues)
{
    CGDataSet set("Base");
    set.m_values[CGDataSet::MakeKey(0, 1)] = 0.1;
    set.m_values[CGDataSet::MakeKey(5, 2)] = -1e-300;
    set.m_values[CGDataSet::MakeKey(-3, 4000000000u)] = 12345.678901234;
    std::string text = "<SETUPS>" + WriteSet(set) + "</SETUPS>";
    SetupText setups(text);
    CGDataSetList list;
    ASSERT_EQ(list.ReadSetups(setups.Root()), 1);
    EXPECT_EQ(list.GetFirst()->m_name, "Base");
    EXPECT_EQ(list.GetFirst()->m_values, set.m_values);
}

TEST(DataSets, MergingAVariantOverTheBaseReplacesAndAddsValues)
{
    SetupText setups("<SETUPS>" +
                     SetupElement("Base", Entry("<ID>1</ID><VALUE>1</VALUE>") + Entry("<ID>2</ID><VALUE>2</VALUE>")) +
                     SetupElement("Line2", Entry("<ID>2</ID><VALUE>20</VALUE>") + Entry("<ID>3</ID><VALUE>30</VALUE>")) +
                     "</SETUPS>");
    CGDataSetList list;
    ASSERT_EQ(list.ReadSetups(setups.Root()), 2);
    CGDataSet* base = list.GetFirst();
    base->MergeFrom(*list.Find("Line2"));
    EXPECT_EQ(base->m_name, "Line2");
    const std::map<int64_t, double> expected = {{1, 1.0}, {2, 20.0}, {3, 30.0}};
    EXPECT_EQ(base->m_values, expected);
    base->MergeFrom(*base);
    EXPECT_EQ(base->m_values, expected);
}

} // namespace
