#include "ui/foundation/ZUDPWinXPThemeManager.h"

#include "framework/win/WinApp.h"
#include "ui/commandbars/ZUDPBaseControlBar.h"
#include "ui/controls/ZUDPButton.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPDockingFlags.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <cwchar>
#include <cwctype>
#include <string>

namespace {

// The visual-style classes, in the order of the handle fields.
const wchar_t* const kThemeClasses[] = {
    L"WINDOW", L"TOOLBAR",   L"REBAR",       L"BUTTON",   L"STATUS",     L"COMBOBOX",   L"PROGRESS",
    L"HEADER", L"SCROLLBAR", L"EXPLORERBAR", L"TREEVIEW", L"STARTPANEL", L"TASKBAND",   L"TASKBAR",
    L"SPIN",   L"TAB",       L"TOOLTIP",     L"TRACKBAR", L"MENU",       L"NAVIGATION",
};
const int kThemeClassCount = int(sizeof(kThemeClasses) / sizeof(kThemeClasses[0]));

// Part and state numbers of the BUTTON, COMBOBOX and PROGRESS classes.
const int kPartPushButton = 1;
const int kPartRadioButton = 2;
const int kPartCheckBox = 3;
const int kPartComboDropButton = 1;
const int kPartProgressBar = 1;
const int kPartProgressChunk = 3;
const int kStateNormal = 1;
const int kStateHot = 2;
const int kStatePressed = 3;
const int kStateDisabled = 4;
const int kStateDefaulted = 5;

const int kPropertyAccentColorHint = 3823;

// An entry point of the visual-styles library as the function it is.
template <typename F>
F EntryAs(HMODULE module, const char* name)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(g_foundationSeams.findEntry(module, name)));
}

// The outermost frame window above a bar.
CWnd* TopLevelFrame(CWnd* pBar)
{
    CWnd* pFrame = GetEnclosingFrame(pBar->GetParent() != nullptr ? pBar : nullptr);
    for (int steps = 0; pFrame != nullptr && steps < 64; ++steps) {
        CWnd* pOuter = GetEnclosingFrame(pFrame);
        if (pOuter == nullptr)
            break;
        pFrame = pOuter;
    }
    return pFrame;
}

HWND MainWindowHandle()
{
    CWnd* pMain = AfxGetMainWnd();
    return pMain != nullptr ? pMain->GetSafeHwnd() : nullptr;
}

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text)
        c = wchar_t(std::towlower(c));
    return text;
}

// The theme file's base name: no folder, no extension.
std::wstring FileBaseName(const std::wstring& path)
{
    size_t start = path.find_last_of(L"\\/");
    std::wstring name = start == std::wstring::npos ? path : path.substr(start + 1);
    size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos)
        name.erase(dot);
    return name;
}

// The variant added to a check box's or radio button's base state:
// disabled wins over everything, pressed over highlighted.
int ButtonStateVariant(BOOL bHighlighted, BOOL bEnabled, BOOL bPressed)
{
    if (!bEnabled)
        return 3;
    if (bPressed)
        return 2;
    if (bHighlighted)
        return 1;
    return 0;
}

} // namespace

IMPLEMENT_DYNAMIC(CZUDPWinXPThemeManager, CObject)

CZUDPWinXPThemeManager::CZUDPWinXPThemeManager()
{
    m_hThemeDll = g_foundationSeams.loadModule("UxTheme.dll");
    if (m_hThemeDll == nullptr)
        return;
    m_pfnOpenThemeData = EntryAs<UxOpenThemeDataFn>(m_hThemeDll, "OpenThemeData");
    m_pfnCloseThemeData = EntryAs<UxCloseThemeDataFn>(m_hThemeDll, "CloseThemeData");
    m_pfnDrawThemeBackground = EntryAs<UxDrawThemeBackgroundFn>(m_hThemeDll, "DrawThemeBackground");
    m_pfnGetThemeColor = EntryAs<UxGetThemeColorFn>(m_hThemeDll, "GetThemeColor");
    m_pfnGetThemeSysColor = EntryAs<UxGetThemeSysColorFn>(m_hThemeDll, "GetThemeSysColor");
    m_pfnGetCurrentThemeName = EntryAs<UxGetCurrentThemeNameFn>(m_hThemeDll, "GetCurrentThemeName");
    m_pfnGetWindowTheme = EntryAs<UxGetWindowThemeFn>(m_hThemeDll, "GetWindowTheme");
    OpenThemeHandles();
}

