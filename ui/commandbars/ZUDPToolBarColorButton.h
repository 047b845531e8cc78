#pragma once
// CZUDPToolBarColorButton: one row or cell of a colour bar: a colour cell
// (grid, document colour or the preview beside the other-colour row), the
// automatic row with its swatch, the other-colour row, or the caption of
// the document colours.  It draws itself and names its colour in its
// tooltip (g_colorNames, else "Hex={RR,GG,BB}").
#include "ui/commandbars/ZUDPToolbarButton.h"

class CZUDPColorBar;

class CZUDPToolBarColorButton : public CZUDPToolbarButton {
    DECLARE_SERIAL(CZUDPToolBarColorButton)
public:
    CZUDPToolBarColorButton();
    // A cell or row; a null caption is empty.
    CZUDPToolBarColorButton(COLORREF colorIn, BOOL bAutomatic, BOOL bOther, LPCTSTR lpszCaption, BOOL bSelected,
                            BOOL bDocument = FALSE, BOOL bPreview = FALSE);
    // The caption of a group (the document colours).
    CZUDPToolBarColorButton(LPCTSTR lpszCaption, BOOL bDocument);

    void DrawButton(CDC* pDC, const CRect& rect, CZUDPToolBarImages* pImages, BOOL bHorz = TRUE,
                    BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                    BOOL bGrayDisabledButtons = TRUE) override;
    void OnParentChanged(CWnd* pWndParent) override;
    BOOL FillToolInfo(CWnd* pWndBar, TOOLINFOA* pTI) override;

    // The text of the tooltip: the caption, or for a colour cell its name.
    CString TooltipText() const;
    // A cell of a colour (grid, document or preview), not a text row.
    BOOL IsColorCell() const { return !isAutomatic && !isOther && !isLabel; }

    COLORREF color = 0;
    BOOL selected = FALSE;
    BOOL isAutomatic = FALSE;
    BOOL isOther = FALSE;
    BOOL isLabel = FALSE;
    BOOL isDocument = FALSE;
    BOOL isPreview = FALSE;
    CZUDPColorBar* colorBar = nullptr;
};

// The name a colour is known by, for every colour cell of the library:
// "Hex={RR,GG,BB}" (red, green, blue in hexadecimal) unless the
// application entered a name in g_colorNames.
CString ColorTooltipText(COLORREF color);
