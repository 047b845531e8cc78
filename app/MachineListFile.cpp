#include "app/MachineListFile.h"

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

// Another program's version of a machine this list also holds: its saved
// fields, while what this copy knows of the machine now (list membership,
// answer state, local flag, address, duplicate mark, blinking) stays.
void TakeSavedFields(CMachine& ours, const CMachine& theirs)
{
    int inList = ours.m_inList, state = ours.m_state, local = ours.m_local;
    int duplicate = ours.m_duplicate, blink = ours.m_identBlink;
    CIpAddress address = ours.m_address;
    ours.CopyFrom(theirs);
    ours.m_inList = inList;
    ours.m_state = state;
    ours.m_local = local;
    ours.m_duplicate = duplicate;
    ours.m_identBlink = blink;
    ours.m_address = address;
}

} // namespace

CString CMachineListMerge::Describe(const char* path) const
{
    CString text;
    if (!setAsidePath.IsEmpty()) {
        text.Format("The machine list %s was changed by another program and cannot be read (%s). It was kept as %s, "
                    "and this list was saved in its place.",
                    path, (const char*)unreadable, (const char*)setAsidePath);
        return text;
    }
    text.Format("The machine list %s was changed by another program since this one read it. Its version was merged:",
                path);
    const char* separator = " ";
    if (!added.empty()) {
        text.AppendFormat("%s%d machine(s) added", separator, (int)added.size());
        separator = ", ";
    }
    if (!updated.empty()) {
        text.AppendFormat("%s%d machine(s) updated", separator, (int)updated.size());
        separator = ", ";
    }
    if (kept > 0)
        text.AppendFormat("%s%d machine(s) that it no longer holds kept", separator, kept);
    text += ".";
    return text;
}

bool CMachineListFile::WriteFile(const char* path, const CMachineMap& map, CString* error)
{
    return WriteListText(path, ListText(map), error);
}

void CMachineListFile::Remember(const CMachineMap* map)
{
    m_known = true;
    m_base.clear();
    uint64_t sum = 0, count = 0;
    if (map) {
        m_base.reserve((size_t)map->GetCount());
        for (const CMachineMap::CPair* p = map->PGetFirstAssoc(); p; p = map->PGetNextAssoc(p)) {
            if (!p->value->m_inList)
                continue;
            uint64_t fingerprint = p->value->XmlFingerprint(p->key);
            m_base[p->key.GetValue()] = fingerprint;
            sum += fingerprint;
            ++count;
        }
    }
    // As ListFingerprint adds them up.
    m_fingerprint = sum ^ (count * 0x9E3779B97F4A7C15ull);
    m_stamp = AppGetFileStamp(m_path);
}

bool CMachineListFile::MergeChangedFile(CMachineMap& map, CMachineListMerge& merge, CString* error)
{
    CGXml document;
    char text[512] = "";
    int result = document.LoadFile(m_path, text, sizeof text, "MACHINES");
    if (result == kXmlCantOpen) {
        if (error)
            error->Format("The machine list could not be saved: %s was changed by another program and cannot be "
                          "opened now.",
                          (const char*)m_path);
        return false;
    }
    if (result != kXmlOk && result != kXmlNoElement) {
        // What cannot be read is not overwritten: it is kept for the user.
        CString aside;
        if (!KeepFileAside(m_path, &aside)) {
            if (error)
                error->Format("The machine list could not be saved: %s was changed by another program, cannot be "
                              "read (%s) and could not be set aside.",
                              (const char*)m_path, text);
            return false;
        }
        merge.setAsidePath = aside;
        merge.unreadable = text;
        return true;
    }
    CMachineMap disk;
    if (result == kXmlOk)
        disk.LoadFromXml(document.GetRoot());
    std::vector<std::pair<CIpAddress, CMachine*>> moving;
    for (const CMachineMap::CPair* p = disk.PGetFirstAssoc(); p; p = disk.PGetNextAssoc(p)) {
        CMachine* ours = map.Find(p->key);
        auto base = m_base.find(p->key.GetValue());
        if (!ours || !ours->m_inList) {
            // A machine this list removed stays removed; any other is the
            // other program's and joins the list.
            if (base != m_base.end())
                continue;
            if (!ours) {
                moving.emplace_back(p->key, p->value);
                continue;
            }
            TakeSavedFields(*ours, *p->value);
            ours->m_inList = 1;
            merge.added.push_back(ours);
            continue;
        }
        // Both hold it: the other version wins only where this list left the
        // machine as it was.
        if (base == m_base.end() || ours->XmlFingerprint(p->key) != base->second)
            continue;
        if (p->value->XmlFingerprint(p->key) != base->second) {
            TakeSavedFields(*ours, *p->value);
            merge.updated.push_back(ours);
        }
    }
    for (auto& move : moving) {
        disk.Detach(move.second);
        map.SetMachine(move.first, move.second);
        merge.added.push_back(move.second);
    }
    for (const CMachineMap::CPair* p = map.PGetFirstAssoc(); p; p = map.PGetNextAssoc(p))
        if (p->value->m_inList && !disk.Find(p->key) && m_base.count(p->key.GetValue()))
            ++merge.kept;
    disk.DeleteAll();
    if (!merge.added.empty() || !merge.updated.empty())
        map.IdentityChanged();
    return true;
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
    m_known = false;
    m_base.clear();
    // Another copy saving meanwhile would leave this copy with the stamp of
    // a version it has not read.
    AppFileLock lock(m_path, kLockTimeoutMs);
    if (!AppFileExists(m_path)) {
        Remember(nullptr);
        return kMissing;
    }
    CGXml document;
    char error[512] = "";
    int result = document.LoadFile(m_path, error, sizeof error, "MACHINES");
    if (result == kXmlNoElement) {
        Remember(nullptr);
        return kLoaded; // nothing but blanks: nothing to lose
    }
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
        Remember(nullptr);
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
        Remember(&map);
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
    Remember(saved ? &map : nullptr);
    if (message) {
        message->Format("The machine list %s %s. They were left out of the list; the original was kept as %s.",
                        (const char*)m_path, (const char*)what, (const char*)m_asidePath);
        if (!saved)
            *message += CString(" ") + error2;
    }
    return kPartial;
}

bool CMachineListFile::Save(CMachineMap& map, CString* error, CMachineListMerge* merge)
{
    if (m_blocked) {
        if (error)
            error->Format("The machine list %s is damaged and was not overwritten.", (const char*)m_path);
        return false;
    }
    // Another copy of the program saving the same file waits meanwhile, so
    // that its version never falls between this one's look and write.
    AppFileLock lock(m_path, kLockTimeoutMs);
    if (lock.Busy()) {
        if (error)
            error->Format("The machine list could not be saved: another copy of the program kept %s busy.",
                          (const char*)m_path);
        return false;
    }
    CMachineListMerge own;
    CMachineListMerge& merged = merge ? *merge : own;
    if (m_known) {
        AppFileStamp now = AppGetFileStamp(m_path);
        if (now.Exists() && now == m_stamp) {
            if (ListFingerprint(map) == m_fingerprint)
                return true; // the file holds these machines already
        } else if (now.Exists()) {
            if (!MergeChangedFile(map, merged, error))
                return false;
        }
        // A file removed behind the list's back is simply written again.
    }
    if (!WriteListText(m_path, ListText(map), error))
        return false;
    ++m_writes;
    Remember(&map);
    return true;
}
