// Sheets of the library's tab windows as real windows: every style with
// its strip at the top and at the bottom, and the features in their
// states: the row's close button, the close button on the active tab, the
// tab list with hidden tabs, icons, automatic colours, the flat style with
// its shared scroll bar and scrolled, a tab being renamed and a resize
// bar.
#include "tests/shot/GallerySheets.h"

#include "framework/win/DC.h"
#include "ui/docking/ZUDPTabWnd.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <memory>
#include <string>
#include <vector>

namespace {

// A tab's window: the window colour with the tab's name on it.
class CTabSheetPage : public CWnd {
public:
    BOOL CreatePage(CWnd* pParent, UINT nID, const char* name)
    {
        m_name = name;
        return CreateEx(0, AfxRegisterWndClass(0), name, WS_CHILD | WS_CLIPSIBLINGS, CRect(0, 0, 10, 10), pParent, nID);
    }

protected:
    void OnPaint()
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillRect(client, &g_uiEnvironment.m_brushWindow);
        HGDIOBJ oldFont = dc.SelectObject(g_uiEnvironment.m_fontRegular.GetSafeHandle());
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(g_uiEnvironment.m_colorWindowText);
        dc.DrawText(CString(("page: " + m_name).c_str()), client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        dc.SelectObject(oldFont);
    }
    DECLARE_MESSAGE_MAP()

private:
    std::string m_name;
};

BEGIN_MESSAGE_MAP(CTabSheetPage, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

// The window of a sheet, with its row labels painted on its face.
class CTabSheetFrame : public CWnd {
public:
    std::vector<std::pair<CPoint, std::string>> labels;

protected:
    void OnPaint()
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillRect(client, &g_uiEnvironment.m_brushButtonFace);
        HGDIOBJ oldFont = dc.SelectObject(g_uiEnvironment.m_fontRegular.GetSafeHandle());
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(g_uiEnvironment.m_colorButtonText);
        for (const auto& label : labels)
            dc.TextOut(label.first.x, label.first.y, CString(label.second.c_str()));
        dc.SelectObject(oldFont);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTabSheetFrame, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

const int kTabSheetLabelWidth = 150;

class TabSheet {
public:
    bool Create(const char* title, int width, int height)
    {
        return m_frame.CreateEx(0, AfxRegisterWndClass(0), title, WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN | WS_VISIBLE,
                                20, 20, width, height, nullptr, nullptr) != FALSE;
    }
    // A tab window at a place of the sheet, with its tabs' pages.
    CZUDPTabWnd* AddTabs(int style, ZUDPTabLocation location, const CRect& rect, const char* label,
                         std::initializer_list<const char*> tabs, BOOL bClose = FALSE)
    {
        auto tabWnd = std::make_unique<CZUDPTabWnd>();
        if (!tabWnd->CreateWithStyle(style, rect, &m_frame, UINT(m_windows.size() + 1), location, bClose))
            return nullptr;
        m_frame.labels.push_back({CPoint(8, rect.top + 6), label});
        UINT id = 100;
        for (const char* name : tabs) {
            auto page = std::make_unique<CTabSheetPage>();
            if (page->CreatePage(tabWnd.get(), id++, name))
                tabWnd->AppendTab(page.get(), name);
            m_pages.push_back(std::move(page));
        }
        CZUDPTabWnd* pTabs = tabWnd.get();
        m_windows.push_back(std::move(tabWnd));
        return pTabs;
    }
    HWND Window() const { return m_frame.GetSafeHwnd(); }

private:
    CTabSheetFrame m_frame;
    // Pages before the tab windows: destroyed after them (the tab windows
    // destroy their pages' windows).
    std::vector<std::unique_ptr<CTabSheetPage>> m_pages;
    std::vector<std::unique_ptr<CZUDPTabWnd>> m_windows;
};

void ShootTabStyles(const GalleryPhotographer& photograph)
{
    const int cellWidth = 330, cellHeight = 78, gap = 10;
    TabSheet sheet;
    if (!sheet.Create("Tab windows: styles 0 to 7, strip at the top and at the bottom",
                      kTabSheetLabelWidth + 2 * (cellWidth + gap) + 20, 8 * (cellHeight + gap) + 60)) {
        photograph("tab-styles", nullptr);
        return;
    }
    const char* names[] = {"0: 3D",       "1: flat",          "2: flat, scroll bar", "3: 3D, scrolling",
                           "4: slanted",  "5: short slant",   "6: rounded",          "7: rounded, scrolling"};
    for (int style = 0; style <= 7; ++style) {
        for (int column = 0; column < 2; ++column) {
            const int x = kTabSheetLabelWidth + column * (cellWidth + gap);
            const int y = 10 + style * (cellHeight + gap);
            CZUDPTabWnd* pTabs = sheet.AddTabs(style, column == 0 ? TabLocationTop : TabLocationBottom,
                                               CRect(x, y, x + cellWidth, y + cellHeight), names[style],
                                               {"Machines", "Log", "A longer label"});
            if (pTabs != nullptr) {
                pTabs->ActivateTab(1);
                if (style == 4 || style == 5)
                    pTabs->SetTabBackColor(2, RGB(255, 220, 150));
            }
        }
    }
    photograph("tab-styles", sheet.Window());
}

void ShootTabFeatures(const GalleryPhotographer& photograph)
{
    const int width = 360, height = 70, gap = 10;
    TabSheet sheet;
    if (!sheet.Create("Tab windows: buttons, list, icons, colours, scroll bar, rename, resize bar",
                      kTabSheetLabelWidth + 2 * (width + gap) + 20, 5 * (height + gap) + 60)) {
        photograph("tab-features", nullptr);
        return;
    }
    auto place = [&](int row, int column) {
        const int x = kTabSheetLabelWidth + column * (width + gap);
        const int y = 10 + row * (height + gap);
        return CRect(x, y, x + width, y + height);
    };
    // The row's close button; the close button on the active tab.
    sheet.AddTabs(3, TabLocationTop, place(0, 0), "close buttons", {"Machines", "Log", "Settings"}, TRUE);
    if (CZUDPTabWnd* pTabs = sheet.AddTabs(4, TabLocationTop, place(0, 1), "", {"Machines", "Log", "Settings"}))
        pTabs->EnableActiveTabCloseButton(TRUE);
    // The tab list, with tabs hidden past the strip; icons.
    if (CZUDPTabWnd* pTabs =
            sheet.AddTabs(3, TabLocationBottom, place(1, 0), "tab list, icons", {"Alpha", "Beta", "Gamma", "Delta", "Epsilon", "Zeta", "Eta", "Theta", "Iota"}))
        pTabs->EnableTabListMenu(TRUE);
    if (CZUDPTabWnd* pTabs = sheet.AddTabs(0, TabLocationTop, place(1, 1), "", {"Information", "Warning", "Error"})) {
        const LPCSTR icons[] = {IDI_INFORMATION, IDI_WARNING, IDI_ERROR};
        for (int i = 0; i < 3; ++i) {
            const int cx = g_uiEnvironment.m_smallIconWidth, cy = g_uiEnvironment.m_smallIconHeight;
            pTabs->SetTabIconHandle(i, (HICON)::LoadImageA(nullptr, icons[i], IMAGE_ICON, cx, cy, LR_SHARED));
        }
    }
    // Automatic colours; the active tab in bold.
    if (CZUDPTabWnd* pTabs = sheet.AddTabs(4, TabLocationTop, place(2, 0), "automatic colours, bold",
                                           {"One", "Two", "Three", "Four"}))
        pTabs->EnableAutoColor(TRUE);
    if (CZUDPTabWnd* pTabs = sheet.AddTabs(7, TabLocationBottom, place(2, 1), "", {"One", "Two", "Three"})) {
        pTabs->EnableAutoColor(TRUE);
        pTabs->EnableBoldActiveTab(TRUE);
    }
    // The flat style's shared scroll bar; the flat tabs scrolled.
    sheet.AddTabs(2, TabLocationBottom, place(3, 0), "flat: scroll bar, scrolled", {"Main", "Notes", "Output"});
    if (CZUDPTabWnd* pTabs = sheet.AddTabs(1, TabLocationBottom, place(3, 1), "",
                                           {"First file", "Second file", "Third file", "Fourth file", "Fifth file"})) {
        pTabs->ActivateTab(4);
        pTabs->EnsureTabVisible(4);
    }
    // A tab being renamed; a resize bar along the right edge.
    CZUDPTabWnd* pRenamed = sheet.AddTabs(1, TabLocationBottom, place(4, 0), "rename, resize bar", {"Rename me", "Other"});
    if (CZUDPTabWnd* pTabs = sheet.AddTabs(0, TabLocationTop, place(4, 1), "", {"Group one", "Group two"}))
        pTabs->SetResizeBarMode(CZUDPTabWnd::ResizeBarRight);
    if (pRenamed != nullptr) {
        pRenamed->EnableTabRename(TRUE);
        pRenamed->StartTabRename(0);
    }
    photograph("tab-features", sheet.Window());
    if (pRenamed != nullptr)
        pRenamed->SendMessage(WM_CANCELMODE);
}

} // namespace

void ShootTabWindowSheets(const GalleryPhotographer& photograph)
{
    ShootTabStyles(photograph);
    ShootTabFeatures(photograph);
}
