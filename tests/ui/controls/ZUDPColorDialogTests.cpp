// The colour dialog: the swatch it opens with, Ctrl+C, the eyedropper
// driven by posted messages with the screen read through the seam, the
// hand-over to the system's dialog on screens of few colours, and its two
// pages in the embedded sheet kept in step with each other and with the
// dialog's new colour (edits typed into, pickers clicked and dragged, tabs
// switched, keys routed between the sheet and the dialog).
#include "ui/controls/ZUDPColorDialog.h"
#include "res/ui/controls.h"
#include "ui/controls/PropertySheetCtrl.h"
#include "ui/controls/ZUDPColorPage1.h"
#include "ui/controls/ZUDPColorPage2.h"
#include "ui/controls/ZUDPColorSeams.h"
#include "ui/controls/ZUDPEdit.h"
#include "ui/controls/ZUDPSpinButtonCtrl.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "framework/win/Clipboard.h"
#include "framework/win/FrameworkSeams.h"
#include "tests/common/DrawingTest.h"
#include "tests/common/MessagePumpWin.h"

#include <gtest/gtest.h>

using trovtest::DibCanvas;

namespace {

// The screen's colour depth for one test.
class ScopedDepth {
public:
    explicit ScopedDepth(int bitsPerPixel) : m_saved(g_uiEnvironment.m_bitsPerPixel)
    {
        g_uiEnvironment.m_bitsPerPixel = bitsPerPixel;
    }
    ~ScopedDepth() { g_uiEnvironment.m_bitsPerPixel = m_saved; }

private:
    int m_saved;
};

class ZUDPColorDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        trovtest::PumpPending();
        // A pick that finds nothing more to do fails instead of waiting.
        m_seams.Replace(g_colorChooserSeams.waitMessage, [] {
            ADD_FAILURE() << "the eyedropper waited for input";
            ::PostMessageA(::GetCapture(), WM_KEYDOWN, VK_ESCAPE, 0);
            return TRUE;
        });
        m_seams.Replace(g_colorChooserSeams.systemColorDialog, [](HWND, COLORREF, COLORREF*) -> INT_PTR {
            ADD_FAILURE() << "the system's dialog was opened";
            return IDCANCEL;
        });
        // Nothing the user types into the pages is answered by a message.
        m_seams.Replace(g_frameworkSeams.messageBox, [](HWND, const char* text, const char*, UINT) {
            ADD_FAILURE() << "a message box was shown: " << text;
            return IDOK;
        });
    }
    void TearDown() override
    {
        if (m_dialog != nullptr && m_dialog->GetSafeHwnd() != nullptr)
            m_dialog->DestroyWindow();
        delete m_dialog;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        AfxDeleteTempMaps();
    }

    // The dialog made modeless and shown, as it is while modal.
    CZUDPColorDialog& Open(COLORREF colour)
    {
        m_dialog = new CZUDPColorDialog(colour);
        EXPECT_TRUE(m_dialog->Create(IDD_ZUDP_COLORS));
        m_dialog->ShowWindow(SW_SHOWNA);
        return *m_dialog;
    }

    CZUDPColorPickerCtrl& Swatch()
    {
        return *static_cast<CZUDPColorPickerCtrl*>(m_dialog->GetDlgItem(IDC_ZUDP_COLORS_COLOR));
    }

    CZUDPColorPage1& StandardPage() { return *m_dialog->GetStandardPage(); }
    CZUDPColorPage2& CustomPage() { return *m_dialog->GetCustomPage(); }

    // Shows a page as a click on its tab does.
    // Clicks a page's tab: on the library's tab window where the sheet has
    // one, else on the standard tab control.
    void ClickTab(int page)
    {
        CPropertySheetCtrl* sheet = m_dialog->GetPropertySheet();
        CWnd* tab = sheet->GetTabControl();
        ASSERT_NE(nullptr, tab);
        CRect item;
        if (sheet->GetNavigationControl() == &sheet->GetNavigationTab()) {
            tab = &sheet->GetNavigationTab();
            sheet->GetNavigationTab().GetTabRectAt(page, item);
        } else {
            sheet->GetTabControl()->GetItemRect(page, &item);
        }
        tab->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.CenterPoint().x, item.CenterPoint().y));
        tab->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(item.CenterPoint().x, item.CenterPoint().y));
        trovtest::PumpPending();
    }

    CString EditText(int id)
    {
        CString text;
        CustomPage().GetDlgItemText(id, text);
        return text;
    }
    void SetEditText(int id, const char* text) { CustomPage().SetDlgItemText(id, text); }

    // Every control that shows the colour shows it: the new colour, the
    // swatch, the standard page's pickers and the custom page's edits.
    void ExpectEverywhere(COLORREF colour)
    {
        EXPECT_EQ(colour, m_dialog->GetColor());
        EXPECT_EQ(colour, Swatch().GetColor());
        EXPECT_EQ(colour, StandardPage().GetHexagonPicker().GetColor());
        EXPECT_EQ(colour, StandardPage().GetGreyPicker().GetColor());
        if (CustomPage().GetSafeHwnd() != nullptr) {
            EXPECT_EQ(int(GetRValue(colour)), atoi(EditText(IDC_ZUDP_COLORS_RED)));
            EXPECT_EQ(int(GetGValue(colour)), atoi(EditText(IDC_ZUDP_COLORS_GREEN)));
            EXPECT_EQ(int(GetBValue(colour)), atoi(EditText(IDC_ZUDP_COLORS_BLUE)));
        }
    }

    CZUDPColorDialog* m_dialog = nullptr;
    ScopedSeams m_seams;
};

