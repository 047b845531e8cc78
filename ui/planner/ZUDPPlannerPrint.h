#pragma once
// The planner's printer objects.  While a print job runs the planner
// control owns one of them, chosen by its view: it takes the date range from
// the control, queries the appointments of the range, lays out one page at
// the printer's resolution and draws the page header, the footer, the day
// grid and the appointments.  Every job is one page.  The base class prints
// header and footer only; CZUDPPlannerPrintDay, -Week, -Month and -Dual
// print a body.  Margins and gaps are multiples of the printer units per
// screen pixel, so the paper keeps the screen's proportions.
#include "framework/Array.h"
#include "framework/Object.h"
#include "framework/OleDateTime.h"
#include "framework/Rect.h"
#include "framework/String.h"
#include "framework/win/GdiObject.h"
#include "ui/planner/ZUDPAppointment.h"

class CDC;
class CPrintInfo;
class CStringArray;
class CZUDPAppointmentDrawStruct;
class CZUDPPlannerManagerCtrl;

class CZUDPPlannerPrint : public CObject {
    DECLARE_DYNCREATE(CZUDPPlannerPrint)
public:
    CZUDPPlannerPrint();
    // Deletes the occurrences its query made, resets the printed
    // rectangles of the others (the storage's).
    ~CZUDPPlannerPrint() override;

    // ---- virtual operations, in slot order ----
    virtual void SetCompressWeekend(BOOL bCompress) { (void)bCompress; }
    virtual BOOL IsCompressWeekend() const { return FALSE; }
    virtual void SetDrawTimeFinish(BOOL bDraw) { (void)bDraw; }
    virtual BOOL IsDrawTimeFinish() const { return TRUE; }
    // One page: the dialog asks for no range.
    virtual void OnPreparePrinting(CPrintInfo* pInfo);
    // Takes dates, appointments, fonts and units from the control.
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo, CZUDPPlannerManagerCtrl* pPlanner);
    // Lays out once, then draws header and footer.
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void SetDrawPageHeader(BOOL bDraw) { m_bDrawPageHeader = bDraw; }
    virtual void SetDrawPageFooter(BOOL bDraw) { m_bDrawPageFooter = bDraw; }
    virtual void AdjustDateRange(const COleDateTime& date) { (void)date; }
    // Date pictures of the day captions, widest first.
    virtual void GetCaptionFormatStrings(CStringArray& formats) { (void)formats; }
    virtual CString GetPageHeaderText() { return CString(); }
    virtual void AdjustLayout(CDC* pDC, CPrintInfo* pInfo);
    virtual void AdjustPageAreas(CDC* pDC, RECT& page)
    {
        (void)pDC;
        (void)page;
    }
    virtual void AdjustRects() {}
    virtual void AdjustAppointments() {}
    virtual void CalcPageHeaderRect(CDC* pDC);
    virtual void CalcPageFooterRect(CDC* pDC);
    virtual void AdjustCaptionFormat(CDC* pDC);
    virtual void CheckVisibleAppointments(const COleDateTime& date, const RECT& rect, BOOL bFull);
    virtual void DrawPageHeader(CDC* pDC);
    virtual void DrawPageFooter(CDC* pDC);
    virtual void OnDrawClient(CDC* pDC) { (void)pDC; }
    // Prints every appointment (on the date, unless it is the zero date);
    // answers 1 when some on the date are hidden above the rectangle, 2
    // below.
    virtual BYTE DrawAppointments(CDC* pDC, const RECT& rect, const COleDateTime& date);
    virtual void DrawHeaderArea(CDC* pDC, const RECT& rect, int nStep);
    virtual void DrawCaptionDate(CDC* pDC, const RECT& rect, const COleDateTime& date, BOOL bCenter, BOOL bUnderline,
                                 CBrush* pBrush);
    virtual void DrawCaptionText(CDC* pDC, const RECT& rect, const CString& text, BOOL bCenter, BOOL bUnderline,
                                 CBrush* pBrush);
    // One printed part of an appointment (the record's rectangle and edges).
    virtual void DrawAppointment(CDC* pDC, CZUDPAppointment* pApp, CZUDPAppointmentDrawStruct* pDS);

    // ---- the control's removals reach a live printer ----
    // The appointment is no longer the storage's: it leaves the printed
    // set (never touched again) and the page is laid out anew.
    void RemoveAppointment(const CZUDPAppointment* pApp);
    // Every stored appointment left (the storage was emptied or replaced).
    void RemoveAllAppointments();

    // ---- what tests and the derived prints read ----
    const CZUDPAppointmentArray& GetAppointments() const { return m_Apps; }
    const CRect& GetPageRect() const { return m_rectPage; }
    const CRect& GetPageHeaderRect() const { return m_rectPageHeader; }
    const CRect& GetPageFooterRect() const { return m_rectPageFooter; }
    const CArray<CRect, CRect>& GetDayRects() const { return m_arDayRects; }
    int GetRowHeight() const { return m_nRowHeight; }
    int GetUnitX() const { return m_OnePoint.cx; }
    int GetUnitY() const { return m_OnePoint.cy; }
    const COleDateTime& GetDate() const { return m_Date; }
    const COleDateTime& GetDateStart() const { return m_DateStart; }
    const COleDateTime& GetDateEnd() const { return m_DateEnd; }
    const CString& GetCaptionFormat() const { return m_strCaptionFormat; }
    BOOL IsDrawPageHeader() const { return m_bDrawPageHeader; }
    BOOL IsDrawPageFooter() const { return m_bDrawPageFooter; }
    // The printed days (whole days from start to end, plus one).
    int GetDayCount() const;
    static int WholeDays(double span);

protected:
    // The printed occurrences go, the stored appointments' printed
    // rectangles are reset, the array is emptied.
    void ReleaseAppointments();
    // Text with a picture of the user locale's date language.
    static CString FormatDate(const COleDateTime& date, LPCSTR picture);
    static int TextHeight(HDC hDC);

    CZUDPAppointmentArray m_Apps;
    CRect m_rectPage;
    int m_nRowHeight = 0;
    COleDateTime m_Date = COleDateTime(0.0);
    COleDateTime m_DateStart = COleDateTime(0.0);
    COleDateTime m_DateEnd = COleDateTime(0.0);
    CArray<CRect, CRect> m_arDayRects;
    CBrush m_brushWhite;
    CBrush m_brushCaption;
    CBrush m_brushOtherMonth;
    CPen m_penBlack;
    COLORREF m_clrLine = 0;
    COLORREF m_clrText = 0;
    CSize m_OnePoint;   // printer units per screen pixel (x, y)
    CRect m_rectPageHeader;
    CRect m_rectPageFooter;
    BOOL m_bDrawPageHeader = TRUE;
    BOOL m_bDrawPageFooter = TRUE;
    CFont m_Font;
    CFont m_FontBold;
    CFont m_FontVert;
    CFont m_FontPageHeader;
    CFont m_FontPageFooter;
    COleDateTime m_PrintTime = COleDateTime(0.0);
    int m_nPage = 0;
    CString m_strCaptionFormat;
    BOOL m_bLayoutNeeded = TRUE;
    DWORD m_dwDrawFlags = 0;
    // The control whose storage the appointments belong to (its storage
    // decides which occurrences the printer's query made).
    CZUDPPlannerManagerCtrl* m_pPlanner = nullptr;
};
