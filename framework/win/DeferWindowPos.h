#pragma once
// A batch of window moves that the system applies together when the batch
// ends (BeginDeferWindowPos, DeferWindowPos, EndDeferWindowPos): bars laid
// out side by side appear in their new places at once.  Operations that
// take the batch's handle answer the handle to go on with, which the
// batch adopts (Adopt).  When the system cannot grow the batch it is
// abandoned, and the moves that follow are made at once.
#include "framework/win/WinSdk.h"

class CDeferWindowPos {
public:
    explicit CDeferWindowPos(int nWindows = 8) : m_hDWP(::BeginDeferWindowPos(nWindows > 0 ? nWindows : 1)) {}
    ~CDeferWindowPos() { End(); }
    CDeferWindowPos(const CDeferWindowPos&) = delete;
    CDeferWindowPos& operator=(const CDeferWindowPos&) = delete;

    // The batch's handle (null once it ended or was abandoned).
    HDWP GetHandle() const { return m_hDWP; }
    // Takes the handle an operation answered after deferring a move.
    void Adopt(HDWP hDWP) { m_hDWP = hDWP; }

    // Adds a move (SetWindowPos arguments); made at once when there is no
    // batch.  FALSE when the window did not take it.
    BOOL Defer(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags)
    {
        if (m_hDWP != nullptr) {
            HDWP hNext = ::DeferWindowPos(m_hDWP, hWnd, hWndInsertAfter, x, y, cx, cy, uFlags);
            if (hNext != nullptr) {
                m_hDWP = hNext;
                return TRUE;
            }
            m_hDWP = nullptr;
        }
        return ::SetWindowPos(hWnd, hWndInsertAfter, x, y, cx, cy, uFlags);
    }

    // Applies the batch now; TRUE when the system applied it (or there was
    // nothing left to apply).
    BOOL End()
    {
        if (m_hDWP == nullptr)
            return TRUE;
        HDWP hDWP = m_hDWP;
        m_hDWP = nullptr;
        return ::EndDeferWindowPos(hDWP);
    }

private:
    HDWP m_hDWP;
};
