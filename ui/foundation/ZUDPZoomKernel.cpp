#include "ui/foundation/ZUDPZoomKernel.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

const double kPi = 3.141592653589793;

double Sinc(double u)
{
    if (u == 0.0)
        return 1.0;
    u *= kPi;
    return std::sin(u) / u;
}

// Keeps a source index inside 0..count-1: mirrored at the nearer edge
// first, as a filter expects of an image that continues beyond its border;
// a filter wider than the whole image (strong shrinking, or a one- or
// two-pixel image) still reaches past the far edge after one mirroring, and
// that is clamped to the edge pixel.
int32_t KeepInside(long long index, int count)
{
    if (index < 0)
        index = -index;
    else if (index >= count)
        index = 2LL * count - index - 1;
    if (index < 0)
        index = 0;
    else if (index >= count)
        index = count - 1;
    return int32_t(index);
}

// A computed channel as a byte: limited to 0..255 and truncated.  The weights
// of a list add up to 1 only within rounding, so a plain colour would come
// out a hair below its value and truncate one step down; the small allowance
// keeps plain areas exactly as they were.
inline BYTE ChannelByte(double value)
{
    value += 1e-6;
    if (value <= 0.0)
        return 0;
    if (value >= 255.0)
        return 255;
    return BYTE(value);
}

// sum[0..3] += weight x pixel[0..3]: the four channels of one pixel, in two
// pairs of doubles where the processor has them.
inline void AddWeighted(double* sum, double weight, const double* pixel)
{
#if defined(__SSE2__)
    const __m128d w = _mm_set1_pd(weight);
    _mm_storeu_pd(sum, _mm_add_pd(_mm_loadu_pd(sum), _mm_mul_pd(w, _mm_loadu_pd(pixel))));
    _mm_storeu_pd(sum + 2, _mm_add_pd(_mm_loadu_pd(sum + 2), _mm_mul_pd(w, _mm_loadu_pd(pixel + 2))));
#else
    for (int c = 0; c < 4; ++c)
        sum[c] += weight * pixel[c];
#endif
}

// out[0..n) += weight x in[0..n), n even.
inline void AddWeightedRow(double* out, double weight, const double* in, size_t n)
{
#if defined(__SSE2__)
    const __m128d w = _mm_set1_pd(weight);
    for (size_t i = 0; i < n; i += 2)
        _mm_storeu_pd(out + i, _mm_add_pd(_mm_loadu_pd(out + i), _mm_mul_pd(w, _mm_loadu_pd(in + i))));
#else
    for (size_t i = 0; i < n; ++i)
        out[i] += weight * in[i];
#endif
}

} // namespace

double FilterBox(double x)
{
    return (x > -0.5 && x <= 0.5) ? 1.0 : 0.0;
}

double FilterTriangle(double x)
{
    double t = std::fabs(x);
    return t < 1.0 ? 1.0 - t : 0.0;
}

double FilterHermite(double x)
{
    double t = std::fabs(x);
    return t < 1.0 ? (2.0 * t - 3.0) * t * t + 1.0 : 0.0;
}

double FilterBell(double x)
{
    double t = std::fabs(x);
    if (t < 0.5)
        return 0.75 - t * t;
    if (t < 1.5) {
        t -= 1.5;
        return 0.5 * t * t;
    }
    return 0.0;
}

double FilterBSpline(double x)
{
    double t = std::fabs(x);
    if (t < 1.0)
        return 0.5 * t * t * t - t * t + 2.0 / 3.0;
    if (t < 2.0) {
        t = 2.0 - t;
        return t * t * t / 6.0;
    }
    return 0.0;
}

double FilterLanczos3(double x)
{
    double t = std::fabs(x);
    return t < 3.0 ? Sinc(t) * Sinc(t / 3.0) : 0.0;
}

double FilterMitchell(double x)
{
    const double b = 1.0 / 3.0, c = 1.0 / 3.0;
    double t = std::fabs(x);
    double t2 = t * t;
    if (t < 1.0)
        return ((12.0 - 9.0 * b - 6.0 * c) * t * t2 + (-18.0 + 12.0 * b + 6.0 * c) * t2 + (6.0 - 2.0 * b)) / 6.0;
    if (t < 2.0)
        return ((-b - 6.0 * c) * t * t2 + (6.0 * b + 30.0 * c) * t2 + (-12.0 * b - 48.0 * c) * t + (8.0 * b + 24.0 * c)) /
               6.0;
    return 0.0;
}

