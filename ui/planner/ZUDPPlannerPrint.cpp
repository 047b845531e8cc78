#include "ui/planner/ZUDPPlannerPrint.h"

#include <cmath>

#include "framework/Array.h"
#include "framework/win/DC.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/PrintInfo.h"
#include "ui/planner/ZUDPAppointmentDrawStruct.h"
#include "ui/planner/ZUDPAppointmentStorage.h"
#include "ui/planner/ZUDPPlannerDates.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerPrintDay.h"
#include "ui/planner/ZUDPPlannerPrintDual.h"
#include "ui/planner/ZUDPPlannerPrintWeek.h"
#include "ui/planner/ZUDPPlannerSeams.h"
#include "ui/planner/ZUDPPlannerView.h"

IMPLEMENT_DYNCREATE(CZUDPPlannerPrint, CObject)

CZUDPPlannerPrint::CZUDPPlannerPrint()
    : m_brushWhite(RGB(255, 255, 255)), m_brushCaption(RGB(0xE4, 0xE4, 0xE4)), m_brushOtherMonth(RGB(0xC0, 0xC0, 0xC0)),
      m_penBlack(PS_SOLID, 0, RGB(0, 0, 0))
{
}

CZUDPPlannerPrint::~CZUDPPlannerPrint()
{
    ReleaseAppointments();
}

void CZUDPPlannerPrint::ReleaseAppointments()
{
    for (INT_PTR i = 0; i < m_Apps.GetSize(); ++i) {
        CZUDPAppointment* pApp = m_Apps[i];
        if (pApp == nullptr)
            continue;
        // An occurrence the storage filed itself is the storage's.
        const BOOL ours = pApp->IsRecurrenceClone() &&
                          (m_pPlanner == nullptr || m_pPlanner->GetStorage() == nullptr ||
                           !m_pPlanner->GetStorage()->HoldsAppointment(pApp));
        if (ours) {
            delete pApp;
        } else {
            pApp->ResetPrint();
            pApp->SetPlannerPrint(nullptr);
        }
    }
    m_Apps.RemoveAll();
}

void CZUDPPlannerPrint::RemoveAppointment(const CZUDPAppointment* pApp)
{
    // The dual page's halves hold the appointments as well.
    if (auto* pDual = DYNAMIC_DOWNCAST(CZUDPPlannerPrintDual, this)) {
        if (pDual->GetDayPart() != nullptr)
            pDual->GetDayPart()->RemoveAppointment(pApp);
        if (pDual->GetWeekPart() != nullptr)
            pDual->GetWeekPart()->RemoveAppointment(pApp);
    }
    for (INT_PTR i = 0; i < m_Apps.GetSize(); ++i) {
        if (m_Apps[i] == pApp) {
            m_Apps.RemoveAt(i);
            m_bLayoutNeeded = TRUE;
            return;
        }
    }
}

void CZUDPPlannerPrint::RemoveAllAppointments()
{
    if (auto* pDual = DYNAMIC_DOWNCAST(CZUDPPlannerPrintDual, this)) {
        if (pDual->GetDayPart() != nullptr)
            pDual->GetDayPart()->RemoveAllAppointments();
        if (pDual->GetWeekPart() != nullptr)
            pDual->GetWeekPart()->RemoveAllAppointments();
    }
    // The printed occurrences are the printer's and stay printable; every
    // stored appointment is forgotten without being touched.
    for (INT_PTR i = m_Apps.GetSize() - 1; i >= 0; --i) {
        CZUDPAppointment* pApp = m_Apps[i];
        const BOOL ours = pApp != nullptr && pApp->IsRecurrenceClone() &&
                          (m_pPlanner == nullptr || m_pPlanner->GetStorage() == nullptr ||
                           !m_pPlanner->GetStorage()->HoldsAppointment(pApp));
        if (!ours)
            m_Apps.RemoveAt(i);
    }
    m_bLayoutNeeded = TRUE;
}

int CZUDPPlannerPrint::WholeDays(double span)
{
    const double half = 0.5 / 86400.0;
    return int(span >= 0 ? span + half : span - half);
}

int CZUDPPlannerPrint::GetDayCount() const
{
    if (!m_DateStart.IsValid() || !m_DateEnd.IsValid())
        return 0;
    return WholeDays(m_DateEnd.m_dt - m_DateStart.m_dt) + 1;
}

