#pragma once
// CZUDPPlannerManagerCtrl: the planner window.  It owns the appointment
// storage, one view of each of the five view types, the clock icons, the
// up/down arrow images, a vertical scroll bar, a tooltip control and its
// drop target; it keeps the appointments of the shown range, the selected
// ones, the working hours and the time-scale unit, switches views and
// dates, routes input to its current view and lets that view lay out and
// paint (one paint routine for WM_PAINT and WM_PRINTCLIENT, off screen).
#include "framework/Array.h"
#include "framework/List.h"
#include "framework/win/ImageList.h"
#include "framework/win/Ole.h"
#include "framework/win/PrintInfo.h"
#include "ui/commandbars/ZUDPWnd.h"
#include "ui/controls/ZUDPScrollBar.h"
#include "ui/planner/ZUDPAppointment.h"
#include "ui/planner/ZUDPPlannerDragDrop.h"

class CToolTipCtrl;
class CZUDPPlannerView;
class CZUDPPlannerClockIcons;
class CZUDPPlannerPrint;
class CZUDPCalendar;
class CZUDPAppointmentBaseStorage;

class CZUDPPlannerManagerCtrl : public CZUDPWnd {
    DECLARE_DYNCREATE(CZUDPPlannerManagerCtrl)
public:
    // Storage and clock icons are made from these runtime classes (null:
    // the defaults, CZUDPAppointmentStorage and CZUDPPlannerClockIcons).
    explicit CZUDPPlannerManagerCtrl(CRuntimeClass* pStorageClass = nullptr,
                                     CRuntimeClass* pClockIconsClass = nullptr);
    ~CZUDPPlannerManagerCtrl() override;

    // View types.
    enum { TypeDay = 0, TypeWorkWeek = 1, TypeWeek = 2, TypeMonth = 3, TypeMulti = 4, TypeCount = 5 };

    // ---- CWnd overrides ----
    // Creates the five views and shows today in the current one; FALSE
    // (the window is not made) when a view cannot be made or is of the
    // wrong class.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The embedded vertical scroll bar once its window exists (SB_VERT).
    CScrollBar* GetScrollBarCtrl(int nBar) const;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // ---- virtual operations, in slot order ----
    // Clipboard: the planner format "ZUDPPlannerManagerClpFmt" holds a
    // planner stream (ui/planner/AppointmentStream.h); copies also offer
    // the appointments' texts as CF_TEXT.  While an appointment is edited
    // in place (child window id 2) the commands go to the edit.
    virtual BOOL EditCut();
    virtual BOOL IsEditCutEnabled() const;
    virtual BOOL EditCopy();
    virtual BOOL IsEditCopyEnabled() const;
    // place: where the earliest pasted appointment lands (zero date: the
    // selection start).
    virtual BOOL EditPaste(const COleDateTime& place = COleDateTime(0.0));
    virtual BOOL IsEditPasteEnabled() const;
    // A child window of the library's planner window class.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // A new view of the type (0 day .. 4 multi-resource); null otherwise.
    virtual CZUDPPlannerView* CreateView(int nType);
    // The current view's layout.
    virtual void AdjustLayout(BOOL bRedraw = TRUE);
    // The storage's appointments of the days from dtFrom to dtTo.
    virtual void QueryAppointments(CZUDPAppointmentArray& ar, const COleDateTime& dtFrom, const COleDateTime& dtTo);
    // The shown range's appointments again (the selection is cleared).
    virtual void RequeryAppointments();
    // Forgets the queried appointments, deleting the recurrence
    // occurrences among them.
    virtual void ClearQuery();
    // Deletes the recurrence occurrences a query of the storage made
    // (those the storage holds itself stay).
    void DeleteQueriedOccurrences(CZUDPAppointmentArray& apps) const;
    virtual int HitTest(const CPoint& point) const;
    virtual int HitTestArea(const CPoint& point) const;
    virtual int HitTestAppointment(const CPoint& point) const;
    // Paints the current view on the DC, off screen when possible.
    virtual void DoPaint(CDC* pDC);
    // Printing: a printer object per job, chosen by the view type unless a
    // printer class is named.
    virtual void Print(CDC* pDC, CPrintInfo* pInfo);
    virtual void CreatePrinter(CPrintInfo* pInfo, CRuntimeClass* pPrinterClass = nullptr);
    virtual void PreparePrinting(CDC* pDC, CPrintInfo* pInfo, CRuntimeClass* pPrinterClass = nullptr);
    virtual void EndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // A time interval selected with the mouse: handed to a view host.
    virtual void OnSelectTimeInterval(COleDateTime dtStart, COleDateTime dtFinish);
    // Appointments dropped on a day of a linked calendar.
    virtual BOOL OnDropToCalendar(COleDataObject* pDataObject, DROPEFFECT dropEffect, const COleDateTime& day);
    // The shown date changed: the linked calendar follows, the parent is
    // told.
    virtual void OnDateChanged();
    virtual CRect GetViewRect() const;
    virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
    // Drag and drop onto this control.
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave();
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragScroll(DWORD dwKeyState, CPoint point);
    virtual void OnDraw(CDC* pDC);
    // Tooltips: one tool per shown appointment part whose text does not
    // fit (every shown part with full tooltips).
    virtual void UpdateToolTips();
    virtual void AddAppointmentToolTip(CZUDPAppointment* pApp);
    virtual void AddToolTip(const CRect& rect);
    virtual void ClearToolTips();

