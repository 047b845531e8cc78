#pragma once
// CZUDPAppointment: the planner's unit of data, one entry with a start and
// a finish, a description, colours, image indexes, an all-day flag, a
// resource id and, for recurring entries, the link to a recurrence series.
// Besides the data it keeps what a view needs to lay the entry out and draw
// it (rectangles per shown day, visibility and edge flags, a text-truncated
// flag) and it owns its in-place editor while the description is edited.
//
// Recurrence roles: plain (not recurring), master (recurring, owns a
// series), occurrence (recurring, made from a master for one date, no
// series of its own), exception (an occurrence whose values were changed).
//
// The data, layout and archive half is portable; the drawing and editing
// operations (slots 10-15 and EndEditing) live in ZUDPAppointmentWin.cpp
// (natively they do nothing: there are no views).
#include "framework/Array.h"
#include "framework/List.h"
#include "framework/Object.h"
#include "framework/OleDateTime.h"
#include "framework/Rect.h"
#include "framework/String.h"
#include "framework/Types.h"
#include "ui/planner/ZUDPAppointmentDrawStruct.h"

class CArchive;
class CDC;
class CWnd;
class CZUDPPlannerView;
class CZUDPPlannerPrint;
class CZUDPAppointmentEdit;
class CZUDPAppointmentPropertyList;
class CZUDPRecurrence;

// What a point of an appointment is (CZUDPAppointment::HitTest).
enum {
    ZUDP_APPOINTMENT_HIT_NOWHERE = 0,
    ZUDP_APPOINTMENT_HIT_INSIDE = 1,
    ZUDP_APPOINTMENT_HIT_STRIP = 2,     // the strip left of the text
    ZUDP_APPOINTMENT_HIT_TOP = 3,
    ZUDP_APPOINTMENT_HIT_BOTTOM = 4,
    ZUDP_APPOINTMENT_HIT_LEFT = 5,
    ZUDP_APPOINTMENT_HIT_RIGHT = 6
};

class CZUDPAppointment : public CObject {
    DECLARE_SERIAL(CZUDPAppointment)
public:
    // Colours of 0xFF000000 are none: the view's or the visual manager's
    // colour applies.
    static constexpr COLORREF kNoColor = 0xFF000000;

    CZUDPAppointment();
    ~CZUDPAppointment() override;

    // ---- virtual operations, in slot order ----
    // Start, finish, description, all-day, the three colours, recurring;
    // for a recurring one its id, occurrence date and occurrence flag, then
    // the exception flag (occurrence) or the series as an object (master);
    // the resource id; the image count and indexes.  Loading resets the
    // per-instance state first; a master read back has recurrence id 0
    // (a storage gives it one) and takes its times from its rule.
    void Serialize(CArchive& ar) override;
    virtual CString GetClipboardText() const { return m_strDescription; }
    // Start and finish times and the description (its first 256 bytes).
    virtual CString GetToolTipText() const;
    virtual BOOL CanCopy() const { return TRUE; }
    // Ends in-place editing, taking the edited text unless bCancel; FALSE
    // when no editor is open.
    virtual BOOL EndEditing(BOOL bCancel);
    // Ids 0-7 of the appointment's values (the list is emptied first).
    virtual void GetProperties(CZUDPAppointmentPropertyList& props) const;
    // Applies the ids the list holds; a property whose kind does not fit
    // its id is skipped.  An occurrence becomes an exception.
    virtual void SetProperties(const CZUDPAppointmentPropertyList& props);
    // A ZUDP_APPOINTMENT_HIT_ code for a point in client coordinates.
    virtual int HitTest(const CPoint& point) const;
    virtual void DrawOnDate(CDC* pDC, CZUDPPlannerView* pView, const COleDateTime& date);
    virtual void Draw(CDC* pDC, CZUDPPlannerView* pView);
    virtual void Print(CDC* pDC);
    virtual BOOL BeginEditing(CWnd* pParent);
    virtual CZUDPAppointmentEdit* CreateEditControl(CWnd* pParent);
    virtual void DestroyEditControl();

    // ---- data ----
    // Resets all-day, the editor pointer (without destroying the editor),
    // the layout state, selection, images, the recurrence block (without
    // deleting a series), the print owner and the resource id.  Dates,
    // description and colours stay.
    void Initialize();

