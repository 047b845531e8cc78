// The optional system services of the global UI data: entry points looked
// up at run time and the thin wrappers through which the library calls
// them, each answering a defined value when its entry point is missing;
// drawing a child's background from its parent, text and icons on glass,
// the library's window classes, the enclosing frame, the auto-hide taskbar
// edges, the taskbar list and accessibility notifications.
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "framework/win/WinApp.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/Ole.h"
#include "framework/win/DC.h"
#include "framework/Exceptions.h"

#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/foundation/ZUDPFoundationSeams.h"

#include <vector>

namespace {

// {C43DC798-95D1-4BEA-9030-BB99E2983A1A}
const IID kTaskbarList4 = {0xC43DC798, 0x95D1, 0x4BEA, {0x90, 0x30, 0xBB, 0x99, 0xE2, 0x98, 0x3A, 0x1A}};
// {56FDF344-FD6D-11D0-958A-006097C9A090}
const CLSID kTaskbarListClass = {0x56FDF344, 0xFD6D, 0x11D0, {0x95, 0x8A, 0x00, 0x60, 0x97, 0xC9, 0xA0, 0x90}};
// {EA1AFB91-9E28-4B86-90E9-9E9F8A5EEFAF}
const IID kTaskbarList3 = {0xEA1AFB91, 0x9E28, 0x4B86, {0x90, 0xE9, 0x9E, 0x9F, 0x8A, 0x5E, 0xEF, 0xAF}};

} // namespace

// ---------------------------------------------------------------------------
// Entry points

FARPROC CZUDPUIEnvironment::Entry(HMODULE hModule, const char* name) const
{
    return hModule != nullptr ? g_foundationSeams.findEntry(hModule, name) : nullptr;
}

void CZUDPUIEnvironment::ReleaseModule(HMODULE& slot)
{
    if (slot != nullptr)
        g_foundationSeams.freeModule(slot);
    slot = nullptr;
}

// A module loaded again takes the place of the previous handle, whose
// reference is given back (every load counts one).
void CZUDPUIEnvironment::ReplaceModule(HMODULE& slot, HMODULE hNew)
{
    HMODULE previous = slot;
    slot = hNew;
    if (previous != nullptr)
        g_foundationSeams.freeModule(previous);
}

void CZUDPUIEnvironment::LoadUxTheme(BOOL bKeepDrawThemeIcon)
{
    ReplaceModule(m_uxThemeModule, g_foundationSeams.loadModule("UxTheme.dll"));
    if (m_uxThemeModule == nullptr) {
        m_drawThemeParentBackground = nullptr;
        m_drawThemeTextEx = nullptr;
        m_drawThemeIcon = nullptr;
        m_beginBufferedPaint = nullptr;
        m_bufferedPaintSetAlpha = nullptr;
        m_endBufferedPaint = nullptr;
        return;
    }
    m_drawThemeParentBackground = FoundationEntryAs<DrawThemeParentBackgroundFn>(Entry(m_uxThemeModule, "DrawThemeParentBackground"));
    m_drawThemeTextEx = FoundationEntryAs<DrawThemeTextExFn>(Entry(m_uxThemeModule, "DrawThemeTextEx"));
    if (!bKeepDrawThemeIcon)
        m_drawThemeIcon = FoundationEntryAs<DrawThemeIconFn>(Entry(m_uxThemeModule, "DrawThemeIcon"));
    m_beginBufferedPaint = FoundationEntryAs<BeginBufferedPaintFn>(Entry(m_uxThemeModule, "BeginBufferedPaint"));
    m_bufferedPaintSetAlpha = FoundationEntryAs<BufferedPaintSetAlphaFn>(Entry(m_uxThemeModule, "BufferedPaintSetAlpha"));
    m_endBufferedPaint = FoundationEntryAs<EndBufferedPaintFn>(Entry(m_uxThemeModule, "EndBufferedPaint"));
}