    // ---- views and dates ----
    // Switches to the view of the type (0..4; 4 only with a multi-resource
    // storage), carrying the selection along.
    void SetType(int nType, BOOL bRedraw = TRUE);
    int GetType() const { return m_Type; }
    // Shows the day of the date (the page moves only when the day is not
    // on it).
    void SetDate(const COleDateTime& date, BOOL bRedraw = TRUE);
    // Shows the days from start to end: a calendar week in the week view,
    // more than seven days in the month view, fewer in the day view.
    void SetDateInterval(const COleDateTime& dtStart, const COleDateTime& dtEnd, BOOL bRedraw = TRUE);
    const COleDateTime& GetDate() const;
    const COleDateTime& GetDateStart() const;
    const COleDateTime& GetDateEnd() const;
    COleDateTime GetSelectionStart() const;
    COleDateTime GetSelectionEnd() const;
    // Shown days (0 without a view).
    int GetViewDuration() const;
    // The view of a type 0..4, null for any other value.
    CZUDPPlannerView* GetView(int nType) const;
    CZUDPPlannerView* GetCurrentView() const { return m_pCurrentView; }
    BOOL IsCompressWeekend() const;
    // 0 without a multi-resource storage; else the view's resource, or the
    // storage's current one.
    UINT GetCurrentResourceID() const;
    // FALSE without a multi-resource storage, for 0 and for an id the
    // storage does not hold.
    BOOL SetCurrentResourceID(UINT nResourceID, BOOL bRedraw = TRUE);

    // ---- calendar link ----
    // Links a calendar both ways (null unlinks): the calendar's planner is
    // this control; a calendar or control linked before is let go.  The
    // link ends when either side is destroyed.
    void SetCalendar(CZUDPCalendar* pCalendar);
    CZUDPCalendar* GetCalendar() const { return m_pCalendar; }
    // The calendar (null: the linked one) selects the shown days.
    void UpdateCalendarSelection(CZUDPCalendar* pCalendar = nullptr);
    // The calendar (null: the linked one) marks the days that hold
    // appointments; FALSE without a calendar window.
    BOOL UpdateCalendarMarks(CZUDPCalendar* pCalendar = nullptr);
    // The days to mark for the appointments, inside from..to only: the
    // start of each timed appointment, and the further days a multi-day
    // one runs into (one ending at midnight not that day).
    static void CollectMarkedDays(const CZUDPAppointmentArray& apps, const COleDateTime& dtFrom,
                                  const COleDateTime& dtTo, CArray<DATE, DATE>& days);

    // ---- printing ----
    // The printer class of a view type showing the number of days.
    static CRuntimeClass* GetPrinterClass(int nType, int nDays);
    // Recurrence rule kinds offered by every planner.
    static BOOL RegisterRecurrenceRule(CRuntimeClass* pRuleClass);

