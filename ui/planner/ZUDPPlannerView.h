#pragma once
// CZUDPPlannerView: the abstract base of the planner control's views (day,
// work week, week, month, several resources).  A view is not a window: the
// planner control owns one view per type, attaches the current one and
// hands it painting, input and timers.  The view keeps the shown date
// range, the time selection, the rectangles of the shown days, the fonts
// and caption format it paints with and the state of a mouse resize; it
// asks the control for the appointments of its range and draws each of
// them through the appointment's own drawing, which hands every part back
// to DrawAppointment.
//
// This file holds the view's data, its virtual interface in slot order,
// the range and selection rules, hit testing, activation and the helpers
// the views, the control and printing share (ZUDPPlannerView.cpp), and its
// layout and painting (ZUDPPlannerViewPaint.cpp), and its input: mouse,
// wheel, cursor, edit timer, resizing, drag feedback
// (ZUDPPlannerViewInput.cpp).
#include "framework/Array.h"
#include "framework/List.h"
#include "framework/OleDateTime.h"
#include "framework/Rect.h"
#include "framework/String.h"
#include "framework/win/DC.h"
#include "framework/win/GdiObject.h"
#include "framework/win/ImageList.h"
#include "framework/win/Ole.h"
#include "ui/planner/PlannerDayIndex.h"
#include "ui/planner/ZUDPAppointment.h"
#include "ui/planner/ZUDPAppointmentProperty.h"
#include "ui/planner/ZUDPPlannerClip.h"
#include "ui/planner/ZUDPPlannerDates.h"

class CWnd;
class CScrollBar;
class CZUDPPlannerManagerCtrl;
class CZUDPAppointmentBaseStorage;
class CZUDPAppointmentDrawStruct;

// What a point of a view is (CZUDPPlannerView::HitTest).  Codes 11..16 are
// the appointment's own hit codes 1..6 plus 10.
enum {
    ZUDP_PLANNER_HIT_NOWHERE = 0,
    ZUDP_PLANNER_HIT_TIMEBAR = 1,
    ZUDP_PLANNER_HIT_WEEKBAR = 2,
    ZUDP_PLANNER_HIT_HEADER = 3,
    ZUDP_PLANNER_HIT_HEADER_ALLDAY = 4,
    ZUDP_PLANNER_HIT_HEADER_RESOURCE = 5,
    ZUDP_PLANNER_HIT_CLIENT = 6,
    ZUDP_PLANNER_HIT_DAY_CAPTION = 7,
    ZUDP_PLANNER_HIT_WEEK_CAPTION = 8,
    ZUDP_PLANNER_HIT_ICON_UP = 9,
    ZUDP_PLANNER_HIT_ICON_DOWN = 10,
    ZUDP_PLANNER_HIT_APPOINTMENT = 11,
    ZUDP_PLANNER_HIT_APPOINTMENT_MOVE = 12,
    ZUDP_PLANNER_HIT_APPOINTMENT_TOP = 13,
    ZUDP_PLANNER_HIT_APPOINTMENT_BOTTOM = 14,
    ZUDP_PLANNER_HIT_APPOINTMENT_LEFT = 15,
    ZUDP_PLANNER_HIT_APPOINTMENT_RIGHT = 16
};

// The drawing flags (CZUDPPlannerManagerCtrl::GetDrawFlags).
enum {
    ZUDP_PLANNER_DRAW_APP_GRADIENT_FILL = 0x0001,
    ZUDP_PLANNER_DRAW_APP_ROUNDED_CORNERS = 0x0002,
    ZUDP_PLANNER_DRAW_APP_OVERRIDE_SELECTION = 0x0004,
    ZUDP_PLANNER_DRAW_APP_NO_TIME_ICONS = 0x0008,       // long appointments: times as text
    ZUDP_PLANNER_DRAW_APP_DURATION_IN_BOX = 0x0010,
    ZUDP_PLANNER_DRAW_APP_NO_DURATION = 0x0020,
    ZUDP_PLANNER_DRAW_APP_NO_IMAGES = 0x0040,
    ZUDP_PLANNER_DRAW_APP_NO_RECURRENCE_IMAGE = 0x0080,
    ZUDP_PLANNER_DRAW_VIEW_NO_DURATION = 0x0100,        // no duration-strip column
    ZUDP_PLANNER_DRAW_VIEW_WEEK_BAR = 0x0200,
    ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_BOLD = 0x0400,
    ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_COMPACT = 0x0800
};

