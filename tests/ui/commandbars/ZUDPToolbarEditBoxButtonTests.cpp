// The toolbar's edit-box button: copies of one command kept in step with
// one notification, its archive and the versions that lack its late
// fields, its drawing, and the edit's own keys.
#include "framework/Archive.h"
#include "framework/File.h"
#include "framework/Seam.h"
#include "framework/win/FrameworkSeams.h"
#include "tests/common/DrawingTest.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/common/ui/RecordingVisualManager.h"
#include "tests/ui/commandbars/ToolBarTestSupport.h"
#include "ui/commandbars/ZUDPToolbarEditBoxButton.h"
#include "ui/foundation/ZUDPWorkspace.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using namespace toolbartest;

const UINT kEditCommand = 0x7200;

std::vector<BYTE> StoreEditArchive(CObject& object)
{
    CMemFile file(256);
    {
        CArchive ar(&file, CArchive::store);
        object.Serialize(ar);
        ar.Close();
    }
    const UINT nBytes = UINT(file.GetLength());
    std::unique_ptr<BYTE, decltype(&std::free)> pBytes(file.Detach(), &std::free);
    return std::vector<BYTE>(pBytes.get(), pBytes.get() + nBytes);
}

// Loads the object, then reads one more 32-bit value that must follow it:
// a loader that reads too much or too little misses the marker.
BOOL LoadEditArchive(std::vector<BYTE> bytes, CObject& object, DWORD* pMarker)
{
    try {
        CMemFile file(bytes.data(), UINT(bytes.size()));
        CArchive ar(&file, CArchive::load);
        object.Serialize(ar);
        ar >> *pMarker;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

class CEditVersionWorkspace : public CZUDPWorkspace {
public:
    void SetStoredVersion(int nMajor, int nMinor)
    {
        m_iSavedVersionMajor = nMajor;
        m_iSavedVersionMinor = nMinor;
    }
};

class EditBoxButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        trovtest::InitFrameworkForTests();
        ASSERT_TRUE(m_host.Make(CRect(0, 0, 600, 200)));
        ASSERT_TRUE(MakeToolbar(m_bar, m_host, CSize(500, 40)));
        ASSERT_TRUE(MakeToolbar(m_second, m_host, CSize(500, 40)));
    }
    void TearDown() override
    {
        m_bar.DestroyWindow();
        m_second.DestroyWindow();
        m_host.DestroyWindow();
    }
    CZUDPToolbarEditBoxButton* AddEdit(CZUDPToolBar& bar)
    {
        auto* pButton = new CZUDPToolbarEditBoxButton(kEditCommand, -1, ES_AUTOHSCROLL, 140);
        bar.InsertButton(pButton);
        bar.PositionButtons();
        return pButton;
    }
    size_t PostedUpdates()
    {
        trovtest::PumpUntil([] { return false; }, 50);
        size_t n = 0;
        for (const auto& m : m_host.Of(WM_COMMAND))
            n += LOWORD(m.wParam) == kEditCommand && HIWORD(m.wParam) == EN_UPDATE;
        return n;
    }

    ToolbarStateGuard m_guard;
    CHostWnd m_host;
    CZUDPToolBar m_bar;
    CZUDPToolBar m_second;
};

TEST_F(EditBoxButtonTest, TypingInOneCopyUpdatesTheOthersWithOneCommand)
{
    auto* pFirst = AddEdit(m_bar);
    auto* pSecond = AddEdit(m_second);
    ASSERT_NE(nullptr, pFirst->GetEditBox());
    ASSERT_NE(nullptr, pSecond->GetEditBox());
    m_host.received.clear();
    pFirst->GetEditBox()->SetWindowText("typed");   // EN_UPDATE, as typing makes it
    CString strShown;
    pSecond->GetEditBox()->GetWindowText(strShown);
    EXPECT_EQ("typed", strShown);
    EXPECT_EQ("typed", pSecond->GetContents());
    EXPECT_EQ(1u, PostedUpdates()) << "the copy the button wrote into reports nothing";

    // The same text again changes nothing and says nothing.
    m_host.received.clear();
    pSecond->SetContents("typed");
    EXPECT_EQ(0u, PostedUpdates());
}

