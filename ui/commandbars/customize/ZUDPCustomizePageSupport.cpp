#include "ui/commandbars/customize/ZUDPCustomizePageSupport.h"

#include "framework/win/DocTemplate.h"
#include "framework/win/PropertySheet.h"
#include "framework/win/WinApp.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/commandbars/customize/ZUDPCustomizePageHost.h"

namespace customize_pages {

CString DocTemplateString(const CDocTemplate* pTemplate, DocStringPart part)
{
    CString strAll;
    if (pTemplate == nullptr || !strAll.LoadString(pTemplate->GetResourceId()))
        return CString();
    int iStart = 0;
    for (int i = 0; i < int(part); ++i) {
        const int iNext = strAll.Find('\n', iStart);
        if (iNext < 0)
            return CString();
        iStart = iNext + 1;
    }
    const int iEnd = strAll.Find('\n', iStart);
    return iEnd < 0 ? strAll.Mid(iStart) : strAll.Mid(iStart, iEnd - iStart);
}

CZUDPCustomizePageHost* FindHost(CZUDPCustomizePageHost* pGiven, const CPropertyPage* pPage)
{
    if (pGiven != nullptr)
        return pGiven;
    return pPage != nullptr ? dynamic_cast<CZUDPCustomizePageHost*>(pPage->GetParentSheet()) : nullptr;
}

CString CommandText(const CZUDPToolbarButton* pButton)
{
    return pButton != nullptr ? pButton->text : CString();
}

CString LoadLibraryString(UINT uiId)
{
    CString str;
    str.LoadString(uiId);
    return str;
}

} // namespace customize_pages
