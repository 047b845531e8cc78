#pragma once
// Drag and drop of toolbar buttons while customizing.
//
// CZUDPToolbarDropSource: the one drop source of the library's button drags
// (g_toolbarDropSource).  It shows the copy or move cursor while a toolbar
// under the pointer takes the button, and the delete cursor over no
// toolbar (a button dropped there is removed from its bar), and keeps what
// the toolbar that started the drag reads afterwards: whether the drag
// began and how it ended.
//
// CZUDPToolbarDropTarget: each toolbar's drop target; it takes part only
// while customizing and only for data carrying a button, and hands the
// drag to its toolbar's tracking and drop operations.
#include "framework/win/Ole.h"

class CZUDPToolBar;

class CZUDPToolbarDropSource : public COleDropSource {
public:
    CZUDPToolbarDropSource() = default;

    // Shows the delete cursor first while the delete-cursor flag is on,
    // remembers the key state, then decides as the framework does.
    SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) override;
    // The copy cursor for a copy, the move cursor for a move, the delete
    // cursor when the target takes nothing.
    SCODE GiveFeedback(DROPEFFECT dropEffect) override;
    // Loads the cursors on first use, marks the drag as begun through this
    // source, then waits for the pointer to leave the start rectangle.
    BOOL StartDrag(CWnd* pWnd) override;

    BOOL m_bDeleteOnDrop = TRUE;   // the pointer is over no toolbar: the delete cursor shows
    DWORD m_dwKeyState = 0;        // keys and buttons at the last QueryContinueDrag
    BOOL m_bEscapePressed = FALSE; // Escape was pressed at the last QueryContinueDrag
    BOOL m_bDragBegan = FALSE;     // a drag began through this source (the toolbar clears it)
    HCURSOR m_hcurDelete = nullptr;
    HCURSOR m_hcurMove = nullptr;
    HCURSOR m_hcurCopy = nullptr;
};

class CZUDPToolbarDropTarget : public COleDropTarget {
public:
    CZUDPToolbarDropTarget() = default;

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault, DROPEFFECT dropList,
                        CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;

    CZUDPToolBar* m_pOwner = nullptr; // the toolbar that registered the target

private:
    // Whether a drag may be taken at all: customizing, an owner, and data
    // carrying a button.
    BOOL Accepts(COleDataObject* pDataObject) const;
};

extern CZUDPToolbarDropSource g_toolbarDropSource;
