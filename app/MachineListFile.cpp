#include "app/MachineListFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "app/AppPlatform.h"
#include "app/MachineMap.h"
#include "app/SafeFile.h"
#include "support/GXml.h"
#include "support/Utilities.h"

namespace {

// The list's document as the writer makes it, with the final line break.
std::string ListText(const CMachineMap& map)
{
    // The machines go straight to the writer, without a document of them.
    CGTextStore store;
    CGTextStore out;
    bool any = false;
    {
        CGXmlWriter writer(&out, false);
        for (const CMachineMap::CPair* p = map.PGetFirstAssoc(); p; p = map.PGetNextAssoc(p)) {
            if (!p->value->m_inList)
                continue;
            if (!any)
                writer.BeginElement("MACHINES");
            any = true;
            writer.BeginElement("MACHINE");
            p->value->WriteXml(writer, p->key);
            writer.EndElement();
        }
        if (any)
            writer.EndAll();
    }
    if (!any) {
        CGXml document(&store, "MACHINES", nullptr);
        CGXmlWriter writer(&out, false);
        document.Write(writer);
        writer.EndAll();
    }
    out.Append("\n");
    size_t length = 0;
    char* joined = out.GetText(&length);
    std::string text;
    if (joined) {
        text.assign(joined, length > 0 ? length - 1 : 0);
        free(joined);
    }
    return text;
}

bool WriteText(FILE* file, const void* context)
{
    const std::string* text = static_cast<const std::string*>(context);
    return fwrite(text->data(), 1, text->size(), file) == text->size();
}

bool WriteListText(const char* path, const std::string& text, CString* error)
{
    CString reason;
    if (!WriteFileSafely(path, WriteText, &text, &reason)) {
        if (error)
            error->Format("The machine list could not be saved: %s.", (const char*)reason);
        return false;
    }
    return true;
}

bool FileStamp(const char* path, long long* size, long long* time)
{
    struct stat st;
    if (stat(path, &st) != 0)
        return false;
    *size = (long long)st.st_size;
    *time = (long long)st.st_mtime;
    return true;
}

// What the file would hold for the map, as one number: the fingerprints
// of its saved machines (each with its key) added up, so that the map's
// order, which reading a file changes, does not count.
uint64_t ListFingerprint(const CMachineMap& map)
{
    uint64_t sum = 0, count = 0;
    for (const CMachineMap::CPair* p = map.PGetFirstAssoc(); p; p = map.PGetNextAssoc(p)) {
        if (!p->value->m_inList)
            continue;
        sum += p->value->XmlFingerprint(p->key);
        ++count;
    }
    return sum ^ (count * 0x9E3779B97F4A7C15ull);
}

} // namespace

bool CMachineListFile::WriteFile(const char* path, const CMachineMap& map, CString* error)
{
    return WriteListText(path, ListText(map), error);
}

void CMachineListFile::Remember(uint64_t fingerprint)
{
    m_known = FileStamp(m_path, &m_diskSize, &m_diskTime);
    m_fingerprint = fingerprint;
}

bool CMachineListFile::DiskStillHolds(uint64_t fingerprint) const
{
    if (!m_known || fingerprint != m_fingerprint)
        return false;
    long long size = 0, time = 0;
    return FileStamp(m_path, &size, &time) && size == m_diskSize && time == m_diskTime;
}

int CMachineListFile::ReadFile(const char* path, CMachineMap& map, CString* error, int* skipped)
{
    if (skipped)
        *skipped = 0;
    CGXml document(CGXml::kNoIncludeExpansion);
    char text[512] = "";
    int result = document.LoadFile(path, text, sizeof text, "MACHINES");
    if (error)
        *error = text;
    if (result != kXmlOk)
        return result;
    // A machine that a later one of the same address replaced was not taken
    // either: both count as skipped.
    int replaced = 0;
    int notRead = map.LoadFromXml(document.GetRoot(), &replaced);
    if (skipped)
        *skipped = notRead + replaced;
    return result;
}

bool CMachineListFile::SetAside(CString* message, const char* what)
{
    if (KeepFileAside(m_path, &m_asidePath))
        return true;
    m_blocked = true;
    if (message)
        message->Format("The machine list %s %s. It could not be set aside and will not be overwritten; "
                        "changes to the saved list are not stored until it is repaired or removed.",
                        (const char*)m_path, what);
    return false;
}

CMachineListFile::LoadResult CMachineListFile::Load(CMachineMap& map, CString* message)
{
    m_asidePath.Empty();
    Forget();
    if (!AppFileExists(m_path))
        return kMissing;
    CGXml document;
    char error[512] = "";
    int result = document.LoadFile(m_path, error, sizeof error, "MACHINES");
    if (result == kXmlNoElement)
        return kLoaded; // nothing but blanks: nothing to lose
    if (result == kXmlCantOpen) {
        // The file is there but cannot be read now (held open by another
        // program, no permission): starting empty and saving later would
        // replace it with a list that lacks its machines.
        m_blocked = true;
        if (message)
            message->Format("The machine list %s cannot be opened. It is left as it is, and changes to the "
                            "saved list are not stored until the program is started again.",
                            (const char*)m_path);
        return kBlocked;
    }
    if (result != kXmlOk) {
        CString what;
        what.Format("cannot be read (%s)", error);
        if (!SetAside(message, what))
            return kBlocked;
        if (message)
            message->Format("The machine list %s cannot be read (%s). It was kept as %s and the saved list "
                            "starts empty.",
                            (const char*)m_path, error, (const char*)m_asidePath);
        return kDamaged;
    }
    // Every machine of the file must arrive in the list: the start-up
    // rewrite would otherwise make the loss permanent.
    int replaced = 0;
    int skipped = map.LoadFromXml(document.GetRoot(), &replaced);
    if (skipped == 0 && replaced == 0) {
        // The file holds these machines: it is not rewritten until they
        // change.
        Remember(ListFingerprint(map));
        return kLoaded;
    }
    CString why;
    if (skipped > 0)
        why.Format("%d without an address", skipped);
    if (replaced > 0)
        why.AppendFormat("%s%d with the address of a later machine, which was kept", skipped > 0 ? "; " : "",
                         replaced);
    CString what;
    what.Format("holds %d machine(s) that could not be taken (%s)", skipped + replaced, (const char*)why);
    if (!SetAside(message, what))
        return kBlocked;
    CString error2;
    bool saved = WriteFile(m_path, map, &error2);
    if (saved)
        Remember(ListFingerprint(map));
    if (message) {
        message->Format("The machine list %s %s. They were left out of the list; the original was kept as %s.",
                        (const char*)m_path, (const char*)what, (const char*)m_asidePath);
        if (!saved)
            *message += CString(" ") + error2;
    }
    return kPartial;
}

bool CMachineListFile::Save(const CMachineMap& map, CString* error)
{
    if (m_blocked) {
        if (error)
            error->Format("The machine list %s is damaged and was not overwritten.", (const char*)m_path);
        return false;
    }
    uint64_t fingerprint = ListFingerprint(map);
    if (DiskStillHolds(fingerprint))
        return true;
    Forget();
    if (!WriteListText(m_path, ListText(map), error))
        return false;
    ++m_writes;
    Remember(fingerprint);
    return true;
}
