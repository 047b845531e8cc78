// The colour menu button: the strip of its colour under the image, the
// colour shared by every button of the command and the colour bars of the
// command, the colour dialog it opens, and its archive.
#include "framework/Archive.h"
#include "framework/Exceptions.h"
#include "framework/File.h"
#include "framework/win/FrameWnd.h"
#include "tests/common/DrawingTest.h"
#include "tests/common/ui/RecordingVisualManager.h"
#include "ui/commandbars/ZUDPColorBar.h"
#include "ui/commandbars/ZUDPCommandBarsSeams.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/controls/ZUDPColorMenuButton.h"
#include "ui/controls/ZUDPColorSeams.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

const UINT kColorCommand = 34001;

class ColorMenuButtonTest : public ::testing::Test {
protected:
    void SetUp() override { g_commandColors.RemoveAll(); }
    void TearDown() override
    {
        g_commandColors.RemoveAll();
        g_largeIcons = FALSE;
    }
};

// One 16 x 15 image.
void OneImage(CZUDPToolBarImages& images)
{
    images.SetImageSize(CSize(16, 15));
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 16, 15);
    ::ReleaseDC(nullptr, hScreen);
    images.AppendBitmap(hBitmap, TRUE);
    ::DeleteObject(hBitmap);
}

} // namespace

// The strip under the image: 5 pixels high (its frame included), 10 with
// large icons on a toolbar, 5 in a menu; the automatic colour while the
// colour is -1; the bar-shadow colour when disabled.
TEST_F(ColorMenuButtonTest, ColourStripUnderTheImage)
{
    uitest::RecordingManagerScope manager;
    manager->draws = false;
    CZUDPToolBarImages images;
    OneImage(images);
    struct Row {
        BOOL largeIcons, menu, disabled;
        COLORREF color;
        int height;
        COLORREF expected;
    } rows[] = {
        {FALSE, FALSE, FALSE, RGB(200, 0, 0), 5, RGB(200, 0, 0)},
        {TRUE, FALSE, FALSE, RGB(200, 0, 0), 10, RGB(200, 0, 0)},
        {TRUE, TRUE, FALSE, RGB(200, 0, 0), 5, RGB(200, 0, 0)},
        {FALSE, FALSE, FALSE, (COLORREF)-1, 5, RGB(0, 0, 210)},
        {FALSE, FALSE, TRUE, RGB(200, 0, 0), 5, g_uiEnvironment.m_colorBarShadow},
    };
    for (const Row& row : rows) {
        g_largeIcons = row.largeIcons;
        CZUDPColorMenuButton button(kColorCommand, "Colour", nullptr, 0);
        button.inPopupMenu = row.menu;
        button.m_Color = row.color;
        button.m_colorAutomatic = RGB(0, 0, 210);
        if (row.disabled)
            button.style |= TBBS_DISABLED;
        trovtest::DibCanvas canvas(23, 22);
        canvas.Fill(trovtest::kWhite);
        const CRect rect(0, 0, 23, 22);
        button.DrawButton(CDC::FromHandle(canvas.Dc()), rect, &images);
        // The image lies centred at (3, 3)-(19, 18); the strip ends one
        // pixel below the image's bottom.
        const CRect strip = button.ColorStripRect(CRect(3, 3, 19, 18));
        EXPECT_EQ(row.height, strip.Height()) << row.largeIcons << row.menu;
        EXPECT_EQ(19, strip.bottom);
        EXPECT_EQ(row.expected, canvas.Pixel(10, strip.bottom - 2)) << "inside the frame";
        EXPECT_EQ(row.expected, canvas.Pixel(10, strip.top + 1));
        EXPECT_EQ(g_uiEnvironment.m_colorBarShadow, canvas.Pixel(10, strip.top)) << "the frame's top";
        EXPECT_EQ(g_uiEnvironment.m_colorBarLight, canvas.Pixel(10, strip.bottom - 1)) << "the frame's bottom";
        EXPECT_NE(row.expected, canvas.Pixel(10, strip.top - 1)) << "nothing above the strip";
    }
}

