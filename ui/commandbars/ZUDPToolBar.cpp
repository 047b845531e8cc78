#include "ui/commandbars/ZUDPToolBar.h"

#include "framework/Archive.h"

IMPLEMENT_SERIAL(CZUDPToolBar, CWnd, VERSIONABLE_SCHEMA | 1)

CZUDPToolBar::CZUDPToolBar() { g_toolbarList.AddTail(this); }

CZUDPToolBar::~CZUDPToolBar()
{
    POSITION pos = g_toolbarList.Find(this);
    if (pos != nullptr)
        g_toolbarList.RemoveAt(pos);
}