BOOL CZUDPUIEnvironment::LoadLayeredEntries()
{
    ReplaceModule(m_user32Module, g_foundationSeams.loadModule("USER32.DLL"));
    if (m_user32Module == nullptr)
        return FALSE;
    if (m_layeredWindowsAvailable) {
        m_setLayeredWindowAttributes =
            FoundationEntryAs<SetLayeredWindowAttributesFn>(Entry(m_user32Module, "SetLayeredWindowAttributes"));
        m_updateLayeredWindow = FoundationEntryAs<UpdateLayeredWindowFn>(Entry(m_user32Module, "UpdateLayeredWindow"));
    }
    return TRUE;
}

void CZUDPUIEnvironment::LoadDwm(BOOL bFirstThreeOnly)
{
    ReplaceModule(m_dwmModule, g_foundationSeams.loadModule("dwmapi.dll"));
    m_dwmExtendFrameIntoClientArea =
        FoundationEntryAs<DwmExtendFrameIntoClientAreaFn>(Entry(m_dwmModule, "DwmExtendFrameIntoClientArea"));
    m_dwmDefWindowProc = FoundationEntryAs<DwmDefWindowProcFn>(Entry(m_dwmModule, "DwmDefWindowProc"));
    m_dwmIsCompositionEnabled = FoundationEntryAs<DwmIsCompositionEnabledFn>(Entry(m_dwmModule, "DwmIsCompositionEnabled"));
    if (bFirstThreeOnly)
        return;
    m_dwmSetIconicThumbnail = FoundationEntryAs<DwmSetIconicThumbnailFn>(Entry(m_dwmModule, "DwmSetIconicThumbnail"));
    m_dwmSetWindowAttribute = FoundationEntryAs<DwmSetWindowAttributeFn>(Entry(m_dwmModule, "DwmSetWindowAttribute"));
    m_dwmSetIconicLivePreviewBitmap =
        FoundationEntryAs<DwmSetIconicLivePreviewBitmapFn>(Entry(m_dwmModule, "DwmSetIconicLivePreviewBitmap"));
    m_dwmInvalidateIconicBitmaps =
        FoundationEntryAs<DwmInvalidateIconicBitmapsFn>(Entry(m_dwmModule, "DwmInvalidateIconicBitmaps"));
}

void CZUDPUIEnvironment::LoadMsimg32()
{
    ReplaceModule(m_msimg32Module, g_foundationSeams.loadModule("msimg32.dll"));
    m_alphaBlend = FoundationEntryAs<AlphaBlendFn>(Entry(m_msimg32Module, "AlphaBlend"));
    m_transparentBlt = m_is9x ? nullptr : FoundationEntryAs<TransparentBltFn>(Entry(m_msimg32Module, "TransparentBlt"));
}

void CZUDPUIEnvironment::LoadOptionalEntryPoints()
{
    LoadUxTheme(FALSE);
    if (m_layeredWindowsAvailable)
        LoadLayeredEntries();
    LoadDwm(FALSE);
    LoadMsimg32();
}

BOOL CZUDPUIEnvironment::ReloadAfterResume()
{
    LoadUxTheme(TRUE);
    if (m_layeredWindowsAvailable && !LoadLayeredEntries())
        return FALSE;
    if (!m_layeredWindowsAvailable)
        ReplaceModule(m_user32Module, g_foundationSeams.loadModule("USER32.DLL"));
    if (m_dwmModule != nullptr)
        LoadDwm(TRUE);
    if (m_accessibility)
        m_notifyWinEvent = FoundationEntryAs<NotifyWinEventFn>(Entry(m_user32Module, "NotifyWinEvent"));
    if (m_alphaBlend != nullptr)
        LoadMsimg32();
    return TRUE;
}

void CZUDPUIEnvironment::EnableAccessibilitySupport(BOOL bEnable)
{
    if (!m_isNTPlatform || m_majorVersion < 5)
        return;
    if (bEnable) {
        if (m_user32Module == nullptr) {
            m_notifyWinEvent = nullptr;
            return;
        }
        m_notifyWinEvent = FoundationEntryAs<NotifyWinEventFn>(Entry(m_user32Module, "NotifyWinEvent"));
    }
    m_accessibility = bEnable;
}

// ---------------------------------------------------------------------------
// Wrappers

