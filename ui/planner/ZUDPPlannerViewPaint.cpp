// The planner view's layout and painting: row height and scroll bar,
// caption format, fonts, hidden appointments and their icons, the order in
// which appointments are painted, and the appointment box of the week and
// month views.  Every colour and fill comes from the active visual manager.
#include "ui/planner/ZUDPPlannerView.h"

#include "framework/win/Wnd.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/planner/PlannerShadow.h"
#include "ui/planner/ZUDPPlannerClip.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"

namespace {

const COLORREF kPlannerNoColour = CZUDPVisualManager::kPlannerNoColor;

void HorizontalLine(CDC* pDC, int left, int right, int y)
{
    pDC->MoveTo(left, y);
    pDC->LineTo(right, y);
}

void VerticalLine(CDC* pDC, int x, int top, int bottom)
{
    pDC->MoveTo(x, top);
    pDC->LineTo(x, bottom);
}

} // namespace

// ---- layout ----------------------------------------------------------------------------

void CZUDPPlannerView::AdjustLayout(BOOL bRedraw)
{
    if (!m_bActive || !HasPlannerWindow())
        return;
    CloseAppointmentEdit();

    CClientDC dc(m_pPlanner);
    CFont* pOldFont = SelectFont(&dc, TRUE);
    TEXTMETRIC tm = {};
    dc.GetTextMetrics(&tm);

    // The row fits a caption line, a clock icon and an appointment image.
    const int textRow = tm.tmHeight + int(CZUDPVisualManager::GetActiveManager()->QueryPlannerOption()) + 4;
    const int clockRow = GetClockIconSize().cy + 2;
    const int row = clockRow < textRow ? textRow : clockRow;
    CZUDPPlannerManagerCtrl::InitImages();
    const int imageRow = CZUDPPlannerManagerCtrl::GetImageSize().cy + 2;
    m_nRowHeight = imageRow < row ? row : imageRow;

    CRect rectClient;
    m_pPlanner->GetClientRect(rectClient);
    m_rectView = rectClient;
    AdjustScrollSizes(&dc, rectClient);

    CScrollBar* pScrollBar = m_pPlanner->GetScrollBarCtrl(SB_VERT);
    if (pScrollBar != nullptr) {
        if (m_pPlanner->m_bShowScrollBar) {
            const int width = ::GetSystemMetrics(SM_CXHSCROLL);
            m_rectView.right -= width;
            pScrollBar->SetWindowPos(nullptr, m_rectView.right, rectClient.top, width, rectClient.Height(),
                                     SWP_NOZORDER | SWP_NOACTIVATE);
            pScrollBar->ShowWindow(SW_SHOWNOACTIVATE);
        } else {
            pScrollBar->ShowWindow(SW_HIDE);
        }
    }

    m_ViewRects.RemoveAll();
    m_UpRects.RemoveAll();
    m_DownRects.RemoveAll();
    AdjustRects();
    AdjustCaptionFormat(&dc);
    AdjustAppointments();

    if (bRedraw)
        RedrawPlanner();
    dc.SelectObject(pOldFont);
}

void CZUDPPlannerView::AdjustCaptionFormat(CDC* pDC)
{
    CStringArray formats;
    GetCaptionFormatStrings(formats);
    const BOOL twoPart = (GetDrawFlags() & ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_COMPACT) != 0;
    const int days = GetLaidOutDayCount();
    for (INT_PTR f = 0; f < formats.GetSize(); ++f) {
        m_strCaptionFormat = formats[f];
        // The last format is used without measuring.
        if (f == formats.GetUpperBound() || pDC == nullptr)
            return;
        BOOL fits = TRUE;
        for (int d = 0; d < days && fits; ++d) {
            CString text;
            FormatDate(m_dtDateStart + COleDateTimeSpan(double(d)), text, m_strCaptionFormat);
            const int width = pDC->GetTextExtent(text).cx;
            const int required = twoPart ? width * 10 / 6 : width;
            fits = m_ViewRects[d].Width() >= required + 6;
        }
        if (fits)
            return;
    }
}

