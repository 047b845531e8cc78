#pragma once
// CZUDPDlgImpl: the look of a themed dialog-like window (the dialog base,
// the property page and sheet, the dialog bar), embedded in it; the owner
// forwards a fixed set of messages to it.  It
//  - switches the owner into the visual-manager look: standard child
//    controls are replaced by the library's themed controls, chosen by
//    their window class, and every child is told the look
//    (ZUDM_ONSETCONTROLVMMODE);
//  - answers WM_CTLCOLOR so that statics and buttons lie transparently on
//    the manager's dialog background;
//  - extends the glass frame into the client area and tells each child
//    whether it lies on glass (ZUDM_ONSETCONTROLAERO);
//  - cooperates with a library popup menu open over the owner (keys and
//    clicks routed to it, a thread mouse hook closes it on outside clicks);
//  - keeps the owner's caption active while one of its floating windows is
//    active and limits the maximized size of a borderless owner;
//  - paints the caption and frame through the visual manager when the
//    manager wants a custom caption (caption buttons, hit testing, system
//    commands), ZUDPDlgImplCaption.cpp.
#include "framework/win/Wnd.h"
#include "framework/Array.h"
#include "framework/List.h"

class CZUDPPopupMenu;
class CZUDPFrameCaptionButton;

class CZUDPDlgImpl {
public:
    explicit CZUDPDlgImpl(CWnd& owner);
    virtual ~CZUDPDlgImpl();
    CZUDPDlgImpl(const CZUDPDlgImpl&) = delete;
    CZUDPDlgImpl& operator=(const CZUDPDlgImpl&) = delete;

    // --- look
    // Switches the look; bNCArea also asks for the owner-drawn caption.
    // pExcluded: control ids that are neither wrapped nor told (kept, and
    // used again when the look is re-applied at initialisation).  Without
    // an owner window only the flags are stored.
    void SetVisualManagerLook(BOOL bEnable, BOOL bNCArea = FALSE, const CList<UINT, UINT>* pExcluded = nullptr);
    // Applies the stored look to the controls that exist now (the owner's
    // initialisation), with the stored excluded ids.
    void ReapplyLook();
    BOOL IsVisualManagerStyle() const { return m_bVisualManagerStyle; }
    BOOL IsVisualManagerNCArea() const { return m_bVisualManagerNCArea; }
    // The name of the runtime class that wraps a child of a window class
    // and style, or null when the class is not wrapped.
    static LPCSTR WrapperClassFor(LPCSTR lpszWindowClass, DWORD dwStyle);

    // Brush for WM_CTLCOLOR, null for the framework's default.
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    // --- glass
    BOOL SetGlassMargins(int nLeft, int nRight, int nTop, int nBottom);
    void FillGlassMargins(CDC* pDC);
    BOOL HasGlassMargins() const { return m_nGlassLeft != 0 || m_nGlassRight != 0 || m_nGlassTop != 0 || m_nGlassBottom != 0; }
    void OnCompositionChanged();
    // Re-applies the stored margins (the owner's initialisation).
    void ReapplyGlassMargins();

    void OnDestroy();

    // --- popup menus over the owner
    void SetOpenPopupMenu(CZUDPPopupMenu* pMenu);
    BOOL PreTranslateMessage(MSG* pMsg);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    BOOL HandlePopupClick(CPoint ptScreen);
    BOOL HandlePopupMouseMove(CPoint ptScreen);
    // The thread's popup mouse hook (null when none).
    static HHOOK GetPopupHook();

    // --- activation and size
    void OnActivate(UINT nState, CWnd* pWndOther);
    void OnNcActivate(BOOL& bActive);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);

    // --- the owner-drawn caption (ZUDPDlgImplCaption.cpp)
    BOOL PaintsOwnCaption() const;
    void ApplyFrameLook();
    int CaptionHeight() const;
    CRect CaptionRectInWindow() const;
    void LayoutCaptionButtons();
    void SyncCaptionButtonsWithSystemMenu();
    CZUDPFrameCaptionButton* FindCaptionButton(UINT nHit) const;
    const CObList& GetCaptionButtons() const { return m_lstCaptionSysButtons; }
    // TRUE when the default calculation is to be skipped.
    BOOL OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    // A hit code, 0 for the default hit test.
    UINT OnNcHitTest(CPoint ptScreen);
    // TRUE when the non-client area was painted.
    BOOL OnNcPaint();
    void OnNcMouseMove(UINT nHitTest, CPoint ptScreen);
    void OnMouseMove(CPoint ptClient);
    void OnLButtonDown(CPoint ptClient);
    void OnLButtonUp(CPoint ptClient);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    UINT GetHotCaptionButton() const { return m_nHotSysButton; }
    UINT GetPressedCaptionButton() const { return m_nHitSysButton; }

    // --- what the owners share of their message handling
    // WM_ERASEBKGND: the manager's dialog background in the look (default
    // erasing when it declines or without the look), then the glass.
    BOOL EraseBackground(CDC* pDC);
    // WM_SIZE: the window region and the caption buttons follow the size;
    // TRUE when default processing is to follow (minimizing, maximizing,
    // and the first size after a maximized one).
    BOOL OnSize(UINT nType, BOOL& bWasMaximized);
    // WM_SETTEXT succeeded: the owner-drawn caption shows the new text.
    void OnTextChanged();
    // WM_SYSCOLORCHANGE / WM_SETTINGCHANGE of the thread's main window.
    void OnSysColorChange();
    void OnSettingChange();

    // Data (see the class comment); the owner sets m_bHasBorder in its
    // initialisation.
    CWnd* m_pOwner;
    BOOL m_bVisualManagerStyle = FALSE;
    BOOL m_bVisualManagerNCArea = FALSE;
    CArray<CWnd*, CWnd*> m_arSubclassedCtrls;
    int m_nGlassLeft = 0;
    int m_nGlassRight = 0;
    int m_nGlassTop = 0;
    int m_nGlassBottom = 0;
    BOOL m_bTransparentStaticCtrls = TRUE;
    CObList m_lstCaptionSysButtons{10};
    UINT m_nHotSysButton = 0;
    UINT m_nHitSysButton = 0;
    CRect m_rectRedraw;
    BOOL m_bWindowPosChanging = FALSE;
    BOOL m_bHasRegion = FALSE;
    BOOL m_bHasBorder = FALSE;

private:
    BOOL HasOwnerWindow() const { return m_pOwner != nullptr && m_pOwner->m_hWnd != nullptr; }
    BOOL IsExcluded(UINT nID) const;
    void WrapChild(HWND hWndChild);
    BOOL IsOnGlass(HWND hWndChild, const CRect& rectClient) const;
    void RedrawOwner(UINT nFlags);
    void TrackCaptionButtonHover(CPoint ptScreen);
    void ReleaseCaptionButtons();
    void RepaintCaptionButton(CZUDPFrameCaptionButton* pButton);
    void CloseActivePopup(BOOL bFocusOwner);
    static LRESULT CALLBACK PopupMouseHook(int nCode, WPARAM wParam, LPARAM lParam);

    CList<UINT, UINT> m_lstExcluded;
};
