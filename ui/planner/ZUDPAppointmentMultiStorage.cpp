#include "ui/planner/ZUDPAppointmentMultiStorage.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CZUDPResourceInfo, CObject)
IMPLEMENT_DYNAMIC(CZUDPAppointmentBaseMultiStorage, CZUDPAppointmentBaseStorage)
IMPLEMENT_DYNCREATE(CZUDPAppointmentMultiStorage, CZUDPAppointmentBaseMultiStorage)

CZUDPAppointmentMultiStorage::~CZUDPAppointmentMultiStorage()
{
    for (POSITION pos = m_Resources.GetStartPosition(); pos != nullptr;) {
        DWORD id;
        XResource* pResource;
        m_Resources.GetNextAssoc(pos, id, pResource);
        DeleteResource(pResource);
    }
    m_Resources.RemoveAll();
}

void CZUDPAppointmentMultiStorage::DeleteResource(XResource* pResource)
{
    if (pResource->m_bAutoDelete && pResource->m_pStorage != nullptr) {
        delete pResource->m_pStorage;
        delete pResource->m_pInfo;
    }
    delete pResource;
}

// ---- resources ------------------------------------------------------------------------

BOOL CZUDPAppointmentMultiStorage::AddResource(DWORD dwResourceID, CZUDPAppointmentBaseStorage* pStorage,
                                               CObject* pInfo, BOOL bAutoDelete)
{
    if (dwResourceID == 0 || pStorage == nullptr || m_Resources.PLookup(dwResourceID) != nullptr)
        return FALSE;
    bool first = m_Resources.IsEmpty();
    auto* pResource = new XResource;
    pResource->m_pStorage = pStorage;
    pResource->m_pInfo = pInfo;
    pResource->m_bAutoDelete = bAutoDelete;
    m_Resources[dwResourceID] = pResource;
    if (first)
        m_CurrentResourceID = dwResourceID;
    return TRUE;
}

BOOL CZUDPAppointmentMultiStorage::RemoveResource(DWORD dwResourceID)
{
    XResource* pResource = nullptr;
    if (!m_Resources.Lookup(dwResourceID, pResource))
        return FALSE;
    m_Resources.RemoveKey(dwResourceID);
    DeleteResource(pResource);
    if (m_CurrentResourceID == dwResourceID)
        m_CurrentResourceID = 0;
    return TRUE;
}

CZUDPAppointmentBaseStorage* CZUDPAppointmentMultiStorage::GetResourceStorage(DWORD dwResourceID) const
{
    XResource* pResource = nullptr;
    return m_Resources.Lookup(dwResourceID, pResource) ? pResource->m_pStorage : nullptr;
}

CObject* CZUDPAppointmentMultiStorage::GetResourceInfo(DWORD dwResourceID) const
{
    XResource* pResource = nullptr;
    return m_Resources.Lookup(dwResourceID, pResource) ? pResource->m_pInfo : nullptr;
}

void CZUDPAppointmentMultiStorage::GetResourceIDs(CArray<DWORD, DWORD>& ids) const
{
    ids.RemoveAll();
    for (POSITION pos = m_Resources.GetStartPosition(); pos != nullptr;) {
        DWORD id;
        XResource* pResource;
        m_Resources.GetNextAssoc(pos, id, pResource);
        ids.Add(id);
    }
    std::sort(ids.GetData(), ids.GetData() + ids.GetSize());
}

BOOL CZUDPAppointmentMultiStorage::SetCurrentResourceID(DWORD dwResourceID)
{
    if (dwResourceID != 0 && m_Resources.PLookup(dwResourceID) == nullptr)
        return FALSE;
    m_CurrentResourceID = dwResourceID;
    return TRUE;
}

// ---- the storage interface, routed -------------------------------------------------

CZUDPAppointmentBaseStorage* CZUDPAppointmentMultiStorage::TargetStorage(const CZUDPAppointment* pApp,
                                                                         DWORD& dwTarget) const
{
    dwTarget = pApp->GetResourceID() != 0 ? pApp->GetResourceID() : m_CurrentResourceID;
    return GetResourceStorage(dwTarget);
}

