#include "ui/controls/ZUDPStatic.h"

#include "ui/controls/ZUDPControlBackground.h"
#include "ui/foundation/ZUDPMemDC.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

IMPLEMENT_DYNCREATE(CZUDPStatic, CStatic)

BEGIN_MESSAGE_MAP(CZUDPStatic, CStatic)
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_ERASEBKGND()
    ON_WM_ENABLE()
    ON_MESSAGE(WM_SETTEXT, &CZUDPStatic::OnSetText)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLVMMODE, &CZUDPStatic::OnSetControlVMMode)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLAERO, &CZUDPStatic::OnSetControlAero)
END_MESSAGE_MAP()

BOOL CZUDPStatic::TextFormatOf(DWORD dwStyle, UINT& uFormat)
{
    switch (dwStyle & SS_TYPEMASK) {
    case SS_LEFT:
        uFormat = DT_WORDBREAK | DT_EXPANDTABS;
        break;
    case SS_CENTER:
        uFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_CENTER;
        break;
    case SS_RIGHT:
        uFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_RIGHT;
        break;
    case SS_SIMPLE:
        uFormat = DT_SINGLELINE;
        break;
    case SS_LEFTNOWORDWRAP:
        uFormat = DT_EXPANDTABS;
        break;
    default:
        // Icons, bitmaps, frames, rectangles: the platform's to paint.
        return FALSE;
    }
    if ((dwStyle & SS_NOPREFIX) != 0)
        uFormat |= DT_NOPREFIX;
    if ((dwStyle & SS_CENTERIMAGE) != 0)
        uFormat = (uFormat & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    // An ellipsis style shortens one line.
    switch (dwStyle & SS_ELLIPSISMASK) {
    case SS_ENDELLIPSIS:
        uFormat = (uFormat & ~DT_WORDBREAK) | DT_SINGLELINE | DT_END_ELLIPSIS;
        break;
    case SS_PATHELLIPSIS:
        uFormat = (uFormat & ~DT_WORDBREAK) | DT_SINGLELINE | DT_PATH_ELLIPSIS;
        break;
    case SS_WORDELLIPSIS:
        uFormat = (uFormat & ~DT_WORDBREAK) | DT_SINGLELINE | DT_WORD_ELLIPSIS;
        break;
    default:
        break;
    }
    return TRUE;
}

BOOL CZUDPStatic::PaintsItself() const
{
    UINT uFormat = 0;
    if (m_hWnd == nullptr || !TextFormatOf(GetStyle(), uFormat))
        return FALSE;
    if (IsOnGlass())
        return TRUE;
    return IsVisualManagerStyle() && !IsWindowEnabled() &&
           !CZUDPVisualManager::GetActiveManager()->EmbossesDisabledButtonText();
}

void CZUDPStatic::DrawStatic(CDC* pDC)
{
    UINT uFormat = 0;
    TextFormatOf(GetStyle(), uFormat);
    CRect rectClient;
    GetClientRect(rectClient);
    CString strText;
    GetWindowText(strText);

    FillControlBackground(this, pDC);
    CFont* pOldFont = CFont::FromHandle((HFONT)pDC->SelectObject(::GetStockObject(DEFAULT_GUI_FONT)));
    const BOOL bEnabled = IsWindowEnabled();
    if (IsOnGlass()) {
        CZUDPVisualManager::GetActiveManager()->DrawTextOnGlass(
            pDC, strText, rectClient, uFormat, 6,
            bEnabled ? g_uiEnvironment.m_colorBarText : g_uiEnvironment.m_colorGrayText);
    } else {
        const COLORREF clrOldText = pDC->SetTextColor(g_uiEnvironment.m_colorGrayText);
        const int nOldBkMode = pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(strText, rectClient, uFormat);
        pDC->SetBkMode(nOldBkMode);
        pDC->SetTextColor(clrOldText);
    }
    pDC->SelectObject(pOldFont);
}

void CZUDPStatic::OnPaint()
{
    if (!PaintsItself()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    CZUDPMemDC memDC(dc, this);
    DrawStatic(&memDC.GetDC());
}

void CZUDPStatic::OnPrintClient(CDC* pDC, UINT)
{
    if (!PaintsItself() || pDC == nullptr) {
        Default();
        return;
    }
    DrawStatic(pDC);
}

BOOL CZUDPStatic::OnEraseBkgnd(CDC* pDC)
{
    if (IsOnGlass())
        return TRUE;
    return CStatic::OnEraseBkgnd(pDC);
}

void CZUDPStatic::OnEnable(BOOL)
{
    Default();
    RedrawParentUnder(this);
}

LRESULT CZUDPStatic::OnSetText(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    RedrawParentUnder(this);
    return lResult;
}