// Setting the colour of one of three buttons of a command (notifying)
// gives all three the colour and marks it in a live colour bar of the
// command; without notifying only the button changes.
TEST_F(ColorMenuButtonTest, ColourSharedByTheCommand)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 300, 300), nullptr, 0));
    CZUDPToolBar first, second;
    ASSERT_TRUE(first.CreateBar(&host, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, 0xE910));
    ASSERT_TRUE(second.CreateBar(&host, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, 0xE911));
    CZUDPColorMenuButton* pA = new CZUDPColorMenuButton(kColorCommand, "A");
    CZUDPColorMenuButton* pB = new CZUDPColorMenuButton(kColorCommand, "B");
    CZUDPColorMenuButton* pC = new CZUDPColorMenuButton(kColorCommand, "C");
    first.InsertButton(pA);
    first.InsertButton(pB);
    second.InsertButton(pC);
    CArray<COLORREF, COLORREF> colours;
    colours.Add(RGB(1, 1, 1));
    colours.Add(RGB(40, 50, 60));
    CZUDPColorBar source(colours, (COLORREF)-1, nullptr, nullptr, nullptr, CList<COLORREF, COLORREF>(), 2, 0, 0,
                         RGB(0, 0, 0), kColorCommand);
    CZUDPColorBar bar(source, kColorCommand);
    ASSERT_TRUE(bar.CreatePaletteBar(&host, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, 0xE912));

    pA->SetColor(RGB(40, 50, 60), TRUE);
    for (CZUDPColorMenuButton* pButton : {pA, pB, pC})
        EXPECT_EQ(RGB(40, 50, 60), pButton->GetColor());
    EXPECT_EQ(RGB(40, 50, 60), bar.GetSelectedColor());
    COLORREF recorded = 0;
    ASSERT_TRUE(g_commandColors.Lookup(kColorCommand, recorded));
    EXPECT_EQ(RGB(40, 50, 60), recorded);

    pB->SetColor(RGB(1, 1, 1), FALSE);
    EXPECT_EQ(RGB(1, 1, 1), pB->GetColor());
    EXPECT_EQ(RGB(40, 50, 60), pA->GetColor());
    EXPECT_EQ(RGB(40, 50, 60), bar.GetSelectedColor());
    bar.DestroyWindow();
    first.DestroyWindow();
    second.DestroyWindow();
    host.DestroyWindow();
}

// The other-colour dialog: the library's with the current colour unless
// the button asks for the system's; only a confirmed colour comes out.
TEST_F(ColorMenuButtonTest, ColourDialogByOption)
{
    CZUDPColorMenuButton button(kColorCommand, "Colour");
    int nLibrary = 0, nSystem = 0;
    ScopedSeam library(g_commandBarsSeams.libraryColorDialog, [&](HWND, COLORREF initial, COLORREF* pChosen) {
        ++nLibrary;
        EXPECT_EQ(RGB(7, 8, 9), initial);
        *pChosen = RGB(100, 0, 0);
        return INT_PTR(IDOK);
    });
    ScopedSeam system(g_colorChooserSeams.systemColorDialog, [&](HWND, COLORREF, COLORREF* pChosen) {
        ++nSystem;
        *pChosen = RGB(0, 100, 0);
        return INT_PTR(IDCANCEL);
    });
    COLORREF chosen = 0;
    EXPECT_TRUE(button.OpenColorDialog(RGB(7, 8, 9), chosen));
    EXPECT_EQ(RGB(100, 0, 0), chosen);
    button.EnableOtherButton("Other", FALSE);
    chosen = 0;
    EXPECT_FALSE(button.OpenColorDialog(RGB(7, 8, 9), chosen));
    EXPECT_EQ(COLORREF(0), chosen);
    EXPECT_EQ(1, nLibrary);
    EXPECT_EQ(1, nSystem);
}

namespace {

CString Store(CZUDPColorMenuButton& button)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        button.Serialize(ar);
    }
    const ULONGLONG nLength = file.GetLength();
    BYTE* pBytes = file.Detach();
    CString bytes(reinterpret_cast<const char*>(pBytes), int(nLength));
    free(pBytes);
    return bytes;
}

