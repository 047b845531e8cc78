#pragma once
// Synchronisation objects: CCriticalSection guards data that more than one
// thread touches; CSingleLock holds one for a scope.
#include "framework/win/WinSdk.h"

class CCriticalSection {
public:
    CCriticalSection() { ::InitializeCriticalSection(&m_sect); }
    ~CCriticalSection() { ::DeleteCriticalSection(&m_sect); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    BOOL Lock()
    {
        ::EnterCriticalSection(&m_sect);
        return TRUE;
    }
    BOOL Unlock()
    {
        ::LeaveCriticalSection(&m_sect);
        return TRUE;
    }
    operator CRITICAL_SECTION*() { return &m_sect; }

    CRITICAL_SECTION m_sect;
};

class CSingleLock {
public:
    explicit CSingleLock(CCriticalSection* pObject, BOOL bInitialLock = FALSE) : m_pObject(pObject)
    {
        if (bInitialLock)
            Lock();
    }
    ~CSingleLock() { Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    BOOL Lock()
    {
        if (m_pObject != nullptr && !m_bAcquired)
            m_bAcquired = m_pObject->Lock();
        return m_bAcquired;
    }
    BOOL Unlock()
    {
        if (m_pObject != nullptr && m_bAcquired) {
            m_pObject->Unlock();
            m_bAcquired = FALSE;
        }
        return TRUE;
    }
    BOOL IsLocked() const { return m_bAcquired; }

private:
    CCriticalSection* m_pObject;
    BOOL m_bAcquired = FALSE;
};