// The view types, by which the control creates and addresses its views.
enum {
    ZUDP_PLANNER_TYPE_DAY = 0,
    ZUDP_PLANNER_TYPE_WORK_WEEK = 1,
    ZUDP_PLANNER_TYPE_WEEK = 2,
    ZUDP_PLANNER_TYPE_MONTH = 3,
    ZUDP_PLANNER_TYPE_MULTI = 4
};

// The in-place edit timer of the views, on the control's window.
const UINT ZUDP_PLANNER_TIMER_EDIT = 2005;

class CZUDPPlannerView : public CObject {
    DECLARE_DYNAMIC(CZUDPPlannerView)
public:
    typedef CArray<CRect, const CRect&> CRectArray;

    CZUDPPlannerView();
    ~CZUDPPlannerView() override;
    CZUDPPlannerView(const CZUDPPlannerView&) = delete;
    CZUDPPlannerView& operator=(const CZUDPPlannerView&) = delete;

    // ---- virtual operations, in slot order ----
    /* 3 */ virtual UINT GetCurrentResourceID() const { return 0; }
    /* 4 */ virtual BOOL SetCurrentResourceID(UINT nResourceID, BOOL bRedraw = TRUE, BOOL bNotify = FALSE);
    /* 5 */ virtual BOOL UpdateResources() { return FALSE; }
    // The first day of the range that would show the date.
    /* 6 */ virtual COleDateTime CalculateDateStart(const COleDateTime& date) const = 0;
    /* 7 */ virtual BOOL IsDateInSelection(const COleDateTime& date) const;
    // Clamps both ends into the range; the start stays the anchor.
    /* 8 */ virtual void SetSelection(const COleDateTime& sel1, const COleDateTime& sel2, BOOL bRedraw = TRUE);
    // The day under the point (the zero date when none).
    /* 9 */ virtual COleDateTime GetDateFromPoint(const CPoint& point) const;
    /* 10 */ virtual int GetWeekFromPoint(const CPoint& point) const;
    /* 11 */ virtual UINT GetResourceFromPoint(const CPoint& point) const;
    /* 12 */ virtual CZUDPAppointment* GetAppointmentFromPoint(const CPoint& point);
    /* 13 */ virtual void SetDate(const COleDateTime& date);
    /* 14 */ virtual void SetDateInterval(const COleDateTime& date1, const COleDateTime& date2);
    /* 15 */ virtual void SetCompressWeekend(BOOL bCompress);
    /* 16 */ virtual BOOL IsCompressWeekend() const { return FALSE; }
    /* 17 */ virtual void SetDrawTimeFinish(BOOL bDraw);
    /* 18 */ virtual BOOL IsDrawTimeFinish() const { return FALSE; }
    /* 19 */ virtual void SetDrawTimeAsIcons(BOOL bDraw);
    /* 20 */ virtual BOOL IsDrawTimeAsIcons() const { return FALSE; }
    /* 21 */ virtual BOOL CanDrawShadow() const { return FALSE; }
    // Closes an in-place edit, then the control queries the range again.
    /* 22 */ virtual void QueryAppointments();
    // The caption date formats, widest first.
    /* 23 */ virtual void GetCaptionFormatStrings(CStringArray& sa) = 0;
    /* 24 */ virtual void AdjustLayout(BOOL bRedraw = TRUE);
    /* 25 */ virtual void AdjustScrollSizes(CDC* pDC, const CRect& rectClient) = 0;
    // Fills the day rectangles.
    /* 26 */ virtual void AdjustRects() = 0;
    // Gives every appointment its drawing rectangles.
    /* 27 */ virtual void AdjustAppointments() = 0;
    /* 28 */ virtual void AdjustCaptionFormat(CDC* pDC);
    // Pushes position, range and page to the control's scroll bar.
    /* 29 */ virtual void UpdateScrollBar();
    /* 30 */ virtual int HitTest(const CPoint& point) const;
    /* 31 */ virtual int HitTestArea(const CPoint& point) const;
    /* 32 */ virtual int HitTestAppointment(const CPoint& point) const;
    /* 33 */ virtual DROPEFFECT GetDropEffect(DWORD dwKeyState, const CPoint& point) const;
    /* 34 */ virtual void CheckVisibleAppointments(const COleDateTime& date, const CRect& rect, BOOL bFullVisible);
    /* 35 */ virtual void ClearUpDownIcons();
    /* 36 */ virtual void AdjustUpDownIcons(BOOL bAnyHiddenIsBelow = FALSE);
    /* 37 */ virtual void OnPaint(CDC* pDC, const CRect& rectClient) = 0;
    /* 38 */ virtual void OnDrawClient(CDC* pDC, const CRect& rect) = 0;
    // Bit 1: hidden appointments above (or nothing to compare with); bit 2:
    // hidden below.
    /* 39 */ virtual BYTE DrawAppointments(CDC* pDC, const CRect& rect, const COleDateTime& date);
    /* 40 */ virtual void DrawUpDownIcons(CDC* pDC);
    // Header strip with a separator mark every step pixels; answers the
    // strip's right edge less 4.
    /* 41 */ virtual int DrawHeaderArea(CDC* pDC, const CRect& rect, int nStep);
    /* 42 */ virtual void DrawCaptionText(CDC* pDC, CRect rect, const CString& strText, COLORREF clrText,
                                          int nAlign = 1, BOOL bHighlight = FALSE);
    /* 43 */ virtual void DrawCaptionDate(CDC* pDC, CRect rect, const COleDateTime& date, COLORREF clrText,
                                          int nAlign = 1, BOOL bHighlight = FALSE);
    // Paints one part of an appointment (the record's rectangle and edge
    // flags) and reports its edit rectangle, text rectangle and whether
    // anything was left out into the record.
    /* 44 */ virtual void DrawAppointment(CDC* pDC, CZUDPAppointment* pApp, CZUDPAppointmentDrawStruct* pDS);
    /* 45 */ virtual BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    /* 46 */ virtual BOOL OnMouseMove(UINT nFlags, CPoint point);
    /* 47 */ virtual BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    // The base part after a view moved its scroll position: the scroll bar
    // follows and the view is laid out again.
    /* 48 */ virtual BOOL OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    /* 49 */ virtual BOOL OnLButtonDown(UINT nFlags, CPoint point);
    /* 50 */ virtual BOOL OnLButtonUp(UINT nFlags, CPoint point);
    /* 51 */ virtual BOOL OnRButtonDown(UINT nFlags, CPoint point);
    /* 52 */ virtual BOOL OnLButtonDblClk(UINT nFlags, CPoint point);
    /* 53 */ virtual BOOL OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) = 0;
    /* 54 */ virtual BOOL OnTimer(UINT_PTR nIDEvent);
    /* 55 */ virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
    /* 56 */ virtual CRect GetRect() const { return m_rectView; }
    /* 57 */ virtual DROPEFFECT OnDragScroll(DWORD dwKeyState, CPoint point);
    /* 58 */ virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    // Takes the control's font (the view owns it from now on) and derives
    // its bold and vertical fonts; answers the previous font, now the
    // caller's.
    /* 59 */ virtual HFONT SetFont(HFONT hFont);
    /* 60 */ virtual void OnActivate(CZUDPPlannerManagerCtrl* pPlanner, const CZUDPPlannerView* pOldView);
    /* 61 */ virtual void OnDeactivate(CZUDPPlannerManagerCtrl* pPlanner);
    /* 62 */ virtual BOOL IsCaptureMove() const;
    /* 63 */ virtual BOOL CanResizeAt(int nHitCode) const;
    /* 64 */ virtual COleDateTimeSpan GetMinimumSpan() const { return COleDateTimeSpan(1.0); }
    /* 65 */ virtual void StartCapture();
    /* 66 */ virtual void StopCapture();
    /* 67 */ virtual void RestoreCapturedAppointment();
    // The cursor is still on the date, area and resource where the mouse
    // went down.
    /* 68 */ virtual BOOL IsCaptureUnchanged() const;
    /* 69 */ virtual void EditAppointment(CZUDPAppointment* pApp);
    /* 70 */ virtual void CloseAppointmentEdit();
    /* 71 */ virtual COLORREF GetGridLineColor(BOOL bWorkingHours, BOOL bHour) const;
    /* 72 */ virtual void DrawBackground(CDC* pDC, CRect rect, BOOL bWorkingTime);
    /* 73 */ virtual COLORREF DrawCaption(CDC* pDC, CRect rect, BOOL bToday, BOOL bSelected, BOOL bNoBottomLine);
    /* 74 */ virtual void AddUpDownIcons(BYTE nFlags, const CRect& rectDay);
    /* 75 */ virtual void AddToolTips() {}
    /* 76 */ virtual CString GetToolTipText(const CPoint& point);
    /* 77 */ virtual BOOL EnsureAppointmentVisible(CZUDPAppointment* pApp, BOOL bAnyPart = FALSE);

    // ---- range and state ----
    // Shown days: (end - start) in days, half a second away from zero,
    // truncated, plus one.
    int GetViewDuration() const;
    const COleDateTime& GetDate() const { return m_dtDate; }
    const COleDateTime& GetDateStart() const { return m_dtDateStart; }
    const COleDateTime& GetDateEnd() const { return m_dtDateEnd; }
    const COleDateTime& GetSelectionStart() const { return m_dtSelectionStart; }
    const COleDateTime& GetSelectionEnd() const { return m_dtSelectionEnd; }
    const CRectArray& GetDayRects() const { return m_ViewRects; }
    const CRectArray& GetUpIconRects() const { return m_UpRects; }
    const CRectArray& GetDownIconRects() const { return m_DownRects; }
    const CString& GetCaptionFormat() const { return m_strCaptionFormat; }
    BOOL IsActive() const { return m_bActive; }
    // Height of a caption band and of one appointment line.
    int GetRowHeight() const { return m_nRowHeight; }
    int GetScrollPosition() const { return m_nScrollOffset; }
    int GetScrollMaximum() const { return m_nScrollTotal; }
    int GetScrollPage() const { return m_nScrollPage; }

    // The planner control that shows the view (its colours apply), null
    // while the view belongs to none.
    CZUDPPlannerManagerCtrl* GetPlanner() const { return m_pPlanner; }

    // ---- what the view reads of its control ----
    BOOL IsReadOnly() const;
    BOOL IsCaptured() const;
    BOOL IsDragging() const;
    DROPEFFECT GetDragEffect() const;
    DWORD GetDrawFlags() const;
    CZUDPAppointmentArray& GetQueriedAppointments() const;
    CList<CZUDPAppointment*, CZUDPAppointment*>& GetSelectedAppointments() const;
    void ClearAppointmentSelection(BOOL bRedraw);
    void SelectAppointment(CZUDPAppointment* pApp, BOOL bSelect, BOOL bRedraw);
    void ScreenToClient(LPPOINT point) const;
    void StartEditTimer();
    void StopEditTimer();
    // Forgets the copies of dragged appointments and their storage.
    void ClearDragAppointments();
    // Forgets the appointment being resized without touching it: the
    // control calls it before it deletes its queried appointments.
    void ForgetCapturedAppointment();
    CSize GetClockIconSize() const;
    void DrawClockIcon(CDC* pDC, const CPoint& point, const COleDateTime& time) const;
    void AddToolTipRect(const CRect& rect);
    void UpdateToolTipsIfNeeded();
    // The drag copies are placed and painted: there are some, and the drag
    // is not a move whose cursor is still where it started.
    BOOL IsDragAppointmentsShown() const;
    // The control's window exists.
    BOOL HasPlannerWindow() const;
    // Redraws the control's window now (nothing without one).
    void RedrawPlanner() const;

    // ---- fonts ----
    // Caption font: the bold font with drawing flag 0x400; otherwise the
    // regular font.  Both fall back to the library's fonts.
    CFont* GetFont(BOOL bCaption = FALSE);
    CFont* GetVerticalFont();
    CFont* SelectFont(CDC* pDC, BOOL bCaption = FALSE);

    // ---- helpers shared by the views, the control and printing ----
    // The date as text with a picture of the user locale's date formatting.
    static void FormatDate(const COleDateTime& date, CString& strText, LPCSTR lpszFormat);
    static int GetTimeScaleMinutes(int nUnit) { return PlannerDates::TimeScaleMinutes(nUnit); }
    static CString GetDateSeparator();
    static CString GetTimeSeparator();
    static CString GetAmPmDesignator(BOOL bAm);
    static BOOL Is24HourClock();
    static BOOL IsDayBeforeMonth();
    // nFirstDay: 1 Sunday .. 7 Saturday.
    static COleDateTime GetWeekStartDate(const COleDateTime& date, int nFirstDay)
    {
        return PlannerDates::WeekStartDate(date, nFirstDay);
    }
    // Same year and same day of the year (the planner's one same-day rule).
    static BOOL IsSameDay(const COleDateTime& a, const COleDateTime& b) { return PlannerDates::IsSameDay(a, b); }
    // The one rule by which views and printing decide on which days an
    // appointment is shown.
    static BOOL IsAppointmentOnDate(const CZUDPAppointment* pApp, const COleDateTime& date);

    // ---- the view's data ----
    // Public while the planner control and the views are being completed:
    // the control and its tests set it up directly.
    CRect m_rectView;                     // the control's client area less the scroll bar
    int m_nRowHeight = 0;
    int m_nScrollOffset = 0;              // vertical scroll position
    int m_nScrollTotal = 0;               // scroll range maximum (minimum 0)
    int m_nScrollPage = 0;
    COleDateTime m_dtDate;                // the day the user works on
    COleDateTime m_dtDateStart;           // first shown day, 00:00:00
    COleDateTime m_dtDateEnd;             // last shown day, 23:59:59
    COleDateTime m_dtSelectionStart;      // the anchor
    COleDateTime m_dtSelectionEnd;        // the moving end; may lie before the anchor
    CRectArray m_ViewRects;               // one per shown day, first day first
    CRectArray m_UpRects;                 // icons announcing hidden appointments above
    CRectArray m_DownRects;               // ... and below
    COleDateTime m_dtCaptureCurrent;      // the date under the cursor when the mouse went down
    COleDateTime m_dtCaptureCursor;       // the date under the cursor now
    BOOL m_bDragChanged = FALSE;
    CZUDPPlannerManagerCtrl* m_pPlanner = nullptr;
    CString m_strCaptionFormat;
    CFont m_Font;
    CFont m_FontBold;
    CFont m_FontVert;
    bool m_bActive = false;
    CZUDPAppointmentBaseStorage* m_pDragStorage = nullptr;   // owned
    CZUDPAppointmentArray m_DragAppointments;   // the drag storage's query: its occurrences are the view's
    CZUDPAppointmentArray m_DragStored;         // what the drag storage holds (and owns)
    UINT_PTR m_nEditTimer = 0;
    HCURSOR m_hHorzResizeCursor = nullptr;   // shared system cursors: never destroyed
    HCURSOR m_hVertResizeCursor = nullptr;
    CZUDPAppointment* m_pCapturedAppointment = nullptr;   // not owned
    int m_nCapturedHitCode = 0;
    COleDateTime m_dtCapturedStart;
    BOOL m_bCapturedChanged = FALSE;
    CZUDPAppointmentPropertyList m_CapturedProperties;
    int m_nCaptureArea = 0;
    int m_nCursorArea = 0;
    UINT m_nCaptureResource = 0;
    UINT m_nCursorResource = 0;
    BOOL m_bUpdateToolTipInfo = FALSE;
    // The control's up and down arrows, copied out of its image list as a
    // colour and a mask bitmap for painting.
    CBitmap m_bmpArrowImage[2];
    CBitmap m_bmpArrowMask[2];
    HIMAGELIST m_hArrowSource = nullptr;
    CSize m_sizeArrow;
    // The widths the appointment boxes of a paint share.
    CPlannerBoxText m_boxText;
    // During a layout: the queried (list 0) and dragged (list 1)
    // appointments of each shown day, for the visibility check and the
    // up/down icons.
    CPlannerDayIndex m_dayIndex;

