#include "tests/ui/controls/ControlTestSupport.h"

#include "framework/win/DC.h"
#include "ui/controls/ZUDPButton.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPMessages.h"

#include <algorithm>

namespace controltest {

IMPLEMENT_DYNCREATE(CRecordingVisualManager, CZUDPVisualManager)

std::vector<DrawCall> CRecordingVisualManager::Of(const std::string& name) const
{
    std::vector<DrawCall> result;
    for (const DrawCall& call : calls)
        if (call.name == name)
            result.push_back(call);
    return result;
}

BOOL CRecordingVisualManager::DrawPushButtonFrame(CDC* pDC, CZUDPButton* pButton, CRect rect, UINT uiState)
{
    calls.push_back({"DrawPushButtonFrame", rect, {(int)uiState}, pButton});
    if (frameFill != (COLORREF)-1)
        pDC->FillSolidRect(rect, frameFill);
    if (pButton != nullptr)
        pButton->m_clrFrameText = frameTextColor;
    return TRUE;
}

BOOL CRecordingVisualManager::DrawPushButtonFace(CDC* pDC, CZUDPButton* pButton, CRect rect, UINT uiState)
{
    calls.push_back({"DrawPushButtonFace", rect, {(int)uiState}, pButton});
    return drawsPushButtonFace || CZUDPVisualManager::DrawPushButtonFace(pDC, pButton, rect, uiState);
}

void CRecordingVisualManager::DrawCheckBoxEx(CDC* pDC, CRect rect, int nState, BOOL bFocused, BOOL bIsRadio,
                                             BOOL bEnabled)
{
    calls.push_back({"DrawCheckBoxEx", rect, {nState, bFocused, bIsRadio, bEnabled}});
    CZUDPVisualManager::DrawCheckBoxEx(pDC, rect, nState, bFocused, bIsRadio, bEnabled);
}

void CRecordingVisualManager::DrawRadioButton(CDC* pDC, CRect rect, BOOL bChecked, BOOL bHighlighted, BOOL bPressed,
                                              BOOL bEnabled)
{
    calls.push_back({"DrawRadioButton", rect, {bChecked, bHighlighted, bPressed, bEnabled}});
    CZUDPVisualManager::DrawRadioButton(pDC, rect, bChecked, bHighlighted, bPressed, bEnabled);
}

void CRecordingVisualManager::DrawScrollBarThumb(CDC* pDC, CZUDPScrollBar* pScrollBar, CRect rect, BOOL bHorz,
                                                 BOOL bHighlighted, BOOL bPressed, BOOL bDisabled)
{
    calls.push_back({"DrawScrollBarThumb", rect, {bHorz, bHighlighted, bPressed, bDisabled}, pScrollBar});
    pDC->FillSolidRect(rect, RGB(200, 0, 0));
}

void CRecordingVisualManager::DrawScrollBarButton(CDC* pDC, CZUDPScrollBar* pScrollBar, CRect rect, BOOL bHorz,
                                                  BOOL bHighlighted, BOOL bPressed, BOOL bFirst, BOOL bDisabled)
{
    calls.push_back(
        {"DrawScrollBarButton", rect, {bHorz, bHighlighted, bPressed, bFirst, bDisabled}, pScrollBar});
    pDC->FillSolidRect(rect, RGB(0, 200, 0));
}

void CRecordingVisualManager::DrawScrollBarTrack(CDC* pDC, CZUDPScrollBar* pScrollBar, CRect rect, BOOL bHorz,
                                                 BOOL bHighlighted, BOOL bPressed, BOOL bFirst, BOOL bDisabled)
{
    calls.push_back({"DrawScrollBarTrack", rect, {bHorz, bHighlighted, bPressed, bFirst, bDisabled}, pScrollBar});
    pDC->FillSolidRect(rect, RGB(0, 0, 200));
}

void CRecordingVisualManager::DrawProgressBar(CDC* pDC, CZUDPRibbonProgressBar* pProgress, CRect rectProgress,
                                              CRect rectChunk, BOOL bInfiniteMode)
{
    DrawCall call{"DrawProgressBar", rectProgress,
                  {(int)rectChunk.left, (int)rectChunk.top, (int)rectChunk.right, (int)rectChunk.bottom, bInfiniteMode,
                   g_drawingOnGlass},
                  pProgress};
    calls.push_back(call);
    CZUDPVisualManager::DrawProgressBar(pDC, pProgress, rectProgress, rectChunk, bInfiniteMode);
}

void CRecordingVisualManager::DrawGroupBox(CDC* pDC, CZUDPGroup* pGroup, CRect rect, const CString& strName)
{
    DrawCall call{"DrawGroupBox", rect, {(int)pDC->GetTextColor(), pDC->GetBkMode()}, pGroup};
    calls.push_back(call);
    CZUDPVisualManager::DrawGroupBox(pDC, pGroup, rect, strName);
}

void CRecordingVisualManager::DrawSliderChannel(CDC* pDC, CZUDPSliderCtrl* pSlider, BOOL bVert, CRect rect,
                                                BOOL bDrawOnGlass)
{
    calls.push_back({"DrawSliderChannel", rect, {bVert, bDrawOnGlass}, pSlider});
    CZUDPVisualManager::DrawSliderChannel(pDC, pSlider, bVert, rect, bDrawOnGlass);
}

BOOL CRecordingVisualManager::DrawSliderThumb(CDC* pDC, CZUDPSliderCtrl* pSlider, CRect rect, BOOL bIsHighlighted,
                                              BOOL bIsPressed, BOOL bIsDisabled, BOOL bVert, BOOL bLeftTop,
                                              BOOL bBothSides, BOOL bDrawOnGlass)
{
    calls.push_back({"DrawSliderThumb",
                     rect,
                     {bIsHighlighted, bIsPressed, bIsDisabled, bVert, bLeftTop, bBothSides, bDrawOnGlass},
                     pSlider});
    return CZUDPVisualManager::DrawSliderThumb(pDC, pSlider, rect, bIsHighlighted, bIsPressed, bIsDisabled, bVert,
                                               bLeftTop, bBothSides, bDrawOnGlass);
}

BOOL CRecordingVisualManager::DrawTextOnGlass(CDC* pDC, CString strText, CRect rect, DWORD dwFlags, int nGlowSize,
                                              COLORREF clrText)
{
    calls.push_back({"DrawTextOnGlass", rect, {(int)dwFlags, nGlowSize, (int)clrText}});
    return CZUDPVisualManager::DrawTextOnGlass(pDC, strText, rect, dwFlags, nGlowSize, clrText);
}

RecordingManagerScope::RecordingManagerScope()
{
    CZUDPVisualManager::SetDefaultManager(CRecordingVisualManager::Class());
    m_manager = static_cast<CRecordingVisualManager*>(CZUDPVisualManager::GetActiveManager());
}

RecordingManagerScope::~RecordingManagerScope()
{
    CZUDPVisualManager::SetDefaultManager(nullptr);
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
