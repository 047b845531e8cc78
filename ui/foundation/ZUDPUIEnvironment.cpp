#include "ui/foundation/ZUDPUIEnvironment.h"

#include "res/ui/foundation.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/docking/ZUDPDockingFlags.h"
#include "framework/win/FrameworkSeams.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPStartup.h"
#include "ui/foundation/ZUDPTextConstants.h"

#include <cmath>
#include <shlwapi.h>
#include <vector>

namespace {

// The screen's DC for one measurement.
class CScreenDC {
public:
    CScreenDC() : m_hDC(::GetDC(nullptr)) {}
    ~CScreenDC()
    {
        if (m_hDC != nullptr)
            ::ReleaseDC(nullptr, m_hDC);
    }
    CScreenDC(const CScreenDC&) = delete;
    CScreenDC& operator=(const CScreenDC&) = delete;
    operator HDC() const { return m_hDC; }

private:
    HDC m_hDC;
};

// Height of the regular font from the menu font's: at most 12 pixels
// becomes 11, more loses one pixel; the sign (cell or character height)
// stays.
LONG RegularFontHeight(LONG menuHeight)
{
    LONG magnitude = menuHeight < 0 ? -menuHeight : menuHeight;
    magnitude = magnitude <= 12 ? 11 : magnitude - 1;
    return menuHeight < 0 ? -magnitude : magnitude;
}

// Two thirds of the regular height, rounded up by one pixel first.
LONG SmallFontHeight(LONG regularHeight)
{
    LONG magnitude = regularHeight < 0 ? -regularHeight : regularHeight;
    magnitude = (magnitude + 1) * 2 / 3;
    return regularHeight < 0 ? -magnitude : magnitude;
}

BOOL FaceExists(HDC hDC, LPCSTR face)
{
    return ::EnumFontFamiliesA(hDC, face, IsFontFaceDifferent, (LPARAM)face) == 0;
}

void CreateFontOrReport(CFont& font, const LOGFONTA& lf)
{
    if (!font.CreateFontIndirect(&lf))
        ReportStartupFailure("font");
}

} // namespace

int CALLBACK IsFontFaceDifferent(const LOGFONTA* lplf, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    return ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, lplf->lfFaceName, -1, (LPCSTR)lParam, -1) !=
           CSTR_EQUAL;
}

