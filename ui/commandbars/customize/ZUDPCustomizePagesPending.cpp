// The Keyboard, Menu, Mouse and Tools pages are not part of the sheet yet:
// their makers make nothing, so the sheet leaves those pages out.  The
// file goes when the pages come.
#include "ui/commandbars/customize/ZUDPCustomizePages.h"

CPropertyPage* NewCustomizeKeyboardPage(CFrameWnd*, BOOL) { return nullptr; }
CPropertyPage* NewCustomizeMenuPage(CFrameWnd*, BOOL) { return nullptr; }
CPropertyPage* NewCustomizeMousePage() { return nullptr; }
CPropertyPage* NewCustomizeToolsPage() { return nullptr; }
void SetCustomizeKeyboardAllCategory(CPropertyPage*, const CString&) {}