protected:
    // Empties the drag storage and deletes the occurrences its query made.
    void EmptyDragAppointments();
    // The planner-format appointments of a dragged data object, placed at
    // the date (the zero date: where they were): 1 read, 0 unreadable, -1
    // the object has none.
    int LoadDragAppointments(COleDataObject* pDataObject, const COleDateTime& place, CZUDPAppointmentArray& apps);
    // Files read copies, selected, in the drag storage and queries the
    // shown range into the drag appointments.
    void StoreDragAppointments(CZUDPAppointmentArray& apps);

    // The picture of the widest time of the locale's clock ("%H:%M", with
    // "%p" on a 12-hour clock), for the boxes' time columns.
    static CString GetTimeSample();
    // Copies the control's arrows for DrawUpDownIcons.
    void MakeArrowCopies(HIMAGELIST images, CSize size);
    // The hidden-appointment flags of one appointment that is not drawn
    // (1 above or nothing to compare with, 2 below).
    static BYTE HiddenFlags(const CRect& rect, const CRect& rectApp)
    {
        if (rect.IsRectNull())
            return 1;
        return rect.top < rectApp.bottom ? 2 : 1;
    }
    // Shared by the week and month views, whose days are whole cells:
    // the selection as whole days (the anchor at 00:00:00 and the other end
    // at 23:59:59, or the other way round when the anchor lies on a later
    // day), then the base rule.
    void SetWholeDaySelection(const COleDateTime& sel1, const COleDateTime& sel2, BOOL bRedraw);
    // Week steps: the range, the current date and the selection move by
    // seven days per scroll position; FALSE when the position stays.
    BOOL ScrollByWeeks(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    // One down icon in the day's bottom right corner, never an up icon.
    void AddCornerDownIcon(BYTE nFlags, const CRect& rectDay);
    // Resizing only at the left and right edges (first and last day).
    BOOL CanResizeAtSideEdges(int nHitCode) const;

    // The number of shown days that have a rectangle: every loop over the
    // shown days stops there, so a paint or hit test between a range change
    // and its layout never reads past the rectangles.
    int GetLaidOutDayCount() const;
    // Indexes the queried and dragged appointments by shown day for the
    // rest of a layout (see m_dayIndex); the scope forgets the index.
    void IndexAppointmentsByDay(int days);
};

// Appends every appointment of the source to the emptied target, in order.
void CopyAppointmentList(const CList<CZUDPAppointment*, CZUDPAppointment*>& source,
                         CList<CZUDPAppointment*, CZUDPAppointment*>& target);