void CZUDPPlannerView::UpdateScrollBar()
{
    if (m_pPlanner == nullptr)
        return;
    CScrollBar* pScrollBar = m_pPlanner->GetScrollBarCtrl(SB_VERT);
    if (pScrollBar == nullptr)
        return;
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = m_nScrollTotal;
    info.nPage = m_nScrollPage > 0 ? UINT(m_nScrollPage) : 0;
    info.nPos = m_nScrollOffset;
    pScrollBar->SetScrollInfo(&info, TRUE);
    pScrollBar->EnableScrollBar(ESB_ENABLE_BOTH);
    pScrollBar->EnableWindow(TRUE);
}

BOOL CZUDPPlannerView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    (void)nSBCode;
    (void)nPos;
    (void)pScrollBar;
    CloseAppointmentEdit();
    if (m_pPlanner != nullptr) {
        CScrollBar* pBar = m_pPlanner->GetScrollBarCtrl(SB_VERT);
        if (pBar != nullptr)
            pBar->SetScrollPos(m_nScrollOffset, TRUE);
    }
    AdjustLayout(TRUE);
    return TRUE;
}

// ---- fonts ----------------------------------------------------------------------------------

HFONT CZUDPPlannerView::SetFont(HFONT hFont)
{
    HFONT hPrevious = m_Font.GetSafeHandle() != nullptr ? static_cast<HFONT>(m_Font.Detach()) : nullptr;
    if (hFont != nullptr) {
        m_Font.Attach(hFont);
        m_FontBold.DeleteObject();
        m_FontVert.DeleteObject();
        LOGFONTA lf = {};
        if (::GetObjectA(hFont, sizeof lf, &lf) != 0) {
            LOGFONTA bold = lf;
            bold.lfWeight = FW_BOLD;
            m_FontBold.CreateFontIndirect(&bold);
            LOGFONTA vertical = lf;
            vertical.lfEscapement = 900;
            vertical.lfOrientation = 900;
            m_FontVert.CreateFontIndirect(&vertical);
        }
    }
    if (hFont != hPrevious)
        AdjustLayout(TRUE);
    return hPrevious;
}

CFont* CZUDPPlannerView::GetFont(BOOL bCaption)
{
    if (bCaption && (GetDrawFlags() & ZUDP_PLANNER_DRAW_VIEW_CAPTION_DAY_BOLD) != 0)
        return m_FontBold.GetSafeHandle() != nullptr ? &m_FontBold : &g_uiEnvironment.m_fontBold;
    return m_Font.GetSafeHandle() != nullptr ? &m_Font : &g_uiEnvironment.m_fontRegular;
}

CFont* CZUDPPlannerView::GetVerticalFont()
{
    return m_FontVert.GetSafeHandle() != nullptr ? &m_FontVert : &g_uiEnvironment.m_fontVerticalUp;
}

CFont* CZUDPPlannerView::SelectFont(CDC* pDC, BOOL bCaption)
{
    return pDC != nullptr ? pDC->SelectObject(GetFont(bCaption)) : nullptr;
}

// ---- hidden appointments ----------------------------------------------------------------------

void CZUDPPlannerView::CheckVisibleAppointments(const COleDateTime& date, const CRect& rect, BOOL bFullVisible)
{
    const BOOL zeroDate = date == COleDateTime(0.0);
    const BOOL dragShown = IsDragAppointmentsShown();
    auto check = [&](CZUDPAppointment* pApp) {
        const CRect rectApp = pApp->GetDrawRect(date);
        CRect clipped;
        clipped.IntersectRect(rectApp, rect);
        const BOOL visible = bFullVisible ? clipped.Height() == rectApp.Height() && clipped.bottom < rect.bottom
                                          : clipped.Height() > 1;
        pApp->SetVisibleDraw(visible, date);
    };
    const int day = zeroDate ? -1 : m_dayIndex.DayOf(date);
    if (day >= 0) {
        for (const CPlannerDayIndex::Entry& entry : m_dayIndex.On(day))
            if (entry.list == 0 || dragShown)
                check(entry.pApp);
        return;
    }
    CZUDPAppointmentArray* lists[2] = {&GetQueriedAppointments(), dragShown ? &m_DragAppointments : nullptr};
    for (CZUDPAppointmentArray* list : lists) {
        if (list == nullptr)
            continue;
        for (INT_PTR i = 0; i < list->GetSize(); ++i) {
            CZUDPAppointment* pApp = list->GetAt(i);
            if (pApp == nullptr || (!zeroDate && !IsAppointmentOnDate(pApp, date)))
                continue;
            check(pApp);
        }
    }
}