BOOL CALLBACK UniteMonitorRects(HMONITOR hMonitor, HDC, LPRECT, LPARAM lParam)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoA(hMonitor, &info)) {
        CRect* pRect = reinterpret_cast<CRect*>(lParam);
        ::UnionRect(pRect, pRect, &info.rcWork);
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// Construction and clean-up

CZUDPUIEnvironment::CZUDPUIEnvironment()
{
    m_workArea.SetRectEmpty();
    ReadVersionFlags();
    m_compositionOff = FALSE;
    m_autoHideEdges = 0;
    m_autoHideEdgesComputed = FALSE;
    m_dpiScaling = TRUE;
    UpdateSysColors();
    LoadOptionalEntryPoints();
    m_keepMenuFontFace = FALSE;
    m_inSettingsRefresh = FALSE;
    UpdateFonts();
    ReadSystemSettings();
    m_rightToLeftFrame = FALSE;
    m_accessibility = FALSE;
    m_notifyWinEvent = nullptr;
    EnableAccessibilitySupport(TRUE);
    m_comCtlVersion = -1;
    m_taskbarList = nullptr;
}

CZUDPUIEnvironment::~CZUDPUIEnvironment() { CleanUp(); }

void CZUDPUIEnvironment::CleanUp()
{
    m_brushLight.DeleteObject();
    for (CFont* font : {&m_fontRegular, &m_fontStatus, &m_fontBold, &m_fontGuiBold, &m_fontUnderline,
                        &m_fontGuiUnderline, &m_fontVerticalDown, &m_fontVerticalUp, &m_fontSmall, &m_fontSymbol})
        font->DeleteObject();
    ReleaseModule(m_uxThemeModule);
    ReleaseModule(m_user32Module);
    ReleaseModule(m_dwmModule);
    ReleaseModule(m_msimg32Module);
    m_drawThemeParentBackground = nullptr;
    m_drawThemeTextEx = nullptr;
    m_drawThemeIcon = nullptr;
    m_beginBufferedPaint = nullptr;
    m_bufferedPaintSetAlpha = nullptr;
    m_endBufferedPaint = nullptr;
    m_setLayeredWindowAttributes = nullptr;
    m_updateLayeredWindow = nullptr;
    m_notifyWinEvent = nullptr;
    m_dwmExtendFrameIntoClientArea = nullptr;
    m_dwmDefWindowProc = nullptr;
    m_dwmIsCompositionEnabled = nullptr;
    m_dwmSetIconicThumbnail = nullptr;
    m_dwmSetWindowAttribute = nullptr;
    m_dwmSetIconicLivePreviewBitmap = nullptr;
    m_dwmInvalidateIconicBitmaps = nullptr;
    m_alphaBlend = nullptr;
    m_transparentBlt = nullptr;
    m_accessibility = FALSE;
    if (m_taskbarList != nullptr) {
        m_taskbarList->Release();
        m_taskbarList = nullptr;
    }
}

void CZUDPUIEnvironment::ReadVersionFlags()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (g_foundationSeams.osVersion(&info)) {
        m_isNTPlatform = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
        m_majorVersion = info.dwMajorVersion;
        m_minorVersion = info.dwMinorVersion;
        m_is9x = info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
    }
    m_isNT4 = m_isNTPlatform && m_majorVersion < 5;
    m_layeredWindowsAvailable =
        !m_isNT4 && (m_majorVersion > 4 || (m_majorVersion == 4 && m_minorVersion > 0));
    m_isRemoteSession = (m_isNTPlatform && m_majorVersion >= 5) ? ::GetSystemMetrics(SM_REMOTESESSION) : 0;
    m_isVistaOrLater = m_majorVersion > 5;
    m_isWindows7OrLater = m_majorVersion > 6 || (m_majorVersion == 6 && m_minorVersion > 0);
}

// ---------------------------------------------------------------------------
// Colours

