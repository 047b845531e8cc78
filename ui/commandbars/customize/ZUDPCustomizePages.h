#pragma once
// Where the customization sheet gets the pages that live in their own
// files: the Keyboard, Menu, Mouse and Tools pages.  The sheet owns what
// these return (null: the page is not offered).  Each entry calls the
// page's maker; tests may replace an entry for a scope (framework/Seam.h).
#include "framework/Seam.h"
#include "framework/String.h"
#include "framework/win/WinSdk.h"

class CFrameWnd;
class CPropertyPage;
class CWnd;

// The makers, defined next to the pages they make.
CPropertyPage* NewCustomizeKeyboardPage(CFrameWnd* pParentFrame, BOOL bAutoSet);
CPropertyPage* NewCustomizeMenuPage(CFrameWnd* pParentFrame, BOOL bAutoSet);
CPropertyPage* NewCustomizeMousePage();
CPropertyPage* NewCustomizeToolsPage();
// Hands the Keyboard page the name of the all-commands category.
void SetCustomizeKeyboardAllCategory(CPropertyPage* pKeyboardPage, const CString& strName);

struct CustomizePageMakers {
    Seam<CPropertyPage*(CFrameWnd* pParentFrame, BOOL bAutoSet)> keyboardPage;
    Seam<CPropertyPage*(CFrameWnd* pParentFrame, BOOL bAutoSet)> menuPage;
    Seam<CPropertyPage*()> mousePage;
    Seam<CPropertyPage*()> toolsPage;
    Seam<void(CPropertyPage* pKeyboardPage, const CString& strName)> keyboardAllCategory;

    CustomizePageMakers();
};

extern CustomizePageMakers g_customizePageMakers;

// The modal dialogs of the customization pages, replaceable by tests.
struct CustomizeSeams {
    // The toolbar-name dialog over the parent, started with the name in
    // strName: IDOK with the name the user typed in strName, or IDCANCEL.
    Seam<INT_PTR(CWnd* pParent, CString& strName)> toolbarNameDialog;

    CustomizeSeams();
};

extern CustomizeSeams g_customizeSeams;