CString CZUDPPlannerPrint::FormatDate(const COleDateTime& date, LPCSTR picture)
{
    CString text;
    CZUDPPlannerView::FormatDate(date, text, picture);
    return text;
}

int CZUDPPlannerPrint::TextHeight(HDC hDC)
{
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hDC, &tm);
    return tm.tmHeight;
}

// ---- the job -------------------------------------------------------------------------------

void CZUDPPlannerPrint::OnPreparePrinting(CPrintInfo* pInfo)
{
    if (pInfo == nullptr)
        return;
    pInfo->SetMinPage(1);
    pInfo->SetMaxPage(1);
    pInfo->m_dwFlags |= PD_NOSELECTION | PD_NOPAGENUMS;
}

void CZUDPPlannerPrint::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo, CZUDPPlannerManagerCtrl* pPlanner)
{
    if (pPlanner == nullptr || pPlanner->GetSafeHwnd() == nullptr || pInfo == nullptr || pDC == nullptr ||
        pDC->m_hDC == nullptr)
        return;
    // A printer that begins again (a second job, a preview that restarts)
    // first lets go of what the last query gave it.
    ReleaseAppointments();
    m_arDayRects.RemoveAll();
    m_pPlanner = pPlanner;

    m_dwDrawFlags = pPlanner->GetDrawFlags();
    m_bLayoutNeeded = TRUE;
    m_Date = pPlanner->GetDate();
    m_DateStart = pPlanner->GetDateStart();
    m_DateEnd = pPlanner->GetDateEnd();
    AdjustDateRange(m_Date);
    SetCompressWeekend(pPlanner->IsCompressWeekend());
    m_Apps.RemoveAll();
    if (m_DateStart.IsValid() && m_DateEnd.IsValid())
        pPlanner->QueryAppointments(m_Apps, m_DateStart, m_DateEnd);

    LOGFONTA lf = {};
    HFONT hFont = reinterpret_cast<HFONT>(pPlanner->SendMessage(WM_GETFONT));
    if (hFont == nullptr || ::GetObjectA(hFont, sizeof(lf), &lf) == 0)
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    const HDC hScreen = ::GetDC(nullptr);
    const HDC hAttrib = pDC->m_hAttribDC != nullptr ? pDC->m_hAttribDC : pDC->m_hDC;
    const int screenX = ::GetDeviceCaps(hScreen, LOGPIXELSX);
    const int screenY = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    const int printerX = g_frameworkSeams.printerCaps(hAttrib, LOGPIXELSX);
    const int printerY = g_frameworkSeams.printerCaps(hAttrib, LOGPIXELSY);
    ::ReleaseDC(nullptr, hScreen);
    lf.lfHeight = ::MulDiv(lf.lfHeight, printerY, screenY);
    lf.lfWidth = ::MulDiv(lf.lfWidth, printerX, screenX);
    m_OnePoint.cx = screenX > 0 ? RoundToInt(double(printerX) / screenX) : 1;
    m_OnePoint.cy = screenY > 0 ? RoundToInt(double(printerY) / screenY) : 1;

    m_Font.DeleteObject();
    m_Font.CreateFontIndirect(&lf);
    LOGFONTA bold = lf;
    bold.lfWeight = FW_BOLD;
    m_FontBold.DeleteObject();
    m_FontBold.CreateFontIndirect(&bold);
    LOGFONTA vert = lf;
    vert.lfEscapement = vert.lfOrientation = 900;
    m_FontVert.DeleteObject();
    m_FontVert.CreateFontIndirect(&vert);

    m_rectPage.SetRectEmpty();
    m_rectPageHeader.SetRectEmpty();
    m_rectPageFooter.SetRectEmpty();
    m_PrintTime = g_plannerSeams.now();
    m_nPage = 0;
}

void CZUDPPlannerPrint::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC == nullptr || pDC->m_hDC == nullptr || pInfo == nullptr)
        return;
    if (m_bLayoutNeeded) {
        AdjustLayout(pDC, pInfo);
        m_bLayoutNeeded = FALSE;
    }
    m_nPage = int(pInfo->m_nCurPage);
    DrawPageHeader(pDC);
    DrawPageFooter(pDC);
}

