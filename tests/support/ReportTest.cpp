// Report and screen descriptions read into their records, conditions
// answered from a data view, printer slots.
#include "support/DRReport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct Described {
    CGXml document{CGXml::kNoIncludeExpansion};
    CDRReport report;
    explicit Described(const std::string& body, bool referenceMode = true)
    {
        char error[256] = "";
        EXPECT_EQ(document.ParseText("app", ("<REPORTDEF>" + body + "</REPORTDEF>").c_str(), error, sizeof error,
                                     nullptr),
                  kXmlOk)
            << error;
        EXPECT_EQ(report.Parse(document.GetRoot(), referenceMode), 1);
    }
};

TEST(Reports, DefaultsAndSingleValues)
{
    Described plain("");
    EXPECT_EQ(plain.report.m_type, 1);
    EXPECT_EQ(plain.report.m_zone, 1);
    EXPECT_TRUE(plain.report.m_report);
    EXPECT_FALSE(plain.report.m_screen);
    EXPECT_FALSE(plain.report.m_attribute.IsPresent());
    EXPECT_FALSE(plain.report.m_usesData);

    Described set("<TYPE>3</TYPE><ZONE>2x</ZONE><REPORT>no</REPORT><SCREEN>yes</SCREEN><VISIBLE>a</VISIBLE>"
                  "<TRIGGERDB>t</TRIGGERDB><PRINTERS><1/><3/><FTP/></PRINTERS>");
    EXPECT_EQ(set.report.m_type, 3);
    EXPECT_EQ(set.report.m_zone, 2);
    EXPECT_FALSE(set.report.m_report);
    EXPECT_TRUE(set.report.m_screen);
    EXPECT_STREQ(set.report.m_visible.Get(), "a");
    EXPECT_STREQ(set.report.m_triggerDb.Get(), "t");
    EXPECT_TRUE(set.report.m_printer1);
    EXPECT_FALSE(set.report.m_printer2);
    EXPECT_TRUE(set.report.m_printer3);
    EXPECT_FALSE(set.report.m_sdCard);
    EXPECT_TRUE(set.report.m_ftp);

    // A missing SCREEN keeps the flag; a missing REPORT sets it again.
    CGXml again;
    char error[64];
    ASSERT_EQ(again.ParseText("t", "<R><VISIBLE>b</VISIBLE></R>", error, sizeof error, nullptr), kXmlOk);
    set.report.Parse(again.GetRoot(), true);
    EXPECT_TRUE(set.report.m_screen);
    EXPECT_TRUE(set.report.m_report);
    EXPECT_STREQ(set.report.m_visible.Get(), "b");
    EXPECT_STREQ(set.report.m_triggerDb.Get(), "t");
}

