// The application model: block tree, pin names and table, pin fields, bounds
// on damaged texts, display nodes and the comparison of two applications.
#include "app/GDB.h"
#include "framework/String.h"

#include "support/GDataSet.h"

#include "tests/app/DrbText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <vector>
#include <memory>
#include <string>

namespace {

using trovtest::DrbBlock;
using trovtest::DrbPin;
using trovtest::DrbText;
using trovtest::SampleApplication;

// A model loaded from a text; parsed says whether CGDB::Parse succeeded.
struct Model {
    CGDB db;
    bool parsed = false;
    explicit Model(const std::string& text)
    {
        db.SetFlags(CGXml::kNoIncludeExpansion);
        char error[1024] = "";
        if (db.ParseText("app", text.c_str(), error, sizeof error, "DRBv1") == kXmlOk)
            parsed = db.Parse() != 0;
    }
};

std::string Name(const CGDB& db, int id)
{
    CString name;
    if (!db.GetPinName(name, id))
        return "<none>";
    return static_cast<LPCSTR>(name);
}

// One VARIABLE alone in the top container.
std::unique_ptr<Model> OnePin(const std::string& body)
{
    return std::make_unique<Model>("<DRBv1><CONTAINER><NAME>Top</NAME><INPUTS><VARIABLE>" + body +
                                   "</VARIABLE></INPUTS></CONTAINER></DRBv1>");
}

} // namespace

