#pragma once
// A library frame with a dock bar on each side and real toolbars for the
// gallery's docking and pane sheets (GalleryDockFrameWin.cpp).
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class CFrameWnd;
class CZUDPFrameWnd;
class CZUDPToolBar;

// Creates the frame at the rectangle with dock bars at its four sides
// (registered top, bottom, left, right) and lays it out; false when a
// window could not be made.
bool MakeGalleryDockFrame(CZUDPFrameWnd& frame, LPCTSTR lpszTitle, const RECT& rect);

// Creates a floating, dockable, closable toolbar in the frame with a
// button per caption (null: a separator), each with an image of the
// gallery's strip; the first button shows its caption as well.
bool MakeGalleryToolBar(CZUDPToolBar& bar, CFrameWnd& frame, UINT nID, LPCTSTR lpszName,
                        const std::vector<LPCTSTR>& captions);

// Runs openMenu, which opens a modal menu and returns when it closes, and
// photographs the menu under the name while it is open, then ends it; false
// when no menu appeared.
bool PhotographMenuWhileOpen(const std::function<void(const std::string&, HWND)>& photograph, const char* name,
                             const std::function<void()>& openMenu);
