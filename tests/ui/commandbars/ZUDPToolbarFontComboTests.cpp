// The font combo buttons and the one font list they share: which reported
// fonts enter it (duplicates, printer faces, vertical faces under
// double-byte support, pitch filters), combos of different type masks on
// one list, the list's life with the combos, and loading from an archive.
#include "framework/Archive.h"
#include "framework/File.h"
#include "framework/Seam.h"
#include "ui/commandbars/ZUDPCommandBarsSeams.h"
#include "ui/commandbars/ZUDPToolbarFontCombo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

const UINT kFontCommand = 0x7300;

// The screen: "Arial" reported for two character sets, a vertical face, a
// raster font, a Macintosh font; the printer: "Arial" again and a face of
// its own.
void ScreenFonts(BYTE, std::vector<CZUDPFontDesc>& fonts)
{
    fonts.emplace_back("Arial", "Western", ANSI_CHARSET, VARIABLE_PITCH | FF_SWISS, TRUETYPE_FONTTYPE);
    fonts.emplace_back("Arial", "Greek", GREEK_CHARSET, VARIABLE_PITCH | FF_SWISS, TRUETYPE_FONTTYPE);
    fonts.emplace_back("@MS Mincho", "Japanese", SHIFTJIS_CHARSET, FIXED_PITCH | FF_ROMAN, TRUETYPE_FONTTYPE);
    fonts.emplace_back("Fixedsys", "Western", ANSI_CHARSET, FIXED_PITCH | FF_MODERN, RASTER_FONTTYPE);
    fonts.emplace_back("Chicago", "Western", 77, VARIABLE_PITCH | FF_SWISS, TRUETYPE_FONTTYPE);
    fonts.emplace_back("Courier New", "Western", ANSI_CHARSET, FIXED_PITCH | FF_MODERN, TRUETYPE_FONTTYPE);
}

void PrinterFonts(BYTE, std::vector<CZUDPFontDesc>& fonts)
{
    fonts.emplace_back("Arial", "Western", ANSI_CHARSET, VARIABLE_PITCH | FF_SWISS, DEVICE_FONTTYPE);
    fonts.emplace_back("Printer Gothic", "", ANSI_CHARSET, FIXED_PITCH | FF_MODERN, DEVICE_FONTTYPE);
}

std::vector<std::string> Items(const CZUDPToolbarComboBoxButton& combo)
{
    std::vector<std::string> items;
    for (int i = 0; i < combo.GetCount(); i++)
        items.push_back(combo.GetItemText(i));
    return items;
}

class FontComboButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, CZUDPToolbarFontCombo::GetInstanceCount());
        m_seams.Replace(g_commandBarsSeams.installedFonts, ScreenFonts);
        m_seams.Replace(g_commandBarsSeams.printerFonts, PrinterFonts);
        m_seams.Replace(g_commandBarsSeams.dbcsEnabled, [this]() -> BOOL { return m_dbcs; });
    }
    void TearDown() override { EXPECT_TRUE(g_toolbarFontList.IsEmpty()) << "the last combo empties the list"; }

    BOOL m_dbcs = FALSE;
    ScopedSeams m_seams;
};

TEST_F(FontComboButtonTest, OneEntryPerFaceInNameOrderWithTheScreensDescription)
{
    m_dbcs = TRUE;
    CZUDPToolbarFontCombo combo(kFontCommand, -1);
    EXPECT_EQ((std::vector<std::string>{"Arial", "Courier New", "Fixedsys", "Printer Gothic"}), Items(combo));
    const CZUDPFontDesc* pArial = combo.GetFontDesc(0);
    ASSERT_NE(nullptr, pArial);
    EXPECT_EQ(ANSI_CHARSET, pArial->charSet) << "the first report";
    EXPECT_EQ(TRUETYPE_FONTTYPE, pArial->fontType) << "the screen's, not the printer's";
    EXPECT_EQ(CString("Arial (Western)"), pArial->GetFullName());
    EXPECT_EQ(CString("Printer Gothic"), combo.GetFontDesc(3)->GetFullName());
}

