#pragma once
// CZUDPColorMenuButton: a toolbar or menu button that drops down a colour
// palette (a CColorPopup hosting a CZUDPColorBar) with optional automatic,
// other-colour and document-colour entries.  It paints a strip of its
// colour under its image, keeps every button of its command on the same
// colour, archives its settings with the toolbar, and opens the library's
// colour dialog, or the system's, for other colours.
//
// g_commandColors remembers, per command, the colour last chosen by any
// colour menu button or colour bar.
#include "framework/Array.h"
#include "framework/Map.h"
#include "framework/String.h"
#include "framework/win/GdiObject.h"
#include "ui/commandbars/ZUDPColorBar.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"

class CZUDPColorMenuButton : public CZUDPToolbarMenuButton {
    DECLARE_SERIAL(CZUDPColorMenuButton)
public:
    CZUDPColorMenuButton();
    // A button of the command with its image, showing the colour.
    CZUDPColorMenuButton(UINT uiCmdID, LPCTSTR lpszText, CPalette* pPalette = nullptr, int iImage = -1);
    ~CZUDPColorMenuButton() override;

    void Serialize(CArchive& ar) override;
    void CopyFrom(const CZUDPToolbarButton& src) override;
    void DrawButton(CDC* pDC, const CRect& rect, CZUDPToolBarImages* pImages, BOOL bHorz = TRUE,
                    BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                    BOOL bGrayDisabledButtons = TRUE) override;
    void OnParentChanged(CWnd* pWndParent) override;
    int DrawInCommandList(CDC* pDC, const CRect& rect, BOOL bSelected) override;

    // --- new virtual operations, in order
    // The colour (-1: automatic); bNotify gives it to every other colour
    // menu button of the command and to the live colour bars of the command.
    virtual void SetColor(COLORREF color, BOOL bNotify = TRUE);
    // The library's colour dialog (or the system's with the standard-dialog
    // option) from the initial colour; TRUE with the colour on IDOK.
    virtual BOOL OpenColorDialog(COLORREF colorInitial, COLORREF& colorChosen);

    // --- options
    COLORREF GetColor() const { return m_Color; }
    void EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable = TRUE);
    void EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg = TRUE, BOOL bEnable = TRUE);
    void EnableDocumentColors(LPCTSTR lpszLabel, BOOL bEnable = TRUE);
    void SetColumnsNumber(int nColumns) { m_nColumns = nColumns; }

    // The colour popup of the button: its colours, the chosen colour, the
    // entries it shows and the document's colours (asked of the frame with
    // ZUDTOOLBAR__GETDOCUMENTCOLORS).
    CZUDPPopupMenu* CreatePopupMenuObject() override;
    // The popup holds a colour bar, not a menu: it opens without a menu.
    BOOL IsEmptyMenuAllowed() const override { return TRUE; }

    // The rectangle the colour strip is painted in, for an image drawn in
    // rectImage: 5 pixels high (10 with large icons outside menus).
    CRect ColorStripRect(const CRect& rectImage) const;

    // --- members, in order
    COLORREF m_Color = (COLORREF)-1;
    COLORREF m_colorAutomatic = 0;
    CArray<COLORREF, COLORREF> m_Colors;
    CPalette m_Palette;
    int m_nColumns = -1;
    int m_nVertDockColumns = -1;
    int m_nHorzDockRows = -1;
    BOOL m_bIsAutomaticButton = FALSE;
    BOOL m_bIsOtherButton = FALSE;
    BOOL m_bIsDocumentColors = FALSE;
    CString m_strAutomaticButtonLabel;
    CString m_strOtherButtonLabel;
    CString m_strDocumentColorsLabel;
    BOOL m_bStdColorDlg = FALSE;

protected:
    // Where the base drew the image (the strip goes under it).
    CRect m_rectImage;
};

// The popup of a colour menu button: a colour bar fills it.  It does not
// open while toolbars are customized; torn off, it leaves a free copy of
// its bar for the button's command.
class CColorPopup : public CZUDPPopupMenu {
public:
    CColorPopup(CZUDPColorMenuButton* pParentButton, const CArray<COLORREF, COLORREF>& colors, COLORREF color,
                LPCTSTR lpszAutomaticLabel, LPCTSTR lpszOtherLabel, LPCTSTR lpszDocumentLabel,
                const CList<COLORREF, COLORREF>& lstDocColors, int nColumns, int nRowsDockHorz, int nColumnsDockVert,
                COLORREF colorAutomatic, UINT uiCommandID);
    ~CColorPopup() override;

    CZUDPPopupMenuBar* GetMenuBar() override { return &m_wndColorBar; }
    CZUDPColorBar& GetColorBar() { return m_wndColorBar; }
    CZUDPControlBar* CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName) override;

protected:
    // Creates the colour bar in place of the popup's menu bar; the popup
    // deletes itself with its window, as every popup does.
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

    CZUDPColorBar m_wndColorBar;
    BOOL m_bEnabledInCustomizeMode = FALSE;
};

// The colour last chosen for each command by a colour menu button or a
// colour bar.
extern CMap<UINT, UINT, COLORREF, COLORREF> g_commandColors;
