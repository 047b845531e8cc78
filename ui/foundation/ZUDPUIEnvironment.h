#pragma once
// The library's global UI data: everything its drawing code needs to know
// about the display and the system, computed once and refreshed when the
// system announces a change: system colours with brushes and pens made
// from them, the library's fonts and their text metrics, the DPI scale,
// version flags, display depth, layout defaults and switches, cursor slots,
// and the optional system entry points with the thin wrappers through which
// the library calls them (each answers a defined value when its entry point
// is missing).
//
// One instance, g_uiEnvironment, is built by the library's start-up unit
// before any library window exists.  Only the UI thread reads or refreshes
// it; nothing locks it.
#include "framework/Map.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/DC.h"

#include <uxtheme.h>
#include <shobjidl.h>

class CFrameWnd;

class CZUDPUIEnvironment {
public:
    CZUDPUIEnvironment();
    ~CZUDPUIEnvironment();
    CZUDPUIEnvironment(const CZUDPUIEnvironment&) = delete;
    CZUDPUIEnvironment& operator=(const CZUDPUIEnvironment&) = delete;

    // Refreshes
    void CleanUp();
    void UpdateSysColors();
    void UpdateFonts();
    void UpdateTextMetrics();
    void ReadSystemSettings();

    double GetDpiScale() const { return m_dpiScaling ? m_dpiScale : 1.0; }
    BOOL IsContrastColorScheme() const { return m_blackOnWhite || m_whiteOnBlack; }
    // The stored colour of the COLOR_ indexes this object keeps (always the
    // plain set), the system's for the others.
    COLORREF GetSysColorCached(int nIndex) const;
    // COMCTL32 version as (major << 16) | minor; 4.0 when it cannot be asked.
    DWORD GetComCtlVersion();
    void GetNonClientMetrics(NONCLIENTMETRICSA& info);
    // The REBARBANDINFO size for the loaded common controls.
    UINT GetRebarBandInfoSize();
    HCURSOR GetHandCursor();
    // The 8 by 8 one-pixel checkerboard of button face and highlight.
    HBITMAP CreateDitherBitmap(HDC hDC);