TEST_F(FontComboButtonTest, VerticalFacesAreLeftOutOnlyWithDoubleByteSupport)
{
    struct Case {
        BOOL dbcs;
        bool listed;
    } cases[] = {{TRUE, false}, {FALSE, true}};
    for (const Case& c : cases) {
        m_dbcs = c.dbcs;
        CZUDPToolbarFontCombo combo(kFontCommand, -1);
        EXPECT_EQ(c.listed, combo.FindItem("@MS Mincho") >= 0) << "double-byte " << c.dbcs;
    }
}

TEST_F(FontComboButtonTest, TwoMasksShareOneListAndOutliveEachOther)
{
    auto pTrueType = std::make_unique<CZUDPToolbarFontCombo>(kFontCommand, -1, TRUETYPE_FONTTYPE);
    CZUDPToolbarFontCombo raster(kFontCommand + 1, -1, RASTER_FONTTYPE);
    EXPECT_EQ((std::vector<std::string>{"@MS Mincho", "Arial", "Courier New"}), Items(*pTrueType));
    EXPECT_EQ((std::vector<std::string>{"Fixedsys"}), Items(raster));
    EXPECT_EQ(2, CZUDPToolbarFontCombo::GetInstanceCount());
    const int nListed = g_toolbarFontList.GetCount();
    pTrueType.reset();
    // The other combo's item data still point into the list.
    EXPECT_EQ(nListed, g_toolbarFontList.GetCount());
    const CZUDPFontDesc* pDesc = raster.GetFontDesc(0);
    ASSERT_NE(nullptr, pDesc);
    EXPECT_EQ(CString("Fixedsys"), pDesc->faceName);
}

TEST_F(FontComboButtonTest, APitchFilterKeepsFontsSharingABit)
{
    CZUDPToolbarFontCombo fixed(kFontCommand, -1, 7, DEFAULT_CHARSET, CBS_DROPDOWN, 0, FIXED_PITCH);
    EXPECT_EQ((std::vector<std::string>{"@MS Mincho", "Courier New", "Fixedsys", "Printer Gothic"}), Items(fixed));
}

TEST_F(FontComboButtonTest, LoadingFromAnArchiveEnumeratesAndSelects)
{
    m_dbcs = TRUE;
    std::vector<BYTE> bytes;
    {
        CZUDPToolbarFontCombo stored(kFontCommand, -1, TRUETYPE_FONTTYPE | DEVICE_FONTTYPE, ANSI_CHARSET);
        ASSERT_TRUE(stored.SelectItem(1));
        CMemFile file(256);
        {
            CArchive ar(&file, CArchive::store);
            stored.Serialize(ar);
            ar.Close();
        }
        const UINT nBytes = UINT(file.GetLength());
        std::unique_ptr<BYTE, decltype(&std::free)> pBytes(file.Detach(), &std::free);
        bytes.assign(pBytes.get(), pBytes.get() + nBytes);
    }
    ASSERT_TRUE(g_toolbarFontList.IsEmpty());
    CZUDPToolbarFontCombo loaded;
    CMemFile file(bytes.data(), UINT(bytes.size()));
    CArchive ar(&file, CArchive::load);
    loaded.Serialize(ar);
    EXPECT_FALSE(g_toolbarFontList.IsEmpty()) << "the load enumerated the fonts";
    EXPECT_EQ(TRUETYPE_FONTTYPE | DEVICE_FONTTYPE, loaded.fontTypes);
    EXPECT_EQ(ANSI_CHARSET, loaded.charSet);
    EXPECT_EQ(1, loaded.GetSelIndex());
    EXPECT_STREQ("Courier New", loaded.GetItemText(-1));
}

} // namespace
