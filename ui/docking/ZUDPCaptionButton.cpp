#include "ui/docking/ZUDPCaptionButton.h"

#include "framework/win/FrameworkSeams.h"
#include "framework/win/Wnd.h"
#include "ui/foundation/ZUDPContextMenuManager.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPVisualManager.h"

IMPLEMENT_DYNAMIC(CZUDPCaptionButton, CObject)
IMPLEMENT_DYNAMIC(CZUDPFrameCaptionButton, CZUDPCaptionButton)
IMPLEMENT_DYNAMIC(CZUDPCaptionMenuButton, CZUDPCaptionButton)

CSize CZUDPCaptionButton::GetSize()
{
    const CSize sizeGlyph = GetMenuGlyphSize();
    CSize sizeExtra(0, 0);
    if (CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager())
        sizeExtra = pManager->GetCaptionButtonExtraSize();
    return CSize(sizeGlyph.cx + 6 + sizeExtra.cx, sizeGlyph.cy + 8 + sizeExtra.cy);
}

CRect CZUDPCaptionButton::GetRect() const
{
    if (m_bHidden)
        return CRect(m_ptOrigin, CSize(0, 0));
    return CRect(m_ptOrigin, GetSize());
}

void CZUDPCaptionButton::Draw(CDC* pDC, BOOL bActive, BOOL bHorz, BOOL bMaximized, BOOL bDisabled)
{
    (void)bHorz;
    if (m_bHidden || pDC == nullptr)
        return;
    if (CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager())
        pManager->DrawCaptionButton(pDC, this, bActive, FALSE, bMaximized, bDisabled || !m_bEnabled, -1);
}

int CZUDPCaptionButton::GetMenuImageId(BOOL bHorz, BOOL bMaximized) const
{
    switch (m_nHit) {
    case 8: // menu (HTMENU)
        if (bHorz)
            return bMaximized ? MenuGlyphArrowLeft : MenuGlyphArrowRight;
        return bMaximized ? MenuGlyphLargeArrowDown : MenuGlyphArrowUp;
    case 9: // pin (HTMINBUTTON)
        return bMaximized ? MenuGlyphPinLoose : MenuGlyphPinPinned;
    case 19: // HTMAXBUTTON
    case 20: // close (HTCLOSE)
        return MenuGlyphClose;
    case 23: // back
        return MenuGlyphBack;
    case 24: // forward
        return MenuGlyphForward;
    case 25: // "Toolbar Options"
        return MenuGlyphLargeArrowDown;
    default:
        return -1;
    }
}

void CZUDPCaptionMenuButton::Draw(CDC* pDC, BOOL bActive, BOOL bHorz, BOOL bMaximized, BOOL bDisabled)
{
    (void)bHorz;
    if (m_bHidden || pDC == nullptr)
        return;
    if (CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager())
        pManager->DrawCaptionButton(pDC, this, bActive, FALSE, bMaximized, bDisabled, -1);
}

void CZUDPCaptionMenuButton::ShowMenu(HMENU hMenu, CWnd* pWndOwner)
{
    if (hMenu == nullptr || pWndOwner == nullptr || pWndOwner->GetSafeHwnd() == nullptr)
        return;
    const HWND hWndOwner = pWndOwner->GetSafeHwnd();
    CRect rectWindow;
    pWndOwner->GetWindowRect(&rectWindow);
    const CSize size = GetSize();
    const int x = rectWindow.left + m_ptOrigin.x + size.cx;
    const int y = rectWindow.top + m_ptOrigin.y + size.cy;

    auto repaint = [&] {
        if (!::IsWindow(hWndOwner))
            return;
        CRect rect = GetRect();
        ::InvalidateRect(hWndOwner, &rect, TRUE);
        ::SendMessageA(hWndOwner, WM_NCPAINT, 0, 0);
    };
    m_bMenuIsActive = TRUE;
    m_bDroppedDown = TRUE;
    m_bPushed = TRUE;
    repaint();
    if (m_bOSMenu || g_contextMenuManager == nullptr)
        m_nMenuResult = (int)g_frameworkSeams.trackPopupMenu(hMenu, TPM_NONOTIFY | TPM_RETURNCMD, x, y, hWndOwner,
                                                             nullptr);
    else
        m_nMenuResult = (int)g_contextMenuManager->TrackPopupMenu(hMenu, x, y, pWndOwner, TRUE);
    m_bMenuIsActive = FALSE;
    m_bDroppedDown = FALSE;
    m_bPushed = FALSE;
    repaint();
}
