#pragma once
// CZUDPDockBarRow: one band of a dock bar, across its whole length and as
// thick as its thickest bar, in which control bars sit one after another.
// Its position is an offset from the dock bar's top edge (horizontal dock
// bars) or left edge (vertical ones).  The row keeps its bars in order
// along it without overlap and shares its length among them: when they do
// not fit, bars shrink from the row's end; free length goes back to them
// from its start.
//
// This version places, removes, shows and hides bars, fits them to the
// row's length and moves a dragged bar along the row; the docking
// subsystem completes it (pushing and swapping neighbours, adapting to a
// change of the dock bar's length).
#include "framework/List.h"
#include "framework/Object.h"
#include "framework/Rect.h"
#include "framework/win/WinSdk.h"

class CZUDPBaseControlBar;
class CZUDPControlBar;
class CZUDPDockBar;

class CZUDPDockBarRow : public CObject {
    DECLARE_DYNAMIC(CZUDPDockBarRow)
public:
    CZUDPDockBarRow(CZUDPDockBar* pDockBar, int nOffset, int nHeight);

    virtual BOOL Create() { return TRUE; }
    // Bars that count: the visible ones (all while hidden ones are
    // included).
    virtual int GetVisibleBarCount() const;
    // The row's content: bar full sizes summed along the row, the
    // largest across it.  A hidden row answers 0x7FFF along and 0 across.
    virtual void CalcRowSize(CSize& size, BOOL bStretch, BOOL bHorz) const;
    // Places a bar in the row at its full size: at the rectangle's
    // position along the row (screen coordinates), else at the row start
    // or, with bAfterLast, after the last bar.
    virtual void AddBar(CZUDPControlBar* pBar, int nDockMethod, LPCRECT lpRect, BOOL bAfterLast = FALSE);
    // Takes a bar out; the others get its length back.  An emptied row is
    // removed from its dock bar (and deleted).
    virtual void RemoveBar(CZUDPBaseControlBar* pBar);
    // The thickness grows by the delta; the bars refresh their placement.
    virtual int ResizeHeight(int nDelta);
    // The row moves across the rows by the delta, its bars with it.
    virtual void ShiftRow(int nDelta);
    virtual BOOL IsEmpty() const { return m_lstBars.IsEmpty(); }
    // The row is visible when one of its bars is.
    virtual void UpdateVisibility(BOOL bDelay);
    virtual void SetVisible(BOOL bVisible, BOOL bDelay);
    // Shows or hides a bar of the row; FALSE when it is not in the row.
    virtual BOOL ShowBarInRow(CZUDPBaseControlBar* pBar, BOOL bShow, BOOL bDelay);
    // A bar of the row changed its size (its WM_SIZE); nothing here.
    virtual void OnBarSizeChanged(CZUDPBaseControlBar* pBar) { (void)pBar; }
    virtual BOOL IsVisible() const { return m_bVisible; }
    // The row's length minus the counted bars' lengths (window or virtual
    // rectangles); negative when they do not fit.
    virtual int GetAvailableLength(BOOL bUseVirtualRects) const;
    // A bar of the row wants the row to itself.
    virtual BOOL HasOwnRowBar() const;

    // A bar dragged by (dx, dy) moves along the row, as far as the row's
    // ends and its neighbours leave room.  Moves join the batch.
    void MoveBar(CZUDPControlBar* pBar, int dx, int dy, BOOL bSwapAllowed, HDWP& hdwp);
    // Free length goes to the bars from the first; bars that do not fit
    // shrink from the last; then the bars are laid out without overlap.
    void FitBarsToLength();
    // With bMove, counted bars away from their virtual rectangles move back
    // along the row (except one); without, every counted bar takes its
    // window as its virtual rectangle.
    void SyncBarPositions(BOOL bMove, CZUDPBaseControlBar* pBarExcept);
    // The row rectangle on the screen, and in dock-bar client coordinates
    // with the across-rows extent made relative to the row (0 .. height).
    void GetRowRect(CRect& rect) const;
    void GetRowRectInDockBar(CRect& rect) const;

    BOOL IsHorizontal() const;
    int GetOffset() const { return m_nOffset; }
    int GetHeight() const { return m_nHeight; }
    CZUDPDockBar* GetDockBar() const { return m_pDockBar; }
    const CObList& GetBars() const { return m_lstBars; }
    BOOL ContainsBar(const CZUDPBaseControlBar* pBar) const;

protected:
    // The bar counts in the row's layout.
    BOOL IsCounted(const CZUDPBaseControlBar* pBar) const;
    // The bar's window rectangle in dock-bar client coordinates.
    CRect BarRectInDockBar(const CZUDPBaseControlBar* pBar) const;
    // Lays the counted bars out in list order without overlap and inside
    // the row (bars that stick out at the end are pushed back).
    void ArrangeWithoutOverlap();

    BOOL m_bIncludeHidden = FALSE;
    BOOL m_bVisible = TRUE;
    int m_nHeight;
    int m_nOffset;
    CObList m_lstBars;
    CZUDPDockBar* m_pDockBar;
    int m_nExtraThickness = 0;
};