TEST_F(EditBoxButtonTest, CtrlKeysAreTheEditsWhileItHasTheFocus)
{
    auto* pButton = AddEdit(m_bar);
    CEdit* pEdit = pButton->GetEditBox();
    ASSERT_NE(nullptr, pEdit);
    pEdit->SetWindowText("copy me");
    pEdit->SetSel(0, -1);
    pEdit->SetFocus();
    ScopedSeam<SHORT(int)> keys(g_frameworkSeams.keyState,
                                [](int nKey) -> SHORT { return nKey == VK_CONTROL ? SHORT(0x8000) : 0; });
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::CloseClipboard();
    MSG msg = {pEdit->GetSafeHwnd(), WM_KEYDOWN, 'C', 0, 0, {0, 0}};
    EXPECT_TRUE(pEdit->PreTranslateMessage(&msg));
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HANDLE hText = ::GetClipboardData(CF_TEXT);
    const char* pText = hText != nullptr ? static_cast<const char*>(::GlobalLock(hText)) : nullptr;
    EXPECT_STREQ("copy me", pText);
    if (pText != nullptr)
        ::GlobalUnlock(hText);
    ::CloseClipboard();
}

TEST_F(EditBoxButtonTest, OnAVerticalBarItIsAnImageButton)
{
    auto* pButton = AddEdit(m_bar);
    CClientDC dc(&m_bar);
    pButton->CalcSize(&dc, CSize(23, 22), TRUE);
    EXPECT_TRUE(pButton->GetEditBox()->GetStyle() & WS_VISIBLE);
    EXPECT_TRUE(pButton->OnClick(&m_bar)) << "the edit takes the click";
    const CSize size = pButton->CalcSize(&dc, CSize(23, 22), FALSE);
    EXPECT_FALSE(pButton->GetEditBox()->GetStyle() & WS_VISIBLE);
    EXPECT_LT(size.cx, 140);
    EXPECT_FALSE(pButton->OnClick(&m_bar)) << "the bar sends the command";
}

TEST_F(EditBoxButtonTest, TheFrameIsDrawnRoundTheEditHighlightedWhileHot)
{
    auto* pButton = AddEdit(m_bar);
    uitest::RecordingManagerScope manager;
    trovtest::DibCanvas canvas(500, 40);
    CDC* pDC = CDC::FromHandle(canvas.Dc());
    for (BOOL bHot : {FALSE, TRUE}) {
        manager->Clear();
        pButton->hot = bHot;
        pButton->DrawButton(pDC, pButton->Rect(), nullptr);
        const auto calls = manager->Of("DrawEditBoxBorder");
        ASSERT_EQ(1u, calls.size());
        EXPECT_EQ(pButton->GetEditBorder(), calls[0].rect);
        EXPECT_EQ(bHot, calls[0].flags.at(1));
    }
    pButton->hot = FALSE;
}

TEST(EditBoxArchiveTest, LateFieldsAreAlwaysWrittenAndReadByVersion)
{
    CZUDPToolbarEditBoxButton button(kEditCommand, -1, ES_AUTOHSCROLL, 90);
    button.contents = "kept";
    button.contextMenuId = 55;
    button.calculatorMode = TRUE;
    std::vector<BYTE> bytes = StoreEditArchive(button);
    const DWORD kMarker = 0xC0FFEE;
    for (int i = 0; i < 4; i++)
        bytes.push_back(BYTE(kMarker >> (8 * i)));
    // The late fields are the last eight bytes before the marker.
    std::vector<BYTE> withoutLate = bytes;
    withoutLate.erase(withoutLate.end() - 12, withoutLate.end() - 4);
    // Stored by a library before the visible flag too: it lies 4 + 4 + 5
    // bytes before the late fields (width, style, "kept").
    std::vector<BYTE> oldest = withoutLate;
    oldest.erase(oldest.end() - 4 - 13 - 4, oldest.end() - 4 - 13);

    struct Case {
        const char* what;
        int major, minor;               // -1: no version known
        const std::vector<BYTE>* bytes;
        UINT menuId;
        BOOL calculator;
    } cases[] = {
        {"a process that loaded nothing reads the current format", -1, -1, &bytes, 55, TRUE},
        {"the current version reads both", 11, 0, &bytes, 55, TRUE},
        {"version 7.0 reads neither", 7, 0, &withoutLate, 0, FALSE},
        {"a library older than both reads neither", 6, 40, &oldest, 0, FALSE},
    };
    for (const Case& c : cases) {
        CEditVersionWorkspace workspace;
        workspace.SetStoredVersion(c.major, c.minor);
        CZUDPToolbarEditBoxButton loaded;
        DWORD marker = 0;
        ASSERT_TRUE(LoadEditArchive(*c.bytes, loaded, &marker)) << c.what;
        EXPECT_EQ(kMarker, marker) << c.what;
        EXPECT_EQ(c.menuId, loaded.contextMenuId) << c.what;
        EXPECT_EQ(c.calculator, loaded.calculatorMode) << c.what;
        EXPECT_EQ("kept", loaded.GetContents()) << c.what << ": a windowless button keeps its text";
        EXPECT_EQ(90, loaded.GetWidth()) << c.what;
    }
}

} // namespace
