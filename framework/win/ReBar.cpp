#include "framework/win/ReBar.h"

IMPLEMENT_DYNAMIC(CReBarCtrl, CWnd)
IMPLEMENT_DYNAMIC(CReBar, CWnd)

namespace {
void InitRebarClass()
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_COOL_CLASSES};
    ::InitCommonControlsEx(&icc);
}
}

BOOL CReBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    InitRebarClass();
    return CWnd::Create(REBARCLASSNAMEA, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    InitRebarClass();
    RECT rect = {0, 0, 0, 0};
    return CWnd::Create(REBARCLASSNAMEA, nullptr, dwStyle | dwCtrlStyle, rect, pParentWnd, nID);
}
