// The toolbar button on its own: its archive byte for byte (with the
// visible flag gated only for state an older library stored) and the size
// it measures for a bar's orientation.
#include "framework/Archive.h"
#include "framework/File.h"
#include "tests/common/DrawingTest.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPWorkspace.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using ButtonBytes = std::vector<BYTE>;

// A workspace whose stored-state version a test chooses.
class CVersionedWorkspace : public CZUDPWorkspace {
public:
    void SetStoredVersion(int nMajor, int nMinor)
    {
        m_iSavedVersionMajor = nMajor;
        m_iSavedVersionMinor = nMinor;
    }
};

ButtonBytes StoreButtonArchive(std::initializer_list<CZUDPToolbarButton*> buttons)
{
    CMemFile file(256);
    {
        CArchive ar(&file, CArchive::store);
        for (CZUDPToolbarButton* pButton : buttons)
            pButton->Serialize(ar);
        ar.Close();
    }
    const UINT nBytes = UINT(file.GetLength());
    std::unique_ptr<BYTE, decltype(&std::free)> pBytes(file.Detach(), &std::free);
    return ButtonBytes(pBytes.get(), pBytes.get() + nBytes);
}

// Loads buttons one after the other from the bytes; FALSE when the archive
// ran out.
BOOL LoadButtonArchive(ButtonBytes bytes, std::initializer_list<CZUDPToolbarButton*> buttons)
{
    try {
        CMemFile file(bytes.data(), UINT(bytes.size()));
        CArchive ar(&file, CArchive::load);
        for (CZUDPToolbarButton* pButton : buttons)
            pButton->Serialize(ar);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void AppendArchiveDword(ButtonBytes& bytes, DWORD value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(BYTE(value >> (8 * i)));
}

// command 0x1234, checked check box, image 5, "&Open", text shown, and
// (when given) the visible flag.
ButtonBytes OpenButtonArchiveBytes(const DWORD* pVisible)
{
    ButtonBytes bytes;
    AppendArchiveDword(bytes, 0x1234);
    AppendArchiveDword(bytes, TBBS_CHECKBOX | TBBS_CHECKED);
    AppendArchiveDword(bytes, 5);
    const BYTE text[] = {5, '&', 'O', 'p', 'e', 'n'};
    bytes.insert(bytes.end(), text, text + sizeof(text));
    AppendArchiveDword(bytes, FALSE);   // user image
    AppendArchiveDword(bytes, FALSE);   // from the command list
    AppendArchiveDword(bytes, TRUE);    // text shown
    AppendArchiveDword(bytes, TRUE);    // image shown
    if (pVisible != nullptr)
        AppendArchiveDword(bytes, *pVisible);
    return bytes;
}

} // namespace

// Storing always writes the current format, visible flag included.
// Loading reads the flag except from state that a library older than the
// flag stored (the workspace knows the stored version while it loads);
// without it the button stays visible.
TEST(ToolbarButtonArchiveTest, BytesWithAndWithoutTheVisibleFlag)
{
    ASSERT_EQ(nullptr, GetWorkspaceInstance());
    CZUDPToolbarButton button(0x1234, 5, "&Open", FALSE, TRUE);
    button.style = TBBS_CHECKBOX | TBBS_CHECKED;
    button.showText = TRUE;
    button.visible = FALSE;
    const DWORD dwHidden = FALSE;
    const ButtonBytes withFlag = OpenButtonArchiveBytes(&dwHidden);
    const ButtonBytes withoutFlag = OpenButtonArchiveBytes(nullptr);

    const struct {
        bool workspace;
        int major, minor;
        bool readsFlag;
        const char* what;
    } cases[] = {
        {false, 0, 0, true, "no workspace"},
        {true, -1, -1, true, "nothing loaded yet"},
        {true, 6, 41, true, "the first version with the flag"},
        {true, 11, 0, true, "this version"},
        {true, 6, 4, false, "an older version"},
    };
    for (const auto& c : cases) {
        std::unique_ptr<CVersionedWorkspace> pWorkspace;
        if (c.workspace) {
            pWorkspace.reset(new CVersionedWorkspace);
            pWorkspace->SetStoredVersion(c.major, c.minor);
        }
        EXPECT_EQ(withFlag, StoreButtonArchive({&button})) << c.what;

        // Two buttons in a row: the second is read whole when the first
        // took exactly its own bytes.
        ButtonBytes bytes = c.readsFlag ? withFlag : withoutFlag;
        CZUDPToolbarButton next(0x99, 2, "Next", FALSE, TRUE);
        const ButtonBytes nextBytes = StoreButtonArchive({&next});
        if (!c.readsFlag)
            bytes.insert(bytes.end(), nextBytes.begin(), nextBytes.end() - 4);
        else
            bytes.insert(bytes.end(), nextBytes.begin(), nextBytes.end());
        CZUDPToolbarButton loaded, loadedNext;
        loaded.locked = loadedNext.locked = TRUE;
        ASSERT_TRUE(LoadButtonArchive(bytes, {&loaded, &loadedNext})) << c.what;
        EXPECT_EQ(0x1234u, loaded.commandId) << c.what;
        EXPECT_EQ(UINT(TBBS_CHECKBOX | TBBS_CHECKED), loaded.style) << c.what;
        EXPECT_EQ(5, loaded.imageIndex) << c.what;
        EXPECT_EQ(CString("&Open"), loaded.text) << c.what;
        EXPECT_TRUE(loaded.showText) << c.what;
        EXPECT_EQ(c.readsFlag ? FALSE : TRUE, loaded.visible) << c.what;
        EXPECT_EQ(0x99u, loadedNext.commandId) << c.what;
        EXPECT_EQ(CString("Next"), loadedNext.text) << c.what;
    }

    // Saved before anything was loaded, read back after the workspace
    // stamped the state with this version: the same fields both ways.
    const ButtonBytes saved = StoreButtonArchive({&button});
    CVersionedWorkspace workspace;
    workspace.SetStoredVersion(11, 0);
    CZUDPToolbarButton loaded;
    loaded.locked = TRUE;
    ASSERT_TRUE(LoadButtonArchive(saved, {&loaded}));
    EXPECT_FALSE(loaded.visible);

    ButtonBytes truncated(withFlag.begin(), withFlag.end() - 6);
    EXPECT_FALSE(LoadButtonArchive(truncated, {&loaded})) << "a read past the end raises the archive's error";
}

// The size a button measures for a default size of 23 x 22.
TEST(ToolbarButtonSizeTest, SizesForOrientationAndText)
{
    CDC dc;
    dc.Attach(::CreateCompatibleDC(nullptr));
    HFONT hFont = (HFONT)g_uiEnvironment.m_fontRegular.GetSafeHandle();
    HGDIOBJ hOld = dc.SelectObject((HGDIOBJ)hFont);
    const CSize sizeDefault(23, 22);
    const int wOpen = trovtest::MeasureText(hFont, "Open").cx;
    const int wAmp = trovtest::MeasureText(hFont, "A&B").cx;

    struct Row {
        const char* what;
        UINT style;
        int image;       // imageIndex (separators: their width)
        const char* text;
        BOOL showText, visible, horizontal;
        CSize expected;
    };
    const Row rows[] = {
        {"separator, default width", TBBS_SEPARATOR, 0, "", FALSE, TRUE, TRUE, CSize(8, 22)},
        {"separator, no width", TBBS_SEPARATOR, -1, "", FALSE, TRUE, TRUE, CSize(8, 22)},
        {"separator 12 wide", TBBS_SEPARATOR, 12, "", FALSE, TRUE, TRUE, CSize(12, 22)},
        {"vertical separator", TBBS_SEPARATOR, 12, "", FALSE, TRUE, FALSE, CSize(23, 8)},
        {"hidden", 0, 3, "Open", TRUE, FALSE, TRUE, CSize(0, 0)},
        {"image only", 0, 3, "Open", FALSE, TRUE, TRUE, CSize(23, 22)},
        {"image and mnemonic text", 0, 3, "&Open", TRUE, TRUE, TRUE, CSize(23 + wOpen + 6, 22)},
        {"text without image", 0, -1, "&Open", TRUE, TRUE, TRUE, CSize(wOpen + 9, 22)},
        {"doubled marker", 0, 3, "A&&B", TRUE, TRUE, TRUE, CSize(23 + wAmp + 6, 22)},
        {"vertical text", 0, 3, "&Open", TRUE, TRUE, FALSE, CSize(23, 22 + wOpen + 6)},
    };
    for (const Row& row : rows) {
        CZUDPToolbarButton button;
        button.locked = TRUE;
        button.style = row.style;
        button.imageIndex = row.image;
        button.showImage = row.image >= 0;
        button.text = row.text;
        button.showText = row.showText;
        button.visible = row.visible;
        EXPECT_EQ(row.expected, CSize(button.CalcSize(&dc, sizeDefault, row.horizontal))) << row.what;
    }

    // Text below the image: measured in a box three buttons wide.
    CZUDPToolbarButton below(1, 3, "Open", FALSE, TRUE);
    below.textBelowImage = TRUE;
    CRect rectText(0, 0, 3 * 23, 22);
    dc.DrawText("Open", rectText, DT_CALCRECT | DT_CENTER | DT_WORDBREAK);
    const CSize size = below.CalcSize(&dc, sizeDefault, TRUE);
    EXPECT_EQ(rectText.Height(), below.textBelowHeight);
    EXPECT_EQ(rectText.Width() + 6, below.textBelowWidth);
    EXPECT_EQ(CSize(std::max(23, int(rectText.Width()) + 6) + 12, 22 + 1 + rectText.Height()), size);

    dc.SelectObject(hOld);
    ::DeleteDC(dc.Detach());
}
