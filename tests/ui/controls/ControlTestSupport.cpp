#include "tests/ui/controls/ControlTestSupport.h"

#include "framework/win/DC.h"
#include "ui/controls/ZUDPButton.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPMessages.h"

#include <algorithm>

namespace controltest {

ControlRecordingScope::ControlRecordingScope()
{
    uitest::CRecordingVisualManager& manager = **this;
    manager.answers["UsesCustomScrollBars"] = TRUE;
    manager.instead["DrawScrollBarThumb"] = uitest::CRecordingVisualManager::FillWith(kThumbFill);
    manager.instead["DrawScrollBarButton"] = uitest::CRecordingVisualManager::FillWith(kButtonFill);
    manager.instead["DrawScrollBarTrack"] = uitest::CRecordingVisualManager::FillWith(kTrackFill);
    manager.answers["DrawPushButtonFrame"] = TRUE;
    manager.instead["DrawPushButtonFrame"] = [this](CDC* pDC, const uitest::ManagerCall& call) {
        pDC->FillSolidRect(call.rect, kFrameFill);
        if (call.element != nullptr)
            static_cast<CZUDPButton*>(const_cast<void*>(call.element))->m_clrFrameText = frameTextColor;
    };
}

// ---------------------------------------------------------------------------
// Host window

BEGIN_MESSAGE_MAP(CControlHost, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_REGISTERED_MESSAGE(ZUDM_ON_DRAW_SCROLLBAR, &CControlHost::OnDrawScrollBar)
END_MESSAGE_MAP()

BOOL CControlHost::CreateHost(int width, int height)
{
    if (!CreateEx(0, AfxRegisterWndClass(0), "control host", WS_POPUP, 0, 0, width, height, nullptr, nullptr))
        return FALSE;
    ShowWindow(SW_SHOWNA);
    UpdateWindow();
    return TRUE;
}

int CControlHost::Count(UINT message, UINT code) const
{
    return int(std::count_if(notices.begin(), notices.end(),
                             [&](const Notice& n) { return n.message == message && n.code == code; }));
}

void CControlHost::Record(const Notice& notice)
{
    notices.push_back(notice);
    if (onNotice)
        onNotice(notice);
}

BOOL CControlHost::OnCommand(WPARAM wParam, LPARAM lParam)
{
    Record({WM_COMMAND, HIWORD(wParam), LOWORD(wParam), (HWND)lParam});
    return TRUE;
}

BOOL CControlHost::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    pDC->GetClipBox(rect);
    erasedRects.push_back(rect);
    pDC->FillSolidRect(rect, kBackground);
    return TRUE;
}

LRESULT CControlHost::OnDrawScrollBar(WPARAM wParam, LPARAM lParam)
{
    const ScrollBarDrawInfo* pInfo = reinterpret_cast<const ScrollBarDrawInfo*>(lParam);
    if (pInfo != nullptr)
        ownerDraws.emplace_back((int)wParam, *pInfo);
    return 0;
}

void CControlHost::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    Record({WM_HSCROLL, nSBCode, nPos, AfxSafeHwnd(pScrollBar)});
}

void CControlHost::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    Record({WM_VSCROLL, nSBCode, nPos, AfxSafeHwnd(pScrollBar)});
}

// ---------------------------------------------------------------------------
// Seams

TimerRecorder::TimerRecorder()
    : m_set(g_frameworkSeams.setTimer,
            [this](HWND hWnd, UINT_PTR id, UINT elapse, TIMERPROC) -> UINT_PTR {
                started.push_back({hWnd, id, elapse});
                m_running.push_back(id);
                return id;
            }),
      m_kill(g_frameworkSeams.killTimer, [this](HWND, UINT_PTR id) -> BOOL {
          killed.push_back(id);
          m_running.erase(std::remove(m_running.begin(), m_running.end(), id), m_running.end());
          return TRUE;
      })
{
}

std::vector<TimerRecorder::Timer> TimerRecorder::StartedWith(UINT_PTR id) const
{
    std::vector<Timer> found;
    for (const Timer& timer : started)
        if (timer.id == id)
            found.push_back(timer);
    return found;
}

bool TimerRecorder::Running(UINT_PTR id) const
{
    return std::find(m_running.begin(), m_running.end(), id) != m_running.end();
}

CursorAt::CursorAt(CPoint at)
    : point(at), m_seam(g_frameworkSeams.cursorPos, [this](POINT* p) -> BOOL {
          *p = point;
          return TRUE;
      })
{
}

MenuTracker::MenuTracker(int chosen)
    : command(chosen),
      m_seam(g_frameworkSeams.trackPopupMenu,
             [this](HMENU menu, UINT flags, int x, int y, HWND owner, const RECT*) -> BOOL {
                 calls.push_back({menu, flags, CPoint(x, y), owner});
                 if (whileOpen)
                     whileOpen();
                 return (BOOL)command;
             })
{
}

LRESULT SendMouse(CWnd& wnd, UINT message, int x, int y, UINT flags)
{
    return wnd.SendMessage(message, flags, MAKELPARAM(x, y));
}

} // namespace controltest
