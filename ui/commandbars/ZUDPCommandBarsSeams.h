#pragma once
// The seams of the command bars: what the toolbars, menus and font lists
// ask of the system that tests cannot choose headless.  Tests replace an
// entry for a scope (framework/Seam.h).
#include "framework/Seam.h"
#include "framework/win/WinSdk.h"
#include "ui/commandbars/ZUDPFontDesc.h"

#include <vector>

struct CommandBarsSeams {
    // Every font the system reports for a character set (DEFAULT_CHARSET:
    // all), one entry per report, before the font lists filter them: its
    // face, script, character set, pitch and family, and font type.
    Seam<void(BYTE nCharSet, std::vector<CZUDPFontDesc>& fonts)> installedFonts;

    CommandBarsSeams();
};

extern CommandBarsSeams g_commandBarsSeams;