TEST_F(ZUDPColorDialogTest, OpensWithItsColourInBothHalvesOfTheSwatch)
{
    CZUDPColorDialog& dialog = Open(RGB(255, 0, 0));
    CZUDPColorPickerCtrl& swatch = Swatch();
    EXPECT_EQ(CZUDPColorPickerCtrl::PICKER_SWATCH, swatch.GetPickerType());
    EXPECT_EQ(RGB(255, 0, 0), swatch.GetColor());
    EXPECT_EQ(RGB(255, 0, 0), swatch.GetOriginalColor());
    CRect client;
    swatch.GetClientRect(client);
    DibCanvas canvas(client.Width(), client.Height());
    swatch.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.Dc(), PRF_CLIENT);
    EXPECT_EQ(RGB(255, 0, 0), canvas.DominantColor(CRect(1, 1, client.Width() - 1, client.Height() / 2)));
    EXPECT_EQ(RGB(255, 0, 0), canvas.DominantColor(CRect(1, client.Height() / 2, client.Width() - 1, client.Height() - 1)));

    // A new colour shows above, the colour it opened with stays below.
    dialog.SetNewColor(RGB(0, 0, 255));
    swatch.SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.Dc(), PRF_CLIENT);
    EXPECT_EQ(RGB(0, 0, 255), canvas.DominantColor(CRect(1, 1, client.Width() - 1, client.Height() / 2)));
    EXPECT_EQ(RGB(255, 0, 0), canvas.DominantColor(CRect(1, client.Height() / 2, client.Width() - 1, client.Height() - 1)));
    EXPECT_EQ(RGB(0, 0, 255), dialog.GetColor());
}

// The custom page has no window while the dialog starts: the colour it
// gets then is kept and shows when the page is first shown.
TEST_F(ZUDPColorDialogTest, OpeningWithRedSelectsRedOnBothPages)
{
    Open(RGB(255, 0, 0));
    CZUDPColorPickerCtrl& hexagons = StandardPage().GetHexagonPicker();
    ASSERT_GE(hexagons.GetSelectedCell(), 0);
    EXPECT_EQ(RGB(255, 0, 0),
              static_cast<const CZUDPCellObj*>(hexagons.GetCells()[hexagons.GetSelectedCell()])->m_colour);
    EXPECT_EQ(-1, StandardPage().GetGreyPicker().GetSelectedCell());
    ASSERT_EQ(nullptr, CustomPage().GetSafeHwnd());

    ClickTab(1);
    ASSERT_NE(nullptr, CustomPage().GetSafeHwnd());
    ExpectEverywhere(RGB(255, 0, 0));
    // Red: hue 0, full saturation, half lightness (127.5 shows as 128).
    EXPECT_STREQ("0", EditText(IDC_ZUDP_COLORS_HUE_EDIT));
    EXPECT_STREQ("255", EditText(IDC_ZUDP_COLORS_SAT_EDIT));
    EXPECT_STREQ("128", EditText(IDC_ZUDP_COLORS_LUM_EDIT));
    for (CZUDPColorPickerCtrl* picker : {&CustomPage().GetPicture(), &CustomPage().GetLightnessBar()}) {
        double hue = -1, lightness = -1, saturation = -1;
        picker->GetHLS(&hue, &lightness, &saturation);
        EXPECT_DOUBLE_EQ(0.0, hue);
        EXPECT_DOUBLE_EQ(0.5, lightness);
        EXPECT_DOUBLE_EQ(1.0, saturation);
    }
    EXPECT_EQ(CZUDPColorPickerCtrl::PICKER_PICTURE, CustomPage().GetPicture().GetPickerType());
    EXPECT_EQ(CZUDPColorPickerCtrl::PICKER_LIGHTNESS, CustomPage().GetLightnessBar().GetPickerType());
    EXPECT_EQ(14, CustomPage().GetLightnessBar().GetBarWidth());
}

