#pragma once
// Drawing on glass: while a control paints on a glass area every pixel the
// library writes must carry alpha 0xFF, or the glass shows through.  A
// CZUDPDrawOnGlass scope sets the library-wide flag for the duration of a
// paint and puts the previous value back.
#include "framework/Types.h"

extern BOOL g_drawingOnGlass;

class CZUDPDrawOnGlass {
public:
    explicit CZUDPDrawOnGlass(BOOL bSet = TRUE) : m_previous(g_drawingOnGlass) { g_drawingOnGlass = bSet; }
    ~CZUDPDrawOnGlass() { g_drawingOnGlass = m_previous; }
    CZUDPDrawOnGlass(const CZUDPDrawOnGlass&) = delete;
    CZUDPDrawOnGlass& operator=(const CZUDPDrawOnGlass&) = delete;

private:
    BOOL m_previous;
};
