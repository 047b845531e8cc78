#pragma once
// Maps from Win32 handles to the framework objects that wrap them, one set
// per thread.  A permanent entry is an object that the program made and
// attached (it lives until it detaches); a temporary entry is an object the
// framework made for a handle nobody had wrapped (FromHandle), which lives
// until the thread goes idle (AfxDeleteTempMaps) and must not be kept.
#include <unordered_map>
#include <vector>

// Deletes the temporary objects of every handle map of the calling thread.
// Never inside a nested message loop (debug builds assert): the code that
// started the loop may hold temporaries; loops call AfxDeleteTempMapsAtIdle.
void AfxDeleteTempMaps();
// Registers a cleanup of one handle map of the calling thread.
void AfxRegisterTempMapCleanup(void (*pfnCleanup)());

template <class THandle, class TObject>
class CHandleMap {
public:
    // setHandle stores a handle into an object, or clears it (null) before
    // a temporary object is deleted so its destructor leaves the handle.
    typedef void (*SetHandleFn)(TObject* pObject, THandle handle);

    explicit CHandleMap(SetHandleFn setHandle) : m_setHandle(setHandle) {}
    ~CHandleMap() { DeleteTemp(); }
    CHandleMap(const CHandleMap&) = delete;
    CHandleMap& operator=(const CHandleMap&) = delete;

    TObject* LookupPermanent(THandle handle) const
    {
        auto it = m_permanent.find(handle);
        return it == m_permanent.end() ? nullptr : it->second;
    }
    TObject* LookupTemporary(THandle handle) const
    {
        auto it = m_temporary.find(handle);
        return it == m_temporary.end() ? nullptr : it->second;
    }
    // The permanent object, else a temporary one made now.
    TObject* FromHandle(THandle handle)
    {
        if (handle == nullptr)
            return nullptr;
        if (TObject* p = LookupPermanent(handle))
            return p;
        if (TObject* p = LookupTemporary(handle))
            return p;
        TObject* p = new TObject;
        m_setHandle(p, handle);
        m_temporary[handle] = p;
        return p;
    }
    void SetPermanent(THandle handle, TObject* pObject)
    {
        // A handle wrapped for good no longer needs its temporary object:
        // the temporary keeps its handle (callers may still hold it) until
        // the idle cleanup, but lookups now find the permanent one.
        m_permanent[handle] = pObject;
    }
    void RemoveHandle(THandle handle) { m_permanent.erase(handle); }
    void DeleteTemp()
    {
        std::unordered_map<THandle, TObject*> temps;
        temps.swap(m_temporary);
        for (auto& entry : temps) {
            m_setHandle(entry.second, nullptr);
            delete entry.second;
        }
    }
    size_t TemporaryCount() const { return m_temporary.size(); }

private:
    SetHandleFn m_setHandle;
    std::unordered_map<THandle, TObject*> m_permanent;
    std::unordered_map<THandle, TObject*> m_temporary;
};

// The calling thread's map for one wrapper class, made on first use and
// registered for the idle cleanup.  The map is never destroyed: wrapper
// objects with static lifetime (fonts and brushes of the library's global
// data) detach from it while the program exits, after the thread's own
// objects are gone.
template <class THandle, class TObject>
CHandleMap<THandle, TObject>& AfxThreadHandleMap(void (*setHandle)(TObject*, THandle))
{
    thread_local CHandleMap<THandle, TObject>* map = nullptr;
    if (map == nullptr) {
        map = new CHandleMap<THandle, TObject>(setHandle);
        AfxRegisterTempMapCleanup([] { AfxThreadHandleMap<THandle, TObject>(nullptr).DeleteTemp(); });
    }
    return *map;
}
