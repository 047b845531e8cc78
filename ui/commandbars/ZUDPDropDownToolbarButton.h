#pragma once
// A toolbar button that stands for a whole second toolbar.  It shows the
// image of the command chosen last from that toolbar and sends it on a
// short click; pressing and holding it opens a small floating window
// beside it with the second toolbar's buttons, and the command picked
// there becomes the button's command.
//
//   CZUDPDropDownToolbarButton  the button on the host toolbar
//   CZUDPDropDownToolBar        the (normally hidden) toolbar whose buttons
//                               are offered; always locked: it keeps its
//                               own images
//   CZUDPDropDownFrame          the popup window with a private bar that
//                               shows copies of the offered buttons
//
// The button never keeps the offered toolbar as a pointer that could
// outlive it: the toolbar is looked up again among the live toolbars
// (by its resource id, or as the same live window) whenever it is used.
// The hold timer has an id of its own and dies with the button.
#include "framework/win/FrameWnd.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"

class CZUDPDropDownFrame;

class CZUDPDropDownToolBar : public CZUDPToolBar {
    DECLARE_SERIAL(CZUDPDropDownToolBar)
public:
    CZUDPDropDownToolBar();

    BOOL LoadImagesAndButtons(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                              UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0) override;
    void UpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL HandleButtonClick(CZUDPToolbarButton* pButton) override;

    // The button the mouse is over (pressed look), -1 for none.
    int GetTrackedButton() const { return trackedButton; }

protected:
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    // The window opens while the button is held on the host bar and takes
    // the capture: the button under the mouse shows pressed, and a release
    // over it chooses it without a press in this bar.
    int trackedButton = -1;
    CPoint lastMove = CPoint(-1, -1);
};

class CZUDPDropDownToolbarButton : public CZUDPToolbarButton {
    DECLARE_SERIAL(CZUDPDropDownToolbarButton)
public:
    CZUDPDropDownToolbarButton();
    CZUDPDropDownToolbarButton(LPCTSTR lpszName, CZUDPDropDownToolBar* pToolBar);
    ~CZUDPDropDownToolbarButton() override;

    // Makes the command the button's and finds its image in the offered
    // toolbar (its non-separator buttons keep their images in order).
    void SetCurrentCommand(UINT uiCmd);
    // Opens the window beside the button (in pWnd, default: its bar).
    BOOL DropDownToolbar(CWnd* pWnd = nullptr);
    // The offered toolbar, if it still lives.
    CZUDPToolBar* GetSourceToolbar() const;
    BOOL IsDropped() const { return openFrame != nullptr; }
    BOOL IsHoldTimerRunning() const { return holdTimer != 0; }
    int GetCurrentImage() const { return currentImage; }

    // --- overrides
    void Serialize(CArchive& ar) override;
    void CopyFrom(const CZUDPToolbarButton& src) override;
    void DrawButton(CDC* pDC, const CRect& rect, CZUDPToolBarImages* pImages, BOOL bHorz = TRUE,
                    BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                    BOOL bGrayDisabledButtons = TRUE) override;
    SIZE CalcSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    BOOL OnClickUp() override;
    void OnParentChanged(CWnd* pWndParent) override;
    void CancelMode() override;
    BOOL PrepareContextMenu(CMenu* pMenu) override;
    int DrawInCommandList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    BOOL HasExtraSize() const override { return useExtraSize && !drawing; }

    // The id of the hold timer on the button's bar: no other timer of a
    // bar uses it (timer 1 is the menu bar's expansion timer and a popup
    // bar's submenu timer).
    static const UINT_PTR kHoldTimerId = 0xE0D7;
    // How long a press is held before the window opens (milliseconds).
    static UINT s_holdDelay;

    CString dropDownName;
    CZUDPDropDownFrame* openFrame = nullptr;
    UINT_PTR holdTimer = 0;
    int currentImage = 0;
    BOOL drawing = FALSE;
    BOOL currentIsUserImage = FALSE;

protected:
    void KillHoldTimer();
    void SetSourceToolbar(CZUDPToolBar* pToolBar);
    int ArrowSize() const;
    static void CALLBACK HoldTimerProc(HWND hWnd, UINT uMsg, UINT_PTR idEvent, DWORD dwTime);

    // The offered toolbar: its resource id, or the toolbar itself when it
    // has none (checked to be live before every use).
    UINT sourceToolbarId = 0;
    CZUDPToolBar* sourceToolbarWindow = nullptr;
    HWND holdTimerWnd = nullptr;

    friend class CZUDPDropDownFrame;
};

class CZUDPDropDownFrame : public CMiniFrameWnd {
    DECLARE_SERIAL(CZUDPDropDownFrame)
public:
    CZUDPDropDownFrame();
    ~CZUDPDropDownFrame() override;

    BOOL CreateDropDown(CWnd* pWndParent, int x, int y, CZUDPToolBar* pSourceToolbar);
    void RecalcLayout(BOOL bNotify = TRUE) override;
    CZUDPDropDownToolBar& GetDropDownBar() { return dropDownBar; }

    // Where a window of the size opens at the position inside the work
    // area: pushed left (or to the left of a vertical bar at barLeft) past
    // the right edge, moved up (above a button of buttonHeight, when there
    // is one) past the bottom, never outside the work area's left or top.
    static CPoint PlaceInWorkArea(CPoint position, CSize size, const CRect& rectWork, BOOL bHasButton,
                                  BOOL bVerticalBar, int barLeft, int buttonHeight);

    CZUDPDropDownToolbarButton* parentButton = nullptr;
    CZUDPDropDownToolBar dropDownBar;
    CZUDPToolBar* sourceToolbar = nullptr;
    CPoint position;
    BOOL destroyBarWithFrame = TRUE;
    CString title;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    void OnDestroy();
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()
};
