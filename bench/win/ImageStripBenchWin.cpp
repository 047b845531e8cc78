// trov_image_bench: image strips against the system's image lists and a
// bare pixel round trip, in one run.  Run under Wine (headless):
//
//   trov_image_bench [ROUNDS]      (default 7 rounds)
//
// On a strip of 100 images of 16 by 16:
//   - a drawing pass of all 100 images of a 32-bit strip (RenderImage)
//     against ImageList_Draw of each from an ILC_COLOR32 list (goal 1.5 or
//     less);
//   - the same with a 24-bit strip keyed on magenta against ImageList_Draw
//     from an ILC_COLOR24 | ILC_MASK list (goal 2 or less);
//   - ConvertToGray and the light copy against a bare GetDIBits/SetDIBits
//     round trip of the strip's bitmap (goal 3 or less);
//   - RetintByHue against the same round trip (goal 6 or less).
// Both sides are warmed up first and run in alternating rounds; each line
// gives the median of the rounds' ratios.
#include "bench/win/AlternatingRounds.h"
#include "framework/win/WinApp.h"
#include "framework/win/DC.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPToolBarImages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using namespace benchrounds;

const int kImages = 100;
const int kSide = 16;


void Report(const char* what, const char* baseline, const Result& r, double goal)
{
    std::printf("%-34s %9.1f us  vs %-30s %9.1f us  ratio %5.2f  (goal <= %.1f)%s\n", what, r.candidate * 1e6,
                baseline, r.baseline * 1e6, r.ratio, goal, r.ratio <= goal ? "" : "  OVER");
}

// A bottom-up DIB section of the strip: 32 bits with premultiplied alpha
// (a round mark on a transparent ground), or 24 bits with a magenta ground.
HBITMAP MakeStrip(int bitCount)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kImages * kSide;
    info.bmiHeader.biHeight = kSide;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = WORD(bitCount);
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr)
        return nullptr;
    int stride = ((kImages * kSide * bitCount / 8) + 3) & ~3;
    for (int y = 0; y < kSide; ++y) {
        BYTE* row = static_cast<BYTE*>(bits) + size_t(y) * stride;
        for (int x = 0; x < kImages * kSide; ++x) {
            int cx = x % kSide - 8, cy = y - 8;
            bool inside = cx * cx + cy * cy < 40;
            int image = x / kSide;
            BYTE r = BYTE(image * 2 + 40), g = BYTE(200 - image), b = BYTE(60 + (x % kSide) * 8);
            if (bitCount == 32) {
                BYTE a = inside ? 255 : (cx * cx + cy * cy < 56 ? 128 : 0);
                row[x * 4 + 0] = BYTE(b * a / 255);
                row[x * 4 + 1] = BYTE(g * a / 255);
                row[x * 4 + 2] = BYTE(r * a / 255);
                row[x * 4 + 3] = a;
            } else {
                row[x * 3 + 0] = inside ? b : 255;
                row[x * 3 + 1] = inside ? g : 0;
                row[x * 3 + 2] = inside ? r : 255;
            }
        }
    }
    return bitmap;
}

// A 32-bit top-down target of 10 by 10 images.
struct Target {
    Target()
    {
        HBITMAP dib = CZUDPDrawManager::Create32BitDibSection(CSize(10 * kSide, -10 * kSide), nullptr);
        bitmap.Attach(dib);
        dc.CreateCompatibleDC(nullptr);
        previous = ::SelectObject(dc, dib);
        dc.FillSolidRect(CRect(0, 0, 10 * kSide, 10 * kSide), RGB(240, 240, 240));
    }
    ~Target() { ::SelectObject(dc, previous); }
    CBitmap bitmap;
    CDC dc;
    HGDIOBJ previous = nullptr;
};

void DrawPass(CZUDPToolBarImages& strip, CDC& dc)
{
    CZUDPImageDrawState ds;
    if (!strip.BeginDrawing(ds))
        return;
    for (int i = 0; i < kImages; ++i)
        strip.RenderImage(&dc, (i % 10) * kSide, (i / 10) * kSide, i);
    strip.FinishDrawing(ds);
}

void DrawList(HIMAGELIST list, CDC& dc, UINT style)
{
    for (int i = 0; i < kImages; ++i)
        ImageList_Draw(list, i, dc, (i % 10) * kSide, (i / 10) * kSide, style);
}

