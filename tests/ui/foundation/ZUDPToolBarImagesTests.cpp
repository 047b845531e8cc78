// Image strips: loading from resources, PNG data and user files, editing,
// saving, aliases and copies.
#include "ui/foundation/ZUDPToolBarImages.h"

#include "framework/win/Clipboard.h"
#include "framework/win/FrameworkSeams.h"
#include "res/ui/foundation.h"
#include "tests/common/DrawingTest.h"
#include "tests/common/TempDir.h"
#include "tests/ui/foundation/ImageStripFixtures.h"
#include "tests/ui/foundation/LibraryResourceIds.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPPngImage.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace striptest;

namespace {

using trovtest::kMagenta;
const COLORREF kBlue = RGB(0, 0, 255);

std::string Windows(const std::string& path) { return trovtest::Backslashed(path); }

// A strip of n 16x15 cells, cell i filled with colour (i + 1) * 10 in red.
HBITMAP CellStrip24(int cells)
{
    return MakeDib(16 * cells, 15, 24, [](int x, int) { return Argb(0, (x / 16 + 1) * 10, 0, 0); });
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

TEST(ToolBarImagesLoadTest, ResourceIdAddedTwiceAppendsOnceAndReplacingForgetsIds)
{
    CZUDPToolBarImages strip;
    ASSERT_TRUE(strip.LoadFromResourceId(IDB_TEST_CLASSIC8, nullptr, TRUE));
    EXPECT_EQ(2, strip.GetCount());
    ASSERT_TRUE(strip.LoadFromResourceId(IDB_TEST_CLASSIC8, nullptr, TRUE));
    EXPECT_EQ(2, strip.GetCount());
    ASSERT_TRUE(strip.LoadFromResourceId(IDR_TEST_ALPHA_PNG, nullptr, TRUE));
    EXPECT_EQ(3, strip.GetCount());
    EXPECT_EQ(0, strip.GetResourceOffset(IDB_TEST_CLASSIC8));
    EXPECT_EQ(2, strip.GetResourceOffset(IDR_TEST_ALPHA_PNG));
    EXPECT_EQ(32, strip.GetBitsPerPixel());

    ASSERT_TRUE(strip.LoadFromResourceId(IDB_TEST_CLASSIC8));
    EXPECT_EQ(2, strip.GetCount());
    EXPECT_EQ(0, strip.GetResourceCount());
    EXPECT_EQ(-1, strip.GetResourceOffset(IDR_TEST_ALPHA_PNG));

    EXPECT_FALSE(strip.LoadFromResourceId(17199));  // no such resource
    EXPECT_EQ(0, strip.GetCount());
}

TEST(ToolBarImagesLoadTest, ClassicLightGreyBecomesButtonFaceUnlessMappingIsOff)
{
    const COLORREF face = g_uiEnvironment.GetSysColorCached(COLOR_BTNFACE);
    CZUDPToolBarImages mapped;
    ASSERT_TRUE(mapped.LoadFromResourceId(IDB_TEST_CLASSIC8));
    EXPECT_EQ(face, PixelOf(mapped.GetImageBitmap(), 0, 0));
    EXPECT_EQ(RGB(255, 0, 0), PixelOf(mapped.GetImageBitmap(), 2, 2));

    CZUDPToolBarImages plain;
    plain.SetMapTo3DColors(FALSE);
    ASSERT_TRUE(plain.LoadFromResourceId(IDB_TEST_CLASSIC8));
    EXPECT_EQ(RGB(0xC0, 0xC0, 0xC0), PixelOf(plain.GetImageBitmap(), 0, 0));
}

TEST(ToolBarImagesLoadTest, PngWithAlphaIsPremultipliedExactlyOnce)
{
    for (BOOL check : {FALSE, TRUE}) {
        CZUDPToolBarImages strip;
        strip.SetPremultipliedCheck(check);
        strip.SetImageSize(CSize(16, 16));
        ASSERT_TRUE(strip.LoadFromResourceId(IDR_TEST_ALPHA_PNG));
        EXPECT_EQ(32, strip.GetBitsPerPixel());
        EXPECT_EQ(Argb(128, 128, 0, 0), RawPixel(strip.GetImageBitmap(), 5, 5)) << check;
    }
}

TEST(PngImageTest, ResourcesBuffersAndFiles)
{
    CZUDPPngImage first, second;
    ASSERT_TRUE(first.LoadFromResource(IDR_TEST_ALPHA_PNG));
    ASSERT_TRUE(second.LoadFromResource(IDR_TEST_ALPHA_PNG));
    EXPECT_NE(first.m_hObject, second.m_hObject);
    EXPECT_EQ(CSize(16, 16), SizeOf(first));
    // Straight alpha as stored: the strip premultiplies.
    EXPECT_EQ(Argb(128, 255, 0, 0), RawPixel(first, 0, 0));

    CZUDPPngImage refused;
    EXPECT_FALSE(refused.LoadFromResource(IDB_TEST_CLASSIC8));  // a bitmap resource, not a PNG
    const BYTE garbage[] = {0x89, 'P', 'N', 'G', 1, 2, 3};
    EXPECT_FALSE(refused.LoadFromBuffer(garbage, sizeof(garbage)));
    EXPECT_FALSE(refused.LoadFromBuffer(nullptr, 0));
    EXPECT_EQ(nullptr, refused.m_hObject);

    // Rows come out in image order (the DIB is bottom-up).
    std::string opaque = PngFile32(3, 2, [](int x, int y) { return Argb(255, x * 100, y * 100, 7); });
    CZUDPPngImage decoded;
    ASSERT_TRUE(decoded.LoadFromBuffer(reinterpret_cast<const BYTE*>(opaque.data()), UINT(opaque.size())));
    EXPECT_EQ(32, BitsPerPixelOf(decoded));
    EXPECT_EQ(RGB(200, 100, 7), PixelOf(decoded, 2, 1));
}

TEST(ToolBarImagesLoadTest, BarePngNameIsReadFromTheProgramFolder)
{
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string folder(module);
    folder.resize(folder.rfind('\\') + 1);
    std::string name = "strip-test-" + std::to_string(::GetCurrentProcessId()) + ".PNG";
    {
        trovtest::TempDir scratch;  // only to write the bytes
        std::string bytes = PngFile32(32, 15, [](int x, int) { return x < 16 ? Argb(255, 0, 0, 255) : Argb(0, 0, 0, 0); });
        std::string path = scratch.Write("x.png", bytes);
        ASSERT_TRUE(::CopyFileA(Windows(path).c_str(), (folder + name).c_str(), FALSE));
    }
    CZUDPToolBarImages strip;
    BOOL loaded = strip.LoadFromFile(name.c_str());
    ::DeleteFileA((folder + name).c_str());
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(strip.IsUserImages());
    EXPECT_EQ(CString((folder + name).c_str()), strip.GetUserImagesPath());
    EXPECT_EQ(2, strip.GetCount());
    EXPECT_EQ(32, strip.GetBitsPerPixel());
    EXPECT_EQ(Argb(255, 0, 0, 255), RawPixel(strip.GetImageBitmap(), 3, 3));
}

TEST(ToolBarImagesLoadTest, FailedFileLoadKeepsTheImagesItHad)
{
    trovtest::TempDir folder;
    std::string good = folder.Write("good.bmp", BmpFile24(48, 15, [](int, int) { return kBlue; }));
    std::string badBmp = folder.Write("bad.bmp", "BM not a bitmap at all");
    std::string badPng = folder.Write("bad.png", "\x89PNG\r\n\x1a\n broken");
    CZUDPToolBarImages strip;
    ASSERT_TRUE(strip.LoadFromFile(Windows(good).c_str()));
    HBITMAP before = strip.GetImageBitmap();
    for (const std::string& path : {badBmp, badPng, folder.File("missing.bmp")}) {
        EXPECT_FALSE(strip.LoadFromFile(Windows(path).c_str())) << path;
        EXPECT_EQ(before, strip.GetImageBitmap()) << path;
        EXPECT_EQ(3, strip.GetCount()) << path;
        EXPECT_EQ(CString(Windows(good).c_str()), strip.GetUserImagesPath()) << path;
        EXPECT_EQ(OBJ_BITMAP, DWORD(::GetObjectType(before))) << path;
    }
}

TEST(ToolBarImagesSaveTest, ReadOnlyFileLoadsButDoesNotSave)
{
    trovtest::TempDir folder;
    std::string path = Windows(folder.Write("locked.bmp", BmpFile24(32, 15, [](int, int) { return kBlue; })));
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    CZUDPToolBarImages strip;
    EXPECT_TRUE(strip.LoadFromFile(path.c_str()));
    EXPECT_TRUE(strip.IsReadOnly());
    HBITMAP cell = CellStrip24(1);
    EXPECT_TRUE(strip.ReplaceImage(0, cell));
    EXPECT_FALSE(strip.SaveUserImages());
    ::DeleteObject(cell);
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(ToolBarImagesSaveTest, SavedFileLoadsBackAndShortWritesLeaveTheOldFile)
{
    trovtest::TempDir folder;
    const std::string original = BmpFile24(32, 15, [](int, int) { return kBlue; });
    std::string path = Windows(folder.Write("user.bmp", original));
    CZUDPToolBarImages strip;
    strip.SetMapTo3DColors(FALSE);
    ASSERT_TRUE(strip.LoadFromFile(path.c_str()));

    int writes = 0;
    {
        ScopedSeam<BOOL(HANDLE, const void*, DWORD, DWORD*)> counting(
            g_foundationSeams.writeFile, [&](HANDLE file, const void* data, DWORD count, DWORD* written) {
                ++writes;
                return ::WriteFile(file, data, count, written, nullptr);
            });
        EXPECT_TRUE(strip.SaveUserImages());  // nothing changed: nothing written
        EXPECT_EQ(0, writes);
    }

    HBITMAP red = CellStrip24(1);
    ASSERT_TRUE(strip.ReplaceImage(1, red));
    ::DeleteObject(red);
    ASSERT_TRUE(strip.IsModified());
    {
        // A full disk: the second write stops half-way.
        ScopedSeam<BOOL(HANDLE, const void*, DWORD, DWORD*)> full(
            g_foundationSeams.writeFile, [&](HANDLE file, const void* data, DWORD count, DWORD* written) {
                return ::WriteFile(file, data, ++writes == 1 ? count : count / 2, written, nullptr);
            });
        EXPECT_FALSE(strip.SaveUserImages());
    }
    EXPECT_TRUE(strip.IsModified());
    EXPECT_EQ(original, trovtest::TempDir::Read(folder.File("user.bmp")));
    EXPECT_EQ(std::vector<std::string>{"user.bmp"}, FilesIn(folder.Path()));

    ASSERT_TRUE(strip.SaveUserImages());
    EXPECT_FALSE(strip.IsModified());
    EXPECT_EQ(std::vector<std::string>{"user.bmp"}, FilesIn(folder.Path()));
    CZUDPToolBarImages back;
    back.SetMapTo3DColors(FALSE);
    ASSERT_TRUE(back.LoadFromFile(path.c_str()));
    EXPECT_EQ(2, back.GetCount());
    EXPECT_EQ(kBlue, PixelOf(back.GetImageBitmap(), 3, 3));
    EXPECT_EQ(RGB(10, 0, 0), PixelOf(back.GetImageBitmap(), 19, 3));

    // Another path is written even when nothing changed; the strip keeps
    // its own.
    std::string copy = Windows(folder.File("copy.bmp"));
    EXPECT_TRUE(strip.SaveUserImages(copy.c_str()));
    EXPECT_EQ(CString(path.c_str()), strip.GetUserImagesPath());
    EXPECT_EQ(trovtest::TempDir::Read(folder.File("user.bmp")), trovtest::TempDir::Read(folder.File("copy.bmp")));

    CZUDPToolBarImages notUser;
    HBITMAP cells = CellStrip24(2);
    notUser.AppendBitmap(cells);
    ::DeleteObject(cells);
    EXPECT_FALSE(notUser.SaveUserImages(copy.c_str()));
}

TEST(ToolBarImagesEditTest, ReplaceImageOnlyInsideTheStrip)
{
    trovtest::TempDir folder;
    std::string path = Windows(folder.Write("user.bmp", BmpFile24(48, 15, [](int, int) { return kBlue; })));
    HBITMAP cell = CellStrip24(1);
    struct Case {
        int index;
        BOOL result;
    } cases[] = {{-1, FALSE}, {3, FALSE}, {100, FALSE}, {0, TRUE}, {2, TRUE}};
    for (const Case& c : cases) {
        CZUDPToolBarImages strip;
        ASSERT_TRUE(strip.LoadFromFile(path.c_str()));
        EXPECT_EQ(c.result, strip.ReplaceImage(c.index, cell)) << c.index;
        EXPECT_EQ(c.result, strip.IsModified()) << c.index;
        if (c.result) {
            EXPECT_EQ(RGB(10, 0, 0), PixelOf(strip.GetImageBitmap(), c.index * 16 + 4, 4));
        }
    }
    CZUDPToolBarImages resource;
    ASSERT_TRUE(resource.LoadFromResourceId(IDB_TEST_CLASSIC8));
    EXPECT_FALSE(resource.ReplaceImage(0, cell));  // not a user strip
    ::DeleteObject(cell);
}

TEST(ToolBarImagesEditTest, AppendingCountsAndMakesIconsOnlyForHeldImages)
{
    CZUDPToolBarImages strip;
    strip.SetImageSize(CSize(16, 16));
    HBITMAP wide = MakeDib(320, 16, 24, [](int x, int) { return Argb(0, x % 256, 0, 0); });
    EXPECT_EQ(19, strip.AppendBitmap(wide, TRUE));
    ::DeleteObject(wide);
    EXPECT_EQ(20, strip.GetCount());
    EXPECT_EQ(nullptr, strip.MakeIcon(20));
    EXPECT_EQ(nullptr, strip.MakeIcon(-1));
    HICON icon = strip.MakeIcon(19);
    EXPECT_NE(nullptr, icon);
    ::DestroyIcon(icon);

    // A 24-bit cell appended to a 32-bit strip is opaque.
    CZUDPToolBarImages alpha;
    HBITMAP clear = MakeDib(16, 15, 32, [](int, int) { return Argb(0, 0, 0, 0); });
    HBITMAP solid = CellStrip24(1);
    EXPECT_EQ(0, alpha.AppendBitmap(clear, TRUE));
    EXPECT_EQ(1, alpha.AppendBitmap(solid));
    EXPECT_EQ(0u, RawPixel(alpha.GetImageBitmap(), 3, 3));
    EXPECT_EQ(Argb(255, 10, 0, 0), RawPixel(alpha.GetImageBitmap(), 19, 3));
    ::DeleteObject(clear);
    ::DeleteObject(solid);
}

TEST(ToolBarImagesEditTest, AliasFollowsEveryChangeOfItsSourceAndRefusesItsOwn)
{
    auto source = std::make_unique<CZUDPToolBarImages>();
    HBITMAP cells = CellStrip24(2);
    source->AppendBitmap(cells);
    CZUDPToolBarImages alias;
    ASSERT_TRUE(source->AliasInto(alias));
    EXPECT_TRUE(alias.IsAlias());
    EXPECT_TRUE(alias.IsReadOnly());
    EXPECT_EQ(source->GetImageBitmap(), alias.GetImageBitmap());
    EXPECT_EQ(2, alias.GetCount());
    EXPECT_FALSE(alias.AliasInto(*source));  // an alias is nobody's source

    // The source replaces its bitmap on append: the alias follows at once.
    source->AppendBitmap(cells);
    EXPECT_EQ(source->GetImageBitmap(), alias.GetImageBitmap());
    EXPECT_EQ(4, alias.GetCount());
    source->ConvertToGray();
    EXPECT_EQ(source->GetImageBitmap(), alias.GetImageBitmap());

    // The alias changes nothing.
    EXPECT_EQ(-1, alias.AppendBitmap(cells));
    EXPECT_FALSE(alias.LoadFromResourceId(IDB_TEST_CLASSIC8));
    alias.RemoveAllImages();
    EXPECT_EQ(4, alias.GetCount());
    EXPECT_FALSE(source->DuplicateInto(alias));

    // Drawing an alias draws its source's pixels.
    CZUDPImageDrawState ds;
    ASSERT_TRUE(alias.BeginDrawing(ds));
    alias.FinishDrawing(ds);

    source->RemoveAllImages();
    EXPECT_EQ(nullptr, alias.GetImageBitmap());
    EXPECT_EQ(0, alias.GetCount());
    source->AppendBitmap(cells);
    EXPECT_EQ(2, alias.GetCount());
    source.reset();
    EXPECT_EQ(nullptr, alias.GetImageBitmap());
    EXPECT_EQ(0, alias.GetCount());
    EXPECT_FALSE(alias.BeginDrawing(ds));
    ::DeleteObject(cells);
}

TEST(ToolBarImagesEditTest, DuplicateCopiesPixelsAndRememberedIds)
{
    CZUDPToolBarImages strip;
    ASSERT_TRUE(strip.LoadFromResourceId(IDB_TEST_CLASSIC8, nullptr, TRUE));
    strip.SetTransparentColor(kMagenta);
    CZUDPToolBarImages copy;
    ASSERT_TRUE(strip.DuplicateInto(copy));
    EXPECT_NE(strip.GetImageBitmap(), copy.GetImageBitmap());
    EXPECT_EQ(2, copy.GetCount());
    EXPECT_EQ(kMagenta, copy.GetTransparentColor());
    EXPECT_EQ(0, copy.GetResourceOffset(IDB_TEST_CLASSIC8));
    EXPECT_EQ(PixelOf(strip.GetImageBitmap(), 2, 2), PixelOf(copy.GetImageBitmap(), 2, 2));
    // The copy reloads from the same resources.
    EXPECT_TRUE(copy.ReloadForColorChange());
    EXPECT_EQ(2, copy.GetCount());
}

TEST(ToolBarImagesEditTest, RegionCoversEverythingButTheKeyColour)
{
    HBITMAP bitmap = MakeDib(5, 3, 24, [](int x, int y) { return (x == 1 || (x == 3 && y == 2)) ? 0xFF00FFu : 0x0000FFu; });
    HRGN region = CZUDPToolBarImages::RegionFromBitmap(bitmap, kMagenta);
    ASSERT_NE(nullptr, region);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(!(x == 1 || (x == 3 && y == 2)), bool(::PtInRegion(region, x, y))) << x << "," << y;
    EXPECT_FALSE(::PtInRegion(region, 5, 0));
    ::DeleteObject(region);
    ::DeleteObject(bitmap);
    EXPECT_EQ(nullptr, CZUDPToolBarImages::RegionFromBitmap(nullptr, kMagenta));
}

TEST(ToolBarImagesEditTest, ClipboardGetsTheImageOrTheUserIsTold)
{
    CZUDPToolBarImages strip;
    HBITMAP cells = CellStrip24(2);
    strip.AppendBitmap(cells);
    ::DeleteObject(cells);
    std::vector<std::string> shown;
    ScopedSeam<int(HWND, const char*, const char*, UINT)> box(g_frameworkSeams.messageBox,
                                                             [&](HWND, const char* text, const char*, UINT) {
                                                                 shown.push_back(text);
                                                                 return IDOK;
                                                             });
    ASSERT_TRUE(strip.PutImageOnClipboard(1));
    HBITMAP pasted = AfxClipboardGetBitmapCopy(nullptr);
    ASSERT_NE(nullptr, pasted);
    EXPECT_EQ(CSize(16, 15), SizeOf(pasted));
    EXPECT_EQ(RGB(20, 0, 0), PixelOf(pasted, 5, 5));
    ::DeleteObject(pasted);
    EXPECT_TRUE(shown.empty());

    EXPECT_FALSE(strip.PutImageOnClipboard(2));
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("Can't copy bitmap image into the clipboard!", shown[0]);
}

TEST(ToolBarImagesLoadTest, ColourChangeReloadRemapsAndGreysAgain)
{
    CZUDPToolBarImages strip;
    ASSERT_TRUE(strip.LoadFromResourceId(IDB_TEST_CLASSIC8, nullptr, TRUE));
    ASSERT_TRUE(strip.ConvertToGray(100));
    COLORREF red = PixelOf(strip.GetImageBitmap(), 2, 2);
    EXPECT_EQ(GetRValue(red), GetGValue(red));  // grey
    ASSERT_TRUE(strip.ReloadForColorChange());
    EXPECT_TRUE(strip.IsGreyed());
    EXPECT_EQ(2, strip.GetCount());
    EXPECT_EQ(red, PixelOf(strip.GetImageBitmap(), 2, 2));
    EXPECT_EQ(g_uiEnvironment.m_colorButtonShadow, strip.GetShadowColor());
}

TEST(ToolBarImagesLoadTest, MirroredLayoutMirrorsEachImageOnceAlsoAfterAReload)
{
    SavedStripStatics saved;
    CZUDPToolBarImages::SetMirrorImages(TRUE);
    CZUDPToolBarImages strip;
    ASSERT_TRUE(strip.LoadFromResourceId(IDB_TEST_CLASSIC8, nullptr, TRUE));
    // The red pixel at (2, 2) of the first 16-pixel cell.
    EXPECT_EQ(RGB(255, 0, 0), PixelOf(strip.GetImageBitmap(), 13, 2));
    ASSERT_TRUE(strip.ReloadForColorChange());
    EXPECT_EQ(RGB(255, 0, 0), PixelOf(strip.GetImageBitmap(), 13, 2));
    EXPECT_NE(RGB(255, 0, 0), PixelOf(strip.GetImageBitmap(), 2, 2));
}

} // namespace
