// What the toolbar and the bar base answer to the rest of the library: the
// button list and its look-ups, the bar's place (in a dialog, floating in a
// floating frame, docked side) and the look it is told by its host.
#include "framework/Archive.h"
#include "framework/File.h"
#include "framework/win/Dialog.h"
#include "framework/win/Ole.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/commandbars/ZUDPUserTool.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/foundation/ZUDPMessages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

CZUDPToolbarButton* Button(UINT id, CRect rect, UINT style = TBBS_BUTTON)
{
    CZUDPToolbarButton* pButton = new CZUDPToolbarButton(id, -1);
    pButton->style = style;
    pButton->SetRect(rect);
    return pButton;
}

} // namespace

// Buttons: 10, separator, 20, 10 at x 0, 10, 20, 30 (10 wide each).
TEST(ToolBarTest, ButtonLookUps)
{
    CZUDPToolBar bar;
    EXPECT_EQ(0, bar.InsertButton(Button(10, CRect(0, 0, 10, 10))));
    EXPECT_EQ(1, bar.InsertButton(Button(20, CRect(20, 0, 30, 10))));
    EXPECT_EQ(1, bar.InsertButton(Button(0, CRect(10, 0, 20, 10), TBBS_SEPARATOR), 1));
    EXPECT_EQ(3, bar.InsertButton(Button(10, CRect(30, 0, 40, 10)), 3));
    CZUDPToolbarButton* pStray = Button(1, CRect());
    EXPECT_EQ(-1, bar.InsertButton(pStray, 9)) << "past the end";
    delete pStray;
    ASSERT_EQ(4, bar.GetCount());
    EXPECT_EQ(&bar, bar.GetButtonAt(0)->parentWnd);

    struct Row {
        UINT command;
        int start, found;
    } finds[] = {{10, 0, 0}, {10, 1, 3}, {20, 0, 2}, {10, 4, -1}, {99, 0, -1}};
    for (const Row& row : finds)
        EXPECT_EQ(row.found, bar.FindCommandIndex(row.command, row.start)) << row.command << " from " << row.start;

    EXPECT_EQ(0, bar.HitTest(CPoint(5, 5)));
    EXPECT_EQ(-1, bar.HitTest(CPoint(15, 5))) << "a separator is no button";
    EXPECT_EQ(3, bar.HitTest(CPoint(35, 5)));
    EXPECT_EQ(-1, bar.HitTest(CPoint(45, 5)));

    EXPECT_EQ(nullptr, bar.GetButtonAt(4));
    EXPECT_EQ(nullptr, bar.GetButtonAt(-1));
    EXPECT_EQ(2, bar.IndexOfButton(bar.GetButtonAt(2)));
    EXPECT_EQ(-1, bar.IndexOfButton(nullptr));

    bar.ChangeButtonStyle(0, TBBS_CHECKED);
    EXPECT_EQ(UINT(TBBS_CHECKED), bar.GetButtonAt(0)->style);

    EXPECT_FALSE(bar.RemoveButton(4));
    EXPECT_FALSE(bar.RemoveButton(-1));
    EXPECT_TRUE(bar.RemoveButton(0));
    EXPECT_EQ(3, bar.GetCount());
    EXPECT_EQ(2, bar.FindCommandIndex(10));
}

// Collecting a command's buttons visits only toolbars whose window lives.
TEST(ToolBarTest, CommandButtonsOfLiveToolbarsOnly)
{
    CZUDPToolBar live, windowless;
    ASSERT_TRUE(live.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 50, 20), nullptr, 0));
    live.InsertButton(Button(7, CRect()));
    live.InsertButton(Button(8, CRect()));
    live.InsertButton(Button(7, CRect()));
    windowless.InsertButton(Button(7, CRect()));
    CObList found;
    EXPECT_EQ(2, CZUDPToolBar::CollectCommandButtons(7, found));
    EXPECT_EQ(2, found.GetCount());
    live.DestroyWindow();
}