void CZUDPUIEnvironment::UpdateSysColors()
{
    const auto sysColor = [](int index) { return g_foundationSeams.sysColor(index); };

    m_whiteOnBlack = sysColor(COLOR_3DLIGHT) == RGB(255, 255, 255) && sysColor(COLOR_BTNFACE) == RGB(0, 0, 0);
    m_blackOnWhite = sysColor(COLOR_3DDKSHADOW) == RGB(0, 0, 0) && sysColor(COLOR_BTNFACE) == RGB(255, 255, 255);

    m_bitsPerPixel = g_frameworkSeams.colorDepth();

    m_colorButtonFace = m_colorBarFace = sysColor(COLOR_BTNFACE);
    m_colorButtonShadow = m_colorBarShadow = sysColor(COLOR_BTNSHADOW);
    m_colorButtonHighlight = m_colorBarHighlight = sysColor(COLOR_BTNHIGHLIGHT);
    m_colorButtonText = m_colorBarText = sysColor(COLOR_BTNTEXT);
    m_colorWindowFrame = sysColor(COLOR_WINDOWFRAME);
    m_colorDarkShadow = m_colorBarDarkShadow = sysColor(COLOR_3DDKSHADOW);
    m_colorLight = m_colorBarLight = sysColor(COLOR_3DLIGHT);
    m_colorGrayText = sysColor(COLOR_GRAYTEXT);
    m_colorHighlight = sysColor(COLOR_HIGHLIGHT);
    m_colorHighlightText = sysColor(COLOR_HIGHLIGHTTEXT);
    m_colorWindow = m_colorBarWindow = sysColor(COLOR_WINDOW);
    m_colorWindowText = sysColor(COLOR_WINDOWTEXT);
    m_colorCaptionText = sysColor(COLOR_CAPTIONTEXT);
    m_colorMenuText = sysColor(COLOR_MENUTEXT);
    m_colorActiveCaption = sysColor(COLOR_ACTIVECAPTION);
    m_colorInactiveCaption = sysColor(COLOR_INACTIVECAPTION);

    if (m_isNT4 || m_is9x) {
        m_colorActiveCaptionGradient = m_colorActiveCaption;
        m_colorInactiveCaptionGradient = m_colorInactiveCaption;
    } else {
        m_colorActiveCaptionGradient = sysColor(COLOR_GRADIENTACTIVECAPTION);
        m_colorInactiveCaptionGradient = sysColor(COLOR_GRADIENTINACTIVECAPTION);
    }

    m_colorActiveBorder = sysColor(COLOR_ACTIVEBORDER);
    m_colorInactiveBorder = sysColor(COLOR_INACTIVEBORDER);
    m_colorInactiveCaptionText = sysColor(COLOR_INACTIVECAPTIONTEXT);

    if (m_whiteOnBlack) {
        m_colorHotLink = m_colorWindowText;
        m_colorHotLinkHovered = m_colorWindowText;
    } else if (m_majorVersion < 5) {
        m_colorHotLink = RGB(0, 0, 255);
        m_colorHotLinkHovered = RGB(255, 0, 255);
    } else {
        m_colorHotLink = sysColor(COLOR_HOTLIGHT);
        m_colorHotLinkHovered = RGB(0, 0, 255);
    }

    m_sysBrushButtonHighlight = ::GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    m_sysBrushButtonShadow = ::GetSysColorBrush(COLOR_BTNSHADOW);
    m_sysBrushWindow = ::GetSysColorBrush(COLOR_WINDOW);

    m_brushButtonFace.DeleteObject();
    m_brushButtonFace.CreateSolidBrush(m_colorButtonFace);
    m_brushBarFace.DeleteObject();
    m_brushBarFace.CreateSolidBrush(m_colorBarFace);
    m_brushActiveCaption.DeleteObject();
    m_brushActiveCaption.CreateSolidBrush(m_colorActiveCaption);
    m_brushInactiveCaption.DeleteObject();
    m_brushInactiveCaption.CreateSolidBrush(m_colorInactiveCaption);
    m_brushHighlight.DeleteObject();
    m_brushHighlight.CreateSolidBrush(m_colorHighlight);
    m_brushDarkShadow.DeleteObject();
    m_brushDarkShadow.CreateSolidBrush(m_colorDarkShadow);
    m_brushWindow.DeleteObject();
    m_brushWindow.CreateSolidBrush(m_colorWindow);

    m_penHighlight.DeleteObject();
    m_penHighlight.CreatePen(PS_SOLID, 1, m_colorHighlight);
    m_penBarFace.DeleteObject();
    m_penBarFace.CreatePen(PS_SOLID, 1, m_colorBarFace);
    m_penBarShadow.DeleteObject();
    m_penBarShadow.CreatePen(PS_SOLID, 1, m_colorBarShadow);

    m_brushLight.DeleteObject();
    if (m_bitsPerPixel <= 8) {
        CScreenDC screen;
        CBitmap dither;
        if (dither.Attach(CreateDitherBitmap(screen)))
            m_brushLight.CreatePatternBrush(&dither);  // the brush keeps its own copy
    } else {
        COLORREF face = m_colorButtonFace;
        COLORREF highlight = m_colorButtonHighlight;
        m_brushLight.CreateSolidBrush(RGB(GetRValue(face) + (GetRValue(highlight) - GetRValue(face)) / 2,
                                          GetGValue(face) + (GetGValue(highlight) - GetGValue(face)) / 2,
                                          GetBValue(face) + (GetBValue(highlight) - GetBValue(face)) / 2));
    }

    // The glyphs are drawn again in the new colours on their next use.
    ReleaseMenuGlyphs();
    g_rebuildSmartDocking = TRUE;
}