CZUDPWinXPThemeManager::~CZUDPWinXPThemeManager()
{
    CloseThemeHandles();
    if (m_hThemeDll != nullptr)
        g_foundationSeams.freeModule(m_hThemeDll);
}

HTHEME* CZUDPWinXPThemeManager::ThemeHandle(int nIndex)
{
    HTHEME* handles[] = {
        &m_hThemeWindow,   &m_hThemeToolBar,    &m_hThemeRebar,    &m_hThemeButton,    &m_hThemeStatusBar,
        &m_hThemeComboBox, &m_hThemeProgress,   &m_hThemeHeader,   &m_hThemeScrollBar, &m_hThemeExplorerBar,
        &m_hThemeTree,     &m_hThemeStartPanel, &m_hThemeTaskBand, &m_hThemeTaskBar,   &m_hThemeSpin,
        &m_hThemeTab,      &m_hThemeToolTip,    &m_hThemeTrack,    &m_hThemeMenu,      &m_hThemeNavigation,
    };
    static_assert(sizeof(handles) / sizeof(handles[0]) == kThemeClassCount, "one handle per class");
    return handles[nIndex];
}

void CZUDPWinXPThemeManager::OpenThemeHandles()
{
    if (m_hThemeDll == nullptr)
        return;
    CloseThemeHandles();
    if (m_pfnOpenThemeData == nullptr || m_pfnCloseThemeData == nullptr || m_pfnDrawThemeBackground == nullptr)
        return;
    // Every class is opened for the thread's main window, or for no window
    // while the thread has none.
    HWND hWndOwner = MainWindowHandle();
    for (int i = 0; i < kThemeClassCount; ++i)
        *ThemeHandle(i) = g_foundationSeams.openThemeData(m_pfnOpenThemeData, hWndOwner, kThemeClasses[i]);
}

void CZUDPWinXPThemeManager::CloseThemeHandles()
{
    if (m_pfnCloseThemeData == nullptr)
        return;
    for (int i = 0; i < kThemeClassCount; ++i) {
        HTHEME* pHandle = ThemeHandle(i);
        if (*pHandle != nullptr) {
            m_pfnCloseThemeData(*pHandle);
            *pHandle = nullptr;
        }
    }
}

BOOL CZUDPWinXPThemeManager::DrawThemePart(HTHEME hTheme, CDC* pDC, int nPart, int nState, const CRect& rect)
{
    if (hTheme == nullptr || m_pfnDrawThemeBackground == nullptr || pDC == nullptr)
        return FALSE;
    RECT r = rect;
    g_foundationSeams.drawThemeBackground(m_pfnDrawThemeBackground, hTheme,
                                          pDC->m_hAttribDC != nullptr ? pDC->m_hAttribDC : pDC->GetSafeHdc(), nPart,
                                          nState, &r, nullptr);
    return TRUE;
}

BOOL CZUDPWinXPThemeManager::GetThemeColorValue(HTHEME hTheme, int nPart, int nState, int nProperty, COLORREF& clr)
{
    if (hTheme == nullptr || m_pfnGetThemeColor == nullptr)
        return FALSE;
    COLORREF value = 0;
    if (FAILED(g_foundationSeams.getThemeColor(m_pfnGetThemeColor, hTheme, nPart, nState, nProperty, &value)))
        return FALSE;
    clr = value;
    return TRUE;
}

// ---------------------------------------------------------------------------
// State numbers and progress arithmetic

int CZUDPWinXPThemeManager::CheckBoxThemeState(BOOL bHighlighted, int nState, BOOL bEnabled, BOOL bPressed)
{
    if (nState < 0)
        nState = 0;
    if (nState > 2)
        nState = 2;
    static const int kBase[] = {1, 5, 9};
    return kBase[nState] + ButtonStateVariant(bHighlighted, bEnabled, bPressed);
}