// Typed digits go in one by one and each is applied at once: the edit
// keeps its caret, and a number above 255 counts as 255; a pasted negative
// number counts as 0.
TEST_F(ZUDPColorDialogTest, RedGreenAndBlueEditsAreAppliedEverywhereWithinRange)
{
    Open(RGB(10, 20, 30));
    ClickTab(1);
    CWnd* red = CustomPage().GetDlgItem(IDC_ZUDP_COLORS_RED);
    red->SetFocus();
    red->SendMessage(EM_SETSEL, 0, -1);
    for (char digit : {'3', '0', '0'})
        red->SendMessage(WM_CHAR, digit, 1);
    EXPECT_STREQ("255", EditText(IDC_ZUDP_COLORS_RED));
    ExpectEverywhere(RGB(255, 20, 30));

    struct Case {
        int edit;
        const char* pasted;
        COLORREF expected;
        const char* shown;
    } const cases[] = {{IDC_ZUDP_COLORS_GREEN, "-5", RGB(255, 0, 30), "0"},
                       {IDC_ZUDP_COLORS_BLUE, "077", RGB(255, 0, 77), "077"},
                       {IDC_ZUDP_COLORS_RED, "99999999999", RGB(255, 0, 77), "255"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pasted);
        SetEditText(c.edit, c.pasted);
        EXPECT_STREQ(c.shown, EditText(c.edit));
        ExpectEverywhere(c.expected);
    }
    // Text that is no number yet changes nothing and asks nothing.
    for (const char* partial : {"-", "12x", " "}) {
        SCOPED_TRACE(partial);
        SetEditText(IDC_ZUDP_COLORS_GREEN, partial);
        EXPECT_EQ(RGB(255, 0, 77), m_dialog->GetColor());
        EXPECT_STREQ(partial, EditText(IDC_ZUDP_COLORS_GREEN));
    }
    SetEditText(IDC_ZUDP_COLORS_GREEN, "0");
    // The hue, saturation and lightness follow.
    double hue = 0, saturation = 0, lightness = 0;
    CZUDPDrawManager::RgbToHlsUnitHue(RGB(255, 0, 77), &hue, &saturation, &lightness);
    EXPECT_EQ(CZUDPColorPage2::UnitToEdit(hue), UINT(atoi(EditText(IDC_ZUDP_COLORS_HUE_EDIT))));
    EXPECT_EQ(CZUDPColorPage2::UnitToEdit(lightness), UINT(atoi(EditText(IDC_ZUDP_COLORS_LUM_EDIT))));
}

// An emptied hue, saturation or lightness edit changes nothing until it
// holds a number again.
TEST_F(ZUDPColorDialogTest, ClearingAHueSaturationOrLightnessEditChangesNothing)
{
    Open(RGB(32, 64, 128));
    ClickTab(1);
    for (int edit : {IDC_ZUDP_COLORS_HUE_EDIT, IDC_ZUDP_COLORS_SAT_EDIT, IDC_ZUDP_COLORS_LUM_EDIT}) {
        SCOPED_TRACE(edit);
        const CString before = EditText(edit);
        SetEditText(edit, "");
        EXPECT_STREQ("", EditText(edit));
        ExpectEverywhere(RGB(32, 64, 128));
        SetEditText(edit, before);
        ExpectEverywhere(RGB(32, 64, 128));
    }
    // A number again: the three values make the colour.
    SetEditText(IDC_ZUDP_COLORS_SAT_EDIT, "0");
    const COLORREF grey = m_dialog->GetColor();
    EXPECT_EQ(GetRValue(grey), GetGValue(grey));
    EXPECT_EQ(GetGValue(grey), GetBValue(grey));
    ExpectEverywhere(grey);
}