TEST(Reports, PlacementsAreFilledByNameAndTheLaterVarOverrides)
{
    Described d("<VAR><PLACEMENT>P1</PLACEMENT><DB>0:3</DB><ID>11</ID><VAR>Speed</VAR><INDEX>2</INDEX>"
                "<TABLE>T</TABLE><TEXTLEN>8</TEXTLEN><DATETIME/><ATTRIBUTES>bold</ATTRIBUTES>"
                "<ACTIVE><DB>1:4</DB><ID>12</ID><VALUE>5</VALUE></ACTIVE><ADP><VALUE></VALUE></ADP></VAR>"
                "<VAR><PLACEMENT>P1</PLACEMENT><DB>0:3</DB><ID>11</ID><VAR>Speed2</VAR><INDEX>4</INDEX></VAR>"
                "<VAR><PLACEMENT>P2</PLACEMENT><ADP><DB>2:1</DB><ID>13</ID></ADP></VAR>"
                "<VAR><PLACEMENT>P3</PLACEMENT><ADP><VALUE>3</VALUE><ID>1</ID></ADP></VAR>"
                "<VAR><PLACEMENT></PLACEMENT><VAR>skipped</VAR></VAR>"
                "<VAR><VAR>no placement</VAR></VAR>");
    const CDRReport& r = d.report;
    ASSERT_EQ(r.m_placements.size(), 3u);
    const CDRPlacement& p1 = r.m_placements.at("P1");
    EXPECT_EQ(p1.m_ref.m_db, 0x00000003u);
    EXPECT_EQ(p1.m_ref.m_id, 11u);
    EXPECT_STREQ(p1.m_var.Get(), "Speed2");
    EXPECT_EQ(p1.m_index, 4);
    EXPECT_FALSE(p1.m_table.IsPresent()); // what the second VAR does not carry is reset
    EXPECT_EQ(p1.m_textLength, 0);
    EXPECT_FALSE(p1.m_dateTime);
    EXPECT_EQ(p1.m_activeRef.m_db, 0x01000004u); // the second VAR has no ACTIVE: kept
    EXPECT_EQ(p1.m_activeValue, 5);
    EXPECT_EQ(p1.m_adp, -1);
    EXPECT_STREQ(p1.m_attributes.Get(), "bold");

    EXPECT_EQ(r.m_placements.at("P2").m_adp, -2);
    EXPECT_EQ(r.m_placements.at("P2").m_adpRef.m_id, 13u);
    EXPECT_EQ(r.m_placements.at("P3").m_adp, 3);
    EXPECT_EQ(r.m_adpIdCount, 2); // P2 and P3 carry an ID inside ADP
    EXPECT_TRUE(r.m_usesData);

    Described empty("<VAR><PLACEMENT>A</PLACEMENT><ADP><VALUE></VALUE></ADP></VAR>");
    EXPECT_EQ(empty.report.m_placements.at("A").m_adp, 16);
    EXPECT_FALSE(empty.report.m_usesData);
}

TEST(Reports, PathModeUsesDataWhenAnActivePathIsGiven)
{
    Described paths("<VAR><PLACEMENT>A</PLACEMENT><DB>0:3</DB><ID>11</ID><ACTIVE><PATH>Main.On</PATH></ACTIVE></VAR>",
                    false);
    const CDRPlacement& a = paths.report.m_placements.at("A");
    EXPECT_FALSE(a.m_ref.HasId()); // references are read in reference mode only
    EXPECT_STREQ(a.m_activePath.Get(), "Main.On");
    EXPECT_TRUE(paths.report.m_usesData);
}

TEST(Reports, ImagesTemplatesAndActiveLines)
{
    Described d("<IMAGE><X>-5</X><Y>7</Y><WIDTH>2</WIDTH><HEIGHT>3</HEIGHT><DATA>QUJD</DATA></IMAGE>"
                "<IMAGE/>"
                "<TEMPLATEBODY><REPORT><TEXT>line1&#13;\nline2\r</TEXT>"
                "<PLACEMENT><NAME>N1</NAME><X>4</X><DATE_FORMAT>%d.%m</DATE_FORMAT><BOLD/><LEFT_ALIGN/></PLACEMENT>"
                "<PLACEMENT><X>9</X></PLACEMENT><PLACEMENT><NAME>N2</NAME><ADP></ADP></PLACEMENT></REPORT></TEMPLATEBODY>"
                "<ACTIVELINES>"
                "<AL><LINE>3</LINE><DB>1:2</DB><ID>5</ID><VAR>a</VAR><VALUE>1</VALUE></AL>"
                "<AL><LINE>3</LINE><DB>1:2</DB><ID>6</ID><VAR>b</VAR></AL>"
                "<AL><LINE>0</LINE><DB>1:2</DB><ID>5</ID><VAR>c</VAR></AL>"
                "<AL><LINE>4</LINE><ID>5</ID><VAR>d</VAR></AL>"
                "<AL><LINE>5</LINE><DB>1:2</DB><ID>5</ID><VAR></VAR></AL>"
                "</ACTIVELINES>");
    const CDRReport& r = d.report;
    ASSERT_EQ(r.m_images.size(), 2u);
    EXPECT_EQ(r.m_images[0].m_x, 0);
    EXPECT_EQ(r.m_images[0].m_y, 7);
    EXPECT_EQ(r.m_images[0].m_width, 2);
    EXPECT_EQ(r.m_images[0].m_height, 3);
    EXPECT_EQ(r.m_images[0].m_data, "QUJD");
    EXPECT_EQ(std::string(r.m_images[0].m_bytes.begin(), r.m_images[0].m_bytes.end()), "ABC");
    EXPECT_TRUE(r.m_images[1].m_bytes.empty());

    EXPECT_EQ(r.m_templateText, "line1\nline2\r");
    ASSERT_EQ(r.m_textPlacements.size(), 2u);
    EXPECT_EQ(r.m_textPlacements[0].m_name, "N1");
    EXPECT_EQ(r.m_textPlacements[0].m_x, 4);
    EXPECT_EQ(r.m_textPlacements[0].m_y, 1);
    EXPECT_EQ(r.m_textPlacements[0].m_width, 0);
    EXPECT_EQ(r.m_textPlacements[0].m_adp, -1);
    EXPECT_EQ(r.m_textPlacements[0].m_dateFormat, "%d.%m");
    EXPECT_TRUE(r.m_textPlacements[0].m_bold);
    EXPECT_TRUE(r.m_textPlacements[0].m_leftAlign);
    EXPECT_FALSE(r.m_textPlacements[0].m_underline);
    EXPECT_EQ(r.m_textPlacements[1].m_adp, -1);

    ASSERT_EQ(r.m_activeLines.size(), 1u);
    EXPECT_STREQ(r.m_activeLines.at(3).m_var.Get(), "b");
    EXPECT_EQ(r.m_activeLines.at(3).m_ref.m_id, 6u);
    EXPECT_EQ(r.m_activeLines.at(3).m_value, 0);
    EXPECT_TRUE(r.m_usesData);
}