TEST(GDB, PinsAreNamedByMainAndTheirBlockPath)
{
    Model model(DrbText(SampleApplication()));
    ASSERT_TRUE(model.parsed) << model.db.GetError();
    struct Case {
        int id;
        const char* name;
    } cases[] = {
        {10, "Main.Speed"},       {11, "Main.Alarm"},  {20, "Main.A.B.Count"}, {21, "Main.A.B.Total"},
        {30, "Main.A.Level"},     {40, "Main.C.Limit"}, {99, "<none>"},         {-1, "<none>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.name, Name(model.db, c.id)) << c.id;
    EXPECT_EQ(6u, model.db.GetPinTable().size());
    ASSERT_NE(nullptr, model.db.FindPin(20));
    EXPECT_EQ(4, model.db.FindPin(20)->m_dimension);
    EXPECT_EQ(nullptr, model.db.FindPin(99));
}

TEST(GDB, RepeatedIdKeepsThePinEnteredFirst)
{
    // Nested blocks are entered before the container's own pins, inputs
    // before outputs.
    DrbBlock top("Top");
    top.In(DrbPin("Outer", 5)).Out(DrbPin("OuterOut", 6));
    DrbBlock inner("X", true);
    inner.Out(DrbPin("InnerOut", 5)).In(DrbPin("InnerIn", 5));
    DrbBlock other("Y", true);
    other.Out(DrbPin("Output", 6)).In(DrbPin("Input", 6));
    top.Add(inner);
    DrbBlock nested("Z");
    nested.Add(other);
    top.Add(nested);
    Model model(DrbText(top));
    ASSERT_TRUE(model.parsed) << model.db.GetError();
    EXPECT_EQ("Main.X.InnerIn", Name(model.db, 5));
    // Containers come before code blocks, whatever the element order.
    EXPECT_EQ("Main.Z.Y.Input", Name(model.db, 6));
}

TEST(GDB, PinFieldsFollowTheirElements)
{
    struct Case {
        const char* body;
        int format;
        int textLength;
        int dimension;
        int adp;
    } cases[] = {
        {"<NAME>p</NAME><FORMAT>int</FORMAT><STRING/>", kPinText, 1, 1, -1},
        {"<NAME>p</NAME><FORMAT>int</FORMAT><STRING/><TEXTLEN>12</TEXTLEN>", kPinText, 12, 1, -1},
        {"<NAME>p</NAME><FORMAT>int</FORMAT><STRING/><TEXTLEN></TEXTLEN>", kPinText, 1, 1, -1},
        {"<NAME>p</NAME><FORMAT>int</FORMAT><IPADDRESS/><DIM>3</DIM>", kPinInteger, 0, 3, -1},
        {"<NAME>p</NAME><FORMAT>int</FORMAT><IPADDRESS/><DIM>4</DIM>", kPinIpAddress, 0, 4, -1},
        {"<NAME>p</NAME><DATETIME/>", kPinDateTime, 0, 1, -1},
        {"<NAME>p</NAME><FORMAT>double</FORMAT><DATETIME/>", kPinDateTime, 0, 1, -1},
        {"<NAME>p</NAME><FORMAT>double</FORMAT><DIM></DIM>", kPinDouble, 0, 1, -1},
        {"<NAME>p</NAME><FORMAT>text</FORMAT><STRING/>", kPinDouble, 0, 1, -1},
        {"<NAME>p</NAME><ADP><VALUE></VALUE></ADP>", kPinDouble, 0, 1, 0},
        {"<NAME>p</NAME><ADP><VALUE>3</VALUE></ADP>", kPinDouble, 0, 1, 3},
        {"<NAME>p</NAME><ADP><PATH>A.b</PATH></ADP>", kPinDouble, 0, 1, -1},
    };
    for (const Case& c : cases) {
        auto model = OnePin(c.body);
        ASSERT_TRUE(model->parsed) << c.body << ": " << model->db.GetError();
        const CGDBPin& pin = *model->db.GetTop().m_inputs.at(0);
        EXPECT_EQ(c.format, pin.m_format) << c.body;
        EXPECT_EQ(c.textLength, pin.m_textLength) << c.body;
        EXPECT_EQ(c.dimension, pin.m_dimension) << c.body;
        EXPECT_EQ(c.adp, pin.m_adp) << c.body;
    }

    auto model = OnePin("<NAME>Flow</NAME><ALIAS>F1</ALIAS><UNITS><VALUE>l/h</VALUE><PATH>x</PATH></UNITS>"
                        "<RESET/><ID></ID><DB>2:17</DB><ADP><PATH>Top.p</PATH></ADP>");
    ASSERT_TRUE(model->parsed);
    const CGDBPin& pin = *model->db.GetTop().m_inputs.at(0);
    EXPECT_EQ("Flow", pin.m_name);
    EXPECT_EQ("F1", pin.m_alias);
    EXPECT_EQ("l/h", pin.m_units);
    EXPECT_EQ("", pin.m_unitsPath);   // a units value hides the path
    EXPECT_EQ("Top.p", pin.m_adpPath);
    EXPECT_TRUE(pin.m_reset);
    EXPECT_EQ(0, pin.m_id);
    EXPECT_EQ(2, pin.m_dbBank);
    EXPECT_EQ(17, pin.m_dbIndex);

    // A DB that is not two numbers leaves the pin unplaced.
    model = OnePin("<NAME>Odd</NAME><DB>2-17</DB>");
    ASSERT_TRUE(model->parsed);
    EXPECT_EQ(-1, model->db.GetTop().m_inputs.at(0)->m_dbBank);
}

// DIM and TEXTLEN are only compared, never used to allocate: any value is
// taken, the model keeps every pin name, and a dimension counts as no
// elements below 0 and as many as it says above.
TEST(GDB, AnyDimensionOrTextLengthKeepsTheModel)
{
    struct Case {
        const char* body;
        int dimension;
        int textLength;
        int32_t aiHeld;    // an index the pin holds, or -1 for none
        int32_t aiNotHeld;
    } cases[] = {
        {"<DIM>-3</DIM>", -3, 0, -1, 0},
        {"<DIM>0</DIM>", 0, 0, -1, 0},
        {"<DIM>1048577</DIM>", 1048577, 0, 1048576, 1048577},
        {"<DIM>99999999999</DIM>", 2147483647, 0, 2147483646, -1},
        {"<FORMAT>int</FORMAT><STRING/><TEXTLEN>2000000000</TEXTLEN>", 1, 2000000000, 0, 1},
        {"<FORMAT>int</FORMAT><STRING/><TEXTLEN>-5</TEXTLEN>", 1, -5, 0, 1},
    };
    for (const Case& c : cases) {
        auto model = OnePin(std::string("<NAME>v</NAME><ID>7</ID>") + c.body);
        ASSERT_TRUE(model->parsed) << c.body << ": " << model->db.GetError();
        EXPECT_EQ("Main.v", Name(model->db, 7)) << c.body;
        const CGDBPin* pin = model->db.FindPin(7);
        ASSERT_NE(nullptr, pin);
        EXPECT_EQ(c.dimension, pin->m_dimension) << c.body;
        EXPECT_EQ(c.textLength, pin->m_textLength) << c.body;
        if (c.aiHeld >= 0) {
            EXPECT_TRUE(model->db.HoldsValue(7, c.aiHeld)) << c.body;
        }
        EXPECT_FALSE(model->db.HoldsValue(7, c.aiNotHeld)) << c.body;
        // A negative index is never an element of a pin.
        EXPECT_FALSE(model->db.HoldsValue(7, -1)) << c.body;
    }
}

// A pin without ID stays in the table, but apart from every ID a data-set
// value can carry; the highest ID is an ordinary one.
TEST(GDB, PinWithoutIdIsNotTheHighestId)
{
    auto model = OnePin("<NAME>Odd</NAME>");
    ASSERT_TRUE(model->parsed);
    EXPECT_FALSE(model->db.GetTop().m_inputs.at(0)->m_hasId);
    EXPECT_EQ(1u, model->db.GetPinTable().size());
    EXPECT_EQ(nullptr, model->db.FindPin(-1));
    EXPECT_EQ("<none>", Name(model->db, -1));
    EXPECT_FALSE(model->db.HoldsValue(0xFFFFFFFFu, 0));

    const uint32_t highest = 0xFFFFFFFFu;
    std::vector<CString> removed, added;
    CompareDataSetPins(&model->db, {{CGDataSet::MakeKey(0, highest), 1}}, &model->db, {}, removed, added);
    ASSERT_EQ(1u, removed.size());
    EXPECT_STREQ("Pin -1[0]", removed[0]);

    // A pin that states the highest ID, in either spelling, holds its values.
    for (const char* id : {"4294967295", "-1"}) {
        auto stated = std::make_unique<Model>(
            std::string("<DRBv1><CONTAINER><NAME>T</NAME><INPUTS><VARIABLE><NAME>Odd</NAME></VARIABLE>"
                        "<VARIABLE><NAME>Max</NAME><ID>") +
            id + "</ID></VARIABLE></INPUTS></CONTAINER></DRBv1>");
        ASSERT_TRUE(stated->parsed) << id;
        EXPECT_EQ(2u, stated->db.GetPinTable().size()) << id;
        EXPECT_EQ("Main.Max", Name(stated->db, -1)) << id;
        EXPECT_TRUE(stated->db.HoldsValue(highest, 0)) << id;
    }
}

TEST(GDB, DamagedTextsFailCleanly)
{
    struct Case {
        const char* what;
        std::string text;
    } cases[] = {
        {"no container", "<DRBv1><VERSION>1</VERSION></DRBv1>"},
        {"container without name", "<DRBv1><CONTAINER><INPUTS/></CONTAINER></DRBv1>"},
        {"nested block without name",
         "<DRBv1><CONTAINER><NAME>T</NAME><CODEBLOCK><INPUTS/></CODEBLOCK></CONTAINER></DRBv1>"},
        {"variable without name",
         "<DRBv1><CONTAINER><NAME>T</NAME><OUTPUTS><VARIABLE><ID>1</ID></VARIABLE></OUTPUTS></CONTAINER></DRBv1>"},
        {"containers nested too deeply", trovtest::NestedDrbText(kGDBMaxDepth + 1)},
    };
    for (const Case& c : cases) {
        Model model(c.text);
        EXPECT_FALSE(model.parsed) << c.what;
        EXPECT_STRNE("", model.db.GetError()) << c.what;
        // A failed parse leaves nothing half-built behind.
        EXPECT_TRUE(model.db.GetPinTable().empty()) << c.what;
        EXPECT_TRUE(model.db.GetTop().m_containers.empty()) << c.what;
        EXPECT_EQ("<none>", Name(model.db, 1)) << c.what;
    }

    Model deepest(trovtest::NestedDrbText(kGDBMaxDepth));
    ASSERT_TRUE(deepest.parsed) << deepest.db.GetError();
    std::string expected = "Main";
    for (int i = 0; i < kGDBMaxDepth; ++i)
        expected += ".C" + std::to_string(i);
    EXPECT_EQ(expected + ".Deep", Name(deepest.db, 1));
}

TEST(GDB, ParsingAgainStartsAfresh)
{
    Model model(DrbText(SampleApplication()));
    ASSERT_TRUE(model.parsed);
    char error[256] = "";
    ASSERT_EQ(kXmlOk, model.db.ParseText("app", DrbText(DrbBlock("Other").In(DrbPin("Only", 1))).c_str(), error,
                                         sizeof error, "DRBv1"));
    ASSERT_EQ(1, model.db.Parse());
    EXPECT_EQ(1u, model.db.GetPinTable().size());
    EXPECT_EQ("Main.Only", Name(model.db, 1));
    EXPECT_EQ("<none>", Name(model.db, 10));
}

TEST(GDB, PathsLeadToPinsRelativeToABlock)
{
    Model model(DrbText(SampleApplication()));
    ASSERT_TRUE(model.parsed);
    const CGDBContainer& top = model.db.GetTop();
    struct Case {
        const char* path;
        const char* pin; // nullptr: none
    } cases[] = {
        {"Speed", "Speed"},   {"Alarm", "Alarm"},     {"A.Level", "Level"}, {"A.B.Count", "Count"},
        {"A.B.Total", "Total"}, {"C.Limit", "Limit"}, {"A.B", nullptr},     {"A.Nope", nullptr},
        {"X.Speed", nullptr}, {"speed", nullptr},     {"", nullptr},        {"A..Level", nullptr},
        {"C.Limit.x", nullptr},
    };
    for (const Case& c : cases) {
        const CGDBPin* pin = top.FindPinByPath(c.path);
        if (c.pin == nullptr)
            EXPECT_EQ(nullptr, pin) << c.path;
        else
            EXPECT_TRUE(pin != nullptr && pin->m_name == c.pin) << c.path;
    }
}

TEST(GDB, NonVolatilePinsComeFromContainersOnly)
{
    Model model(DrbText(SampleApplication()));
    ASSERT_TRUE(model.parsed);
    std::vector<CGDBPin*> pins;
    model.db.GetTop().CollectNvPins(pins);
    ASSERT_EQ(1u, pins.size()); // Count and Total lie in code block B
    EXPECT_EQ("Level", pins[0]->m_name);

    const CGXmlNode* container = model.db.FindPath("CONTAINER");
    EXPECT_EQ(1, model.db.GetTop().CheckNames(container));
    EXPECT_EQ(0, model.db.GetTop().CheckNames(nullptr));
}

TEST(GDB, ModelStartsWithIdentityAndNamedPrinters)
{
    CGDB a, b;
    EXPECT_EQ(36u, strlen(a.GetIdentity()));
    EXPECT_STRNE(a.GetIdentity(), b.GetIdentity());
    EXPECT_STREQ("Printer 1", a.m_printers[0].m_name);
    EXPECT_STREQ("Printer 3", a.m_printers[2].m_name);
    EXPECT_EQ(0, a.m_reports.GetCount());
    EXPECT_EQ(0, a.m_tables.GetCount());
    EXPECT_TRUE(a.m_displayMenu.m_children.empty());
}

TEST(GDB, DisplayNamesFollowTheNameMode)
{
    Model model(DrbText(SampleApplication()));
    ASSERT_TRUE(model.parsed);
    struct Case {
        const char* attributes; // nullptr: none
        const char* name;
        int flags;
    } cases[] = {
        {nullptr, "Label[Text]", 7},  {"id=n", "Label", 1},         {"id=i", "Text", 1},
        {"id=t", "Label[Text]", 1},   {"x id=ni y", "Text", 1},     {"id=ev", "Label[Text]", 10},
        {"id=u", "Label[Text]", 4},   {"id=", "Label[Text]", 7},    {"noid", "Label[Text]", 7},
    };
    for (const Case& c : cases) {
        std::string xml = "<MENU><NAME>Label[Text]</NAME><ITEM><NAME>i</NAME><PATH>A.B.Count</PATH>"
                          "<IDENTPATH>Nope</IDENTPATH></ITEM>";
        if (c.attributes)
            xml += std::string("<ATTRIBUTES>") + c.attributes + "</ATTRIBUTES>";
        xml += "<ACTIVE><PATH>C.Limit</PATH><VALUE>2</VALUE></ACTIVE><VAR><AI>3</AI></VAR></MENU>";
        CGXml document(CGXml::kNoIncludeExpansion);
        char error[256] = "";
        ASSERT_EQ(kXmlOk, document.ParseText("menu", xml.c_str(), error, sizeof error, "MENU")) << error;
        CGDBDisplayMenu menu;
        ASSERT_EQ(1, menu.Parse(document.GetRoot(), model.db));
        EXPECT_EQ(c.name, menu.m_displayName) << (c.attributes ? c.attributes : "none");
        EXPECT_EQ(c.flags, menu.m_flags) << (c.attributes ? c.attributes : "none");
        EXPECT_EQ(3, menu.m_ai);
        EXPECT_EQ(2, menu.m_activeValue);
        ASSERT_NE(nullptr, menu.m_activePin);
        EXPECT_EQ("Limit", menu.m_activePin->m_name);
        ASSERT_EQ(1u, menu.m_children.size());
        auto* item = static_cast<CGDBDisplayItem*>(menu.m_children[0].get());
        EXPECT_FALSE(item->IsMenu());
        ASSERT_NE(nullptr, item->m_pin);
        EXPECT_EQ("Count", item->m_pin->m_name);
        EXPECT_EQ(nullptr, item->m_identPin);
    }
}

TEST(GDB, ComparisonNamesValuesLostAndGained)
{
    // The running application has Limit (ID 40, two elements); the new one
    // drops it and adds Extra (ID 50).
    DrbBlock newTop = SampleApplication();
    newTop.children.pop_back();
    newTop.In(DrbPin("Extra", 50, 2));
    Model oldModel(DrbText(SampleApplication()));
    Model newModel(DrbText(newTop));
    ASSERT_TRUE(oldModel.parsed && newModel.parsed);

    auto key = [](uint32_t id, int32_t ai) { return (int64_t)(((uint64_t)(uint32_t)ai << 32) | id); };
    std::map<int64_t, double> oldValues = {
        {key(10, 0), 1}, {key(40, 1), 2}, {key(20, 3), 3}, {key(20, 4), 4}, {key(66, 0), 5}};
    std::map<int64_t, double> newValues = {{key(10, 0), 1}, {key(50, 1), 2}, {key(50, 2), 3}, {key(77, 0), 4}};

    std::vector<CString> removed, added;
    CompareDataSetPins(&oldModel.db, oldValues, &newModel.db, newValues, removed, added);
    std::vector<std::string> r(removed.begin(), removed.end()), a(added.begin(), added.end());
    EXPECT_EQ((std::vector<std::string>{"Pin 66[0]", "Main.C.Limit", "Main.A.B.Count"}), r);
    EXPECT_EQ((std::vector<std::string>{"Pin 77[0]", "Main.Extra", "Main.Extra"}), a);

    // Without a model (its text did not parse) nothing belongs and nothing
    // is named.
    removed.clear();
    added.clear();
    CompareDataSetPins(nullptr, {{key(40, 0), 1}}, &newModel.db, {{key(50, 0), 1}}, removed, added);
    ASSERT_EQ(1u, removed.size());
    EXPECT_STREQ("Pin 40[0]", removed[0]);
    EXPECT_EQ(1u, added.size());
    EXPECT_STREQ("Main.Extra", added[0]);

    // The data sets of two setup sections compare the same way.
    CGDataSet running("Base"), installed("Base");
    running.m_values[CGDataSet::MakeKey(1, 40)] = 2;
    installed.m_values[CGDataSet::MakeKey(0, 77)] = 4;
    removed.clear();
    added.clear();
    CompareDataSetPins(&oldModel.db, &running, &newModel.db, &installed, removed, added);
    ASSERT_EQ(1u, removed.size());
    EXPECT_STREQ("Main.C.Limit", removed[0]);
    ASSERT_EQ(1u, added.size());
    EXPECT_STREQ("Pin 77[0]", added[0]);
    removed.clear();
    added.clear();
    CompareDataSetPins(&oldModel.db, &running, &newModel.db, nullptr, removed, added);
    EXPECT_EQ(1u, removed.size());
    EXPECT_TRUE(added.empty());
}