// A typed hue, saturation or lightness reads back as typed after the
// pickers change, for every value an edit can hold.
TEST_F(ZUDPColorDialogTest, EditValuesReadBackAsTyped)
{
    for (UINT value = 0; value <= 255; ++value)
        ASSERT_EQ(value, CZUDPColorPage2::UnitToEdit(CZUDPColorPage2::EditToUnit(value)));
    EXPECT_EQ(255u, CZUDPColorPage2::UnitToEdit(1.5));
    EXPECT_EQ(0u, CZUDPColorPage2::UnitToEdit(-0.25));

    Open(RGB(32, 64, 128));
    ClickTab(1);
    SetEditText(IDC_ZUDP_COLORS_HUE_EDIT, "0");
    SetEditText(IDC_ZUDP_COLORS_LUM_EDIT, "100");
    SetEditText(IDC_ZUDP_COLORS_SAT_EDIT, "100");
    // A step of the picture's hue by the arrow key.
    CZUDPColorPickerCtrl& picture = CustomPage().GetPicture();
    picture.SetFocus();
    picture.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_STREQ("13", EditText(IDC_ZUDP_COLORS_HUE_EDIT));  // 0.05 of the circle
    EXPECT_STREQ("100", EditText(IDC_ZUDP_COLORS_LUM_EDIT));
    EXPECT_STREQ("100", EditText(IDC_ZUDP_COLORS_SAT_EDIT));
}

// A grey picked on the standard page reaches the custom page as saturation
// 0 and its own lightness, whether that page has been shown already or not.
TEST_F(ZUDPColorDialogTest, AGreyOnTheStandardPageSetsSaturationZero)
{
    for (bool customShown : {false, true}) {
        SCOPED_TRACE(customShown ? "custom page shown before" : "custom page not shown yet");
        Open(RGB(200, 30, 30));
        if (customShown) {
            ClickTab(1);
            ClickTab(0);
        }
        CZUDPColorPickerCtrl& greys = StandardPage().GetGreyPicker();
        const CObArray& cells = greys.GetCells();
        const CZUDPCellObj* grey120 = nullptr;
        for (INT_PTR i = 0; i < cells.GetSize(); ++i) {
            const CZUDPCellObj* cell = static_cast<const CZUDPCellObj*>(cells[i]);
            if (cell->m_colour == RGB(120, 120, 120))
                grey120 = cell;
        }
        ASSERT_NE(nullptr, grey120);
        greys.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(grey120->m_x, grey120->m_y));
        greys.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(grey120->m_x, grey120->m_y));

        EXPECT_EQ(RGB(120, 120, 120), m_dialog->GetColor());
        EXPECT_EQ(RGB(120, 120, 120), Swatch().GetColor());
        // The hexagons have no such grey: none is highlighted.
        EXPECT_EQ(-1, StandardPage().GetHexagonPicker().GetSelectedCell());
        ClickTab(1);
        ExpectEverywhere(RGB(120, 120, 120));
        EXPECT_STREQ("0", EditText(IDC_ZUDP_COLORS_SAT_EDIT));
        EXPECT_STREQ("120", EditText(IDC_ZUDP_COLORS_LUM_EDIT));
        m_dialog->DestroyWindow();
        delete m_dialog;
        m_dialog = nullptr;
    }
}

// The lightness bar changes only the lightness: the picture's hue and
// saturation stay, and the edits and the new colour follow the drag.
TEST_F(ZUDPColorDialogTest, DraggingTheLightnessBarKeepsHueAndSaturation)
{
    Open(RGB(32, 64, 128));
    ClickTab(1);
    const CString hueText = EditText(IDC_ZUDP_COLORS_HUE_EDIT);
    const CString saturationText = EditText(IDC_ZUDP_COLORS_SAT_EDIT);
    double hue = 0, lightness = 0, saturation = 0;
    CustomPage().GetPicture().GetHLS(&hue, &lightness, &saturation);

    CZUDPColorPickerCtrl& bar = CustomPage().GetLightnessBar();
    CRect client;
    bar.GetClientRect(client);
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, client.Height() / 2));
    bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3, client.Height() / 4));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, client.Height() / 4));

    double barLightness = 0;
    bar.GetHLS(nullptr, &barLightness, nullptr);
    EXPECT_GT(barLightness, lightness);
    double hueAfter = -1, lightnessAfter = -1, saturationAfter = -1;
    CustomPage().GetPicture().GetHLS(&hueAfter, &lightnessAfter, &saturationAfter);
    EXPECT_DOUBLE_EQ(hue, hueAfter);
    EXPECT_DOUBLE_EQ(saturation, saturationAfter);
    EXPECT_DOUBLE_EQ(barLightness, lightnessAfter);
    EXPECT_STREQ(hueText, EditText(IDC_ZUDP_COLORS_HUE_EDIT));
    EXPECT_STREQ(saturationText, EditText(IDC_ZUDP_COLORS_SAT_EDIT));
    EXPECT_EQ(CZUDPColorPage2::UnitToEdit(barLightness), UINT(atoi(EditText(IDC_ZUDP_COLORS_LUM_EDIT))));
    ExpectEverywhere(CZUDPDrawManager::HlsToRgbUnitHue(hue, barLightness, saturation));
}

