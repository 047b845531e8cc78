// Gallery sheets of the visual manager's tab, planner and ribbon drawing:
// one window per family, painted through the active manager with the
// element classes set up as their own windows would set them, each element
// in its states (normal, hot, pressed, checked, disabled; active and
// inactive; each tab look).
#include <windows.h>

#include <functional>
#include <string>

#include "framework/win/DC.h"
#include "tests/shot/GallerySheets.h"
#include "ui/docking/ZUDPTabWnd.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerViewDay.h"
#include "ui/planner/ZUDPPlannerViewMonth.h"
#include "ui/ribbon/ZUDPBaseRibbonElement.h"
#include "ui/ribbon/ZUDPRibbonBar.h"
#include "ui/ribbon/ZUDPRibbonElements.h"

namespace {

using PaintFn = std::function<void(CDC&, const CRect&)>;

// A tab window that is never created: its look and tabs are set here.
class SheetTabWnd : public CZUDPTabWnd {
public:
    SheetTabWnd(int nStyle, BOOL bOnTop, BOOL bFlat, const CRect& rectStrip)
    {
        SetStyleCode(bFlat ? TabStyleFlat : nStyle);
        m_location = bOnTop ? TabLocationTop : TabLocationBottom;
        m_nTabsHeight = 22;
        m_rectTabsArea = rectStrip;
        AppendTab(nullptr, "Machines");
        AppendTab(nullptr, "Log");
        AppendTab(nullptr, "Coloured");
        SetTabBackColor(2, RGB(255, 220, 150));
        m_iActiveTab = 1;
    }
};

LRESULT CALLBACK VisualManagerSheetProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC hdc = ::BeginPaint(hWnd, &ps);
        auto* paint = reinterpret_cast<PaintFn*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        if (paint != nullptr) {
            CDC dc;
            dc.Attach(hdc);
            CRect client;
            ::GetClientRect(hWnd, &client);
            dc.FillRect(client, &g_uiEnvironment.m_brushBarFace);
            dc.SelectObject(&g_uiEnvironment.m_fontRegular);
            dc.SetBkMode(TRANSPARENT);
            (*paint)(dc, client);
            dc.Detach();
        }
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

void Shoot(const std::string& name, int width, int height, PaintFn paint,
           const GalleryPhotographer& photograph)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = VisualManagerSheetProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = "TrovGallerySheet";
        registered = ::RegisterClassA(&wc) != 0;
    }
    HWND hWnd = ::CreateWindowExA(0, "TrovGallerySheet", name.c_str(), WS_POPUP | WS_BORDER, 20, 20, width, height,
                                  nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (hWnd == nullptr)
        return photograph(name, nullptr);
    ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&paint));
    ::ShowWindow(hWnd, SW_SHOWNA);
    ::UpdateWindow(hWnd);
    photograph(name, hWnd);
    ::DestroyWindow(hWnd);
}

void Label(CDC& dc, int x, int y, const char* text)
{
    dc.SetTextColor(g_uiEnvironment.m_colorBarText);
    dc.TextOut(x, y, text);
}

