// What the file dialog answers from the names the system put in its buffer
// (single and multiple selection).
#include "framework/win/FileDialog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

class CFilledFileDialog : public CFileDialog {
public:
    CFilledFileDialog(DWORD flags, const char* bytes, size_t length, WORD fileOffset)
        : CFileDialog(TRUE, "lmx", nullptr, flags, "Applications (*.lmx)|*.lmx|All files (*.*)|*.*||")
    {
        std::memcpy(m_ofn.lpstrFile, bytes, length);
        m_ofn.nFileOffset = fileOffset;
    }
};

TEST(FileDialogTest, OneChosenFileGivesItsParts)
{
    const char path[] = "C:\\Apps\\line.setup.lmx";
    CFilledFileDialog dlg(OFN_FILEMUSTEXIST, path, sizeof(path), 8);
    EXPECT_STREQ("C:\\Apps\\line.setup.lmx", dlg.GetPathName());
    EXPECT_STREQ("line.setup.lmx", dlg.GetFileName());
    EXPECT_STREQ("lmx", dlg.GetFileExt());
    EXPECT_STREQ("line.setup", dlg.GetFileTitle());
    EXPECT_STREQ("C:\\Apps", dlg.GetFolderPath());
    POSITION pos = dlg.GetStartPosition();
    EXPECT_STREQ("C:\\Apps\\line.setup.lmx", dlg.GetNextPathName(pos));
    EXPECT_EQ(nullptr, pos);
}

TEST(FileDialogTest, SeveralChosenFilesAreListedWithTheirFolder)
{
    // Folder, zero, names separated by zeros, two zeros at the end.
    const char bytes[] = "C:\\Lists\0a.tvl\0b.tvl\0";
    CFilledFileDialog dlg(OFN_ALLOWMULTISELECT | OFN_EXPLORER, bytes, sizeof(bytes), 9);
    std::vector<CString> names;
    for (POSITION pos = dlg.GetStartPosition(); pos != nullptr;)
        names.push_back(dlg.GetNextPathName(pos));
    ASSERT_EQ(2u, names.size());
    EXPECT_STREQ("C:\\Lists\\a.tvl", names[0]);
    EXPECT_STREQ("C:\\Lists\\b.tvl", names[1]);
    EXPECT_STREQ("C:\\Lists\\a.tvl", dlg.GetPathName());
}

TEST(FileDialogTest, NothingChosenListsNothing)
{
    CFileDialog dlg(FALSE);
    EXPECT_EQ(nullptr, dlg.GetStartPosition());
    EXPECT_STREQ("", dlg.GetPathName());
}

TEST(WaitCursorTest, NestedWaitCursorsEndTogether)
{
    EXPECT_EQ(0, AfxGetWaitCursorCount());
    {
        CWaitCursor outer;
        {
            CWaitCursor inner;
            EXPECT_EQ(2, AfxGetWaitCursorCount());
        }
        EXPECT_EQ(1, AfxGetWaitCursorCount());
    }
    EXPECT_EQ(0, AfxGetWaitCursorCount());
    AfxWaitCursor(-1);   // an unbalanced end changes nothing
    EXPECT_EQ(0, AfxGetWaitCursorCount());
}

} // namespace
