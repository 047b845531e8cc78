// trov_planner_print_bench: the planner's printed pages against plain GDI,
// in one run.  Run under Wine (headless):
//
//   trov_planner_print_bench [ROUNDS]      (default 7 rounds)
//
// Each page is printed into an enhanced metafile that answers like an A4
// printer at 150 dpi (through the printer-capability seam): the job's
// beginning (query, fonts, units) and its one page (layout and drawing).
// The baseline draws the same page frame, grid lines, captions, boxes and
// descriptions with plain GDI into an enhanced metafile of the same size,
// at the rectangles the printer laid out.
//   day page:   three days holding 200 appointments (lanes, all-day bars)
//   month page: five weeks holding 2,000 appointments
// Goal: 2 or less for each.  The layout alone (the job's beginning and
// AdjustLayout, nothing drawn) is reported beside each page.
// Both sides are warmed up first and run in alternating rounds; each line
// gives the median of the rounds.
#include "bench/win/AlternatingRounds.h"
#include "framework/Seam.h"
#include "framework/win/DC.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/PrintInfo.h"
#include "framework/win/WinApp.h"
#include "ui/planner/ZUDPAppointmentStorage.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerPrintDay.h"
#include "ui/planner/ZUDPPlannerPrintMonth.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace benchrounds;

const int kDpi = 150;
const int kPageWidth = 1240;
const int kPageHeight = 1754;
const COleDateTime kMonday(2024, 5, 13, 0, 0, 0);

// A day page of three days from Monday.
class CThreeDayPrint : public CZUDPPlannerPrintDay {
public:
    void AdjustDateRange(const COleDateTime& date) override
    {
        (void)date;
        m_DateStart = kMonday;
        m_DateEnd = COleDateTime(kMonday.m_dt + 2.999988425925926);
    }
};

class CBenchMonthPrint : public CZUDPPlannerPrintMonth {
public:
};

// An enhanced metafile as large as the page: the job's device context.
struct MetafilePage {
    MetafilePage()
    {
        // The frame in 0.01 mm: A4.
        const RECT frame = { 0, 0, 21000, 29700 };
        hdc = ::CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
        dc.Attach(hdc);
    }
    ~MetafilePage()
    {
        dc.Detach();
        ::DeleteEnhMetaFile(::CloseEnhMetaFile(hdc));
    }
    MetafilePage(const MetafilePage&) = delete;
    MetafilePage& operator=(const MetafilePage&) = delete;
    HDC hdc = nullptr;
    CDC dc;
};

// What the printer laid out: the baseline draws exactly this.
struct Box {
    CRect rect;
    CString text;
    bool timed;
};
struct PageShape {
    std::vector<CRect> days;
    std::vector<Box> boxes;
    CRect page, header, footer;
    int rowHeight = 0;
    bool hourLines = false;
};

PageShape ShapeOf(const CZUDPPlannerPrint& printer, bool hourLines)
{
    PageShape shape;
    for (INT_PTR i = 0; i < printer.GetDayRects().GetSize(); ++i)
        shape.days.push_back(printer.GetDayRects()[i]);
    const CZUDPAppointmentArray& apps = printer.GetAppointments();
    for (INT_PTR i = 0; i < apps.GetSize(); ++i) {
        CZUDPAppointment* app = apps[i];
        const bool timed = !app->IsAllDay() && !app->IsLong();
        const CZUDPAppointmentDSMap& parts = app->GetPrintParts();
        if (parts.GetCount() == 0 && app->IsVisiblePrint(COleDateTime(0.0)) &&
            !app->GetPrintRect(COleDateTime(0.0)).IsRectEmpty())
            shape.boxes.push_back({ app->GetPrintRect(COleDateTime(0.0)), app->GetDescription(), timed });
        for (INT_PTR p = 0; p < parts.GetCount(); ++p) {
            if (parts.GetDrawStruct(p)->IsVisible())
                shape.boxes.push_back({ parts.GetDrawStruct(p)->GetRect(), app->GetDescription(), timed });
        }
    }
    shape.page = printer.GetPageRect();
    shape.header = printer.GetPageHeaderRect();
    shape.footer = printer.GetPageFooterRect();
    shape.rowHeight = printer.GetRowHeight();
    shape.hourLines = hourLines;
    return shape;
}

