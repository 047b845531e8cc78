#pragma once
// The library's small marks (check mark, radio dot, arrows, close cross,
// pins and the like): one strip of 9 x 9 cells loaded from the library's
// resources on first use, with five recoloured copies so that a mark can be
// drawn black, grey, light grey, white or dark grey on any background.  On
// screens of higher DPI the cells are rescaled once at load.  Dropped when
// the system colours change (the next use loads them again).
#include "framework/Rect.h"
#include "framework/win/DC.h"
#include "ui/foundation/ZUDPToolBarImages.h"

// Colour variants.  0 draws the loaded strip as it is (black marks); any
// value above 4 draws the recoloured black copy.
enum MenuGlyphColor {
    MenuGlyphColorBlack = 0,
    MenuGlyphColorGray = 1,      // 0x808080
    MenuGlyphColorLtGray = 2,    // 0xC0C0C0
    MenuGlyphColorWhite = 3,     // 0xFFFFFF
    MenuGlyphColorDkGray = 4,    // 0x484848
    MenuGlyphColorBlackCopy = 5, // 0x000000
};

// The cells of the strip.
enum MenuGlyphId {
    MenuGlyphArrowDown = 0,
    MenuGlyphArrowRight = 1,
    MenuGlyphCheckMark = 2,
    MenuGlyphMinimize = 3,
    MenuGlyphRestore = 4,
    MenuGlyphClose = 5,
    MenuGlyphMaximize = 6,
    MenuGlyphArrowUp = 7,
    MenuGlyphChevronsDown = 8,
    MenuGlyphArrowLeft = 9,
    MenuGlyphChevronsUp = 10,
    MenuGlyphChevronsRight = 11,
    MenuGlyphRadioDot = 12,
    MenuGlyphLargeArrowDown = 13,
    MenuGlyphLargeArrowRight = 14,
    MenuGlyphPinLoose = 15,
    MenuGlyphPinPinned = 16,
    MenuGlyphLargeArrowLeft = 17,
    MenuGlyphArrowLeftAfterBar = 18,
    MenuGlyphArrowRightBeforeBar = 19,
    MenuGlyphScrollRight = 20,
    MenuGlyphScrollLeft = 21,
    MenuGlyphScrollRightHollow = 22,
    MenuGlyphScrollLeftHollow = 23,
    MenuGlyphLargeArrowUp = 24,
    MenuGlyphChevronsLeft = 25,
    MenuGlyphQuestionMark = 26,
    MenuGlyphBack = 27,
    MenuGlyphForward = 28,
    MenuGlyphPlus = 29,
    MenuGlyphMinus = 30,
    MenuGlyphEllipsis = 31,
    MenuGlyphArrowUpOverBar = 32,
    MenuGlyphArrowDownUnderBar = 33,
    MenuGlyphMenuLines = 34,
    MenuGlyphDialogLauncher = 35,
    MenuGlyphRing = 36,
    MenuGlyphCount = 37,
};

// Loads the strip and its copies once; TRUE when they are there.  FALSE
// while a load is already running.
BOOL LoadMenuGlyphs();
// The size of one cell (9 x 9 times the DPI scale, whole pixels).
CSize GetMenuGlyphSize();
// Draws the glyph with its top-left corner at the point, stretched to the
// size (a zero size means the cell size), fully opaque.
BOOL DrawMenuGlyph(CDC* pDC, int nGlyph, CPoint point, int nColor = MenuGlyphColorBlack, CSize size = CSize(0, 0));
// Centred in the rectangle; an odd remainder puts it one pixel further
// right or down.
BOOL DrawMenuGlyphCentered(CDC* pDC, int nGlyph, CRect rect, int nColor = MenuGlyphColorBlack,
                           CSize size = CSize(0, 0));
// Empties all six strips so that the next use loads them again (with the
// colours and DPI of that moment).  Nothing while a load runs.
void ReleaseMenuGlyphs();
// Copies the loaded strip into the given one and repaints its black pixels
// in the colour.
BOOL MakeMenuGlyphColorVariant(CZUDPToolBarImages& strip, COLORREF colour);

// The six strips, built by the library's start-up unit: index 0 the loaded
// strip, then the copies by colour variant (1 grey, 2 light grey, 3 white,
// 4 dark grey, 5 black).
class CZUDPMenuGlyphStrips {
public:
    CZUDPMenuGlyphStrips();
    ~CZUDPMenuGlyphStrips();
    CZUDPMenuGlyphStrips(const CZUDPMenuGlyphStrips&) = delete;
    CZUDPMenuGlyphStrips& operator=(const CZUDPMenuGlyphStrips&) = delete;

    enum { StripCount = 6 };
    CZUDPToolBarImages m_strips[StripCount];
    BOOL m_loading = FALSE;

    // The strip that draws a colour variant.
    CZUDPToolBarImages& ForColor(int nColor);
    // FALSE before the start-up unit has built the strips and after they
    // are gone (the global UI data drops the glyphs from its colour
    // refresh, which also runs while the start-up unit is being built).
    static BOOL Exist();
};
extern CZUDPMenuGlyphStrips g_menuGlyphStrips;
