#pragma once
// CZUDPColorBar: a command bar that offers colours: an optional automatic
// row, a grid of colour cells, an optional group of the document's colours
// under a caption, and an optional "other colour" row that opens a colour
// dialog, with a preview cell of the chosen colour beside it while that
// colour is not in the grid.  Every row and cell is a
// CZUDPToolBarColorButton.
//
// The bar serves as the content of a colour popup (built with the full
// constructor; a torn-off popup leaves a floating, dockable copy made with
// the copy constructor), as a control in a dialog (CreateControl), and as
// the place where colour lists and 8-bit palettes are made for the colour
// buttons.
//
// A choice either ends the colour popup through the colour menu button that
// opened it, or (torn-off, docked and control bars) marks the colour on
// the bar, tells every colour menu button of the command, records it in
// g_commandColors and sends WM_COMMAND with the bar's command to its owner.
#include "framework/Array.h"
#include "framework/List.h"
#include "framework/win/CmdTarget.h"
#include "framework/win/GdiObject.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"

class CZUDPColorMenuButton;
class CZUDPToolBarColorButton;

class CZUDPColorBar : public CZUDPPopupMenuBar {
    DECLARE_SERIAL(CZUDPColorBar)
public:
    // A free bar (floating or docked) with no colours: made by name.
    CZUDPColorBar();
    // The content of a colour popup.  Null labels are empty (that row is not
    // shown); pOwnerControl is the colour button that owns the bar, always
    // null in this library (the bar then ends a choice with its command).
    CZUDPColorBar(const CArray<COLORREF, COLORREF>& colorsIn, COLORREF colorSelected, LPCTSTR lpszAutomaticLabel,
                  LPCTSTR lpszOtherLabel, LPCTSTR lpszDocumentLabel, const CList<COLORREF, COLORREF>& lstDocColors,
                  int nColumns, int nRowsDockHorz, int nColumnsDockVert, COLORREF colorAutomatic, UINT uiCommandID,
                  CWnd* pOwnerControl = nullptr);
    // The copy a torn-off colour popup leaves behind, for the command.
    CZUDPColorBar(const CZUDPColorBar& src, UINT uiCommandID);
    ~CZUDPColorBar() override;

    // --- colour lists and palettes
    // Builds the palette of the first 100 colours on an 8-bit display (the
    // old palette goes in any case); FALSE when nothing was built.
    static BOOL BuildPaletteFromColors(const CArray<COLORREF, COLORREF>& colorsIn, CPalette& paletteOut);
    // One colour per palette entry (the stock default palette when null).
    static void LoadColorsFromPalette(CPalette* pPalette, CArray<COLORREF, COLORREF>& colorsOut);
    // The colour's name from g_colorNames; FALSE when it has none.
    static BOOL GetColorName(COLORREF color, CString& strName);
    // Reads a stored colour list (its count, then the colours). The count
    // comes from stored state: it must fit in what is left of the archive
    // before anything is allocated, or the read throws.
    static void ReadColorList(CArchive& ar, CArray<COLORREF, COLORREF>& colorsOut);

    // --- options
    // Shows (bEnable) the other-colour row with the label; bUseLibraryDialog
    // chooses the library's colour dialog over the system's.
    void EnableOtherButton(LPCTSTR lpszLabel, BOOL bUseLibraryDialog = TRUE, BOOL bEnable = TRUE);
    void SetHorzMargin(int nMargin);
    void SetVertMargin(int nMargin);
    // Fits the cells to the client area (cells of at least 1 pixel); bSquare
    // makes them square, bCenter centres the content.
    void AdjustBoxSize(BOOL bSquare, BOOL bCenter);
    // Marks the colour as chosen (-1: automatic); the preview cell shows a
    // colour outside the grid.
    void SetSelectedColor(COLORREF color);
    COLORREF GetSelectedColor() const { return selectedColor; }
    // The colour menu button whose popup holds this bar, or null.
    CZUDPColorMenuButton* GetParentColorMenuButton() const;
    // Rows and columns of the grid for the docking orientation.
    void GetGridDimensions(BOOL bVertDock, int& nRows, int& nColumns) const;

    // --- overrides
    void Serialize(CArchive& ar) override;
    void PaintBar(CDC* pDC) override;
    CSize CalcSize(BOOL bVertDock) override;
    BOOL AllowShowTextLabels() const override { return FALSE; }
    void PositionButtons() override;
    BOOL AppearsInToolbarList() const override { return TRUE; }
    BOOL HandleButtonClick(CZUDPToolbarButton* pButton) override;
    void UpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL HandleKey(UINT nChar) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void SetHotButton(int iButton) override;
    void ShowCommandMessageString(UINT uiCmdId) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;

    // --- new virtual operations, in order
    virtual BOOL CreatePaletteBar(CWnd* pParentWnd, DWORD dwStyle, UINT nID, CPalette* pPalette = nullptr,
                                  int nColumns = 0, int nRowsDockHorz = 0, int nColumnsDockVert = 0);
    virtual BOOL CreateControl(CWnd* pParentWnd, const CRect& rect, UINT nID, int nColumns = -1,
                               CPalette* pPalette = nullptr);
    // Runs the colour dialog from the initial colour; TRUE with the colour
    // only when the user confirmed it.
    virtual BOOL OpenColorDialog(COLORREF colorInitial, COLORREF& colorChosen);
    // Deletes every row and cell and makes them again from the fields.
    virtual void RebuildButtons();

    // Selects the bar's palette into the DC on an 8-bit display (building it
    // first); answers the palette to select back, null when none was
    // selected.
    HPALETTE SelectColorPalette(CDC* pDC);

    // --- fields
    int columns = 0;
    int rowsWhenDockedHorz = 0;
    int columnsWhenDockedVert = 0;
    CArray<COLORREF, COLORREF> colors;
    CPalette palette;
    CSize boxSize = CSize(0, 0);
    int textRowHeight = 0;
    COLORREF selectedColor = (COLORREF)-1;
    COLORREF automaticColor = (COLORREF)-1;
    CString automaticLabel;
    CString otherLabel;
    CString documentLabel;
    CList<COLORREF, COLORREF> documentColors;
    UINT commandId = 0;
    BOOL useSystemColorDialog = FALSE;
    BOOL enabled = TRUE;
    BOOL dockable = TRUE;
    BOOL alwaysShowDocumentColors = FALSE;
    CPoint contentOffset = CPoint(0, 0);
    BOOL mouseInCustomizeMode = FALSE;
    int vertMargin = 4;
    int horzMargin = 4;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    LRESULT OnQueryNewPalette(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaletteChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // The height of the text rows and the document group for a column count.
    int TextRowsHeight(int nColumns) const;
    BOOL ShowsDocumentColors() const;
    BOOL IgnoresMouse() const;
};

// The colour bar's command-update object: remembers what the update
// handler asked for instead of changing a button.
class CZUDPColorCCmdUI : public CCmdUI {
public:
    CZUDPColorCCmdUI() = default;
    void Enable(BOOL bOn = TRUE) override
    {
        enabledFlag = bOn;
        m_bEnableChanged = TRUE;
    }
    BOOL enabledFlag = TRUE;
};
