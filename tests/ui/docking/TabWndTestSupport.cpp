#include "tests/ui/docking/TabWndTestSupport.h"

#include "framework/win/DC.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

namespace tabtest {

BOOL CTabHost::CreateHost(int width, int height)
{
    return CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "tab host", WS_POPUP | WS_CLIPCHILDREN,
                    CRect(30, 40, 30 + width, 40 + height), nullptr, 0);
}

std::vector<Notice> CTabHost::Of(UINT message) const
{
    std::vector<Notice> result;
    for (const Notice& notice : notices)
        if (notice.message == message)
            result.push_back(notice);
    return result;
}

LRESULT CTabHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == ZUDM_ON_CHANGING_ACTIVE_TAB || message == ZUDM_ONCHANGE_ACTIVE_TAB || message == ZUDM_ON_MOVE_TAB ||
        message == ZUDM_ON_HSCROLL || message == ZUDM_ON_GET_TAB_TOOLTIP || message == ZUDM_ON_RENAME_TAB ||
        message == ZUDM_GETDRAGBOUNDS || message == ZUDM_ON_DRAGCOMPLETE) {
        notices.push_back({message, wParam, lParam});
        if (message == ZUDM_ON_CHANGING_ACTIVE_TAB)
            return vetoChanging;
        if (message == ZUDM_ON_RENAME_TAB) {
            renames.emplace_back(reinterpret_cast<LPCSTR>(lParam));
            return refuseRename;
        }
        if (message == ZUDM_ON_GET_TAB_TOOLTIP) {
            reinterpret_cast<CZUDPTabToolTipInfo*>(lParam)->m_strText = tooltipText;
            return 0;
        }
        if (message == ZUDM_GETDRAGBOUNDS) {
            *reinterpret_cast<RECT*>(lParam) = dragBounds;
            return dragBounds.IsRectEmpty() ? 0 : 1;
        }
        if (message == ZUDM_ON_DRAGCOMPLETE) {
            dragComplete = *reinterpret_cast<const RECT*>(lParam);
            return 0;
        }
        return 0;
    }
    if (message == WM_MDIACTIVATE) {
        mdiActivated.push_back(HWND(wParam));
        return 0;
    }
    if (message == WM_LBUTTONDOWN)
        presses.push_back(CPoint(short(LOWORD(lParam)), short(HIWORD(lParam))));
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CPaneWnd::CreatePane(CWnd* pParent, UINT nID, DWORD dwStyle)
{
    return CreateEx(0, AfxRegisterWndClass(0), "", dwStyle, CRect(0, 0, 10, 10), pParent, nID);
}

LRESULT CPaneWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        ++closes;
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void TabWindowFixture::Create(int nStyle, ZUDPTabLocation location, BOOL bClose, int width, int height)
{
    Destroy();
    m_host = std::make_unique<CTabHost>();
    m_tabs = std::make_unique<CTestTabWnd>();
    if (!m_seamsReplaced) {
        m_seamsReplaced = true;
        m_seams.Replace(g_frameworkSeams.cursorPos, [this](POINT* point) {
            *point = m_cursor;
            return TRUE;
        });
        m_seams.Replace(g_frameworkSeams.setCursorPos, [this](int x, int y) {
            m_cursor = CPoint(x, y);
            return TRUE;
        });
        m_seams.Replace(g_frameworkSeams.keyState,
                        [this](int key) { return SHORT(key == VK_CONTROL && m_ctrlDown ? 0x8000 : 0); });
    }
    ASSERT_TRUE(m_host->CreateHost(width, height));
    CRect rectClient;
    m_host->GetClientRect(&rectClient);
    ASSERT_TRUE(m_tabs->CreateWithStyle(nStyle, rectClient, m_host.get(), 7, location, bClose));
}

void TabWindowFixture::TearDown() { Destroy(); }

void TabWindowFixture::Destroy()
{
    if (m_tabs != nullptr && m_tabs->GetSafeHwnd() != nullptr)
        m_tabs->DestroyWindow();
    if (m_host != nullptr && m_host->GetSafeHwnd() != nullptr)
        m_host->DestroyWindow();
    m_panes.clear();
    m_tabs.reset();
    m_host.reset();
}

void TabWindowFixture::AddTabs(std::initializer_list<const char*> labels)
{
    for (const char* label : labels) {
        auto pane = std::make_unique<CPaneWnd>();
        ASSERT_TRUE(pane->CreatePane(m_tabs.get(), UINT(100 + m_panes.size())));
        m_tabs->AppendTab(pane.get(), label);
        m_panes.push_back(std::move(pane));
    }
}

CPoint TabWindowFixture::ScreenPoint(CPoint client) const
{
    CPoint point = client;
    m_tabs->ClientToScreen(&point);
    return point;
}

CPoint TabWindowFixture::TabCentre(int iTab) const
{
    CRect rect;
    m_tabs->GetTabRectAt(iTab, rect);
    return rect.CenterPoint();
}

void TabWindowFixture::Press(CPoint point, UINT message)
{
    m_cursor = ScreenPoint(point);
    m_tabs->SendMessage(message, MK_LBUTTON, MAKELPARAM(point.x, point.y));
}

void TabWindowFixture::Move(CPoint point)
{
    m_cursor = ScreenPoint(point);
    m_tabs->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(point.x, point.y));
}

void TabWindowFixture::Release(CPoint point)
{
    m_cursor = ScreenPoint(point);
    m_tabs->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

int RegularCharHeight() { return g_uiEnvironment.m_textHeight - g_uiEnvironment.m_textMargin; }

int TextWidth(CFont& font, const char* text)
{
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, font.m_hObject);
    SIZE size = {};
    ::GetTextExtentPoint32A(hDC, text, lstrlenA(text), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    return size.cx;
}

} // namespace tabtest
