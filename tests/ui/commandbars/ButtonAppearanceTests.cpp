// The button image list (layout, scrolling, keys, selection notice) and
// the button appearance dialog driven by its controls' messages.
#include "framework/win/FrameworkSeams.h"
#include "res/ui/commandbars.h"
#include "tests/common/DrawingTest.h"
#include "ui/commandbars/ZUDPCommandManager.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/commandbars/ZUDPUserTool.h"
#include "ui/commandbars/customize/ButtonAppearanceDlg.h"
#include "ui/commandbars/customize/ButtonsList.h"
#include "ui/foundation/ZUDPToolBarImages.h"
#include "ui/foundation/ZUDPUserToolsManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A strip of n user images of 16 x 15.
void FillStrip(CZUDPToolBarImages& strip, int n)
{
    strip.SetImageSize(CSize(16, 15));
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 16 * n, 15);
    ::ReleaseDC(nullptr, hScreen);
    strip.AppendBitmap(hBitmap, TRUE);
    ::DeleteObject(hBitmap);
}

// A parent that records the commands its children send.
class CRecordingParent : public CWnd {
public:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        notices.push_back({LOWORD(wParam), HWND(lParam)});
        return TRUE;
    }
    std::vector<std::pair<UINT, HWND>> notices;
};

class ButtonsListTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (m_list.GetSafeHwnd() != nullptr)
            m_list.DestroyWindow();
        if (m_parent.GetSafeHwnd() != nullptr)
            m_parent.DestroyWindow();
        for (CZUDPToolbarButton* pButton : m_buttons)
            delete pButton;
    }
    // A list of the client size with n buttons, images 0 .. n-1.
    void Make(CSize sizeClient, int n)
    {
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 400, 400), nullptr, 0));
        HWND hButton = ::CreateWindowExA(0, "BUTTON", "Images", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0,
                                         sizeClient.cx, sizeClient.cy, m_parent.GetSafeHwnd(), HMENU(16508), nullptr,
                                         nullptr);
        ASSERT_TRUE(m_list.SubclassWindow(hButton));
        FillStrip(m_images, n > 0 ? n : 1);
        m_list.SetImages(&m_images);
        for (int i = 0; i < n; ++i) {
            CZUDPToolbarButton* pButton = new CZUDPToolbarButton;
            pButton->usesUserImage = TRUE;
            pButton->AssignImage(i);
            m_buttons.push_back(pButton);
            m_list.AddButton(pButton);
        }
    }
    // The client size that holds the given rows of buttons exactly.
    static CSize SizeFor(int nColumns, int nRows, int nRowHeight, int nButtonWidth)
    {
        return CSize(nColumns * (nButtonWidth + 4) + 8 + ::GetSystemMetrics(SM_CXVSCROLL) + 1, nRows * nRowHeight + 10);
    }
    void Key(UINT vk) { m_list.SendMessage(WM_KEYDOWN, vk); }
    int SelectedIndex() const
    {
        for (int i = 0; i < int(m_buttons.size()); ++i) {
            if (m_buttons[i] == m_list.GetSelectedButton())
                return i;
        }
        return -1;
    }

    CRecordingParent m_parent;
    CButtonsList m_list;
    CZUDPToolBarImages m_images;
    std::vector<CZUDPToolbarButton*> m_buttons;
};

// Width of the buttons as the list measures them (16 + 6 wide, 15 + 7 high).
const int kButtonWidth = 22, kRowHeight = 22 + 5;

} // namespace

// Buttons wrap into rows of the area's width; the scroll bar comes only
// with rows that do not fit, and its maximum is the excess rows' height.
TEST_F(ButtonsListTest, WrapsAndScrollsOnlyWithExcessRows)
{
    Make(SizeFor(3, 2, kRowHeight, kButtonWidth), 6);
    EXPECT_EQ(CSize(kButtonWidth, 22), m_list.GetButtonSize());
    EXPECT_EQ(m_buttons[0]->rect.top, m_buttons[2]->rect.top);
    EXPECT_EQ(m_buttons[0]->rect.left, m_buttons[3]->rect.left) << "the fourth starts a row";
    EXPECT_EQ(m_buttons[0]->rect.top + kRowHeight, m_buttons[3]->rect.top);
    EXPECT_EQ(m_buttons[0]->rect.left + kButtonWidth + 4, m_buttons[1]->rect.left);
    EXPECT_FALSE(m_list.HasScrollBar()) << "exactly as many rows as fit";
    EXPECT_EQ(0, m_list.GetMaxScroll());

    CZUDPToolbarButton* pSeventh = m_buttons.emplace_back(new CZUDPToolbarButton);
    pSeventh->usesUserImage = TRUE;
    pSeventh->AssignImage(0);
    m_list.AddButton(pSeventh);
    EXPECT_TRUE(m_list.HasScrollBar());
    EXPECT_EQ(kRowHeight, m_list.GetMaxScroll());
    EXPECT_EQ(2, m_list.GetPageRows());
}