    // ---- editing; each operation tells the parent (ZUDP_PLANNER_* messages)
    // and answers FALSE when the parent or the storage refuses.  A parent's
    // handler may call back into the control (remove, re-query, re-select):
    // every operation checks its appointment again after each reply and
    // ends with FALSE when it went.
    // Adds an appointment to the storage, which owns it from then on (on
    // FALSE the caller still owns it).  Resource 0 takes the current one.
    BOOL AddAppointment(CZUDPAppointment* pApp, BOOL bRequery = TRUE, BOOL bRedraw = TRUE);
    // Takes a changed appointment (dtOld: the start it had).
    BOOL UpdateAppointment(CZUDPAppointment* pApp, const COleDateTime& dtOld, BOOL bRequery = TRUE,
                           BOOL bRedraw = TRUE);
    // Removes the selected appointments, each offered to the parent first
    // (reply 1 for a recurrence occurrence removes its whole series).
    void RemoveSelectedAppointments(BOOL bRequery = TRUE, BOOL bRedraw = TRUE);
    // Empties the storage.
    BOOL RemoveAllAppointments(BOOL bRedraw = TRUE);
    // Selects the queried appointments found in the list (after clearing
    // the selection): keeps a selection across a change of the range.
    void RestoreAppointmentSelection(CList<CZUDPAppointment*, CZUDPAppointment*>& list, BOOL bRedraw = TRUE);
    int GetSelectedAppointmentsCount() const { return int(m_SelectedApps.GetCount()); }
    // Begins (1 cut, 2 paste, 3 drag out, 4 drop) or ends (0) a change
    // operation; TRUE only when one begins.  The end is posted to the
    // parent with its result.
    BOOL SetChangeOperation(int nOperation, BOOL bResult = FALSE);
    int GetChangeOperation() const { return m_ChangeOperation; }
    BOOL IsNotifyParent() const { return m_bNotifyParent; }

    static UINT GetClipboardFormat() { return s_nClipboardFormat; }
    static LPCSTR GetClipboardFormatName() { return "ZUDPPlannerManagerClpFmt"; }
    // The stream of the copyable appointments of the array; pWritten
    // receives exactly those written.  FALSE when none is.
    static BOOL SaveAppointmentsToArchive(CArchive& ar, CZUDPAppointmentArray& apps,
                                          CZUDPAppointmentArray* pWritten = nullptr);
    // Reads a stream and places it for the view type (see
    // AppointmentStream::Place); FALSE with nothing left alive when the
    // stream is malformed.
    static BOOL LoadAppointmentsFromArchive(CArchive& ar, CZUDPAppointmentArray& apps, int nViewType,
                                            const COleDateTime& place);
    // Adds read appointments as plain appointments of the current resource;
    // those the parent refuses are deleted.  TRUE when one was added.
    BOOL PasteAppointments(CZUDPAppointmentArray& apps);
    // Shifts every appointment by the span.
    static void ShiftAppointments(CZUDPAppointmentArray& apps, const COleDateTimeSpan& span, BOOL bForward);

    // ---- settings ----
    void SetReadOnly(BOOL bReadOnly = TRUE) { m_bReadOnly = bReadOnly; }
    void SetShowScrollBar(BOOL bShow = TRUE);
    BOOL IsShowScrollBar() const { return m_bShowScrollBar; }
    // Working hours in hours.minutes form (9.30 is 09:30): 0 <= start <
    // end <= 24 with minutes below 60; anything else is refused.
    BOOL SetWorkingHours(double dblStart, double dblEnd, BOOL bRedraw = TRUE);
    // Time-scale unit 0..10 (60 .. 1 minutes per row); others are refused.
    BOOL SetTimeScale(int nUnit, BOOL bRedraw = TRUE);
    void SetNotifyParent(BOOL bNotify) { m_bNotifyParent = bNotify; }
    void SetShowToolTips(BOOL bShow = TRUE);
    BOOL IsShowToolTips() const { return m_bShowToolTips; }
    void SetFullToolTips(BOOL bFull = TRUE);
    BOOL IsFullToolTips() const { return m_bFullToolTips; }
    // The control's own drawing flags (bFromManager FALSE) or the visual
    // manager's.
    void SetDrawFlags(DWORD dwFlags, BOOL bFromManager = FALSE, BOOL bRedraw = TRUE);
    void SetSevenDaysAsDays(BOOL bDays = TRUE) { m_bSevenDaysAsDays = bDays; }
    BOOL IsSevenDaysAsDays() const { return m_bSevenDaysAsDays; }
    void SetDefaultMultiResource(BOOL bMulti = TRUE) { m_bDefaultMultiResource = bMulti; }
    BOOL IsDefaultMultiResource() const { return m_bDefaultMultiResource; }

