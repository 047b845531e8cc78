// trov_tooltip_bench: the library's tooltip and task-pane drawing against
// plain GDI, in one run.  Run under Wine (headless):
//
//   trov_tooltip_bench [ROUNDS]      (default 7 rounds)
//
//   - a tooltip with a label and a three-line description, from the show
//     notification (measuring, placing) to its picture painted into a DIB:
//     the time per show (goal under 5 ms), and its ratio against measuring
//     and drawing the same two texts with plain DrawText;
//   - 200 task-pane items (label tasks and command links) through the visual
//     manager against FillRect and DrawText of the same rectangles and texts
//     (goal 1.5 or less).
// Both sides are warmed up first and run in alternating rounds; each line
// gives the median of the rounds.
#include "bench/win/DibSurface.h"
#include "framework/win/WinApp.h"
#include "framework/win/DC.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPToolTipCtrl.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/ribbon/ZUDPTasksPane.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

double Now()
{
    LARGE_INTEGER counter, frequency;
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Time(const std::function<void()>& run, int repeats)
{
    const double start = Now();
    for (int i = 0; i < repeats; ++i)
        run();
    return (Now() - start) / repeats;
}

using benchrounds::Surface;

const char kLabel[] = "Install Application";
const char kDescription[] = "Installs an application file on every selected machine, then stops the runtime "
                            "and restarts it with the install type chosen.";

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);
    CZUDPVisualManager* vm = CZUDPVisualManager::GetActiveManager();

    // The tooltip: a tracked tool of an owner, shown once so the system
    // knows its text; each round sends the show notification and paints.
    CWnd owner;
    owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0);
    CZUDPToolTipCtrl tip;
    tip.Create(&owner, TTS_ALWAYSTIP | TTS_NOPREFIX);
    TOOLINFOA ti = {};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    ti.hwnd = owner.GetSafeHwnd();
    ti.uId = 1;
    ti.lpszText = (LPSTR)kLabel;
    tip.SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&ti);
    tip.SendMessage(TTM_TRACKACTIVATE, TRUE, (LPARAM)&ti);
    Surface tipSurface(400, 200);
    auto showAndPaint = [&] {
        tip.SetDescription(kDescription);
        NMHDR hdr = {tip.GetSafeHwnd(), 1, (UINT)TTN_SHOW};
        owner.SendMessage(WM_NOTIFY, 1, (LPARAM)&hdr);
        tip.SendMessage(WM_PRINTCLIENT, (WPARAM)tipSurface.dc.GetSafeHdc(), PRF_CLIENT);
    };
    auto plainText = [&] {
        CDC& dc = tipSurface.dc;
        CFont* old = dc.SelectObject(&g_uiEnvironment.m_fontBold);
        CRect label(0, 0, 400, 0), description(0, 0, 200, 0);
        dc.DrawText(kLabel, -1, label, DT_CALCRECT | DT_SINGLELINE);
        dc.SelectObject(&g_uiEnvironment.m_fontStatus);
        dc.DrawText(kDescription, -1, description, DT_CALCRECT | DT_WORDBREAK);
        dc.FillSolidRect(CRect(0, 0, 210, 60), ::GetSysColor(COLOR_INFOBK));
        dc.SelectObject(&g_uiEnvironment.m_fontBold);
        dc.DrawText(kLabel, -1, CRect(4, 2, 400, 20), DT_SINGLELINE);
        dc.SelectObject(&g_uiEnvironment.m_fontStatus);
        dc.DrawText(kDescription, -1, CRect(4, 20, 204, 60), DT_WORDBREAK);
        dc.SelectObject(old);
    };

    // 200 task-pane items.
    CZUDPTasksPane pane;
    pane.AddGroup("Machines", FALSE);
    for (int i = 0; i < 200; ++i)
        pane.AddTask(0, i % 3 == 0 ? "A label task" : "Discover machines", -1, i % 3 == 0 ? 0 : 100 + i);
    CZUDPTasksPaneGroup* pGroup = pane.GetGroup(0);
    for (int i = 0; i < 200; ++i)
        pGroup->GetTask(i)->m_rect = CRect(10, i * 20, 250, i * 20 + 18);
    Surface taskSurface(260, 4000);
    auto managerTasks = [&] {
        vm->FillTasksPaneBackground(&taskSurface.dc, CRect(0, 0, 260, 4000));
        for (int i = 0; i < 200; ++i)
            vm->DrawTask(&taskSurface.dc, pGroup->GetTask(i), nullptr, i == 5, FALSE);
    };
    auto plainTasks = [&] {
        CDC& dc = taskSurface.dc;
        dc.FillSolidRect(CRect(0, 0, 260, 4000), g_uiEnvironment.m_colorWindow);
        dc.SetBkMode(TRANSPARENT);
        for (int i = 0; i < 200; ++i) {
            CZUDPTasksPaneTask* pTask = pGroup->GetTask(i);
            CFont* old = dc.SelectObject(&g_uiEnvironment.m_fontRegular);
            dc.SetTextColor(g_uiEnvironment.m_colorWindowText);
            CRect rect = pTask->m_rect;
            rect.left += 5;
            dc.DrawText(pTask->m_strName, rect, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
            dc.SelectObject(old);
        }
    };

    for (int i = 0; i < 20; ++i) {
        showAndPaint();
        plainText();
        managerTasks();
        plainTasks();
    }
    std::vector<double> tipTimes, tipRatios, taskRatios;
    for (int r = 0; r < rounds; ++r) {
        const double t = Time(showAndPaint, 50);
        const double p = Time(plainText, 50);
        tipTimes.push_back(t * 1000.0);
        tipRatios.push_back(t / p);
        const double m = Time(managerTasks, 20);
        const double g = Time(plainTasks, 20);
        taskRatios.push_back(m / g);
    }
    printf("tooltip show-to-painted, 3-line description: %.3f ms (goal < 5 ms), %.2fx plain DrawText\n",
           Median(tipTimes), Median(tipRatios));
    printf("200 task-pane items through the manager vs FillRect+DrawText: %.2fx (goal <= 1.5)\n", Median(taskRatios));
    tip.SendMessage(TTM_TRACKACTIVATE, FALSE, (LPARAM)&ti);
    tip.DestroyWindow();
    owner.DestroyWindow();
    return 0;
}
