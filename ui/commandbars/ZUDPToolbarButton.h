#pragma once
// CZUDPToolbarButton: one item of a command bar (toolbar, menu bar, popup
// menu bar): a command button with an image and/or a text, or a
// separator; derived kinds are menu buttons, combo and edit boxes and the
// like.  Buttons are plain objects owned by the bar that lists them; the
// bar places them (`rect`), and a button measures itself for an
// orientation, paints itself in the rectangle it is given, archives
// itself, travels as drag data and describes itself to accessibility
// clients.  Everything that differs between kinds is a virtual operation
// below; the operations keep their order.
//
// Style word: the low word holds the toolbar-button kind (TBBS_SEPARATOR,
// TBBS_CHECKBOX), the high word its state (TBBS_CHECKED, _PRESSED,
// _DISABLED, _INDETERMINATE, _MARKED) and TBBS_BREAK (a menu item that
// starts a new column).  The bar sets the state bits; the button reads
// them.
#include "framework/Object.h"
#include "framework/Rect.h"
#include "framework/String.h"
#include "framework/List.h"
#include "framework/win/BarStyles.h"
#include "framework/win/WinSdk.h"

class CArchive;
class CDC;
class CMenu;
class CWnd;
class CToolTipCtrl;
class COleDataSource;
class COleDataObject;
class CZUDPToolBar;
class CZUDPToolBarImages;
class CZUDPToolbarMenuButton;
struct CZUDPAccessibleInfo;

// The rendering state handed to the visual manager.
enum ZUDPButtonState {
    ZUDP_BUTTON_NORMAL = 0,
    ZUDP_BUTTON_PUSHED = 1,       // checked or pressed
    ZUDP_BUTTON_HIGHLIGHTED = 2,
};

class CZUDPToolbarButton : public CObject {
    DECLARE_SERIAL(CZUDPToolbarButton)
public:
    CZUDPToolbarButton();
    // A command button.  The image index goes to the user images or the
    // standard ones (bUserButton); unless the button is locked, a command's
    // image is looked up in (-1) or recorded with the command manager.
    CZUDPToolbarButton(UINT uiID, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserButton = FALSE,
                       BOOL bLocked = FALSE);
    ~CZUDPToolbarButton() override;

    // --- library-wide
    // The clipboard format of dragged buttons, registered on first use.
    static CLIPFORMAT ButtonClipboardFormat();
    // The button a drag carries, or null when the data holds none, holds
    // another class than a button kind, or cannot be read.
    static CZUDPToolbarButton* CreateFromOleData(COleDataObject* pDataObject);

