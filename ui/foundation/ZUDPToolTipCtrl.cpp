#include "ui/foundation/ZUDPToolTipCtrl.h"

#include "framework/win/FrameworkSeams.h"
#include "framework/win/GdiObject.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPMemDC.h"
#include "ui/foundation/ZUDPToolBarImages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/ribbon/ZUDPRibbonBar.h"
#include "ui/ribbon/ZUDPBaseRibbonElement.h"
#include "ui/ribbon/ZUDPOutlookBarPane.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CZUDPToolTipCtrl, CToolTipCtrl)

BEGIN_MESSAGE_MAP(CZUDPToolTipCtrl, CToolTipCtrl)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, &CZUDPToolTipCtrl::OnPrintClient)
    ON_WM_WINDOWPOSCHANGING()
    ON_NOTIFY_REFLECT(TTN_SHOW, &CZUDPToolTipCtrl::OnShow)
    ON_NOTIFY_REFLECT(TTN_POP, &CZUDPToolTipCtrl::OnPop)
END_MESSAGE_MAP()

CZUDPToolTipCtrl* CZUDPToolTipCtrl::s_firstLive = nullptr;

namespace {

// Tabs show as four spaces in labels and descriptions.
CString ExpandTabs(const CString& str)
{
    CString result = str;
    result.Replace("\t", "    ");
    return result;
}

// The icon width above which the large-image fixed width applies.
const int kLargeIconWidth = 32;

} // namespace

CZUDPToolTipCtrl::CZUDPToolTipCtrl(const ZUDP_TOOLTIP_PARAMS* pParams)
{
    SetParams(pParams);
    m_nextLive = s_firstLive;
    s_firstLive = this;
}

CZUDPToolTipCtrl::~CZUDPToolTipCtrl()
{
    for (CZUDPToolTipCtrl** pp = &s_firstLive; *pp != nullptr; pp = &(*pp)->m_nextLive) {
        if (*pp == this) {
            *pp = m_nextLive;
            break;
        }
    }
}

void CZUDPToolTipCtrl::SetParams(const ZUDP_TOOLTIP_PARAMS* pParams)
{
    m_params = pParams != nullptr ? *pParams : ZUDP_TOOLTIP_PARAMS();
}

void CZUDPToolTipCtrl::ForgetButton(const void* pButton)
{
    if (pButton == nullptr)
        return;
    for (CZUDPToolTipCtrl* p = s_firstLive; p != nullptr; p = p->m_nextLive) {
        if (p->m_hotButton == pButton) {
            p->m_hotButton = nullptr;
            p->m_iconImages = nullptr;
        }
        if (p->m_hotRibbonButton == pButton)
            p->m_hotRibbonButton = nullptr;
    }
}

// ---------------------------------------------------------------------------
// Creation

int CZUDPToolTipCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CToolTipCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_owningToolBar = nullptr;
    CWnd* pParent = CWnd::FromHandlePermanent(lpCreateStruct->hwndParent);
    if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CZUDPToolBar)) &&
        !pParent->IsKindOf(RUNTIME_CLASS(CZUDPOutlookBarPane)))
        m_owningToolBar = static_cast<CZUDPToolBar*>(pParent);
    ModifyStyle(WS_BORDER, m_params.values[TTPARAM_BALLOON] ? TTS_BALLOON : 0);
    return 0;
}

// ---------------------------------------------------------------------------
// The hot button and its icon

void CZUDPToolTipCtrl::UpdateHotButton()
{
    m_hotButton = nullptr;
    m_iconImages = nullptr;
    if (m_hotRibbonButton != nullptr || m_owningToolBar == nullptr || m_owningToolBar->GetSafeHwnd() == nullptr)
        return;

    CPoint point;
    g_frameworkSeams.cursorPos(&point);
    m_owningToolBar->ScreenToClient(&point);
    const int nIndex = m_owningToolBar->HitTest(point);
    if (nIndex < 0)
        return;
    m_hotButton = m_owningToolBar->GetButtonAt(nIndex);
    if (m_hotButton == nullptr)
        return;

    if (m_owningToolBar->m_bLocked)
        m_iconImages = m_owningToolBar->GetLockedMenuImages();
    else if (m_hotButton->usesUserImage)
        m_iconImages = g_sharedUserImages;
    else
        m_iconImages = g_sharedMenuImages.GetCount() > 0 ? &g_sharedMenuImages : &g_sharedToolbarImages;
}

