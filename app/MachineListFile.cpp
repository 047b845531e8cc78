#include "app/MachineListFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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
    // Each machine is written from a small document of its own: a single
    // document holding every machine appends its elements one by one, each
    // append walking the elements before it.
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
            CGXml element(&store, "MACHINE", nullptr);
            p->value->WriteXml(&store, element.GetRoot(), p->key);
            element.Write(writer);
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

// The text with its MACHINE elements in one fixed order.  Loading a list
// and writing it back changes the order of machines that share a hash
// bucket, not the machines: the same machines compare equal this way.
std::string SortedElements(const std::string& text)
{
    static const char kStart[] = "\n <MACHINE>";
    std::vector<size_t> starts;
    for (size_t at = text.find(kStart); at != std::string::npos; at = text.find(kStart, at + 1))
        starts.push_back(at);
    size_t end = text.rfind("\n</MACHINES>");
    if (starts.size() < 2 || end == std::string::npos || end < starts.back())
        return text;
    std::vector<std::string> elements;
    elements.reserve(starts.size());
    for (size_t i = 0; i < starts.size(); ++i)
        elements.push_back(text.substr(starts[i], (i + 1 < starts.size() ? starts[i + 1] : end) - starts[i]));
    std::sort(elements.begin(), elements.end());
    std::string sorted = text.substr(0, starts[0]);
    sorted.reserve(text.size());
    for (const std::string& element : elements)
        sorted += element;
    sorted += text.substr(end);
    return sorted;
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

// The file's bytes.
bool ReadText(const char* path, std::string* text)
{
    FILE* file = fopen(path, "rb");
    if (!file)
        return false;
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, file)) > 0)
        text->append(buffer, n);
    bool ok = !ferror(file);
    fclose(file);
    return ok;
}

} // namespace

bool CMachineListFile::WriteFile(const char* path, const CMachineMap& map, CString* error)
{
    return WriteListText(path, ListText(map), error);
}

void CMachineListFile::RememberContent(std::string text)
{
    m_known = !text.empty() && FileStamp(m_path, &m_diskSize, &m_diskTime);
    if (m_known)
        m_content = SortedElements(text);
    else
        m_content.clear();
}

bool CMachineListFile::DiskStillHolds(const std::string& text) const
{
    if (!m_known || text.size() != m_content.size() || SortedElements(text) != m_content)
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
    RememberContent(std::string());
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
        // The text as read: a file that the writer would write the same way
        // is then not rewritten until its machines change.
        std::string text;
        if (ReadText(m_path, &text))
            RememberContent(std::move(text));
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
    std::string text = ListText(map);
    if (DiskStillHolds(text))
        return true;
    RememberContent(std::string());
    if (!WriteListText(m_path, text, error))
        return false;
    ++m_writes;
    RememberContent(std::move(text));
    return true;
}
