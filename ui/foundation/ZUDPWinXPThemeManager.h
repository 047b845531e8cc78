#pragma once
// The visual-style half of the visual manager: it loads the system's
// visual-styles library on its own, keeps one open theme handle per
// visual-style class the library draws with, and draws the standard
// controls that have a themed form.  Every themed operation answers FALSE
// when its theme handle is missing (no visual styles, or styles switched
// off), so that the caller draws the classic form instead.
//
// The entry points are looked up through the foundation's module seams and
// called through its visual-style seams (ZUDPFoundationSeams.h), so tests
// can switch themed drawing off or record what was drawn.
#include "framework/Object.h"
#include "framework/win/DC.h"
#include "ui/foundation/ZUDPFoundationSeams.h"

class CZUDPButton;
class CZUDPStatusBar;
class CZUDPBaseControlBar;

class CZUDPWinXPThemeManager : public CObject {
    DECLARE_DYNAMIC(CZUDPWinXPThemeManager)
public:
    CZUDPWinXPThemeManager();
    ~CZUDPWinXPThemeManager() override;

    // Themed drawing of standard controls (TRUE when drawn).  The numbers
    // are the operations' places in the visual manager's virtual table.
    /* 3 */ virtual BOOL DrawThemedPushButton(CDC* pDC, CRect rect, CZUDPButton* pButton);
    /* 4 */ virtual BOOL DrawThemedProgressBar(CDC* pDC, CZUDPStatusBar* pStatusBar, CRect rect, int nRange, int nPos,
                                               COLORREF clrBar, COLORREF clrGradientEnd, COLORREF clrText,
                                               BOOL bShowPercent);
    /* 5 */ virtual BOOL DrawThemedComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                                   BOOL bIsHighlighted);
    /* 6 */ virtual BOOL DrawThemedComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                               BOOL bIsHighlighted);
    /* 7 */ virtual BOOL FillThemedRebarBackground(CDC* pDC, CZUDPBaseControlBar* pBar, CRect rectClient);
    // nState: 0 unchecked, 1 checked, 2 indeterminate (larger values count
    // as indeterminate, smaller as unchecked).
    /* 8 */ virtual BOOL DrawThemedCheckBox(CDC* pDC, CRect rect, BOOL bHighlighted, int nState, BOOL bEnabled,
                                            BOOL bPressed);
    /* 9 */ virtual BOOL DrawThemedRadioButton(CDC* pDC, CRect rect, BOOL bHighlighted, BOOL bChecked, BOOL bEnabled,
                                               BOOL bPressed);
    // Which standard visual style is active: -1 unknown, 0 another style or
    // colour scheme, 1 the blue, 2 the olive, 3 the silver scheme of the
    // standard styles.
    /* 10 */ virtual int GetStandardThemeKind();

    // Opens (again) every theme handle, with the thread's main window as
    // owner; closes them.
    void OpenThemeHandles();
    void CloseThemeHandles();

    // The check-box and radio-button state numbers of the BUTTON class.
    static int CheckBoxThemeState(BOOL bHighlighted, int nState, BOOL bEnabled, BOOL bPressed);
    static int RadioButtonThemeState(BOOL bHighlighted, BOOL bChecked, BOOL bEnabled, BOOL bPressed);
    // The right edge of a progress chunk inside a bar inset by 3 on every
    // side, and the percentage shown; the position is kept within
    // 0 .. range.  Range 0 has no chunk.
    static int ProgressChunkRight(const CRect& rectBar, int nRange, int nPos);
    static int ProgressPercent(int nRange, int nPos);

    // Drawing helpers for the visual manager's own themed parts: FALSE when
    // the handle or the entry point is missing.
    BOOL DrawThemePart(HTHEME hTheme, CDC* pDC, int nPart, int nState, const CRect& rect);
    BOOL GetThemeColorValue(HTHEME hTheme, int nPart, int nState, int nProperty, COLORREF& clr);

    // 1. Theme handles, one per visual-style class, in this order.
    HTHEME m_hThemeWindow = nullptr;
    HTHEME m_hThemeToolBar = nullptr;
    HTHEME m_hThemeRebar = nullptr;
    HTHEME m_hThemeButton = nullptr;
    HTHEME m_hThemeStatusBar = nullptr;
    HTHEME m_hThemeComboBox = nullptr;
    HTHEME m_hThemeProgress = nullptr;
    HTHEME m_hThemeHeader = nullptr;
    HTHEME m_hThemeScrollBar = nullptr;
    HTHEME m_hThemeExplorerBar = nullptr;
    HTHEME m_hThemeTree = nullptr;
    HTHEME m_hThemeStartPanel = nullptr;
    HTHEME m_hThemeTaskBand = nullptr;
    HTHEME m_hThemeTaskBar = nullptr;
    HTHEME m_hThemeSpin = nullptr;
    HTHEME m_hThemeTab = nullptr;
    HTHEME m_hThemeToolTip = nullptr;
    HTHEME m_hThemeTrack = nullptr;
    HTHEME m_hThemeMenu = nullptr;
    HTHEME m_hThemeNavigation = nullptr;
    // 2. The visual-styles library, null when it could not be loaded.
    HMODULE m_hThemeDll = nullptr;
    // 3. Its entry points, null when absent.
    UxOpenThemeDataFn m_pfnOpenThemeData = nullptr;
    UxCloseThemeDataFn m_pfnCloseThemeData = nullptr;
    UxDrawThemeBackgroundFn m_pfnDrawThemeBackground = nullptr;
    UxGetThemeColorFn m_pfnGetThemeColor = nullptr;
    UxGetThemeSysColorFn m_pfnGetThemeSysColor = nullptr;
    UxGetCurrentThemeNameFn m_pfnGetCurrentThemeName = nullptr;
    UxGetWindowThemeFn m_pfnGetWindowTheme = nullptr;

private:
    HTHEME* ThemeHandle(int nIndex);
};
