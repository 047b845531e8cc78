#include "app/win/GDialogManager.h"

CGDialogManager::~CGDialogManager()
{
    RemoveAllControls();
}

void CGDialogManager::RecordClientRect(CWnd* dialog)
{
    m_clientRect.SetRectEmpty();
    if (dialog == nullptr || AfxSafeHwnd(dialog) == nullptr)
        return;
    dialog->GetClientRect(&m_clientRect);
    dialog->ClientToScreen(&m_clientRect);
}

BOOL CGDialogManager::RegisterControl(CWnd* control, UINT anchorFlags)
{
    if (control == nullptr || AfxSafeHwnd(control) == nullptr)
        return FALSE;
    CControlAnchor* anchor = new CControlAnchor;
    anchor->m_control = control;
    control->GetWindowRect(&anchor->m_rect);
    anchor->m_rect.OffsetRect(-m_clientRect.left, -m_clientRect.top);
    anchor->m_flags = anchorFlags;
    anchor->m_next = m_firstControl;
    m_firstControl = anchor;
    return TRUE;
}

void CGDialogManager::ApplySizeChange(int dx, int dy)
{
    for (CControlAnchor* anchor = m_firstControl; anchor != nullptr; anchor = anchor->m_next) {
        HWND hWnd = AfxSafeHwnd(anchor->m_control);
        if (hWnd == nullptr || !::IsWindow(hWnd))
            continue;
        const CRect& rect = anchor->m_rect;
        int x = rect.left;
        int y = rect.top;
        int cx = rect.Width();
        int cy = rect.Height();
        if (anchor->m_flags & kAnchorMoveRight)
            x += dx;
        if (anchor->m_flags & kAnchorMoveDown)
            y += dy;
        if (anchor->m_flags & kAnchorGrowWidth)
            cx += dx;
        if (anchor->m_flags & kAnchorGrowHeight)
            cy += dy;
        if (cx < 0)
            cx = 0;
        if (cy < 0)
            cy = 0;
        ::SetWindowPos(hWnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CGDialogManager::RemoveAllControls()
{
    while (m_firstControl != nullptr) {
        CControlAnchor* next = m_firstControl->m_next;
        delete m_firstControl;
        m_firstControl = next;
    }
}

int CGDialogManager::GetControlCount() const
{
    int count = 0;
    for (const CControlAnchor* anchor = m_firstControl; anchor != nullptr; anchor = anchor->m_next)
        ++count;
    return count;
}