void CZUDPPlannerView::IndexAppointmentsByDay(int days)
{
    CZUDPAppointmentArray* lists[2] = {&GetQueriedAppointments(), &m_DragAppointments};
    m_dayIndex.Build(m_dtDateStart, days, lists, 2);
}

void CZUDPPlannerView::ClearUpDownIcons()
{
    m_UpRects.RemoveAll();
    m_DownRects.RemoveAll();
}

void CZUDPPlannerView::AdjustUpDownIcons(BOOL bAnyHiddenIsBelow)
{
    ClearUpDownIcons();
    if (m_pPlanner == nullptr)
        return;
    const CSize iconSize = m_pPlanner->GetUpDownIconSize();
    if (iconSize.cx == 0 && iconSize.cy == 0)
        return;
    CZUDPAppointmentArray& queried = GetQueriedAppointments();
    if (queried.GetSize() == 0 && m_DragAppointments.GetSize() == 0)
        return;

    // A selected original whose copy is being moved away is not hidden.
    const DROPEFFECT effect = GetDragEffect();
    const BOOL movedAway = IsDragAppointmentsShown() && effect != DROPEFFECT_NONE &&
                           (effect & DROPEFFECT_COPY) == 0 && !IsCaptureUnchanged();
    const int days = GetLaidOutDayCount();
    for (int d = 0; d < days; ++d) {
        const COleDateTime date = m_dtDateStart + COleDateTimeSpan(double(d));
        const CRect& rectDay = m_ViewRects[d];
        BYTE flags = 0;
        auto look = [&](CZUDPAppointment* pApp, int l) {
            if (pApp == nullptr || pApp->IsVisibleDraw(date))
                return;
            if (l == 0 && movedAway && pApp->IsSelected())
                return;
            // Never laid out (the multi-resource view's appointments of
            // a resource it does not show): not hidden, just not there.
            const CRect rectApp = pApp->GetDrawRect(date);
            if (rectApp.IsRectNull())
                return;
            if (bAnyHiddenIsBelow) {
                flags |= 2;
            } else if (!rectDay.IsRectNull()) {
                if (rectApp.bottom > rectDay.top) {
                    if (rectApp.top + 1 >= rectDay.bottom)
                        flags |= 2;
                } else {
                    flags |= 1;
                }
            }
        };
        const int indexed = m_dayIndex.DayOf(date);
        if (indexed >= 0) {
            for (const CPlannerDayIndex::Entry& entry : m_dayIndex.On(indexed)) {
                if (flags == 3)
                    break;
                look(entry.pApp, entry.list);
            }
        } else {
            CZUDPAppointmentArray* lists[2] = {&queried, &m_DragAppointments};
            for (int l = 0; l < 2 && flags != 3; ++l) {
                CZUDPAppointmentArray& list = *lists[l];
                for (INT_PTR i = 0; i < list.GetSize() && flags != 3; ++i)
                    if (list[i] != nullptr && IsAppointmentOnDate(list[i], date))
                        look(list[i], l);
            }
        }
        if (flags != 0)
            AddUpDownIcons(flags, rectDay);
    }
}

void CZUDPPlannerView::MakeArrowCopies(HIMAGELIST images, CSize size)
{
    for (int index = 0; index < 2; ++index) {
        m_bmpArrowImage[index].DeleteObject();
        m_bmpArrowMask[index].DeleteObject();
    }
    m_hArrowSource = images;
    m_sizeArrow = size;
    CDC dc;
    if (!dc.CreateCompatibleDC(nullptr))
        return;
    const int count = ImageList_GetImageCount(images);
    for (int index = 0; index < 2 && index < count; ++index) {
        LPVOID bits = nullptr;
        m_bmpArrowImage[index].Attach(CZUDPDrawManager::Create32BitDibSection(CSize(size.cx, -size.cy), &bits));
        m_bmpArrowMask[index].Attach(CZUDPDrawManager::Create32BitDibSection(CSize(size.cx, -size.cy), &bits));
        if (m_bmpArrowImage[index].GetSafeHandle() == nullptr || m_bmpArrowMask[index].GetSafeHandle() == nullptr)
            continue;
        const CRect whole(CPoint(0, 0), size);
        // The colours with black where the arrow is transparent, and the
        // mask: white there, black under the arrow.
        HGDIOBJ old = ::SelectObject(dc, m_bmpArrowImage[index].GetSafeHandle());
        dc.FillSolidRect(whole, RGB(0, 0, 0));
        ImageList_Draw(images, index, dc, 0, 0, ILD_NORMAL);
        ::SelectObject(dc, m_bmpArrowMask[index].GetSafeHandle());
        dc.FillSolidRect(whole, RGB(255, 255, 255));
        ImageList_Draw(images, index, dc, 0, 0, ILD_MASK);
        ::SelectObject(dc, old);
    }
}

