#include "app/win/GSplitter.h"

IMPLEMENT_DYNAMIC(CGSplitter, CWnd)

BEGIN_MESSAGE_MAP(CGSplitter, CWnd)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_MESSAGE(WM_APP + 100, &CGSplitter::ForwardToParent)
    ON_MESSAGE(WM_APP + 101, &CGSplitter::ForwardToParent)
    ON_MESSAGE(WM_APP + 102, &CGSplitter::ForwardToParent)
    ON_MESSAGE(WM_APP + 103, &CGSplitter::ForwardToParent)
    ON_MESSAGE(WM_APP + 104, &CGSplitter::ForwardToParent)
    ON_MESSAGE(WM_APP + 105, &CGSplitter::ForwardToParent)
    ON_MESSAGE(WM_APP + 106, &CGSplitter::ForwardToParent)
    ON_MESSAGE(WM_APP + 107, &CGSplitter::ForwardToParent)
    ON_MESSAGE(WM_APP + 109, &CGSplitter::ForwardToParent)
END_MESSAGE_MAP()

BOOL CGSplitter::Create(CWnd* firstPane, CWnd* secondPane, CWnd* parent, int storedPosition, UINT id,
                        int minimumPane)
{
    m_firstPane = firstPane;
    m_secondPane = secondPane;
    m_storedPosition = storedPosition;
    m_minimumPane = minimumPane;
    m_position = kInitialPosition;
    LPCTSTR windowClass = AfxRegisterWndClass(0, nullptr, nullptr, nullptr);
    if (!CWnd::Create(windowClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), parent, id))
        return FALSE;
    m_cursor = ::LoadCursorA(nullptr, IDC_SIZENS);
    return TRUE;
}

void CGSplitter::Relayout()
{
    if (m_hWnd == nullptr)
        return;
    CRect rect;
    GetWindowRect(&rect);
    SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rect.Width(), rect.Height()));
}

void CGSplitter::OnSize(UINT, int cx, int cy)
{
    if (m_hWnd == nullptr || cx == 0 || cy == 0)
        return;
    if (cy - m_position < m_minimumPane)
        m_position = cy - m_minimumPane;
    if (m_position < m_minimumPane)
        m_position = m_minimumPane;
    if (!m_secondShown)
        m_position = cy;
    else if (!m_firstShown)
        m_position = 0;
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (m_firstPane && AfxSafeHwnd(m_firstPane))
        m_firstPane->SetWindowPos(nullptr, 0, 0, cx, m_position, flags);
    if (m_secondPane && AfxSafeHwnd(m_secondPane)) {
        int height = cy - m_position - kBarWidth;
        m_secondPane->SetWindowPos(nullptr, 0, m_position + kBarWidth, cx, height > 0 ? height : 0, flags);
    }
}

void CGSplitter::OnPaint()
{
    PAINTSTRUCT paint;
    HDC hdc = ::BeginPaint(m_hWnd, &paint);
    if (m_firstShown && m_secondShown) {
        CRect client;
        GetClientRect(&client);
        CRect bar(0, m_position, client.right, m_position + kBarWidth);
        ::FillRect(hdc, &bar, ::GetSysColorBrush(COLOR_3DFACE));
        HPEN pen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
        HGDIOBJ old = ::SelectObject(hdc, pen);
        ::MoveToEx(hdc, 3, m_position + 3, nullptr);
        ::LineTo(hdc, client.right - 3, m_position + 3);
        ::SelectObject(hdc, old);
        ::DeleteObject(pen);
    }
    ::EndPaint(m_hWnd, &paint);
}

void CGSplitter::OnLButtonDown(UINT, CPoint point)
{
    ClientToScreen(&point);
    m_dragStartY = point.y;
    m_dragStartPosition = m_position;
    SetCapture();
}

void CGSplitter::OnMouseMove(UINT, CPoint point)
{
    if (m_cursor)
        ::SetCursor(m_cursor);
    if (::GetCapture() != m_hWnd)
        return;
    ClientToScreen(&point);
    m_position = m_dragStartPosition + (point.y - m_dragStartY);
    if (m_position < m_minimumPane)
        m_position = m_minimumPane;
    Relayout();
    m_dragged = 1;
}

void CGSplitter::OnLButtonUp(UINT, CPoint)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (m_dragged) {
        m_dragged = 0;
        Invalidate();
    }
}

LRESULT CGSplitter::ForwardToParent(WPARAM wParam, LPARAM lParam)
{
    const MSG* message = GetCurrentMessage();
    CWnd* parent = GetParent();
    if (!parent || !message)
        return 0;
    return parent->SendMessage(message->message, wParam, lParam);
}
