#pragma once
// The frames of OLE in-place editing, as shells: the in-place frame of a
// server item (COleIPFrameWnd), that of a document-object server
// (COleDocIPFrameWnd), and the framework's object for the container's
// frame while an item is active in it (COleCntrFrameWnd).  There is no
// embedding behind them: the activation arrives as window messages, the
// container's frame objects are handed to OnCreateControlBars, and the
// border negotiation with the container is a virtual call that a server
// document supplies.
#include "framework/win/FrameWnd.h"

// The hook an in-place item sets on the frame it is active in
// (CFrameWnd::m_pNotifyHook): the frame asks it to lay the item out again.
class COleFrameHook : public CObject {
    DECLARE_DYNAMIC(COleFrameHook)
public:
    COleFrameHook() = default;
    // The item's layout after the frame's changed; nothing in the shell.
    virtual void OnRecalcLayout() {}
    // The item is UI-active (its frame shows the server's bars).
    BOOL m_bUIActive = FALSE;
    // The in-place frame of the item, or null.
    CFrameWnd* m_pInPlaceFrame = nullptr;
};

class COleIPFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(COleIPFrameWnd)
public:
    COleIPFrameWnd() = default;

    // The server's bars are made for the container: pWndFrame is the
    // framework's object for the container's main frame, pWndDoc for its
    // document frame (may be null).  TRUE in the shell.
    virtual BOOL OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd* pWndDoc);
    // Asks the active server document to renegotiate its border space
    // with a container frame (no rectangle: the bars' current needs).
    // Nothing happens without a server document; TRUE when it was asked.
    virtual BOOL RenegotiateBorderSpace(CFrameWnd* pContainerFrame, LPCRECT lpRectBorder, BOOL bForce);

    // The framework's objects for the container's main and document
    // frames, while the item is active.
    CFrameWnd* m_pMainFrame = nullptr;
    CFrameWnd* m_pDocFrame = nullptr;
};

class COleDocIPFrameWnd : public COleIPFrameWnd {
    DECLARE_DYNCREATE(COleDocIPFrameWnd)
public:
    COleDocIPFrameWnd() = default;
};

class COleCntrFrameWnd : public CFrameWnd {
    DECLARE_DYNAMIC(COleCntrFrameWnd)
public:
    explicit COleCntrFrameWnd(COleIPFrameWnd* pInPlaceFrame = nullptr) : m_pInPlaceFrame(pInPlaceFrame) {}

    // The in-place frame that made this object.
    COleIPFrameWnd* m_pInPlaceFrame = nullptr;
};
