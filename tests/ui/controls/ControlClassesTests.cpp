// The library's dialog controls are listed once, in the start-up unit's
// control table, and a dialog makes them by their names: every listed class
// is found by its name and made, and every class the dialog's wrapping names
// is listed.
#include "framework/win/Wnd.h"
#include "ui/controls/ZUDPDlgImpl.h"
#include "ui/controls/ZUDPEdit.h"
#include "ui/foundation/ZUDPStartup.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

bool IsListedControl(const char* name)
{
    for (int i = 0; i < g_libraryControlClassCount; ++i) {
        if (std::strcmp(g_libraryControlClasses[i].runtimeClass->m_lpszClassName, name) == 0)
            return true;
    }
    return false;
}

TEST(ControlClassesTest, EveryListedControlIsMadeByItsName)
{
    for (int i = 0; i < g_libraryControlClassCount; ++i) {
        const char* name = g_libraryControlClasses[i].runtimeClass->m_lpszClassName;
        SCOPED_TRACE(name);
        CRuntimeClass* pClass = CRuntimeClass::FromName(name);
        ASSERT_EQ(g_libraryControlClasses[i].runtimeClass, pClass);
        EXPECT_TRUE(pClass->IsDerivedFrom(RUNTIME_CLASS(CWnd)));
        std::unique_ptr<CObject> object(pClass->CreateObject());
        ASSERT_NE(nullptr, object);
        EXPECT_TRUE(object->IsKindOf(pClass));
    }
    EXPECT_TRUE(CRuntimeClass::FromName("CZUDPEditListEdit")->IsDerivedFrom(RUNTIME_CLASS(CZUDPEdit)));
}

TEST(ControlClassesTest, TheListedControlsCoverTheDialogsWrappersAndTheLists)
{
    struct Child {
        const char* windowClass;
        DWORD style;
    };
    const Child children[] = {
        {"Button", BS_PUSHBUTTON}, {"Button", BS_GROUPBOX}, {"Static", SS_LEFT},         {"Edit", 0},
        {"ComboBox", 0},           {"ScrollBar", 0},        {"msctls_updown32", 0},     {"msctls_trackbar32", 0},
        {"msctls_progress32", 0},
    };
    for (const Child& child : children) {
        SCOPED_TRACE(child.windowClass);
        const char* wrapper = CZUDPDlgImpl::WrapperClassFor(child.windowClass, child.style);
        ASSERT_NE(nullptr, wrapper);
        EXPECT_TRUE(IsListedControl(wrapper)) << wrapper;
    }
    // Made by name by code that restyles dialogs, though no platform child
    // is wrapped in them.
    for (const char* name : {"CZUDPHeaderCtrl", "CZUDPListCtrl", "CZUDPListBox", "CZUDPFontComboBox",
                             "CZUDPEditListBox", "CZUDPEditListEdit", "CZUDPMenuButton"})
        EXPECT_TRUE(IsListedControl(name)) << name;
}

} // namespace