    // Optional system services: each answers FALSE, -1 or nothing when its
    // entry point is missing.
    BOOL SetLayeredAttributes(HWND hWnd, COLORREF crKey, BYTE bAlpha, DWORD dwFlags);
    BOOL UpdateLayered(HWND hWnd, HDC hdcDst, POINT* pptDst, SIZE* psize, HDC hdcSrc, POINT* pptSrc,
                       COLORREF crKey, BLENDFUNCTION* pblend, DWORD dwFlags);
    void NotifyAccessibilityEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild);
    BOOL ExtendFrameIntoClient(HWND hWnd, const MARGINS& margins);
    LRESULT CallDwmDefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL IsDwmCompositionEnabled();
    BOOL InvalidateIconicBitmaps(HWND hWnd);
    BOOL SetIconicLivePreviewBitmap(HWND hWnd, HBITMAP hBitmap, POINT* pptClient, DWORD dwFlags);
    BOOL SetIconicThumbnail(HWND hWnd, HBITMAP hBitmap, DWORD dwFlags);
    BOOL SetDwmWindowAttribute(HWND hWnd, DWORD dwAttribute, LPCVOID pvData, DWORD cbData);

    ITaskbarList3* GetTaskbarList();
    BOOL TaskbarRegisterTab(HWND hWndTab, HWND hWndFrame);
    BOOL TaskbarUnregisterTab(HWND hWndTab);
    BOOL TaskbarSetTabOrder(HWND hWndTab, HWND hWndInsertBefore);
    BOOL TaskbarSetTabActive(HWND hWndTab, HWND hWndFrame);
    BOOL TaskbarSetThumbnailClip(HWND hWnd, RECT* pClip);
    BOOL TaskbarSetTabProperties(HWND hWndTab, DWORD dwFlags);

    void EnableAccessibilitySupport(BOOL bEnable = TRUE);
    BOOL DrawParentBackground(CWnd* pWnd, CDC* pDC, LPRECT lpRect = nullptr);
    BOOL DrawIconOnGlass(HTHEME hTheme, CDC* pDC, HICON hIcon, CRect rect);
    BOOL DrawTextOnGlass(HTHEME hTheme, CDC* pDC, int iPartId, int iStateId, CString strText, CRect rect,
                         DWORD dwFlags, int nGlowSize = 0, COLORREF clrText = (COLORREF)-1);
    // A window class of the library's own (double clicks, arrow cursor,
    // button-face background), registered once per name.  Throws the
    // framework's resource exception when the system refuses it.
    CString RegisterWindowClass(LPCTSTR lpszClassNamePrefix);
    void UpdateAutoHideTaskbarEdges();
    BOOL ReloadAfterResume();
    // Looks up the optional entry points (construction and resume).
    void LoadOptionalEntryPoints();

    // 1. Keep-face switch.
    BOOL m_keepMenuFontFace = FALSE;
    // 2. System brushes, borrowed.
    HBRUSH m_sysBrushButtonHighlight = nullptr;
    HBRUSH m_sysBrushButtonShadow = nullptr;
    HBRUSH m_sysBrushWindow = nullptr;
    // 3. Colours.
    COLORREF m_colorButtonFace = 0;
    COLORREF m_colorButtonShadow = 0;
    COLORREF m_colorButtonHighlight = 0;
    COLORREF m_colorButtonText = 0;
    COLORREF m_colorWindowFrame = 0;
    COLORREF m_colorDarkShadow = 0;
    COLORREF m_colorLight = 0;
    COLORREF m_colorGrayText = 0;
    COLORREF m_colorHighlight = 0;
    COLORREF m_colorHighlightText = 0;
    COLORREF m_colorHotLink = 0;
    COLORREF m_colorHotLinkHovered = 0;
    COLORREF m_colorBarWindow = 0;
    COLORREF m_colorBarFace = 0;
    COLORREF m_colorBarShadow = 0;
    COLORREF m_colorBarHighlight = 0;
    COLORREF m_colorBarDarkShadow = 0;
    COLORREF m_colorBarLight = 0;
    COLORREF m_colorBarText = 0;
    COLORREF m_colorWindow = 0;
    COLORREF m_colorWindowText = 0;
    COLORREF m_colorCaptionText = 0;
    COLORREF m_colorMenuText = 0;
    COLORREF m_colorActiveCaption = 0;
    COLORREF m_colorInactiveCaption = 0;
    COLORREF m_colorActiveCaptionGradient = 0;
    COLORREF m_colorInactiveCaptionGradient = 0;
    COLORREF m_colorInactiveCaptionText = 0;
    COLORREF m_colorActiveBorder = 0;
    COLORREF m_colorInactiveBorder = 0;
    // 4. Owned brushes.
    CBrush m_brushButtonFace;
    CBrush m_brushHighlight;
    CBrush m_brushLight;
    CBrush m_brushDarkShadow;  // 3D dark shadow
    CBrush m_brushActiveCaption;
    CBrush m_brushInactiveCaption;
    CBrush m_brushWindow;
    CBrush m_brushBarFace;
    // 5. Owned pens.
    CPen m_penHighlight;
    CPen m_penBarFace;
    CPen m_penBarShadow;
    // 6. Cursor and icon slots (loaded by their users on first need).
    HCURSOR m_cursorResizeHorz = nullptr;
    HCURSOR m_cursorResizeVert = nullptr;
    HCURSOR m_cursorSizeAll = nullptr;
    HCURSOR m_cursorHand = nullptr;
    HCURSOR m_cursorTabMove = nullptr;
    HCURSOR m_cursorTabNoMove = nullptr;
    HCURSOR m_cursorPlanner = nullptr;
    HICON m_iconUserTool = nullptr;
    HICON m_iconColorButton = nullptr;
    // 7. Small-icon size.
    int m_smallIconWidth = 0;
    int m_smallIconHeight = 0;
    // 8. Fonts.
    CFont m_fontRegular;
    CFont m_fontStatus;
    CFont m_fontBold;
    CFont m_fontGuiBold;
    CFont m_fontUnderline;
    CFont m_fontGuiUnderline;
    CFont m_fontVerticalDown;
    CFont m_fontVerticalUp;
    CFont m_fontSmall;
    CFont m_fontSymbol;
    // 9. Version flags.
    BOOL m_isNT4 = FALSE;
    BOOL m_is9x = FALSE;
    BOOL m_isVistaOrLater = FALSE;  // Vista or later
    BOOL m_isWindows7OrLater = FALSE;
    // 10. Composition-off switch.
    BOOL m_compositionOff = FALSE;
    // 11. Colour depth in bits per pixel.
    int m_bitsPerPixel = 0;
    // 12. Remote session.
    BOOL m_isRemoteSession = FALSE;
    // 13. Layered windows available.
    BOOL m_layeredWindowsAvailable = FALSE;
    // 14. Layout defaults.
    int m_dragFrameWidth = 4;
    int m_narrowDragFrameWidth = 3;
    int m_dockingMargin = 14;
    int m_dockingMarginNarrow = 4;
    int m_dockingPercent = 50;
    int m_maxTooltipWidth = -1;
    // 15. Contrast flags.
    BOOL m_whiteOnBlack = FALSE;
    BOOL m_blackOnWhite = FALSE;
    // 16. High-colour images.
    BOOL m_highColorImages = TRUE;
    // 17. The library's own dialogs in visual-manager style.
    BOOL m_dialogsInVisualManagerStyle = FALSE;
    // 18. Union of all monitors' work areas.
    CRect m_workArea;
    // 19. Menu animation and fade.
    BOOL m_menuAnimation = FALSE;
    BOOL m_menuFade = FALSE;
    // 20. Right-to-left main frame.
    BOOL m_rightToLeftFrame = FALSE;
    // 21. Accessibility switch.
    BOOL m_accessibility = FALSE;
    // 22. Set while the settings refresh runs.
    BOOL m_inSettingsRefresh = FALSE;
    // 23, 24. Keyboard cues now and as set in the system.
    BOOL m_keyboardCuesNow = TRUE;
    BOOL m_keyboardCuesSetting = TRUE;
    // 25. Text metrics.
    int m_textHeight = 0;
    int m_textMargin = 0;
    int m_textWidth = 0;
    int m_verticalTextHeight = 0;
    int m_verticalTextMargin = 0;
    int m_verticalTextWidth = 0;
    // 26, 27. DPI scale and its switch.
    double m_dpiScale = 1.0;
    BOOL m_dpiScaling = TRUE;
    // 28. Optional modules and entry points.
    HMODULE m_uxThemeModule = nullptr;
    HMODULE m_user32Module = nullptr;
    HMODULE m_dwmModule = nullptr;

    typedef HRESULT(WINAPI* DrawThemeParentBackgroundFn)(HWND, HDC, const RECT*);
    typedef HRESULT(WINAPI* DrawThemeTextExFn)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, LPRECT, const DTTOPTS*);
    typedef HRESULT(WINAPI* DrawThemeIconFn)(HTHEME, HDC, int, int, const RECT*, HIMAGELIST, int);
    typedef HPAINTBUFFER(WINAPI* BeginBufferedPaintFn)(HDC, const RECT*, BP_BUFFERFORMAT, BP_PAINTPARAMS*, HDC*);
    typedef HRESULT(WINAPI* BufferedPaintSetAlphaFn)(HPAINTBUFFER, const RECT*, BYTE);
    typedef HRESULT(WINAPI* EndBufferedPaintFn)(HPAINTBUFFER, BOOL);
    typedef BOOL(WINAPI* SetLayeredWindowAttributesFn)(HWND, COLORREF, BYTE, DWORD);
    typedef BOOL(WINAPI* UpdateLayeredWindowFn)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
    typedef void(WINAPI* NotifyWinEventFn)(DWORD, HWND, LONG, LONG);
    typedef HRESULT(WINAPI* DwmExtendFrameIntoClientAreaFn)(HWND, const MARGINS*);
    typedef BOOL(WINAPI* DwmDefWindowProcFn)(HWND, UINT, WPARAM, LPARAM, LRESULT*);
    typedef HRESULT(WINAPI* DwmIsCompositionEnabledFn)(BOOL*);
    typedef HRESULT(WINAPI* DwmSetIconicThumbnailFn)(HWND, HBITMAP, DWORD);
    typedef HRESULT(WINAPI* DwmSetWindowAttributeFn)(HWND, DWORD, LPCVOID, DWORD);
    typedef HRESULT(WINAPI* DwmSetIconicLivePreviewBitmapFn)(HWND, HBITMAP, POINT*, DWORD);
    typedef HRESULT(WINAPI* DwmInvalidateIconicBitmapsFn)(HWND);
    typedef BOOL(WINAPI* AlphaBlendFn)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
    typedef BOOL(WINAPI* TransparentBltFn)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

    DrawThemeParentBackgroundFn m_drawThemeParentBackground = nullptr;
    DrawThemeTextExFn m_drawThemeTextEx = nullptr;
    DrawThemeIconFn m_drawThemeIcon = nullptr;
    BeginBufferedPaintFn m_beginBufferedPaint = nullptr;
    BufferedPaintSetAlphaFn m_bufferedPaintSetAlpha = nullptr;
    EndBufferedPaintFn m_endBufferedPaint = nullptr;
    SetLayeredWindowAttributesFn m_setLayeredWindowAttributes = nullptr;
    UpdateLayeredWindowFn m_updateLayeredWindow = nullptr;
    NotifyWinEventFn m_notifyWinEvent = nullptr;
    DwmExtendFrameIntoClientAreaFn m_dwmExtendFrameIntoClientArea = nullptr;
    DwmDefWindowProcFn m_dwmDefWindowProc = nullptr;
    DwmIsCompositionEnabledFn m_dwmIsCompositionEnabled = nullptr;
    DwmSetIconicThumbnailFn m_dwmSetIconicThumbnail = nullptr;
    DwmSetWindowAttributeFn m_dwmSetWindowAttribute = nullptr;
    DwmSetIconicLivePreviewBitmapFn m_dwmSetIconicLivePreviewBitmap = nullptr;
    DwmInvalidateIconicBitmapsFn m_dwmInvalidateIconicBitmaps = nullptr;
    // The blending entry points of msimg32, shared by the image strips and
    // the draw manager.
    HMODULE m_msimg32Module = nullptr;
    AlphaBlendFn m_alphaBlend = nullptr;
    TransparentBltFn m_transparentBlt = nullptr;

    // 29. COMCTL32 version cache.
    int m_comCtlVersion = -1;
    // 30. Auto-hide taskbar edges (8 bottom, 4 top, 1 left, 2 right).
    DWORD m_autoHideEdges = 0;
    BOOL m_autoHideEdgesComputed = FALSE;
    // 31. Taskbar list, null until first needed.
    ITaskbarList3* m_taskbarList = nullptr;

