#pragma once
// The object model: CObject, the root of the framework's classes, and
// CRuntimeClass, the description of a class that lets code ask an object for
// its class, test derivation, create an object from its class name and keep
// a schema number for archived objects.
//
// A class takes part by declaring DECLARE_DYNAMIC (class information),
// DECLARE_DYNCREATE (also creatable by name; needs a default constructor)
// or DECLARE_SERIAL (also archived by CArchive with a schema number) in its
// body, and the matching IMPLEMENT_ macro in one .cpp.  Every class with an
// IMPLEMENT_ macro is registered before main() runs and can be found by
// name with CRuntimeClass::FromName.  (A class that lives in a static
// library is registered only when its object file is linked in.)
#include "framework/Types.h"

class CObject;
class CArchive;

// Schema number flag: the class accepts archives of older schemas and reads
// the schema of the object being loaded with CArchive::GetObjectSchema.
#define VERSIONABLE_SCHEMA (0x80000000)

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                       // 0xFFFF: not serializable
    CObject* (*m_pfnCreateObject)();      // null: not creatable by name
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass;          // registry of all classes

    // A new object of this class, or null when the class is not creatable.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // The registered class of this name (exact, case-sensitive), or null.
    static CRuntimeClass* FromName(LPCSTR lpszClassName);
    // A new object of the registered class of this name, or null.
    static CObject* CreateObject(LPCSTR lpszClassName);

    // Archive form of a class reference: schema (WORD), name length (WORD),
    // name.  Load returns null when the class is unknown.
    void Store(CArchive& ar) const;
    static CRuntimeClass* Load(CArchive& ar, UINT* pwSchemaNum);
};

// Links a class into the registry; one static instance per IMPLEMENT_ macro.
struct AFX_CLASSINIT {
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

class CObject {
public:
    static CRuntimeClass classCObject;

    virtual ~CObject() = default;
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;

    BOOL IsSerializable() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

protected:
    CObject() = default;

private:
    // Framework objects are not copied implicitly; a class that wants copies
    // defines its own copy operations.
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name) \
public: \
    static CRuntimeClass class##class_name; \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) \
    DECLARE_DYNCREATE(class_name) \
    friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
    CRuntimeClass class_name::class##class_name = { \
        #class_name, int(sizeof(class_name)), UINT(wSchema), pfnNew, \
        RUNTIME_CLASS(base_class_name), nullptr }; \
    static AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name)); \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

// The .cpp that uses IMPLEMENT_SERIAL includes "framework/Archive.h".
#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema) \
    CObject* class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject) \
    CArchive& operator>>(CArchive& ar, class_name*& pOb) \
    { pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name))); return ar; }

// IMPLEMENT_SERIAL for classes whose objects are owned by whoever reads
// them: the extraction operator reads with CArchive::ReadOwnedObject, so a
// reference to an object read before is refused instead of handing one
// object to two owners.
#define IMPLEMENT_SERIAL_OWNED(class_name, base_class_name, wSchema) \
    CObject* class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject) \
    CArchive& operator>>(CArchive& ar, class_name*& pOb) \
    { pOb = static_cast<class_name*>(ar.ReadOwnedObject(RUNTIME_CLASS(class_name))); return ar; }

// The object as a pointer to the class when it is of that class or derived
// from it, else null (also for a null object).
template <class T>
inline T* AfxDynamicDownCastTo(const CRuntimeClass* pClass, CObject* pObject)
{
    return (pObject != nullptr && pObject->IsKindOf(pClass)) ? static_cast<T*>(pObject) : nullptr;
}
template <class T>
inline const T* AfxDynamicDownCastTo(const CRuntimeClass* pClass, const CObject* pObject)
{
    return (pObject != nullptr && pObject->IsKindOf(pClass)) ? static_cast<const T*>(pObject) : nullptr;
}
template <class T>
inline T* AfxStaticDownCastTo(const CRuntimeClass* pClass, CObject* pObject)
{
    ASSERT(pObject == nullptr || pObject->IsKindOf(pClass));
    (void)pClass;
    return static_cast<T*>(pObject);
}
template <class T>
inline const T* AfxStaticDownCastTo(const CRuntimeClass* pClass, const CObject* pObject)
{
    ASSERT(pObject == nullptr || pObject->IsKindOf(pClass));
    (void)pClass;
    return static_cast<const T*>(pObject);
}

#define DYNAMIC_DOWNCAST(class_name, object) (AfxDynamicDownCastTo<class_name>(RUNTIME_CLASS(class_name), object))
#define STATIC_DOWNCAST(class_name, object) (AfxStaticDownCastTo<class_name>(RUNTIME_CLASS(class_name), object))
#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))

// The registered class of this name, or null (same as CRuntimeClass::FromName).
CRuntimeClass* AfxClassForName(LPCSTR lpszClassName);
