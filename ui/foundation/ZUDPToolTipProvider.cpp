#include "ui/foundation/ZUDPToolTipProvider.h"

#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPToolTipCtrl.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <cstdlib>
#include <cstring>

CZUDPToolTipProvider* g_tooltipManager = nullptr;

namespace {

// The kind number of a single-bit kind, -1 for anything else.
int KindNumber(UINT nKind)
{
    for (int k = 0; k < kToolTipKindCount; ++k)
        if (nKind == (1u << k))
            return k;
    return -1;
}

} // namespace

CZUDPToolTipProvider::CZUDPToolTipProvider()
{
    g_tooltipManager = this;
}

CZUDPToolTipProvider::~CZUDPToolTipProvider()
{
    if (g_tooltipManager == this)
        g_tooltipManager = nullptr;
}

void CZUDPToolTipProvider::SetKindParams(int nKindNumber, const ZUDP_TOOLTIP_PARAMS& params, CRuntimeClass* pRTC)
{
    if (nKindNumber < 0 || nKindNumber >= kToolTipKindCount)
        return;
    m_params[nKindNumber] = params;
    m_classes[nKindNumber] = pRTC;
}

BOOL CZUDPToolTipProvider::CreateControlForKind(CToolTipCtrl*& pToolTip, int nKindNumber)
{
    if (nKindNumber < 0 || nKindNumber >= kToolTipKindCount)
        return FALSE;
    CRuntimeClass* pRTC = m_classes[nKindNumber];
    if (pRTC != nullptr && pRTC->IsDerivedFrom(RUNTIME_CLASS(CToolTipCtrl))) {
        CObject* pObject = pRTC->CreateObject();
        pToolTip = dynamic_cast<CToolTipCtrl*>(pObject);
        if (pToolTip == nullptr)
            delete pObject;
    } else {
        pToolTip = new CToolTipCtrl;
    }
    if (pToolTip == nullptr)
        return FALSE;
    if (CZUDPToolTipCtrl* pLibraryTip = DYNAMIC_DOWNCAST(CZUDPToolTipCtrl, pToolTip))
        pLibraryTip->SetParams(&m_params[nKindNumber]);
    return TRUE;
}

BOOL CZUDPToolTipProvider::CreateToolTipCtrl(CToolTipCtrl*& pToolTip, CWnd* pWndParent, UINT nKind)
{
    const int nKindNumber = KindNumber(nKind);
    if (nKindNumber < 0)
        return FALSE;
    if (pToolTip != nullptr) {
        pToolTip->DestroyWindow();
        delete pToolTip;
        pToolTip = nullptr;
    }
    if (g_tooltipManager == nullptr)
        pToolTip = new CToolTipCtrl;
    else if (!g_tooltipManager->CreateControlForKind(pToolTip, nKindNumber))
        return FALSE;
    if (!pToolTip->Create(pWndParent, TTS_ALWAYSTIP | TTS_NOPREFIX)) {
        delete pToolTip;
        pToolTip = nullptr;
        return FALSE;
    }
    pToolTip->Activate(TRUE);
    if (g_uiEnvironment.m_maxTooltipWidth != -1)
        pToolTip->SetMaxTipWidth(g_uiEnvironment.m_maxTooltipWidth);
    HWND hParent = pWndParent != nullptr ? pWndParent->GetSafeHwnd() : nullptr;
    if (hParent != nullptr && g_tooltipManager != nullptr && g_tooltipManager->m_owners.Find(hParent) == nullptr)
        g_tooltipManager->m_owners.AddTail(hParent);
    return TRUE;
}

void CZUDPToolTipProvider::DestroyToolTipCtrl(CToolTipCtrl*& pToolTip)
{
    if (pToolTip == nullptr)
        return;
    if (pToolTip->GetSafeHwnd() != nullptr) {
        HWND hParent = ::GetParent(pToolTip->GetSafeHwnd());
        if (hParent == nullptr)
            hParent = ::GetWindow(pToolTip->GetSafeHwnd(), GW_OWNER);
        if (g_tooltipManager != nullptr && hParent != nullptr) {
            if (POSITION pos = g_tooltipManager->m_owners.Find(hParent))
                g_tooltipManager->m_owners.RemoveAt(pos);
        }
        pToolTip->DestroyWindow();
    }
    delete pToolTip;
    pToolTip = nullptr;
}

void CZUDPToolTipProvider::BroadcastUpdate()
{
    for (POSITION pos = m_owners.GetHeadPosition(); pos != nullptr;) {
        HWND hOwner = m_owners.GetNext(pos);
        if (::IsWindow(hOwner))
            ::SendMessageA(hOwner, ZUDM_UPDATETOOLTIPS, 0xFFFF, 0);
    }
}

void CZUDPToolTipProvider::SetToolInfoText(TOOLINFOA* pTI, CToolTipCtrl* pToolTip, UINT nKind, const CString& strText,
                                           LPCTSTR lpszDescription)
{
    const int nKindNumber = KindNumber(nKind);
    if (nKindNumber < 0 || pTI == nullptr)
        return;
    const CString strDescription = lpszDescription != nullptr ? lpszDescription : "";
    CString strToolText = strText;
    if (g_tooltipManager != nullptr && g_tooltipManager->m_params[nKindNumber].values[TTPARAM_BALLOON] &&
        pToolTip != nullptr && pToolTip->GetSafeHwnd() != nullptr) {
        if (!strDescription.IsEmpty()) {
            pToolTip->SetTitle(1, strText);
            strToolText = strDescription;
        } else {
            pToolTip->SetTitle(0, "");
        }
    }
    const size_t nBytes = (size_t)strToolText.GetLength() + 1;
    pTI->lpszText = static_cast<LPSTR>(std::malloc(nBytes));
    if (pTI->lpszText != nullptr)
        std::memcpy(pTI->lpszText, (LPCTSTR)strToolText, nBytes);
    if (CZUDPToolTipCtrl* pLibraryTip = DYNAMIC_DOWNCAST(CZUDPToolTipCtrl, pToolTip))
        pLibraryTip->SetDescription(strDescription);
}