// Scrolling moves by rows and pages, snaps a thumb position to the
// nearest row, stays within 0 and the maximum, and a new layout after
// scrolling keeps the maximum.
TEST_F(ButtonsListTest, ScrollingByRowsAndThumb)
{
    Make(SizeFor(2, 2, kRowHeight, kButtonWidth), 12);  // 6 rows, 2 fit: 4 excess
    ASSERT_EQ(4 * kRowHeight, m_list.GetMaxScroll());
    struct Row {
        UINT code;
        UINT pos;
        int expected;
    } rows[] = {
        {SB_LINEDOWN, 0, kRowHeight},
        {SB_PAGEDOWN, 0, 3 * kRowHeight},
        {SB_LINEUP, 0, 2 * kRowHeight},
        {SB_THUMBPOSITION, UINT(kRowHeight / 2 - 1), 0},
        {SB_THUMBPOSITION, UINT(kRowHeight / 2 + 1), kRowHeight},
        {SB_THUMBPOSITION, UINT(2 * kRowHeight + kRowHeight / 2 + 1), 3 * kRowHeight},
        {SB_BOTTOM, 0, 4 * kRowHeight},
        {SB_PAGEDOWN, 0, 4 * kRowHeight},
        {SB_TOP, 0, 0},
        {SB_LINEUP, 0, 0},
    };
    for (const Row& row : rows) {
        m_list.SendMessage(WM_VSCROLL, MAKEWPARAM(row.code, row.pos));
        EXPECT_EQ(row.expected, m_list.GetScrollOffset()) << "code " << row.code << " pos " << row.pos;
    }
    m_list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0));
    CRect rectWindow;
    m_list.GetWindowRect(&rectWindow);
    m_list.SetWindowPos(nullptr, 0, 0, rectWindow.Width(), rectWindow.Height() + 1, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(4 * kRowHeight, m_list.GetMaxScroll()) << "the maximum does not shrink after scrolling";
    EXPECT_EQ(m_buttons[11], m_list.HitTest(m_list.ShownRect(m_buttons[11]).CenterPoint()));
}

// Keys move the selection; every change tells the parent; the ends stay.
TEST_F(ButtonsListTest, KeysAndSelectionNotice)
{
    Make(SizeFor(3, 2, kRowHeight, kButtonWidth), 5);
    EXPECT_EQ(UINT(DLGC_WANTARROWS), UINT(m_list.SendMessage(WM_GETDLGCODE)));
    struct Row {
        UINT key;
        int selected;
    } rows[] = {{VK_RIGHT, 0}, {VK_RIGHT, 1}, {VK_DOWN, 2}, {VK_END, 4}, {VK_RIGHT, 4}, {VK_HOME, 0},
                {VK_LEFT, 0}, {VK_UP, 0}};
    for (const Row& row : rows) {
        Key(row.key);
        EXPECT_EQ(row.selected, SelectedIndex()) << "key " << row.key;
    }
    ASSERT_FALSE(m_parent.notices.empty());
    EXPECT_EQ(16508u, m_parent.notices.back().first);
    EXPECT_EQ(m_list.GetSafeHwnd(), m_parent.notices.back().second);
    const size_t nNotices = m_parent.notices.size();
    EXPECT_EQ(5u, nNotices) << "right, right, down, end, home changed it";

    EXPECT_TRUE(m_list.SelectButtonByImage(3));
    EXPECT_EQ(3, SelectedIndex());
    EXPECT_FALSE(m_list.SelectButtonByImage(-1));
    EXPECT_EQ(-1, SelectedIndex());
    const size_t nAfterClear = m_parent.notices.size();
    EXPECT_EQ(nNotices + 2, nAfterClear);
    m_list.SelectButtonByImage(-1);
    EXPECT_EQ(nAfterClear, m_parent.notices.size()) << "nothing selected stays so without a notice";

    const CPoint pt = m_list.ShownRect(m_buttons[2]).CenterPoint();
    m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(2, SelectedIndex());
}

// An empty list answers no key.
TEST_F(ButtonsListTest, EmptyListIgnoresKeys)
{
    Make(SizeFor(3, 2, kRowHeight, kButtonWidth), 0);
    for (UINT vk : {VK_HOME, VK_END, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN})
        Key(vk);
    EXPECT_EQ(nullptr, m_list.GetSelectedButton());
    EXPECT_TRUE(m_parent.notices.empty());
}

