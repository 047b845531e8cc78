// Nine-part skins: which part of the skin lands where for a destination of
// any size, stacked states, mirrored pieces, parameters that do not fit the
// image, and the drop-shadow spot.
#include "tests/ui/foundation/FoundationTestSupport.h"
#include "tests/ui/foundation/RendererTestResources.h"
#include "ui/foundation/ZUDPControlRenderer.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

namespace {

using foundationtest::Canvas;

// The colours of tests/ui/foundation/renderer-skin.bmp: two 9 x 9 states,
// margins 3.
const COLORREF kTopLeft = RGB(255, 0, 0), kTop = RGB(0, 255, 255), kTopRight = RGB(0, 255, 0),
               kLeft = RGB(128, 0, 255), kRight = RGB(0, 128, 0), kBottomLeft = RGB(0, 0, 255),
               kBottom = RGB(255, 128, 0), kBottomRight = RGB(255, 255, 0), kInterior0 = RGB(128, 128, 128),
               kInterior1 = RGB(64, 32, 16);
using trovtest::kWhite;

CZUDPControlRendererParams SkinParams()
{
    CZUDPControlRendererParams params;
    params.m_resourceName = "RENDERER_SKIN";
    params.m_imageRect = CRect(0, 0, 9, 9);
    params.m_cornerMargins = CRect(3, 3, 3, 3);
    return params;
}

struct Probe {
    const char* what;
    int x, y;
    COLORREF colour;
};

void ExpectProbes(const Canvas& canvas, const std::vector<Probe>& probes, const char* context)
{
    for (const Probe& p : probes)
        EXPECT_EQ(p.colour, canvas.Pixel(p.x, p.y)) << context << ": " << p.what << " at " << p.x << "," << p.y;
}

// A 64 x 32 destination at (4, 4): corners at their size, sides stretched
// along their edge, the interior over the middle.
std::vector<Probe> FramedProbes(COLORREF interior)
{
    return {
        {"outside", 2, 2, kWhite},
        {"top-left corner", 4, 4, kTopLeft},
        {"top-left corner's last pixel", 6, 6, kTopLeft},
        {"top side's first pixel", 7, 4, kTop},
        {"top side", 36, 5, kTop},
        {"top side's last pixel", 64, 6, kTop},
        {"top-right corner", 65, 4, kTopRight},
        {"top-right corner's last pixel", 67, 6, kTopRight},
        {"left side", 4, 20, kLeft},
        {"left side's first pixel", 6, 7, kLeft},
        {"right side", 67, 20, kRight},
        {"right side's last pixel", 65, 32, kRight},
        {"bottom-left corner", 4, 35, kBottomLeft},
        {"bottom side", 36, 34, kBottom},
        {"bottom-right corner", 67, 35, kBottomRight},
        {"interior", 36, 20, interior},
        {"interior next to the corner", 7, 7, interior},
        {"interior's far end", 64, 32, interior},
        {"beyond the right edge", 68, 20, kWhite},
        {"beyond the bottom edge", 36, 36, kWhite},
    };
}

TEST(ControlRendererTest, CutsTheSkinIntoNinePartsForAnySize)
{
    CZUDPControlRenderer renderer;
    ASSERT_TRUE(renderer.CreateFromParams(SkinParams()));
    ASSERT_TRUE(renderer.IsValid());
    Canvas canvas(72, 40);
    renderer.DrawAll(&canvas.Dc(), CRect(4, 4, 68, 36));
    ExpectProbes(canvas, FramedProbes(kInterior0), "state 0");

    canvas.Fill(kWhite);
    renderer.DrawAll(&canvas.Dc(), CRect(4, 4, 68, 36), 1);
    ExpectProbes(canvas, FramedProbes(kInterior1), "state 1");
}

TEST(ControlRendererTest, MirroredSkinTakesEachPieceFromTheOppositeEdge)
{
    // Mirroring flips the image; taking each left piece from the flipped
    // image's right edge puts every part back on its own side.
    CZUDPControlRenderer renderer;
    ASSERT_TRUE(renderer.CreateFromParams(SkinParams()));
    renderer.ToggleMirror();
    ASSERT_TRUE(renderer.IsMirrored());
    Canvas canvas(72, 40);
    renderer.DrawAll(&canvas.Dc(), CRect(4, 4, 68, 36));
    ExpectProbes(canvas, FramedProbes(kInterior0), "mirrored");
}

TEST(ControlRendererTest, SmallDestinations)
{
    CZUDPControlRenderer renderer;
    ASSERT_TRUE(renderer.CreateFromParams(SkinParams()));
    Canvas canvas(20, 20);

    // Exactly the four corners: no side, no interior.
    renderer.DrawAll(&canvas.Dc(), CRect(2, 2, 8, 8));
    ExpectProbes(canvas,
                 {{"top-left", 2, 2, kTopLeft},
                  {"top-right", 7, 2, kTopRight},
                  {"bottom-left", 2, 7, kBottomLeft},
                  {"bottom-right", 7, 7, kBottomRight}},
                 "6 x 6");
    for (COLORREF part : {kTop, kLeft, kRight, kBottom, kInterior0}) {
        int found = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                found += canvas.Pixel(x, y) == part;
        EXPECT_EQ(0, found) << "a side or the interior in a 6 x 6 frame: " << std::hex << part;
    }

    // Smaller than the corners on both axes: nothing.
    canvas.Fill(kWhite);
    renderer.DrawFramePieces(&canvas.Dc(), CRect(2, 2, 6, 6));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(kWhite, canvas.Pixel(x, y)) << x << "," << y;
}

TEST(ControlRendererTest, StatesTheSkinDoesNotHoldDrawNothing)
{
    CZUDPControlRenderer renderer;
    ASSERT_TRUE(renderer.CreateFromParams(SkinParams()));
    Canvas canvas(40, 40);
    for (int state : {2, 7, -1}) {
        renderer.DrawAll(&canvas.Dc(), CRect(0, 0, 40, 40), state);
        for (int y = 0; y < 40; y += 3)
            for (int x = 0; x < 40; x += 3)
                ASSERT_EQ(kWhite, canvas.Pixel(x, y)) << "state " << state << " at " << x << "," << y;
    }
}

TEST(ControlRendererTest, ParametersAreCompletedAndKeptInsideTheImage)
{
    struct Case {
        const char* what;
        CZUDPControlRendererParams params;
        BOOL created;
        CRect corners, sides, interior;
    };
    CZUDPControlRendererParams byNameAndId = SkinParams();
    byNameAndId.m_resourceId = 12345; // no such resource: the name wins
    CZUDPControlRendererParams byId = SkinParams();
    byId.m_resourceName.Empty();
    byId.m_resourceId = IDB_TEST_RENDERER_SKIN;
    CZUDPControlRendererParams ownSides = SkinParams();
    ownSides.m_sideMargins = CRect(1, 2, 1, 2);
    ownSides.m_interiorRect = CRect(4, 4, 5, 5);
    CZUDPControlRendererParams tooWide = SkinParams();
    tooWide.m_cornerMargins = CRect(20, 3, -4, 12);
    tooWide.m_interiorRect = CRect(-2, 1, 30, 40);
    CZUDPControlRendererParams missing = SkinParams();
    missing.m_resourceName = "NO_SUCH_SKIN";
    CZUDPControlRendererParams noRect = SkinParams();
    noRect.m_imageRect = CRect(0, 0, 0, 0);
    CZUDPControlRendererParams nothing;

    const Case cases[] = {
        {"name over id", byNameAndId, TRUE, CRect(3, 3, 3, 3), CRect(3, 3, 3, 3), CRect(3, 3, 6, 6)},
        {"by id", byId, TRUE, CRect(3, 3, 3, 3), CRect(3, 3, 3, 3), CRect(3, 3, 6, 6)},
        {"own sides and interior kept", ownSides, TRUE, CRect(3, 3, 3, 3), CRect(1, 2, 1, 2), CRect(4, 4, 5, 5)},
        {"margins and interior clipped to the image", tooWide, TRUE, CRect(9, 3, 0, 9), CRect(9, 3, 0, 9),
         CRect(0, 1, 9, 9)},
        {"a resource that is missing", missing, FALSE, CRect(0, 0, 0, 0), CRect(0, 0, 0, 0), CRect(0, 0, 0, 0)},
        {"no image rectangle", noRect, FALSE, CRect(0, 0, 0, 0), CRect(0, 0, 0, 0), CRect(0, 0, 0, 0)},
    };
    for (const Case& c : cases) {
        CZUDPControlRenderer renderer;
        EXPECT_EQ(c.created, renderer.CreateFromParams(c.params)) << c.what;
        EXPECT_EQ(c.created, renderer.IsValid()) << c.what;
        EXPECT_EQ(c.corners, renderer.GetParams().m_cornerMargins) << c.what;
        EXPECT_EQ(c.sides, renderer.GetParams().m_sideMargins) << c.what;
        EXPECT_EQ(c.interior, renderer.GetParams().m_interiorRect) << c.what;
        EXPECT_GT(renderer.GetImages().GetImageSize().cx, 0) << c.what;
        // Drawing whatever was made never fails or draws outside.
        Canvas canvas(30, 30);
        renderer.DrawAll(&canvas.Dc(), CRect(5, 5, 25, 25));
        for (int i = 0; i < 30; ++i) {
            ASSERT_EQ(kWhite, canvas.Pixel(i, 2)) << c.what;
            ASSERT_EQ(kWhite, canvas.Pixel(2, i)) << c.what;
        }
    }

    CZUDPControlRenderer empty;
    EXPECT_TRUE(empty.CreateFromParams(nothing)) << "no resource named: an empty renderer";
    EXPECT_FALSE(empty.IsValid());
}

TEST(ControlRendererTest, FlippedSkinSwapsTopAndBottom)
{
    CZUDPControlRendererParams params = SkinParams();
    params.m_cornerMargins = CRect(3, 2, 3, 3);
    params.m_interiorRect = CRect(3, 2, 6, 5);
    CZUDPControlRenderer renderer;
    ASSERT_TRUE(renderer.CreateFromParams(params, TRUE));
    EXPECT_EQ(CRect(3, 3, 3, 2), renderer.GetParams().m_cornerMargins);
    EXPECT_EQ(CRect(3, 4, 6, 7), renderer.GetParams().m_interiorRect);
    Canvas canvas(30, 30);
    renderer.DrawFramePieces(&canvas.Dc(), CRect(0, 0, 30, 30));
    EXPECT_EQ(kBottomLeft, canvas.Pixel(0, 0)) << "the image is upside down";
    EXPECT_EQ(kTopRight, canvas.Pixel(29, 29));
}

TEST(ControlRendererTest, CopyIntoAnotherRenderer)
{
    CZUDPControlRenderer source, copy;
    ASSERT_TRUE(source.CreateFromParams(SkinParams()));
    EXPECT_FALSE(source.CopyInto(source));
    ASSERT_TRUE(source.CopyInto(copy));
    EXPECT_TRUE(copy.IsValid());
    EXPECT_EQ(source.GetParams().m_interiorRect, copy.GetParams().m_interiorRect);
    Canvas canvas(72, 40);
    copy.DrawAll(&canvas.Dc(), CRect(4, 4, 68, 36));
    ExpectProbes(canvas, FramedProbes(kInterior0), "copy");
}

// ---------------------------------------------------------------------------
// Shadow

TEST(ShadowRendererTest, SpotGeometryFollowsTheDepth)
{
    struct Case {
        int depth;
        int margin; // max(depth, 3)
    } cases[] = {{1, 3}, {2, 3}, {3, 3}, {6, 6}};
    for (const Case& c : cases) {
        CZUDPShadowRenderer shadow;
        ASSERT_TRUE(shadow.BuildShadow(c.depth, -1, 0, 100)) << c.depth;
        const int n = 2 * c.margin + 1;
        EXPECT_EQ(CSize(n, n), shadow.GetImages().GetImageSize()) << c.depth;
        EXPECT_EQ(1, shadow.GetImages().GetCount()) << c.depth;
        const int m = c.margin;
        EXPECT_EQ(CRect(m, m, m, m), shadow.GetParams().m_cornerMargins) << c.depth;
        EXPECT_EQ(CRect(m, m, m, m), shadow.GetParams().m_sideMargins) << c.depth;
        EXPECT_EQ(CRect(m, m, m + 1, m + 1), shadow.GetParams().m_interiorRect) << c.depth;
        EXPECT_EQ(32, shadow.GetImages().GetBitsPerPixel()) << c.depth;
    }
}

TEST(ShadowRendererTest, BuildingTheSameShadowAgainKeepsItsSpot)
{
    CZUDPShadowRenderer shadow;
    ASSERT_TRUE(shadow.BuildShadow(2, RGB(10, 20, 30), 10, 90));
    const HBITMAP first = shadow.GetImages().GetImageBitmap();
    ASSERT_NE(nullptr, first);
    ASSERT_TRUE(shadow.BuildShadow(2, RGB(10, 20, 30), 10, 90));
    EXPECT_EQ(first, shadow.GetImages().GetImageBitmap()) << "the same shadow is not made again";
    ASSERT_TRUE(shadow.BuildShadow(4, RGB(10, 20, 30), 10, 90));
    EXPECT_EQ(CSize(9, 9), shadow.GetImages().GetImageSize()) << "another depth makes a new spot";

    EXPECT_FALSE(shadow.BuildShadow(0));
    EXPECT_FALSE(shadow.IsValid());
    EXPECT_FALSE(shadow.BuildShadow(3, -1, 0, 0));
    EXPECT_FALSE(shadow.CreateFromParams(SkinParams())) << "a shadow is built, never loaded";
}

TEST(ShadowRendererTest, InteriorSquareOnlyForAStrongShadow)
{
    CZUDPShadowRenderer shadow;
    ASSERT_TRUE(shadow.BuildShadow(3, RGB(0, 0, 0), 0, 100));
    // Rectangle (10, 10, 50, 40): right side x 47..49, bottom side y 37..39,
    // the interior square x 44..46, y 34..36.
    struct Case {
        BYTE alpha;
        bool squareShaded;
    } cases[] = {{255, true}, {128, true}, {100, false}};
    for (const Case& c : cases) {
        Canvas canvas(60, 50);
        shadow.DrawAll(&canvas.Dc(), CRect(10, 10, 50, 40), 0, c.alpha);
        EXPECT_EQ(c.squareShaded, canvas.Pixel(45, 35) != kWhite) << int(c.alpha);
        EXPECT_NE(kWhite, canvas.Pixel(48, 25)) << "right side, alpha " << int(c.alpha);
        EXPECT_NE(kWhite, canvas.Pixel(30, 38)) << "bottom side, alpha " << int(c.alpha);
        EXPECT_EQ(kWhite, canvas.Pixel(11, 25)) << "no left side, alpha " << int(c.alpha);
        EXPECT_EQ(kWhite, canvas.Pixel(30, 11)) << "no top side, alpha " << int(c.alpha);
    }
}

TEST(ShadowRendererTest, CopyIntoAPlainRendererCopiesTheImageButAnswersFalse)
{
    CZUDPShadowRenderer shadow, other;
    ASSERT_TRUE(shadow.BuildShadow(2, RGB(1, 2, 3), 5, 95));
    CZUDPControlRenderer plain;
    EXPECT_FALSE(shadow.CopyInto(plain));
    EXPECT_TRUE(plain.IsValid());
    EXPECT_EQ(CRect(3, 3, 4, 4), plain.GetParams().m_interiorRect);

    ASSERT_TRUE(shadow.CopyInto(other));
    EXPECT_EQ(2, other.GetDepth());
    EXPECT_EQ(RGB(1, 2, 3), other.GetBaseColor());
    EXPECT_EQ(5, other.GetMinPercent());
    EXPECT_EQ(95, other.GetMaxPercent());
}

TEST(ShadowRendererTest, CreatedByClassName)
{
    for (const char* name : {"CZUDPControlRenderer", "CZUDPShadowRenderer"}) {
        CRuntimeClass* pClass = CRuntimeClass::FromName(name);
        ASSERT_NE(nullptr, pClass) << name;
        CObject* object = pClass->CreateObject();
        ASSERT_NE(nullptr, object) << name;
        EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CZUDPControlRenderer))) << name;
        delete object;
    }
}

} // namespace