// Each look's row: three tabs (inactive, active, inactive with a colour of
// its own) on a strip, and the page frame under or above them.
void PaintTabs(CDC& dc, const CRect&)
{
    CZUDPVisualManager* vm = CZUDPVisualManager::GetActiveManager();
    struct Row {
        const char* name;
        int style;
        BOOL onTop, flat;
    } rows[] = {
        {"3D, top", 0, TRUE, FALSE},      {"3D, bottom", 0, FALSE, FALSE}, {"flat, top", 0, TRUE, TRUE},
        {"flat, bottom", 0, FALSE, TRUE}, {"style 4", 4, TRUE, FALSE},     {"style 5", 5, TRUE, FALSE},
        {"rounded, top", 6, TRUE, FALSE}, {"rounded, bottom", 7, FALSE, FALSE},
    };
    int y = 10;
    for (const Row& row : rows) {
        Label(dc, 10, y + 4, row.name);
        const CRect strip(120, y, 520, y + 22);
        SheetTabWnd wnd(row.style, row.onTop, row.flat, strip);
        const CRect page(strip.left, row.onTop ? strip.bottom : strip.top - 12, strip.right,
                         row.onTop ? strip.bottom + 12 : strip.top);
        dc.FillRect(page, &g_uiEnvironment.m_brushWindow);
        CPen pen(PS_SOLID, 1, g_uiEnvironment.m_colorBarShadow);
        vm->DrawTabFrame(&dc, &wnd, page, g_uiEnvironment.m_colorBarShadow, &pen);
        const int width = 110;
        // Inactive tabs first, the active one last so that it lies on top.
        for (int i : {0, 2, 1}) {
            const int overlap = (row.style == 4 || row.style == 5) ? 20 : 0;
            const CRect rectTab(strip.left + 4 + i * (width - overlap), strip.top, strip.left + 4 + i * (width - overlap) + width,
                                strip.bottom);
            dc.SetTextColor(g_uiEnvironment.m_colorBarText);
            vm->DrawTab(&dc, rectTab, i, i == 1, &wnd);
        }
        y += 48;
    }
    // The close button of a tab and the row's buttons in their states.
    SheetTabWnd wnd(0, TRUE, FALSE, CRect(0, 0, 1, 1));
    Label(dc, 10, y + 4, "buttons");
    const char* states[] = {"normal", "hot", "pressed"};
    for (int i = 0; i < 3; ++i) {
        const CRect close(120 + i * 70, y, 136 + i * 70, y + 16);
        vm->DrawTabCloseButton(&dc, close, &wnd, i > 0, i == 2, FALSE);
        CRect border(160 + i * 70, y, 178 + i * 70, y + 18);
        vm->FillTabButton(&dc, border, nullptr, &wnd);
        vm->DrawTabButtonBorder(&dc, border, nullptr, i == 2 ? ODS_SELECTED : 0, &wnd);
        Label(dc, 120 + i * 70, y + 20, states[i]);
    }
}

// A day strip: the time scale, day captions (plain, today, selected), the
// working and free hours hatched, an appointment in its colours, and the
// expand button.
void PaintPlanner(CDC& dc, const CRect&)
{
    CZUDPVisualManager* vm = CZUDPVisualManager::GetActiveManager();
    CZUDPPlannerManagerCtrl planner;
    CZUDPPlannerViewDay day;
    day.m_pPlanner = &planner;

    const int top = 30, hour = 28, hours = 10, scale = 60, column = 150;
    COLORREF line = 0;
    const COLORREF text = vm->FillPlannerTimeScale(&dc, &day, CRect(10, top, 10 + scale, top + hours * hour), line);
    for (int h = 0; h < hours; ++h) {
        CRect rect(10, top + h * hour, 10 + scale, top + (h + 1) * hour);
        CPen pen(PS_SOLID, 1, line);
        CPen* old = dc.SelectObject(&pen);
        dc.MoveTo(rect.left + 4, rect.bottom - 1);
        dc.LineTo(rect.right - 4, rect.bottom - 1);
        dc.SelectObject(old);
        char label[8];
        wsprintfA(label, "%d:00", 7 + h);
        dc.SetTextColor(text);
        dc.TextOut(rect.left + 6, rect.top + 4, label, lstrlenA(label));
    }
    const char* names[] = {"Monday", "Tuesday (today)", "Wednesday"};
    for (int d = 0; d < 3; ++d) {
        const int left = 10 + scale + d * column;
        const CRect caption(left, 4, left + column, top);
        const COLORREF captionText = vm->DrawPlannerCaption(&dc, &day, caption, d == 1, d == 2, FALSE);
        vm->DrawPlannerCaptionText(&dc, &day, caption, names[d], captionText, 1, FALSE);
        for (int h = 0; h < hours; ++h) {
            const CRect cell(left, top + h * hour, left + column, top + (h + 1) * hour);
            vm->FillPlannerBackground(&dc, &day, cell, h >= 1 && h < 8);
            CPen pen(PS_SOLID, 1, vm->GetPlannerGridLineColor(&day, FALSE, FALSE));
            CPen* old = dc.SelectObject(&pen);
            dc.MoveTo(cell.left, cell.bottom - 1);
            dc.LineTo(cell.right, cell.bottom - 1);
            dc.MoveTo(cell.right - 1, cell.top);
            dc.LineTo(cell.right - 1, cell.bottom);
            dc.SelectObject(old);
        }
        // One appointment per day: plain, coloured, selected.
        COLORREF back = CZUDPVisualManager::kPlannerNoColor, textColor = CZUDPVisualManager::kPlannerNoColor;
        COLORREF gradient, frame, secondFrame;
        if (d == 1)
            back = RGB(150, 200, 255);
        vm->GetPlannerDayColors(&day, d == 2, FALSE, 1, back, gradient, frame, secondFrame, textColor);
        const CRect appointment(left + 8, top + (2 + d) * hour + 2, left + column - 8, top + (4 + d) * hour - 2);
        dc.FillSolidRect(appointment, back);
        dc.Draw3dRect(appointment, frame, secondFrame);
        dc.SetTextColor(textColor);
        CRect textRect = appointment;
        textRect.DeflateRect(4, 2);
        dc.DrawText(CString("Install firmware"), textRect, DT_LEFT | DT_TOP | DT_SINGLELINE);
        const CRect expand(left + column - 20, top + hours * hour - 14, left + column - 6, top + hours * hour - 4);
        vm->DrawPlannerExpandButton(&dc, &day, expand);
    }
}

