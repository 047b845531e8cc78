// The dialog controls are made by name (the dialogs wrap their children by
// window class, archives name them): each class is found and made.
#include "framework/win/Wnd.h"
#include "ui/controls/ZUDPEdit.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(ControlClassesTest, EveryControlIsMadeByItsName)
{
    const char* const names[] = {"CZUDPHeaderCtrl", "CZUDPListCtrl",     "CZUDPEdit",        "CZUDPComboBox",
                                 "CZUDPSpinButtonCtrl", "CZUDPListBox", "CZUDPFontComboBox", "CZUDPEditListBox",
                                 "CZUDPEditListEdit"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        CRuntimeClass* pClass = CRuntimeClass::FromName(name);
        ASSERT_NE(nullptr, pClass);
        EXPECT_TRUE(pClass->IsDerivedFrom(RUNTIME_CLASS(CWnd)));
        std::unique_ptr<CObject> object(pClass->CreateObject());
        ASSERT_NE(nullptr, object);
        EXPECT_TRUE(object->IsKindOf(pClass));
    }
    EXPECT_TRUE(CRuntimeClass::FromName("CZUDPEditListEdit")->IsDerivedFrom(RUNTIME_CLASS(CZUDPEdit)));
}

} // namespace
