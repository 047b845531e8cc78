#pragma once
// CZUDPButton: the library's push button, check box, three-state box and
// radio button.  The platform button window is turned owner-drawn (its type
// bits become BS_OWNERDRAW for every kind; the kind lives in the members),
// and the class paints face, frame, check mark, image or menu glyph, text
// and focus itself, through the visual manager or its own 3-D frames.  It
// also does its own toggling, radio exclusion and group moves, hot tracking
// (it holds the mouse capture while the pointer is over it), auto-repeat
// while held, an optional tooltip and cursor.
//
// Painting goes through one routine, Paint (ZUDPButtonPaint.cpp), reached
// from WM_PAINT, WM_PRINTCLIENT and the owner-draw notice alike.  Created by
// name (a dialog wraps its "Button" children in it).
#include "ui/controls/ZUDPControlLook.h"
#include "framework/win/Controls.h"
#include "ui/foundation/ZUDPToolBarImages.h"

// Push buttons may use the visual manager's themed face.  The first style
// evaluation of any button switches it on (when the program has a resource
// handle); CZUDPButton::EnableThemedFaces sets it at any time.
extern BOOL g_buttonThemeEnabled;

class CZUDPButton : public CZUDPControlLook<CButton> {
    DECLARE_DYNCREATE(CZUDPButton)
public:
    // The frame of a push button.
    enum BorderStyle {
        BorderStyle3D = 0,        // outer and inner frame
        BorderStyleFlat = 1,      // a frame only while hot or pressed
        BorderStyleSemiFlat = 2,  // the outer frame always, the inner while hot
        BorderStyleNone = 3,
    };
    enum TextAlignment { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };
    // The six image lists: unchecked normal, hot, disabled; checked normal,
    // hot, disabled.
    enum ImageState { ImageNormal = 0, ImageHot = 1, ImageDisabled = 2 };
    // The auto-repeat timer.
    static constexpr UINT_PTR kAutoRepeatTimer = 1;

    CZUDPButton();
    ~CZUDPButton() override;

    // Images, one per state; the checked set is shown while the button is
    // checked.  With bAutoDestroy the given bitmaps or icons are deleted
    // once copied.  Grey transparency keys out light grey (0xC0C0C0);
    // otherwise a 32-bit bitmap keeps its alpha and any other is keyed on
    // the button face.
    void SetImage(HBITMAP hBitmap, BOOL bAutoDestroy = TRUE, HBITMAP hBitmapHot = nullptr,
                  BOOL bGreyTransparent = FALSE, BOOL bChecked = FALSE, HBITMAP hBitmapDisabled = nullptr);
    // bAlpha: the icons carry alpha; otherwise they are drawn over the face.
    void SetIcon(HICON hIcon, BOOL bAutoDestroy = TRUE, HICON hIconHot = nullptr, BOOL bAlpha = FALSE,
                 BOOL bChecked = FALSE, HICON hIconDisabled = nullptr);
    // Resource ids of the unchecked set (0: none), each a PNG resource or
    // else a bitmap.
    void SetImagesFromResources(UINT uiNormalId, UINT uiHotId = 0, UINT uiDisabledId = 0);
    void LoadImagesFromResources(UINT uiNormalId, UINT uiHotId = 0, UINT uiDisabledId = 0, BOOL bChecked = FALSE);
    // A menu glyph instead of images; the disabled glyph (> 0) replaces it
    // while the button is disabled, 0 keeps the same glyph.
    void SetGlyphImage(int nGlyph, int nColor = 0, int nDisabledGlyph = 0);
    // A tooltip with the text; null deactivates it.
    void SetTipText(LPCTSTR lpszText);
    void SetButtonCursor(HCURSOR hCursor) { m_hCursor = hCursor; }
    void UseHandCursor();
    // > 0: the click repeats every interval while the button is held.
    void SetAutoRepeatInterval(int nInterval) { m_nAutoRepeatInterval = nInterval; }
    static void EnableThemedFaces(BOOL bEnable = TRUE) { g_buttonThemeEnabled = bEnable; }

