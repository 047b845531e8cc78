#pragma once
// The multi-resource storage: one storage per resource id (people, rooms),
// with every call routed to the storage of the appointment's resource, of
// the current resource, or, when no resource is current, to all of them.
#include "framework/Array.h"
#include "framework/Map.h"
#include "ui/planner/ZUDPAppointmentStorage.h"

// What the application tells about a resource: its caption text and its
// own working day (only hour and minute count).  The multi-resource view
// reads the information object of a resource only when it is of this
// class (or derived from it); any other object counts as none.
class CZUDPResourceInfo : public CObject {
    DECLARE_DYNAMIC(CZUDPResourceInfo)
public:
    CZUDPResourceInfo() = default;
    CZUDPResourceInfo(const CString& strDescription, const COleDateTime& dtWorkStart, const COleDateTime& dtWorkEnd)
        : m_strDescription(strDescription), m_dtWorkStart(dtWorkStart), m_dtWorkEnd(dtWorkEnd)
    {
    }

    virtual CString GetDescription() const { return m_strDescription; }
    virtual COleDateTime GetWorkStart() const { return m_dtWorkStart; }
    virtual COleDateTime GetWorkEnd() const { return m_dtWorkEnd; }

protected:
    CString m_strDescription;
    COleDateTime m_dtWorkStart{ 0.0 };
    COleDateTime m_dtWorkEnd{ 0.0 };
};

class CZUDPAppointmentBaseMultiStorage : public CZUDPAppointmentBaseStorage {
    DECLARE_DYNAMIC(CZUDPAppointmentBaseMultiStorage)
public:
    // FALSE for id 0, a null storage or an id already present.  The first
    // resource becomes the current one.  With bAutoDelete the entry owns
    // the storage and the information object (which may be null).
    virtual BOOL AddResource(DWORD dwResourceID, CZUDPAppointmentBaseStorage* pStorage, CObject* pInfo,
                             BOOL bAutoDelete) = 0;
    // FALSE for an id not present.  Removing the current resource makes all
    // resources current (0).
    virtual BOOL RemoveResource(DWORD dwResourceID) = 0;
    virtual CZUDPAppointmentBaseStorage* GetResourceStorage(DWORD dwResourceID) const = 0;
    virtual int GetResourceCount() const = 0;
    // The ids in ascending order (the array is emptied first).
    virtual void GetResourceIDs(CArray<DWORD, DWORD>& ids) const = 0;
    virtual CObject* GetResourceInfo(DWORD dwResourceID) const = 0;
    // FALSE (nothing changes) for a non-zero id not present; 0 selects all.
    virtual BOOL SetCurrentResourceID(DWORD dwResourceID) = 0;
    virtual DWORD GetCurrentResourceID() const = 0;

protected:
    CZUDPAppointmentBaseMultiStorage() = default;
};

class CZUDPAppointmentMultiStorage : public CZUDPAppointmentBaseMultiStorage {
    DECLARE_DYNCREATE(CZUDPAppointmentMultiStorage)
public:
    struct XResource {
        CZUDPAppointmentBaseStorage* m_pStorage = nullptr;
        CObject* m_pInfo = nullptr;   // read by the multi-resource view (CZUDPResourceInfo)
        BOOL m_bAutoDelete = FALSE;   // the entry owns storage and information
    };

    CZUDPAppointmentMultiStorage() : m_Resources(10) {}
    ~CZUDPAppointmentMultiStorage() override;

    // Files under the appointment's resource, or the current one for
    // resource 0 (stamping the appointment with it); FALSE when that
    // resource has no storage.
    BOOL Add(CZUDPAppointment* pApp) override;
    BOOL Update(CZUDPAppointment* pApp, const COleDateTime& dtOld, BOOL bForceAdd = FALSE) override;
    BOOL Remove(CZUDPAppointment* pApp) override;
    BOOL RemoveAll() override;
    // The current resource's storage answers; without a current resource
    // every resource's answer is appended in turn (each sorted by its
    // storage, the whole not sorted, the result not emptied first).
    void Query(CZUDPAppointmentArray& result, const COleDateTime& dtFrom, const COleDateTime& dtTo) override;
    void QueryAll(CZUDPAppointmentArray& result) override;
    BOOL IsEmpty() const override;
    CZUDPAppointment* GetRecurrence(DWORD dwRecurrenceID) const override;
    // Any resource's storage holds it.
    BOOL HoldsAppointment(const CZUDPAppointment* pApp) const override;

    BOOL AddResource(DWORD dwResourceID, CZUDPAppointmentBaseStorage* pStorage, CObject* pInfo,
                     BOOL bAutoDelete) override;
    BOOL RemoveResource(DWORD dwResourceID) override;
    CZUDPAppointmentBaseStorage* GetResourceStorage(DWORD dwResourceID) const override;
    int GetResourceCount() const override { return int(m_Resources.GetCount()); }
    void GetResourceIDs(CArray<DWORD, DWORD>& ids) const override;
    CObject* GetResourceInfo(DWORD dwResourceID) const override;
    BOOL SetCurrentResourceID(DWORD dwResourceID) override;
    DWORD GetCurrentResourceID() const override { return m_CurrentResourceID; }

protected:
    // The storage of the appointment's resource (the current one for 0).
    CZUDPAppointmentBaseStorage* TargetStorage(const CZUDPAppointment* pApp, DWORD& dwTarget) const;
    static void DeleteResource(XResource* pResource);

    CMap<DWORD, DWORD, XResource*, XResource*> m_Resources;
    DWORD m_CurrentResourceID = 0;   // 0: all resources
};