    // Stores each date that differs (date rule); an all-day appointment
    // keeps only the calendar days at 00:00.  The time texts follow.
    void SetInterval(const COleDateTime& dtStart, const COleDateTime& dtFinish);
    // Switching on cuts start and finish to their days at 00:00.
    void SetAllDay(BOOL bAllDay);
    void SetDescription(const CString& strDescription);
    // Finish minus start; one day more for an all-day appointment.
    COleDateTimeSpan GetDuration() const;
    void SetSelected(BOOL bSelected) { m_bSelected = bSelected; }
    // Finish minus start is a valid span of at least a day (within half a
    // second).  Long or all-day appointments are laid out horizontally.
    BOOL IsLong() const;

    const COleDateTime& GetStart() const { return m_dtStart; }
    const COleDateTime& GetFinish() const { return m_dtFinish; }
    const CString& GetDescription() const { return m_strDescription; }
    BOOL IsAllDay() const { return m_bAllDay; }
    BOOL IsSelected() const { return m_bSelected; }
    COLORREF GetBackgroundColor() const { return m_clrBackground; }
    COLORREF GetForegroundColor() const { return m_clrForeground; }
    COLORREF GetDurationColor() const { return m_clrDuration; }
    const CList<int, int>& GetImages() const { return m_lstImages; }
    DWORD GetResourceID() const { return m_ResourceID; }
    DWORD GetRecurrenceID() const { return m_RecurrenceID; }
    BOOL IsRecurrence() const { return m_bRecurrence; }
    BOOL IsRecurrenceClone() const { return m_bRecurrenceClone; }
    BOOL IsRecurrenceException() const { return m_bRecurrenceException; }
    const COleDateTime& GetRecurrenceDate() const { return m_dtRecurrenceDate; }
    CZUDPRecurrence* GetRecurrence() const { return m_pRecurrence; }
    const CString& GetStartTimeText() const { return m_strStartTime; }
    const CString& GetFinishTimeText() const { return m_strFinishTime; }

    // Written directly by the owners (properties, the multi-resource
    // storage, the control when it changes an occurrence).
    void SetBackgroundColor(COLORREF clr) { m_clrBackground = clr; }
    void SetForegroundColor(COLORREF clr) { m_clrForeground = clr; }
    void SetDurationColor(COLORREF clr) { m_clrDuration = clr; }
    CList<int, int>& GetImages() { return m_lstImages; }
    void SetResourceID(DWORD dwID) { m_ResourceID = dwID; }
    void SetRecurrenceID(DWORD dwID) { m_RecurrenceID = dwID; }
    void SetRecurrenceException(BOOL bException) { m_bRecurrenceException = bException; }

    // ---- recurrence ----
    // Takes the series (ownership passes): the appointment becomes its
    // master and takes its times from the rule.  Null makes it plain.
    void SetRecurrence(CZUDPRecurrence* pRecurrence);
    // Back to plain: the block is zeroed and an owned series deleted.
    void ClearRecurrence();
    // For a master: the rule corrects its first date; all-day goes off and
    // the interval becomes the rule's first occurrence.
    void ApplyRecurrenceTimes();
    // A new occurrence of the master for the date (the caller owns it), or
    // null when the master is an occurrence, has no recurrence id or its
    // class cannot make objects.
    static CZUDPAppointment* CreateRecurrenceClone(const CZUDPAppointment* pMaster, const COleDateTime& date);

