#pragma once
// Appointment properties: a typed, serializable snapshot of an
// appointment's values keyed by a 32-bit id.  They copy one appointment's
// values into another (occurrences are made from their master this way),
// record what an occurrence changed as an exception of its series, and
// describe recurrence rules (ids from 100 up).  A property is a single
// variant value or a list of image indexes; a property list maps ids to
// properties it owns.
#include "framework/List.h"
#include "framework/Map.h"
#include "framework/Object.h"
#include "framework/OleDateTime.h"
#include "framework/OleVariant.h"
#include "framework/String.h"

// The appointment's own property ids.
enum {
    ZUDP_APPOINTMENT_PROPERTY_START = 0,        // date
    ZUDP_APPOINTMENT_PROPERTY_FINISH = 1,       // date
    ZUDP_APPOINTMENT_PROPERTY_DESCRIPTION = 2,  // text
    ZUDP_APPOINTMENT_PROPERTY_BACKGROUND = 3,   // 32-bit colour
    ZUDP_APPOINTMENT_PROPERTY_DURATION = 4,     // 32-bit colour
    ZUDP_APPOINTMENT_PROPERTY_FOREGROUND = 5,   // 32-bit colour
    ZUDP_APPOINTMENT_PROPERTY_IMAGES = 6,       // image list
    ZUDP_APPOINTMENT_PROPERTY_ALLDAY = 7        // boolean
};

class CZUDPAppointmentBaseProperty : public CObject {
    DECLARE_SERIAL(CZUDPAppointmentBaseProperty)
public:
    CZUDPAppointmentBaseProperty() = default;

    // A property that holds a value.
    virtual BOOL IsValid() const { return FALSE; }
    // Takes the other's value when it is of the same kind.
    virtual CZUDPAppointmentBaseProperty& CopyFrom(const CZUDPAppointmentBaseProperty& rProp)
    {
        (void)rProp;
        return *this;
    }
    virtual BOOL IsEqual(const CZUDPAppointmentBaseProperty& rProp) const { return this == &rProp; }
    virtual BOOL IsNotEqual(const CZUDPAppointmentBaseProperty& rProp) const { return !IsEqual(rProp); }
};

// One variant value.  Dates keep their value only (not their status),
// spans are VT_R8 days, booleans VT_BOOL, integers VT_I4, texts VT_BSTR.
class CZUDPAppointmentProperty : public CZUDPAppointmentBaseProperty {
    DECLARE_SERIAL(CZUDPAppointmentProperty)
public:
    CZUDPAppointmentProperty() = default;
    explicit CZUDPAppointmentProperty(const CString& value) : m_Value(value) {}
    explicit CZUDPAppointmentProperty(LPCSTR value) : m_Value(value) {}
    explicit CZUDPAppointmentProperty(const COleDateTime& value) : m_Value(value) {}
    explicit CZUDPAppointmentProperty(const COleDateTimeSpan& value) : m_Value(value.m_span) {}
    // VT_BOOL (pass a bool: BOOL is an int and makes VT_I4).
    explicit CZUDPAppointmentProperty(bool value) : m_Value(short(value ? 1 : 0), VT_BOOL) {}
    explicit CZUDPAppointmentProperty(int value) : m_Value(LONG(value)) {}
    explicit CZUDPAppointmentProperty(const COleVariant& value) : m_Value(value) {}

    void Serialize(CArchive& ar) override;
    BOOL IsValid() const override { return m_Value.vt != VT_EMPTY; }
    CZUDPAppointmentBaseProperty& CopyFrom(const CZUDPAppointmentBaseProperty& rProp) override;
    BOOL IsEqual(const CZUDPAppointmentBaseProperty& rProp) const override;

    VARTYPE GetVarType() const { return m_Value.vt; }
    const COleVariant& GetValue() const { return m_Value; }

