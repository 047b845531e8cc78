// The calendar bar and the calendar menu button: archives, the popup of
// the button, torn-off and dialog-control bars, the bar's style and size,
// the button's drawing, and owners that destroy bars while a date spreads.
#include "tests/ui/planner/CalendarTestSupportWin.h"

#include <cstring>
#include <string>

#include "framework/win/FrameWnd.h"
#include "tests/common/DrawingTest.h"
#include "tests/common/ui/RecordingVisualManager.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/planner/ZUDPCalendarBar.h"
#include "ui/planner/ZUDPCalendarMenuButton.h"

using namespace calendartest;
using plannertest::Bytes;
using plannertest::Text;

namespace {

const UINT kCommand = 0xE930;

Bytes Le32(std::initializer_list<int32_t> values)
{
    Bytes out;
    for (int32_t v : values) {
        const uint32_t u = uint32_t(v);
        for (int i = 0; i < 4; ++i)
            out.push_back((unsigned char)(u >> (8 * i)));
    }
    return out;
}

Bytes Concat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A frame that records the commands it runs and the calendar notices.
class CCommandFrame : public CFrameWnd {
public:
    std::vector<UINT> commands;
    int selectionChanges = 0;
    std::vector<WPARAM> prompts;
    std::function<void()> onSelectionChange;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == ZUDM_CALENDAR_ON_SELCHANGED) {
            ++selectionChanges;
            if (onSelectionChange)
                onSelectionChange();
            return 0;
        }
        if (message == WM_SETMESSAGESTRING) {
            prompts.push_back(wParam);
            return 0;
        }
        if (message == WM_COMMAND && lParam == 0) {
            commands.push_back(LOWORD(wParam));
            return 0;
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
};

int g_popupsDeleted = 0;

// A popup that counts its deletions.
class CCountingPopup : public CCalendarPopup {
public:
    using CCalendarPopup::CCalendarPopup;
    ~CCountingPopup() override { ++g_popupsDeleted; }
};

class CCountingButton : public CZUDPCalendarMenuButton {
public:
    CCountingButton() : CZUDPCalendarMenuButton(kCommand, -1, "Date") {}
    CZUDPPopupMenu* CreatePopupMenuObject() override { return new CCountingPopup(this, m_Date, commandId); }
};

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
}