HBITMAP CZUDPUIEnvironment::CreateDitherBitmap(HDC hDC)
{
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = 8;
    info.header.biHeight = 8;
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.header.biCompression = BI_RGB;

    COLORREF face = m_colorButtonFace;
    COLORREF highlight = g_foundationSeams.sysColor(COLOR_BTNHIGHLIGHT);
    info.colors[0] = {GetBValue(face), GetGValue(face), GetRValue(face), 0};
    info.colors[1] = {GetBValue(highlight), GetGValue(highlight), GetRValue(highlight), 0};

    // Rows of one byte each, padded to 32 bits.
    DWORD rows[8];
    for (int i = 0; i < 8; ++i)
        rows[i] = (i % 2 == 0) ? 0xAA : 0x55;
    return ::CreateDIBitmap(hDC, &info.header, CBM_INIT, rows, reinterpret_cast<BITMAPINFO*>(&info),
                            DIB_RGB_COLORS);
}

COLORREF CZUDPUIEnvironment::GetSysColorCached(int nIndex) const
{
    switch (nIndex) {
    case COLOR_ACTIVECAPTION: return m_colorActiveCaption;
    case COLOR_INACTIVECAPTION: return m_colorInactiveCaption;
    case COLOR_WINDOW: return m_colorWindow;
    case COLOR_WINDOWFRAME: return m_colorWindowFrame;
    case COLOR_MENUTEXT: return m_colorMenuText;
    case COLOR_WINDOWTEXT: return m_colorWindowText;
    case COLOR_CAPTIONTEXT: return m_colorCaptionText;
    case COLOR_ACTIVEBORDER: return m_colorActiveBorder;
    case COLOR_INACTIVEBORDER: return m_colorInactiveBorder;
    case COLOR_HIGHLIGHT: return m_colorHighlight;
    case COLOR_HIGHLIGHTTEXT: return m_colorHighlightText;
    case COLOR_BTNFACE: return m_colorButtonFace;
    case COLOR_BTNSHADOW: return m_colorButtonShadow;
    case COLOR_GRAYTEXT: return m_colorGrayText;
    case COLOR_BTNTEXT: return m_colorButtonText;
    case COLOR_INACTIVECAPTIONTEXT: return m_colorInactiveCaptionText;
    case COLOR_BTNHIGHLIGHT: return m_colorButtonHighlight;
    case COLOR_3DDKSHADOW: return m_colorDarkShadow;
    case COLOR_3DLIGHT: return m_colorLight;
    default: return g_foundationSeams.sysColor(nIndex);
    }
}

// ---------------------------------------------------------------------------
// Fonts and text metrics