    // The value converted to each kind.  A conversion the value does not
    // allow throws CInvalidArgException; the Try forms answer FALSE instead
    // (and are what code applying properties from outside data uses).
    CString GetString() const;
    // The value as a double, valid when it is a date of the years
    // 100-9999, else invalid.
    COleDateTime GetDate() const;
    // The value as days; invalid outside -3615897..3615897.
    COleDateTimeSpan GetSpan() const;
    // A VT_BOOL is TRUE when non-zero; other kinds count as TRUE only when
    // they convert to VARIANT_TRUE.
    BOOL GetBool() const;
    int GetInt() const;
    BOOL TryGetString(CString& value) const;
    BOOL TryGetDate(COleDateTime& value) const;
    BOOL TryGetSpan(COleDateTimeSpan& value) const;
    BOOL TryGetBool(BOOL& value) const;
    BOOL TryGetInt(int& value) const;

protected:
    COleVariant m_Value;
};

// A list of image indexes.
class CZUDPAppointmentPropertyImages : public CZUDPAppointmentBaseProperty {
    DECLARE_SERIAL(CZUDPAppointmentPropertyImages)
public:
    CZUDPAppointmentPropertyImages() = default;
    explicit CZUDPAppointmentPropertyImages(const CList<int, int>& images);

    void Serialize(CArchive& ar) override;
    BOOL IsValid() const override { return TRUE; }
    CZUDPAppointmentBaseProperty& CopyFrom(const CZUDPAppointmentBaseProperty& rProp) override;
    BOOL IsEqual(const CZUDPAppointmentBaseProperty& rProp) const override;

    // Copies the indexes into the caller's list (emptied first).
    void GetImages(CList<int, int>& images) const;
    const CList<int, int>& GetImageList() const { return m_Images; }
    CList<int, int>& GetImageList() { return m_Images; }

protected:
    CList<int, int> m_Images{ 10 };
};

// Empties the target, then appends every source index in order.
void CopyImageList(const CList<int, int>& source, CList<int, int>& target);

class CZUDPAppointmentPropertyList : public CObject {
    DECLARE_SERIAL(CZUDPAppointmentPropertyList)
public:
    CZUDPAppointmentPropertyList() : m_Properties(10) {}
    ~CZUDPAppointmentPropertyList() override { RemoveAll(); }

    // FALSE when the id is present (the property is then not taken);
    // otherwise the list owns it.
    BOOL Add(DWORD dwID, CZUDPAppointmentBaseProperty* pProperty);
    CZUDPAppointmentBaseProperty* Get(DWORD dwID) const;
    BOOL PropertyExists(DWORD dwID) const;
    // The stored pointer itself, an empty slot made for an absent id; a
    // pointer written there is owned by the list (a previous one is not
    // deleted: the writer replaces it knowingly).
    CZUDPAppointmentBaseProperty*& operator[](DWORD dwID) { return m_Properties[dwID]; }

    INT_PTR GetCount() const { return m_Properties.GetCount(); }
    BOOL IsEmpty() const { return m_Properties.IsEmpty(); }
    POSITION GetStartPosition() const { return m_Properties.GetStartPosition(); }
    void GetNextAssoc(POSITION& rPos, DWORD& dwID, CZUDPAppointmentBaseProperty*& pProperty) const
    {
        m_Properties.GetNextAssoc(rPos, dwID, pProperty);
    }

    // Deletes every property.
    void RemoveAll();
    // Replaces the content by copies of the other list's properties (each
    // a new object of the property's class).
    void CopyFrom(const CZUDPAppointmentPropertyList& other);

    // Count, then for each entry in the map's order the id and the
    // property as an object.  Loading replaces the content; a null object
    // is skipped and a repeated id replaces (and deletes) the earlier one.
    void Serialize(CArchive& ar) override;
    // Same ids with equal properties (a null slot equals only a null slot).
    virtual BOOL IsEqual(const CZUDPAppointmentPropertyList& other) const;
    virtual BOOL IsNotEqual(const CZUDPAppointmentPropertyList& other) const { return !IsEqual(other); }

protected:
    CMap<DWORD, DWORD, CZUDPAppointmentBaseProperty*, CZUDPAppointmentBaseProperty*> m_Properties;
};