const ZUDPZoomFilter g_zoomFilters[ZUDPZoomFilterCount] = {
    {FilterBox, 0.5},     {FilterTriangle, 1.0}, {FilterHermite, 1.0},  {FilterBell, 1.5},
    {FilterBSpline, 2.0}, {FilterLanczos3, 3.0}, {FilterMitchell, 2.0},
};

void CZUDPZoomKernel::Clear()
{
    m_lists.clear();
    m_lists.shrink_to_fit();
}

BOOL CZUDPZoomKernel::BuildContributions(int sourceLength, int destinationLength, int sourceOffset, int sourceCount,
                                         int filterIndex)
{
    Clear();
    if (sourceLength < 1 || destinationLength < 1 || sourceCount < 1 || filterIndex < 0 ||
        filterIndex >= ZUDPZoomFilterCount)
        return FALSE;
    const ZUDPZoomFilter& filter = g_zoomFilters[filterIndex];
    m_lists.resize(size_t(destinationLength));

    const double ratio = double(destinationLength) / double(sourceLength);
    double width, filterScale, shift;
    if (ratio < 1.0) {
        // Shrinking: the filter is stretched over 1/ratio source pixels and
        // flattened by ratio, so that every source pixel counts.
        width = filter.support / ratio;
        filterScale = ratio;
        shift = 0.25;
    } else {
        width = filter.support;
        filterScale = 1.0;
        shift = -0.25;
    }

    for (int i = 0; i < destinationLength; ++i) {
        std::vector<ZUDPZoomContribution>& list = m_lists[size_t(i)];
        const double centre = double(i) / ratio;
        const long long first = (long long)std::floor(centre - width);
        const long long last = (long long)std::ceil(centre + width);
        // Reflected and clamped indexes all fall inside the source, so a
        // list never holds more entries than the source has pixels.
        list.reserve(size_t(std::min<long long>(last - first + 1, sourceCount)));
        bool seenWeight = false;
        double sum = 0.0;
        for (long long j = first; j <= last; ++j) {
            const double weight = filterScale * filter.function((centre - double(j) + shift) * filterScale);
            if (weight == 0.0) {
                if (seenWeight)
                    break;
                continue;
            }
            seenWeight = true;
            sum += weight;
            const int32_t index = KeepInside((long long)sourceOffset + j, sourceCount);
            auto same = std::find_if(list.begin(), list.end(),
                                     [index](const ZUDPZoomContribution& entry) { return entry.sourceIndex == index; });
            if (same != list.end())
                same->weight += weight;
            else
                list.push_back({index, weight});
        }
        if (sum != 0.0) {
            for (ZUDPZoomContribution& entry : list)
                entry.weight /= sum;
        } else {
            // No weight at all (cannot happen with these filters unless the
            // weights cancel out): the nearest source pixel, so that no
            // destination pixel is left empty.
            list.clear();
            list.push_back({KeepInside((long long)sourceOffset + (long long)std::floor(centre), sourceCount), 1.0});
        }
    }
    return TRUE;
}

ZUDPPixelView ZUDPPixelView::OfDib(void* bits, int width, int height, int bytesPerPixel, bool bottomUp)
{
    ZUDPPixelView view;
    if (bits == nullptr || width < 1 || height < 1 || (bytesPerPixel != 3 && bytesPerPixel != 4))
        return view;
    const ptrdiff_t stride = (ptrdiff_t(width) * bytesPerPixel + 3) & ~ptrdiff_t(3);
    view.width = width;
    view.height = height;
    view.bytesPerPixel = bytesPerPixel;
    if (bottomUp) {
        view.firstRow = static_cast<BYTE*>(bits) + stride * (height - 1);
        view.rowStep = -stride;
    } else {
        view.firstRow = static_cast<BYTE*>(bits);
        view.rowStep = stride;
    }
    return view;
}