// Where a bar is: made in a dialog, floating in a floating frame, docked
// on a side; and the look its host tells it.
TEST(ControlBarTest, PlaceAndLook)
{
    CDialog dialog;
    ASSERT_TRUE(dialog.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    CZUDPToolBar inDialog;
    ASSERT_TRUE(inDialog.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 50, 20), &dialog, 1));
    EXPECT_TRUE(inDialog.IsInDialog());
    EXPECT_FALSE(inDialog.IsVisualManagerStyle());
    EXPECT_FALSE(inDialog.IsOnGlass());
    EXPECT_EQ(0, inDialog.SendMessage(ZUDM_ONSETCONTROLVMMODE, TRUE));
    EXPECT_EQ(0, inDialog.SendMessage(ZUDM_ONSETCONTROLAERO, TRUE));
    EXPECT_TRUE(inDialog.IsVisualManagerStyle());
    EXPECT_TRUE(inDialog.IsOnGlass());

    CZUDPMiniFrameWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    CZUDPControlBar floating, docked;
    ASSERT_TRUE(floating.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 50, 20), &frame, 1));
    ASSERT_TRUE(docked.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 50, 20), &dialog, 2));
    EXPECT_FALSE(floating.IsFloating()) << "a child of a floating frame that does not host it";
    frame.AddHostedBar(&floating);
    EXPECT_FALSE(floating.IsInDialog());
    EXPECT_TRUE(floating.IsFloating());
    EXPECT_EQ(&frame, floating.GetParentMiniFrame());
    EXPECT_FALSE(docked.IsFloating());
    EXPECT_EQ(nullptr, docked.GetParentMiniFrame());

    docked.ReplaceBarStyle(CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP);
    EXPECT_EQ(DWORD(CBRS_ALIGN_BOTTOM), docked.GetDockedSide());
    EXPECT_FALSE(docked.CanFloat());
    docked.SetControlBarStyle(ZUDP_CBRS_FLOAT);
    EXPECT_TRUE(docked.CanFloat());

    // A toolbar answers its own floating flag.
    CZUDPToolBar toolbar;
    EXPECT_FALSE(toolbar.IsFloating());
    toolbar.m_bFloating = TRUE;
    EXPECT_TRUE(toolbar.IsFloating());

    floating.DestroyWindow();
    docked.DestroyWindow();
    inDialog.DestroyWindow();
    frame.DestroyWindow();
    dialog.DestroyWindow();
}

// The open popup menu is registered process-wide and forgotten when it
// goes; a menu button is dropped down while its popup is open.
TEST(PopupMenuTest, ActivePopupAndDroppedDownButton)
{
    CZUDPToolbarMenuButton button(5, nullptr, -1, "File");
    EXPECT_FALSE(button.IsDroppedDown());
    {
        CZUDPPopupMenu popup;
        EXPECT_TRUE(CZUDPPopupMenu::RegisterWithFrame(nullptr, &popup));
        EXPECT_EQ(&popup, g_activePopupMenu);
        button.openPopup = &popup;
        EXPECT_TRUE(button.IsDroppedDown());
        EXPECT_EQ(CZUDPPopupMenu::kOutside, popup.HitTestArea(CPoint(0, 0))) << "no window yet";
        button.openPopup = nullptr;
    }
    EXPECT_EQ(nullptr, g_activePopupMenu);
}