    // ---- input ----
    // The mouse is captured after a press the view handled.
    void StartCapture();
    void StopCapture();
    // Ends the state of a drag out of this control.
    void StopDragDrop();
    // The press moved out of the drag rectangle with a selection the view
    // lets move.
    BOOL CanStartDragDrop() const;
    // The effect the last drop reached: copy for a move that was partly
    // refused (the source keeps its appointments), none when nothing was
    // added.
    DROPEFFECT GetLastDropEffect() const { return m_nLastDropEffect; }
    // Drags the selected appointments out of the control (a nested drag
    // loop); moved ones are removed here afterwards.
    void StartDragDrop();
    BOOL IsCapturing() const { return m_bCaptured; }
    int GetToolCount() const { return m_nToolCount; }
    CToolTipCtrl* GetToolTipCtrl() const { return m_pToolTip; }
    CZUDPPlannerPrint* GetPrinter() const { return m_pPrinter; }

    // The visual manager's planner drawing flags, or the control's own when
    // it keeps them.
    DWORD GetDrawFlags() const;
    // An icon of the up (0) or down (1) arrow; the caller destroys it.  Null
    // without the arrow images.
    HICON GetUpDownIcon(int nIndex) const;
    CSize GetUpDownIconSize() const { return m_sizeUpDown; }
    // Selection of appointments (the list keeps the order of selection).
    void ClearAppointmentSelection(BOOL bRedraw = TRUE);
    void SelectAppointment(CZUDPAppointment* pApp, BOOL bSelect = TRUE, BOOL bRedraw = TRUE);

    CZUDPAppointmentBaseStorage* GetStorage() const { return m_pAppsStorage; }
    CZUDPPlannerClockIcons* GetClockIcons() const { return m_pClockIcons; }
    const CZUDPAppointmentArray& GetQueriedAppointments() const { return m_QueryApps; }
    CZUDPAppointmentArray& GetQueriedAppointments() { return m_QueryApps; }
    CList<CZUDPAppointment*, CZUDPAppointment*>& GetSelectedAppointments() { return m_SelectedApps; }
    // The working hours in hours.minutes form (9.30 is 09:30).
    double GetWorkingHourStart() const { return m_dblWorkingStart; }
    double GetWorkingHourEnd() const { return m_dblWorkingEnd; }
    int GetTimeScaleUnit() const { return m_TimeScale; }
    BOOL IsReadOnly() const { return m_bReadOnly; }
    BOOL IsMultiResourceStorage() const { return m_bMultiResourceStorage; }

    // Replaces the storage (deleting the old one when asked) by a new
    // object of the class; the default class for null or a class that is
    // not a storage.  Nothing is queried.
    void SetStorageRTC(CRuntimeClass* pStorageClass, BOOL bDeleteOld = TRUE);
    // The same for the clock icons; answers the new object.
    CZUDPPlannerClockIcons* SetClockIconsRTC(CRuntimeClass* pClockIconsClass, BOOL bDeleteOld = TRUE);

    // ---- class-wide data ----
    // 0 Sunday, 1 Monday; every construction sets it from the locale.
    static int GetFirstDayOfWeek() { return s_nFirstDayOfWeek; }
    // The first character of the locale's clock setting read as a number:
    // a 12-hour locale starts weeks on Sunday, a 24-hour one on Monday.
    static int GetLocaleFirstDayOfWeek();
    // The appointment images shared by every view (bitmap 17062, 16 pixels
    // wide), loaded on first use.
    static void InitImages();
    // Loads a bitmap of images of the width (0 only forgets the old list).
    static BOOL SetImages(UINT nBitmapID, int cxImage, COLORREF clrMask = 0xFF00FF);
    static CSize GetImageSize() { return s_sizeImages; }
    static int GetImageCount();
    static void DrawImageIcon(CDC* pDC, const CPoint& point, int nIndex);