void CZUDPUIEnvironment::UpdateFonts()
{
    CScreenDC screen;
    float scale = float(g_frameworkSeams.screenDpi()) / 96.0f;
    m_dpiScale = (scale > 1.0f && scale < 1.1f) ? 1.0 : double(scale);

    for (CFont* font : {&m_fontRegular, &m_fontStatus, &m_fontBold, &m_fontGuiBold, &m_fontUnderline,
                        &m_fontGuiUnderline, &m_fontVerticalDown, &m_fontVerticalUp, &m_fontSmall, &m_fontSymbol})
        font->DeleteObject();

    NONCLIENTMETRICSA metrics;
    GetNonClientMetrics(metrics);
    const LOGFONTA& menu = metrics.lfMenuFont;

    LOGFONTA lf = {};
    lf.lfCharSet = (BYTE)::GetTextCharsetInfo(screen, nullptr, 0);
    lf.lfWeight = menu.lfWeight;
    lf.lfItalic = menu.lfItalic;
    lf.lfHeight = RegularFontHeight(menu.lfHeight);
    lstrcpynA(lf.lfFaceName, menu.lfFaceName, LF_FACESIZE);

    if (!m_keepMenuFontFace && (BYTE)menu.lfCharSet <= 2) {
        if (FaceExists(screen, kFaceSegoeUI)) {
            lstrcpynA(lf.lfFaceName, kFaceSegoeUI, LF_FACESIZE);
            lf.lfQuality = 5;  // ClearType
        } else if (FaceExists(screen, kFaceTahoma)) {
            lstrcpynA(lf.lfFaceName, kFaceTahoma, LF_FACESIZE);
        } else {
            lstrcpynA(lf.lfFaceName, kFaceMSSansSerif, LF_FACESIZE);
        }
    }

    CreateFontOrReport(m_fontRegular, lf);

    LONG regularHeight = lf.lfHeight;
    lf.lfHeight = SmallFontHeight(regularHeight);
    CreateFontOrReport(m_fontSmall, lf);
    lf.lfHeight = regularHeight;

    GetNonClientMetrics(metrics);
    lf.lfWeight = metrics.lfStatusFont.lfWeight;
    lf.lfItalic = metrics.lfStatusFont.lfItalic;
    CreateFontOrReport(m_fontStatus, lf);

    lf.lfWeight = menu.lfWeight;
    lf.lfItalic = menu.lfItalic;
    lf.lfUnderline = 1;
    CreateFontOrReport(m_fontUnderline, lf);

    lf.lfUnderline = 0;
    lf.lfWeight = FW_BOLD;
    CreateFontOrReport(m_fontBold, lf);

    BYTE charSet = lf.lfCharSet;
    lf.lfCharSet = SYMBOL_CHARSET;
    lf.lfWeight = 0;
    lf.lfHeight = ::GetSystemMetrics(SM_CYMENUCHECK) - 1;
    lstrcpynA(lf.lfFaceName, kFaceMarlett, LF_FACESIZE);
    CreateFontOrReport(m_fontSymbol, lf);
    lf.lfCharSet = charSet;

    LOGFONTA gui = {};
    if (::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(gui), &gui) != 0) {
        LOGFONTA vertical = gui;
        vertical.lfHeight = menu.lfHeight;
        vertical.lfWeight = menu.lfWeight;
        vertical.lfItalic = menu.lfItalic;
        vertical.lfOrientation = 900;
        lstrcpynA(vertical.lfFaceName, kFaceArial, LF_FACESIZE);
        vertical.lfEscapement = 2700;
        CreateFontOrReport(m_fontVerticalDown, vertical);
        vertical.lfEscapement = 900;
        CreateFontOrReport(m_fontVerticalUp, vertical);
    }

    LOGFONTA guiFresh = {};
    if (::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(guiFresh), &guiFresh) != 0) {
        guiFresh.lfUnderline = 1;
        CreateFontOrReport(m_fontGuiUnderline, guiFresh);
        guiFresh.lfUnderline = 0;
        guiFresh.lfWeight = FW_BOLD;
        CreateFontOrReport(m_fontGuiBold, guiFresh);
    }

    UpdateTextMetrics();

    for (POSITION pos = g_toolbarList.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolBar* pToolBar = static_cast<CZUDPToolBar*>(g_toolbarList.GetNext(pos));
        if (pToolBar != nullptr && ::IsWindow(AfxSafeHwnd(pToolBar)))
            pToolBar->UpdateButtonFonts();
    }
}

void CZUDPUIEnvironment::UpdateTextMetrics()
{
    CScreenDC screen;
    if (screen == nullptr)
        return;
    HGDIOBJ previous = ::SelectObject(screen, m_fontRegular.GetSafeHandle());
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(screen, &tm);
    m_textMargin = tm.tmHeight < 15 ? 2 : 5;
    m_textHeight = tm.tmHeight + m_textMargin;
    m_textWidth = tm.tmMaxCharWidth + m_textMargin;

    if (m_fontVerticalDown.GetSafeHandle() != nullptr)
        ::SelectObject(screen, m_fontVerticalDown.GetSafeHandle());
    ::GetTextMetricsA(screen, &tm);
    m_verticalTextMargin = tm.tmHeight < 15 ? 2 : 5;
    m_verticalTextHeight = tm.tmHeight + m_verticalTextMargin;
    m_verticalTextWidth = tm.tmMaxCharWidth + m_verticalTextMargin;
    ::SelectObject(screen, previous);
}

