#pragma once
// CZUDPDockBarRow: one band of a dock bar, across its whole length and as
// thick as its thickest bar, in which control bars sit one after another.
// Its position is an offset from the dock bar's top edge (horizontal dock
// bars) or left edge (vertical ones).  The row keeps its bars in order
// along it without overlap and shares its length among them: when they do
// not fit, bars shrink from the row's end; free length goes back to them
// from its start.
//
// A bar pushed by a dragged neighbour, or squeezed by a shorter row, keeps
// its virtual rectangle (where it would like to be, at its full length);
// when room comes back, bars grow back from the row's start and slide back
// towards their virtual places.
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
    // The row rectangle (screen) less the counted bars' lengths.
    virtual void GetRemainingRect(CRect& rect) const;
    // Places a bar in the row at its full size: at the rectangle's
    // position along the row (screen coordinates), else at the row start
    // or, with bAfterLast, after the last bar.
    virtual void AddBar(CZUDPControlBar* pBar, int nDockMethod, LPCRECT lpRect, BOOL bAfterLast = FALSE);
    // Places a dragged bar in the row with its grab point under the
    // cursor (or where it is), keeping its size.
    virtual void AddBarAtCursor(CZUDPControlBar* pBar, BOOL bAtCursor);
    // Takes a bar out; the others get its length back.  An emptied row is
    // removed from its dock bar (and deleted).
    virtual void RemoveBar(CZUDPBaseControlBar* pBar);
    // Lays the counted bars out in list order from the row start plus
    // nStart, nGap apart (bars that continue a group overlap by a pixel).
    virtual void ArrangeBars(int nStart, int nGap);
    virtual int ExtensionHook() { return 0; }
    // The thickness grows by the delta; the bars refresh their placement.
    virtual int ResizeHeight(int nDelta);
    // The row moves across the rows by the delta, its bars with it.
    virtual void ShiftRow(int nDelta);
    virtual BOOL IsEmpty() const { return m_lstBars.IsEmpty(); }
    // Lays the bars out again without overlap, inside the row (a bar that
    // was just placed keeps its place and pushes the others); bars that
    // do not fit shrink from the row's end.
    virtual void RepositionBars(CZUDPBaseControlBar* pBar);
    // Follows a change of the dock bar's length (rectClient: its new
    // client rectangle; nType 2 a width change, 6 a height change, -1 no
    // change; bGrow: it grew).  Shrinking squeezes bars from the row's
    // end; growing gives length back from the start and slides bars back
    // towards their virtual places.
    virtual void AdjustToLength(const CRect& rectClient, int nType, BOOL bGrow, int nAmount);
    // The row is visible when one of its bars is.
    virtual void UpdateVisibility(BOOL bDelay);
    virtual void SetVisible(BOOL bVisible, BOOL bDelay);
    // Shows or hides a bar of the row; FALSE when it is not in the row.
    virtual BOOL ShowBarInRow(CZUDPBaseControlBar* pBar, BOOL bShow, BOOL bDelay);
    // A bar of the row changed its size (its WM_SIZE); nothing here.
    virtual void OnBarSizeChanged(CZUDPBaseControlBar* pBar) { (void)pBar; }
    virtual BOOL IsVisible() const { return m_bVisible; }
    // The new bar takes the old one's place; FALSE when that is not here.
    virtual BOOL ReplaceBar(CZUDPBaseControlBar* pOld, CZUDPBaseControlBar* pNew);
    // The row's length minus the counted bars' lengths (window or virtual
    // rectangles); negative when they do not fit.
    virtual int GetAvailableLength(BOOL bUseVirtualRects) const;
    // A bar of the row wants the row to itself.
    virtual BOOL HasOwnRowBar() const;
    // Into the list before the first bar that starts after it; the row
    // grows to the bar's thickness; the bars are laid out again.
    virtual void InsertBarByPosition(CZUDPControlBar* pBar);

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
    // Moves a bar along the row to start at the row start plus an offset.
    void MoveBarToOffset(CZUDPBaseControlBar* pBar, int nOffset);
    // The bars of the bar's group (from the group start before it to the
    // group end after it) are appended to the list.
    void CollectGroup(CZUDPControlBar* pBar, CObList& list) const;
    // Every bar repaints with its frame.
    void RedrawBars();
    // Lays the bars out on their layout rectangles, then moves the bars
    // whose layout rectangle differs from their window.
    void RelayoutUsingLayoutRects();

    BOOL IsHorizontal() const;
    int GetOffset() const { return m_nOffset; }
    int GetHeight() const { return m_nHeight; }
    CZUDPDockBar* GetDockBar() const { return m_pDockBar; }
    const CObList& GetBars() const { return m_lstBars; }
    BOOL ContainsBar(const CZUDPBaseControlBar* pBar) const;
    // Hidden bars count in the layout while set (a bar inserted before a
    // hidden target keeps its place).
    void IncludeHiddenBars(BOOL bInclude) { m_bIncludeHidden = bInclude; }

protected:
    // The bar counts in the row's layout.
    BOOL IsCounted(const CZUDPBaseControlBar* pBar) const;
    // The bar's window rectangle in dock-bar client coordinates.
    CRect BarRectInDockBar(const CZUDPBaseControlBar* pBar) const;
    // Along-the-row geometry of a bar's window (dock-bar client
    // coordinates).
    int StartOf(const CZUDPBaseControlBar* pBar) const;
    int LengthOf(const CZUDPBaseControlBar* pBar) const;
    int EndOf(const CZUDPBaseControlBar* pBar) const { return StartOf(pBar) + LengthOf(pBar); }
    // Moves a bar along the row by an amount (backwards when negative).
    void OffsetBar(CZUDPBaseControlBar* pBar, int nAmount);
    // The next counted bar after (forward) or before a position; the
    // position is left at it.
    CZUDPBaseControlBar* NextCounted(POSITION& pos, BOOL bForward) const;
    // From a bar in a direction, each next bar that overlaps the current
    // one is moved out of it.
    void ResolveOverlaps(POSITION posFrom, BOOL bForward);
    // Shifts bars from one by an amount in a direction: each following
    // bar moves by what is left after the gap before it.
    void ShiftBars(POSITION posFrom, int nAmount, BOOL bForward);
    // RepositionBars for a row ending at nRowEnd (dock-bar client
    // coordinates).
    void RepositionWithin(int nRowStart, int nRowEnd, CZUDPBaseControlBar* pBar);

    BOOL m_bIncludeHidden = FALSE;
    BOOL m_bVisible = TRUE;
    int m_nHeight;
    int m_nOffset;
    CObList m_lstBars;
    CZUDPDockBar* m_pDockBar;
    int m_nExtraThickness = 0;
};
