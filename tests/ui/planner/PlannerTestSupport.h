#pragma once
// Helpers of the planner data tests: dates by their fields, appointments,
// archive bytes, and the locale seam set to a chosen locale.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/Archive.h"
#include "framework/File.h"
#include "framework/OleDateTime.h"
#include "ui/planner/ZUDPAppointment.h"
#include "ui/planner/ZUDPPlannerSeams.h"

namespace plannertest {

using Bytes = std::vector<unsigned char>;

inline COleDateTime Date(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return COleDateTime(y, mo, d, h, mi, s);
}

inline COleDateTime Seconds(const COleDateTime& date, double seconds)
{
    return COleDateTime(date.m_dt + seconds / 86400.0);
}

inline COleDateTime Invalid()
{
    COleDateTime d;
    d.SetStatus(COleDateTime::invalid);
    return d;
}

inline COleDateTime Null()
{
    COleDateTime d;
    d.SetStatus(COleDateTime::null);
    return d;
}

inline std::unique_ptr<CZUDPAppointment> Appointment(const COleDateTime& start, const COleDateTime& finish,
                                                     const char* description = "", DWORD resource = 0)
{
    std::unique_ptr<CZUDPAppointment> app(new CZUDPAppointment);
    app->SetInterval(start, finish);
    app->SetDescription(description);
    app->SetResourceID(resource);
    return app;
}

// "YYYY-MM-DD HH:MM" of a date (or "invalid"/"null"), for messages and
// expected lists.
inline std::string Text(const COleDateTime& date)
{
    if (date.GetStatus() == COleDateTime::invalid)
        return "invalid";
    if (date.GetStatus() == COleDateTime::null)
        return "null";
    return std::string(static_cast<LPCSTR>(date.Format("%Y-%m-%d %H:%M")));
}

// Bytes written by a storing function.
inline Bytes Store(const std::function<void(CArchive&)>& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    Bytes bytes(size_t(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), UINT(bytes.size()));
    return bytes;
}

// Runs a loading function over a copy of the bytes.
inline void Load(const Bytes& bytes, const std::function<void(CArchive&)>& read)
{
    Bytes copy(bytes);
    CMemFile file(copy.empty() ? nullptr : copy.data(), UINT(copy.size()));
    CArchive ar(&file, CArchive::load);
    read(ar);
    ar.Close();
}

// Little-endian pieces of expected archive bytes.
struct ByteWriter {
    Bytes bytes;
    ByteWriter& U8(unsigned v) { bytes.push_back((unsigned char)v); return *this; }
    ByteWriter& U16(unsigned v) { U8(v & 0xFF); return U8((v >> 8) & 0xFF); }
    ByteWriter& U32(uint32_t v) { U16(v & 0xFFFF); return U16(v >> 16); }
    ByteWriter& F64(double d)
    {
        uint64_t u;
        std::memcpy(&u, &d, 8);
        U32(uint32_t(u));
        return U32(uint32_t(u >> 32));
    }
    ByteWriter& Date(const COleDateTime& d) { U32(uint32_t(d.GetStatus())); return F64(d.m_dt); }
    ByteWriter& Span(const COleDateTimeSpan& s) { U32(uint32_t(s.GetStatus())); return F64(s.m_span); }
    ByteWriter& Text(const char* text)   // the short CString form
    {
        size_t n = std::strlen(text);
        U8(unsigned(n));
        for (size_t i = 0; i < n; ++i)
            U8((unsigned char)text[i]);
        return *this;
    }
    ByteWriter& NewClass(const char* name, unsigned schema)
    {
        U16(0xFFFF);
        U16(schema);
        U16(unsigned(std::strlen(name)));
        for (const char* p = name; *p != '\0'; ++p)
            U8((unsigned char)*p);
        return *this;
    }
    ByteWriter& Append(const Bytes& more)
    {
        bytes.insert(bytes.end(), more.begin(), more.end());
        return *this;
    }
};

// The locale the planner's seam answers for a test's scope: the values
// the test gives, the system's formatter.
class ScopedPlannerLocale {
public:
    explicit ScopedPlannerLocale(std::map<DWORD, std::string> values)
        : m_values(std::move(values)),
          m_scope(g_plannerSeams.localeInfo, [this](DWORD type) {
              auto it = m_values.find(type);
              return it != m_values.end() ? CString(it->second.c_str()) : CString();
          })
    {
    }

private:
    std::map<DWORD, std::string> m_values;
    ScopedSeam<CString(DWORD)> m_scope;
};

// A 24-hour locale with ":" and leading zeros (what the native build
// answers on its own).
inline std::map<DWORD, std::string> Locale24()
{
    return { { LOCALE_ITIME, "1" }, { LOCALE_ITLZERO, "1" }, { LOCALE_STIME, ":" },
             { LOCALE_S1159, "AM" }, { LOCALE_S2359, "PM" }, { LOCALE_ITIMEMARKPOSN, "0" } };
}

// The same locale on every side, for tests that read time texts.
class PlannerTest : public ::testing::Test {
protected:
    ScopedPlannerLocale m_locale{ Locale24() };
};

} // namespace plannertest
