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

    // Takes a changed appointment (dtOld: the start it had); FALSE when
    // the change is refused.  This version asks no parent: the storage
    // files the appointment again.
    virtual BOOL UpdateAppointment(CZUDPAppointment* pApp, const COleDateTime& dtOld, BOOL bRequery = TRUE,
                                   BOOL bRedraw = TRUE);

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

    static int s_nFirstDayOfWeek;
    static CSize s_sizeImages;
};
