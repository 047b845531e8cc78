#pragma once
// CZUDPPlannerManagerCtrl: the planner window.  It owns the appointment
// storage, the clock icons, the up/down arrow images and a vertical scroll
// bar; it keeps the appointments of the shown range, the selected ones,
// the working hours and the time-scale unit, and lets its current view lay
// out and paint (one paint routine for WM_PAINT and WM_PRINTCLIENT, off
// screen).
//
// This version holds what the views read of their control: the state and
// settings above, the queries of the storage, the drawing flags, the first
// day of the week, the shared appointment images and the arrow icons.
// Which view is current is set from outside (m_pCurrentView, after the
// view's OnActivate); the views are not owned yet.  Switching views and
// dates, the editing operations, notifications, tooltips, clipboard and
// drag and drop complete it.
#include "framework/Array.h"
#include "framework/List.h"
#include "framework/win/ImageList.h"
#include "framework/win/Ole.h"
#include "ui/commandbars/ZUDPWnd.h"
#include "ui/controls/ZUDPScrollBar.h"
#include "ui/planner/ZUDPAppointment.h"

class CZUDPPlannerView;
class CZUDPPlannerClockIcons;
class CZUDPAppointmentBaseStorage;

class CZUDPPlannerManagerCtrl : public CZUDPWnd {
    DECLARE_DYNCREATE(CZUDPPlannerManagerCtrl)
public:
    // Storage and clock icons are made from these runtime classes (null:
    // the defaults, CZUDPAppointmentStorage and CZUDPPlannerClockIcons).
    explicit CZUDPPlannerManagerCtrl(CRuntimeClass* pStorageClass = nullptr,
                                     CRuntimeClass* pClockIconsClass = nullptr);
    ~CZUDPPlannerManagerCtrl() override;

    // A child window of the library's planner window class.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // The current view's layout.
    virtual void AdjustLayout(BOOL bRedraw = TRUE);
    // The storage's appointments of the days from dtFrom to dtTo.
    virtual void QueryAppointments(CZUDPAppointmentArray& ar, const COleDateTime& dtFrom, const COleDateTime& dtTo);
    // The shown range's appointments again (the selection is cleared).
    virtual void RequeryAppointments();
    // Forgets the queried appointments, deleting the recurrence
    // occurrences among them.
    virtual void ClearQuery();
    // Paints the current view on the DC, off screen when possible.
    virtual void DoPaint(CDC* pDC);
    virtual void OnDraw(CDC* pDC);
    // Tooltips come with the control's input; nothing yet.
    virtual void UpdateToolTips() {}
    virtual void AddToolTip(const CRect& rect) { (void)rect; }

    // ---- editing; each operation tells the parent (ZUDP_PLANNER_* messages)
    // and answers FALSE when the parent or the storage refuses.  A parent's
    // handler may call back into the control (remove, re-query, re-select):
    // every operation checks its appointment again after each reply and
    // ends with FALSE when it went.
    // Adds an appointment to the storage, which owns it from then on (on
    // FALSE the caller still owns it).  Resource 0 takes the current one.
    BOOL AddAppointment(CZUDPAppointment* pApp, BOOL bRequery = TRUE, BOOL bRedraw = TRUE);
    // Takes a changed appointment (dtOld: the start it had).
    virtual BOOL UpdateAppointment(CZUDPAppointment* pApp, const COleDateTime& dtOld, BOOL bRequery = TRUE,
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

    // ---- clipboard: the planner format "ZUDPPlannerManagerClpFmt" holds a
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
    void SetNotifyParent(BOOL bNotify) { m_bNotifyParent = bNotify; }

    // The embedded vertical scroll bar once its window exists (SB_VERT).
    CScrollBar* GetScrollBarCtrl(int nBar) const;
    // The visual manager's planner drawing flags, or the control's own when
    // it keeps them.
    DWORD GetDrawFlags() const;
    // An icon of the up (0) or down (1) arrow; the caller destroys it.  Null
    // without the arrow images.
    HICON GetUpDownIcon(int nIndex) const;
    CSize GetUpDownIconSize() const { return m_sizeUpDown; }
    // 0 without a multi-resource storage; else the view's resource, or the
    // storage's current one.
    UINT GetCurrentResourceID() const;
    // Selection of appointments (the list keeps the order of selection).
    void ClearAppointmentSelection(BOOL bRedraw = TRUE);
    void SelectAppointment(CZUDPAppointment* pApp, BOOL bSelect = TRUE, BOOL bRedraw = TRUE);

    CZUDPPlannerView* GetCurrentView() const { return m_pCurrentView; }
    int GetType() const { return m_Type; }
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
    CZUDPPlannerView* m_pCurrentView = nullptr;
    BOOL m_bCaptured = FALSE;
    BOOL m_bDragDrop = FALSE;              // appointments are dragged out of this control
    DROPEFFECT m_dragEffect = DROPEFFECT_NONE;
    CZUDPAppointmentBaseStorage* m_pAppsStorage = nullptr;   // owned
    BOOL m_bMultiResourceStorage = FALSE;
    CZUDPPlannerClockIcons* m_pClockIcons = nullptr;         // owned
    BOOL m_bDrawFlagsFromManager = TRUE;   // the visual manager's drawing flags apply
    DWORD m_dwDrawFlags = 0;               // the control's own
    int m_ChangeOperation = 0;             // change operation in progress, 0 none
    BOOL m_bNotifyParent = TRUE;           // the ZUDP_PLANNER_* messages are sent
    BOOL m_bDefaultMultiResource = FALSE;  // the default storage class is the multi-resource one

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
    DECLARE_MESSAGE_MAP()

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