// The list rules: the overflow button stays last, blocked commands and bad
// separator places are refused, removals clean up separators and shift the
// indexes that point behind the removed button.
TEST(ToolBarTest, ButtonListRules)
{
    CZUDPToolBar bar;
    ASSERT_TRUE(bar.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 200, 30), nullptr, 0));
    EXPECT_EQ(-1, bar.InsertSeparator()) << "nothing to separate";
    g_blockedCommands.AddTail(66);
    CZUDPToolbarButton* pBlocked = Button(66, CRect());
    EXPECT_EQ(-1, bar.InsertButton(pBlocked));
    delete pBlocked;
    g_blockedCommands.RemoveAll();

    // 1, |, 2, |, 3 and the overflow button.
    bar.SetOverflowButton(TRUE, 900, "More");
    ASSERT_EQ(1, bar.GetCount());
    for (UINT id : {1u, 2u, 3u}) {
        const int nOverflowAt = bar.GetCount() - 1;
        EXPECT_EQ(nOverflowAt, bar.InsertButton(Button(id, CRect()))) << "goes before the overflow button";
    }
    EXPECT_EQ(-1, bar.InsertSeparator(0));
    EXPECT_EQ(1, bar.InsertSeparator(1));
    EXPECT_EQ(3, bar.InsertSeparator(3));
    ASSERT_EQ(6, bar.GetCount());
    EXPECT_FALSE(bar.RemoveButton(5)) << "the overflow button stays";

    bar.SetSelectedIndex(4);
    EXPECT_TRUE(bar.RemoveButton(2)) << "the only button between two separators";
    EXPECT_EQ(4, bar.GetCount()) << "one separator is left";
    EXPECT_EQ(1u, bar.GetButtonAt(0)->commandId);
    EXPECT_TRUE(bar.GetButtonAt(1)->IsSeparator());
    EXPECT_EQ(3u, bar.GetButtonAt(2)->commandId);
    EXPECT_EQ(2, bar.GetSelectedIndex()) << "moved down with its button";

    bar.SetSelectedIndex(2);
    EXPECT_TRUE(bar.RemoveButton(2));
    EXPECT_EQ(-1, bar.GetSelectedIndex()) << "its button is gone";
    ASSERT_EQ(2, bar.GetCount()) << "no trailing separator before the overflow button";
    EXPECT_FALSE(bar.GetButtonAt(0)->IsSeparator());

    bar.GetButtonAt(0)->SetRect(CRect(0, 0, 10, 10));
    EXPECT_EQ(0, bar.HitTest(CPoint(5, 5)));
    bar.GetButtonAt(0)->visible = FALSE;
    EXPECT_EQ(-1, bar.HitTest(CPoint(5, 5))) << "a hidden button";
    bar.DestroyWindow();
}

// Drag data carries the button's class and fields; data naming another
// class under the same format is no button.
TEST(ToolBarButtonTest, DragDataRoundTrip)
{
    CZUDPToolbarButton button(0, 3, "&Open", FALSE, TRUE);
    button.commandId = 5;
    button.style = TBBS_CHECKBOX;
    button.showText = TRUE;
    COleDataSource source;
    ASSERT_TRUE(button.ExportDragData(source));
    COleDataObject data;
    data.Attach(source.GetDataObject(), FALSE);
    std::unique_ptr<CZUDPToolbarButton> pCopy(CZUDPToolbarButton::CreateFromOleData(&data));
    ASSERT_NE(nullptr, pCopy);
    EXPECT_EQ(RUNTIME_CLASS(CZUDPToolbarButton), pCopy->GetRuntimeClass());
    EXPECT_EQ(5u, pCopy->commandId);
    EXPECT_EQ(UINT(TBBS_CHECKBOX), pCopy->style);
    EXPECT_EQ(CString("&Open"), pCopy->text);
    EXPECT_EQ(3, pCopy->imageIndex);
    EXPECT_TRUE(pCopy->showText);

    // The same format holding a user tool: refused.
    CMemFile file(256);
    {
        CArchive ar(&file, CArchive::store);
        CZUDPUserTool tool;
        ar.WriteClass(tool.GetRuntimeClass());
        tool.Serialize(ar);
        ar.Close();
    }
    const UINT nBytes = UINT(file.GetLength());
    std::unique_ptr<BYTE, decltype(&std::free)> pBytes(file.Detach(), &std::free);
    HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, nBytes);
    memcpy(::GlobalLock(hGlobal), pBytes.get(), nBytes);
    ::GlobalUnlock(hGlobal);
    COleDataSource foreign;
    foreign.CacheGlobalData(CZUDPToolbarButton::ButtonClipboardFormat(), hGlobal);
    COleDataObject foreignData;
    foreignData.Attach(foreign.GetDataObject(), FALSE);
    EXPECT_EQ(nullptr, CZUDPToolbarButton::CreateFromOleData(&foreignData));
}
