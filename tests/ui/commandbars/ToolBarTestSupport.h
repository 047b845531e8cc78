#pragma once
// Fixtures of the toolbar tests: the library-wide toolbar state a test
// changes (sizes, DPI scale, options), put back when it ends; a host
// window that keeps the messages a toolbar sends its owner; toolbars made
// in it with buttons of chosen commands.
#include "framework/win/FrameworkSeams.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace toolbartest {

// The library-wide toolbar state, as it was when the guard was made.
class ToolbarStateGuard {
public:
    ToolbarStateGuard()
        : m_sizeButton(CZUDPToolBar::GetLibraryButtonSize()), m_sizeImage(CZUDPToolBar::GetLibraryImageSize()),
          m_dpiScale(g_uiEnvironment.m_dpiScale), m_dpiScaling(g_uiEnvironment.m_dpiScaling),
          m_customize(g_customizeMode), m_quick(g_quickCustomize), m_tooltips(g_showTooltips),
          m_shortcuts(g_showShortcutKeys), m_largeIcons(g_largeIcons), m_userImages(g_sharedUserImages),
          m_selectedBar(g_customizeSelectedBar), m_accessibility(g_uiEnvironment.m_accessibility)
    {
    }
    ~ToolbarStateGuard()
    {
        g_uiEnvironment.m_dpiScale = m_dpiScale;
        g_uiEnvironment.m_dpiScaling = m_dpiScaling;
        CZUDPToolBar::SetSizes(m_sizeButton, m_sizeImage);
        g_customizeMode = m_customize;
        g_quickCustomize = m_quick;
        g_showTooltips = m_tooltips;
        g_showShortcutKeys = m_shortcuts;
        g_largeIcons = m_largeIcons;
        g_sharedUserImages = m_userImages;
        g_customizeSelectedBar = m_selectedBar;
        g_uiEnvironment.m_accessibility = m_accessibility;
        g_blockedCommands.RemoveAll();
    }
    ToolbarStateGuard(const ToolbarStateGuard&) = delete;
    ToolbarStateGuard& operator=(const ToolbarStateGuard&) = delete;

private:
    CSize m_sizeButton, m_sizeImage;
    double m_dpiScale;
    BOOL m_dpiScaling;
    BOOL m_customize, m_quick, m_tooltips, m_shortcuts, m_largeIcons;
    CZUDPToolBarImages* m_userImages;
    CZUDPToolBar* m_selectedBar;
    BOOL m_accessibility;
};

// A top-level window that hosts toolbars and keeps what they send it:
// commands, status prompts and the reset notice.
class CHostWnd : public CWnd {
public:
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Message> received;
    // Runs when a command arrives (a handler that changes the bar).
    std::function<void(UINT)> onCommand;

    BOOL Make(CRect rect = CRect(0, 0, 400, 120))
    {
        return CreateEx(0, AfxRegisterWndClass(0), "Toolbar host", WS_POPUP, rect, nullptr, 0);
    }
    std::vector<Message> Of(UINT message) const
    {
        std::vector<Message> found;
        for (const Message& m : received)
            if (m.message == message)
                found.push_back(m);
        return found;
    }
    std::vector<UINT> Commands() const
    {
        std::vector<UINT> commands;
        for (const Message& m : Of(WM_COMMAND))
            commands.push_back(UINT(LOWORD(m.wParam)));
        return commands;
    }
    // The string ids of the status prompts, in order.
    std::vector<UINT> Prompts() const
    {
        std::vector<UINT> prompts;
        for (const Message& m : Of(WM_SETMESSAGESTRING))
            prompts.push_back(UINT(m.wParam));
        return prompts;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND || message == WM_SETMESSAGESTRING || message == ZUDTOOLBAR_RESETTOOLBAR) {
            received.push_back({message, wParam, lParam});
            if (message == WM_COMMAND && onCommand)
                onCommand(UINT(LOWORD(wParam)));
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A toolbar window in the host at (0, 0), docked at the top as far as the
// bar's style goes (the bar sits in no dock bar), of the given size.
inline BOOL MakeToolbar(CZUDPToolBar& bar, CWnd& host, CSize size = CSize(300, 30), DWORD dwBarStyle = CBRS_ALIGN_TOP)
{
    if (!bar.CreateEx(0, AfxRegisterWndClass(0), "Toolbar", WS_CHILD | WS_VISIBLE, CRect(CPoint(0, 0), size), &host,
                      100))
        return FALSE;
    bar.ReplaceBarStyle(dwBarStyle);
    // The style decides the borders; creation sized the empty bar to one
    // button: the requested size again, with the frame for the style.
    bar.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

// A plain command button (no image unless given, no text unless given).
inline CZUDPToolbarButton* NewButton(UINT id, int iImage = -1, LPCTSTR text = nullptr, UINT style = 0)
{
    CZUDPToolbarButton* pButton = new CZUDPToolbarButton(id, iImage, text, FALSE, TRUE);
    pButton->style = style;
    return pButton;
}

inline LPARAM PointParam(CPoint pt) { return MAKELPARAM(pt.x, pt.y); }

} // namespace toolbartest
