#include "app/MachineListFile.h"

#include <cstdio>

#include "app/AppPlatform.h"
#include "app/MachineMap.h"
#include "app/SafeFile.h"
#include "support/GXml.h"
#include "support/Utilities.h"

bool CMachineListFile::WriteFile(const char* path, const CMachineMap& map, CString* error)
{
    CGTextStore store;
    CGXml document(&store, "MACHINES", nullptr);
    map.WriteSavedToXml(&store, document.GetRoot());

    CString reason;
    if (!WriteXmlFileSafely(path, document, true, true, &reason)) {
        if (error)
            error->Format("The machine list could not be saved: %s.", (const char*)reason);
        return false;
    }
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
    if (skipped == 0 && replaced == 0)
        return kLoaded;
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
    return WriteFile(m_path, map, error);
}
