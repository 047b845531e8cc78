// The off-screen surface: its size, where drawing lands and when it
// reaches the target, with the system's buffered painting, with it faked
// absent or failing, and without any surface.
#include "ui/foundation/ZUDPMemDC.h"

#include "tests/common/MessagePumpWin.h"
#include "tests/ui/foundation/FoundationTestSupport.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

using foundationtest::Canvas;

namespace {

// Replaces the buffered-paint entry points of the global UI data for a
// scope.
class ScopedBufferedPaint {
public:
    ScopedBufferedPaint(CZUDPUIEnvironment::BeginBufferedPaintFn begin,
                        CZUDPUIEnvironment::BufferedPaintSetAlphaFn setAlpha,
                        CZUDPUIEnvironment::EndBufferedPaintFn end)
        : m_begin(g_uiEnvironment.m_beginBufferedPaint), m_setAlpha(g_uiEnvironment.m_bufferedPaintSetAlpha),
          m_end(g_uiEnvironment.m_endBufferedPaint)
    {
        g_uiEnvironment.m_beginBufferedPaint = begin;
        g_uiEnvironment.m_bufferedPaintSetAlpha = setAlpha;
        g_uiEnvironment.m_endBufferedPaint = end;
    }
    ~ScopedBufferedPaint()
    {
        g_uiEnvironment.m_beginBufferedPaint = m_begin;
        g_uiEnvironment.m_bufferedPaintSetAlpha = m_setAlpha;
        g_uiEnvironment.m_endBufferedPaint = m_end;
    }

private:
    CZUDPUIEnvironment::BeginBufferedPaintFn m_begin;
    CZUDPUIEnvironment::BufferedPaintSetAlphaFn m_setAlpha;
    CZUDPUIEnvironment::EndBufferedPaintFn m_end;
};

// A fake paint buffer: a canvas of its own, copied to the target at the
// end as the system would.
struct FakeBuffer {
    Canvas* buffer = nullptr;
    HDC target = nullptr;
    RECT rect = {};
    bool failBegin = false;
    int begins = 0, ends = 0, alphaSets = 0;
    BYTE alpha = 0;
    BOOL updated = FALSE;
} g_buffer;

HPAINTBUFFER WINAPI FakeBegin(HDC target, const RECT* rect, BP_BUFFERFORMAT, BP_PAINTPARAMS*, HDC* out)
{
    ++g_buffer.begins;
    if (g_buffer.failBegin) {
        *out = nullptr;
        return nullptr;
    }
    g_buffer.target = target;
    g_buffer.rect = *rect;
    *out = g_buffer.buffer->Dc().GetSafeHdc();
    return reinterpret_cast<HPAINTBUFFER>(&g_buffer);
}
HRESULT WINAPI FakeSetAlpha(HPAINTBUFFER, const RECT*, BYTE alpha)
{
    ++g_buffer.alphaSets;
    g_buffer.alpha = alpha;
    return S_OK;
}
HRESULT WINAPI FakeEnd(HPAINTBUFFER, BOOL update)
{
    ++g_buffer.ends;
    g_buffer.updated = update;
    if (update)
        ::BitBlt(g_buffer.target, 0, 0, g_buffer.rect.right, g_buffer.rect.bottom, g_buffer.buffer->Dc(), 0, 0,
                 SRCCOPY);
    return S_OK;
}

class MemDCTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        ASSERT_TRUE(m_wnd.CreateEx(0, "STATIC", "", WS_POPUP | WS_HSCROLL | WS_VSCROLL, CRect(0, 0, 80, 60), nullptr, 0));
        m_wnd.GetClientRect(&m_client);
    }
    void TearDown() override { m_wnd.DestroyWindow(); }

    CWnd m_wnd;
    CRect m_client;
};

TEST_F(MemDCTest, ScrolledSurfaceIsLargerByTheScrollPositions)
{
    SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_POS | SIF_PAGE, 0, 200, 10, 30, 0};
    ::SetScrollInfo(m_wnd, SB_HORZ, &info, FALSE);
    info.nPos = 12;
    ::SetScrollInfo(m_wnd, SB_VERT, &info, FALSE);
    Canvas target(200, 200);
    CZUDPMemDC memDC(target.Dc(), &m_wnd);
    EXPECT_EQ(m_client.Width() + 30, memDC.GetRect().Width());
    EXPECT_EQ(m_client.Height() + 12, memDC.GetRect().Height());
}