void Load(CZUDPColorMenuButton& button, const CString& bytes)
{
    CMemFile file(reinterpret_cast<BYTE*>(const_cast<char*>((LPCTSTR)bytes)), UINT(bytes.GetLength()));
    CArchive ar(&file, CArchive::load);
    button.Serialize(ar);
}

} // namespace

// The archive keeps the palette, layout, entries and labels; a colour
// count that the archive cannot hold is refused before any allocation and
// leaves the button as it was.
TEST_F(ColorMenuButtonTest, ArchiveRoundTripAndBadCount)
{
    CZUDPColorMenuButton source(kColorCommand, "Colour");
    source.m_nColumns = 5;
    source.EnableAutomaticButton("Automatic", RGB(3, 2, 1));
    source.EnableOtherButton("More...", FALSE);
    source.EnableDocumentColors("Document");
    const int nColours = int(source.m_Colors.GetSize());
    ASSERT_EQ(20, nColours) << "the stock palette";
    const CString bytes = Store(source);

    CZUDPColorMenuButton loaded;
    Load(loaded, bytes);
    EXPECT_EQ(kColorCommand, loaded.commandId);
    EXPECT_EQ(5, loaded.m_nColumns);
    EXPECT_TRUE(loaded.m_bIsAutomaticButton);
    EXPECT_TRUE(loaded.m_bIsOtherButton);
    EXPECT_TRUE(loaded.m_bIsDocumentColors);
    EXPECT_STREQ("Automatic", loaded.m_strAutomaticButtonLabel);
    EXPECT_STREQ("More...", loaded.m_strOtherButtonLabel);
    EXPECT_STREQ("Document", loaded.m_strDocumentColorsLabel);
    EXPECT_EQ(RGB(3, 2, 1), loaded.m_colorAutomatic);
    EXPECT_TRUE(loaded.m_bStdColorDlg);
    ASSERT_EQ(nColours, loaded.m_Colors.GetSize());
    EXPECT_EQ(source.m_Colors[7], loaded.m_Colors[7]);

    // The count stands right after the base's part: find it by its value
    // followed by the first colour.
    const CString base = bytes.Left(bytes.GetLength());
    int nCountAt = -1;
    for (int i = 0; i + 8 <= base.GetLength(); ++i) {
        const BYTE* p = reinterpret_cast<const BYTE*>((LPCTSTR)base) + i;
        if (p[0] == nColours && p[1] == 0 && p[2] == 0 && p[3] == 0 &&
            *reinterpret_cast<const uint32_t*>(p + 4) == source.m_Colors[0]) {
            nCountAt = i;
            break;
        }
    }
    ASSERT_GE(nCountAt, 0);
    CString bad = bytes;
    bad.SetAt(nCountAt + 3, char(0x20));
    CZUDPColorMenuButton target;
    target.m_nColumns = 9;
    EXPECT_THROW(Load(target, bad), CArchiveException*);
    EXPECT_EQ(9, target.m_nColumns);
    EXPECT_EQ(0, target.m_Colors.GetSize());
}

namespace {

// A frame that answers the document colours and records commands.
class CDocumentFrame : public CFrameWnd {
public:
    LRESULT OnGetDocumentColors(WPARAM wParam, LPARAM lParam)
    {
        askedFor = UINT(wParam);
        auto* pColors = reinterpret_cast<CList<COLORREF, COLORREF>*>(lParam);
        pColors->AddTail(RGB(11, 22, 33));
        pColors->AddTail(RGB(44, 55, 66));
        return 0;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(LOWORD(wParam));
        return CFrameWnd::OnCommand(wParam, lParam);
    }
    UINT askedFor = 0;
    std::vector<UINT> commands;
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDocumentFrame, CFrameWnd)
    ON_REGISTERED_MESSAGE(ZUDTOOLBAR__GETDOCUMENTCOLORS, &CDocumentFrame::OnGetDocumentColors)
END_MESSAGE_MAP()

} // namespace