BOOL CZUDPUIEnvironment::SetLayeredAttributes(HWND hWnd, COLORREF crKey, BYTE bAlpha, DWORD dwFlags)
{
    return m_setLayeredWindowAttributes != nullptr ? m_setLayeredWindowAttributes(hWnd, crKey, bAlpha, dwFlags) : FALSE;
}

BOOL CZUDPUIEnvironment::UpdateLayered(HWND hWnd, HDC hdcDst, POINT* pptDst, SIZE* psize, HDC hdcSrc, POINT* pptSrc,
                                       COLORREF crKey, BLENDFUNCTION* pblend, DWORD dwFlags)
{
    return m_updateLayeredWindow != nullptr
               ? m_updateLayeredWindow(hWnd, hdcDst, pptDst, psize, hdcSrc, pptSrc, crKey, pblend, dwFlags)
               : FALSE;
}

void CZUDPUIEnvironment::NotifyAccessibilityEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild)
{
    if (m_notifyWinEvent != nullptr)
        m_notifyWinEvent(event, hWnd, idObject, idChild);
}

BOOL CZUDPUIEnvironment::ExtendFrameIntoClient(HWND hWnd, const MARGINS& margins)
{
    return m_dwmExtendFrameIntoClientArea != nullptr && m_dwmExtendFrameIntoClientArea(hWnd, &margins) == S_OK;
}

LRESULT CZUDPUIEnvironment::CallDwmDefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_dwmDefWindowProc == nullptr)
        return -1;
    LRESULT result = 0;
    m_dwmDefWindowProc(hWnd, message, wParam, lParam, &result);
    return result;
}

BOOL CZUDPUIEnvironment::IsDwmCompositionEnabled()
{
    if (m_compositionOff || m_dwmIsCompositionEnabled == nullptr)
        return FALSE;
    BOOL enabled = FALSE;
    m_dwmIsCompositionEnabled(&enabled);
    return enabled;
}

BOOL CZUDPUIEnvironment::InvalidateIconicBitmaps(HWND hWnd)
{
    return m_dwmInvalidateIconicBitmaps != nullptr && m_dwmInvalidateIconicBitmaps(hWnd) == S_OK;
}

BOOL CZUDPUIEnvironment::SetIconicLivePreviewBitmap(HWND hWnd, HBITMAP hBitmap, POINT* pptClient, DWORD dwFlags)
{
    return m_dwmSetIconicLivePreviewBitmap != nullptr &&
           m_dwmSetIconicLivePreviewBitmap(hWnd, hBitmap, pptClient, dwFlags) == S_OK;
}

BOOL CZUDPUIEnvironment::SetIconicThumbnail(HWND hWnd, HBITMAP hBitmap, DWORD dwFlags)
{
    return m_dwmSetIconicThumbnail != nullptr && m_dwmSetIconicThumbnail(hWnd, hBitmap, dwFlags) == S_OK;
}

BOOL CZUDPUIEnvironment::SetDwmWindowAttribute(HWND hWnd, DWORD dwAttribute, LPCVOID pvData, DWORD cbData)
{
    return m_dwmSetWindowAttribute != nullptr && m_dwmSetWindowAttribute(hWnd, dwAttribute, pvData, cbData) == S_OK;
}

// ---------------------------------------------------------------------------
// Taskbar list

ITaskbarList3* CZUDPUIEnvironment::GetTaskbarList()
{
    if (!m_isWindows7OrLater)
        return nullptr;
    if (m_taskbarList != nullptr)
        return m_taskbarList;
    if (AfxGetThread() == nullptr || !AfxOleIsInitialized())
        return nullptr;
    void* pObject = nullptr;
    if (FAILED(::CoCreateInstance(kTaskbarListClass, nullptr, CLSCTX_INPROC_SERVER, kTaskbarList3, &pObject)))
        return nullptr;
    m_taskbarList = static_cast<ITaskbarList3*>(pObject);
    return m_taskbarList;
}

BOOL CZUDPUIEnvironment::TaskbarRegisterTab(HWND hWndTab, HWND hWndFrame)
{
    ITaskbarList3* list = GetTaskbarList();
    return list != nullptr && SUCCEEDED(list->RegisterTab(hWndTab, hWndFrame));
}