TEST_F(MemDCTest, WithoutBufferedPaintDrawingReachesTheTargetAtTheEnd)
{
    ScopedBufferedPaint absent(nullptr, nullptr, nullptr);
    Canvas target(100, 100);
    {
        CZUDPMemDC memDC(target.Dc(), &m_wnd);
        ASSERT_TRUE(memDC.IsMemDC());
        EXPECT_FALSE(memDC.IsBufferedPaint());
        EXPECT_NE(target.Dc().GetSafeHdc(), memDC.GetDC().GetSafeHdc());
        memDC.GetDC().FillSolidRect(CRect(0, 0, 10, 10), RGB(255, 0, 0));
        EXPECT_EQ(RGB(255, 255, 255), target.Pixel(5, 5));
    }
    EXPECT_EQ(RGB(255, 0, 0), target.Pixel(5, 5));
}

TEST_F(MemDCTest, EmptyClipBoxCopiesNothing)
{
    ScopedBufferedPaint absent(nullptr, nullptr, nullptr);
    Canvas target(100, 100);
    HBITMAP drawnInto = nullptr;
    CRgn empty;
    empty.CreateRectRgn(0, 0, 0, 0);
    target.Dc().SelectClipRgn(&empty);
    {
        CZUDPMemDC memDC(target.Dc(), &m_wnd);
        ASSERT_TRUE(memDC.IsMemDC());
        drawnInto = (HBITMAP)::GetCurrentObject(memDC.GetDC(), OBJ_BITMAP);
        memDC.GetDC().FillSolidRect(CRect(0, 0, 10, 10), RGB(255, 0, 0));
    }
    target.Dc().SelectClipRgn((HRGN) nullptr);
    EXPECT_EQ(RGB(255, 255, 255), target.Pixel(5, 5));
    // The surface's bitmap was taken out of its DC again: another DC can
    // select it.
    CDC other;
    other.CreateCompatibleDC(&target.Dc());
    HGDIOBJ before = ::SelectObject(other, drawnInto);
    EXPECT_NE(nullptr, before);
    ::SelectObject(other, before);

    // A clip box smaller than the surface: only it is copied.
    CRgn part;
    part.CreateRectRgn(0, 0, 5, 5);
    target.Dc().SelectClipRgn(&part);
    {
        CZUDPMemDC memDC(target.Dc(), &m_wnd);
        memDC.GetDC().FillSolidRect(CRect(0, 0, 10, 10), RGB(0, 0, 255));
    }
    target.Dc().SelectClipRgn((HRGN) nullptr);
    EXPECT_EQ(RGB(0, 0, 255), target.Pixel(2, 2));
    EXPECT_EQ(RGB(255, 255, 255), target.Pixel(7, 7));
}

TEST_F(MemDCTest, BufferedPaintSetsTheAlphaOnlyWhenAskedFor)
{
    Canvas buffer(100, 100, RGB(0, 0, 0));
    g_buffer = {};
    g_buffer.buffer = &buffer;
    ScopedBufferedPaint fake(&FakeBegin, &FakeSetAlpha, &FakeEnd);
    Canvas target(100, 100);
    {
        CZUDPMemDC memDC(target.Dc(), &m_wnd, 255);
        ASSERT_TRUE(memDC.IsBufferedPaint());
        EXPECT_EQ(buffer.Dc().GetSafeHdc(), memDC.GetDC().GetSafeHdc());
        memDC.GetDC().FillSolidRect(CRect(0, 0, 10, 10), RGB(0, 255, 0));
    }
    EXPECT_EQ(1, g_buffer.alphaSets);
    EXPECT_EQ(255, g_buffer.alpha);
    EXPECT_EQ(1, g_buffer.ends);
    EXPECT_TRUE(g_buffer.updated);
    EXPECT_EQ(RGB(0, 255, 0), target.Pixel(5, 5));
    // The buffer's DC belongs to the buffer: still usable after the surface.
    EXPECT_NE(0, ::GetDeviceCaps(buffer.Dc(), BITSPIXEL));

    {
        CZUDPMemDC memDC(target.Dc(), &m_wnd, 0);
    }
    EXPECT_EQ(1, g_buffer.alphaSets);
    EXPECT_EQ(2, g_buffer.ends);
}

TEST_F(MemDCTest, FailedBufferedPaintFallsBackToAMemoryBitmap)
{
    Canvas buffer(10, 10);
    g_buffer = {};
    g_buffer.buffer = &buffer;
    g_buffer.failBegin = true;
    ScopedBufferedPaint fake(&FakeBegin, &FakeSetAlpha, &FakeEnd);
    Canvas target(100, 100);
    {
        CZUDPMemDC memDC(target.Dc(), &m_wnd);
        EXPECT_EQ(1, g_buffer.begins);
        EXPECT_TRUE(memDC.IsMemDC());
        EXPECT_FALSE(memDC.IsBufferedPaint());
        memDC.GetDC().FillSolidRect(CRect(0, 0, 10, 10), RGB(255, 0, 0));
        EXPECT_EQ(RGB(255, 255, 255), target.Pixel(5, 5));
    }
    EXPECT_EQ(RGB(255, 0, 0), target.Pixel(5, 5));
    EXPECT_EQ(0, g_buffer.ends);
}

