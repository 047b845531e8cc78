#pragma once
// The library's toolbar and the options all toolbars and menus share.
// This version has what the foundation asks of a toolbar: its runtime class
// (archived by name), its list of buttons with the look-ups on it, the
// button-font update that follows a font change, the text colour of bar
// text, and the state and layout operations that the workspace and the
// user-tools manager call, with their resting answers; the command-bar
// subsystem completes it.
#include "ui/commandbars/ZUDPControlBar.h"
#include "framework/List.h"
#include "ui/foundation/ZUDPToolBarImages.h"

class CZUDPToolbarButton;

// The base of the toolbars (menu bars and popup menu bars among them): the
// docking behaviour all toolbars share.  A toolbar is always dragged in
// immediate mode, keeps its dock-bar links and virtual rectangle when it
// gets a new parent, is at least 40 pixels long, has no pane menu (a
// right click shows the frame's list of bars) and repaints whole when a
// row stretches it.
class CZUDPBaseToolBar : public CZUDPControlBar {
    DECLARE_DYNCREATE(CZUDPBaseToolBar)
public:
    CZUDPBaseToolBar() = default;

    DWORD GetDockingMode() const override { return ZUDP_DOCK_IMMEDIATE; }
    void RefreshDockBarLink(CWnd* pOldParent) override { (void)pOldParent; }
    void GetMinSize(CSize& size) const override { size = IsHorizontal() ? CSize(40, 16) : CSize(16, 40); }
    BOOL ShowDockingMenu(CPoint pt) override
    {
        (void)pt;
        return FALSE;
    }
    void RedrawOnResize(int nDelta) override;
};

class CZUDPToolBar : public CZUDPBaseToolBar {
    DECLARE_SERIAL(CZUDPToolBar)
public:
    CZUDPToolBar();
    ~CZUDPToolBar() override;

    // --- buttons (the bar owns them; separators count)
    // Adds a button at a position (-1: at the end); the bar takes it.
    // Answers its position, -1 when it could not be added.
    virtual int InsertButton(CZUDPToolbarButton* pButton, int iInsertAt = -1);
    // Removes (and deletes) the button at a position; FALSE when none.
    virtual BOOL RemoveButton(int iIndex);
    // The number of buttons, separators included.
    virtual int GetCount() const { return int(m_Buttons.GetCount()); }
    // The button at a 0-based position, null past the end.
    CZUDPToolbarButton* GetButtonAt(int iIndex) const;
    // The position of a button object on the bar, -1 when absent.
    int IndexOfButton(const CZUDPToolbarButton* pButton) const;
    // The position of the first button with the command at or after a
    // start position, -1 when none.
    int FindCommandIndex(UINT uiCmd, int iIndexFirst = 0) const;
    // The button under a client point: its index, -1 for none or a
    // separator.
    virtual int HitTest(CPoint point);
    // Sets the style bits of the button at a position and repaints it.
    virtual void ChangeButtonStyle(int iIndex, UINT nStyle);
    // Every button with the command on every live toolbar, appended to the
    // list; answers how many were found.
    static int CollectCommandButtons(UINT uiCmd, CObList& listButtons);
    // Records one use of a command in the process-wide usage statistics
    // (what personalized menus learn from), and reads the count back.
    static void CountCommandUse(UINT uiCmd);
    static UINT GetCommandUseCount(UINT uiCmd);

    // --- look
    // The library's fonts changed: every button takes the new ones.
    virtual void UpdateButtonFonts();
    // The visual manager was replaced: the bar takes the window region the
    // new manager asks for (or none) and lays itself out again unless it
    // floats.
    virtual void OnVisualManagerChanged();
    // The text colour of toolbar and menu text: the custom colour when one
    // was set, else the system button-text colour.
    static COLORREF GetDefaultTextColor();
    static void SetDefaultTextColor(COLORREF clrText) { s_clrCustomText = clrText; }
    // The images the bar's menus use when the bar keeps its own (locked)
    // images: its menu images when they hold any, else its toolbar images,
    // else none.
    CZUDPToolBarImages* GetLockedMenuImages();

    // --- state and layout
    // The toolbar's own floating flag: set when it leaves its dock bar for
    // a floating frame, cleared when it goes anywhere else.
    BOOL IsFloating() const override { return m_bFloating; }
    void LeaveDockBar(CWnd* pNewParent, BOOL bFlag) override;
    // Reads / writes the bar's button list and control-bar state under the
    // profile; FALSE while nothing was read or written.
    BOOL LoadBarState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL SaveBarState(LPCTSTR lpszProfileName, int nIndex = -1, UINT uiID = (UINT)-1) override;
    // TRUE when the last state load found that the bar's resource button
    // list differs from the one saved from it.
    virtual BOOL IsResourceChanged() const { return m_bResourceChanged; }
    // Every button refreshes itself from its command; the bar is laid out
    // again (not while it is locked).
    virtual void RefreshButtons();
    // Lays the bar out again after its buttons changed.
    void UpdateLayout() override;
    // Reads / writes the options all toolbars and menus share.
    static BOOL LoadGlobalOptions(LPCTSTR lpszProfileName = nullptr);
    static BOOL SaveGlobalOptions(LPCTSTR lpszProfileName = nullptr);

    BOOL m_bFloating = FALSE;
    BOOL m_bLocked = FALSE;        // the bar keeps its own images and layout
    BOOL m_bResourceChanged = FALSE;
    CZUDPToolBarImages m_ImagesLocked;      // the locked bar's own toolbar images
    CZUDPToolBarImages m_MenuImagesLocked;  // the locked bar's own menu images

protected:
    CObList m_Buttons;

private:
    static COLORREF s_clrCustomText;
};

// Every live toolbar of the process (each adds itself on construction and
// removes itself on destruction); readers skip entries without a window.
extern CObList g_toolbarList;

// The toolbars' shared images: the toolbar images, the menu images (none
// when none were loaded) and the user-defined images (null when there are
// none).
extern CZUDPToolBarImages g_sharedToolbarImages;
extern CZUDPToolBarImages g_sharedMenuImages;
extern CZUDPToolBarImages* g_sharedUserImages;

// Options of all toolbars and menus.
extern BOOL g_customizeMode;          // toolbar customization mode is on
extern BOOL g_registerCommandImages;  // buttons given an image register it with the command manager
extern BOOL g_largeIcons;             // toolbars use large icons
extern BOOL g_showAllMenusAfterDelay; // a personalized menu shows every command after a delay
extern BOOL g_toolbarComboKeysFlag;   // toolbar combo boxes leave Tab, Esc, Up and Down to the bar
extern int g_menuAnimation;           // popup-menu animation: 0 none; 999 follow the system
// Commands the library never runs (saved shortcuts to them are dropped).
extern CList<UINT, UINT> g_blockedCommands;