// The button's popup: a colour bar with the entries the button shows, the
// document colours the frame gives, the button's dialog option; a cell
// chosen in it colours the button and closes it with the command; torn
// off, it leaves a free copy for the command; in customization it does
// not open.
TEST_F(ColorMenuButtonTest, PopupOfTheButton)
{
    CDocumentFrame frame;
    ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "doc", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300), nullptr, 0));
    CZUDPToolBar toolbar;
    ASSERT_TRUE(toolbar.CreateBar(&frame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, 0xE920));
    toolbar.SetOwner(&frame);
    CZUDPColorMenuButton* pButton = new CZUDPColorMenuButton(kColorCommand, "Colour");
    pButton->EnableAutomaticButton("Automatic", RGB(0, 0, 0));
    pButton->EnableOtherButton("More...", FALSE);
    pButton->EnableDocumentColors("Document");
    pButton->m_nColumns = 5;
    toolbar.InsertButton(pButton);

    std::unique_ptr<CZUDPPopupMenu> pending(pButton->CreatePopupMenuObject());
    CColorPopup* pPopup = dynamic_cast<CColorPopup*>(pending.get());
    ASSERT_NE(nullptr, pPopup);
    EXPECT_EQ(kColorCommand, frame.askedFor);
    CZUDPColorBar& bar = pPopup->GetColorBar();
    EXPECT_EQ(&bar, pPopup->GetMenuBar());
    EXPECT_STREQ("Automatic", bar.automaticLabel);
    EXPECT_STREQ("More...", bar.otherLabel);
    EXPECT_EQ(2, bar.documentColors.GetCount());
    EXPECT_TRUE(bar.useSystemColorDialog);
    EXPECT_EQ(5, bar.columns);
    EXPECT_FALSE(bar.dockable);

    {
        std::unique_ptr<CZUDPControlBar> torn(pPopup->CreateTearOffBar(&frame, 0xE921, "Colours"));
        CZUDPColorBar* pTorn = dynamic_cast<CZUDPColorBar*>(torn.get());
        ASSERT_NE(nullptr, pTorn);
        EXPECT_TRUE(pTorn->dockable);
        EXPECT_EQ(kColorCommand, pTorn->commandId);
        EXPECT_EQ(DWORD(CBRS_ALIGN_ANY), pTorn->GetDockableSides() & CBRS_ALIGN_ANY);
        CString title;
        pTorn->GetWindowText(title);
        EXPECT_STREQ("Colours", title);
        pTorn->DestroyWindow();
    }

    pending.reset();   // never made a window: an ordinary delete

    // The button opens its popup without a menu of its own; in
    // customization it does not open.
    const int nSavedAnimation = g_menuAnimation;
    g_menuAnimation = 0;
    g_customizeMode = TRUE;
    EXPECT_FALSE(pButton->OpenPopupMenu(&toolbar)) << "no colour popup while toolbars are customized";
    EXPECT_EQ(nullptr, pButton->openPopup);
    g_customizeMode = FALSE;
    ASSERT_TRUE(pButton->OpenPopupMenu(&toolbar));
    g_menuAnimation = nSavedAnimation;
    pPopup = dynamic_cast<CColorPopup*>(pButton->openPopup);
    ASSERT_NE(nullptr, pPopup);
    const HWND hWndPopup = pPopup->GetSafeHwnd();
    CZUDPColorBar& openBar = pPopup->GetColorBar();
    ASSERT_NE(nullptr, openBar.GetSafeHwnd());
    EXPECT_EQ(pButton, openBar.GetParentColorMenuButton());
    int iCell = -1;
    for (int i = 0; i < openBar.GetCount() && iCell < 0; ++i) {
        if (!openBar.GetButtonAt(i)->IsSeparator() && openBar.GetButtonAt(i)->text.IsEmpty())
            iCell = i;
    }
    ASSERT_GE(iCell, 0);
    const COLORREF chosen = openBar.colors[0];
    const CPoint pt = openBar.GetButtonAt(iCell)->rect.CenterPoint();
    openBar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    openBar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_FALSE(::IsWindow(hWndPopup));
    EXPECT_EQ(nullptr, pButton->openPopup);
    EXPECT_EQ(chosen, pButton->GetColor());
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
    EXPECT_EQ(std::vector<UINT>{kColorCommand}, frame.commands);
    toolbar.DestroyWindow();
    frame.DestroyWindow();
}