TEST_F(MemDCTest, ConsecutivePaintsReuseOneBitmapAndNestedPaintsGetTheirOwn)
{
    ScopedBufferedPaint absent(nullptr, nullptr, nullptr);
    Canvas target(100, 100);
    HBITMAP first = nullptr, again = nullptr, nested = nullptr;
    {
        CZUDPMemDC outer(target.Dc(), &m_wnd);
        first = (HBITMAP)::GetCurrentObject(outer.GetDC(), OBJ_BITMAP);
        {
            CZUDPMemDC inner(target.Dc(), &m_wnd);
            nested = (HBITMAP)::GetCurrentObject(inner.GetDC(), OBJ_BITMAP);
            inner.GetDC().FillSolidRect(CRect(0, 0, 5, 5), RGB(0, 0, 255));
        }
        EXPECT_EQ(RGB(0, 0, 255), target.Pixel(2, 2));
        outer.GetDC().FillSolidRect(CRect(20, 20, 25, 25), RGB(255, 0, 0));
    }
    EXPECT_EQ(RGB(255, 0, 0), target.Pixel(22, 22));
    {
        CZUDPMemDC next(target.Dc(), &m_wnd);
        again = (HBITMAP)::GetCurrentObject(next.GetDC(), OBJ_BITMAP);
    }
    EXPECT_NE(first, nested);
    EXPECT_EQ(first, again);
}

TEST_F(MemDCTest, WithoutAnySurfaceDrawingGoesStraightToTheTarget)
{
    ScopedBufferedPaint absent(nullptr, nullptr, nullptr);
    BOOL saved = CZUDPMemDC::m_memoryBitmapAllowed;
    CZUDPMemDC::m_memoryBitmapAllowed = FALSE;
    Canvas target(100, 100);
    {
        CZUDPMemDC memDC(target.Dc(), &m_wnd);
        EXPECT_FALSE(memDC.IsMemDC());
        EXPECT_EQ(target.Dc().GetSafeHdc(), memDC.GetDC().GetSafeHdc());
        memDC.GetDC().FillSolidRect(CRect(0, 0, 10, 10), RGB(255, 0, 0));
        EXPECT_EQ(RGB(255, 0, 0), target.Pixel(5, 5));
    }
    CZUDPMemDC::m_memoryBitmapAllowed = saved;
}

TEST_F(MemDCTest, SystemBufferedPaintReachesTheTarget)
{
    Canvas target(100, 100);
    {
        CZUDPMemDC memDC(target.Dc(), &m_wnd);
        memDC.GetDC().FillSolidRect(CRect(0, 0, 10, 10), RGB(255, 0, 0));
    }
    EXPECT_EQ(RGB(255, 0, 0), target.Pixel(5, 5));
}

// The memory DC is kept for the next paint of the thread: each paint gets
// it in the state it was made with, whatever the last paint changed, and a
// paint inside a paint gets a DC of its own.
TEST_F(MemDCTest, NextPaintStartsWithAFreshDcState)
{
    ScopedBufferedPaint absent(nullptr, nullptr, nullptr);
    Canvas target(100, 100);
    HGDIOBJ defaultFont = nullptr;
    {
        CZUDPMemDC memDC(target.Dc(), &m_wnd);
        ASSERT_TRUE(memDC.IsMemDC());
        CDC& dc = memDC.GetDC();
        defaultFont = ::GetCurrentObject(dc, OBJ_FONT);
        ::SelectObject(dc, ::GetStockObject(ANSI_FIXED_FONT));
        ::SetTextColor(dc, RGB(1, 2, 3));
        ::SetViewportOrgEx(dc, 7, 9, nullptr);
        CRgn clip;
        clip.CreateRectRgn(0, 0, 2, 2);
        dc.SelectClipRgn(&clip);
        {
            CZUDPMemDC inner(target.Dc(), &m_wnd);
            ASSERT_TRUE(inner.IsMemDC());
            EXPECT_NE(dc.GetSafeHdc(), inner.GetDC().GetSafeHdc());
        }
    }
    CZUDPMemDC next(target.Dc(), &m_wnd);
    ASSERT_TRUE(next.IsMemDC());
    CDC& dc = next.GetDC();
    EXPECT_EQ(defaultFont, ::GetCurrentObject(dc, OBJ_FONT));
    EXPECT_NE(RGB(1, 2, 3), ::GetTextColor(dc));
    POINT origin = {};
    ::GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(0, origin.x);
    EXPECT_EQ(0, origin.y);
    // No clip region: the whole surface can be drawn on.
    dc.FillSolidRect(CRect(0, 0, 10, 10), RGB(0, 200, 0));
    EXPECT_EQ(RGB(0, 200, 0), dc.GetPixel(5, 5));
}

} // namespace
