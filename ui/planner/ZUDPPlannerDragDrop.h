#pragma once
// Drag and drop of planner appointments: the drop target of a planner
// control (or of a calendar that passes drops on its days to its planner)
// with scrolling while a drag hovers near the view's edges, and the drop
// source of a drag out of a planner control.
#include "framework/win/Ole.h"

class CWnd;
class CZUDPPlannerManagerCtrl;
class CZUDPCalendar;

class CZUDPPlannerDropTarget : public COleDropTarget {
    DECLARE_DYNAMIC(CZUDPPlannerDropTarget)
public:
    CZUDPPlannerDropTarget() = default;

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault, DROPEFFECT dropList,
                        CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
    // Scrolls the owner's view one step at a time while the cursor stays
    // in a band along the view's edges: first after the scroll delay, then
    // every scroll interval.
    DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point) override;

    // Registers the window (a planner control, or a calendar) as the drop
    // target; drops go to the planner control.
    BOOL RegisterOwner(CWnd* pOwner);
    CZUDPPlannerManagerCtrl* GetOwnerCtrl() const { return m_pOwnerCtrl; }
    CZUDPCalendar* GetOwnerCalendar() const { return m_pOwnerCalendar; }

    // The drag-scroll timing: the band's width, the wait before the first
    // step and between later steps (milliseconds).
    static const int nScrollInset = 11;
    static const UINT nScrollDelay = 50;
    static const UINT nScrollInterval = 50;

protected:
    CZUDPPlannerManagerCtrl* m_pOwnerCtrl = nullptr;
    CZUDPCalendar* m_pOwnerCalendar = nullptr;
    UINT m_nScrollCode = 0xFFFF;     // the band the cursor is in; 0xFFFF none
    DWORD m_dwLastTick = 0;
    UINT m_nScrollWait = nScrollDelay;
};

// The answers of a planner control while its appointments are dragged out.
class CZUDPPlannerDropSource : public COleDropSource {
    DECLARE_DYNAMIC(CZUDPPlannerDropSource)
public:
    CZUDPPlannerDropSource() = default;

    // Remembers the key state, then answers as the base does.
    SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) override;
    // The system's cursors once the drag really started, else S_OK.
    SCODE GiveFeedback(DROPEFFECT dropEffect) override;
    // The wait for the pointer to leave the start rectangle; its answer is
    // remembered.
    BOOL StartDrag(CWnd* pWnd) override;
    // Forgets the last drag (before each drag and when one ends).
    virtual void Reset();

    DWORD GetKeyState() const { return m_dwKeyState; }
    BOOL GetBeginDragResult() const { return m_bBeginDrag; }

protected:
    DWORD m_dwKeyState = 0;   // key and button state of the last question
    BOOL m_bBeginDrag = FALSE;
};