    int GetCheckState() const { return m_nChecked; }
    BOOL IsCheckBox() const { return m_bCheckBox; }
    BOOL IsRadioButton() const { return m_bRadio; }
    BOOL IsThreeState() const { return m_bThreeState; }
    BOOL IsAutoButton() const { return m_bAuto; }
    BOOL IsDefaultButton() const { return m_bDefaultButton; }
    BOOL IsPushButton() const { return !m_bCheckBox && !m_bRadio; }
    // The platform type the button was made as (BS_PUSHBUTTON ...
    // BS_AUTORADIOBUTTON): its window's type bits are the owner-drawn one.
    UINT GetButtonKind() const;
    // The type bits of a button window: the kind of a library button, the
    // style's type bits of any other.
    static UINT ButtonKindOf(HWND hWnd);
    // A check box or radio button not drawn like a push button.
    BOOL IsCheckStyle() const { return (m_bCheckBox || m_bRadio) && (GetStyle() & BS_PUSHLIKE) == 0; }
    // Push buttons use the visual manager's face (the library-wide switch on
    // and this button not excluded).
    BOOL UsesThemedFace() const { return g_buttonThemeEnabled && !m_bNoThemedFace; }
    CToolTipCtrl* GetToolTip() const { return m_pToolTip; }
    CSize GetImageSize() const { return m_sizeImage; }