// Each page fills the tab control's area less the edges: the first page
// from the start, the second once it is first shown, both after the sheet
// changes its size.
TEST_F(ZUDPColorDialogTest, SwitchingTabsLaysThePagesOutAgain)
{
    Open(RGB(1, 2, 3));
    CPropertySheetCtrl* sheet = m_dialog->GetPropertySheet();
    ASSERT_NE(nullptr, sheet);
    EXPECT_TRUE(sheet->GetStyle() & WS_CHILD);
    EXPECT_TRUE(sheet->GetExStyle() & WS_EX_CONTROLPARENT);
    CRect placeholder;
    m_dialog->GetDlgItem(IDC_ZUDP_COLORS_PLACEHOLDER)->GetWindowRect(placeholder);
    CRect rectSheet;
    sheet->GetWindowRect(rectSheet);
    EXPECT_EQ(placeholder, rectSheet);
    // The sheet's own buttons are not the dialog's.
    for (int id : {IDOK, IDCANCEL, ID_APPLY_NOW}) {
        HWND button = ::GetDlgItem(sheet->m_hWnd, id);
        EXPECT_TRUE(button == nullptr || !::IsWindowVisible(button)) << id;
    }

    auto expectLaidOut = [&](CPropertyPage* page) {
        ASSERT_NE(nullptr, page->GetSafeHwnd());
        CRect client;
        sheet->GetClientRect(client);
        CRect tab;
        sheet->GetTabControl()->GetWindowRect(tab);
        sheet->ScreenToClient(tab);
        EXPECT_EQ(client, tab);
        CRect rect;
        page->GetWindowRect(rect);
        sheet->ScreenToClient(rect);
        EXPECT_EQ(client.Width() - 3 * ::GetSystemMetrics(SM_CXEDGE), rect.Width());
        EXPECT_EQ(client.Height() - rect.top - ::GetSystemMetrics(SM_CYEDGE), rect.Height());
    };
    expectLaidOut(&StandardPage());
    ClickTab(1);
    EXPECT_EQ(1, sheet->GetActiveIndex());
    expectLaidOut(&CustomPage());

    sheet->SetWindowPos(nullptr, 0, 0, rectSheet.Width() + 40, rectSheet.Height() + 30, SWP_NOMOVE | SWP_NOZORDER);
    expectLaidOut(&StandardPage());
    expectLaidOut(&CustomPage());
    ClickTab(0);
    expectLaidOut(&StandardPage());
}

// A double click on a palette or the picture chooses the colour: the
// dialog ends with OK (the lightness bar takes double clicks as clicks).
TEST_F(ZUDPColorDialogTest, ADoubleClickOnAPagePickerEndsTheDialogWithOK)
{
    enum Picker { HEXAGONS, GREYS, PICTURE };
    auto pickerOf = [this](Picker picker) -> CZUDPColorPickerCtrl& {
        switch (picker) {
        case HEXAGONS:
            return StandardPage().GetHexagonPicker();
        case GREYS:
            return StandardPage().GetGreyPicker();
        default:
            return CustomPage().GetPicture();
        }
    };
    struct Case {
        const char* name;
        int page;
        Picker picker;
    } const cases[] = {{"hexagons", 0, HEXAGONS}, {"greys", 0, GREYS}, {"picture", 1, PICTURE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open(RGB(40, 50, 60));
        if (c.page == 1)
            ClickTab(1);
        CZUDPColorPickerCtrl& picker = pickerOf(c.picker);
        CRect client;
        picker.GetClientRect(client);
        const LPARAM centre = MAKELPARAM(client.CenterPoint().x, client.CenterPoint().y);
        picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, centre);
        picker.SendMessage(WM_LBUTTONUP, 0, centre);
        EXPECT_EQ(-1, m_dialog->m_nModalResult);
        picker.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, centre);
        picker.SendMessage(WM_LBUTTONUP, 0, centre);
        EXPECT_EQ(IDOK, m_dialog->m_nModalResult);
        m_dialog->DestroyWindow();
        delete m_dialog;
        m_dialog = nullptr;
    }
}