namespace {

const UINT kAppearanceCommand = 33101;

// The dialog made modeless; message boxes recorded; the image editor
// answered by the test.
class CTestAppearanceDlg : public CButtonAppearanceDlg {
public:
    using CButtonAppearanceDlg::CButtonAppearanceDlg;
    INT_PTR RunImageEditor(CBitmap& bitmap, int nBitsPerPixel) override
    {
        (void)nBitsPerPixel;
        ++editorRuns;
        if (editorDraws != CLR_INVALID) {
            BITMAP bm = {};
            bitmap.GetBitmap(&bm);
            HDC hMem = ::CreateCompatibleDC(nullptr);
            HGDIOBJ hOld = ::SelectObject(hMem, (HBITMAP)bitmap);
            ::SetPixel(hMem, 0, 0, editorDraws);
            ::SelectObject(hMem, hOld);
            ::DeleteDC(hMem);
        }
        return editorAnswer;
    }
    INT_PTR editorAnswer = IDOK;
    COLORREF editorDraws = CLR_INVALID;
    int editorRuns = 0;
};

class AppearanceDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_seams.Replace(g_frameworkSeams.messageBox, [this](HWND, const char* text, const char*, UINT) {
            messages.push_back(text);
            return IDOK;
        });
        m_button.commandId = kAppearanceCommand;
    }
    void TearDown() override
    {
        if (m_dialog != nullptr && m_dialog->GetSafeHwnd() != nullptr)
            m_dialog->DestroyWindow();
        m_dialog.reset();
        GetCommandManager()->ResetAllImages();
    }
    CTestAppearanceDlg& Open(CZUDPToolBarImages* pImages, BOOL bMenuMode = FALSE)
    {
        m_dialog = std::make_unique<CTestAppearanceDlg>(&m_button, pImages, nullptr, 0, bMenuMode);
        EXPECT_TRUE(m_dialog->Create(IDD_ZUDP_BUTTON_APPEARANCE));
        return *m_dialog;
    }
    void Click(UINT nID) { m_dialog->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), LPARAM(m_dialog->GetDlgItem(nID)->GetSafeHwnd())); }
    void Ok() { m_dialog->SendMessage(WM_COMMAND, IDOK); }
    CString EditText()
    {
        CString text;
        m_dialog->GetDlgItem(IDC_ZUDP_APPEARANCE_TEXT)->GetWindowText(text);
        return text;
    }
    void SetEditText(LPCTSTR text) { m_dialog->GetDlgItem(IDC_ZUDP_APPEARANCE_TEXT)->SetWindowText(text); }
    std::string Message(UINT nID)
    {
        CString text;
        text.LoadString(nID);
        return std::string((LPCTSTR)text);
    }

    CZUDPToolbarButton m_button;
    std::unique_ptr<CTestAppearanceDlg> m_dialog;
    std::vector<std::string> messages;
    ScopedSeams m_seams;
};

} // namespace

// OK refuses an empty text while text is shown, and a missing image while
// an image is shown; the dialog stays open after each.
TEST_F(AppearanceDlgTest, RefusesMissingTextOrImage)
{
    m_button.text = "Save";
    m_button.showText = TRUE;
    m_button.showImage = FALSE;
    Open(nullptr);
    SetEditText("");
    Ok();
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ(Message(IDS_ZUDP_ENTER_TEXT), messages[0]);
    EXPECT_TRUE(::IsWindow(m_dialog->GetSafeHwnd()));
    EXPECT_STREQ("Save", m_button.text);
    m_dialog->DestroyWindow();

    // No standard image and no user images: nothing to show as an image.
    CZUDPToolBarImages images;
    FillStrip(images, 3);
    m_button.showImage = TRUE;
    Open(&images);
    Click(IDC_ZUDP_APPEARANCE_IMAGE_TEXT);
    Ok();
    ASSERT_EQ(2u, messages.size());
    EXPECT_EQ(Message(IDS_ZUDP_SELECT_IMAGE), messages[1]);
    EXPECT_TRUE(::IsWindow(m_dialog->GetSafeHwnd()));

    // A user image chosen in the list is taken.
    m_dialog->GetImageList().SelectButtonByImage(2);
    Ok();
    EXPECT_EQ(2u, messages.size());
    EXPECT_TRUE(m_button.usesUserImage);
    EXPECT_EQ(2, m_button.userImageIndex);
    EXPECT_TRUE(m_button.showImage);
    EXPECT_TRUE(m_button.showText);
}