CSize CZUDPToolTipCtrl::GetIconSize()
{
    if (m_hotRibbonButton != nullptr) {
        CZUDPRibbonButton* pButton = m_hotRibbonButton;
        if (!pButton->HasImage())
            return CSize(0, 0);
        if (pButton->HasOwnIcon()) {
            m_ribbonImageForm = pButton->IsLargeForm() ? 0 : 1;
            return pButton->GetImageSize(m_ribbonImageForm);
        }
        if (pButton->IsLargeForm() && pButton->m_nLargeImageIndex >= 0) {
            const CSize size = pButton->GetImageSize(0);
            if (size != CSize(0, 0)) {
                m_ribbonImageForm = 0;
                return size;
            }
        }
        m_ribbonImageForm = 1;
        if (pButton->m_nSmallImageIndex >= 0)
            return pButton->GetImageSize(1);
        return CSize(0, 0);
    }

    if (m_hotButton != nullptr && m_iconImages != nullptr && m_iconImages->GetCount() > 0) {
        const int nImage = m_hotButton->usesUserImage ? m_hotButton->userImageIndex : m_hotButton->imageIndex;
        if (nImage < 0)
            return CSize(0, 0);
        return m_iconImages->GetImageSize();
    }
    return CSize(0, 0);
}

int CZUDPToolTipCtrl::GetFixedWidth()
{
    const double dScale = g_uiEnvironment.GetDpiScale();
    const int nThreshold = (int)(kLargeIconWidth * dScale);
    return m_iconSize.cx > nThreshold ? m_fixedWidthLargeImage : m_fixedWidthRegular;
}

void CZUDPToolTipCtrl::SetDescription(const CString& strDescription)
{
    UpdateHotButton();
    m_description = ExpandTabs(strDescription);
}

// ---------------------------------------------------------------------------
// Showing and hiding

