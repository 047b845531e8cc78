#include "ui/commandbars/ZUDPControlBarImpl.h"

#include "framework/win/DC.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

void CZUDPControlBarImpl::CalcNcSize(LPRECT lpRectClient)
{
    if (lpRectClient == nullptr)
        return;
    CRect rectBorders(0, 0, 0, 0);
    m_pBar->DeflateRectByBorders(rectBorders, m_pBar->IsHorizontal());
    lpRectClient->left += rectBorders.left;
    lpRectClient->top += rectBorders.top;
    lpRectClient->right += rectBorders.right;
    lpRectClient->bottom += rectBorders.bottom;
}

void CZUDPControlBarImpl::DrawNcArea(HRGN hRgnUpdate)
{
    if (m_pBar->GetSafeHwnd() == nullptr)
        return;
    CWindowDC dc(m_pBar);
    DrawNcAreaInto(&dc, hRgnUpdate);
}

void CZUDPControlBarImpl::DrawNcAreaInto(CDC* pDC, HRGN hRgnUpdate)
{
    CRect rectWindow;
    m_pBar->GetWindowRect(&rectWindow);
    CRect rectClient;
    m_pBar->GetClientRect(&rectClient);
    m_pBar->ClientToScreen(&rectClient);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    pDC->ExcludeClipRect(&rectClient);

    // Only the part of the update region that lies outside the client area
    // is painted; the caller's region is left as it was.
    if (hRgnUpdate != nullptr && hRgnUpdate != (HRGN)1 && ::GetObjectType(hRgnUpdate) == OBJ_REGION) {
        HRGN hRgnClip;
        if (m_pBar->GetExStyle() & WS_EX_LAYOUTRTL) {
            RECT rectBox;
            ::GetRgnBox(hRgnUpdate, &rectBox);
            hRgnClip = ::CreateRectRgn(rectWindow.right - rectBox.right, rectBox.top - rectWindow.top,
                                       rectWindow.right - rectBox.left, rectBox.bottom - rectWindow.top);
        } else {
            hRgnClip = ::CreateRectRgn(0, 0, 0, 0);
            ::CombineRgn(hRgnClip, hRgnUpdate, nullptr, RGN_COPY);
            ::OffsetRgn(hRgnClip, -rectWindow.left, -rectWindow.top);
        }
        ::ExtSelectClipRgn(pDC->GetSafeHdc(), hRgnClip, RGN_AND);
        ::DeleteObject(hRgnClip);
    }

    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    CRect rect = rectWindow;
    rect.OffsetRect(-rectWindow.left, -rectWindow.top);
    pManager->DrawBarBorder(pDC, m_pBar, rect);
    pDC->IntersectClipRect(&rect);
    pManager->FillBarBackground(pDC, m_pBar, rect, CRect(0, 0, 0, 0), TRUE);

    const DWORD dwStyle = m_pBar->GetBarStyle();
    if ((dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER) {
        CRect rectGripper;
        GetGripperRect(rectGripper, FALSE);
        if (!rectGripper.IsRectEmpty())
            pManager->DrawBarGripper(pDC, rectGripper, (dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0, m_pBar);
    }
    pDC->SelectClipRgn((CRgn*)nullptr);
}

void CZUDPControlBarImpl::GetGripperRect(CRect& rectGripper, BOOL bClient) const
{
    rectGripper.SetRectEmpty();
    if (m_pBar->GetSafeHwnd() == nullptr || m_pBar->GetParentDockBar() == nullptr)
        return;
    CRect rectWindow;
    m_pBar->GetWindowRect(&rectWindow);
    CRect rectClient;
    m_pBar->GetClientRect(&rectClient);
    m_pBar->ClientToScreen(&rectClient);
    const BOOL bRTL = (m_pBar->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    rectGripper = rectWindow;
    if (m_pBar->GetBarStyle() & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) {
        if (bRTL)
            rectGripper.left = rectClient.right - 1;
        else if (rectGripper.right > rectClient.left - 1)
            rectGripper.right = rectClient.left - 1;
    } else if (rectGripper.bottom > rectClient.top - 1) {
        rectGripper.bottom = rectClient.top - 1;
    }
    if (bClient)
        m_pBar->ScreenToClient(&rectGripper);
    else
        rectGripper.OffsetRect(-rectGripper.left, -rectGripper.top);
}

void CZUDPControlBarImpl::DrawParentBackground(CDC* pDC) { g_uiEnvironment.DrawParentBackground(m_pBar, pDC, nullptr); }