// Keys in a page: Enter and Esc are the dialog's, Tab walks from the pages
// to the dialog's buttons, Ctrl+Tab switches the page.
TEST_F(ZUDPColorDialogTest, KeysInAPageReachTheDialogAndCtrlTabSwitchesPages)
{
    bool ctrl = false;
    ScopedSeam keys(g_frameworkSeams.keyState, [&](int key) -> SHORT {
        return key == VK_CONTROL && ctrl ? SHORT(0x8000) : 0;
    });
    struct Case {
        const char* name;
        WPARAM key;
        bool ctrl;
        int result;     // the dialog's result, -1 while open
        int page;       // the page shown after the key
    } const cases[] = {{"Enter", VK_RETURN, false, IDOK, 1},
                       {"Esc", VK_ESCAPE, false, IDCANCEL, 1},
                       {"Ctrl+Tab", VK_TAB, true, -1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open(RGB(5, 6, 7));
        ClickTab(1);
        CWnd* red = CustomPage().GetDlgItem(IDC_ZUDP_COLORS_RED);
        red->SetFocus();
        ctrl = c.ctrl;
        MSG msg = {red->m_hWnd, WM_KEYDOWN, c.key, 1, 0, {}};
        EXPECT_TRUE(AfxPreTranslateMessage(&msg));
        trovtest::PumpPending();
        EXPECT_EQ(c.result, m_dialog->m_nModalResult);
        EXPECT_EQ(c.page, m_dialog->GetPropertySheet()->GetActiveIndex());
        ctrl = false;
        m_dialog->DestroyWindow();
        delete m_dialog;
        m_dialog = nullptr;
    }

    // Tab from the last edit of the custom page goes on to the dialog.
    Open(RGB(5, 6, 7));
    ClickTab(1);
    CWnd* blue = CustomPage().GetDlgItem(IDC_ZUDP_COLORS_BLUE);
    blue->SetFocus();
    MSG tab = {blue->m_hWnd, WM_KEYDOWN, VK_TAB, 1, 0, {}};
    EXPECT_TRUE(AfxPreTranslateMessage(&tab));
    HWND focus = ::GetFocus();
    EXPECT_NE(blue->m_hWnd, focus);
    EXPECT_TRUE(focus == m_dialog->m_hWnd || ::IsChild(m_dialog->m_hWnd, focus));
}

// With the dialog-style switch on, the dialog, its sheet and both pages
// take the visual manager's look and the pages' edits and up-down buttons
// are the library's; the eyedropper button shows its image either way.
TEST_F(ZUDPColorDialogTest, TheDialogStyleSwitchGivesSheetAndPagesTheLibraryLook)
{
    const BOOL saved = g_uiEnvironment.m_dialogsInVisualManagerStyle;
    for (BOOL on : {FALSE, TRUE}) {
        SCOPED_TRACE(on ? "switch on" : "switch off");
        g_uiEnvironment.m_dialogsInVisualManagerStyle = on;
        Open(RGB(5, 6, 7));
        ClickTab(1);
        CPropertySheetCtrl* sheet = m_dialog->GetPropertySheet();
        EXPECT_EQ(on, m_dialog->IsVisualManagerStyle());
        EXPECT_EQ(on, sheet->IsVisualManagerStyle());
        EXPECT_EQ(on, StandardPage().IsVisualManagerStyle());
        EXPECT_EQ(on, CustomPage().IsVisualManagerStyle());
        EXPECT_EQ(on ? CZUDPPropertySheet::PropSheetLook_OneNoteTabs : CZUDPPropertySheet::PropSheetLook_Tabs,
                  sheet->GetLook());
        // With the switch on the library's tab window (slanted tabs, no row
        // buttons) takes the standard tabs' place and fills the sheet.
        EXPECT_EQ(on ? &sheet->GetNavigationTab() : nullptr, sheet->GetNavigationControl());
        EXPECT_EQ(!on, sheet->GetTabControl()->IsWindowVisible());
        if (on) {
            CZUDPTabWnd& tabs = sheet->GetNavigationTab();
            EXPECT_TRUE(tabs.IsWindowVisible());
            EXPECT_TRUE(tabs.IsStyleCode4());
            EXPECT_EQ(2, tabs.GetTabCount());
            EXPECT_EQ(1, tabs.GetActiveTabIndex());
            EXPECT_EQ(&CustomPage(), tabs.GetActiveTabWindow());
            CRect sheetClient, tabsRect;
            sheet->GetClientRect(sheetClient);
            tabs.GetWindowRect(tabsRect);
            EXPECT_EQ(sheetClient.Size(), tabsRect.Size());
            CRect button;
            tabs.GetScrollLeftButton().GetWindowRect(button);
            EXPECT_TRUE(button.IsRectEmpty()) << "the row buttons are hidden";
            // The page lies in the tab window's page area, below the tabs.
            CRect page, strip;
            CustomPage().GetWindowRect(page);
            tabs.GetTabStripRect(strip);
            tabs.ClientToScreen(strip);
            EXPECT_GE(page.top, strip.bottom);
            EXPECT_TRUE(CustomPage().IsWindowVisible());
            EXPECT_FALSE(StandardPage().IsWindowVisible());
        }
        CWnd* edit = CWnd::FromHandlePermanent(::GetDlgItem(CustomPage().m_hWnd, IDC_ZUDP_COLORS_HUE_EDIT));
        EXPECT_EQ(on, edit != nullptr && edit->IsKindOf(RUNTIME_CLASS(CZUDPEdit)));
        CWnd* spin = CWnd::FromHandlePermanent(::GetDlgItem(CustomPage().m_hWnd, IDC_ZUDP_COLORS_HUE_SPIN));
        EXPECT_EQ(on, spin != nullptr && spin->IsKindOf(RUNTIME_CLASS(CZUDPSpinButtonCtrl)));
        // The library's edit still works the page.
        SetEditText(IDC_ZUDP_COLORS_GREEN, "200");
        ExpectEverywhere(RGB(5, 200, 7));

        // The eyedropper image shows on the button with its background left
        // out: black outline pixels, and nothing of a key colour.
        CWnd* select = m_dialog->GetDlgItem(IDC_ZUDP_COLORS_SELECT);
        EXPECT_NE(0, select->SendMessage(BM_GETIMAGE, IMAGE_BITMAP, 0));
        CRect buttonRect;
        select->GetClientRect(buttonRect);
        DibCanvas canvas(buttonRect.Width(), buttonRect.Height());
        select->SendMessage(WM_PRINTCLIENT, (WPARAM)canvas.Dc(), PRF_CLIENT);
        EXPECT_GT(canvas.CountColor(buttonRect, RGB(0, 0, 0)), 20);
        EXPECT_EQ(0, canvas.CountColor(buttonRect, RGB(255, 0, 255)));
        if (g_uiEnvironment.m_colorButtonFace != RGB(192, 192, 192)) {
            EXPECT_EQ(0, canvas.CountColor(buttonRect, RGB(192, 192, 192)));
        }
        m_dialog->DestroyWindow();
        delete m_dialog;
        m_dialog = nullptr;
    }
    g_uiEnvironment.m_dialogsInVisualManagerStyle = saved;
}

TEST_F(ZUDPColorDialogTest, CtrlCCopiesTheNewColourAsText)
{
    CZUDPColorDialog& dialog = Open(RGB(1, 1, 1));
    dialog.SetNewColor(RGB(32, 64, 128));
    bool ctrl = false;
    ScopedSeam keys(g_frameworkSeams.keyState, [&](int key) -> SHORT {
        return key == VK_CONTROL && ctrl ? SHORT(0x8000) : 0;
    });
    struct Case {
        const char* name;
        bool ctrl;
        WPARAM key;
        const char* expected;
    } const cases[] = {{"C alone", false, 'C', "untouched"},
                       {"Ctrl+C", true, 'C', "RGB (32, 64, 128)"},
                       {"Ctrl+Insert", true, VK_INSERT, "RGB (32, 64, 128)"},
                       {"Ctrl+V", true, 'V', "untouched"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(AfxClipboardPutText(nullptr, "untouched"));
        ctrl = c.ctrl;
        MSG msg = {dialog.m_hWnd, WM_KEYDOWN, c.key, 0, 0, {}};
        dialog.PreTranslateMessage(&msg);
        CString text;
        ASSERT_TRUE(AfxClipboardGetText(nullptr, text));
        EXPECT_STREQ(c.expected, text);
    }
}

// The pointer moves over the screen while picking; Esc puts back the
// colour from before the pick, Enter and a click keep the last sample, on
// the swatch and on both pages.
TEST_F(ZUDPColorDialogTest, EyedropperKeepsOrRestoresTheSampledColour)
{
    CZUDPColorDialog& dialog = Open(RGB(10, 20, 30));
    ClickTab(1);
    POINT sampledAt = {-1, -1};
    m_seams.Replace(g_colorChooserSeams.screenPixel, [&](POINT point) {
        sampledAt = point;
        return RGB(200, 100, 50);
    });
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        COLORREF expected;
    } const cases[] = {{"Esc", WM_KEYDOWN, VK_ESCAPE, RGB(10, 20, 30)},
                       {"Enter", WM_KEYDOWN, VK_RETURN, RGB(200, 100, 50)},
                       {"a click", WM_LBUTTONDOWN, MK_LBUTTON, RGB(200, 100, 50)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialog.SetNewColor(RGB(10, 20, 30));
        dialog.SetStandardPageRGB(10, 20, 30);
        dialog.SetCustomPageRGB(10, 20, 30);
        ::PostMessageA(dialog.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(15, 25));
        ::PostMessageA(dialog.m_hWnd, c.message, c.wParam, MAKELPARAM(15, 25));
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ZUDP_COLORS_SELECT, BN_CLICKED), 0);
        EXPECT_FALSE(dialog.IsPicking());
        EXPECT_EQ(nullptr, ::GetCapture());
        EXPECT_EQ(c.expected, dialog.GetColor());
        ExpectEverywhere(c.expected);
        CPoint screen(15, 25);
        dialog.ClientToScreen(&screen);
        EXPECT_EQ(screen.x, sampledAt.x);
        EXPECT_EQ(screen.y, sampledAt.y);
    }
}