    // ---- layout per shown date (the zero date addresses the one-piece
    // values, as does any date when there are no parts) ----
    CRect GetDrawRect(const COleDateTime& date) const;
    CRect GetEditRect(const COleDateTime& date) const;
    CRect GetTextRect(const COleDateTime& date) const;
    BOOL GetDrawValue(const COleDateTime& date) const;   // text truncated
    BOOL IsVisibleDraw(const COleDateTime& date) const;
    CRect GetPrintRect(const COleDateTime& date) const;
    BOOL IsVisiblePrint(const COleDateTime& date) const;
    void SetVisibleDraw(BOOL bVisible, const COleDateTime& date);
    void SetVisiblePrint(BOOL bVisible, const COleDateTime& date);
    // Records the rectangle of one shown day (the day at 00:00).
    void SetDrawRect(const CRect& rect, const COleDateTime& date);
    void SetPrintRect(const CRect& rect, const COleDateTime& date);
    // Before a new layout: empties the rectangles and parts, visibility
    // FALSE (the view sets it while laying out), concatenation on.
    void ResetDraw();
    void ResetPrint();
    BOOL IsPointInDraw(const CPoint& point) const;
    BOOL IsPointInText(const CPoint& point) const;
    // With parts: the clicked visible part's edit rectangle becomes the
    // one-piece edit rectangle (where the editor opens).
    void UpdateEditRect(const CPoint& point);
    // Shrinks a long or all-day appointment's rectangle by 4 pixels left
    // and right, another's by 4 at top and bottom when bVertical.
    void AdjustTrackRect(CRect& rect, BOOL bVertical) const;
    void SetPlannerPrint(CZUDPPlannerPrint* pPrint) { m_pPrinter = pPrint; }

    // The part maps (the views read and fill them).
    CZUDPAppointmentDSExMap& GetDrawParts() { return m_DSDraw; }
    const CZUDPAppointmentDSExMap& GetDrawParts() const { return m_DSDraw; }
    CZUDPAppointmentDSMap& GetPrintParts() { return m_DSPrint; }
    const CZUDPAppointmentDSMap& GetPrintParts() const { return m_DSPrint; }
    // The drawing reports back into the one-piece values.
    void SetEditRect(const CRect& rect) { m_rectEdit = rect; }
    void SetTextRect(const CRect& rect) { m_rectText = rect; }
    void SetDrawValue(BOOL bTruncated) { m_bTextTruncated = bTruncated; }

    // The open in-place editor, null while not editing.
    CZUDPAppointmentEdit* GetEditControl() const { return m_pWndInPlace; }

    // Recomputes the start and finish time texts (lower case).
    void UpdateTimeTexts();

protected:
    void RecordDayRect(CZUDPAppointmentDSMap& parts, CRect& rectOnePiece, const CRect& rect, const COleDateTime& date);

    COleDateTime m_dtStart;
    COleDateTime m_dtFinish;
    CString m_strDescription;
    CList<int, int> m_lstImages{ 10 };
    COLORREF m_clrBackground = kNoColor;
    COLORREF m_clrDuration = kNoColor;
    COLORREF m_clrForeground = kNoColor;
    BOOL m_bSelected = FALSE;
    BOOL m_bAllDay = FALSE;
    CRect m_rectDraw;
    CRect m_rectPrint;
    CRect m_rectEdit;
    CRect m_rectText;
    BOOL m_bVisibleDraw = TRUE;
    BOOL m_bVisiblePrint = TRUE;
    BOOL m_bTextTruncated = FALSE;
    CZUDPAppointmentDSExMap m_DSDraw;
    CZUDPAppointmentDSMap m_DSPrint;
    CZUDPAppointmentEdit* m_pWndInPlace = nullptr;
    BOOL m_bRecurrence = FALSE;
    DWORD m_RecurrenceID = 0;
    BOOL m_bRecurrenceClone = FALSE;
    COleDateTime m_dtRecurrenceDate;
    BOOL m_bRecurrenceException = FALSE;
    CZUDPRecurrence* m_pRecurrence = nullptr;
    CZUDPPlannerPrint* m_pPrinter = nullptr;
    DWORD m_ResourceID = 0;
    CString m_strStartTime;
    CString m_strFinishTime;
};

// The display order of appointments: resource id; long or all-day before
// short on the same start day; earlier start; longer first; description.
// Invalid and null starts and durations order after valid ones, so the
// order is total.  Negative, 0 or positive.
int CompareAppointments(const CZUDPAppointment* pApp1, const CZUDPAppointment* pApp2);
// Sorts the pointers in place by CompareAppointments (equal ones in no
// particular order).
void SortAppointments(CZUDPAppointment** ppApps, INT_PTR nCount);

// The appointments a storage or series hands out.
typedef CArray<CZUDPAppointment*, CZUDPAppointment*> CZUDPAppointmentArray;