void CZUDPUIEnvironment::ReadSystemSettings()
{
    m_inSettingsRefresh = TRUE;
    m_autoHideEdgesComputed = FALSE;

    m_smallIconWidth = ::GetSystemMetrics(SM_CXSMICON);
    m_smallIconHeight = ::GetSystemMetrics(SM_CYSMICON);

    m_workArea.SetRectEmpty();
    if (!::EnumDisplayMonitors(nullptr, nullptr, UniteMonitorRects, (LPARAM)&m_workArea))
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &m_workArea, 0);

    m_menuAnimation = FALSE;
    m_menuFade = FALSE;
    if (!m_isRemoteSession) {
        if (m_is9x) {
            m_keyboardCuesSetting = TRUE;
            m_keyboardCuesNow = TRUE;
            m_inSettingsRefresh = FALSE;
            return;
        }
        if (m_majorVersion >= 5) {
            ::SystemParametersInfoA(SPI_GETMENUANIMATION, 0, &m_menuAnimation, 0);
            if (m_menuAnimation)
                ::SystemParametersInfoA(SPI_GETMENUFADE, 0, &m_menuFade, 0);
        }
    }

    if (m_is9x) {
        m_keyboardCuesSetting = TRUE;
    } else {
        m_keyboardCuesSetting = FALSE;
        ::SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &m_keyboardCuesSetting, 0);
    }
    m_keyboardCuesNow = m_keyboardCuesSetting;
    m_inSettingsRefresh = FALSE;
}

DWORD CZUDPUIEnvironment::GetComCtlVersion()
{
    if (m_comCtlVersion != -1)
        return (DWORD)m_comCtlVersion;

    typedef HRESULT(CALLBACK * DllGetVersionFn)(DLLVERSIONINFO*);
    DWORD version = MAKELONG(0, 4);
    HMODULE comctl = g_foundationSeams.loadedModule("COMCTL32");
    DllGetVersionFn getVersion =
        comctl != nullptr ? FoundationEntryAs<DllGetVersionFn>(g_foundationSeams.findEntry(comctl, "DllGetVersion")) : nullptr;
    if (getVersion != nullptr) {
        DLLVERSIONINFO info = {};
        info.cbSize = sizeof(info);
        if (SUCCEEDED(getVersion(&info)))
            version = MAKELONG(info.dwMinorVersion, info.dwMajorVersion);
    }
    m_comCtlVersion = (int)version;
    return version;
}

void CZUDPUIEnvironment::GetNonClientMetrics(NONCLIENTMETRICSA& info)
{
    // The record grew by its last field with common controls 6.1; older
    // systems refuse the larger size.
    static_assert(sizeof(NONCLIENTMETRICSA) == 344, "NONCLIENTMETRICSA with iPaddedBorderWidth");
    ::ZeroMemory(&info, sizeof(info));
    info.cbSize = GetComCtlVersion() < 0x60001 ? 340 : 344;
    g_foundationSeams.nonClientMetrics(&info);
}

UINT CZUDPUIEnvironment::GetRebarBandInfoSize()
{
    // The record's size on this platform (the older record ends at
    // cxHeader); 108 and 128 bytes on x86-64.
    return GetComCtlVersion() < 0x60001 ? REBARBANDINFOA_V6_SIZE : sizeof(REBARBANDINFOA);
}

HCURSOR CZUDPUIEnvironment::GetHandCursor()
{
    if (m_cursorHand == nullptr) {
        if (m_isNT4 || m_is9x)
            m_cursorHand = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_ZUDP_HAND));
        else
            m_cursorHand = ::LoadCursorA(nullptr, IDC_HAND);
    }
    return m_cursorHand;
}