BOOL CZUDPUIEnvironment::TaskbarUnregisterTab(HWND hWndTab)
{
    ITaskbarList3* list = GetTaskbarList();
    return list != nullptr && SUCCEEDED(list->UnregisterTab(hWndTab));
}

BOOL CZUDPUIEnvironment::TaskbarSetTabOrder(HWND hWndTab, HWND hWndInsertBefore)
{
    ITaskbarList3* list = GetTaskbarList();
    return list != nullptr && SUCCEEDED(list->SetTabOrder(hWndTab, hWndInsertBefore));
}

BOOL CZUDPUIEnvironment::TaskbarSetTabActive(HWND hWndTab, HWND hWndFrame)
{
    ITaskbarList3* list = GetTaskbarList();
    return list != nullptr && SUCCEEDED(list->SetTabActive(hWndTab, hWndFrame, 0));
}

BOOL CZUDPUIEnvironment::TaskbarSetThumbnailClip(HWND hWnd, RECT* pClip)
{
    ITaskbarList3* list = GetTaskbarList();
    return list != nullptr && SUCCEEDED(list->SetThumbnailClip(hWnd, pClip));
}

BOOL CZUDPUIEnvironment::TaskbarSetTabProperties(HWND hWndTab, DWORD dwFlags)
{
    ITaskbarList3* list = GetTaskbarList();
    if (list == nullptr)
        return FALSE;
    void* pObject = nullptr;
    if (FAILED(list->QueryInterface(kTaskbarList4, &pObject)) || pObject == nullptr)
        return FALSE;
    ITaskbarList4* list4 = static_cast<ITaskbarList4*>(pObject);
    BOOL ok = SUCCEEDED(list4->SetTabProperties(hWndTab, (STPFLAG)dwFlags));
    list4->Release();
    return ok;
}

// ---------------------------------------------------------------------------
// Drawing helpers

BOOL CZUDPUIEnvironment::DrawParentBackground(CWnd* pWnd, CDC* pDC, LPRECT lpRect)
{
    HWND hWnd = AfxSafeHwnd(pWnd);
    HDC hDC = AfxSafeHdc(pDC);
    if (hWnd == nullptr || hDC == nullptr)
        return FALSE;
    // A window without a parent has no background to borrow.
    HWND hParent = ::GetParent(hWnd);
    if (hParent == nullptr)
        return FALSE;

    CRgn clip;
    if (lpRect != nullptr && clip.CreateRectRgnIndirect(lpRect))
        pDC->SelectClipRgn(&clip);

    BOOL result = FALSE;
    if (m_drawThemeParentBackground != nullptr && m_drawThemeParentBackground(hWnd, hDC, lpRect) == S_OK) {
        result = TRUE;
    } else {
        POINT origin = {0, 0};
        ::MapWindowPoints(hWnd, hParent, &origin, 1);
        CPoint previous = pDC->OffsetWindowOrg(origin.x, origin.y);
        result = (BOOL)::SendMessageA(hParent, WM_ERASEBKGND, (WPARAM)hDC, 0);
        pDC->SetWindowOrg(previous.x, previous.y);
    }

    pDC->SelectClipRgn((HRGN) nullptr);
    return result;
}

BOOL CZUDPUIEnvironment::DrawIconOnGlass(HTHEME hTheme, CDC* pDC, HICON hIcon, CRect rect)
{
    if (hTheme != nullptr && m_drawThemeIcon != nullptr && IsDwmCompositionEnabled()) {
        HIMAGELIST images = ImageList_Create(rect.Width(), rect.Height(), ILC_COLOR32 | ILC_MASK, 1, 1);
        if (images != nullptr) {
            ImageList_AddIcon(images, hIcon);
            m_drawThemeIcon(hTheme, AfxSafeHdc(pDC), 0, 0, &rect, images, 0);
            ImageList_Destroy(images);
            return TRUE;
        }
    }
    pDC->DrawState(rect.TopLeft(), rect.Size(), hIcon, DSS_NORMAL);
    return FALSE;
}

