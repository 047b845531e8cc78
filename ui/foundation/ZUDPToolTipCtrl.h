#pragma once
// The library's tooltip window.  It keeps the system tooltip control's
// tool management and timing and replaces its look: a label (bold when a
// description follows), the image of the toolbar or ribbon button under
// the mouse at the left, a word-wrapped description under the label with an
// optional separator line, a background from the visual manager or in the
// caller's colour or gradient, a square or rounded border.  It measures and
// places itself when it is about to show, inside the work area of the
// monitor it shows on.  In balloon mode the system does everything.
//
// The tooltip provider makes one per owner window and kind and gives it
// the kind's parameter record; the ribbon also fixes its widths and
// position and names the ribbon button it describes before each show.
#include "framework/String.h"
#include "framework/win/Controls.h"
#include "framework/win/DC.h"
#include "ui/foundation/ZUDPToolTipProvider.h"

class CZUDPToolBar;
class CZUDPToolbarButton;
class CZUDPToolBarImages;
class CZUDPRibbonButton;

class CZUDPToolTipCtrl : public CToolTipCtrl {
    DECLARE_DYNCREATE(CZUDPToolTipCtrl)
public:
    // Copies the record, or takes the defaults when null.
    explicit CZUDPToolTipCtrl(const ZUDP_TOOLTIP_PARAMS* pParams = nullptr);
    ~CZUDPToolTipCtrl() override;

    // Copies the thirteen values, or the defaults when null.
    void SetParams(const ZUDP_TOOLTIP_PARAMS* pParams);
    const ZUDP_TOOLTIP_PARAMS& GetParams() const { return m_params; }

    // The screen position of the next show; (-1, -1) places it near the
    // cursor again.
    void SetFixedPosition(int x, int y) { m_fixedPosition = CPoint(x, y); }
    CPoint GetFixedPosition() const { return m_fixedPosition; }
    // Minimum widths of a tooltip with a description: with an ordinary
    // icon and with a large one (0: none).
    void SetFixedWidth(int nWidthRegular, int nWidthLargeImage)
    {
        m_fixedWidthRegular = nWidthRegular;
        m_fixedWidthLargeImage = nWidthLargeImage;
    }
    // The ribbon button whose image is shown (null: none).
    void SetHotRibbonButton(CZUDPRibbonButton* pRibbonButton) { m_hotRibbonButton = pRibbonButton; }
    CZUDPRibbonButton* GetHotRibbonButton() const { return m_hotRibbonButton; }

    // The description of the next show; tabs become four spaces.  The hot
    // toolbar button is looked up again first.
    virtual void SetDescription(const CString& strDescription);
    const CString& GetDescription() const { return m_description; }
    // The size of the icon to show (0 x 0: none).
    virtual CSize GetIconSize();
    // The background; may change the text and border colours.
    virtual void OnFillBackground(CDC* pDC, CRect rect, COLORREF& clrText, COLORREF& clrLine);
    // The label: the text of the tool being shown.
    virtual CString GetLabel();
    virtual void OnDrawBorder(CDC* pDC, CRect rect, COLORREF clrLine);
    // TRUE when something was drawn.
    virtual BOOL OnDrawIcon(CDC* pDC, CRect rectImage);
    // The label's size; only measured when bCalcOnly.
    virtual CSize OnDrawLabel(CDC* pDC, CRect rect, BOOL bCalcOnly);
    // The description's size; only measured when bCalcOnly.
    virtual CSize OnDrawDescription(CDC* pDC, CRect rect, BOOL bCalcOnly);
    // A line from (xFrom, y) to (xTo, y) with the selected pen.
    virtual void OnDrawSeparator(CDC* pDC, int xFrom, int xTo, int y);

    // The toolbar button under the cursor on the owning toolbar (none with
    // a hot ribbon button), and the image list that holds its image.
    void UpdateHotButton();
    // The fixed width that applies to the current icon: the large-image
    // one for an icon wider than 32 pixels at the current scale.
    int GetFixedWidth();

    // Everything the control draws, onto a DC covering its client area
    // (the paint routine of WM_PAINT and WM_PRINTCLIENT).
    void DrawTip(CDC* pDC);

    // Forgets a toolbar or ribbon button that is going away, in every
    // tooltip control of the process (the hot buttons are borrowed).
    static void ForgetButton(const void* pButton);

    CZUDPToolBar* GetOwningToolBar() const { return m_owningToolBar; }
    CZUDPToolbarButton* GetHotButton() const { return m_hotButton; }
    CZUDPToolBarImages* GetIconImages() const { return m_iconImages; }
    int GetRibbonImageForm() const { return m_ribbonImageForm; }
    CSize GetIconSizeShown() const { return m_iconSize; }
    CPoint GetMargins() const { return m_margins; }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnShow(NMHDR* pNMHDR, LRESULT* pResult);
    void OnPop(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    // Members, in order.
    CZUDPToolBar* m_owningToolBar = nullptr;      // borrowed; the parent when it is a toolbar
    CZUDPToolBarImages* m_iconImages = nullptr;   // borrowed; holds the hot button's image
    CZUDPToolbarButton* m_hotButton = nullptr;    // borrowed; the button under the mouse
    CZUDPRibbonButton* m_hotRibbonButton = nullptr; // borrowed; set by the ribbon
    int m_ribbonImageForm = 0;                    // 0 large image, 1 small image
    CString m_description;
    CSize m_iconSize{0, 0};
    CPoint m_margins{0, 0};                       // horizontal, vertical
    CPoint m_fixedPosition{-1, -1};               // screen; (-1, -1) none
    int m_fixedWidthRegular = 0;
    int m_fixedWidthLargeImage = 0;
    ZUDP_TOOLTIP_PARAMS m_params;

private:
    // The window rectangle this show measured, kept while the tip is up so
    // that a system control that sizes its window again after TTN_SHOW
    // cannot undo it; m_showPositioned when the position is ours too.
    BOOL m_showMeasured = FALSE;
    BOOL m_showPositioned = FALSE;
    CRect m_showRect;
    CZUDPToolTipCtrl* m_nextLive = nullptr;  // the process's live controls
    static CZUDPToolTipCtrl* s_firstLive;
};
