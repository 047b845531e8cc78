#include "ui/controls/ZUDPColorSeams.h"

#include "framework/win/ColorDialog.h"

namespace {

COLORREF RealScreenPixel(POINT point)
{
    HDC screen = ::GetDC(nullptr);
    if (screen == nullptr)
        return CLR_INVALID;
    COLORREF colour = ::GetPixel(screen, point.x, point.y);
    ::ReleaseDC(nullptr, screen);
    return colour;
}

INT_PTR RealSystemColorDialog(HWND owner, COLORREF initial, COLORREF* chosen)
{
    CColorDialog dialog(initial, CC_RGBINIT | CC_FULLOPEN, CWnd::FromHandle(owner));
    dialog.SetCurrentColor(initial);  // also black, which the constructor leaves unset
    INT_PTR result = dialog.DoModal();
    if (result == IDOK && chosen != nullptr)
        *chosen = dialog.GetColor();
    return result;
}

BOOL RealWaitMessage() { return ::WaitMessage(); }

} // namespace

ColorChooserSeams::ColorChooserSeams()
    : screenPixel(RealScreenPixel), systemColorDialog(RealSystemColorDialog), waitMessage(RealWaitMessage)
{
}

ColorChooserSeams g_colorChooserSeams;
