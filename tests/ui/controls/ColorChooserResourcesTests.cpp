// The colour chooser's resources as the library's programs carry them: the
// three templates with the controls the dialog and its pages bind, the
// eyedropper's button image and its cursor.
#include "res/ui/controls.h"
#include "tests/common/MessagePumpWin.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

std::string ClassOf(HWND window)
{
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof(name));
    return name;
}

TEST(ColorChooserResources, TemplatesHoldTheControlsTheChooserBinds)
{
    trovtest::InitFrameworkForTests();
    HWND owner = ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 600, 500, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, owner);
    struct Template {
        UINT id;
        const char* caption;
        std::vector<int> buttons, edits, spins;
    } const templates[] = {
        {IDD_ZUDP_COLORS, "Colors", {IDOK, IDCANCEL, IDC_ZUDP_COLORS_SELECT, IDC_ZUDP_COLORS_COLOR}, {}, {}},
        {IDD_ZUDP_COLORS_STANDARD, "Standard", {IDC_ZUDP_COLORS_HEX, IDC_ZUDP_COLORS_GREY}, {}, {}},
        {IDD_ZUDP_COLORS_CUSTOM,
         "Custom",
         {IDC_ZUDP_COLORS_COLOR, IDC_ZUDP_COLORS_LUM},
         {IDC_ZUDP_COLORS_HUE_EDIT, IDC_ZUDP_COLORS_SAT_EDIT, IDC_ZUDP_COLORS_LUM_EDIT, IDC_ZUDP_COLORS_RED,
          IDC_ZUDP_COLORS_GREEN, IDC_ZUDP_COLORS_BLUE},
         {IDC_ZUDP_COLORS_HUE_SPIN, IDC_ZUDP_COLORS_SAT_SPIN, IDC_ZUDP_COLORS_LUM_SPIN, IDC_ZUDP_COLORS_RED_SPIN,
          IDC_ZUDP_COLORS_GREEN_SPIN, IDC_ZUDP_COLORS_BLUE_SPIN}},
    };
    for (const Template& t : templates) {
        SCOPED_TRACE(t.caption);
        HWND dialog = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(t.id),
                                           t.id == IDD_ZUDP_COLORS ? nullptr : owner, PlainDialogProc, 0);
        ASSERT_NE(nullptr, dialog);
        char caption[64] = {};
        ::GetWindowTextA(dialog, caption, sizeof(caption));
        EXPECT_STREQ(t.caption, caption);
        for (int id : t.buttons)
            EXPECT_EQ("Button", ClassOf(::GetDlgItem(dialog, id))) << "control " << id;
        for (size_t i = 0; i < t.edits.size(); i++) {
            HWND edit = ::GetDlgItem(dialog, t.edits[i]);
            EXPECT_EQ("Edit", ClassOf(edit)) << "control " << t.edits[i];
            EXPECT_TRUE(::GetWindowLongA(edit, GWL_STYLE) & ES_NUMBER) << "control " << t.edits[i];
            // Each up-down button works its own edit.
            HWND spin = ::GetDlgItem(dialog, t.spins[i]);
            ASSERT_NE(nullptr, spin) << "control " << t.spins[i];
            EXPECT_EQ(edit, (HWND)::SendMessageA(spin, UDM_GETBUDDY, 0, 0)) << "control " << t.spins[i];
        }
        if (t.id == IDD_ZUDP_COLORS) {
            EXPECT_NE(nullptr, ::GetDlgItem(dialog, IDC_ZUDP_COLORS_PLACEHOLDER));
        }
        ::DestroyWindow(dialog);
    }
    ::DestroyWindow(owner);
}

TEST(ColorChooserResources, EyedropperImageAndCursorLoad)
{
    HINSTANCE module = ::GetModuleHandleA(nullptr);
    HBITMAP image = (HBITMAP)::LoadImageA(module, MAKEINTRESOURCEA(IDB_ZUDP_EYEDROPPER), IMAGE_BITMAP, 0, 0, 0);
    ASSERT_NE(nullptr, image);
    BITMAP info = {};
    ::GetObjectA(image, sizeof(info), &info);
    EXPECT_EQ(16, info.bmWidth);
    EXPECT_EQ(16, info.bmHeight);
    ::DeleteObject(image);

    HCURSOR cursor = ::LoadCursorA(module, MAKEINTRESOURCEA(IDC_ZUDP_EYEDROPPER));
    ASSERT_NE(nullptr, cursor);
    ICONINFO icon = {};
    ASSERT_TRUE(::GetIconInfo(cursor, &icon));
    EXPECT_FALSE(icon.fIcon);
    // The hot spot is the tip at the bottom left of the picture.
    EXPECT_EQ(0u, icon.xHotspot);
    EXPECT_EQ(20u, icon.yHotspot);
    if (icon.hbmMask != nullptr)
        ::DeleteObject(icon.hbmMask);
    if (icon.hbmColor != nullptr)
        ::DeleteObject(icon.hbmColor);
}

} // namespace
