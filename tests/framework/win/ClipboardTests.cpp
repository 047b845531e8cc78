// Text on the clipboard: handed over whole, read back only as far as the
// clipboard's memory reaches.
#include "framework/win/Clipboard.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(ClipboardTextTest, TextGoesOnTheClipboardAndComesBack)
{
    for (const char* text : {"RGB (32, 64, 128)", ""}) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(AfxClipboardPutText(nullptr, text));
        CString back;
        ASSERT_TRUE(AfxClipboardGetText(nullptr, back));
        EXPECT_STREQ(text, back);
    }
    EXPECT_FALSE(AfxClipboardPutText(nullptr, nullptr));
}

// Another program may put text without a terminator: the reader stops at
// the end of the memory it was given.
TEST(ClipboardTextTest, UnterminatedTextIsReadUpToItsMemory)
{
    const char bytes[] = {'a', 'b', 'c'};
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(bytes));
    ASSERT_NE(nullptr, block);
    std::memcpy(::GlobalLock(block), bytes, sizeof(bytes));
    ::GlobalUnlock(block);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ASSERT_NE(nullptr, ::SetClipboardData(CF_TEXT, block));
    ::CloseClipboard();

    CString back;
    ASSERT_TRUE(AfxClipboardGetText(nullptr, back));
    // The text's own bytes and nothing after them (a system that converts
    // clipboard text may drop the last one, taking it for the terminator).
    EXPECT_LE(back.GetLength(), 3);
    EXPECT_EQ(0, std::strncmp("abc", back, size_t(back.GetLength())));
}

} // namespace