ZUDPPixelView ZUDPPixelView::Sub(int x, int y, int w, int h) const
{
    const long long left = std::max(x, 0), top = std::max(y, 0);
    const long long right = std::min((long long)x + w, (long long)width);
    const long long bottom = std::min((long long)y + h, (long long)height);
    ZUDPPixelView view;
    if (firstRow == nullptr || right <= left || bottom <= top)
        return view;
    view.firstRow = firstRow + rowStep * top + ptrdiff_t(left) * bytesPerPixel;
    view.width = int(right - left);
    view.height = int(bottom - top);
    view.rowStep = rowStep;
    view.bytesPerPixel = bytesPerPixel;
    return view;
}

void ResampleImage(const ZUDPPixelView& source, const ZUDPPixelView& destination, const CZUDPZoomKernel& horizontal,
                   const CZUDPZoomKernel& vertical, uint32_t keyPixel)
{
    if (source.firstRow == nullptr || destination.firstRow == nullptr || destination.bytesPerPixel != 4)
        return;
    const int outWidth = std::min(destination.width, horizontal.GetLength());
    const int outHeight = std::min(destination.height, vertical.GetLength());
    if (outWidth < 1 || outHeight < 1)
        return;
    const int inBytes = source.bytesPerPixel;
    const bool keyed = inBytes == 3 && keyPixel != ZUDPNoKeyPixel;

    // One source row as four doubles a pixel (blue, green, red, alpha):
    // 3-byte pixels are opaque, or fully transparent when they are the key.
    // The working rows are kept from one call to the next (a strip calls
    // this once per image, with the same sizes).
    thread_local std::vector<double> row, across, down;
    row.resize(size_t(source.width) * 4);
    // The filter is separable: every source row is first filtered across
    // into outWidth pixels, then the columns of those rows are filtered
    // down.  The sum is the same as weighting each source pixel by u x v,
    // with far fewer multiplications.
    across.resize(size_t(source.height) * size_t(outWidth) * 4);
    for (int y = 0; y < source.height; ++y) {
        const BYTE* in = source.Row(y);
        for (int x = 0; x < source.width; ++x, in += inBytes) {
            double* px = &row[size_t(x) * 4];
            if (inBytes == 4) {
                px[0] = in[0], px[1] = in[1], px[2] = in[2], px[3] = in[3];
            } else if (keyed && (uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16) == keyPixel) {
                px[0] = px[1] = px[2] = px[3] = 0.0;
            } else {
                px[0] = in[0], px[1] = in[1], px[2] = in[2], px[3] = 255.0;
            }
        }
        double* out = &across[size_t(y) * size_t(outWidth) * 4];
        for (int x = 0; x < outWidth; ++x, out += 4) {
            double sum[4] = {0.0, 0.0, 0.0, 0.0};
            const ZUDPZoomContribution* entries = horizontal.GetEntries(x);
            const int count = horizontal.GetCount(x);
            for (int k = 0; k < count; ++k) {
                const int column = entries[k].sourceIndex;
                if (column < 0 || column >= source.width)
                    continue;
                AddWeighted(sum, entries[k].weight, &row[size_t(column) * 4]);
            }
            for (int c = 0; c < 4; ++c)
                out[c] = sum[c];
        }
    }

    // Each destination row is a weighted sum of whole filtered rows.
    const size_t rowDoubles = size_t(outWidth) * 4;
    down.resize(rowDoubles);
    for (int y = 0; y < outHeight; ++y) {
        std::fill(down.begin(), down.end(), 0.0);
        const ZUDPZoomContribution* entries = vertical.GetEntries(y);
        const int count = vertical.GetCount(y);
        for (int k = 0; k < count; ++k) {
            const int sourceRow = entries[k].sourceIndex;
            if (sourceRow >= 0 && sourceRow < source.height)
                AddWeightedRow(down.data(), entries[k].weight, &across[size_t(sourceRow) * rowDoubles], rowDoubles);
        }
        BYTE* out = destination.Row(y);
        const double* sum = down.data();
        for (int x = 0; x < outWidth; ++x, out += 4, sum += 4) {
            // Premultiplied colour never exceeds its alpha (the negative
            // lobes of the filters can push it past).
            for (int c = 0; c < 3; ++c)
                out[c] = ChannelByte(std::min(sum[c], sum[3]));
            out[3] = ChannelByte(sum[3]);
        }
    }
}