    // ---- state the views read (public while the control is completed) ----
    BOOL m_bReadOnly = FALSE;
    CZUDPScrollBar m_wndScrollVert;
    BOOL m_bShowScrollBar = TRUE;
    double m_dblWorkingStart = 9.0;
    double m_dblWorkingEnd = 18.0;
    int m_Type = 0;                        // view type, 0 day .. 4 multi-resource
    CZUDPAppointmentArray m_QueryApps;     // the shown range's appointments
    CList<CZUDPAppointment*, CZUDPAppointment*> m_SelectedApps{10};
    int m_TimeScale = 0;                   // time-scale unit (0: 60 minutes)
    CImageList m_ilUpDown;                 // the up and down arrows (bitmap 17059)
    CSize m_sizeUpDown;
    CZUDPPlannerView* m_pViews[TypeCount] = {};   // owned, indexed by type
    CZUDPPlannerView* m_pCurrentView = nullptr;
    BOOL m_bCaptured = FALSE;
    CWnd* m_pWndLastCapture = nullptr;     // held the capture before this control
    CPoint m_ptCaptureStart;               // client point of the press
    CPoint m_ptCaptureCurrent;             // client point of the last move while captured
    BOOL m_bDragDrop = FALSE;              // appointments are dragged out of this control
    DROPEFFECT m_dragEffect = DROPEFFECT_NONE;
    CZUDPPlannerDropTarget m_DropTarget;   // registered with the window
    // The drop source of the drag under way (null between drags).  It lives
    // on the drag's own stack frame, so that the drag loop can still ask it
    // when the control is deleted inside the loop.
    CZUDPPlannerDropSource* m_pDropSource = nullptr;
    COleDateTime m_dtDrop;                 // day of the drop under way; zero between drops
    BOOL m_bRelayoutAfterDrag = FALSE;     // a drop back into this control was refused
    BOOL m_bNotifyParent = TRUE;           // the ZUDP_PLANNER_* messages are sent
    COleDateTime m_dtCalendarStart;        // the linked calendar's shown days at the last marks
    COleDateTime m_dtCalendarEnd;
    CZUDPAppointmentBaseStorage* m_pAppsStorage = nullptr;   // owned
    BOOL m_bMultiResourceStorage = FALSE;
    CZUDPPlannerClockIcons* m_pClockIcons = nullptr;         // owned
    CZUDPPlannerPrint* m_pPrinter = nullptr;                 // owned, while printing
    CZUDPCalendar* m_pCalendar = nullptr;                    // linked, not owned
    CToolTipCtrl* m_pToolTip = nullptr;
    int m_nToolCount = 0;                  // tool ids run 1 .. count
    // The rectangle of each tool (id = index + 1) as the tooltip control
    // holds it, so that an update after a layout touches only the tools
    // whose rectangles changed.
    CArray<CRect, const CRect&> m_toolRects;
    // While an update gathers the rectangles of the current layout, the
    // tools are not added one by one but collected here.
    CArray<CRect, const CRect&>* m_pGatheredToolRects = nullptr;
    BOOL m_bShowToolTips = TRUE;
    BOOL m_bFullToolTips = FALSE;          // a tool for every shown part
    BOOL m_bDrawFlagsFromManager = TRUE;   // the visual manager's drawing flags apply
    DWORD m_dwDrawFlags = 0;               // the control's own
    BOOL m_bSevenDaysAsDays = FALSE;       // a calendar week is shown in the day view
    BOOL m_bDefaultMultiResource = FALSE;  // the default storage class is the multi-resource one
    int m_ChangeOperation = 0;             // change operation in progress, 0 none

