// Resources that windres cannot express, made from text by
// scripts/make-resource, read back through the resource functions the
// library loads them with.
#include "tests/ui/foundation/LibraryResourceIds.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

const WORD kTypeDlgInit = 240;
const WORD kTypeToolbar = 241;

// The bytes of a resource of this executable; empty when it is missing.
std::vector<uint8_t> ResourceBytes(WORD type, WORD id)
{
    HMODULE module = ::GetModuleHandleA(nullptr);
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
    if (found == nullptr)
        return {};
    DWORD size = ::SizeofResource(module, found);
    HGLOBAL loaded = ::LoadResource(module, found);
    const void* locked = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (locked == nullptr)
        return {};
    const uint8_t* bytes = static_cast<const uint8_t*>(locked);
    return std::vector<uint8_t>(bytes, bytes + size);
}

uint16_t Word(const std::vector<uint8_t>& b, size_t at) { return (uint16_t)(b[at] | b[at + 1] << 8); }
uint32_t DWord(const std::vector<uint8_t>& b, size_t at) { return Word(b, at) | (uint32_t)Word(b, at + 2) << 16; }

} // namespace

TEST(LibraryResources, ToolbarReadsBackWordForWord)
{
    std::vector<uint8_t> bytes = ResourceBytes(kTypeToolbar, IDR_TEST_TOOLBAR);
    // version, width, height, count, then the ids with 0 for the separator
    const uint16_t expected[] = {1, 16, 15, 4, 32771, 32772, 0, 40001};
    ASSERT_EQ(sizeof(expected), bytes.size());
    for (size_t i = 0; i < sizeof(expected) / sizeof(expected[0]); i++)
        EXPECT_EQ(expected[i], Word(bytes, 2 * i)) << "word " << i;
}

TEST(LibraryResources, DialogInitDataReadsBackRecordByRecord)
{
    struct Record {
        uint16_t control;
        uint16_t message;
        std::string text;
    };
    const Record expected[] = {
        {1001, CB_ADDSTRING, "First"},
        {1001, CB_ADDSTRING, "Second entry"},
        {1002, LB_ADDSTRING, ""},
    };
    std::vector<uint8_t> bytes = ResourceBytes(kTypeDlgInit, IDR_TEST_DLGINIT);
    ASSERT_FALSE(bytes.empty());
    size_t at = 0;
    for (const Record& record : expected) {
        ASSERT_LE(at + 8, bytes.size());
        EXPECT_EQ(record.control, Word(bytes, at));
        EXPECT_EQ(record.message, Word(bytes, at + 2));
        uint32_t length = DWord(bytes, at + 4);
        // the text with its terminating zero
        ASSERT_EQ(record.text.size() + 1, length) << record.text;
        ASSERT_LE(at + 8 + length, bytes.size());
        EXPECT_EQ(0, std::memcmp(record.text.c_str(), &bytes[at + 8], length)) << record.text;
        at += 8 + length;
    }
    ASSERT_EQ(at + 2, bytes.size());
    EXPECT_EQ(0, Word(bytes, at));
}

TEST(LibraryResources, ExecutableCarriesTheCommonControlsManifest)
{
    std::vector<uint8_t> bytes = ResourceBytes((WORD)(UINT_PTR)RT_MANIFEST, 1);
    std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(std::string::npos, text.find("Microsoft.Windows.Common-Controls"));
}

TEST(LibraryResources, EveryLibraryScriptReachesTheExecutable)
{
    // Each script carries a named marker; a script dropped by the linker
    // (a member of a static library nobody refers to) would lose it.
    for (const char* marker : {"TROVUI_FOUNDATION", "TROVUI_CONTROLS", "TROVUI_COMMANDBARS"}) {
        HRSRC found = ::FindResourceA(::GetModuleHandleA(nullptr), marker, RT_RCDATA);
        EXPECT_NE(nullptr, found) << marker;
    }
}