// ---- layout --------------------------------------------------------------------------------

void CZUDPPlannerPrint::AdjustLayout(CDC* pDC, CPrintInfo* pInfo)
{
    m_rectPage = pInfo->m_rectDraw;
    m_rectPageHeader.SetRectEmpty();
    m_rectPageFooter.SetRectEmpty();
    if (m_bDrawPageHeader) {
        CalcPageHeaderRect(pDC);
        if (!m_rectPageHeader.IsRectEmpty())
            m_rectPage.top = m_rectPageHeader.bottom + 6 * m_OnePoint.cy;
    }
    if (m_bDrawPageFooter) {
        CalcPageFooterRect(pDC);
        if (!m_rectPageFooter.IsRectEmpty())
            m_rectPage.bottom = m_rectPageFooter.top - 6 * m_OnePoint.cy;
    }
    const HDC hAttrib = pDC->m_hAttribDC != nullptr ? pDC->m_hAttribDC : pDC->m_hDC;
    const HGDIOBJ oldFont = ::SelectObject(pDC->m_hDC, m_FontBold.GetSafeHandle());
    if (hAttrib != pDC->m_hDC)
        ::SelectObject(hAttrib, m_FontBold.GetSafeHandle());
    m_nRowHeight = TextHeight(hAttrib) + 4 * m_OnePoint.cy;
    m_rectPage.DeflateRect(m_OnePoint.cx, m_OnePoint.cy);

    RECT page = m_rectPage;
    AdjustPageAreas(pDC, page);
    m_rectPage = page;
    m_arDayRects.RemoveAll();
    AdjustRects();
    AdjustCaptionFormat(pDC);
    AdjustAppointments();
    ::SelectObject(pDC->m_hDC, oldFont);
}

void CZUDPPlannerPrint::CalcPageHeaderRect(CDC* pDC)
{
    LOGFONTA lf = {};
    if (m_Font.GetSafeHandle() == nullptr || ::GetObjectA(m_Font.GetSafeHandle(), sizeof(lf), &lf) == 0)
        return;
    lf.lfWeight = FW_BOLD;
    lf.lfHeight *= 3;
    m_FontPageHeader.DeleteObject();
    m_FontPageHeader.CreateFontIndirect(&lf);
    const HGDIOBJ old = ::SelectObject(pDC->m_hDC, m_FontPageHeader.GetSafeHandle());
    const int height = TextHeight(pDC->m_hDC);
    ::SelectObject(pDC->m_hDC, old);
    m_rectPageHeader = m_rectPage;
    m_rectPageHeader.bottom = m_rectPageHeader.top + 2 * (height + 2 * m_OnePoint.cy);
}

void CZUDPPlannerPrint::CalcPageFooterRect(CDC* pDC)
{
    LOGFONTA lf = {};
    if (m_Font.GetSafeHandle() == nullptr || ::GetObjectA(m_Font.GetSafeHandle(), sizeof(lf), &lf) == 0)
        return;
    m_FontPageFooter.DeleteObject();
    m_FontPageFooter.CreateFontIndirect(&lf);
    const HGDIOBJ old = ::SelectObject(pDC->m_hDC, m_FontPageFooter.GetSafeHandle());
    const int height = TextHeight(pDC->m_hDC);
    ::SelectObject(pDC->m_hDC, old);
    m_rectPageFooter = m_rectPage;
    m_rectPageFooter.top = m_rectPageFooter.bottom - height - 4 * m_OnePoint.cy;
}

void CZUDPPlannerPrint::AdjustCaptionFormat(CDC* pDC)
{
    CStringArray formats;
    GetCaptionFormatStrings(formats);
    m_strCaptionFormat.Empty();
    const int days = GetDayCount();
    if (formats.GetSize() == 0 || m_arDayRects.GetSize() < days)
        return;
    const HDC hAttrib = pDC->m_hAttribDC != nullptr ? pDC->m_hAttribDC : pDC->m_hDC;
    for (INT_PTR f = 0; f < formats.GetSize(); ++f) {
        m_strCaptionFormat = formats[f];
        BOOL fits = TRUE;
        for (int i = 0; i < days && fits; ++i) {
            const CString text = FormatDate(COleDateTime(m_DateStart.m_dt + i), m_strCaptionFormat);
            SIZE size = {};
            ::GetTextExtentPoint32A(hAttrib, text, text.GetLength(), &size);
            fits = size.cx <= m_arDayRects[i].Width();
        }
        if (fits)
            return;
    }
}