// Plain GDI: the page frame, the grid with its captions, every box filled,
// framed and written.
void PrintPlain(HDC hdc, const PageShape& shape, HFONT font, HFONT bold)
{
    const HGDIOBJ oldFont = ::SelectObject(hdc, bold);
    const HGDIOBJ oldPen = ::SelectObject(hdc, ::GetStockObject(BLACK_PEN));
    ::SetBkMode(hdc, TRANSPARENT);
    HBRUSH caption = ::CreateSolidBrush(RGB(0xE4, 0xE4, 0xE4));
    HBRUSH white = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    HBRUSH strip = ::CreateSolidBrush(RGB(0, 0, 255));
    CRect header = shape.header;
    ::FillRect(hdc, &header, caption);
    ::Rectangle(hdc, header.left, header.top, header.right, header.bottom);
    ::DrawTextA(hdc, "May 13 - May 15, 2024", -1, &header, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(hdc, font);
    CRect footer = shape.footer;
    ::DrawTextA(hdc, "1", -1, &footer, DT_CENTER | DT_SINGLELINE);
    ::DrawTextA(hdc, "15/05/2024 10:00", -1, &footer, DT_RIGHT | DT_SINGLELINE);
    for (const CRect& day : shape.days) {
        CRect cap(day.left, day.top - shape.rowHeight, day.right, day.top);
        ::FillRect(hdc, &cap, caption);
        ::DrawTextA(hdc, "Monday 13", -1, &cap, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::MoveToEx(hdc, day.left - 1, day.top, nullptr);
        ::LineTo(hdc, day.left - 1, day.bottom);
        ::MoveToEx(hdc, day.left, day.bottom, nullptr);
        ::LineTo(hdc, day.right, day.bottom);
        if (shape.hourLines) {
            for (int y = day.top + shape.rowHeight; y < day.bottom; y += shape.rowHeight) {
                ::MoveToEx(hdc, day.left, y, nullptr);
                ::LineTo(hdc, day.right, y);
            }
        }
    }
    if (shape.hourLines) {
        for (int j = 0; j < 24; ++j) {
            RECT label = { shape.page.left - 3 * shape.rowHeight, shape.page.top + j * shape.rowHeight,
                           shape.page.left, shape.page.top + (j + 1) * shape.rowHeight };
            char text[8];
            std::snprintf(text, sizeof text, "%2d:00", j);
            ::DrawTextA(hdc, text, -1, &label, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
        }
    }
    ::SelectObject(hdc, ::GetStockObject(NULL_BRUSH));
    for (const Box& box : shape.boxes) {
        CRect r = box.rect;
        if (box.timed) {
            RECT s = { r.left, r.top, r.left + 12, r.bottom };
            ::FillRect(hdc, &s, strip);
            r.left += 14;
        }
        ::FillRect(hdc, &r, white);
        RECT t = { r.left + 8, r.top + 2, r.right - 2, r.bottom };
        ::DrawTextA(hdc, box.text, box.text.GetLength(), &t, DT_NOPREFIX);
        ::Rectangle(hdc, box.rect.left, box.rect.top, box.rect.right, box.rect.bottom);
    }
    ::Rectangle(hdc, shape.page.left - 2, shape.page.top - 2, shape.page.right + 2, shape.page.bottom + 2);
    ::DeleteObject(caption);
    ::DeleteObject(strip);
    ::SelectObject(hdc, oldPen);
    ::SelectObject(hdc, oldFont);
}

template <class Printer>
void Job(CZUDPPlannerManagerCtrl& planner, bool draw, bool beginOnly = false)
{
    MetafilePage page;
    CPrintInfo info;
    info.m_rectDraw = CRect(0, 0, kPageWidth, kPageHeight);
    Printer printer;
    printer.OnPreparePrinting(&info);
    printer.OnBeginPrinting(&page.dc, &info, &planner);
    if (draw)
        printer.OnPrint(&page.dc, &info);
    else if (!beginOnly)
        printer.AdjustLayout(&page.dc, &info);
}

template <class Printer>
PageShape LaidOut(CZUDPPlannerManagerCtrl& planner, bool hourLines)
{
    MetafilePage page;
    CPrintInfo info;
    info.m_rectDraw = CRect(0, 0, kPageWidth, kPageHeight);
    Printer printer;
    printer.OnBeginPrinting(&page.dc, &info, &planner);
    printer.OnPrint(&page.dc, &info);
    return ShapeOf(printer, hourLines);
}

void Report(const char* what, const Result& page, const Result& layout, size_t boxes)
{
    std::printf("%-12s %5zu boxes  printer %8.3f ms  plain GDI %8.3f ms  ratio %5.2f  (goal 2)   layout alone %8.3f ms"
                " (%.2f of the baseline)\n",
                what, boxes, page.candidate * 1e3, page.baseline * 1e3, page.ratio, layout.candidate * 1e3,
                layout.ratio);
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 7;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);
    ScopedSeam<int(HDC, int)> caps(g_frameworkSeams.printerCaps, [](HDC, int index) {
        switch (index) {
        case LOGPIXELSX:
        case LOGPIXELSY: return kDpi;
        case HORZRES: return kPageWidth;
        case VERTRES: return kPageHeight;
        default: return 0;
        }
    });
    std::printf("planner pages printed into an enhanced metafile (A4, %d dpi) against plain GDI, median of %d rounds\n",
                kDpi, rounds);

    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 900, 700), nullptr, 0);
    CZUDPPlannerManagerCtrl planner;
    planner.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 900, 700), &host, 1);
    planner.SetDate(COleDateTime(2024, 5, 15, 0, 0, 0), FALSE);
    auto add = [&](const COleDateTime& start, const COleDateTime& finish, const std::string& text, BOOL allDay) {
        auto* app = new CZUDPAppointment;
        app->SetInterval(start, finish);
        app->SetAllDay(allDay);
        app->SetDescription(text.c_str());
        planner.GetStorage()->Add(app);
    };

    LOGFONTA lf = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    lf.lfHeight = ::MulDiv(lf.lfHeight, kDpi, 96);
    HFONT font = ::CreateFontIndirectA(&lf);
    lf.lfWeight = FW_BOLD;
    HFONT bold = ::CreateFontIndirectA(&lf);

    // Day page: 200 appointments over three days, a few of them all-day.
    for (int i = 0; i < 200; ++i) {
        const int day = i % 3;
        if (i % 40 == 0) {
            add(kMonday + COleDateTimeSpan(day, 0, 0, 0), kMonday + COleDateTimeSpan(day + 1, 0, 0, 0),
                "Away " + std::to_string(i + 1), TRUE);
            continue;
        }
        const COleDateTime begin = kMonday + COleDateTimeSpan(day, 7 + (i / 3) % 12, (i % 4) * 15, 0);
        add(begin, begin + COleDateTimeSpan(0, 1, (i % 3) * 10, 0), "Meeting " + std::to_string(i + 1), FALSE);
    }
    {
        const PageShape shape = LaidOut<CThreeDayPrint>(planner, true);
        auto printer = [&] { Job<CThreeDayPrint>(planner, true); };
        auto layout = [&] { Job<CThreeDayPrint>(planner, false); };
        auto plain = [&] {
            MetafilePage page;
            PrintPlain(page.hdc, shape, font, bold);
        };
        const Result whole = Compare(printer, plain, 5, rounds);
        const Result alone = Compare(layout, plain, 5, rounds);
        Report("day page", whole, alone, shape.boxes.size());
    }

    // Month page: 2,000 appointments over the five weeks of May 2024.
    planner.RemoveAllAppointments(FALSE);
    const COleDateTime first(2024, 4, 29, 0, 0, 0);
    for (int i = 0; i < 1800; ++i) {
        const COleDateTime begin = first + COleDateTimeSpan(i % 35, 7 + (i / 35) % 12, (i % 4) * 15, 0);
        add(begin, begin + COleDateTimeSpan(0, 1, 0, 0), "Meeting " + std::to_string(i + 1), FALSE);
    }
    for (int i = 0; i < 200; ++i) {
        const COleDateTime begin = first + COleDateTimeSpan(i % 33, 9, 0, 0);
        add(begin, begin + COleDateTimeSpan(1 + i % 4, 0, 0, 0), "Trip " + std::to_string(i + 1), i % 2);
    }
    {
        const PageShape shape = LaidOut<CBenchMonthPrint>(planner, false);
        auto printer = [&] { Job<CBenchMonthPrint>(planner, true); };
        auto layout = [&] { Job<CBenchMonthPrint>(planner, false); };
        auto plain = [&] {
            MetafilePage page;
            PrintPlain(page.hdc, shape, font, bold);
        };
        const Result whole = Compare(printer, plain, 3, rounds);
        const Result alone = Compare(layout, plain, 3, rounds);
        Report("month page", whole, alone, shape.boxes.size());
        auto begin = [&] { Job<CBenchMonthPrint>(planner, false, true); };
        const Result start = Compare(begin, plain, 3, rounds);
        std::printf("             the job's beginning alone (query, fonts, units) %8.3f ms\n", start.candidate * 1e3);
    }

    ::DeleteObject(font);
    ::DeleteObject(bold);
    planner.RemoveAllAppointments(FALSE);
    planner.DestroyWindow();
    host.DestroyWindow();
    return 0;
}