BOOL CZUDPUIEnvironment::DrawTextOnGlass(HTHEME hTheme, CDC* pDC, int iPartId, int iStateId, CString strText,
                                         CRect rect, DWORD dwFlags, int nGlowSize, COLORREF clrText)
{
    if (hTheme != nullptr && m_drawThemeTextEx != nullptr && IsDwmCompositionEnabled()) {
        int length = ::MultiByteToWideChar(CP_ACP, 0, strText, -1, nullptr, 0);
        std::vector<wchar_t> wide(length > 0 ? length : 1, L'\0');
        if (length > 0)
            ::MultiByteToWideChar(CP_ACP, 0, strText, -1, wide.data(), length);

        DTTOPTS options = {};
        options.dwSize = sizeof(options);
        options.dwFlags = DTT_COMPOSITED;
        if (nGlowSize > 0) {
            options.dwFlags |= DTT_GLOWSIZE;
            options.iGlowSize = nGlowSize;
        }
        if (clrText != (COLORREF)-1) {
            options.dwFlags |= DTT_TEXTCOLOR;
            options.crText = clrText;
        }
        m_drawThemeTextEx(hTheme, AfxSafeHdc(pDC), iPartId, iStateId, wide.data(), -1, dwFlags, &rect, &options);
        return TRUE;
    }
    pDC->DrawText(strText, &rect, dwFlags);
    return FALSE;
}

CString CZUDPUIEnvironment::RegisterWindowClass(LPCTSTR lpszClassNamePrefix)
{
    HINSTANCE hInstance = AfxGetInstanceHandle();
    const UINT style = CS_DBLCLKS;
    HCURSOR hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    HBRUSH hBackground = (HBRUSH)(COLOR_BTNFACE + 1);

    // Handles are pointer-sized: printed whole.
    CString name;
    name.Format("%s:%llx:%x:%llx:%x", lpszClassNamePrefix, (unsigned long long)(UINT_PTR)hInstance, style,
                (unsigned long long)(UINT_PTR)hCursor, (unsigned)(UINT_PTR)hBackground);

    WNDCLASSA wc = {};
    if (!::GetClassInfoA(hInstance, name, &wc)) {
        wc = {};
        wc.style = style;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = hInstance;
        wc.hCursor = hCursor;
        wc.hbrBackground = hBackground;
        wc.lpszClassName = name;
        if (!::RegisterClassA(&wc))
            AfxThrowResourceException();
    }
    return name;
}

void CZUDPUIEnvironment::UpdateAutoHideTaskbarEdges()
{
    m_autoHideEdges = 0;
    if (m_is9x || m_isNT4)
        return;
    static const struct {
        UINT edge;
        DWORD bit;
    } edges[] = {{ABE_BOTTOM, 8}, {ABE_TOP, 4}, {ABE_LEFT, 1}, {ABE_RIGHT, 2}};
    for (const auto& e : edges) {
        APPBARDATA data = {};
        data.cbSize = sizeof(data);
        data.uEdge = e.edge;
        if (g_foundationSeams.appBarMessage(ABM_GETAUTOHIDEBAR, &data) != 0)
            m_autoHideEdges |= e.bit;
    }
}

// ---------------------------------------------------------------------------
// Enclosing frame

CFrameWnd* GetEnclosingFrame(CWnd* pWnd)
{
    if (pWnd == nullptr || AfxSafeHwnd(pWnd) == nullptr)
        return nullptr;
    CWnd* current = pWnd;
    // A chain of windows is finite, but a recorded owner could lead back
    // into it: give up after as many steps as there could be windows.
    for (int steps = 0; steps < 4096; ++steps) {
        CWnd* next = nullptr;
        if (CZUDPMiniFrameWnd* miniFrame = DYNAMIC_DOWNCAST(CZUDPMiniFrameWnd, current))
            next = CWnd::FromHandlePermanent(miniFrame->GetRecordedOwner());
        else
            next = CWnd::FromHandle(::GetParent(AfxSafeHwnd(current)));
        if (next == nullptr || AfxSafeHwnd(next) == nullptr)
            return nullptr;
        if (next->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return static_cast<CFrameWnd*>(next);
        current = next;
    }
    return nullptr;
}