private:
    void ReadVersionFlags();
    void LoadUxTheme(BOOL bKeepDrawThemeIcon);
    BOOL LoadLayeredEntries();
    void LoadDwm(BOOL bFirstThreeOnly);
    void LoadMsimg32();
    FARPROC Entry(HMODULE hModule, const char* name) const;
    void ReplaceModule(HMODULE& slot, HMODULE hNew);
    void ReleaseModule(HMODULE& slot);

    BOOL m_isNTPlatform = TRUE;
    DWORD m_majorVersion = 6;
    DWORD m_minorVersion = 1;
};

extern CZUDPUIEnvironment g_uiEnvironment;

// How far the mouse moves with a button down before the move counts as a
// drag (SM_CXDRAG by SM_CYDRAG), read once at start-up.
extern CSize g_dragThreshold;

// The names of colours, for the colour cells' tooltips: created empty at
// start-up; the library only reads it, an application may fill it.
extern CMap<COLORREF, COLORREF, CString, LPCTSTR> g_colorNames;

// Font enumeration callback: non-zero while the face differs from the
// wanted one (lParam), so that the enumeration answers 0 exactly when the
// face exists.
int CALLBACK IsFontFaceDifferent(const LOGFONTA* lplf, const TEXTMETRICA*, DWORD, LPARAM lParam);
// Monitor enumeration callback: widens the CRect in lParam by the
// monitor's work area.
BOOL CALLBACK UniteMonitorRects(HMONITOR hMonitor, HDC, LPRECT, LPARAM lParam);

// The system's drag threshold (SM_CXDRAG by SM_CYDRAG), read once at
// start-up: a press becomes a drag once the cursor leaves it.
extern CSize g_dragThreshold;

// The frame window that encloses a window (never the window itself), or
// null.  A floating mini frame leads to the window it recorded as its owner.
CFrameWnd* GetEnclosingFrame(CWnd* pWnd);
