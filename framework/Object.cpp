#include "framework/Object.h"

#include <cstring>

namespace {
// Head of the registry.  A plain pointer is zero before any constructor
// runs, so registration works whatever the order of static initialisation.
CRuntimeClass* g_firstClass = nullptr;
} // namespace

CRuntimeClass CObject::classCObject = { "CObject", int(sizeof(CObject)), 0xFFFF, nullptr, nullptr, nullptr };
static AFX_CLASSINIT _init_CObject(RUNTIME_CLASS(CObject));

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass)
{
    pNewClass->m_pNextClass = g_firstClass;
    g_firstClass = pNewClass;
}

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject != nullptr ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* c = this; c != nullptr; c = c->m_pBaseClass) {
        if (c == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == nullptr)
        return nullptr;
    for (CRuntimeClass* c = g_firstClass; c != nullptr; c = c->m_pNextClass) {
        if (std::strcmp(c->m_lpszClassName, lpszClassName) == 0)
            return c;
    }
    return nullptr;
}

CObject* CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* c = FromName(lpszClassName);
    return c != nullptr ? c->CreateObject() : nullptr;
}

CRuntimeClass* AfxClassForName(LPCSTR lpszClassName)
{
    return CRuntimeClass::FromName(lpszClassName);
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

void CObject::Serialize(CArchive&)
{
}

void CObject::AssertValid() const
{
}

BOOL CObject::IsSerializable() const
{
    return (GetRuntimeClass()->m_wSchema & 0xFFFF) != 0xFFFF;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}