void CZUDPPlannerView::DrawUpDownIcons(CDC* pDC)
{
    if (pDC == nullptr || pDC->GetSafeHdc() == nullptr || m_pPlanner == nullptr)
        return;
    if (m_UpRects.GetSize() == 0 && m_DownRects.GetSize() == 0)
        return;
    HIMAGELIST images = m_pPlanner->m_ilUpDown.GetSafeHandle();
    if (images == nullptr)
        return;
    // The arrows are copied out of the control's image list once and then
    // drawn as a mask and a colour blit: making an icon of them, or drawing
    // straight from the list, costs more on every paint than all the rest
    // of the icons.
    const CSize size = m_pPlanner->GetUpDownIconSize();
    if (images != m_hArrowSource || size != m_sizeArrow)
        MakeArrowCopies(images, size);
    CDC source;
    if (!source.CreateCompatibleDC(pDC))
        return;
    HGDIOBJ old = nullptr;
    for (int index = 0; index < 2; ++index) {
        if (m_bmpArrowImage[index].GetSafeHandle() == nullptr || m_bmpArrowMask[index].GetSafeHandle() == nullptr)
            continue;
        const CRectArray& rects = index == 0 ? m_UpRects : m_DownRects;
        if (rects.GetSize() == 0)
            continue;
        HGDIOBJ previous = ::SelectObject(source, m_bmpArrowMask[index].GetSafeHandle());
        if (old == nullptr)
            old = previous;
        for (INT_PTR i = 0; i < rects.GetSize(); ++i)
            ::BitBlt(pDC->GetSafeHdc(), rects[i].left, rects[i].top, size.cx, size.cy, source, 0, 0, SRCAND);
        ::SelectObject(source, m_bmpArrowImage[index].GetSafeHandle());
        for (INT_PTR i = 0; i < rects.GetSize(); ++i)
            ::BitBlt(pDC->GetSafeHdc(), rects[i].left, rects[i].top, size.cx, size.cy, source, 0, 0, SRCPAINT);
    }
    if (old != nullptr)
        ::SelectObject(source, old);
}

// ---- painting ---------------------------------------------------------------------------------

CString CZUDPPlannerView::GetTimeSample()
{
    CString sample = "%H" + GetTimeSeparator() + "%M";
    if (!Is24HourClock())
        sample += "%p";
    return sample;
}

BYTE CZUDPPlannerView::DrawAppointments(CDC* pDC, const CRect& rect, const COleDateTime& date)
{
    m_boxText.Forget();
    CZUDPAppointmentArray& queried = GetQueriedAppointments();
    if (queried.GetSize() == 0 && m_DragAppointments.GetSize() == 0)
        return 0;
    const BOOL zeroDate = date == COleDateTime(0.0);
    const DROPEFFECT effect = GetDragEffect();
    const BOOL draggingOut = IsDragging() && effect != DROPEFFECT_NONE;
    BYTE flags = 0;
    CZUDPAppointmentArray* lists[2] = {&queried, &m_DragAppointments};
    for (int l = 0; l < 2; ++l) {
        CZUDPAppointmentArray& list = *lists[l];
        for (INT_PTR i = 0; i < list.GetSize(); ++i) {
            CZUDPAppointment* pApp = list[i];
            if (pApp == nullptr)
                continue;
            if (!zeroDate) {
                if (!IsAppointmentOnDate(pApp, date))
                    continue;
                if (!pApp->IsVisibleDraw(date)) {
                    flags |= HiddenFlags(rect, pApp->GetDrawRect(date));
                    continue;
                }
            }
            if (l == 0 && pApp->IsSelected() && draggingOut) {
                // The original of a dragged copy: unselected while copying or
                // still on its spot, not at all once moved away.
                if ((effect & DROPEFFECT_COPY) != 0 || IsCaptureUnchanged()) {
                    pApp->SetSelected(FALSE);
                    pApp->DrawOnDate(pDC, this, date);
                    pApp->SetSelected(TRUE);
                }
                continue;
            }
            pApp->DrawOnDate(pDC, this, date);
        }
    }
    return flags;
}

