#include "ui/commandbars/ZUDPUserTool.h"
#include "framework/win/WinApp.h"

#include "framework/Archive.h"
#include "framework/win/DC.h"
#include "framework/win/FrameworkSeams.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <algorithm>

IMPLEMENT_SERIAL(CZUDPUserTool, CObject, VERSIONABLE_SCHEMA | 1)

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