TEST(Reports, IdentAndAttributeFlagsComeFromTheAttributeText)
{
    struct Case {
        const char* attribute;
        uint32_t flags;
        const char* ident[3];
    };
    const std::string longValue(300, 'v');
    const std::string cut(255, 'v');
    const Case cases[] = {
        {"type=fctfx,qrcode dl=pdf", 1 | 2 | 32, {"", "", ""}},
        {"dl=text,tsv,tfx type=qr", 4 | 8 | 16, {"", "", ""}},
        // Only blanks separate the words: a tab, CR or LF is part of a value.
        {"type=fctfx\tdl=pdf", 0, {"", "", ""}},
        {"type=fctfx\r\ndl=pdf", 0, {"", "", ""}},
        {"x ident='a','b','c' y", 0, {"a", "b", "c"}},
        {"ident='a','','c'", 0, {"", "", ""}},
        {"ident='a','b'", 0, {"", "", ""}},
    };
    for (const Case& c : cases) {
        Described d(std::string("<ATTRIBUTE>") + c.attribute + "</ATTRIBUTE>");
        EXPECT_EQ(d.report.m_attributeFlags, c.flags) << c.attribute;
        for (int i = 0; i < 3; ++i)
            EXPECT_STREQ(d.report.m_ident[i].Get(), c.ident[i]) << c.attribute;
    }
    Described tooLong("<ATTRIBUTE>ident='" + longValue + "','b','c'</ATTRIBUTE>");
    EXPECT_FALSE(tooLong.report.m_ident[0].IsPresent());
    Described lastCut("<ATTRIBUTE>ident='a','b','" + longValue + "'</ATTRIBUTE>");
    EXPECT_STREQ(lastCut.report.m_ident[2].Get(), cut.c_str());
}

