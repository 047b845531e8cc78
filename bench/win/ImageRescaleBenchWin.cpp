// trov_rescale_bench: rescaling an image strip against the system's
// smoothing stretch, in one run.  Run under Wine (headless):
//
//   trov_rescale_bench [ROUNDS]      (default 7 rounds)
//
// A strip of 100 images of 16 x 16 (32 bits with alpha, and 24 bits with a
// colour key) is rescaled by 1.5 with CZUDPToolBarImages::ResampleByScale
// (every image on its own, Mitchell filter) against one StretchBlt of the
// same 1600 x 16 bitmap into a 2400 x 24 DIB in HALFTONE mode (goal 4 or
// less), and against the same stretch into a new DIB that replaces the
// previous one (the allocation a rescaled strip cannot avoid: first touches
// of fresh memory are slow under Wine, more so on a loaded machine).  The strips to rescale are made before each timed run, so only the
// rescaling is timed.  Both sides are warmed up first and run in
// alternating rounds; each line gives the median of the rounds' ratios.
#include "framework/win/WinApp.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPToolBarImages.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

const int kImages = 100, kSide = 16;
const double kFactor = 1.5;

double Now()
{
    LARGE_INTEGER counter, frequency;
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

// 100 images side by side with some detail in each: 32 bits with alpha
// (premultiplied) or 24 bits with magenta corners as the key.
HBITMAP MakeStripBitmap(int bits)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kImages * kSide;
    info.bmiHeader.biHeight = kSide;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = WORD(bits);
    info.bmiHeader.biCompression = BI_RGB;
    void* out = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &out, nullptr, 0);
    if (bitmap == nullptr)
        return nullptr;
    const int width = kImages * kSide;
    const int stride = (width * bits + 31) / 32 * 4;
    for (int y = 0; y < kSide; ++y) {
        BYTE* row = static_cast<BYTE*>(out) + y * stride;
        for (int x = 0; x < width; ++x) {
            const int i = x / kSide, u = x % kSide;
            const bool corner = (u < 3 || u > 12) && (y < 3 || y > 12);
            BYTE b = BYTE(i * 37 + u * 9), g = BYTE(i * 11 + y * 13), r = BYTE((u ^ y) * 16);
            BYTE* p = row + x * (bits / 8);
            if (bits == 32) {
                const BYTE a = corner ? 0 : BYTE(128 + (u + y) * 4);
                p[0] = BYTE(b * a / 255);
                p[1] = BYTE(g * a / 255);
                p[2] = BYTE(r * a / 255);
                p[3] = a;
            } else if (corner) {
                p[0] = 255, p[1] = 0, p[2] = 255;
            } else {
                p[0] = b, p[1] = g, p[2] = r;
            }
        }
    }
    return bitmap;
}

struct Result {
    double candidate, baseline, ratio;
};

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

class Bench {
public:
    Bench(int bits, int repetitions) : m_bits(bits), m_repetitions(repetitions)
    {
        m_source = MakeStripBitmap(bits);
        m_sourceDC = ::CreateCompatibleDC(nullptr);
        m_sourcePrevious = ::SelectObject(m_sourceDC, m_source);
        LPVOID bitsOut = nullptr;
        m_target = CZUDPDrawManager::Create32BitDibSection(
            CSize(int(kImages * kSide * kFactor), int(kSide * kFactor)), &bitsOut);
        m_targetDC = ::CreateCompatibleDC(nullptr);
        m_targetPrevious = ::SelectObject(m_targetDC, m_target);
        ::SetStretchBltMode(m_targetDC, HALFTONE);
        ::SetBrushOrgEx(m_targetDC, 0, 0, nullptr);
    }
    ~Bench()
    {
        ::SelectObject(m_sourceDC, m_sourcePrevious);
        ::SelectObject(m_targetDC, m_targetPrevious);
        ::DeleteDC(m_sourceDC);
        ::DeleteDC(m_targetDC);
        ::DeleteObject(m_source);
        ::DeleteObject(m_target);
    }
    bool IsValid() const { return m_source != nullptr && m_target != nullptr; }

