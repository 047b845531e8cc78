#pragma once
// Running the program's modal dialogs in tests: the steps of a script run
// one per timer tick while the dialog is up (setting control texts,
// sending commands, checking what the dialog shows), and every message box
// is answered by a hook that keeps its text.
#include "app/win/AppDialogs.h"
#include "app/win/AppSeams.h"
#include "tests/common/MessagePumpWin.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace trovtest {

using DialogStep = std::function<void(CDialog&)>;

struct DialogScriptState {
    CDialog* dialog = nullptr;
    std::vector<DialogStep> steps;
    size_t next = 0;
    int idleTicks = 0;
};

inline DialogScriptState& CurrentDialogScript()
{
    static DialogScriptState state;
    return state;
}

inline VOID CALLBACK RunDialogStep(HWND, UINT, UINT_PTR, DWORD)
{
    DialogScriptState& state = CurrentDialogScript();
    if (state.dialog == nullptr || state.dialog->GetSafeHwnd() == nullptr)
        return;
    if (state.next < state.steps.size()) {
        DialogStep step = state.steps[state.next++];
        step(*state.dialog);
        return;
    }
    // A script that forgot to end its dialog must not hang the tests.
    if (++state.idleTicks > 50)
        state.dialog->EndDialog(IDABORT);
}

// Runs the dialog modally with the script; the dialog's result.
inline INT_PTR RunDialog(CDialog& dialog, std::vector<DialogStep> steps)
{
    InitFrameworkForTests();
    DialogScriptState& state = CurrentDialogScript();
    state.dialog = &dialog;
    state.steps = std::move(steps);
    state.next = 0;
    state.idleTicks = 0;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 10, &RunDialogStep);
    INT_PTR result = dialog.DoModal();
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(state.steps.size(), state.next) << "the dialog ended before its script did";
    state.dialog = nullptr;
    state.steps.clear();
    return result;
}

// The message boxes shown while the object lives, answered with IDOK.
class CMessageBoxRecorder {
public:
    CMessageBoxRecorder() : m_seam(g_appSeams.messageBox, &Record) { Texts().clear(); }
    const std::vector<std::string>& texts() const { return Texts(); }
    void clear() { Texts().clear(); }

private:
    static std::vector<std::string>& Texts()
    {
        static std::vector<std::string> texts;
        return texts;
    }
    static int Record(HWND, const char* text, const char*, UINT)
    {
        Texts().push_back(text ? text : "");
        return IDOK;
    }

    ScopedSeam<int(HWND, const char*, const char*, UINT)> m_seam;
};

// Commands as a click would send them.
inline void Click(CDialog& dialog, int id)
{
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(dialog, id));
}
inline void SelectComboEntry(CDialog& dialog, int id, int index)
{
    dialog.SendDlgItemMessage(id, CB_SETCURSEL, (WPARAM)index);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)::GetDlgItem(dialog, id));
}
inline std::string ItemText(CDialog& dialog, int id)
{
    CString text;
    dialog.GetDlgItemText(id, text);
    return std::string((LPCTSTR)text);
}
inline std::vector<std::string> ComboEntries(CDialog& dialog, int id)
{
    std::vector<std::string> entries;
    int count = (int)dialog.SendDlgItemMessage(id, CB_GETCOUNT);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        dialog.SendDlgItemMessage(id, CB_GETLBTEXT, (WPARAM)i, (LPARAM)text);
        entries.push_back(text);
    }
    return entries;
}
inline std::vector<std::string> ListBoxEntries(CDialog& dialog, int id)
{
    std::vector<std::string> entries;
    int count = (int)dialog.SendDlgItemMessage(id, LB_GETCOUNT);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        dialog.SendDlgItemMessage(id, LB_GETTEXT, (WPARAM)i, (LPARAM)text);
        entries.push_back(text);
    }
    return entries;
}
// The control's own visibility (the dialog itself shows only once its
// queue first empties).
inline bool IsShown(CDialog& dialog, int id)
{
    return (::GetWindowLongA(::GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}
inline bool IsEnabled(CDialog& dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }

// A control of a template: id and rectangle in dialog units.
struct TemplateControl {
    int id;
    int x, y, cx, cy;
    bool checkHeight; // a drop-down list's template height is its open list
};

// Each control stands where the template puts it, in the dialog's own units.
inline void ExpectTemplateLayout(CDialog& dialog, const std::vector<TemplateControl>& controls)
{
    for (const TemplateControl& c : controls) {
        SCOPED_TRACE(testing::Message() << "control " << c.id);
        HWND control = ::GetDlgItem(dialog, c.id);
        ASSERT_NE(nullptr, control);
        // The system converts position and size each on its own.
        CRect expected(c.x, c.y, c.cx, c.cy);
        dialog.MapDialogRect(&expected);
        CRect actual;
        ::GetWindowRect(control, &actual);
        dialog.ScreenToClient(&actual);
        EXPECT_EQ(expected.left, actual.left);
        EXPECT_EQ(expected.top, actual.top);
        EXPECT_EQ(expected.right, actual.Width());
        if (c.checkHeight) {
            EXPECT_EQ(expected.bottom, actual.Height());
        }
    }
}

} // namespace trovtest