class CalendarBarTest : public CalendarTest {
protected:
    CalendarBarTest()
    {
        m_savedAnimation = g_menuAnimation;
        g_menuAnimation = 0;
        m_frame.CreateEx(0, AfxRegisterWndClass(0), "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 500), nullptr, 0);
    }
    ~CalendarBarTest() override
    {
        g_menuAnimation = m_savedAnimation;
        g_customizeMode = FALSE;
        g_calendarButtonDates.RemoveKey(kCommand);
        if (m_frame.GetSafeHwnd() != nullptr)
            m_frame.DestroyWindow();
    }
    // A toolbar of the frame holding one calendar button of the command.
    template <class Button = CZUDPCalendarMenuButton>
    Button* AddToolbar(CZUDPToolBar& toolbar, UINT id)
    {
        EXPECT_TRUE(toolbar.CreateBar(&m_frame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, id));
        toolbar.SetOwner(&m_frame);
        Button* pButton = new Button();
        if (pButton->commandId == 0)
            pButton->commandId = kCommand;
        toolbar.InsertButton(pButton);
        return static_cast<Button*>(toolbar.GetButtonAt(toolbar.GetCount() - 1));
    }
    CPoint DayIn(CZUDPCalendar& cal, const COleDateTime& day)
    {
        CRect cell;
        EXPECT_TRUE(cal.GetDateRect(day, cell)) << Text(day);
        return cell.CenterPoint();
    }
    void ClickDay(CZUDPCalendar& cal, const COleDateTime& day)
    {
        const CPoint p = DayIn(cal, day);
        const HWND hWnd = cal.GetSafeHwnd();
        ::SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        if (::IsWindow(hWnd))
            ::SendMessageA(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    }

    CCommandFrame m_frame;
    int m_savedAnimation = 0;
};

} // namespace

// ---- archives -----------------------------------------------------------------------------------

TEST_F(CalendarBarTest, ArchivesWriteTheirValuesAfterTheBases)
{
    CZUDPCalendarBar bar(Date(2024, 5, 3), kCommand);
    const Bytes barBytes = plannertest::Store([&](CArchive& ar) { bar.Serialize(ar); });
    const Bytes toolbarBytes = plannertest::Store([&](CArchive& ar) { bar.CZUDPToolBar::Serialize(ar); });
    EXPECT_EQ(Concat(toolbarBytes, Le32({0, int32_t(kCommand)})), barBytes);
    CZUDPCalendarBar loaded;
    plannertest::Load(barBytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(kCommand, loaded.GetCommandID());
    EXPECT_FALSE(loaded.m_bNotifyOwner);

    CZUDPCalendarMenuButton button(kCommand, -1, "Date");
    button.m_nLayoutValues[0] = 7;
    button.m_nLayoutValues[3] = -9;
    const Bytes buttonBytes = plannertest::Store([&](CArchive& ar) { button.Serialize(ar); });
    const Bytes menuButtonBytes =
        plannertest::Store([&](CArchive& ar) { button.CZUDPToolbarMenuButton::Serialize(ar); });
    EXPECT_EQ(Concat(menuButtonBytes, Le32({7, -1, -1, -9})), buttonBytes);
    // A short archive is refused by the framework's exception.
    Bytes shorter(buttonBytes.begin(), buttonBytes.end() - 2);
    CZUDPCalendarMenuButton partial;
    EXPECT_ANY_THROW(plannertest::Load(shorter, [&](CArchive& ar) { partial.Serialize(ar); }));
}

TEST_F(CalendarBarTest, ALoadedButtonTakesTheDateItsCommandCarries)
{
    CZUDPToolBar toolbar;
    CZUDPCalendarMenuButton* live = AddToolbar(toolbar, 0xE940);
    live->SetDate(Date(2022, 2, 22), FALSE);
    CZUDPCalendarMenuButton stored(kCommand, -1, "Date");
    stored.m_Date = Date(2020, 1, 1);
    const Bytes bytes = plannertest::Store([&](CArchive& ar) { stored.Serialize(ar); });
    CZUDPCalendarMenuButton loaded;
    plannertest::Load(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ("2022-02-22 00:00", Text(loaded.GetDate()));
    toolbar.DestroyWindow();
}

TEST_F(CalendarBarTest, CopyingTakesDateAndLayoutOnlyFromACalendarButton)
{
    CZUDPCalendarMenuButton source(kCommand, -1, "Date");
    source.m_Date = Date(2024, 7, 1);
    source.m_nLayoutValues[1] = 42;
    CZUDPCalendarMenuButton copy;
    copy.CopyFrom(source);
    EXPECT_EQ("2024-07-01 00:00", Text(copy.GetDate()));
    EXPECT_EQ(42, copy.m_nLayoutValues[1]);
    COleDateTime kept;
    ASSERT_TRUE(GetCalendarButtonDate(kCommand, kept));
    EXPECT_EQ("2024-07-01 00:00", Text(kept));
    // A plain menu button has no date: this button keeps its own.
    CZUDPToolbarMenuButton plain(kCommand, nullptr, -1, "Plain");
    copy.CopyFrom(plain);
    EXPECT_EQ("2024-07-01 00:00", Text(copy.GetDate()));
    EXPECT_EQ(42, copy.m_nLayoutValues[1]);
}

// ---- the popup ----------------------------------------------------------------------------------

TEST_F(CalendarBarTest, APopupDayDatesEveryButtonAndBarOfTheCommandAndRunsItOnce)
{
    CZUDPToolBar first, second;
    CCountingButton* button = AddToolbar<CCountingButton>(first, 0xE941);
    CZUDPCalendarMenuButton* other = AddToolbar(second, 0xE942);
    // A floating calendar bar of the command.
    CZUDPCalendarBar freeBar;
    ASSERT_TRUE(freeBar.Create(&m_frame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, 0xE943, FALSE));
    freeBar.m_uiCommandID = kCommand;
    button->SetDate(Date(2023, 11, 15), FALSE);

    g_customizeMode = TRUE;
    EXPECT_FALSE(button->OpenPopupMenu(&first)) << "no popup while toolbars are customized";
    g_customizeMode = FALSE;
    ASSERT_TRUE(button->OnClick(&first, FALSE));
    auto* popup = dynamic_cast<CCalendarPopup*>(button->openPopup);
    ASSERT_NE(nullptr, popup);
    CZUDPCalendar& cal = popup->GetCalendarBar().GetCalendar();
    ASSERT_NE(nullptr, cal.GetSafeHwnd());
    EXPECT_EQ(11, cal.GetFirstMonth());
    EXPECT_EQ(2023, cal.GetFirstYear());
    EXPECT_EQ(0, cal.GetSelectedCount()) << "the popup selects no day";
    EXPECT_FALSE(cal.IsWeekNumbers());
    EXPECT_FALSE(cal.IsMultipleSelection());
    // A second click closes it.
    HWND hPopup = popup->GetSafeHwnd();
    g_popupsDeleted = 0;
    ASSERT_TRUE(button->OnClick(&first, FALSE));
    EXPECT_FALSE(::IsWindow(hPopup));
    EXPECT_EQ(nullptr, button->openPopup);
    EXPECT_EQ(1, g_popupsDeleted);

    ASSERT_TRUE(button->OnClick(&first, FALSE));
    popup = dynamic_cast<CCalendarPopup*>(button->openPopup);
    ASSERT_NE(nullptr, popup);
    hPopup = popup->GetSafeHwnd();
    const HWND hBar = popup->GetCalendarBar().GetSafeHwnd();
    const HWND hCalendar = popup->GetCalendarBar().GetCalendar().GetSafeHwnd();
    g_popupsDeleted = 0;
    m_frame.commands.clear();
    ClickDay(popup->GetCalendarBar().GetCalendar(), Date(2023, 11, 21));
    Pump();
    EXPECT_FALSE(::IsWindow(hPopup));
    EXPECT_FALSE(::IsWindow(hBar));
    EXPECT_FALSE(::IsWindow(hCalendar));
    EXPECT_EQ(1, g_popupsDeleted) << "popup, bar and calendar go once";
    EXPECT_EQ(nullptr, button->openPopup);
    EXPECT_EQ("2023-11-21 00:00", Text(button->GetDate()));
    EXPECT_EQ("2023-11-21 00:00", Text(other->GetDate()));
    EXPECT_EQ("2023-11-21 00:00", Text(freeBar.GetCalendar().GetDate()));
    COleDateTime kept;
    ASSERT_TRUE(GetCalendarButtonDate(kCommand, kept));
    EXPECT_EQ("2023-11-21 00:00", Text(kept));
    EXPECT_EQ(std::vector<UINT>{kCommand}, m_frame.commands);
    freeBar.DestroyWindow();
    first.DestroyWindow();
    second.DestroyWindow();
}

TEST_F(CalendarBarTest, ATornOffBarCommandsItsOwnerPerDayAndDatesTheButtons)
{
    CZUDPToolBar toolbar;
    CZUDPCalendarMenuButton* button = AddToolbar(toolbar, 0xE944);
    button->SetDate(Date(2024, 5, 3), FALSE);
    std::unique_ptr<CZUDPPopupMenu> pending(button->CreatePopupMenuObject());
    auto* popup = dynamic_cast<CCalendarPopup*>(pending.get());
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(&popup->GetCalendarBar(), popup->GetMenuBar());
    std::unique_ptr<CZUDPControlBar> torn(popup->CreateTearOffBar(&m_frame, 0xE945, "Calendar"));
    auto* bar = dynamic_cast<CZUDPCalendarBar*>(torn.get());
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(kCommand, bar->GetCommandID());
    EXPECT_TRUE(bar->m_bNotifyOwner);
    EXPECT_EQ(DWORD(CBRS_ALIGN_ANY), bar->GetDockableSides() & CBRS_ALIGN_ANY);
    CString title;
    bar->GetWindowText(title);
    EXPECT_STREQ("Calendar", title);
    bar->SetOwner(&m_frame);
    CZUDPCalendar& cal = bar->GetCalendar();
    cal.SetFirstMonth(2024, 5, FALSE);
    m_frame.commands.clear();
    m_frame.selectionChanges = 0;
    ClickDay(cal, Date(2024, 5, 9));
    ClickDay(cal, Date(2024, 5, 10));
    EXPECT_EQ((std::vector<UINT>{kCommand, kCommand}), m_frame.commands);
    EXPECT_EQ(2, m_frame.selectionChanges);
    EXPECT_EQ("2024-05-10 00:00", Text(button->GetDate()));
    bar->DestroyWindow();
    pending.reset();
    toolbar.DestroyWindow();
}

TEST_F(CalendarBarTest, OnlyBarsNotMadeForAButtonDateTellTheirOwner)
{
    CZUDPCalendarBar forButton(Date(2024, 5, 3), kCommand);
    ASSERT_TRUE(forButton.Create(&m_frame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, 0xE946));
    forButton.SetOwner(&m_frame);
    forButton.GetCalendar().SetFirstMonth(2024, 5, FALSE);
    ClickDay(forButton.GetCalendar(), Date(2024, 5, 14));
    EXPECT_EQ(0, m_frame.selectionChanges);
    EXPECT_EQ(std::vector<UINT>{kCommand}, m_frame.commands);

    // A dialog control: fitted calendar with a border, the control id as
    // its command, the dialog as its owner.
    CCommandFrame dialog;
    ASSERT_TRUE(dialog.CreateEx(0, AfxRegisterWndClass(0), "dialog", WS_POPUP, CRect(0, 0, 400, 400), nullptr, 0));
    CZUDPCalendarBar control;
    ASSERT_TRUE(control.CreateControl(&dialog, CRect(10, 10, 260, 230), 1234, TRUE));
    EXPECT_TRUE(control.IsControlMode());
    EXPECT_EQ(1234u, control.GetCommandID());
    EXPECT_EQ(&dialog, control.GetOwner());
    EXPECT_TRUE(control.GetCalendar().m_bFitMode);
    EXPECT_NE(0u, control.GetCalendar().GetStyle() & WS_BORDER);
    EXPECT_EQ(0u, control.GetBarStyle() & (CBRS_GRIPPER | CBRS_BORDER_ANY));
    CRect window;
    control.GetWindowRect(window);
    dialog.ScreenToClient(window);
    EXPECT_EQ(CRect(10, 10, 260, 230), window);
    CZUDPCalendar& cal = control.GetCalendar();
    cal.SetFirstMonth(2024, 5, FALSE);
    ClickDay(cal, Date(2024, 5, 14));
    EXPECT_EQ(1, dialog.selectionChanges);
    EXPECT_EQ(std::vector<UINT>{1234u}, dialog.commands);
    control.DestroyWindow();
    forButton.DestroyWindow();
    dialog.DestroyWindow();
}

TEST_F(CalendarBarTest, StyleSizeAndStatusPrompt)
{
    CZUDPCalendarBar bar;
    ASSERT_TRUE(bar.Create(&m_frame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, 0xE947, TRUE));
    bar.SetOwner(&m_frame);
    CZUDPCalendar& cal = bar.GetCalendar();
    EXPECT_TRUE(cal.IsMultipleSelection());
    cal.SelectDate(Date(2024, 5, 3), FALSE, FALSE, FALSE);
    ASSERT_EQ(1, cal.GetSelectedCount());
    m_frame.selectionChanges = 0;
    bar.SetCalendarStyle(0, CZUDPCalendarBar::StyleMultipleSelection);
    EXPECT_EQ(0, cal.GetSelectedCount()) << "even one day is cleared";
    EXPECT_EQ(1, m_frame.selectionChanges);
    EXPECT_FALSE(cal.IsMultipleSelection());
    bar.SetCalendarStyle(CZUDPCalendarBar::StyleWeekNumbers, CZUDPCalendarBar::StyleWeekNumbers);
    EXPECT_TRUE(cal.IsWeekNumbers());

    const CSize plain = bar.CalcSize(FALSE);
    EXPECT_EQ(CSize(cal.m_nMonthWidth + 4, cal.m_nMonthHeight + 4), plain);
    EXPECT_EQ(plain, bar.CalcSize(TRUE));
    cal.ShowTodayButton(TRUE);
    CRect button;
    cal.m_wndToday.GetClientRect(button);
    EXPECT_EQ(plain.cy + button.Height() + 10, bar.CalcSize(FALSE).cy);

    bar.ShowStatusPrompt(-1);
    bar.ShowStatusPrompt(int(kCommand));
    EXPECT_EQ((std::vector<WPARAM>{0xE001, kCommand}), m_frame.prompts);
    bar.DestroyWindow();
}

TEST_F(CalendarBarTest, AnOwnerThatDestroysBarsWhileADateSpreads)
{
    // Two free bars of the command; the first one's notice makes the owner
    // destroy the second bar and the toolbar of another button.
    CZUDPToolBar toolbar;
    CZUDPCalendarMenuButton* button = AddToolbar(toolbar, 0xE948);
    CZUDPToolBar doomedToolbar;
    AddToolbar(doomedToolbar, 0xE949);
    auto* one = new CZUDPCalendarBar;
    auto* two = new CZUDPCalendarBar;
    for (CZUDPCalendarBar* bar : {one, two}) {
        ASSERT_TRUE(bar->Create(&m_frame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, 0xE94A, FALSE));
        bar->m_uiCommandID = kCommand;
        bar->SetOwner(&m_frame);
    }
    const HWND hTwo = two->GetSafeHwnd();
    m_frame.onSelectionChange = [&] {
        if (two != nullptr) {
            two->DestroyWindow();
            delete two;
            two = nullptr;
            doomedToolbar.DestroyWindow();
        }
    };
    button->SetDate(Date(2024, 9, 9), TRUE);
    m_frame.onSelectionChange = nullptr;
    EXPECT_FALSE(::IsWindow(hTwo));
    EXPECT_EQ("2024-09-09 00:00", Text(one->GetCalendar().GetDate()));
    EXPECT_GE(m_frame.selectionChanges, 1);
    one->DestroyWindow();
    delete one;
    delete two;
    toolbar.DestroyWindow();
}

// ---- drawing ------------------------------------------------------------------------------------

namespace {

// The bounding box of the pixels of the colour inside the rectangle.
CRect InkOf(const trovtest::DibCanvas& canvas, const CRect& rect, COLORREF colour)
{
    CRect ink(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (int y = std::max(0L, rect.top); y < std::min<long>(rect.bottom, canvas.Height()); ++y)
        for (int x = std::max(0L, rect.left); x < std::min<long>(rect.right, canvas.Width()); ++x)
            if (canvas.Pixel(x, y) == colour) {
                ink.left = std::min<long>(ink.left, x);
                ink.top = std::min<long>(ink.top, y);
                ink.right = std::max<long>(ink.right, x + 1);
                ink.bottom = std::max<long>(ink.bottom, y + 1);
            }
    return ink.left == INT_MAX ? CRect(0, 0, 0, 0) : ink;
}

} // namespace

TEST_F(CalendarBarTest, TheArrowPointsDownOnAHorizontalBarAndRightOnAVerticalOneAndShiftsWhenOpen)
{
    uitest::RecordingManagerScope manager;
    CZUDPToolBar toolbar;
    CZUDPCalendarMenuButton* button = AddToolbar(toolbar, 0xE94B);
    struct Case {
        const char* name;
        BOOL horz;
        CRect rect;
    };
    const Case cases[] = {
        {"horizontal bar", TRUE, CRect(0, 0, 60, 24)},
        {"vertical bar", FALSE, CRect(0, 0, 24, 60)},
    };
    CZUDPPopupMenu stillOpen;   // stands for the open popup: never shown
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        button->style = 0;
        auto draw = [&](BOOL open, trovtest::DibCanvas& canvas) {
            manager->Clear();
            button->openPopup = open ? &stillOpen : nullptr;
            canvas.Fill(RGB(255, 255, 255));
            button->DrawButton(CDC::FromHandle(canvas.Dc()), c.rect, nullptr, c.horz, FALSE, FALSE, TRUE, TRUE);
            button->openPopup = nullptr;
            return InkOf(canvas, button->arrowRect, RGB(0, 0, 0));
        };
        trovtest::DibCanvas closedCanvas(c.rect.Width(), c.rect.Height());
        const CRect closed = draw(FALSE, closedCanvas);
        EXPECT_EQ(0, manager->Count("DrawButtonBorder"));
        ASSERT_FALSE(closed.IsRectEmpty());
        EXPECT_TRUE(CRect(button->arrowRect).PtInRect(closed.TopLeft()));
        // A triangle pointing down is wider than high, one pointing right
        // higher than wide.
        if (c.horz)
            EXPECT_GT(closed.Width(), closed.Height());
        else
            EXPECT_GT(closed.Height(), closed.Width());

        // Open: pressed border and the arrow one pixel down and right.
        trovtest::DibCanvas openCanvas(c.rect.Width(), c.rect.Height());
        const CRect open = draw(TRUE, openCanvas);
        std::vector<int> borders;
        for (const auto& call : manager->Of("DrawButtonBorder"))
            borders.push_back(call.flags.at(0));
        EXPECT_EQ(std::vector<int>{1}, borders);
        CRect expected = closed;
        expected.OffsetRect(1, 1);
        EXPECT_EQ(expected, open);
    }
    toolbar.DestroyWindow();
}

TEST_F(CalendarBarTest, TheButtonDrawsItsArrowAndBorderByState)
{
    uitest::RecordingManagerScope manager;
    CZUDPToolBar toolbar;
    CZUDPCalendarMenuButton* button = AddToolbar(toolbar, 0xE94B);
    const CRect rect(0, 0, 60, 24);
    struct Case {
        const char* name;
        UINT style;
        BOOL highlight, flat;
        std::vector<int> borders;   // states of the DrawButtonBorder calls
    };
    const Case cases[] = {
        {"normal", 0, FALSE, FALSE, {}},
        {"highlighted", 0, TRUE, FALSE, {2}},
        {"pressed", TBBS_PRESSED, FALSE, FALSE, {1}},
        {"checked, flat", TBBS_CHECKED, FALSE, TRUE, {1}},
        {"disabled, highlighted", TBBS_DISABLED, TRUE, FALSE, {}},
    };
    for (const Case& c : cases) {
        manager->Clear();
        manager->m_flatMenuLook = c.flat;
        button->style = c.style;
        trovtest::DibCanvas canvas(rect.Width(), rect.Height());
        canvas.Fill(RGB(255, 255, 255));   // a fresh canvas is black: the arrow's black must be drawn
        CDC* pDC = CDC::FromHandle(canvas.Dc());
        button->DrawButton(pDC, rect, nullptr, TRUE, FALSE, c.highlight, TRUE, TRUE);
        std::vector<int> borders;
        for (const auto& call : manager->Of("DrawButtonBorder"))
            borders.push_back(call.flags.at(0));
        EXPECT_EQ(c.borders, borders) << c.name;
        // The arrow: black, grey when disabled.
        const bool grey = (c.style & TBBS_DISABLED) != 0;
        EXPECT_EQ(grey, canvas.CountColor(button->arrowRect, RGB(0, 0, 0)) == 0) << c.name;
    }
    manager->m_flatMenuLook = FALSE;
    // In a menu the button is a menu row: no button border at all.
    manager->Clear();
    button->inPopupMenu = TRUE;
    trovtest::DibCanvas row(120, 22);
    button->DrawButton(CDC::FromHandle(row.Dc()), CRect(0, 0, 120, 22), nullptr, TRUE, FALSE, TRUE, TRUE, TRUE);
    EXPECT_EQ(0, manager->Count("DrawButtonBorder"));
    button->inPopupMenu = FALSE;
    toolbar.DestroyWindow();
}