void CZUDPPlannerView::DrawAppointment(CDC* pDC, CZUDPAppointment* pApp, CZUDPAppointmentDrawStruct* pDS)
{
    if (pDC == nullptr || pDC->GetSafeHdc() == nullptr || pApp == nullptr || pDS == nullptr)
        return;
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    const DWORD flags = GetDrawFlags();
    const DWORD edges = pDS->GetBorder();
    const BOOL hasStart = (edges & CZUDPAppointmentDrawStruct::kStartEdge) != 0;
    const BOOL hasFinish = (edges & CZUDPAppointmentDrawStruct::kFinishEdge) != 0;
    const BOOL selected = pApp->IsSelected();
    const BOOL isLong = pApp->IsAllDay() || pApp->IsLong();
    const BOOL rounded = (flags & ZUDP_PLANNER_DRAW_APP_ROUNDED_CORNERS) != 0;
    const BOOL override = (flags & ZUDP_PLANNER_DRAW_APP_OVERRIDE_SELECTION) != 0;
    const CRect rectRecord = pDS->GetRect();
    CRect rect = rectRecord;

    // 1. Times.  A short appointment that crosses midnight reads up to
    // midnight on its first part and from midnight on its second.
    COleDateTime start = pApp->GetStart();
    COleDateTime finish = pApp->GetFinish();
    CString startText = pApp->GetStartTimeText();
    CString finishText = pApp->GetFinishTimeText();
    if (!isLong && !IsSameDay(start, finish)) {
        if (edges == CZUDPAppointmentDrawStruct::kStartEdge) {
            finish = PlannerDates::TruncateToDay(finish);
            FormatPlannerTime(finishText, finish, TIME_NOSECONDS, FALSE);
            finishText.MakeLower();
        } else if (edges == CZUDPAppointmentDrawStruct::kFinishEdge) {
            start = PlannerDates::TruncateToDay(finish);
            FormatPlannerTime(startText, start, TIME_NOSECONDS, FALSE);
            startText.MakeLower();
        }
    }
    const BOOL both = isLong ? (hasStart && hasFinish) : TRUE;
    const BOOL zero = !isLong && start == finish;

    // 2, 3. Shadow and clipping.
    const BOOL shadow = CanDrawShadow() && !selected;
    CPlannerClip clip(pDC);
    CRgn region;
    if (rounded) {
        int leftInset = 3, rightInset = 3;
        if (isLong) {
            if (!both) {
                leftInset = hasStart ? 3 : 0;
                if (!hasFinish)
                    rightInset = 0;
            }
            if (selected)
                rect.InflateRect(0, 1);
        } else if (selected && override) {
            rect.InflateRect(0, 1);
        } else if (selected) {
            leftInset = rightInset = 0;
        }
        rect.left += leftInset;
        rect.right -= rightInset;
        region.CreateRoundRectRgn(rect.left, rect.top, rect.right + 1, rect.bottom + 1, 5, 5);
        if (isLong && !both) {
            // Square corners where the appointment continues.
            if (!hasStart) {
                CRgn side;
                side.CreateRectRgn(rect.left - 1, rect.top, rect.left + 3, rect.bottom);
                region.CombineRgn(&region, &side, RGN_OR);
            }
            if (!hasFinish) {
                CRgn side;
                side.CreateRectRgn(rect.right - 4, rect.top, rect.right + 1, rect.bottom);
                region.CombineRgn(&region, &side, RGN_OR);
            }
        }
        clip.Intersect(region);
        if (selected && (isLong || override))
            rect.DeflateRect(0, 1);
    } else if (isLong || override) {
        rect.DeflateRect(3, 0);
    } else if (!selected) {
        rect.DeflateRect(5, 0);
    }

    // 4. Colours.
    COLORREF fill = pApp->GetBackgroundColor();
    COLORREF fill2 = fill;
    COLORREF frame1 = g_uiEnvironment.m_colorWindowFrame;
    COLORREF frame2 = frame1;
    COLORREF text = pApp->GetForegroundColor();
    pManager->GetPlannerDayColors(this, selected, !isLong, flags, fill, fill2, frame1, frame2, text);

    // 5, 6. Fill and shadow.
    CZUDPDrawManager drawing(*pDC);
    if (selected && !override) {
        if (fill != kPlannerNoColour)
            pDC->FillSolidRect(rect, fill);
        if (!isLong)
            rect.DeflateRect(rounded ? 3 : 5, 0);
    } else if ((flags & ZUDP_PLANNER_DRAW_APP_GRADIENT_FILL) != 0) {
        drawing.FillLinearGradient(rect, fill, fill2, TRUE);
    } else if ((pApp->GetBackgroundColor() != kPlannerNoColour || isLong) && fill != kPlannerNoColour) {
        pDC->FillSolidRect(rect, fill);
    }
    if (shadow) {
        CRect rectShadow = rect;
        rectShadow.bottom += 1;
        if (!PlannerShadow::DrawInPixels(pDC, rectShadow, 5, 75))
            drawing.DrawDropShadow(rectShadow, 5, 100, 75, nullptr, nullptr, (COLORREF)-1, TRUE);
    }

    // 7, 8. Text colour and frame.
    const COLORREF oldText = pDC->SetTextColor(text);
    CZUDPPlannerManagerCtrl::InitImages();
    const CSize imageSize = CZUDPPlannerManagerCtrl::GetImageSize();
    if (rounded) {
        if (isLong || (selected && override)) {
            CBrush brush(frame2);
            const int width = selected ? 2 : 1;
            pDC->FrameRgn(&region, &brush, width, width);
        }
        rect.DeflateRect(isLong ? 1 : 3, 0);
    } else if (isLong) {
        if (both)
            PlannerFrameRect(pDC, rect, frame2, frame2);
        if (!both || selected) {
            CPen pen(PS_SOLID, 1, frame2);
            CPen* pOldPen = pDC->SelectObject(&pen);
            if (!both) {
                HorizontalLine(pDC, rect.left, rect.right, rect.top);
                HorizontalLine(pDC, rect.left, rect.right, rect.bottom - 1);
                if (hasStart)
                    VerticalLine(pDC, rect.left, rect.top, rect.bottom);
                if (hasFinish)
                    VerticalLine(pDC, rect.right - 1, rect.top, rect.bottom);
            }
            if (selected) {
                const int left = hasStart ? rect.left : rect.left - 1;
                const int right = hasFinish ? rect.right : rect.right + 1;
                HorizontalLine(pDC, left, right, rect.top - 1);
                HorizontalLine(pDC, left, right, rect.bottom);
            }
            pDC->SelectObject(pOldPen);
        }
        if (override)
            rect.DeflateRect(1, 0);
    } else if (selected) {
        if (override) {
            CRect inner = rect;
            inner.DeflateRect(1, 0);
            PlannerFrameRect(pDC, inner, frame2, frame2);
            inner.InflateRect(1, 1);
            PlannerFrameRect(pDC, inner, frame2, frame2);
            rect.DeflateRect(2, 0);
        }
    } else if (override) {
        rect.DeflateRect(2, 0);
    }

    // 9. Times, as clock icons or text.
    BOOL cut = FALSE;
    if (!pApp->IsAllDay()) {
        const CSize icon = GetClockIconSize();
        const BOOL asIcons =
            (IsDrawTimeAsIcons() || (isLong && (flags & ZUDP_PLANNER_DRAW_APP_NO_TIME_ICONS) == 0)) &&
            !(icon.cx == 0 && icon.cy == 0);
        if (asIcons) {
            const int y = rect.top + (rect.bottom - icon.cy - rect.top) / 2;
            if (isLong) {
                if (hasStart && PlannerDates::HasTimeOfDay(start)) {
                    DrawClockIcon(pDC, CPoint(rect.left + 1, y), start);
                    rect.left += icon.cx + 3;
                }
                if (hasFinish && PlannerDates::HasTimeOfDay(finish)) {
                    DrawClockIcon(pDC, CPoint(rect.right - icon.cx - 1, y), finish);
                    rect.right -= icon.cx + 3;
                }
            } else {
                if (rect.Width() >= 3 * icon.cx) {
                    DrawClockIcon(pDC, CPoint(rect.left + 1, y), start);
                    rect.left += icon.cx + 3;
                    if (rect.Width() >= 4 * icon.cx && IsDrawTimeFinish()) {
                        DrawClockIcon(pDC, CPoint(rect.left + 1, y), finish);
                        rect.left += icon.cx + 3;
                    }
                }
                // The tooltip shows the exact times.
                cut = TRUE;
            }
        } else if (!startText.IsEmpty()) {
            const COLORREF timeColour = pManager->GetPlannerCellColor(this, selected, !isLong, flags);
            const COLORREF previous =
                timeColour != kPlannerNoColour ? pDC->SetTextColor(timeColour) : kPlannerNoColour;
            m_boxText.Measure(pDC, GetTimeSample());
            const int timeWidth = m_boxText.TimeWidth();
            const int spaceWidth = m_boxText.SpaceWidth();
            const UINT format = DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
            if (isLong) {
                if (rect.Width() < 3 * timeWidth + 3 * spaceWidth) {
                    cut = TRUE;
                } else {
                    if (hasStart && PlannerDates::HasTimeOfDay(start)) {
                        CRect cell(rect.left + 2, rect.top, rect.left + timeWidth + 2, rect.bottom - 1);
                        pDC->DrawText(startText, cell, format);
                        rect.left = cell.right + spaceWidth;
                    }
                    if (hasFinish && PlannerDates::HasTimeOfDay(finish)) {
                        CRect cell(rect.right - timeWidth - 3, rect.top, rect.right - 3, rect.bottom - 1);
                        pDC->DrawText(finishText, cell, format);
                        rect.right = cell.left - spaceWidth;
                    }
                }
            } else if (rect.Width() < 2 * (timeWidth + spaceWidth)) {
                cut = TRUE;
            } else {
                CRect cell(rect.left, rect.top, rect.left + timeWidth, rect.bottom - 1);
                pDC->DrawText(startText, cell, format);
                rect.left += timeWidth + spaceWidth;
                if (!IsDrawTimeFinish()) {
                    cut = TRUE;
                } else if (rect.Width() < 3 * timeWidth) {
                    cut = TRUE;
                } else {
                    if (!zero) {
                        CRect finishCell(rect.left, rect.top, rect.left + timeWidth, rect.bottom - 1);
                        pDC->DrawText(finishText, finishCell, format);
                    }
                    rect.left += timeWidth + spaceWidth;
                }
            }
            if (timeColour != kPlannerNoColour)
                pDC->SetTextColor(previous);
        }
    }

    // 10. Where an editor opens and where the tooltip's text lies.
    auto* pRecord = dynamic_cast<CZUDPAppointmentDrawStructEx*>(pDS);
    CRect rectText = rect;
    rectText.right = rectRecord.right - ((isLong && !rounded) ? 3 : (!isLong && override) ? 4 : 0);
    CRect rectEdit = rectText;
    if (isLong) {
        if (rounded) {
            rectEdit.left = hasStart ? rectRecord.left + 4 : rectRecord.left;
            if (hasFinish)
                rectEdit.right -= 4;
        } else {
            rectEdit.left = rectRecord.left + 3 - (hasStart ? 0 : 1);
            rectEdit.InflateRect(0, 1);
            if (!hasFinish)
                rectEdit.right += 1;
        }
    }
    rectEdit.DeflateRect(1, 1);
    rectText.DeflateRect(1, 1);
    if (pRecord != nullptr) {
        pRecord->SetEditRect(rectEdit);
        pRecord->SetTextRect(rectText);
    }

    // 11. Images: the recurrence mark, then the appointment's own.
    CArray<int, int> images;
    BOOL imagesCut = FALSE;
    int x = rect.left + 1;
    const int right = rect.right;
    if (imageSize.cx > 0 && imageSize.cy > 0) {
        if (pApp->IsRecurrence() && (flags & ZUDP_PLANNER_DRAW_APP_NO_RECURRENCE_IMAGE) == 0 &&
            right - rect.left - 1 > 1.5 * imageSize.cx) {
            images.Add(pApp->IsRecurrenceException() ? 1 : 0);
            x += imageSize.cx;
        }
        const CList<int, int>& own = pApp->GetImages();
        if (!own.IsEmpty() && (flags & ZUDP_PLANNER_DRAW_APP_NO_IMAGES) == 0) {
            for (POSITION pos = own.GetHeadPosition(); pos != nullptr;) {
                const int image = own.GetNext(pos);
                if (imageSize.cx >= right - x) {
                    imagesCut = TRUE;
                    break;
                }
                images.Add(image);
                x += imageSize.cx;
            }
        }
    }

    // 12-14. Images and description.
    const CString& description = pApp->GetDescription();
    const BOOL drawText = !description.IsEmpty() && !imagesCut;
    const int textWidth = pDC->GetTextExtent(description).cx;
    if (images.GetSize() > 0) {
        const int y = rect.top + (rect.bottom - imageSize.cy - rect.top) / 2;
        int position = rect.left + 1;
        if (isLong && x + textWidth - rect.left < rect.Width())
            position += (rect.right - textWidth - x) / 2;
        for (INT_PTR i = 0; i < images.GetSize(); ++i) {
            CZUDPPlannerManagerCtrl::DrawImageIcon(pDC, CPoint(position, y), images[i]);
            position += imageSize.cx;
        }
        rect.left = position + 1;
    }
    if (drawText) {
        CRect rectDescription(rect.left + 4, rect.top, rect.right - 1, rect.bottom - 1);
        if (isLong && images.GetSize() == 0 && textWidth < rect.Width() - 5)
            rectDescription.left = rect.left + (rect.Width() - textWidth - 5) / 2 + 4;
        pDC->DrawText(description, rectDescription, DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        if (rectDescription.Width() < textWidth)
            cut = TRUE;
    } else if (imagesCut && !description.IsEmpty()) {
        cut = TRUE;
    }

    // 15.
    pDC->SetTextColor(oldText);
    if (pRecord != nullptr)
        pRecord->SetTextTruncated(cut);
}

int CZUDPPlannerView::DrawHeaderArea(CDC* pDC, const CRect& rect, int nStep)
{
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    pManager->DrawPlannerExpandButton(pDC, this, rect);
    if (nStep > 0) {
        for (int x = rect.left + nStep - 1; x < rect.right - 4; x += nStep)
            pManager->DrawPlannerExpandButtonBorder(pDC, this, CRect(x, rect.top + 2, x + 2, rect.bottom - 2));
    }
    return rect.right - 4;
}

COLORREF CZUDPPlannerView::DrawCaption(CDC* pDC, CRect rect, BOOL bToday, BOOL bSelected, BOOL bNoBottomLine)
{
    // The visual manager's caption takes three flags; the view's fourth
    // (always TRUE) has no counterpart there.
    return CZUDPVisualManager::GetActiveManager()->DrawPlannerCaption(pDC, this, rect, bToday, bSelected,
                                                                      bNoBottomLine);
}

void CZUDPPlannerView::DrawCaptionText(CDC* pDC, CRect rect, const CString& strText, COLORREF clrText, int nAlign,
                                       BOOL bHighlight)
{
    CZUDPVisualManager::GetActiveManager()->DrawPlannerCaptionText(pDC, this, rect, strText, clrText, nAlign,
                                                                   bHighlight);
}

void CZUDPPlannerView::DrawCaptionDate(CDC* pDC, CRect rect, const COleDateTime& date, COLORREF clrText, int nAlign,
                                       BOOL bHighlight)
{
    CString text;
    FormatDate(date, text, m_strCaptionFormat);
    DrawCaptionText(pDC, rect, text, clrText, nAlign, bHighlight);
}

void CZUDPPlannerView::DrawBackground(CDC* pDC, CRect rect, BOOL bWorkingTime)
{
    CZUDPVisualManager::GetActiveManager()->FillPlannerBackground(pDC, this, rect, bWorkingTime);
}

COLORREF CZUDPPlannerView::GetGridLineColor(BOOL bWorkingHours, BOOL bHour) const
{
    return CZUDPVisualManager::GetActiveManager()->GetPlannerGridLineColor(const_cast<CZUDPPlannerView*>(this),
                                                                           bWorkingHours, bHour);
}