    // --- 1-51, in order
    void Serialize(CArchive& ar) override;
    virtual BOOL ExportDragData(COleDataSource& srcItem);
    virtual BOOL CanBeDroppedOn(CZUDPToolBar* pToolbar);
    virtual void CopyFrom(const CZUDPToolbarButton& src);
    virtual void DrawButton(CDC* pDC, const CRect& rect, CZUDPToolBarImages* pImages, BOOL bHorz = TRUE,
                            BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                            BOOL bGrayDisabledButtons = TRUE);
    virtual SIZE CalcSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz);
    // FALSE: the click is not handled here and the bar sends the command.
    virtual BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE);
    virtual BOOL OnClickUp();
    virtual void OnParentChanged(CWnd* pWndParent);
    // A menu item is being made from this button: it takes the button's
    // tooltip text as its caption when the button has none.
    virtual BOOL TakeTextFromCommandString(CZUDPToolbarMenuButton* pMenuItem);
    virtual void RepositionControl() {}
    virtual void SetWidth(int nWidth) { (void)nWidth; }
    virtual HWND GetControlHwnd() const { return nullptr; }
    virtual BOOL HasEmbeddedControl() const { return FALSE; }
    virtual BOOL NotifyControlEvent(int nEvent) { (void)nEvent; return FALSE; }
    virtual void SyncWithOtherCopies() {}
    virtual HBRUSH GetCtlColorBrush(CDC* pDC, UINT nCtlColor) { (void)pDC; (void)nCtlColor; return nullptr; }
    virtual void OnDoubleClick(CWnd* pWnd) { (void)pWnd; }
    virtual BOOL CanBeDragged() const { return TRUE; }
    virtual BOOL HasBorder() const { return TRUE; }
    virtual void CancelMode() {}
    // The library's fonts changed.
    virtual void UpdateFont() {}
    virtual BOOL IsCustomizable() const;
    virtual BOOL OnKeyboardActivate(CWnd* pWnd) { (void)pWnd; return FALSE; }
    virtual BOOL PrepareContextMenu(CMenu* pMenu) { (void)pMenu; return FALSE; }
    // Draws the button as a row of the customization command list; the
    // width used.
    virtual int DrawInCommandList(CDC* pDC, const CRect& rect, BOOL bSelected);
    virtual BOOL IsDroppedDown() const { return FALSE; }
    virtual BOOL ClosePopup() { return TRUE; }
    virtual BOOL OnBeforeDrop(CZUDPToolBar* pTarget) { (void)pTarget; return TRUE; }
    virtual BOOL FillToolInfo(CWnd* pWndBar, TOOLINFOA* pTI);
    virtual void SaveMenuChainItems() {}
    virtual void ShowControl(BOOL bShow) { (void)bShow; }
    virtual CRect GetInvalidateRect() const { return rect; }
    virtual void SetStyle(UINT nStyle) { style = nStyle; }
    virtual void RestoreDefaultImage();
    virtual BOOL IsSameCommand(const CZUDPToolbarButton& other) const { return commandId == other.commandId; }
    virtual void EnableControl(BOOL bEnable);
    virtual BOOL IsControlVisible() const;
    virtual BOOL OwnsWindow(HWND hWnd) const;
    virtual BOOL HasFocus() const;
    virtual BOOL GetCustomToolTipText(CString& strText) { (void)strText; return FALSE; }
    virtual BOOL UpdateToolTip(CWnd* pWndParent, int iButtonIndex, CToolTipCtrl& wndToolTip, CString& strTipText)
    {
        (void)pWndParent;
        (void)iButtonIndex;
        (void)wndToolTip;
        (void)strTipText;
        return FALSE;
    }
    virtual BOOL IsFirstInGroup() const;
    virtual BOOL IsLastInGroup() const;
    virtual BOOL UsesCallerTextColor() const { return FALSE; }
    virtual BOOL FillAccessibilityData(CWnd* pWndBar, CZUDPAccessibleInfo& data);
    virtual void DrawButtonText(CDC* pDC, const CString& strText, CRect rectText, UINT uiDTFlags, COLORREF clrText,
                                int nState);
    virtual void AssignImage(int iImage);
    virtual void SetRadio() {}
    virtual BOOL HasExtraSize() const { return useExtraSize; }
    virtual LRESULT SetOnGlass(BOOL bOnGlass);

    // --- queries and helpers
    BOOL IsSeparator() const { return (style & TBBS_SEPARATOR) != 0; }
    // The image index in use: the user image when the button uses one.
    int GetActiveImage() const { return usesUserImage ? userImageIndex : imageIndex; }
    // The button shows an image: an image index in use, and shown.
    BOOL HasImage() const { return showImage && GetActiveImage() >= 0; }
    const CRect& Rect() const { return rect; }
    void SetRect(const CRect& rectNew) { rect = rectNew; }
    // Fills the background through the visual manager: state 0 while the
    // library is in customization mode (not an Alt+drag, not a locked
    // button), else highlighted, pushed (checked or pressed) or normal.
    void PaintBackground(CDC* pDC, const CRect& rectButton, BOOL bHighlight, BOOL bMenuRow = FALSE);
    // The caption without its access-key markers ("&" removed, "&&" kept
    // as one "&").
    static CString StripMnemonics(const CString& strText);
    // The second newline-separated part of a command's string resource
    // (its tooltip text); FALSE when there is none.
    static BOOL LoadTooltipText(UINT uiCmd, CString& strText);

    // --- fields, in order
    BOOL usesUserImage = FALSE;   // the image index is one of the user images
    UINT commandId = 0;           // 0: separator or no command; (UINT)-1: opens a submenu only
    UINT style = 0;               // TBBS_ bits (see above)
    CString text;                 // caption, "&" marks the access key
    BOOL showText = FALSE;        // the caption is drawn beside (vertical bars: under) the image
    BOOL showImage = TRUE;
    BOOL wrapAfter = FALSE;       // the bar starts a new row after the button
    BOOL fullCaption = TRUE;      // FALSE: a menu row shortens its caption with "..."
    BOOL textBelowImage = FALSE;  // horizontal bars draw the caption centred below the image
    BOOL fromCommandList = FALSE; // dragged out of the customization command list
    ULONG_PTR userData = 0;       // a menu item's item data (pointer-sized)
    CRect rect;                   // on the bar, client coordinates
    int imageIndex = -1;          // standard image; a separator's width (<= 0: the default)
    int userImageIndex = -1;      // user image
    BOOL locked = FALSE;          // on a locked bar: images are not recorded with the command manager
    BOOL overflowHidden = FALSE;  // no room on the bar: shown in the overflow button's menu
    int textBelowWidth = 0;       // measured by CalcSize
    int textBelowHeight = 0;
    BOOL noBackground = FALSE;    // PaintBackground paints nothing
    BOOL useExtraSize = FALSE;    // the bar wants the visual manager's extra button size
    BOOL visible = TRUE;          // FALSE: measures 0 x 0, skipped by layout and drawing
    CWnd* parentWnd = nullptr;    // the bar the button lives on (not owned)
    BOOL onGlass = FALSE;
    // Where the command sits in the menus, as the customization catalogue
    // shows it ("FileSaveAs"); empty for buttons that come from no menu.
    // Copied with the button, never archived.
    CString menuPath;
};

// Library-wide settings of the buttons.
// Text-below-image captions are word-wrapped in a box three buttons wide.
extern BOOL g_wrapTextBelowImage;
// The clipboard format name of dragged buttons; empty: "ZUDToolbarButton"
// followed by the module instance handle in hexadecimal.
extern CString g_buttonClipboardFormatName;
// Commands the user can never customize (the application fills it).
extern CList<UINT, UINT> g_nonCustomizableCommands;

// The combo-box button (the dialogs' combo box draws through one).
#include "ui/commandbars/ZUDPToolbarComboBoxButton.h"