TEST(Reports, ActiveConditionsAreAnsweredFromTheDataView)
{
    const int32_t ints[3] = {4, 5, 6};
    const double doubles[2] = {1.5, 7.0};
    CGDataView view;
    view.m_banks[0][CGDataView::kVInt] = (const unsigned char*)ints;
    view.m_bankSizes[CGDataView::kVInt] = 10; // two whole elements
    view.m_banks[0][CGDataView::kNvDouble] = (const unsigned char*)doubles;
    view.m_bankSizes[CGDataView::kNvDouble] = sizeof doubles;
    view.m_bankSizes[CGDataView::kSysInfo] = 64;
    view.m_bankSizes[CGDataView::kAlarm] = 192;

    EXPECT_EQ(view.GetCount(CGDataView::kVInt), 2);
    EXPECT_EQ(view.GetCount(CGDataView::kAlarm), 1);
    EXPECT_EQ(view.GetCount(7), -1);
    EXPECT_EQ(view.GetCount(-1), -1);
    double value = 0;
    EXPECT_EQ(view.GetValue(CGDataView::kVInt, 1, &value), 1);
    EXPECT_EQ(value, 5.0);
    EXPECT_EQ(view.GetValue(CGDataView::kVInt, 2, &value), 0);
    EXPECT_EQ(view.GetValue(CGDataView::kVInt, -1, &value), 0);
    EXPECT_EQ(view.GetValue(CGDataView::kNvDouble, 1, &value), 1);
    EXPECT_EQ(value, 7.0);
    EXPECT_EQ(view.GetValue(CGDataView::kSysInfo, 1, &value), 1);
    EXPECT_EQ(value, 1.0);
    EXPECT_EQ(view.GetValue(CGDataView::kAlarm, 0, &value), 0);
    EXPECT_EQ(view.GetValue(CGDataView::kVDouble, 0, &value), 0); // no such bank
    view.m_useSecondSet = 1;
    EXPECT_EQ(view.GetValue(CGDataView::kVInt, 0, &value), 0);
    view.m_useSecondSet = 0;

    CDRReport report;
    CDRPlacement placement;
    EXPECT_TRUE(report.IsActive(&view, &placement)); // no active ID
    placement.m_activeRef.m_id = 1;
    placement.m_activeRef.m_db = (1u << 24) | 1; // vint[1] == 5
    placement.m_activeValue = 5;
    EXPECT_TRUE(report.IsActive(&view, &placement));
    placement.m_activeValue = 4;
    EXPECT_FALSE(report.IsActive(&view, &placement));
    EXPECT_TRUE(report.IsActive(nullptr, &placement));
    placement.m_activeRef.m_db = (6u << 24) | 0; // alarm records cannot be read
    EXPECT_TRUE(report.IsActive(&view, &placement));
    placement.m_activeRef.m_db = CGDataRef::kAbsent;
    EXPECT_TRUE(report.IsActive(&view, &placement));
}

TEST(Reports, ListOwnsItsReportsAndReparsingKeepsWhatIsNotRead)
{
    CDRReportList list;
    CDRReport* first = list.NewReport();
    CDRReport* second = list.NewReport();
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetFirst(), first);
    EXPECT_EQ(first->m_next, second);

    CGXml document;
    char error[128];
    ASSERT_EQ(document.ParseText("t", "<R><IMAGE><X>1</X></IMAGE><VAR><PLACEMENT>A</PLACEMENT></VAR></R>", error,
                                 sizeof error, nullptr),
              kXmlOk);
    first->Parse(document.GetRoot(), true);
    first->Parse(document.GetRoot(), true);
    EXPECT_EQ(first->m_images.size(), 2u); // images are appended
    EXPECT_EQ(first->m_placements.size(), 1u);
    EXPECT_EQ(first->FindPlacement("B", false), nullptr);
    EXPECT_NE(first->FindPlacement("B", true), nullptr);
    first->Clear();
    EXPECT_TRUE(first->m_placements.empty());
    EXPECT_TRUE(first->m_images.empty());
}

TEST(Reports, PrinterSlotsStartWithTheirDefaults)
{
    CGPrinterSlot slot;
    slot.m_baudRate = 9600;
    slot.m_connection.reset(new CGPrinterConnection);
    EXPECT_EQ(slot.Init(true), 1);
    EXPECT_EQ(slot.m_connection, nullptr);
    EXPECT_EQ(slot.m_baudRate, 115200);
    EXPECT_EQ(slot.m_dataBits, 8);
    EXPECT_EQ(slot.m_stopBits, 1);
    EXPECT_EQ(slot.m_serialPort, -1);
    EXPECT_EQ(slot.m_tcpPort, 9100);
    EXPECT_EQ(slot.m_option2, 100);
    slot.SetName(std::string(60, 'p').c_str());
    EXPECT_EQ(strlen(slot.m_name), 47u);
    slot.SetName("Printer 1");
    EXPECT_STREQ(slot.m_name, "Printer 1");

    CGDBStringTable table;
    EXPECT_EQ(table.m_slots.size(), 17u);
    EXPECT_TRUE(table.m_rows.empty());
}

} // namespace