void CZUDPPlannerPrint::CheckVisibleAppointments(const COleDateTime& date, const RECT& rect, BOOL bFull)
{
    const BOOL anyDate = date == COleDateTime(0.0);
    for (INT_PTR i = 0; i < m_Apps.GetSize(); ++i) {
        CZUDPAppointment* pApp = m_Apps[i];
        if (!anyDate && !CZUDPPlannerView::IsAppointmentOnDate(pApp, date))
            continue;
        const CRect r = pApp->GetPrintRect(date);
        CRect inside;
        inside.IntersectRect(&r, &rect);
        const BOOL visible = bFull ? (inside.Height() == r.Height() && inside.bottom < rect.bottom) : inside.Height() > 1;
        pApp->SetVisiblePrint(visible, date);
    }
}

// ---- drawing -------------------------------------------------------------------------------

void CZUDPPlannerPrint::DrawPageHeader(CDC* pDC)
{
    if (m_rectPageHeader.IsRectEmpty())
        return;
    const HDC hDC = pDC->m_hDC;
    const HGDIOBJ oldBrush = ::SelectObject(hDC, m_brushCaption.GetSafeHandle());
    const HGDIOBJ oldPen = ::SelectObject(hDC, m_penBlack.GetSafeHandle());
    ::Rectangle(hDC, m_rectPageHeader.left, m_rectPageHeader.top, m_rectPageHeader.right, m_rectPageHeader.bottom);
    ::SelectObject(hDC, oldPen);
    ::SelectObject(hDC, oldBrush);
    const CString text = GetPageHeaderText();
    if (!text.IsEmpty()) {
        const int oldMode = ::SetBkMode(hDC, TRANSPARENT);
        const HGDIOBJ oldFont = ::SelectObject(hDC, m_FontPageHeader.GetSafeHandle());
        CRect r = m_rectPageHeader;
        r.DeflateRect(4 * m_OnePoint.cx, m_OnePoint.cy);
        ::DrawTextA(hDC, text, text.GetLength(), &r, DT_LEFT | DT_TOP);
        ::SelectObject(hDC, oldFont);
        ::SetBkMode(hDC, oldMode);
    }
    pDC->Draw3dRect(&m_rectPageHeader, m_clrLine, m_clrLine);
}