    // --- Virtual operations, in slot order --------------------------------
    // Glyphs off, image size 0, every image list emptied.
    virtual void CleanUp();
    // The size that fits image and text; unless bCalcOnly the window takes
    // it (its position kept).
    virtual CSize SizeToContent(BOOL bCalcOnly = FALSE);
    // Paints the parent's background into the rectangle (the button's
    // client coordinates), for faces that do not cover it.
    virtual void DrawParentBackground(CDC* pDC, LPRECT lpRect);
    // The whole button: face, frame or check mark, content, focus.
    virtual void Paint(CDC* pDC, const CRect& rect, UINT uiState);
    virtual void FillBackground(CDC* pDC, const CRect& rect);
    // Draws the frame and shrinks the rectangle to what lies inside it.
    virtual void DrawBorder(CDC* pDC, CRect& rectClient, UINT uiState);
    virtual void DrawFocusRect(CDC* pDC, const CRect& rectClient);
    // Image or glyph and text.
    virtual void DrawContent(CDC* pDC, CRect rect, UINT uiState);
    virtual void DrawText(CDC* pDC, const CRect& rect, const CString& strText, UINT uFormat, UINT uiState);
    // Selects the button's font (the stock GUI font without one); answers
    // the font it replaced.
    virtual CFont* SelectFont(CDC* pDC);
    // Space between image and text, and above and below the content.
    virtual int ImageTextGap() const { return 10; }
    virtual int VerticalMargin() const { return 5; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // --- Options set directly by users of the class -----------------------
    int m_nBorderStyle = BorderStyle3D;
    int m_nTextAlignment = AlignCenter;  // check boxes and radios take it from their style
    BOOL m_bImageOnRight = FALSE;
    BOOL m_bImageOnTop = FALSE;
    // The parent's background instead of the face; no visual-manager frame
    // or check mark.
    BOOL m_bTransparent = FALSE;
    BOOL m_bDrawFocus = TRUE;
    // A checked button's face is tinted (except while held down).
    BOOL m_bTintChecked = TRUE;
    // A disabled button shows disabled images and grey text.
    BOOL m_bGreyWhenDisabled = TRUE;
    // The click is reported when the button goes down.
    BOOL m_bClickOnPress = FALSE;
    // Never the visual manager's themed push-button face.
    BOOL m_bNoThemedFace = FALSE;
    // After a resize the whole text becomes the tooltip when it is clipped.
    BOOL m_bAutoTooltip = FALSE;
    // Content shift while pressed when no themed face is used.
    CSize m_sizePushOffset = CSize(2, 2);
    // -1: the defaults (button text, the text colour, the button face).
    COLORREF m_clrText = (COLORREF)-1;
    COLORREF m_clrHotText = (COLORREF)-1;
    COLORREF m_clrFace = (COLORREF)-1;
    // The text colour a visual manager's push-button frame asks for during
    // one paint (-1: none); reset at the start of every paint.
    COLORREF m_clrFrameText = (COLORREF)-1;
    int m_nGlyphColor = 0;

    // --- State ---------------------------------------------------------------
    // Drawn pressed: the left button is held with the pointer on it.
    BOOL m_bDown = FALSE;
    // The pointer is over the button.
    BOOL m_bHot = FALSE;

protected:
    // Reads the kind from the low four style bits (and, for check boxes and
    // radios, the text side and alignment).
    void EvaluateStyle(DWORD dwStyle);
    // The platform style with the type bits of the owner-drawn kind.
    static DWORD OwnerDrawStyle(DWORD dwStyle);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;

    // Unchecks the other radio buttons of this one's group.
    void UncheckRadioGroup();
    // Checks the next (or previous) visible, enabled radio button of the
    // group and gives it the focus; FALSE when there is none.
    BOOL MoveInRadioGroup(BOOL bForward);
    // The automatic change of a click: three-state cycle, check box toggle,
    // radio checked (the group unchecked).
    void ToggleAsClicked();
    void NotifyParentClick();
    void RepaintNow();
    void ReleaseHeldCapture();
    // Paints with the state the window has now (WM_PAINT, WM_PRINTCLIENT).
    UINT CurrentItemState() const;
    BOOL IsDisabledLook(UINT uiState) const;

    // The images of one set and state.
    CZUDPToolBarImages& Images(BOOL bChecked, int nState) { return m_images[bChecked ? 1 : 0][nState]; }
    // Adds one bitmap to a list, keyed or with alpha as SetImage says.
    void AddBitmapImage(CZUDPToolBarImages& images, HBITMAP hBitmap, BOOL bGreyTransparent, BOOL bAutoDestroy);
    void AddIconImage(CZUDPToolBarImages& images, HICON hIcon, BOOL bAlpha);
    void ClearImageSet(BOOL bChecked);
    void DropCachedIcon();
    // The list to draw now, or null when there is no image.
    CZUDPToolBarImages* ImagesToDraw(BOOL bDisabledLook, BOOL& bDrawDisabled);
    // The text rectangle and format DrawContent uses for the text.
    void LayoutText(CDC* pDC, const CString& strText, CRect& rectText, UINT& uFormat);
    void CheckTooltipForClippedText(CDC* pDC, const CString& strText, const CRect& rectText, UINT uFormat);

    void OnPaint();
    void OnPrintClient(CDC* pDC, UINT uFlags);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnCancelMode();
    void OnKillFocus(CWnd* pNewWnd);
    void OnEnable(BOOL bEnable);
    void OnTimer(UINT_PTR nIDEvent);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnSize(UINT nType, int cx, int cy);
    UINT OnGetDlgCode();
    void OnDestroy();
    void OnCaptureChanged(CWnd* pWnd);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetImage(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetImage(WPARAM wParam, LPARAM lParam);
    LRESULT OnUpdateToolTips(WPARAM wParam, LPARAM lParam);

    BOOL m_bDoubleClickPending = FALSE;
    BOOL m_bPressStarted = FALSE;
    BOOL m_bCaptured = FALSE;
    BOOL m_bPointerInside = FALSE;
    int m_nChecked = 0;
    BOOL m_bIndeterminate = FALSE;
    BOOL m_bCheckBox = FALSE;
    BOOL m_bThreeState = FALSE;
    BOOL m_bRadio = FALSE;
    BOOL m_bAuto = FALSE;
    BOOL m_bDefaultButton = FALSE;
    BOOL m_bCheckOnRight = FALSE;
    CSize m_sizeImage = CSize(0, 0);
    CZUDPToolBarImages m_images[2][3];
    BOOL m_bTooltipCheckPending = FALSE;
    int m_nGlyph = -1;
    int m_nDisabledGlyph = -1;
    CToolTipCtrl* m_pToolTip = nullptr;
    HCURSOR m_hCursor = nullptr;
    HFONT m_hFont = nullptr;
    int m_nAutoRepeatInterval = 0;
    // The icon BM_GETIMAGE answered, kept until the images change.
    HICON m_hCachedIcon = nullptr;

    DECLARE_MESSAGE_MAP()
};
