#include "ui/planner/ZUDPAppointmentProperty.h"

#include "framework/Archive.h"
#include "framework/Exceptions.h"

IMPLEMENT_SERIAL_OWNED(CZUDPAppointmentBaseProperty, CObject, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL_OWNED(CZUDPAppointmentProperty, CZUDPAppointmentBaseProperty, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL_OWNED(CZUDPAppointmentPropertyImages, CZUDPAppointmentBaseProperty, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL_OWNED(CZUDPAppointmentPropertyList, CObject, VERSIONABLE_SCHEMA | 1)

// ---- CZUDPAppointmentProperty ------------------------------------------------

void CZUDPAppointmentProperty::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_Value;
    else
        ar >> m_Value;
}

CZUDPAppointmentBaseProperty& CZUDPAppointmentProperty::CopyFrom(const CZUDPAppointmentBaseProperty& rProp)
{
    if (const auto* other = DYNAMIC_DOWNCAST(CZUDPAppointmentProperty, &rProp))
        m_Value = other->m_Value;
    return *this;
}

BOOL CZUDPAppointmentProperty::IsEqual(const CZUDPAppointmentBaseProperty& rProp) const
{
    if (this == &rProp)
        return TRUE;
    const auto* other = DYNAMIC_DOWNCAST(CZUDPAppointmentProperty, &rProp);
    return other != nullptr && m_Value == other->m_Value;
}

BOOL CZUDPAppointmentProperty::TryGetString(CString& value) const
{
    COleVariant converted;
    if (!m_Value.ConvertTo(VT_BSTR, converted))
        return FALSE;
    value = converted.GetText();
    return TRUE;
}

BOOL CZUDPAppointmentProperty::TryGetDate(COleDateTime& value) const
{
    // Dates and numbers as their double; a text as the date it spells.
    COleVariant converted;
    if (m_Value.ConvertTo(VT_R8, converted)) {
        value = COleDateTime(converted.dblVal);
        return TRUE;
    }
    if (!m_Value.ConvertTo(VT_DATE, converted))
        return FALSE;
    value = COleDateTime(converted.date);
    return TRUE;
}

BOOL CZUDPAppointmentProperty::TryGetSpan(COleDateTimeSpan& value) const
{
    COleVariant converted;
    if (!m_Value.ConvertTo(VT_R8, converted))
        return FALSE;
    value = COleDateTimeSpan(converted.dblVal);
    return TRUE;
}

BOOL CZUDPAppointmentProperty::TryGetBool(BOOL& value) const
{
    if (m_Value.vt == VT_BOOL) {
        value = m_Value.boolVal != 0;
        return TRUE;
    }
    COleVariant converted;
    if (!m_Value.ConvertTo(VT_BOOL, converted))
        return FALSE;
    value = converted.boolVal == VARIANT_TRUE;
    return TRUE;
}

BOOL CZUDPAppointmentProperty::TryGetInt(int& value) const
{
    COleVariant converted;
    if (!m_Value.ConvertTo(VT_I4, converted))
        return FALSE;
    value = int(converted.lVal);
    return TRUE;
}

CString CZUDPAppointmentProperty::GetString() const
{
    CString value;
    if (!TryGetString(value))
        AfxThrowInvalidArgException();
    return value;
}

COleDateTime CZUDPAppointmentProperty::GetDate() const
{
    COleDateTime value;
    if (!TryGetDate(value))
        AfxThrowInvalidArgException();
    return value;
}

COleDateTimeSpan CZUDPAppointmentProperty::GetSpan() const
{
    COleDateTimeSpan value;
    if (!TryGetSpan(value))
        AfxThrowInvalidArgException();
    return value;
}

BOOL CZUDPAppointmentProperty::GetBool() const
{
    BOOL value = FALSE;
    if (!TryGetBool(value))
        AfxThrowInvalidArgException();
    return value;
}

int CZUDPAppointmentProperty::GetInt() const
{
    int value = 0;
    if (!TryGetInt(value))
        AfxThrowInvalidArgException();
    return value;
}

// ---- CZUDPAppointmentPropertyImages ------------------------------------------

void CopyImageList(const CList<int, int>& source, CList<int, int>& target)
{
    if (&source == &target)
        return;
    target.RemoveAll();
    for (POSITION pos = source.GetHeadPosition(); pos != nullptr;)
        target.AddTail(source.GetNext(pos));
}

CZUDPAppointmentPropertyImages::CZUDPAppointmentPropertyImages(const CList<int, int>& images)
{
    CopyImageList(images, m_Images);
}

void CZUDPAppointmentPropertyImages::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << int32_t(m_Images.GetCount());
        for (POSITION pos = m_Images.GetHeadPosition(); pos != nullptr;)
            ar << int32_t(m_Images.GetNext(pos));
    } else {
        int32_t count;
        ar >> count;
        if (count < 0)
            AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
        ar.CheckCount(ULONGLONG(count), 4);
        for (int32_t i = 0; i < count; ++i) {
            int32_t image;
            ar >> image;
            m_Images.AddTail(int(image));
        }
    }
}

