#pragma once
// Smooth rescaling of images: the seven reconstruction filters, the per-axis
// table of filter contributions, and the resampling of one 32-bit image
// through two such tables.  Plain pixel buffers only (no windows), so the
// Windows library and the native sanitizer tests build the same code; the
// image strips hand their DIB sections in as pixel views.
#include "framework/Types.h"

#include <vector>

// The filters, each a function of one distance in source pixels.
double FilterBox(double x);
double FilterTriangle(double x);
double FilterHermite(double x);
double FilterBell(double x);
double FilterBSpline(double x);
double FilterLanczos3(double x);
double FilterMitchell(double x);

struct ZUDPZoomFilter {
    double (*function)(double);
    double support; // radius beyond which the function is 0
};

// The filters by index: 0 box, 1 triangle, 2 Hermite, 3 bell, 4 B-spline,
// 5 Lanczos3 (used when shrinking), 6 Mitchell (used when enlarging).
enum { ZUDPZoomFilterCount = 7, ZUDPZoomLanczos3 = 5, ZUDPZoomMitchell = 6 };
extern const ZUDPZoomFilter g_zoomFilters[ZUDPZoomFilterCount];

// One source pixel's share of a destination pixel.
struct ZUDPZoomContribution {
    int32_t sourceIndex;
    double weight;
};

// For every pixel of a destination row (or column), the source pixels it is
// made of and their weights.  Every source index lies inside the source
// (edges are reflected, and what reflection cannot bring back is clamped),
// and the weights of each list add up to 1.
class CZUDPZoomKernel {
public:
    CZUDPZoomKernel() = default;
    ~CZUDPZoomKernel() { Clear(); }
    CZUDPZoomKernel(const CZUDPZoomKernel&) = delete;
    CZUDPZoomKernel& operator=(const CZUDPZoomKernel&) = delete;

    // Rebuilds the table for sourceLength pixels mapped onto
    // destinationLength pixels; source indexes are sourceOffset + j and are
    // kept inside 0..sourceCount-1.  FALSE (and an empty table) when a
    // length or the count is below 1 or the filter index is unknown.
    BOOL BuildContributions(int sourceLength, int destinationLength, int sourceOffset, int sourceCount,
                            int filterIndex);
    void Clear();

    int GetLength() const { return int(m_lists.size()); }
    int GetCount(int destinationIndex) const { return int(m_lists[size_t(destinationIndex)].size()); }
    const ZUDPZoomContribution* GetEntries(int destinationIndex) const
    {
        return m_lists[size_t(destinationIndex)].data();
    }

private:
    std::vector<std::vector<ZUDPZoomContribution>> m_lists;
};

// Rows of a 24- or 32-bit image as the resampler reads and writes them:
// rows are addressed from the top of the image whichever way the pixels are
// stored (rowStep is negative for a bottom-up DIB).
struct ZUDPPixelView {
    BYTE* firstRow = nullptr; // the top row of the view
    int width = 0;
    int height = 0;
    ptrdiff_t rowStep = 0;     // bytes from one row to the next one down
    int bytesPerPixel = 4;

    // A view of a whole DIB: stride = width x bytes per pixel rounded up to
    // a multiple of 4; bottomUp when the last row is stored first.
    static ZUDPPixelView OfDib(void* bits, int width, int height, int bytesPerPixel, bool bottomUp);
    // The part of this view inside (x, y, w, h), clipped to the view.
    ZUDPPixelView Sub(int x, int y, int w, int h) const;
    BYTE* Row(int y) const { return firstRow + rowStep * y; }
};

// No key colour for ResampleImage.
const uint32_t ZUDPNoKeyPixel = 0xFFFFFFFF;

// Fills the destination view (32-bit premultiplied BGRA) from the source
// view: destination pixel (x, y) is the sum over the vertical contributions
// of row y and the horizontal contributions of column x.  A 32-bit source
// is premultiplied BGRA; a 24-bit source is opaque except for pixels equal
// to keyPixel (0x00RRGGBB, as the bytes lie in memory), which are fully
// transparent.  The kernels must have been built for these views
// (horizontal: destination width entries indexing source columns;
// vertical: destination height entries indexing source rows).  Colour
// never exceeds alpha and every channel stays in 0..255.
void ResampleImage(const ZUDPPixelView& source, const ZUDPPixelView& destination,
                   const CZUDPZoomKernel& horizontal, const CZUDPZoomKernel& vertical,
                   uint32_t keyPixel = ZUDPNoKeyPixel);