TEST_F(ZUDPColorDialogTest, ScreensOfFewColoursUseTheSystemDialog)
{
    ScopedDepth depth(4);
    struct Case {
        INT_PTR answer;
        COLORREF expected;
    } const cases[] = {{IDOK, RGB(1, 2, 3)}, {IDCANCEL, RGB(90, 80, 70)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        COLORREF offered = CLR_INVALID;
        ScopedSeam system(g_colorChooserSeams.systemColorDialog, [&](HWND, COLORREF start, COLORREF* chosen) {
            offered = start;
            *chosen = RGB(1, 2, 3);
            return c.answer;
        });
        CZUDPColorDialog dialog(RGB(90, 80, 70));
        EXPECT_EQ(c.answer, dialog.DoModal());
        EXPECT_EQ(RGB(90, 80, 70), offered);
        EXPECT_EQ(c.expected, dialog.GetColor());
    }
}

// On 8-bit screens the swatch paints through the palette, but the colour
// the dialog answers (and copies) stays the RGB value.
TEST_F(ZUDPColorDialogTest, EightBitScreensKeepAnRgbResult)
{
    ScopedDepth depth(8);
    struct {
        LOGPALETTE header;
        PALETTEENTRY more[1];
    } logPalette = {{0x300, 2, {{0, 0, 0, 0}}}, {{255, 0, 0, 0}}};
    HPALETTE palette = ::CreatePalette(&logPalette.header);
    ASSERT_NE(nullptr, palette);
    m_dialog = new CZUDPColorDialog(RGB(0, 0, 0), 0, nullptr, palette);
    ASSERT_TRUE(m_dialog->Create(IDD_ZUDP_COLORS));
    m_dialog->SetNewColor(RGB(200, 10, 10));
    EXPECT_EQ(RGB(200, 10, 10), m_dialog->GetColor());
    EXPECT_STREQ("RGB (200, 10, 10)", CZUDPColorDialog::ColorText(m_dialog->GetColor()));
    EXPECT_EQ(palette, (HPALETTE)Swatch().GetPalette()->GetSafeHandle());
    m_dialog->DestroyWindow();
    delete m_dialog;
    m_dialog = nullptr;
    // The caller's palette stays the caller's.
    EXPECT_EQ(OBJ_PAL, DWORD(::GetObjectType(palette)));
    ::DeleteObject(palette);
}

// A palette of the system palette holds only what the system returned; a
// screen without a palette gives none.
TEST_F(ZUDPColorDialogTest, SystemPaletteHoldsOnlyTheEntriesTheSystemGave)
{
    CZUDPColorDialog& dialog = Open(RGB(1, 2, 3));
    HDC screen = ::GetDC(nullptr);
    PALETTEENTRY entries[256] = {};
    UINT count = ::GetSystemPaletteEntries(screen, 0, 256, entries);
    ::ReleaseDC(nullptr, screen);
    if (count == 0) {
        EXPECT_EQ(nullptr, dialog.GetPalette());
    } else {
        ASSERT_NE(nullptr, dialog.GetPalette());
        EXPECT_EQ(int(count), dialog.GetPalette()->GetEntryCount());
    }
    EXPECT_EQ(dialog.GetPalette(), Swatch().GetPalette());
}

} // namespace
