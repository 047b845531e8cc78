#pragma once
// Drawing records of appointments.  An appointment that covers several
// shown days is drawn as several pieces, one per run of consecutive days in
// one row (a week row, the all-day band, a printed page); each piece has a
// record (rectangle, edge flags, visibility and what the view's drawing
// reported back), and a part map keyed by date intervals holds them.  Every
// appointment owns one part map for the screen (Ex records) and one for
// printing.
#include "framework/Array.h"
#include "framework/OleDateTime.h"
#include "framework/Rect.h"
#include "framework/Types.h"

class CZUDPAppointmentDrawStruct {
public:
    // Edge flags: the piece holds the appointment's start edge (it may be
    // dragged to change the start), its finish edge.
    static constexpr DWORD kStartEdge = 0x1;
    static constexpr DWORD kFinishEdge = 0x2;

    CZUDPAppointmentDrawStruct() { ResetRecord(); }
    virtual ~CZUDPAppointmentDrawStruct() = default;

    // Empties the rectangle, clears the edge flags and visibility.
    virtual void Reset() { ResetRecord(); }

    const CRect& GetRect() const { return m_rect; }
    void SetRect(const CRect& rect) { m_rect = rect; }
    DWORD GetBorder() const { return m_dwBorder; }
    void SetBorder(DWORD dwBorder) { m_dwBorder = dwBorder; }
    // Records that are not visible are skipped by drawing, hit testing and
    // point tests; the view sets visibility while it lays out.
    BOOL IsVisible() const { return m_bVisible; }
    void SetVisible(BOOL bVisible) { m_bVisible = bVisible; }

protected:
    void ResetRecord()
    {
        m_rect.SetRectEmpty();
        m_dwBorder = 0;
        m_bVisible = FALSE;
    }

    CRect m_rect;
    DWORD m_dwBorder = 0;
    BOOL m_bVisible = FALSE;
};

// The screen's record: also what the view's drawing reports back.
class CZUDPAppointmentDrawStructEx : public CZUDPAppointmentDrawStruct {
public:
    CZUDPAppointmentDrawStructEx() = default;

    void Reset() override
    {
        ResetRecord();
        m_bTextTruncated = FALSE;
        m_rectEdit.SetRectEmpty();
        m_rectText.SetRectEmpty();
    }

    // The description did not fit.
    BOOL IsTextTruncated() const { return m_bTextTruncated; }
    void SetTextTruncated(BOOL bTruncated) { m_bTextTruncated = bTruncated; }
    // Where an in-place editor opens for this piece.
    const CRect& GetEditRect() const { return m_rectEdit; }
    void SetEditRect(const CRect& rect) { m_rectEdit = rect; }
    // Where the text was drawn; the area of the piece left of it is the
    // strip before the text.
    const CRect& GetTextRect() const { return m_rectText; }
    void SetTextRect(const CRect& rect) { m_rectText = rect; }

protected:
    BOOL m_bTextTruncated = FALSE;
    CRect m_rectEdit;
    CRect m_rectText;
};

class CZUDPAppointmentDSMap {
public:
    // One piece: the dates it covers and its record (owned by the map).
    struct XDateInterval {
        COleDateTime m_dtStart;
        COleDateTime m_dtFinish;
        CZUDPAppointmentDrawStruct* m_pDS = nullptr;
    };

    CZUDPAppointmentDSMap() = default;
    virtual ~CZUDPAppointmentDSMap() { RemoveAll(); }
    CZUDPAppointmentDSMap(const CZUDPAppointmentDSMap&) = delete;
    CZUDPAppointmentDSMap& operator=(const CZUDPAppointmentDSMap&) = delete;

    // Records the rectangle of one shown date: the piece holding the date
    // takes it; a date right after the last piece in the same row
    // stretches that piece (with concatenation on); otherwise a new piece
    // starts.  Edge flags: a first piece holds the start edge, a later one
    // the finish edge (the appointment corrects them by its dates).
    virtual void Add(const COleDateTime& date, const CRect& rect);
    // A new record of the map's kind.
    virtual CZUDPAppointmentDrawStruct* CreateDrawStruct() const { return new CZUDPAppointmentDrawStruct; }

    // The record of the first piece whose interval holds the date (by the
    // date rule: within half a second of either end counts); null when
    // none (always for an invalid date).
    CZUDPAppointmentDrawStruct* Find(const COleDateTime& date) const;
    // The record of the first visible piece whose rectangle holds the
    // point; null when none.
    CZUDPAppointmentDrawStruct* FindByPoint(const CPoint& point) const;
    BOOL ContainsPoint(const CPoint& point) const { return FindByPoint(point) != nullptr; }
    // Some visible record's text rectangle holds the point (Ex records).
    BOOL ContainsPointInText(const CPoint& point) const;

    // Deletes every record.
    void RemoveAll();

    INT_PTR GetCount() const { return m_arDates.GetSize(); }
    const XDateInterval& GetInterval(INT_PTR index) const { return m_arDates[index]; }
    CZUDPAppointmentDrawStruct* GetDrawStruct(INT_PTR index) const { return m_arDates[index].m_pDS; }

    // Whether a date directly following the last piece in the same row
    // stretches it (on by default; the multi-resource view turns it off).
    BOOL IsConcatenate() const { return m_bConcatenate; }
    void SetConcatenate(BOOL bConcatenate) { m_bConcatenate = bConcatenate; }

protected:
    void AppendPiece(const COleDateTime& date, const CRect& rect, DWORD dwBorder);

    // The pieces in the order they were made (the order of the days laid
    // out).
    CArray<XDateInterval, const XDateInterval&> m_arDates;
    BOOL m_bConcatenate = TRUE;
};

// The screen's part map: its records are CZUDPAppointmentDrawStructEx.
class CZUDPAppointmentDSExMap : public CZUDPAppointmentDSMap {
public:
    CZUDPAppointmentDrawStruct* CreateDrawStruct() const override { return new CZUDPAppointmentDrawStructEx; }
};