void CZUDPPlannerPrint::DrawPageFooter(CDC* pDC)
{
    if (m_rectPageFooter.IsRectEmpty())
        return;
    const HDC hDC = pDC->m_hDC;
    const int oldMode = ::SetBkMode(hDC, TRANSPARENT);
    const HGDIOBJ oldFont = ::SelectObject(hDC, m_FontPageFooter.GetSafeHandle());
    CRect r = m_rectPageFooter;
    r.DeflateRect(0, m_OnePoint.cy);
    char date[100] = "";
    SYSTEMTIME st = {};
    const BOOL haveTime = m_PrintTime.IsValid();
    if (haveTime) {
        st.wYear = WORD(m_PrintTime.GetYear());
        st.wMonth = WORD(m_PrintTime.GetMonth());
        st.wDay = WORD(m_PrintTime.GetDay());
        st.wDayOfWeek = WORD(m_PrintTime.GetDayOfWeek() - 1);
    }
    if (haveTime)
        ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, sizeof(date));
    PlannerTimeOfDay time;
    time.hour = m_PrintTime.GetHour();
    time.minute = m_PrintTime.GetMinute();
    time.second = m_PrintTime.GetSecond();
    CString text1 = CString(date) + " " + (haveTime ? g_plannerSeams.formatTime(time, TIME_NOSECONDS, nullptr) : CString());
    ::DrawTextA(hDC, text1, text1.GetLength(), &r, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    CString text2;
    text2.Format("%d", m_nPage);
    ::DrawTextA(hDC, text2, text2.GetLength(), &r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    ::SelectObject(hDC, oldFont);
    ::SetBkMode(hDC, oldMode);
}

BYTE CZUDPPlannerPrint::DrawAppointments(CDC* pDC, const RECT& rect, const COleDateTime& date)
{
    BYTE flags = 0;
    const BOOL anyDate = date == COleDateTime(0.0);
    const CRect area(rect);
    for (INT_PTR i = 0; i < m_Apps.GetSize(); ++i) {
        CZUDPAppointment* pApp = m_Apps[i];
        if (!anyDate) {
            if (!CZUDPPlannerView::IsAppointmentOnDate(pApp, date))
                continue;
            if (!pApp->IsVisiblePrint(date)) {
                flags |= (area.IsRectEmpty() || pApp->GetPrintRect(date).bottom <= area.top) ? 1 : 2;
                continue;
            }
        }
        pApp->SetPlannerPrint(this);
        pApp->Print(pDC);
        pApp->SetPlannerPrint(nullptr);
    }
    return flags;
}

void CZUDPPlannerPrint::DrawHeaderArea(CDC* pDC, const RECT& rect, int nStep)
{
    (void)nStep;
    ::FillRect(pDC->m_hDC, &rect, static_cast<HBRUSH>(m_brushCaption.GetSafeHandle()));
}

void CZUDPPlannerPrint::DrawCaptionDate(CDC* pDC, const RECT& rect, const COleDateTime& date, BOOL bCenter,
                                        BOOL bUnderline, CBrush* pBrush)
{
    DrawCaptionText(pDC, rect, FormatDate(date, m_strCaptionFormat), bCenter, bUnderline, pBrush);
}

void CZUDPPlannerPrint::DrawCaptionText(CDC* pDC, const RECT& rect, const CString& text, BOOL bCenter,
                                        BOOL bUnderline, CBrush* pBrush)
{
    const HDC hDC = pDC->m_hDC;
    if (pBrush != nullptr)
        ::FillRect(hDC, &rect, static_cast<HBRUSH>(pBrush->GetSafeHandle()));
    CRect r(rect);
    r.DeflateRect(2 * m_OnePoint.cx, 0);
    const COLORREF oldColor = ::SetTextColor(hDC, m_clrText);
    if ((m_dwDrawFlags & 0x0800) == 0) {
        ::DrawTextA(hDC, text, text.GetLength(), &r, DT_SINGLELINE | DT_VCENTER | (bCenter ? DT_CENTER : DT_RIGHT));
    } else {
        const int split = text.Find('\n');
        if (split >= 0) {
            const CString number = text.Left(split);
            const CString name = text.Mid(split + 1);
            ::DrawTextA(hDC, number, number.GetLength(), &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
            ::DrawTextA(hDC, name, name.GetLength(), &r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        } else {
            ::DrawTextA(hDC, text, text.GetLength(), &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        }
    }
    ::SetTextColor(hDC, oldColor);
    if (bUnderline) {
        const HGDIOBJ oldPen = ::SelectObject(hDC, m_penBlack.GetSafeHandle());
        ::MoveToEx(hDC, rect.left, rect.bottom, nullptr);
        ::LineTo(hDC, rect.right, rect.bottom);
        ::SelectObject(hDC, oldPen);
    }
}

void CZUDPPlannerPrint::DrawAppointment(CDC* pDC, CZUDPAppointment* pApp, CZUDPAppointmentDrawStruct* pDS)
{
    if (pDC == nullptr || pDC->m_hDC == nullptr || pApp == nullptr || pDS == nullptr)
        return;
    const HDC hDC = pDC->m_hDC;
    CRect r = pDS->GetRect();
    const DWORD edges = pDS->GetBorder();
    const BOOL isLong = pApp->IsAllDay() || pApp->IsLong();
    CString startText = pApp->GetStartTimeText();
    CString finishText = pApp->GetFinishTimeText();
    const BOOL noFinish = pApp->GetStart() == pApp->GetFinish() && !isLong;

    if (!isLong) {
        if (!CZUDPPlannerView::IsSameDay(pApp->GetStart(), pApp->GetFinish())) {
            const COleDateTime& f = pApp->GetFinish();
            const COleDateTime midnight(f.GetYear(), f.GetMonth(), f.GetDay(), 0, 0, 0);
            CString text;
            FormatPlannerTime(text, midnight, TIME_NOSECONDS, FALSE);
            text.MakeLower();
            if (edges == CZUDPAppointmentDrawStruct::kStartEdge)
                finishText = text;
            else if (edges == CZUDPAppointmentDrawStruct::kFinishEdge)
                startText = text;
        }
        r.DeflateRect(5 * m_OnePoint.cx, 0);
    } else {
        r.DeflateRect(3 * m_OnePoint.cx, 0);
    }
    if (pApp->GetBackgroundColor() != 0xFF000000 || isLong) {
        const COLORREF back = pApp->GetBackgroundColor() != 0xFF000000 ? pApp->GetBackgroundColor() : RGB(255, 255, 255);
        ::SetBkColor(hDC, back);
        ::ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    }
    const COLORREF fore = pApp->GetForegroundColor() != 0xFF000000 ? pApp->GetForegroundColor() : m_clrText;
    const COLORREF oldColor = ::SetTextColor(hDC, fore);

    if (isLong) {
        CPen pen(PS_SOLID, 0, m_clrLine);
        const HGDIOBJ oldPen = ::SelectObject(hDC, pen.GetSafeHandle());
        if (edges == (CZUDPAppointmentDrawStruct::kStartEdge | CZUDPAppointmentDrawStruct::kFinishEdge)) {
            const HGDIOBJ oldBrush = ::SelectObject(hDC, ::GetStockObject(NULL_BRUSH));
            ::Rectangle(hDC, r.left, r.top, r.right, r.bottom);
            ::SelectObject(hDC, oldBrush);
        } else {
            ::MoveToEx(hDC, r.left, r.top, nullptr);
            ::LineTo(hDC, r.right, r.top);
            ::MoveToEx(hDC, r.left, r.bottom - m_OnePoint.cy, nullptr);
            ::LineTo(hDC, r.right, r.bottom - m_OnePoint.cy);
            if ((edges & CZUDPAppointmentDrawStruct::kStartEdge) != 0) {
                ::MoveToEx(hDC, r.left, r.top, nullptr);
                ::LineTo(hDC, r.left, r.bottom);
            }
            if ((edges & CZUDPAppointmentDrawStruct::kFinishEdge) != 0) {
                ::MoveToEx(hDC, r.right - m_OnePoint.cx, r.top, nullptr);
                ::LineTo(hDC, r.right - m_OnePoint.cx, r.bottom);
            }
        }
        ::SelectObject(hDC, oldPen);
    } else if (!startText.IsEmpty()) {
        SIZE space = {};
        ::GetTextExtentPoint32A(hDC, " ", 1, &space);
        CString sample = COleDateTime(2005, 1, 1, 23, 59, 0).Format(CZUDPPlannerView::Is24HourClock() ? "%H:%M" : "%H:%M%p");
        sample.MakeLower();
        SIZE sampleSize = {};
        ::GetTextExtentPoint32A(hDC, sample, sample.GetLength(), &sampleSize);
        const int w = sampleSize.cx;
        if (r.Width() >= 2 * w) {
            CRect t(r.left, r.top + m_OnePoint.cy, r.left + w, r.bottom);
            ::DrawTextA(hDC, startText, startText.GetLength(), &t, DT_NOPREFIX | DT_RIGHT);
            r.left += w + space.cx;
            if (r.Width() >= 3 * w) {
                if (!noFinish) {
                    CRect t2(r.left, r.top + m_OnePoint.cy, r.left + w, r.bottom);
                    ::DrawTextA(hDC, finishText, finishText.GetLength(), &t2, DT_NOPREFIX | DT_RIGHT);
                }
                r.left += w + space.cx;
            }
        }
    }
    const CString& description = pApp->GetDescription();
    if (!description.IsEmpty()) {
        CRect t(r.left + 4 * m_OnePoint.cx, r.top + m_OnePoint.cy, r.right - m_OnePoint.cx, r.bottom);
        if (isLong) {
            SIZE size = {};
            ::GetTextExtentPoint32A(hDC, description, description.GetLength(), &size);
            if (size.cx < t.Width())
                t.left += (t.Width() - size.cx) / 2;
        }
        ::DrawTextA(hDC, description, description.GetLength(), &t, DT_NOPREFIX);
    }
    ::SetTextColor(hDC, oldColor);
}