// The edit shows the text before a tab; OK puts the edited text back
// before the tab and what followed it.
TEST_F(AppearanceDlgTest, TextAfterTabSurvives)
{
    GetCommandManager()->AssignCommandImage(kAppearanceCommand, 4, FALSE);
    m_button.text = "Open\tCtrl+O";
    m_button.imageIndex = 4;
    Open(nullptr);
    EXPECT_STREQ("Open", EditText());
    SetEditText("Load");
    Click(IDC_ZUDP_APPEARANCE_IMAGE_TEXT);
    Ok();
    EXPECT_TRUE(messages.empty());
    EXPECT_STREQ("Load\tCtrl+O", m_button.text);
    EXPECT_EQ(4, m_button.imageIndex);
}

// In menu mode image-only cannot be chosen, and the image choice goes to
// the command manager, not to the button.
TEST_F(AppearanceDlgTest, MenuModeStoresInTheCommandManager)
{
    GetCommandManager()->AssignCommandImage(kAppearanceCommand, 2, FALSE);
    m_button.text = "Print";
    m_button.imageIndex = 2;
    m_button.showImage = TRUE;
    Open(nullptr, TRUE);
    EXPECT_FALSE(m_dialog->GetDlgItem(IDC_ZUDP_APPEARANCE_IMAGE_ONLY)->IsWindowEnabled());
    EXPECT_EQ(BST_CHECKED, m_dialog->IsDlgButtonChecked(IDC_ZUDP_APPEARANCE_IMAGE_TEXT));
    Click(IDC_ZUDP_APPEARANCE_TEXT_ONLY);
    Ok();
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(GetCommandManager()->IsMenuItemWithoutImage(kAppearanceCommand));
    EXPECT_TRUE(m_button.showImage) << "the button keeps its own flag";
}

// A user tool's button previews the tool's icon and takes image 0 with
// the default image.
TEST_F(AppearanceDlgTest, UserToolShowsItsIcon)
{
    CZUDPUserToolsManager tools(kAppearanceCommand, kAppearanceCommand);
    CZUDPUserTool* pTool = tools.AddTool();
    ASSERT_NE(nullptr, pTool);
    BYTE andMask[16 * 16 / 8] = {};
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hColor = ::CreateCompatibleBitmap(hScreen, 16, 16);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hMem, hColor);
    RECT all = {0, 0, 16, 16};
    HBRUSH hRed = ::CreateSolidBrush(RGB(255, 0, 0));
    ::FillRect(hMem, &all, hRed);
    ::DeleteObject(hRed);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
    HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, andMask);
    ICONINFO info = {TRUE, 0, 0, hMask, hColor};
    pTool->m_hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hMask);
    ::DeleteObject(hColor);

    m_button.text = "Tool";
    m_button.showImage = TRUE;
    Open(nullptr);
    const CRect rect = m_dialog->GetPreviewRect();
    ASSERT_FALSE(rect.IsRectEmpty());
    trovtest::DibCanvas canvas(rect.right + 4, rect.bottom + 4);
    canvas.Fill(trovtest::kWhite);
    m_dialog->PaintPreview(CDC::FromHandle(canvas.Dc()));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(rect.CenterPoint().x, rect.CenterPoint().y));

    Click(IDC_ZUDP_APPEARANCE_IMAGE_TEXT);
    Ok();
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(m_button.usesUserImage);
    EXPECT_EQ(0, m_button.imageIndex);
    ::DestroyIcon(pTool->m_hIcon);
    pTool->m_hIcon = nullptr;
}

// New appends the edited picture to the user images and selects it; an
// editor that is cancelled adds nothing.
TEST_F(AppearanceDlgTest, NewImageAppendsToTheUserImages)
{
    CZUDPToolBarImages images;
    FillStrip(images, 2);
    m_button.text = "Draw";
    m_button.showImage = TRUE;
    Open(&images);
    Click(IDC_ZUDP_APPEARANCE_USER_IMAGE);
    ASSERT_TRUE(m_dialog->GetDlgItem(IDC_ZUDP_APPEARANCE_NEW)->IsWindowEnabled());
    m_dialog->editorAnswer = IDCANCEL;
    Click(IDC_ZUDP_APPEARANCE_NEW);
    EXPECT_EQ(2, images.GetCount());
    m_dialog->editorAnswer = IDOK;
    m_dialog->editorDraws = RGB(0, 0, 255);
    Click(IDC_ZUDP_APPEARANCE_NEW);
    EXPECT_EQ(2, m_dialog->editorRuns);
    EXPECT_EQ(3, images.GetCount());
    EXPECT_EQ(2, m_dialog->GetCurrentImage()) << "the new image is selected";
    EXPECT_TRUE(m_dialog->GetDlgItem(IDC_ZUDP_APPEARANCE_EDIT)->IsWindowEnabled());
    EXPECT_TRUE(messages.empty());
}
