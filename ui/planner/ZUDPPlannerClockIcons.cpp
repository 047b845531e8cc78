#include "ui/planner/ZUDPPlannerClockIcons.h"

#include "framework/win/DC.h"
#include "res/ui/planner.h"
#include "ui/foundation/ZUDPPngImage.h"

IMPLEMENT_DYNCREATE(CZUDPPlannerClockIcons, CObject)

namespace {

// A bitmap of the library and a plain image list of its cells (no mask:
// the pictures are composed with raster operations).
BOOL LoadCells(UINT nBitmapID, int nCells, CImageList& cells, int& cx, int& cy)
{
    CBitmap bitmap;
    {
        CZUDPLocalResource resources;
        if (!bitmap.LoadBitmap(nBitmapID))
            return FALSE;
    }
    BITMAP info = {};
    if (bitmap.GetBitmap(&info) == 0)
        return FALSE;
    if (cx == 0) {
        cx = info.bmWidth / CZUDPPlannerClockIcons::kFaceCells;
        cy = info.bmHeight;
    }
    if (cx <= 0 || cy <= 0 || !cells.Create(cx, cy, 0, nCells, 0))
        return FALSE;
    cells.Add(&bitmap, static_cast<CBitmap*>(nullptr));
    return cells.GetSafeHandle() != nullptr;
}

} // namespace

CZUDPPlannerClockIcons::CZUDPPlannerClockIcons()
    : m_nFacesBitmapID(IDB_ZUDP_PLANNER_CLOCK_FACES), m_nMinutesBitmapID(IDB_ZUDP_PLANNER_CLOCK_MINUTES)
{
}

BOOL CZUDPPlannerClockIcons::Initialize()
{
    if (m_bInitialized)
        return TRUE;
    // The cell size comes from the faces: 48 cells in a row.
    int cx = 0, cy = 0;
    CImageList faces, minutes;
    if (!LoadCells(m_nFacesBitmapID, kFaceCells, faces, cx, cy))
        return FALSE;
    if (!LoadCells(m_nMinutesBitmapID, kOverlayCells, minutes, cx, cy))
        return FALSE;

    HDC screen = ::GetDC(nullptr);
    if (screen == nullptr)
        return FALSE;
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP composed = memory != nullptr ? ::CreateCompatibleBitmap(screen, kImageCount * cx, cy) : nullptr;
    if (composed != nullptr) {
        HGDIOBJ old = ::SelectObject(memory, composed);
        for (int hour = 0; hour < 24; ++hour) {
            for (int step = 0; step < 12; ++step) {
                const int x = (hour * 12 + step) * cx;
                // The hour hand moves half-way on from minute 25.
                ImageList_Draw(faces, hour * 2 + (step >= 5 ? 1 : 0), memory, x, 0, ILD_IMAGE);
                IMAGELISTDRAWPARAMS params = {};
                params.cbSize = sizeof params;
                params.himl = minutes;
                params.i = step + (hour < 12 ? 0 : 12);
                params.hdcDst = memory;
                params.x = x;
                params.y = 0;
                params.cx = cx;
                params.cy = cy;
                params.rgbBk = CLR_DEFAULT;
                params.rgbFg = CLR_DEFAULT;
                params.fStyle = ILD_IMAGE | ILD_ROP;
                params.dwRop = hour < 12 ? SRCAND : SRCPAINT;
                ImageList_DrawIndirect(&params);
            }
        }
        ::SelectObject(memory, old);
    }
    if (memory != nullptr)
        ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    if (composed == nullptr)
        return FALSE;

    CBitmap pictures;
    pictures.Attach(composed);
    m_ImageList.DeleteImageList();
    if (m_ImageList.Create(cx, cy, ILC_MASK, kImageCount, 0)) {
        m_ImageList.Add(&pictures, RGB(255, 255, 255));
        m_nIconWidth = cx;
        m_nIconHeight = cy;
        m_bInitialized = TRUE;
    }
    return m_bInitialized;
}

void CZUDPPlannerClockIcons::DrawIcon(CDC* pDC, const CPoint& point, int nHour, int nMinute)
{
    Initialize();
    if (nHour < 0 || nHour > 23 || nMinute < 0 || nMinute > 59 || pDC == nullptr || pDC->GetSafeHdc() == nullptr)
        return;
    const int index = ImageIndex(nHour, nMinute);
    if (index < 0 || index >= m_ImageList.GetImageCount())
        return;
    ImageList_Draw(m_ImageList, index, pDC->GetSafeHdc(), point.x, point.y, ILD_NORMAL);
}

void CZUDPPlannerClockIcons::DrawTime(CDC* pDC, const CPoint& point, const COleDateTime& time)
{
    Initialize();
    if (m_ImageList.GetSafeHandle() == nullptr || pDC == nullptr || pDC->GetSafeHdc() == nullptr)
        return;
    // An invalid date reads hour and minute -1, which DrawIcon skips.
    DrawIcon(pDC, point, time.GetHour(), time.GetMinute());
}

CSize CZUDPPlannerClockIcons::GetIconSize()
{
    Initialize();
    return m_bInitialized ? CSize(m_nIconWidth, m_nIconHeight) : CSize(0, 0);
}
