#pragma once
// COleVariant: one value of an automation type, tagged by its VT_ code.
// It holds the scalar kinds and text; text is 8-bit (the program's code
// page) on both builds.
//
// Equality (==): same type, then by type: VT_EMPTY and VT_NULL are equal;
// 8-, 16-, 32- and 64-bit kinds compare their bits; VT_R4 as float and
// VT_R8 and VT_DATE as exact doubles (no half-second tolerance); VT_BSTR
// compares length and bytes (case-sensitive); VT_DECIMAL all 16 bytes.
//
// Conversions (ChangeType) among the kinds: numbers (the integer kinds,
// VT_R4, VT_R8, VT_CY, VT_DATE, VT_BOOL) convert to each other with integer
// targets rounded half to even and refused when out of range; a date
// target must be a valid date; VT_BOOL becomes -1 (VARIANT_TRUE) for any
// non-zero number; VT_EMPTY converts to zero, "" or FALSE; text converts to
// a number it spells exactly (surrounding blanks allowed), to VT_BOOL also
// from "true"/"false" (any case), to a date from "YYYY-MM-DD[ HH:MM[:SS]]";
// numbers become text in the C locale ("%.15g" for floating point, dates
// in the form just given).  VT_NULL, VT_ERROR and VT_DECIMAL convert to
// nothing but themselves.  A refused conversion returns FALSE and leaves
// the value as it was.
//
// Archive form: the type as a WORD, then the value in that type's form:
// nothing for VT_EMPTY and VT_NULL, the value's bytes (1, 2, 4, 8 or 16,
// little-endian) for the others, and for VT_BSTR a 32-bit byte count and
// the bytes.  Reading a type this class cannot hold throws
// CArchiveException (badSchema).
#ifdef _WIN32
// The VT_ codes, VARTYPE and VARIANT_BOOL of the Windows headers.
#include <wtypes.h>
#endif

#include "framework/OleDateTime.h"
#include "framework/String.h"
#include "framework/Types.h"

#ifndef _WIN32
typedef unsigned short VARTYPE;
typedef short VARIANT_BOOL;
#define VARIANT_TRUE ((VARIANT_BOOL)-1)
#define VARIANT_FALSE ((VARIANT_BOOL)0)
enum VARENUM {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_DECIMAL = 14,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_UI8 = 21,
    VT_INT = 22,
    VT_UINT = 23
};
#endif

class CArchive;

class COleVariant {
public:
    COleVariant() = default;
    COleVariant(LPCSTR lpszSrc) { SetText(lpszSrc); }
    COleVariant(const CString& strSrc) { SetText(strSrc); }
    // VT_I4, VT_ERROR or VT_BOOL (any non-zero value is VARIANT_TRUE).
    COleVariant(LONG lSrc, VARTYPE vtSrc = VT_I4);
#ifdef _WIN32
    // LONG is long on Windows, int natively (where the constructor above
    // takes ints).
    COleVariant(int nSrc) : COleVariant(LONG(nSrc)) {}
#endif
    // VT_I2 or VT_BOOL.
    COleVariant(short nSrc, VARTYPE vtSrc = VT_I2);
    COleVariant(BYTE nSrc) : vt(VT_UI1) { bVal = nSrc; }
    COleVariant(float fltSrc) : vt(VT_R4) { fltVal = fltSrc; }
    // VT_R8 or VT_DATE.
    COleVariant(double dblSrc, VARTYPE vtSrc = VT_R8);
    COleVariant(LONGLONG nSrc) : vt(VT_I8) { llVal = nSrc; }
    COleVariant(ULONGLONG nSrc) : vt(VT_UI8) { ullVal = nSrc; }
    // VT_DATE with the date's value (its status is not kept).
    COleVariant(const COleDateTime& dateSrc) : vt(VT_DATE) { date = dateSrc.m_dt; }

    // Makes the variant VT_EMPTY.
    void Clear();
    VARTYPE GetType() const { return vt; }

    // A value of any kind this class can hold: the VT_ codes listed at the
    // top, for which the union below has a member.
    static BOOL IsSupportedType(VARTYPE vtType);
    // A value of the given supported type with zero bits (the empty text
    // for VT_BSTR); FALSE for a type this class cannot hold.
    BOOL SetZero(VARTYPE vtType);

    // Converts the value (see the top); FALSE leaves it unchanged.
    BOOL ChangeType(VARTYPE vtNew);
    // The value converted into out (this one unchanged); FALSE when refused.
    BOOL ConvertTo(VARTYPE vtNew, COleVariant& out) const;

    // VT_BSTR: the text (empty for other types).
    const CString& GetText() const { return m_text; }
    void SetText(LPCSTR lpszSrc);
    void SetText(const CString& strSrc);   // keeps every byte, zeros too

    bool operator==(const COleVariant& other) const;
    bool operator!=(const COleVariant& other) const { return !(*this == other); }

    VARTYPE vt = VT_EMPTY;
    union {
        char cVal;
        BYTE bVal;
        short iVal;
        unsigned short uiVal;
        VARIANT_BOOL boolVal;
        LONG lVal;
        ULONG ulVal;
        int intVal;
        unsigned int uintVal;
        LONG scode;
        float fltVal;
        double dblVal;
        double date;
        LONGLONG llVal;
        ULONGLONG ullVal;
        LONGLONG cyVal;            // VT_CY: the amount times 10,000
        BYTE decVal[16] = {};      // VT_DECIMAL, kept as its 16 bytes (zero at first)
    };

private:
    CString m_text;
};

CArchive& operator<<(CArchive& ar, const COleVariant& var);
CArchive& operator>>(CArchive& ar, COleVariant& var);
