#include "ui/commandbars/ZUDPUserTool.h"
#include "framework/win/WinApp.h"

#include "framework/Archive.h"
#include "framework/win/DC.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/GdiObject.h"
#include "res/ui/customize-pages.h"
#include "ui/commandbars/ZUDPCommandBarsSeams.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_SERIAL(CZUDPUserTool, CObject, VERSIONABLE_SCHEMA | 1)

CZUDPUserTool::~CZUDPUserTool()
{
    DeleteIcon();
}

void CZUDPUserTool::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_strLabel << m_strCommand << m_strArguments << m_strInitialDirectory << m_uiCmdId;
        return;
    }
    CString strCommand;
    ar >> m_strLabel >> strCommand >> m_strArguments >> m_strInitialDirectory >> m_uiCmdId;
    SetCommand(strCommand);
}

void CZUDPUserTool::SetCommand(LPCTSTR lpszCmd)
{
    const CString strCommand = lpszCmd != nullptr ? lpszCmd : "";
    if (strCommand == m_strCommand)
        return;
    m_strCommand = strCommand;
    DeleteIcon();
    m_hIcon = LoadToolIcon();
}

BOOL CZUDPUserTool::Invoke()
{
    if (m_strCommand.IsEmpty())
        return FALSE;
    CWinThread* pThread = AfxGetThread();
    HWND hOwner = (pThread != nullptr && pThread->m_pMainWnd != nullptr) ? pThread->m_pMainWnd->GetSafeHwnd() : nullptr;
    HINSTANCE hResult = g_frameworkSeams.shellExecute(hOwner, nullptr, m_strCommand, m_strArguments,
                                                      m_strInitialDirectory, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(hResult) > 32;
}

HICON CZUDPUserTool::LoadToolIcon()
{
    CString strPath = m_strCommand;
    if (strPath.IsEmpty())
        return LoadDefaultIcon();
    if (strPath.FindOneOf("\\/:") < 0) {
        char szFound[MAX_PATH + 1] = {};
        const DWORD nLength = g_frameworkSeams.searchPath(m_strCommand, nullptr, MAX_PATH, szFound);
        // A path that does not fit the buffer answers its needed size:
        // that is no path we can use.
        if (nLength == 0 || nLength >= MAX_PATH)
            return LoadDefaultIcon();
        szFound[MAX_PATH] = '\0';
        strPath = szFound;
    }
    SHFILEINFOA info = {};
    if (g_frameworkSeams.shGetFileInfo(strPath, 0, &info, sizeof(info),
                                       SHGFI_ICON | SHGFI_SMALLICON | SHGFI_SHELLICONSIZE) == 0 ||
        info.hIcon == nullptr)
        return LoadDefaultIcon();
    return info.hIcon;
}

HICON CZUDPUserTool::LoadDefaultIcon()
{
    if (g_uiEnvironment.m_iconUserTool == nullptr) {
        const int cx = g_uiEnvironment.m_smallIconWidth > 0 ? g_uiEnvironment.m_smallIconWidth : ::GetSystemMetrics(SM_CXSMICON);
        const int cy = g_uiEnvironment.m_smallIconHeight > 0 ? g_uiEnvironment.m_smallIconHeight : ::GetSystemMetrics(SM_CYSMICON);
        g_uiEnvironment.m_iconUserTool = static_cast<HICON>(::LoadImageA(
            AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_ZUDP_USER_TOOL), IMAGE_ICON, cx, cy, LR_SHARED));
    }
    return g_uiEnvironment.m_iconUserTool;
}

void CZUDPUserTool::DeleteIcon()
{
    if (m_hIcon != nullptr && m_hIcon != g_uiEnvironment.m_iconUserTool)
        ::DestroyIcon(m_hIcon);
    m_hIcon = nullptr;
}

void CZUDPUserTool::DrawToolIcon(CDC* pDC, const CRect& rect) const
{
    HICON hIcon = m_hIcon != nullptr ? m_hIcon : g_uiEnvironment.m_iconUserTool;
    if (pDC == nullptr || hIcon == nullptr)
        return;
    ICONINFO info = {};
    if (!::GetIconInfo(hIcon, &info))
        return;
    BITMAP bitmap = {};
    ::GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
    const int cx = bitmap.bmWidth;
    const int cy = info.hbmColor != nullptr ? bitmap.bmHeight : bitmap.bmHeight / 2;
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr)
        ::DeleteObject(info.hbmMask);
    const int x = rect.left + std::max(0, int(rect.Width() - cx) / 2);
    const int y = rect.top + std::max(0, int(rect.Height() - cy) / 2);
    ::DrawIconEx(pDC->GetSafeHdc(), x, y, hIcon, cx, cy, 0, nullptr, DI_NORMAL);
}

BOOL CZUDPUserTool::CopyIconToClipboard()
{
    try {
        const int cx = g_uiEnvironment.m_smallIconWidth > 0 ? g_uiEnvironment.m_smallIconWidth : 16;
        const int cy = g_uiEnvironment.m_smallIconHeight > 0 ? g_uiEnvironment.m_smallIconHeight : 16;
        CWinThread* pThread = AfxGetThread();
        HWND hOwner = (pThread != nullptr && pThread->m_pMainWnd != nullptr) ? pThread->m_pMainWnd->GetSafeHwnd()
                                                                            : nullptr;
        CWindowDC dcScreen(nullptr);
        CDC dc;
        CBitmap bitmap;
        BOOL bDone = FALSE;
        if (dc.CreateCompatibleDC(&dcScreen) && bitmap.CreateCompatibleBitmap(&dcScreen, cx, cy)) {
            CBitmap* pOld = dc.SelectObject(&bitmap);
            const CRect rect(0, 0, cx, cy);
            dc.FillSolidRect(&rect, g_uiEnvironment.m_colorButtonFace);
            DrawToolIcon(&dc, rect);
            dc.SelectObject(pOld);
            bDone = g_commandBarsSeams.clipboardPutBitmap(hOwner, HBITMAP(bitmap.GetSafeHandle()));
            if (bDone)
                bitmap.Detach();   // the clipboard owns it now
        }
        if (!bDone) {
            AfxMessageBox(IDS_ZUDP_CANNOT_COPY_IMAGE);
            return FALSE;
        }
        return TRUE;
    } catch (...) {
        AfxMessageBox(IDS_ZUDP_INTERNAL_ERROR);
        return FALSE;
    }
}
