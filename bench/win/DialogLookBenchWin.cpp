// Opening and closing a dialog of 200 template controls in the library's
// look (every control wrapped by a themed control and told the look, the
// background painted by the visual manager) against the same dialog as a
// plain framework dialog.  Both dialogs are made from the same template,
// painted once into a memory DC and destroyed.
//
//     trov_dialog_bench [ROUNDS]
#include "framework/win/DC.h"
#include "framework/win/Dialog.h"
#include "framework/win/WinApp.h"
#include "ui/controls/ZUDPDialog.h"

#include "bench/win/AlternatingRounds.h"
#include "tests/common/DialogTemplateWin.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// 200 controls of the wrapped kinds: push buttons, check boxes, radio
// buttons, group boxes, edits, statics, spin buttons and combo boxes.
trovtest::DialogTemplate MakeTemplate()
{
    trovtest::DialogTemplate dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU, 420, 300, "Bench");
    struct Kind {
        const char* windowClass;
        DWORD style;
    } kinds[] = {
        {"Button", BS_PUSHBUTTON | WS_TABSTOP},  {"Button", BS_AUTOCHECKBOX | WS_TABSTOP},
        {"Button", BS_AUTORADIOBUTTON},          {"Button", BS_GROUPBOX},
        {"Edit", WS_BORDER | ES_AUTOHSCROLL},    {"Static", SS_LEFT},
        {"msctls_updown32", 0},                  {"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL},
    };
    for (int i = 0; i < 200; ++i) {
        const Kind& kind = kinds[i % 8];
        const short x = short(5 + (i % 10) * 41);
        const short y = short(5 + (i / 10) * 14);
        dialog.AddControl(kind.windowClass, "Item", kind.style, x, y, 38, 12, WORD(1000 + i));
    }
    return dialog;
}

template <class TDialog>
void OpenPaintClose(LPCDLGTEMPLATE lpTemplate, CDC& dc)
{
    TDialog dialog;
    if (!dialog.CreateIndirect(lpTemplate))
        return;
    dialog.SendMessage(WM_ERASEBKGND, (WPARAM)dc.GetSafeHdc());
    dialog.DestroyWindow();
}

class CLookDialog : public CZUDPDialog {
public:
    CLookDialog() { SetVisualManagerLook(TRUE, FALSE); }
};

} // namespace

int main(int argc, char** argv)
{
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
    ::InitCommonControlsEx(&controls);
    const int rounds = argc > 1 ? std::max(5, atoi(argv[1])) : 7;
    trovtest::DialogTemplate dialogTemplate = MakeTemplate();
    LPCDLGTEMPLATE lpTemplate = dialogTemplate.Get();

    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    {
        CClientDC screen(nullptr);
        bitmap.CreateCompatibleBitmap(&screen, 900, 700);
    }
    CBitmap* pOld = dc.SelectObject(&bitmap);

    benchrounds::Result result = benchrounds::Compare([&] { OpenPaintClose<CLookDialog>(lpTemplate, dc); },
                                                      [&] { OpenPaintClose<CDialog>(lpTemplate, dc); }, 5, rounds);
    dc.SelectObject(pOld);
    printf("dialog of 200 controls, open + erase + close: look %.2f ms, plain %.2f ms, ratio %.2f (median of %d rounds)\n",
           result.candidate * 1000.0, result.baseline * 1000.0, result.ratio, rounds);
    return 0;
}
