// trov_colorpicker_bench: the colour picker's hue/saturation picture at
// 240 x 160 against filling a 32-bit DIB of the same size with the same
// colours and copying it to the target.  Run under Wine (headless):
//
//   trov_colorpicker_bench [ROUNDS]      (default 7 rounds)
//
//   - build and repaint: the picture made anew (as after a resize) and the
//     control painted through WM_PRINTCLIENT, against a DIB made, filled
//     pixel by pixel with the same colours and copied (goal 2 or less);
//   - repaint: the kept picture painted again, against copying a filled DIB.
// Both sides are warmed up first and run in alternating rounds; each line
// gives the median of the rounds.
#include "bench/win/AlternatingRounds.h"
#include "bench/win/DibSurface.h"
#include "framework/win/WinApp.h"
#include "framework/win/DC.h"
#include "ui/controls/ZUDPColorPickerCtrl.h"
#include "ui/foundation/ZUDPDrawManager.h"

#include <cstdio>
#include <cstdlib>

namespace {

const int kWidth = 240;
const int kHeight = 160;

using benchrounds::Surface;

// The plain way to the same picture: one DIB, every pixel written, one copy.
void FillPicture(DWORD* pixels)
{
    for (int y = 0; y < kHeight; ++y) {
        const double saturation = double(kHeight - y) / kHeight;
        for (int x = 0; x < kWidth; ++x)
            pixels[y * kWidth + x] = CZUDPDrawManager::PixelFromColor(
                CZUDPDrawManager::HlsToRgbUnitHue(double(x) / kWidth, 0.5, saturation));
    }
}

void Report(const char* name, const benchrounds::Result& result)
{
    std::printf("%-20s picker %8.1f us   plain DIB %8.1f us   ratio %.2f\n", name, result.candidate * 1e6,
                result.baseline * 1e6, result.ratio);
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(5, atoi(argv[1])) : 7;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);

    // A hidden host: the picker paints only when asked to print itself.
    CWnd host;
    host.CreateEx(0, nullptr, "host", WS_POPUP, CRect(0, 0, kWidth + 20, kHeight + 20), nullptr, 0);
    CZUDPColorPickerCtrl picker;
    picker.SetPickerType(CZUDPColorPickerCtrl::PICKER_PICTURE);
    picker.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, kWidth, kHeight), &host, 1);
    picker.SetHLS(0.3, 0.5, 0.6, FALSE);
    Surface target(kWidth, kHeight);

    auto pickerRepaint = [&] { picker.SendMessage(WM_PRINTCLIENT, (WPARAM)target.dc.GetSafeHdc(), PRF_CLIENT); };
    auto pickerBuild = [&] {
        picker.SetPalette(nullptr);  // drops the kept picture, as a resize does
        pickerRepaint();
    };
    auto plainBuild = [&] {
        CDC memory;
        memory.CreateCompatibleDC(&target.dc);
        LPVOID bits = nullptr;
        CBitmap dib;
        dib.Attach(CZUDPDrawManager::Create32BitDibSection(CSize(kWidth, -kHeight), &bits));
        FillPicture(static_cast<DWORD*>(bits));
        CBitmap* old = memory.SelectObject(&dib);
        target.dc.BitBlt(0, 0, kWidth, kHeight, &memory, 0, 0, SRCCOPY);
        memory.SelectObject(old);
    };
    Surface filled(kWidth, kHeight);
    FillPicture(static_cast<DWORD*>(filled.bitmap.GetDIBSectionBits()));
    auto plainRepaint = [&] { target.dc.BitBlt(0, 0, kWidth, kHeight, &filled.dc, 0, 0, SRCCOPY); };

    std::printf("hue/saturation picture %d x %d, median of %d rounds\n", kWidth, kHeight, rounds);
    Report("build and repaint", benchrounds::Compare(pickerBuild, plainBuild, 50, rounds));
    Report("repaint", benchrounds::Compare(pickerRepaint, plainRepaint, 200, rounds));
    picker.DestroyWindow();
    host.DestroyWindow();
    return 0;
}