    // Read by the visual manager.
    COLORREF GetBackgroundColor() const { return m_clrBackground; }
    int GetBackgroundStyle() const { return m_nBackgroundStyle; }
    COLORREF m_clrBackground = 0xFF000000; // own background colour (0xFF000000: none)
    int m_nBackgroundStyle = 0;            // 1 or less: the working hours are hatched

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnPaint();
    void OnPrintClient(CDC* pDC, UINT nFlags);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnTimeChange();
    void OnCancelMode();
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnUpdateToolTips(WPARAM wParam, LPARAM lParam);
    BOOL OnNeedToolTipText(UINT id, NMHDR* pNMH, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    // The drop target of the control's window.
    void RegisterDropTarget();
    void RevokeDropTarget();
    // The planner stream of dragged data, read and placed for the view type.
    static BOOL ReadDropData(COleDataObject* pDataObject, CZUDPAppointmentArray& apps, int nType,
                             const COleDateTime& place);
    DROPEFFECT m_nLastDropEffect = DROPEFFECT_NONE;
    // The drop source forgets the last drag.
    void ResetDropSource();
    // Deletes the views and forgets them (the current one too).
    void DeleteViews();
    // The start of the working day of the day of the date.
    COleDateTime GetWorkingDayStart(const COleDateTime& date) const;
    // Keeps the selection's time of day on the view's new days.
    void CarrySelection(const COleDateTime& dtStart, const COleDateTime& dtEnd);
    // The view's current date, or the zero date without a view.
    COleDateTime GetCurrentDateOrZero() const;
    BOOL IsDayTypeView() const { return m_Type == TypeDay || m_Type == TypeWorkWeek || m_Type == TypeMulti; }

    // Where the view paints: the client area less the scroll bar.
    CRect GetPaintRect() const;

    // Sends a ZUDP_PLANNER_* message to the parent while notifications are
    // on and the window exists; 0 otherwise.
    LRESULT NotifyParent(UINT message, WPARAM wParam, LPARAM lParam);
    // Adding or removing an all-day or long appointment in a day-type view
    // changes the all-day band's height: the whole layout is redone.
    BOOL NeedsWholeLayout(const CZUDPAppointment* pApp) const;
    // The view's appointments placed anew (or its whole layout), redrawn.
    void RefreshAfterChange(BOOL bWholeLayout);
    void Redraw();
    // The appointment is still one the control can reach: queried, or (not
    // an occurrence) filed in the storage under its start.
    BOOL IsAppointmentAlive(CZUDPAppointment* pApp);
    // Takes an appointment out of the queried array (order kept); an
    // occurrence the array owned is deleted.
    void RemoveFromQuery(CZUDPAppointment* pApp, BOOL bDeleteOccurrence);

    // Marks on the stack of operations that run a nested loop (the drag
    // loop): the destructor sets them, so that an operation whose control
    // was deleted inside the loop touches nothing of it afterwards.
    struct DeletionMark {
        explicit DeletionMark(CZUDPPlannerManagerCtrl* pCtrl) : m_pCtrl(pCtrl), m_pPrevious(pCtrl->m_pDeletionMarks)
        {
            pCtrl->m_pDeletionMarks = this;
        }
        ~DeletionMark()
        {
            if (!m_bDeleted)
                m_pCtrl->m_pDeletionMarks = m_pPrevious;
        }
        DeletionMark(const DeletionMark&) = delete;
        DeletionMark& operator=(const DeletionMark&) = delete;
        CZUDPPlannerManagerCtrl* m_pCtrl;
        DeletionMark* m_pPrevious;
        bool m_bDeleted = false;
    };
    DeletionMark* m_pDeletionMarks = nullptr;
    // The appointments a drag out of this control wrote (compared by
    // address only): a move removes exactly those still selected.
    CZUDPAppointmentArray m_DragWritten;
    // Adds dropped appointments as the drop rules say (own drag: the
    // sources' places and series; else plain appointments of the resource).
    BOOL AddDropped(CZUDPAppointmentArray& apps, BOOL bOwnDrag, DROPEFFECT dropEffect, UINT nResource,
                    BOOL bAllDayTarget, BOOL bCalendarDay, COleDateTime& dtSelStart, COleDateTime& dtSelEnd,
                    int& nRefused);
    // Begins a drop: its own change operation, or inside this control's
    // drag, the parent asked directly.  FALSE when refused.
    BOOL BeginDrop();
    void EndDrop(BOOL bResult);
    // Whether notifications were on before a drop switched them off.
    BOOL m_bNotifyParentSaved = TRUE;

    // Bumped by everything that may delete appointments the control points
    // to (removals, ClearQuery, RemoveAll): an operation that sees it move
    // across a parent's reply checks its appointment again.
    unsigned m_nChangeCounter = 0;

    static int s_nFirstDayOfWeek;
    static UINT s_nClipboardFormat;
    // The in-place edit of an appointment (child id 2), when one is open.
    CWnd* GetInPlaceEdit() const;
    static CSize s_sizeImages;
};