CZUDPAppointmentBaseProperty& CZUDPAppointmentPropertyImages::CopyFrom(const CZUDPAppointmentBaseProperty& rProp)
{
    if (const auto* other = DYNAMIC_DOWNCAST(CZUDPAppointmentPropertyImages, &rProp))
        CopyImageList(other->m_Images, m_Images);
    return *this;
}

BOOL CZUDPAppointmentPropertyImages::IsEqual(const CZUDPAppointmentBaseProperty& rProp) const
{
    if (this == &rProp)
        return TRUE;
    const auto* other = DYNAMIC_DOWNCAST(CZUDPAppointmentPropertyImages, &rProp);
    if (other == nullptr || other->m_Images.GetCount() != m_Images.GetCount())
        return FALSE;
    POSITION mine = m_Images.GetHeadPosition();
    POSITION theirs = other->m_Images.GetHeadPosition();
    while (mine != nullptr) {
        if (m_Images.GetNext(mine) != other->m_Images.GetNext(theirs))
            return FALSE;
    }
    return TRUE;
}

void CZUDPAppointmentPropertyImages::GetImages(CList<int, int>& images) const
{
    CopyImageList(m_Images, images);
}

// ---- CZUDPAppointmentPropertyList --------------------------------------------

BOOL CZUDPAppointmentPropertyList::Add(DWORD dwID, CZUDPAppointmentBaseProperty* pProperty)
{
    if (m_Properties.PLookup(dwID) != nullptr)
        return FALSE;
    m_Properties[dwID] = pProperty;
    return TRUE;
}

CZUDPAppointmentBaseProperty* CZUDPAppointmentPropertyList::Get(DWORD dwID) const
{
    CZUDPAppointmentBaseProperty* pProperty = nullptr;
    m_Properties.Lookup(dwID, pProperty);
    return pProperty;
}

BOOL CZUDPAppointmentPropertyList::PropertyExists(DWORD dwID) const
{
    return m_Properties.PLookup(dwID) != nullptr;
}

void CZUDPAppointmentPropertyList::RemoveAll()
{
    for (POSITION pos = m_Properties.GetStartPosition(); pos != nullptr;) {
        DWORD id;
        CZUDPAppointmentBaseProperty* pProperty;
        m_Properties.GetNextAssoc(pos, id, pProperty);
        delete pProperty;
    }
    m_Properties.RemoveAll();
}

void CZUDPAppointmentPropertyList::CopyFrom(const CZUDPAppointmentPropertyList& other)
{
    if (&other == this)
        return;
    RemoveAll();
    for (POSITION pos = other.GetStartPosition(); pos != nullptr;) {
        DWORD id;
        CZUDPAppointmentBaseProperty* pSource;
        other.GetNextAssoc(pos, id, pSource);
        if (pSource == nullptr)
            continue;
        CObject* pObject = pSource->GetRuntimeClass()->CreateObject();
        auto* pCopy = DYNAMIC_DOWNCAST(CZUDPAppointmentBaseProperty, pObject);
        if (pCopy == nullptr) {
            delete pObject;
            continue;
        }
        pCopy->CopyFrom(*pSource);
        m_Properties[id] = pCopy;
    }
}

void CZUDPAppointmentPropertyList::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        int32_t count = 0;
        for (POSITION pos = GetStartPosition(); pos != nullptr;) {
            DWORD id;
            CZUDPAppointmentBaseProperty* pProperty;
            GetNextAssoc(pos, id, pProperty);
            if (pProperty != nullptr)
                ++count;
        }
        ar << count;
        for (POSITION pos = GetStartPosition(); pos != nullptr;) {
            DWORD id;
            CZUDPAppointmentBaseProperty* pProperty;
            GetNextAssoc(pos, id, pProperty);
            if (pProperty == nullptr)
                continue;
            ar << id;
            ar.WriteObject(pProperty);
        }
        return;
    }
    RemoveAll();
    int32_t count;
    ar >> count;
    if (count < 0)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    // An entry is an id and at least a null object tag.
    ar.CheckCount(ULONGLONG(count), 4 + 2);
    for (int32_t i = 0; i < count; ++i) {
        DWORD id;
        ar >> id;
        CObject* pObject = ar.ReadOwnedObject(RUNTIME_CLASS(CZUDPAppointmentBaseProperty));
        if (pObject == nullptr)
            continue;
        auto* pProperty = static_cast<CZUDPAppointmentBaseProperty*>(pObject);
        CZUDPAppointmentBaseProperty*& slot = m_Properties[id];
        delete slot;
        slot = pProperty;
    }
}

BOOL CZUDPAppointmentPropertyList::IsEqual(const CZUDPAppointmentPropertyList& other) const
{
    if (GetCount() != other.GetCount())
        return FALSE;
    for (POSITION pos = GetStartPosition(); pos != nullptr;) {
        DWORD id;
        CZUDPAppointmentBaseProperty* pMine;
        GetNextAssoc(pos, id, pMine);
        const auto* pair = other.m_Properties.PLookup(id);
        if (pair == nullptr)
            return FALSE;
        CZUDPAppointmentBaseProperty* pTheirs = pair->value;
        if (pMine == nullptr || pTheirs == nullptr) {
            if (pMine != pTheirs)
                return FALSE;
            continue;
        }
        if (!pMine->IsEqual(*pTheirs))
            return FALSE;
    }
    return TRUE;
}
