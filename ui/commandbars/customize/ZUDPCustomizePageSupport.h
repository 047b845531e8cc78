#pragma once
// Small helpers shared by the customization pages.
#include "framework/List.h"
#include "framework/String.h"
#include "framework/win/WinSdk.h"

class CDocTemplate;
class CListBox;
class CPropertyPage;
class CZUDPCustomizePageHost;
class CZUDPToolbarButton;

namespace customize_pages {

// Parts of a document template's string resource (its resource id; parts
// separated by '\n'): the name a new document gets and the name of its
// registered file type.
enum DocStringPart { kFileNewName = 2, kRegFileTypeName = 6 };
CString DocTemplateString(const CDocTemplate* pTemplate, DocStringPart part);

// The host given to the page, else its parent sheet when that is one.
CZUDPCustomizePageHost* FindHost(CZUDPCustomizePageHost* pGiven, const CPropertyPage* pPage);

// The text a command list shows for a catalogue button of the category:
// its menu path in the all-commands category or where another command of
// the category has the same text, else its text.
CString CommandText(const CZUDPToolbarButton* pButton, const CObList& category, BOOL bAllCommands);

// A string resource of the library, empty when it is missing.
CString LoadLibraryString(UINT uiId);

} // namespace customize_pages