// GetDIBits and SetDIBits of a whole bitmap: the floor of any change of
// its pixels made outside the bitmap.
struct RoundTrip {
    explicit RoundTrip(HBITMAP b) : bitmap(b), buffer(size_t(kImages) * kSide * kSide)
    {
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = kImages * kSide;
        info.bmiHeader.biHeight = kSide;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc = ::CreateCompatibleDC(nullptr);
    }
    ~RoundTrip() { ::DeleteDC(dc); }
    void operator()()
    {
        int got = ::GetDIBits(dc, bitmap, 0, kSide, buffer.data(), &info, DIB_RGB_COLORS);
        int put = ::SetDIBits(dc, bitmap, 0, kSide, buffer.data(), &info, DIB_RGB_COLORS);
        if (got != kSide || put != kSide)
            std::fprintf(stderr, "round trip failed\n");
    }
    HBITMAP bitmap;
    std::vector<DWORD> buffer;
    BITMAPINFO info = {};
    HDC dc;
};

} // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 7;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    std::printf("image strips of %d images of %dx%d against image lists and a bare round trip, median of %d rounds\n",
                kImages, kSide, kSide, rounds);
    const int repetitions = 200;
    Target target;

    // Drawing, 32 bits with alpha
    HBITMAP alpha = MakeStrip(32);
    CZUDPToolBarImages alphaStrip;
    alphaStrip.SetImageSize(CSize(kSide, kSide));
    alphaStrip.AppendBitmap(alpha, TRUE);
    HIMAGELIST alphaList = ImageList_Create(kSide, kSide, ILC_COLOR32, kImages, 0);
    ImageList_Add(alphaList, alpha, nullptr);
    Report("RenderImage, 32-bit strip", "ImageList_Draw ILC_COLOR32",
           Compare([&] { DrawPass(alphaStrip, target.dc); }, [&] { DrawList(alphaList, target.dc, ILD_NORMAL); },
                   repetitions, rounds),
           1.5);

    // Drawing, 24 bits keyed
    HBITMAP keyed = MakeStrip(24);
    CZUDPToolBarImages keyedStrip;
    keyedStrip.SetImageSize(CSize(kSide, kSide));
    keyedStrip.AppendBitmap(keyed, TRUE);
    keyedStrip.SetTransparentColor(RGB(255, 0, 255));
    HIMAGELIST maskedList = ImageList_Create(kSide, kSide, ILC_COLOR24 | ILC_MASK, kImages, 0);
    ImageList_AddMasked(maskedList, keyed, RGB(255, 0, 255));
    Report("RenderImage, 24-bit keyed strip", "ImageList_Draw with a mask",
           Compare([&] { DrawPass(keyedStrip, target.dc); },
                   [&] { DrawList(maskedList, target.dc, ILD_TRANSPARENT); }, repetitions, rounds),
           2.0);

    // Transforms against a round trip of the strip's pixels
    RoundTrip alphaTrip(alphaStrip.GetImageBitmap());
    Report("ConvertToGray, 32-bit strip", "GetDIBits/SetDIBits",
           Compare([&] { alphaStrip.ConvertToGray(); }, [&] { alphaTrip.bitmap = alphaStrip.GetImageBitmap(); alphaTrip(); },
                   repetitions / 4, rounds),
           3.0);
    CZUDPToolBarImages greyStrip;
    greyStrip.SetImageSize(CSize(kSide, kSide));
    greyStrip.AppendBitmap(keyed, TRUE);
    greyStrip.SetTransparentColor(RGB(255, 0, 255));
    RoundTrip keyedTrip(greyStrip.GetImageBitmap());
    Report("ConvertToGray, 24-bit keyed strip", "GetDIBits/SetDIBits",
           Compare([&] { greyStrip.ConvertToGray(); }, [&] { keyedTrip.bitmap = greyStrip.GetImageBitmap(); keyedTrip(); },
                   repetitions / 4, rounds),
           3.0);
    keyedStrip.SetLightForAllDepths(TRUE);
    RoundTrip lightTrip(keyedStrip.GetImageBitmap());
    Report("light copy, 24-bit keyed strip", "GetDIBits/SetDIBits",
           Compare([&] { keyedStrip.RebuildDerivedImage(FALSE); }, lightTrip, repetitions / 4, rounds), 3.0);
    CZUDPToolBarImages hueStrip;
    hueStrip.SetImageSize(CSize(kSide, kSide));
    hueStrip.AppendBitmap(alpha, TRUE);
    RoundTrip hueTrip(hueStrip.GetImageBitmap());
    bool forth = true;
    Report("RetintByHue, 32-bit strip", "GetDIBits/SetDIBits",
           Compare(
               [&] {
                   // Back and forth, so that every round moves the same pixels.
                   hueStrip.RetintByHue(forth ? RGB(60, 200, 120) : RGB(60, 120, 200),
                                        forth ? RGB(60, 120, 200) : RGB(60, 200, 120));
                   forth = !forth;
               },
               hueTrip, repetitions / 4, rounds),
           6.0);

    ImageList_Destroy(alphaList);
    ImageList_Destroy(maskedList);
    ::DeleteObject(alpha);
    ::DeleteObject(keyed);
    return 0;
}