BOOL CZUDPAppointmentMultiStorage::Add(CZUDPAppointment* pApp)
{
    if (pApp == nullptr)
        return FALSE;
    DWORD target;
    CZUDPAppointmentBaseStorage* pStorage = TargetStorage(pApp, target);
    if (pStorage == nullptr)
        return FALSE;
    pApp->SetResourceID(target);
    return pStorage->Add(pApp);
}

BOOL CZUDPAppointmentMultiStorage::Update(CZUDPAppointment* pApp, const COleDateTime& dtOld, BOOL bForceAdd)
{
    if (pApp == nullptr)
        return FALSE;
    DWORD target;
    CZUDPAppointmentBaseStorage* pStorage = TargetStorage(pApp, target);
    return pStorage != nullptr && pStorage->Update(pApp, dtOld, bForceAdd);
}

BOOL CZUDPAppointmentMultiStorage::Remove(CZUDPAppointment* pApp)
{
    if (pApp == nullptr)
        return FALSE;
    DWORD target;
    CZUDPAppointmentBaseStorage* pStorage = TargetStorage(pApp, target);
    return pStorage != nullptr && pStorage->Remove(pApp);
}

BOOL CZUDPAppointmentMultiStorage::RemoveAll()
{
    if (m_CurrentResourceID != 0) {
        CZUDPAppointmentBaseStorage* pStorage = GetResourceStorage(m_CurrentResourceID);
        return pStorage != nullptr && pStorage->RemoveAll();
    }
    for (POSITION pos = m_Resources.GetStartPosition(); pos != nullptr;) {
        DWORD id;
        XResource* pResource;
        m_Resources.GetNextAssoc(pos, id, pResource);
        pResource->m_pStorage->RemoveAll();
    }
    return TRUE;
}

void CZUDPAppointmentMultiStorage::Query(CZUDPAppointmentArray& result, const COleDateTime& dtFrom,
                                         const COleDateTime& dtTo)
{
    if (m_CurrentResourceID != 0) {
        if (CZUDPAppointmentBaseStorage* pStorage = GetResourceStorage(m_CurrentResourceID))
            pStorage->Query(result, dtFrom, dtTo);
        return;
    }
    for (POSITION pos = m_Resources.GetStartPosition(); pos != nullptr;) {
        DWORD id;
        XResource* pResource;
        m_Resources.GetNextAssoc(pos, id, pResource);
        CZUDPAppointmentArray part;
        pResource->m_pStorage->Query(part, dtFrom, dtTo);
        result.Append(part);
    }
}

void CZUDPAppointmentMultiStorage::QueryAll(CZUDPAppointmentArray& result)
{
    if (m_CurrentResourceID != 0) {
        if (CZUDPAppointmentBaseStorage* pStorage = GetResourceStorage(m_CurrentResourceID))
            pStorage->QueryAll(result);
        return;
    }
    for (POSITION pos = m_Resources.GetStartPosition(); pos != nullptr;) {
        DWORD id;
        XResource* pResource;
        m_Resources.GetNextAssoc(pos, id, pResource);
        CZUDPAppointmentArray part;
        pResource->m_pStorage->QueryAll(part);
        result.Append(part);
    }
}

BOOL CZUDPAppointmentMultiStorage::IsEmpty() const
{
    if (m_CurrentResourceID != 0) {
        CZUDPAppointmentBaseStorage* pStorage = GetResourceStorage(m_CurrentResourceID);
        return pStorage != nullptr && pStorage->IsEmpty();
    }
    return m_Resources.IsEmpty();
}

BOOL CZUDPAppointmentMultiStorage::HoldsAppointment(const CZUDPAppointment* pApp) const
{
    if (pApp == nullptr)
        return FALSE;
    for (POSITION pos = m_Resources.GetStartPosition(); pos != nullptr;) {
        DWORD id;
        XResource* pResource;
        m_Resources.GetNextAssoc(pos, id, pResource);
        if (pResource != nullptr && pResource->m_pStorage != nullptr && pResource->m_pStorage->HoldsAppointment(pApp))
            return TRUE;
    }
    return FALSE;
}

CZUDPAppointment* CZUDPAppointmentMultiStorage::GetRecurrence(DWORD dwRecurrenceID) const
{
    CZUDPAppointmentBaseStorage* pStorage = m_CurrentResourceID != 0 ? GetResourceStorage(m_CurrentResourceID) : nullptr;
    return pStorage != nullptr ? pStorage->GetRecurrence(dwRecurrenceID) : nullptr;
}