// Ribbon pieces: category tabs (inactive, hot, active, context), the
// category frame with a panel, its caption and launch button, buttons in
// every state, a split button, caption buttons, a key tip, colour swatches
// and the placeholder of an element without an image.
void PaintRibbon(CDC& dc, const CRect&)
{
    CZUDPVisualManager* vm = CZUDPVisualManager::GetActiveManager();
    CZUDPRibbonBar bar;
    bar.m_nTabSeparatorStrength = 60;

    CZUDPRibbonCategory categories[4];
    categories[3].m_nContextColor = 3;
    const char* tabNames[] = {"Home", "View (hot)", "Machines", "Context"};
    CZUDPRibbonTab tabs[4];
    for (int i = 0; i < 4; ++i) {
        tabs[i].m_pCategory = &categories[i];
        tabs[i].m_pRibbonBar = &bar;
        tabs[i].m_rect = CRect(10 + i * 90, 8, 96 + i * 90, 32);
        tabs[i].m_bIsHighlighted = i == 1;
        categories[i].m_rectTab = tabs[i].m_rect;
    }
    // The category under the active tab first, then the tabs over it.
    vm->DrawRibbonCategoryBorder(&dc, &categories[2], CRect(6, 31, 640, 170));
    for (int i = 0; i < 4; ++i) {
        const BOOL active = i == 2 || i == 3;
        dc.SetTextColor(vm->DrawRibbonCategoryTab(&dc, &tabs[i], active));
        CRect textRect = tabs[i].m_rect;
        dc.DrawText(CString(tabNames[i]), textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }

    CZUDPRibbonPanel panel("Controllers");
    panel.m_btnLaunch.m_rect = CRect(596, 148, 610, 162);
    const CRect rectPanel(14, 38, 616, 166);
    vm->FillRibbonPanel(&dc, &panel, rectPanel);
    vm->DrawRibbonPanelCaption(&dc, &panel, CRect(rectPanel.left, 146, rectPanel.right, 165));
    CZUDPRibbonLaunchButton launch;
    launch.m_rect = panel.m_btnLaunch.m_rect;
    vm->DrawRibbonLaunchButton(&dc, &launch, &panel);

    struct State {
        const char* name;
        BOOL highlighted, pressed, checked, disabled;
    } states[] = {{"normal", FALSE, FALSE, FALSE, FALSE}, {"hot", TRUE, FALSE, FALSE, FALSE},
                  {"pressed", TRUE, TRUE, FALSE, FALSE},  {"checked", FALSE, FALSE, TRUE, FALSE},
                  {"checked hot", TRUE, FALSE, TRUE, FALSE}, {"disabled", FALSE, FALSE, FALSE, TRUE}};
    for (int i = 0; i < 6; ++i) {
        CZUDPRibbonButton button;
        button.m_rect = CRect(20 + i * 74, 44, 88 + i * 74, 100);
        button.m_bIsHighlighted = states[i].highlighted;
        button.m_bIsPressed = states[i].pressed;
        button.m_bIsChecked = states[i].checked;
        button.m_bIsDisabled = states[i].disabled;
        const COLORREF text = vm->FillRibbonButton(&dc, &button);
        vm->DrawDefaultImagePlaceholder(&dc, CRect(button.m_rect.left, button.m_rect.top + 4, button.m_rect.right,
                                                   button.m_rect.top + 30),
                                        states[i].disabled);
        const COLORREF disabled = vm->GetRibbonDisabledTextColor(states[i].disabled);
        dc.SetTextColor(disabled != (COLORREF)-1 ? disabled : text != (COLORREF)-1 ? text : g_uiEnvironment.m_colorBarText);
        CRect textRect(button.m_rect.left, button.m_rect.top + 32, button.m_rect.right, button.m_rect.bottom);
        dc.DrawText(CString(states[i].name), textRect, DT_CENTER | DT_TOP | DT_SINGLELINE);
        vm->DrawRibbonButtonBorder(&dc, &button);
    }

    // A split button with its menu part below, hot; a separator; an edit.
    CZUDPRibbonButton split;
    split.m_rect = CRect(470, 44, 530, 140);
    split.m_rectMenu = CRect(470, 104, 530, 140);
    split.m_bMenuOnBottom = TRUE;
    split.m_bIsHighlighted = TRUE;
    vm->FillRibbonButton(&dc, &split);
    vm->DrawDefaultImagePlaceholder(&dc, CRect(470, 50, 530, 100), FALSE);
    vm->DrawRibbonButtonBorder(&dc, &split);
    vm->DrawRibbonDefaultPanelButtonArrow(&dc, &split, CRect(492, 116, 508, 132));
    vm->DrawRibbonSeparator(&dc, nullptr, CRect(540, 44, 542, 140));
    CZUDPRibbonEdit edit;
    edit.m_rect = CRect(20, 108, 250, 130);
    edit.m_rectEdit = CRect(90, 110, 250, 128);
    vm->FillRibbonButton(&dc, &edit);
    Label(dc, 24, 112, "Address");

    // Caption buttons, key tips, colour swatches.
    const UINT commands[] = {SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_CLOSE};
    for (int i = 0; i < 4; ++i) {
        CZUDPRibbonCaptionButton button(commands[i]);
        button.m_rect = CRect(470 + i * 26, 180, 494 + i * 26, 202);
        button.m_bIsHighlighted = i == 3;
        vm->DrawRibbonCaptionButton(&dc, &button);
    }
    CZUDPBaseRibbonElement tipped;
    vm->DrawRibbonKeyTip(&dc, &tipped, CRect(20, 180, 40, 198), "h");
    vm->DrawRibbonKeyTip(&dc, &tipped, CRect(50, 180, 76, 198), "fx");
    const COLORREF swatches[] = {RGB(192, 0, 0), RGB(255, 192, 0), RGB(0, 176, 80), RGB(0, 112, 192),
                                 RGB(112, 48, 160)};
    for (int i = 0; i < 5; ++i)
        vm->DrawRibbonColorButton(&dc, nullptr, swatches[i], CRect(100 + i * 22, 180, 120 + i * 22, 200), TRUE,
                                  TRUE, i == 1, i == 3);
    for (int i = 1; i <= 7; ++i)
        dc.FillSolidRect(CRect(230 + i * 24, 180, 250 + i * 24, 200), vm->GetRibbonContextCategoryColor(i));
}

} // namespace

void ShootVisualManagerSheets(const GalleryPhotographer& photograph)
{
    Shoot("vm-tabs", 560, 450, PaintTabs, photograph);
    Shoot("vm-planner", 540, 330, PaintPlanner, photograph);
    Shoot("vm-ribbon", 660, 220, PaintRibbon, photograph);
}