int CZUDPWinXPThemeManager::RadioButtonThemeState(BOOL bHighlighted, BOOL bChecked, BOOL bEnabled, BOOL bPressed)
{
    return (bChecked ? 5 : 1) + ButtonStateVariant(bHighlighted, bEnabled, bPressed);
}

namespace {

// The position kept within 0 .. range (a negative range counts as empty).
long long ClampedPosition(int nRange, int nPos)
{
    if (nRange <= 0 || nPos <= 0)
        return 0;
    return nPos > nRange ? nRange : nPos;
}

} // namespace

int CZUDPWinXPThemeManager::ProgressChunkRight(const CRect& rectBar, int nRange, int nPos)
{
    CRect inner = rectBar;
    inner.DeflateRect(3, 3);
    if (nRange <= 0)
        return inner.left;
    long long width = (long long)inner.right - inner.left;
    if (width < 0)
        width = 0;
    return int(inner.left + width * ClampedPosition(nRange, nPos) / nRange);
}

int CZUDPWinXPThemeManager::ProgressPercent(int nRange, int nPos)
{
    if (nRange <= 0)
        return 0;
    return int(ClampedPosition(nRange, nPos) * 100 / nRange);
}

// ---------------------------------------------------------------------------
// Themed drawing

BOOL CZUDPWinXPThemeManager::DrawThemedPushButton(CDC* pDC, CRect rect, CZUDPButton* pButton)
{
    if (m_hThemeButton == nullptr || pButton == nullptr)
        return FALSE;
    int nState = kStateNormal;
    HWND hWnd = pButton->GetSafeHwnd();
    if (hWnd != nullptr && !::IsWindowEnabled(hWnd))
        nState = kStateDisabled;
    else if ((pButton->m_bDown && pButton->m_bHot) || (hWnd != nullptr && ::SendMessageA(hWnd, BM_GETCHECK, 0, 0) != 0))
        nState = kStatePressed;
    else if (pButton->m_bHot)
        nState = kStateHot;
    else if (pButton->IsDefaultButton())
        nState = kStateDefaulted;
    pButton->DrawParentBackground(pDC, rect);
    return DrawThemePart(m_hThemeButton, pDC, kPartPushButton, nState, rect);
}

BOOL CZUDPWinXPThemeManager::DrawThemedProgressBar(CDC* pDC, CZUDPStatusBar*, CRect rect, int nRange, int nPos,
                                                   COLORREF, COLORREF, COLORREF, BOOL bShowPercent)
{
    if (m_hThemeProgress == nullptr)
        return FALSE;
    DrawThemePart(m_hThemeProgress, pDC, kPartProgressBar, 0, rect);
    if (nRange == 0)
        return TRUE;
    // The chunk and the percentage keep the position within 0 .. range
    // and are computed in 64 bits, so no position or range can push the
    // chunk outside the bar or overflow.
    CRect rectChunk = rect;
    rectChunk.DeflateRect(3, 3);
    rectChunk.right = ProgressChunkRight(rect, nRange, nPos);
    if (rectChunk.right > rectChunk.left)
        DrawThemePart(m_hThemeProgress, pDC, kPartProgressChunk, 0, rectChunk);
    if (bShowPercent) {
        CString strText;
        strText.Format("%d%%", ProgressPercent(nRange, nPos));
        COLORREF clrOld = pDC->SetTextColor(g_uiEnvironment.m_colorButtonText);
        pDC->DrawText(strText, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        pDC->SetTextColor(clrOld);
    }
    return TRUE;
}

BOOL CZUDPWinXPThemeManager::DrawThemedComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                                       BOOL bIsHighlighted)
{
    if (m_hThemeComboBox == nullptr)
        return FALSE;
    int nState = bDisabled ? kStateDisabled : bIsDropped ? kStatePressed : bIsHighlighted ? kStateHot : kStateNormal;
    return DrawThemePart(m_hThemeComboBox, pDC, kPartComboDropButton, nState, rect);
}

BOOL CZUDPWinXPThemeManager::DrawThemedComboBorder(CDC* pDC, CRect rect, BOOL, BOOL bIsDropped, BOOL bIsHighlighted)
{
    if (m_hThemeWindow == nullptr)
        return FALSE;
    if (bIsDropped || bIsHighlighted) {
        rect.DeflateRect(1, 1);
        COLORREF clr = g_uiEnvironment.m_colorHighlight;
        pDC->Draw3dRect(&rect, clr, clr);
    }
    return TRUE;
}