void CZUDPToolTipCtrl::OnShow(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    m_showMeasured = FALSE;
    m_showPositioned = FALSE;

    if (m_params.values[TTPARAM_FROM_VISUAL_MANAGER]) {
        CZUDPVisualManager::GetActiveManager()->GetToolTipParams(m_params, (UINT)-1);
        m_params.values[TTPARAM_FROM_VISUAL_MANAGER] = 1;
    }
    if (m_params.values[TTPARAM_BALLOON])
        return;

    CPoint ptCursor;
    g_frameworkSeams.cursorPos(&ptCursor);
    UpdateHotButton();

    m_iconSize = m_params.values[TTPARAM_DRAW_ICON] ? GetIconSize() : CSize(0, 0);
    if (m_params.values[TTPARAM_ROUNDED_CORNERS])
        m_margins = CPoint(6, 4);
    else
        m_margins = CPoint(4, 2);

    CSize sizeLabel;
    CSize sizeDescription(0, 0);
    CSize sizeContent;
    {
        CClientDC dc(this);
        CRect rectClient;
        GetClientRect(rectClient);
        sizeLabel = OnDrawLabel(&dc, rectClient, TRUE);
        if (m_params.values[TTPARAM_DRAW_DESCRIPTION] && !m_description.IsEmpty()) {
            sizeDescription = OnDrawDescription(&dc, rectClient, TRUE);
            sizeContent.cy = sizeLabel.cy + sizeDescription.cy + 2 * m_margins.y;
            sizeContent.cx = std::max(sizeLabel.cx, sizeDescription.cx);
        } else {
            sizeContent = sizeLabel;
        }
    }
    sizeContent.cy = std::max(sizeContent.cy, m_iconSize.cy);
    if (m_iconSize.cx > 0 && m_params.values[TTPARAM_DRAW_ICON])
        sizeContent.cx += m_iconSize.cx + m_margins.x;

    int cx = sizeContent.cx + 2 * m_margins.x;
    const int cy = sizeContent.cy + 2 * m_margins.y;
    const int nFixedWidth = GetFixedWidth();
    if (nFixedWidth > 0 && sizeDescription != CSize(0, 0))
        cx = std::max(cx, nFixedWidth);

    CRect rectWindow;
    GetWindowRect(rectWindow);
    const CPoint ptSystem = rectWindow.TopLeft();
    int x = ptSystem.x;
    int y = ptSystem.y;
    if (m_fixedPosition != CPoint(-1, -1)) {
        x = m_fixedPosition.x;
        y = m_fixedPosition.y;
        *pResult = 1;
    }

    CRect rectWork;
    if (!g_foundationSeams.monitorWorkArea(ptSystem, &rectWork))
        g_foundationSeams.primaryWorkArea(&rectWork);

    const int nBottom = std::max<int>(y + cy + 2, ptCursor.y + ::GetSystemMetrics(SM_CYCURSOR) + cy);
    if (nBottom > rectWork.bottom) {
        y = ptCursor.y - cy - 1;
        if (m_hotRibbonButton != nullptr && m_fixedPosition != CPoint(-1, -1)) {
            CZUDPRibbonBar* pRibbon = m_hotRibbonButton->GetOwningRibbonBar();
            if (pRibbon != nullptr && pRibbon->GetSafeHwnd() != nullptr) {
                CRect rectRibbon;
                pRibbon->GetWindowRect(rectRibbon);
                y = rectRibbon.top - cy;
            }
        }
        *pResult = 1;
    }
    if (x + cx + 2 > rectWork.right) {
        if (*pResult == 1) {
            x = ptCursor.x - cx - 1;
        } else {
            x = rectWork.right - cx - 1;
            *pResult = 1;
        }
    }
    if (*pResult == 1) {
        // Moved above or left of the cursor, the tip may now cross the work
        // area's top or left edge: keep it inside (the top-left wins when
        // the tip is larger than the work area).
        x = std::max<int>(std::min<int>(x, rectWork.right - cx), rectWork.left);
        y = std::max<int>(std::min<int>(y, rectWork.bottom - cy), rectWork.top);
        m_showRect = CRect(x, y, x + cx, y + cy);
        m_showPositioned = TRUE;
        m_showMeasured = TRUE;
        SetWindowPos(nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        m_showRect = CRect(ptSystem.x, ptSystem.y, ptSystem.x + cx, ptSystem.y + cy);
        m_showMeasured = TRUE;
        SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    if (m_params.values[TTPARAM_ROUNDED_CORNERS]) {
        CRgn rgn;
        rgn.CreateRoundRectRgn(0, 0, cx + 1, cy + 1, 4, 4);
        SetWindowRgn((HRGN)rgn.Detach(), FALSE);
    }
    SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CZUDPToolTipCtrl::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    CToolTipCtrl::OnWindowPosChanging(lpwndpos);
    // The system control may size (and place) the tip again after it asked
    // us: the measured rectangle of this show stays.
    if (!m_showMeasured || m_params.values[TTPARAM_BALLOON])
        return;
    if (!(lpwndpos->flags & SWP_NOSIZE)) {
        lpwndpos->cx = m_showRect.Width();
        lpwndpos->cy = m_showRect.Height();
    }
    if (m_showPositioned && !(lpwndpos->flags & SWP_NOMOVE)) {
        lpwndpos->x = m_showRect.left;
        lpwndpos->y = m_showRect.top;
    }
}

void CZUDPToolTipCtrl::OnPop(NMHDR*, LRESULT* pResult)
{
    m_hotButton = nullptr;
    m_iconImages = nullptr;
    m_description.Empty();
    m_fixedPosition = CPoint(-1, -1);
    m_hotRibbonButton = nullptr;
    m_ribbonImageForm = 0;
    m_showMeasured = FALSE;
    m_showPositioned = FALSE;
    *pResult = 0;
}

// ---------------------------------------------------------------------------
// Painting

void CZUDPToolTipCtrl::OnPaint()
{
    if (m_params.values[TTPARAM_BALLOON]) {
        CToolTipCtrl::OnPaint();
        return;
    }
    CPaintDC dcPaint(this);
    CZUDPMemDC memDC(dcPaint, this);
    DrawTip(&memDC.GetDC());
}

LRESULT CZUDPToolTipCtrl::OnPrintClient(WPARAM wParam, LPARAM)
{
    if (m_params.values[TTPARAM_BALLOON])
        return Default();
    CDC* pDC = CDC::FromHandle((HDC)wParam);
    if (pDC != nullptr)
        DrawTip(pDC);
    return 0;
}

BOOL CZUDPToolTipCtrl::OnEraseBkgnd(CDC* pDC)
{
    if (m_params.values[TTPARAM_BALLOON])
        return CToolTipCtrl::OnEraseBkgnd(pDC);
    CRect rect;
    GetClientRect(rect);
    COLORREF clrText = 0;
    COLORREF clrLine = 0;
    OnFillBackground(pDC, rect, clrText, clrLine);
    return TRUE;
}

void CZUDPToolTipCtrl::DrawTip(CDC* pDC)
{
    // The hot button was looked up when the tip was measured; a button
    // removed from its bar since then is not drawn.
    if (m_hotButton != nullptr &&
        (m_owningToolBar == nullptr || m_owningToolBar->IndexOfButton(m_hotButton) < 0)) {
        m_hotButton = nullptr;
        m_iconImages = nullptr;
    }

    CRect rect;
    GetClientRect(rect);
    CRect rectMargin;
    GetMargin(rectMargin);
    CRect rectText = rect;
    rectText.left += rectMargin.left;
    rectText.top += rectMargin.top;
    rectText.right -= rectMargin.right;
    rectText.bottom -= rectMargin.bottom;
    rectText.DeflateRect(m_margins.x, m_margins.y);

    const COLORREF clrInfoText = ::GetSysColor(COLOR_INFOTEXT);
    COLORREF clrLine = m_params.values[TTPARAM_BORDER_COLOR] == -1 ? clrInfoText
                                                                    : (COLORREF)m_params.values[TTPARAM_BORDER_COLOR];
    COLORREF clrText = m_params.values[TTPARAM_TEXT_COLOR] == -1 ? clrInfoText
                                                                  : (COLORREF)m_params.values[TTPARAM_TEXT_COLOR];
    OnFillBackground(pDC, rect, clrText, clrLine);

    CPen pen(PS_SOLID, 1, clrLine);
    CPen* pOldPen = pDC->SelectObject(&pen);
    OnDrawBorder(pDC, rect, clrLine);

    if (m_iconSize != CSize(0, 0) && m_params.values[TTPARAM_DRAW_ICON]) {
        CRect rectImage(rectText.TopLeft(), m_iconSize);
        OnDrawIcon(pDC, rectImage);
        rectText.left += m_iconSize.cx + m_margins.x;
    }

    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(clrText);
    const CSize sizeLabel = OnDrawLabel(pDC, rectText, FALSE);

    if (!m_description.IsEmpty() && m_params.values[TTPARAM_DRAW_DESCRIPTION]) {
        CRect rectDescription = rectText;
        rectDescription.top = rectText.top + sizeLabel.cy + (3 * m_margins.y) / 2;
        if (m_params.values[TTPARAM_DRAW_SEPARATOR])
            OnDrawSeparator(pDC, rectDescription.left, rectDescription.right,
                            rectDescription.top - m_margins.y / 2);
        OnDrawDescription(pDC, rectDescription, FALSE);
    }
    pDC->SelectObject(pOldPen);
}

void CZUDPToolTipCtrl::OnFillBackground(CDC* pDC, CRect rect, COLORREF& clrText, COLORREF& clrLine)
{
    const int nFill = m_params.values[TTPARAM_FILL_COLOR];
    const int nGradient = m_params.values[TTPARAM_GRADIENT_COLOR];
    if (nFill == -1) {
        CZUDPVisualManager::GetActiveManager()->FillToolTip(pDC, this, rect, clrText, clrLine);
    } else if (nGradient == -1) {
        CBrush brush((COLORREF)nFill);
        pDC->FillRect(rect, &brush);
    } else {
        const int nAngle = m_params.values[TTPARAM_GRADIENT_ANGLE] == -1 ? 90 : m_params.values[TTPARAM_GRADIENT_ANGLE];
        CZUDPDrawManager dm(*pDC);
        dm.FillAngleGradient(rect, (COLORREF)nGradient, (COLORREF)nFill, nAngle);
    }
}

void CZUDPToolTipCtrl::OnDrawBorder(CDC* pDC, CRect rect, COLORREF clrLine)
{
    if (!m_params.values[TTPARAM_ROUNDED_CORNERS]) {
        pDC->Draw3dRect(rect, clrLine, clrLine);
        return;
    }
    const POINT outline[] = {
        {rect.left + 2, rect.top},
        {rect.right - 3, rect.top},
        {rect.right - 1, rect.top + 2},
        {rect.right - 1, rect.bottom - 3},
        {rect.right - 3, rect.bottom - 1},
        {rect.left + 2, rect.bottom - 1},
        {rect.left, rect.bottom - 3},
        {rect.left, rect.top + 2},
        {rect.left + 2, rect.top},
    };
    pDC->Polyline(outline, (int)(sizeof(outline) / sizeof(outline[0])));
}

BOOL CZUDPToolTipCtrl::OnDrawIcon(CDC* pDC, CRect rectImage)
{
    if (m_hotRibbonButton != nullptr) {
        CZUDPRibbonButton* pButton = m_hotRibbonButton;
        const BOOL bDisabled = pButton->m_bIsDisabled;
        pButton->m_bIsDisabled = FALSE;
        pButton->DrawImage(pDC, m_ribbonImageForm, rectImage);
        pButton->m_bIsDisabled = bDisabled;
        return TRUE;
    }
    if (m_hotButton == nullptr || m_iconImages == nullptr)
        return FALSE;

    CZUDPImageDrawState ds;
    if (!m_iconImages->BeginDrawing(ds))
        return FALSE;
    const UINT nStyle = m_hotButton->style;
    const BOOL bText = m_hotButton->showText;
    const BOOL bImage = m_hotButton->showImage;
    const BOOL bLargeIcons = g_largeIcons;
    m_hotButton->style = 0;
    m_hotButton->showText = FALSE;
    m_hotButton->showImage = TRUE;
    g_largeIcons = FALSE;
    m_hotButton->DrawButton(pDC, rectImage, m_iconImages, TRUE, FALSE, FALSE, TRUE, TRUE);
    m_hotButton->style = nStyle;
    m_hotButton->showText = bText;
    m_hotButton->showImage = bImage;
    g_largeIcons = bLargeIcons;
    m_iconImages->FinishDrawing(ds);
    return TRUE;
}

CString CZUDPToolTipCtrl::GetLabel()
{
    CString strLabel;
    GetWindowText(strLabel);
    return strLabel;
}

CSize CZUDPToolTipCtrl::OnDrawLabel(CDC* pDC, CRect rect, BOOL bCalcOnly)
{
    const CString strLabel = ExpandTabs(GetLabel());
    const BOOL bDescriptionShown = m_params.values[TTPARAM_DRAW_DESCRIPTION] && !m_description.IsEmpty();
    CFont* pFont = m_params.values[TTPARAM_BOLD_LABEL] && bDescriptionShown ? &g_uiEnvironment.m_fontBold
                                                                           : &g_uiEnvironment.m_fontStatus;
    CFont* pOldFont = pDC->SelectObject(pFont);

    CSize size;
    if (strLabel.Find('\n') >= 0) {
        size.cy = pDC->DrawText(strLabel, rect, DT_NOPREFIX | (bCalcOnly ? DT_CALCRECT : 0));
        size.cx = rect.Width();
    } else if (bCalcOnly) {
        size = pDC->GetTextExtent(strLabel);
    } else {
        UINT nFormat = DT_SINGLELINE | DT_NOCLIP;
        if (!bDescriptionShown)
            nFormat |= DT_VCENTER;
        if (m_hotRibbonButton != nullptr)
            nFormat |= DT_NOPREFIX;
        size.cy = pDC->DrawText(strLabel, rect, nFormat);
        size.cx = rect.Width();
    }
    pDC->SelectObject(pOldFont);
    return size;
}

CSize CZUDPToolTipCtrl::OnDrawDescription(CDC* pDC, CRect rect, BOOL bCalcOnly)
{
    if (!m_params.values[TTPARAM_DRAW_DESCRIPTION])
        return CSize(0, 0);
    CFont* pOldFont = pDC->SelectObject(&g_uiEnvironment.m_fontStatus);
    const int nFixedWidth = GetFixedWidth();
    if (nFixedWidth > 0 && m_iconSize.cx <= kLargeIconWidth) {
        rect.right = rect.left + nFixedWidth;
        if (m_iconSize.cx > 0 && m_params.values[TTPARAM_DRAW_ICON])
            rect.right -= m_iconSize.cx + m_margins.x;
    } else {
        rect.right = rect.left + m_params.values[TTPARAM_MAX_DESCR_WIDTH];
    }
    CSize size;
    size.cy = pDC->DrawText(m_description, rect, DT_WORDBREAK | (bCalcOnly ? DT_CALCRECT : 0));
    size.cx = rect.Width();
    pDC->SelectObject(pOldFont);
    return size;
}

void CZUDPToolTipCtrl::OnDrawSeparator(CDC* pDC, int xFrom, int xTo, int y)
{
    pDC->MoveTo(xFrom, y);
    pDC->LineTo(xTo, y);
}
