// Shortcut text of accelerator entries.  The names are those of the test
// prefix's US layout ("Ctrl", "Num 5"...), which the case rule produces from
// the upper-case names the layout gives.
#include "ui/foundation/ZUDPKeyHelper.h"

#include <gtest/gtest.h>

namespace {

TEST(ZUDPKeyHelperTest, FormatsModifiersInFixedOrderThenTheKey)
{
    struct Case {
        BYTE fVirt;
        WORD key;
        const char* expected;
    } cases[] = {
        {FVIRTKEY | FSHIFT | FCONTROL, 'S', "Ctrl+Shift+S"},
        {FVIRTKEY | FALT | FSHIFT | FCONTROL, VK_F1, "Ctrl+Shift+Alt+F1"},
        // The arrow, not its keypad twin (which shares the scan code).
        {FVIRTKEY | FALT, VK_UP, "Alt+Up"},
        {FVIRTKEY, VK_DELETE, "Delete"},
        {FVIRTKEY, VK_NUMPAD5, "Num 5"},
        {FVIRTKEY | FCONTROL, VK_PAUSE, "Ctrl+Pause"},
        // Character entries: the low byte as it is; Esc adds nothing.
        {FCONTROL, 'A', "Ctrl+A"},
        {FCONTROL, VK_ESCAPE, "Ctrl+"},
        {0, 'q', "q"},
        // A key the layout has no name for leaves only the modifiers.
        {FVIRTKEY | FCONTROL, 0xE8, "Ctrl+"},
    };
    for (const Case& c : cases) {
        ACCEL accel = {c.fVirt, c.key, 100};
        CZUDPKeyHelper helper(&accel);
        CString text("stale");
        helper.FormatShortcut(text);
        EXPECT_STREQ(c.expected, text) << "flags " << int(c.fVirt) << " key " << c.key;
    }
    CZUDPKeyHelper none(nullptr);
    CString text("stale");
    none.FormatShortcut(text);
    EXPECT_STREQ("", text);
}

} // namespace