    // Seconds per rescale of a whole strip; FALSE answers count as failures.
    double TimeRescale()
    {
        std::vector<std::unique_ptr<CZUDPToolBarImages>> strips;
        // The strip's bitmap is the source's bitmap out of its DC while the
        // strips are made.
        ::SelectObject(m_sourceDC, m_sourcePrevious);
        for (int i = 0; i < m_repetitions; ++i) {
            strips.emplace_back(new CZUDPToolBarImages);
            strips.back()->SetImageSize(CSize(kSide, kSide));
            strips.back()->AppendBitmap(m_source, TRUE);
            if (m_bits == 24)
                strips.back()->SetTransparentColor(RGB(255, 0, 255));
        }
        ::SelectObject(m_sourceDC, m_source);
        const double start = Now();
        for (auto& strip : strips)
            m_failures += strip->ResampleByScale(kFactor) ? 0 : 1;
        ::GdiFlush();
        return (Now() - start) / m_repetitions;
    }

    double TimeStretch()
    {
        const double start = Now();
        for (int i = 0; i < m_repetitions; ++i)
            ::StretchBlt(m_targetDC, 0, 0, int(kImages * kSide * kFactor), int(kSide * kFactor), m_sourceDC, 0, 0,
                         kImages * kSide, kSide, SRCCOPY);
        ::GdiFlush();
        return (Now() - start) / m_repetitions;
    }

    // The same stretch into a new DIB section each time, which replaces
    // (deletes) the previous one: the bitmap work a rescaled strip does too.
    // Fresh memory is costly under Wine and grows with the machine's load.
    double TimeStretchIntoNewBitmap()
    {
        const int width = int(kImages * kSide * kFactor), height = int(kSide * kFactor);
        HBITMAP previous = nullptr;
        const double start = Now();
        for (int i = 0; i < m_repetitions; ++i) {
            LPVOID bits = nullptr;
            HBITMAP target = CZUDPDrawManager::Create32BitDibSection(CSize(width, height), &bits);
            HGDIOBJ old = ::SelectObject(m_targetDC, target);
            ::StretchBlt(m_targetDC, 0, 0, width, height, m_sourceDC, 0, 0, kImages * kSide, kSide, SRCCOPY);
            ::SelectObject(m_targetDC, old);
            if (previous != nullptr)
                ::DeleteObject(previous);
            previous = target;
        }
        ::GdiFlush();
        const double seconds = (Now() - start) / m_repetitions;
        ::DeleteObject(previous);
        return seconds;
    }

    Result Compare(int rounds, bool newBitmaps)
    {
        auto baseline = [&] { return newBitmaps ? TimeStretchIntoNewBitmap() : TimeStretch(); };
        for (int i = 0; i < 3; ++i) {
            TimeRescale();
            baseline();
        }
        std::vector<double> ratios, candidates, baselines;
        for (int round = 0; round < rounds; ++round) {
            double c, b;
            if (round % 2 == 0) {
                c = TimeRescale();
                b = baseline();
            } else {
                b = baseline();
                c = TimeRescale();
            }
            candidates.push_back(c);
            baselines.push_back(b);
            ratios.push_back(c / b);
        }
        return {Median(candidates), Median(baselines), Median(ratios)};
    }
    int Failures() const { return m_failures; }

private:
    int m_bits, m_repetitions;
    HBITMAP m_source = nullptr, m_target = nullptr;
    HDC m_sourceDC = nullptr, m_targetDC = nullptr;
    HGDIOBJ m_sourcePrevious = nullptr, m_targetPrevious = nullptr;
    int m_failures = 0;
};

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 7;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);
    std::printf("image strip rescaling by %.1f against StretchBlt (HALFTONE), %d images of %dx%d, median of %d rounds\n",
                kFactor, kImages, kSide, kSide, rounds);
    int status = 0;
    for (int bits : {32, 24}) {
        Bench bench(bits, 40);
        if (!bench.IsValid()) {
            std::fprintf(stderr, "trov_rescale_bench: no bitmaps\n");
            return 1;
        }
        const Result r = bench.Compare(rounds, false);
        std::printf("%2d-bit strip  ResampleByScale %9.1f us  vs StretchBlt HALFTONE %9.1f us  ratio %5.2f  (goal <= "
                    "4.0)%s\n",
                    bits, r.candidate * 1e6, r.baseline * 1e6, r.ratio, r.ratio <= 4.0 ? "" : "  OVER");
        const Result n = bench.Compare(rounds, true);
        std::printf("%2d-bit strip  ResampleByScale %9.1f us  vs the same into a new bitmap %9.1f us  ratio %5.2f\n",
                    bits, n.candidate * 1e6, n.baseline * 1e6, n.ratio);
        if (bench.Failures() != 0) {
            std::fprintf(stderr, "trov_rescale_bench: %d rescales failed\n", bench.Failures());
            status = 1;
        }
    }
    return status;
}
