#pragma once
// A 32-bit top-down DIB section selected into a memory DC: the target the
// Windows benchmarks draw into.
#include "framework/win/DC.h"
#include "ui/foundation/ZUDPDrawManager.h"

namespace benchrounds {

struct Surface {
    Surface(int w, int h)
    {
        LPVOID bits = nullptr;
        bitmap.Attach(CZUDPDrawManager::Create32BitDibSection(CSize(w, -h), &bits));
        dc.CreateCompatibleDC(nullptr);
        previous = ::SelectObject(dc, bitmap.GetSafeHandle());
    }
    ~Surface() { ::SelectObject(dc, previous); }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    CBitmap bitmap;
    CDC dc;
    HGDIOBJ previous = nullptr;
};

} // namespace benchrounds