BOOL CZUDPWinXPThemeManager::FillThemedRebarBackground(CDC* pDC, CZUDPBaseControlBar* pBar, CRect rectClient)
{
    if (m_pfnDrawThemeBackground == nullptr || m_hThemeRebar == nullptr || pBar == nullptr ||
        pBar->GetSafeHwnd() == nullptr) {
        pDC->FillRect(&rectClient, &g_uiEnvironment.m_brushBarFace);
        return TRUE;
    }
    // One continuous rebar picture behind every docked bar of the frame:
    // the rectangle grows to the frame (or the parent) in the bar's
    // coordinates.
    CWnd* pOuter = GetEnclosingFrame(pBar);
    if (pOuter == nullptr)
        pOuter = pBar->GetParent();
    CRect rect = rectClient;
    if (pOuter != nullptr && pOuter->GetSafeHwnd() != nullptr) {
        CRect rectOuter;
        pOuter->GetWindowRect(&rectOuter);
        pBar->ScreenToClient(&rectOuter);
        if (rect.right < rectOuter.right)
            rect.right = rectOuter.right;
        if (rect.bottom < rectOuter.bottom)
            rect.bottom = rectOuter.bottom;
        if (!pBar->IsFloating() && pBar->GetParentMiniFrame(TRUE) == nullptr) {
            rect.left = rectOuter.left;
            rect.top = rectOuter.top;
            if (!pBar->IsKindOf(RUNTIME_CLASS(CZUDPDockBar))) {
                CWnd* pFrame = g_activeInPlaceFrame != nullptr ? g_activeInPlaceFrame : TopLevelFrame(pBar);
                if (pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr) {
                    CPoint ptClient(0, 0);
                    pFrame->ClientToScreen(&ptClient);
                    pBar->ScreenToClient(&ptClient);
                    rect.top = ptClient.y;
                }
            }
        }
    }
    return DrawThemePart(m_hThemeRebar, pDC, 0, 0, rect);
}

BOOL CZUDPWinXPThemeManager::DrawThemedCheckBox(CDC* pDC, CRect rect, BOOL bHighlighted, int nState, BOOL bEnabled,
                                                BOOL bPressed)
{
    if (m_hThemeButton == nullptr)
        return FALSE;
    return DrawThemePart(m_hThemeButton, pDC, kPartCheckBox,
                         CheckBoxThemeState(bHighlighted, nState, bEnabled, bPressed), rect);
}

BOOL CZUDPWinXPThemeManager::DrawThemedRadioButton(CDC* pDC, CRect rect, BOOL bHighlighted, BOOL bChecked,
                                                   BOOL bEnabled, BOOL bPressed)
{
    if (m_hThemeButton == nullptr)
        return FALSE;
    return DrawThemePart(m_hThemeButton, pDC, kPartRadioButton,
                         RadioButtonThemeState(bHighlighted, bChecked, bEnabled, bPressed), rect);
}

int CZUDPWinXPThemeManager::GetStandardThemeKind()
{
    if (m_pfnGetCurrentThemeName == nullptr)
        return -1;
    wchar_t file[256] = {};
    wchar_t colour[256] = {};
    if (FAILED(g_foundationSeams.currentThemeName(m_pfnGetCurrentThemeName, file, 255, colour, 255, nullptr, 0)))
        return -1;
    file[255] = 0;
    colour[255] = 0;
    std::wstring baseName = Lower(FileBaseName(file));
    if (baseName != L"luna" && baseName != L"aero")
        return 0;
    if (m_pfnGetThemeColor != nullptr && m_hThemeButton != nullptr) {
        COLORREF clrHint = 0;
        if (!GetThemeColorValue(m_hThemeButton, 1, 0, kPropertyAccentColorHint, clrHint) || clrHint == 1)
            return 0;
    }
    std::wstring colourName = Lower(colour);
    if (colourName == L"normalcolor")
        return 1;
    if (colourName == L"homestead")
        return 2;
    if (colourName == L"metallic")
        return Lower(file).find(L"royale") != std::wstring::npos ? 0 : 3;
    return 0;
}
