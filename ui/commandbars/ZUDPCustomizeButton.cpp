#include "ui/commandbars/ZUDPCustomizeButton.h"

#include "framework/win/DC.h"
#include "res/ui/commandbars.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPVisualManager.h"

IMPLEMENT_SERIAL(CCustomizeButton, CZUDPToolbarMenuButton, VERSIONABLE_SCHEMA | 1)

CCustomizeButton::CCustomizeButton(int iCustomizeCmdId, const CString& strCustomizeText)
    : customizeCommandId(iCustomizeCmdId), customizeLabel(strCustomizeText)
{
}

void CCustomizeButton::CopyFrom(const CZUDPToolbarButton& src)
{
    CZUDPToolbarMenuButton::CopyFrom(src);
    const CCustomizeButton* pSrc = DYNAMIC_DOWNCAST(CCustomizeButton, const_cast<CZUDPToolbarButton*>(&src));
    if (pSrc == nullptr)
        return;
    customizeCommandId = pSrc->customizeCommandId;
    customizeLabel = pSrc->customizeLabel;
    collapsed = pSrc->collapsed;
    alignPopupRight = pSrc->alignPopupRight;
}

void CCustomizeButton::OnParentChanged(CWnd* pWndParent)
{
    CZUDPToolbarMenuButton::OnParentChanged(pWndParent);
    ownerToolbar = DYNAMIC_DOWNCAST(CZUDPToolBar, pWndParent);
    parentWnd = pWndParent;
    showText = FALSE;
    collapsed = FALSE;
}

SIZE CCustomizeButton::CalcSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    (void)pDC;
    if (collapsed)
        return CSize(0, 0);
    if (text.IsEmpty())
        text.LoadString(IDS_ZUDP_TOOLBAR_OPTIONS);
    if (ownerToolbar != nullptr && ownerToolbar->IsFloating())
        return CSize(0, 0);
    const int nMargin = CZUDPVisualManager::GetActiveManager()->GetChevronArrowStyle();
    const int k = g_largeIcons ? 2 : 1;
    const CSize sizeGlyph = GetMenuGlyphSize();
    if (bHorz)
        return CSize(k * sizeGlyph.cx + 2 * nMargin, sizeDefault.cy);
    return CSize(sizeDefault.cx, k * sizeGlyph.cy + 2 * nMargin);
}

void CCustomizeButton::DrawButton(CDC* pDC, const CRect& rect, CZUDPToolBarImages* pImages, BOOL bHorz,
                                  BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons)
{
    (void)pImages;
    (void)bDrawBorder;
    (void)bGrayDisabledButtons;
    if (pDC == nullptr || DYNAMIC_DOWNCAST(CZUDPPopupMenuBar, parentWnd) != nullptr)
        return;
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    const BOOL bOpen = IsDroppedDown();
    PaintBackground(pDC, rect, bHighlight || bOpen);

    const int nMargin = pManager->GetChevronArrowStyle();
    CSize sizeGlyph = GetMenuGlyphSize();
    if (g_largeIcons)
        sizeGlyph = CSize(sizeGlyph.cx * 2, sizeGlyph.cy * 2);
    const BOOL bPushed = (style & (TBBS_CHECKED | TBBS_PRESSED)) != 0 || bOpen;
    const CSize sizeShift = bPushed && !pManager->m_flatMenuLook ? CSize(1, 1) : CSize(0, 0);
    if (customizeCommandId > 0) {
        CRect rectArrow = rect;
        if (bHorz)
            rectArrow.top = rect.bottom - 2 * nMargin - sizeGlyph.cy;
        else
            rectArrow.right = rect.left + 2 * nMargin + sizeGlyph.cx;
        rectArrow.OffsetRect(sizeShift);
        DrawMenuGlyphCentered(pDC, bHorz ? MenuGlyphArrowDown : MenuGlyphArrowLeft, rectArrow,
                              MenuGlyphColorBlack, sizeGlyph);
    }
    if (!hiddenButtons.IsEmpty()) {
        CRect rectChevron = rect;
        if (bHorz)
            rectChevron.bottom = rect.top + 2 * nMargin + sizeGlyph.cy;
        else
            rectChevron.left = rect.right - 2 * nMargin - sizeGlyph.cx;
        rectChevron.OffsetRect(sizeShift);
        DrawMenuGlyphCentered(pDC, bHorz ? MenuGlyphChevronsRight : MenuGlyphChevronsDown, rectChevron,
                              MenuGlyphColorBlack, sizeGlyph);
    }
    if (!bCustomizeMode) {
        if (bPushed)
            pManager->DrawButtonBorder(pDC, this, rect, ZUDP_BUTTON_PUSHED);
        else if (bHighlight && (style & (TBBS_DISABLED | TBBS_INDETERMINATE | TBBS_CHECKED)) == 0)
            pManager->DrawButtonBorder(pDC, this, rect, ZUDP_BUTTON_HIGHLIGHTED);
    }
}
