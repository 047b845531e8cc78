#include "framework/OleVariant.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/Archive.h"

namespace {

bool IsIntegerType(VARTYPE vt)
{
    switch (vt) {
    case VT_I1: case VT_UI1: case VT_I2: case VT_UI2: case VT_I4: case VT_UI4:
    case VT_INT: case VT_UINT: case VT_I8: case VT_UI8:
        return true;
    default:
        return false;
    }
}

// The kinds that convert as numbers.
bool IsNumberType(VARTYPE vt)
{
    return IsIntegerType(vt) || vt == VT_R4 || vt == VT_R8 || vt == VT_DATE || vt == VT_CY || vt == VT_BOOL;
}

// A number's value, exact for every integer kind (the long double of both
// builds has a 64-bit mantissa).
long double NumberOf(const COleVariant& v)
{
    switch (v.vt) {
    case VT_I1: return v.cVal;
    case VT_UI1: return v.bVal;
    case VT_I2: return v.iVal;
    case VT_UI2: return v.uiVal;
    case VT_BOOL: return v.boolVal;
    case VT_I4: return v.lVal;
    case VT_UI4: return v.ulVal;
    case VT_INT: return v.intVal;
    case VT_UINT: return v.uintVal;
    case VT_I8: return v.llVal;
    case VT_UI8: return v.ullVal;
    case VT_R4: return v.fltVal;
    case VT_R8: return v.dblVal;
    case VT_DATE: return v.date;
    case VT_CY: return static_cast<long double>(v.cyVal) / 10000.0L;
    default: return 0.0L;
    }
}

// x rounded half to even, when it lies within [low, high].
bool RoundInto(long double x, long double low, long double high, long double& rounded)
{
    if (!std::isfinite(x))
        return false;
    long double r = std::nearbyint(x);
    if (std::fabs(x - std::trunc(x)) == 0.5L) {
        // Halves go to the even neighbour whatever the rounding mode.
        long double down = std::floor(x);
        r = std::fmod(down, 2.0L) == 0.0L ? down : down + 1.0L;
    }
    if (r < low || r > high)
        return false;
    rounded = r;
    return true;
}

// A number into a number kind; false when it does not fit.
bool NumberInto(long double x, VARTYPE vt, COleVariant& out)
{
    long double r = 0;
    COleVariant v;
    v.vt = vt;
    switch (vt) {
    case VT_I1: if (!RoundInto(x, -128.0L, 127.0L, r)) return false; v.cVal = char(int(r)); break;
    case VT_UI1: if (!RoundInto(x, 0.0L, 255.0L, r)) return false; v.bVal = BYTE(int(r)); break;
    case VT_I2: if (!RoundInto(x, -32768.0L, 32767.0L, r)) return false; v.iVal = short(r); break;
    case VT_UI2: if (!RoundInto(x, 0.0L, 65535.0L, r)) return false; v.uiVal = (unsigned short)(r); break;
    case VT_I4: if (!RoundInto(x, -2147483648.0L, 2147483647.0L, r)) return false; v.lVal = LONG(r); break;
    case VT_INT: if (!RoundInto(x, -2147483648.0L, 2147483647.0L, r)) return false; v.intVal = int(r); break;
    case VT_UI4: if (!RoundInto(x, 0.0L, 4294967295.0L, r)) return false; v.ulVal = ULONG(r); break;
    case VT_UINT: if (!RoundInto(x, 0.0L, 4294967295.0L, r)) return false; v.uintVal = unsigned(r); break;
    case VT_I8:
        if (!RoundInto(x, -9223372036854775808.0L, 9223372036854775807.0L, r))
            return false;
        v.llVal = LONGLONG(r);
        break;
    case VT_UI8:
        if (!RoundInto(x, 0.0L, 18446744073709551615.0L, r))
            return false;
        v.ullVal = ULONGLONG(r);
        break;
    case VT_CY:
        if (!RoundInto(x * 10000.0L, -9223372036854775808.0L, 9223372036854775807.0L, r))
            return false;
        v.cyVal = LONGLONG(r);
        break;
    case VT_R4:
        if (std::isfinite(x) && std::fabs(x) > FLT_MAX)
            return false;
        v.fltVal = float(x);
        break;
    case VT_R8:
        if (std::isfinite(x) && std::fabs(x) > DBL_MAX)
            return false;
        v.dblVal = double(x);
        break;
    case VT_DATE: {
        COleDateTime d(static_cast<double>(x));
        if (d.GetStatus() != COleDateTime::valid)
            return false;
        v.date = d.m_dt;
        break;
    }
    case VT_BOOL:
        v.boolVal = x != 0.0L ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    default:
        return false;
    }
    out = v;
    return true;
}

// The text without blanks around it.
CString Trimmed(const CString& text)
{
    CString t(text);
    t.Trim(" \t\r\n");
    return t;
}

// A decimal number spelt exactly: sign, digits, a point, an exponent.
bool ParseNumber(const CString& text, long double& value)
{
    CString t = Trimmed(text);
    const char* p = t;
    const char* s = p;
    if (*s == '+' || *s == '-')
        ++s;
    int digits = 0;
    while (*s >= '0' && *s <= '9') {
        ++s;
        ++digits;
    }
    if (*s == '.') {
        ++s;
        while (*s >= '0' && *s <= '9') {
            ++s;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (*s == 'e' || *s == 'E') {
        ++s;
        if (*s == '+' || *s == '-')
            ++s;
        if (!(*s >= '0' && *s <= '9'))
            return false;
        while (*s >= '0' && *s <= '9')
            ++s;
    }
    if (*s != '\0')
        return false;
    value = std::strtold(p, nullptr);
    return true;
}

// "YYYY-MM-DD", optionally followed by " HH:MM" and ":SS".
bool ParseDate(const CString& text, COleDateTime& date)
{
    CString t = Trimmed(text);
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, used = 0;
    const char* p = t;
    int n = std::sscanf(p, "%4d-%2d-%2d%n %2d:%2d%n:%2d%n", &y, &mo, &d, &used, &h, &mi, &used, &s, &used);
    if (n < 3 || size_t(used) != std::strlen(p) || n == 4)
        return false;
    date.SetDateTime(y, mo, d, h, mi, s);
    return date.GetStatus() == COleDateTime::valid;
}

CString DateText(double value)
{
    COleDateTime d(value);
    if (d.GetHour() == 0 && d.GetMinute() == 0 && d.GetSecond() == 0)
        return d.Format("%Y-%m-%d");
    return d.Format("%Y-%m-%d %H:%M:%S");
}

CString NumberText(const COleVariant& v)
{
    CString t;
    switch (v.vt) {
    case VT_I1: t.Format("%d", int(v.cVal)); break;
    case VT_UI1: t.Format("%u", unsigned(v.bVal)); break;
    case VT_I2: t.Format("%d", int(v.iVal)); break;
    case VT_UI2: t.Format("%u", unsigned(v.uiVal)); break;
    case VT_I4: t.Format("%ld", long(v.lVal)); break;
    case VT_UI4: t.Format("%lu", (unsigned long)(v.ulVal)); break;
    case VT_INT: t.Format("%d", v.intVal); break;
    case VT_UINT: t.Format("%u", v.uintVal); break;
    case VT_I8: t.Format("%lld", (long long)(v.llVal)); break;
    case VT_UI8: t.Format("%llu", (unsigned long long)(v.ullVal)); break;
    case VT_R4: t.Format("%.7g", double(v.fltVal)); break;
    case VT_R8: t.Format("%.15g", v.dblVal); break;
    case VT_BOOL: t = v.boolVal != 0 ? "True" : "False"; break;
    case VT_DATE: t = DateText(v.date); break;
    case VT_CY: {
        unsigned long long magnitude = v.cyVal < 0 ? 0ULL - (unsigned long long)(v.cyVal) : (unsigned long long)(v.cyVal);
        t.Format("%s%llu", v.cyVal < 0 ? "-" : "", magnitude / 10000);
        if (magnitude % 10000 != 0) {
            CString fraction;
            fraction.Format("%04llu", magnitude % 10000);
            fraction.TrimRight('0');
            t += '.';
            t += fraction;
        }
        break;
    }
    default: break;
    }
    return t;
}

} // namespace

COleVariant::COleVariant(LONG lSrc, VARTYPE vtSrc)
{
    if (vtSrc == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = lSrc != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        vt = vtSrc == VT_ERROR ? VT_ERROR : VT_I4;
        lVal = lSrc;
    }
}

COleVariant::COleVariant(short nSrc, VARTYPE vtSrc)
{
    if (vtSrc == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = nSrc != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        vt = VT_I2;
        iVal = nSrc;
    }
}

COleVariant::COleVariant(double dblSrc, VARTYPE vtSrc)
{
    vt = vtSrc == VT_DATE ? VT_DATE : VT_R8;
    dblVal = dblSrc;
}

void COleVariant::Clear()
{
    vt = VT_EMPTY;
    std::memset(decVal, 0, sizeof decVal);
    m_text.Empty();
}

void COleVariant::SetText(LPCSTR lpszSrc)
{
    Clear();
    vt = VT_BSTR;
    m_text = lpszSrc != nullptr ? lpszSrc : "";
}

void COleVariant::SetText(const CString& strSrc)
{
    Clear();
    vt = VT_BSTR;
    m_text = strSrc;
}

BOOL COleVariant::IsSupportedType(VARTYPE vtType)
{
    return vtType == VT_EMPTY || vtType == VT_NULL || vtType == VT_BSTR || vtType == VT_ERROR ||
           vtType == VT_DECIMAL || IsNumberType(vtType);
}

BOOL COleVariant::SetZero(VARTYPE vtType)
{
    if (!IsSupportedType(vtType))
        return FALSE;
    Clear();
    vt = vtType;
    return TRUE;
}

BOOL COleVariant::ConvertTo(VARTYPE vtNew, COleVariant& out) const
{
    if (vtNew == vt) {
        out = *this;
        return TRUE;
    }
    if (!IsSupportedType(vtNew))
        return FALSE;
    if (vt == VT_EMPTY) {
        if (vtNew == VT_BSTR) {
            out.SetText("");
            return TRUE;
        }
        if (!IsNumberType(vtNew))
            return FALSE;
        return NumberInto(0.0L, vtNew, out);
    }
    if (IsNumberType(vt)) {
        if (vtNew == VT_BSTR) {
            out.SetText(NumberText(*this));
            return TRUE;
        }
        if (!IsNumberType(vtNew))
            return FALSE;
        return NumberInto(NumberOf(*this), vtNew, out);
    }
    if (vt == VT_BSTR) {
        if (vtNew == VT_DATE) {
            COleDateTime d;
            if (!ParseDate(m_text, d))
                return FALSE;
            COleVariant v(d);
            out = v;
            return TRUE;
        }
        if (vtNew == VT_BOOL) {
            CString t = Trimmed(m_text);
            if (t.CompareNoCase("true") == 0 || t.CompareNoCase("false") == 0) {
                COleVariant v(short(t.CompareNoCase("true") == 0 ? 1 : 0), VT_BOOL);
                out = v;
                return TRUE;
            }
        }
        if (!IsNumberType(vtNew))
            return FALSE;
        long double x;
        if (!ParseNumber(m_text, x))
            return FALSE;
        return NumberInto(x, vtNew, out);
    }
    // VT_NULL, VT_ERROR and VT_DECIMAL stay what they are.
    return FALSE;
}

BOOL COleVariant::ChangeType(VARTYPE vtNew)
{
    COleVariant converted;
    if (!ConvertTo(vtNew, converted))
        return FALSE;
    *this = converted;
    return TRUE;
}

bool COleVariant::operator==(const COleVariant& other) const
{
    if (vt != other.vt)
        return false;
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
        return true;
    case VT_I2:
    case VT_BOOL:
    case VT_UI2:
        return iVal == other.iVal;
    case VT_R4:
        return fltVal == other.fltVal;
    case VT_R8:
    case VT_DATE:
        return dblVal == other.dblVal;
    case VT_CY:
    case VT_I8:
    case VT_UI8:
        return llVal == other.llVal;
    case VT_BSTR:
        return m_text.GetLength() == other.m_text.GetLength() &&
               std::memcmp(static_cast<LPCSTR>(m_text), static_cast<LPCSTR>(other.m_text), size_t(m_text.GetLength())) == 0;
    case VT_DECIMAL:
        return std::memcmp(decVal, other.decVal, sizeof decVal) == 0;
    case VT_I1:
    case VT_UI1:
        return bVal == other.bVal;
    default:
        return lVal == other.lVal;
    }
}

CArchive& operator<<(CArchive& ar, const COleVariant& var)
{
    ar << WORD(var.vt);
    switch (var.vt) {
    case VT_EMPTY:
    case VT_NULL:
        break;
    case VT_I1:
    case VT_UI1:
        ar << var.bVal;
        break;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
        ar << var.iVal;
        break;
    case VT_R4:
        ar << var.fltVal;
        break;
    case VT_R8:
    case VT_DATE:
        ar << var.dblVal;
        break;
    case VT_CY:
    case VT_I8:
    case VT_UI8:
        ar << var.llVal;
        break;
    case VT_DECIMAL:
        ar.Write(var.decVal, UINT(sizeof var.decVal));
        break;
    case VT_BSTR: {
        const CString& text = var.GetText();
        ar << DWORD(text.GetLength());
        ar.Write(static_cast<LPCSTR>(text), UINT(text.GetLength()));
        break;
    }
    default:
        ar << var.lVal;
        break;
    }
    return ar;
}

CArchive& operator>>(CArchive& ar, COleVariant& var)
{
    WORD type;
    ar >> type;
    COleVariant v;
    if (!v.SetZero(VARTYPE(type)))
        AfxThrowArchiveException(CArchiveException::badSchema, ar.m_strFileName);
    switch (v.vt) {
    case VT_EMPTY:
    case VT_NULL:
        break;
    case VT_I1:
    case VT_UI1:
        ar >> v.bVal;
        break;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
        ar >> v.iVal;
        break;
    case VT_R4:
        ar >> v.fltVal;
        break;
    case VT_R8:
    case VT_DATE:
        ar >> v.dblVal;
        break;
    case VT_CY:
    case VT_I8:
    case VT_UI8:
        ar >> v.llVal;
        break;
    case VT_DECIMAL:
        ar.EnsureRead(v.decVal, UINT(sizeof v.decVal));
        break;
    case VT_BSTR: {
        DWORD length;
        ar >> length;
        ar.CheckCount(length, 1);
        CString text;
        if (length > 0) {
            ar.EnsureRead(text.GetBufferSetLength(int(length)), UINT(length));
            text.ReleaseBuffer(int(length));
        }
        v.SetText(text);
        break;
    }
    default:
        ar >> v.lVal;
        break;
    }
    var = v;
    return ar;
}
