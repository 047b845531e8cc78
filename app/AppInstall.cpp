#include "app/AppInstall.h"

#include "app/AppPlatform.h"
#include "app/Machine.h"
#include "support/AppContainer.h"
#include "support/GDataSet.h"
#include "support/GTextStore.h"
#include "support/GXml.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>

namespace {

void SetFailure(CString* failure, const char* text)
{
    if (failure != nullptr)
        *failure = text;
}

// The SETUP text of the install file: the base data set with the chosen one
// merged over it.  Empty when the section does not parse or holds no data
// set (the install file then has no "setup" section).
bool MakeSetupText(const char* setupContent, const char* dataSetName, std::string& text)
{
    CGXml document(CGXml::kNoIncludeExpansion);
    char error[256] = "";
    if (document.ParseText("setup", setupContent, error, sizeof error, "SETUPS") != kXmlOk)
        return false;
    CGDataSetList sets;
    if (sets.ReadSetups(document.GetRoot()) < 1)
        return false;
    CGDataSet* base = sets.GetFirst();
    if (const CGDataSet* chosen = sets.Find(dataSetName))
        base->MergeFrom(*chosen);
    CGTextStore store;
    CGXmlWriter writer(&store);
    writer.BeginElement("SETUP");
    writer.CloseStartTag(false);
    base->Write(writer);
    writer.EndElement();
    size_t length = 0;
    char* joined = store.GetText(&length);
    if (joined == nullptr)
        return false;
    text.assign(joined, length > 0 ? length - 1 : 0);
    free(joined);
    return true;
}

} // namespace

CString ReadApplicationIdentity(CGAppContainer& container)
{
    char identity[kAppKeyTextMax + 1] = "";
    if (const char* id = container.GetSection("id")) {
        strncpy(identity, id, kAppKeyTextMax);
        identity[kAppKeyTextMax] = '\0';
    }
    container.SetKeyText(identity);
    return CString(identity);
}

bool ReadInstallApplication(const char* appPath, CInstallApplication& application, CString& message)
{
    application = CInstallApplication();
    CGAppContainer container;
    if (appPath == nullptr || !container.Open(appPath)) {
        message = "Can't open that App file";
        return false;
    }
    application.m_identity = ReadApplicationIdentity(container);

    const char* setup = container.GetSection("setup");
    CGXml setups(CGXml::kNoIncludeExpansion);
    char error[1024] = "";
    if (setup == nullptr || setups.ParseText("setup", setup, error, sizeof error, "SETUPS") != kXmlOk) {
        message = "The selected app is not version 4. Update it or install with an earlier version.";
        return false;
    }
    CGDataSetList sets;
    sets.ReadSetups(setups.GetRoot());
    for (int i = 0; i < sets.GetCount(); ++i)
        application.m_dataSetNames.push_back(CString(sets.GetAt(i)->m_name.c_str()));

    const char* app = container.GetSection("app");
    if (app == nullptr) {
        application.m_appProblem = "Can't find APP part in lmx file";
        return true;
    }
    CGXml text(CGXml::kNoIncludeExpansion);
    if (text.ParseText("app", app, error, sizeof error, "DRBv1") != kXmlOk) {
        application.m_appProblem = "Invalid app in file";
        return true;
    }
    if (const CGXmlNode* version = text.FindPath("VERSION"))
        application.m_version = version->GetText();
    return true;
}

bool CheckInstallSelection(const CInstallApplication& application, CMachineList& machines,
                           std::vector<CString>& messages)
{
    RemoveMachinesBelowV4(machines, messages);
    if (machines.IsEmpty())
        return false;
    if (!application.m_appProblem.IsEmpty()) {
        messages.push_back(application.m_appProblem);
        return false;
    }
    return true;
}

bool IsFirmwareBelowV4(const CMachine& machine)
{
    return machine.m_fwMajor != -1 && machine.m_fwMajor < 4;
}

CString FormatFirmwareSkipMessage(const CMachine& machine)
{
    CString text;
    text.Format("%s is not running a v4 firmware and will be skipped.", static_cast<LPCSTR>(machine.m_hostName));
    return text;
}

void RemoveMachinesBelowV4(CMachineList& machines, std::vector<CString>& messages)
{
    POSITION position = machines.GetHeadPosition();
    while (position != nullptr) {
        POSITION current = position;
        CMachine* machine = machines.GetNext(position);
        if (machine != nullptr && IsFirmwareBelowV4(*machine)) {
            messages.push_back(FormatFirmwareSkipMessage(*machine));
            machines.RemoveAt(current);
        }
    }
}

bool FirmwareTakesCompressedApp(const CMachine& machine)
{
    return machine.m_fwMajor > 4 || (machine.m_fwMajor == 4 && machine.m_fwMinor > 0);
}

CString GetMachineDataSet(const CMachine& machine, bool stripMark)
{
    CString name;
    if (machine.m_ifNumber > 0)
        name = machine.m_setup;
    if (stripMark && !name.IsEmpty() && name[name.GetLength() - 1] == '*')
        name = name.Left(name.GetLength() - 1);
    return name;
}

CInstallUpdateChoice DecideInstallUpdate(const CMachineList& machines, const char* appIdentity)
{
    CInstallUpdateChoice choice;
    POSITION position = machines.GetHeadPosition();
    if (position == nullptr)
        return choice;
    if (const CMachine* first = machines.GetAt(position))
        choice.m_currentDataSet = GetMachineDataSet(*first, true);
    if (appIdentity == nullptr || *appIdentity == '\0')
        return choice; // a file without identity cannot be matched
    choice.m_updateAllowed = true;
    while (position != nullptr) {
        const CMachine* machine = machines.GetNext(position);
        if (machine == nullptr || strncmp(machine->m_appGuid, appIdentity, kAppKeyTextMax) != 0) {
            choice.m_updateAllowed = false;
            break;
        }
    }
    return choice;
}

int BuildInstallFile(const char* outputPath, const char* appPath, const char* dataSetName, bool compress,
                     CString* failure)
{
    if (outputPath == nullptr || appPath == nullptr) {
        SetFailure(failure, "No install file");
        return 0;
    }
    CGAppContainer source;
    CGAppContainer output;
    bool ok = true;
    if (!source.Open(appPath)) {
        SetFailure(failure, "Can't open that App file");
        ok = false;
    } else if (!output.Create(outputPath)) {
        SetFailure(failure, "Can't create the install file");
        ok = false;
    }

    // The key is the file's identity, read before any other section so that
    // every section is decoded with it wherever "id" lies in the file.
    char key[kAppKeyTextMax + 1] = "";
    if (ok) {
        CString identity = ReadApplicationIdentity(source);
        strncpy(key, identity, kAppKeyTextMax);
        key[kAppKeyTextMax] = '\0';
    }
    bool wroteApp = false;
    std::set<std::string> copied;
    for (const CGAppSection* section = ok ? source.GetFirstSection() : nullptr; section && ok;
         section = section->m_next) {
        const char* name = section->m_name.c_str();
        // A reader only ever sees the first section of a name; a repeat is
        // not copied.
        if (!copied.insert(section->m_name).second)
            continue;
        size_t length = 0;
        char* content = source.GetSection(name, nullptr, &length);
        if (content == nullptr) {
            std::string reason = std::string("Can't read the ") + name + " part of the App file";
            SetFailure(failure, reason.c_str());
            ok = false;
            break;
        }
        if (strcmp(name, "id") == 0) {
            ok = output.WriteSection(name, content, length) != 0;
        } else if (strcmp(name, "app") == 0) {
            ok = output.WritePackedSection(name, content, length, key, compress ? 1 : 0) != 0;
            wroteApp = ok;
        } else if (strcmp(name, "setup") == 0) {
            std::string text;
            if (MakeSetupText(content, dataSetName, text))
                ok = output.WriteSection(name, text.c_str(), text.size() + 1) != 0;
        } else if (*key != '\0') {
            ok = output.WritePackedSection(name, content, length, key, 1) != 0;
        } else {
            ok = output.WriteSection(name, content, length) != 0;
        }
        if (!ok)
            SetFailure(failure, "Can't write the install file");
    }
    if (ok && !wroteApp) {
        SetFailure(failure, "Can't find APP part in lmx file");
        ok = false;
    }
    source.Close();
    if (output.IsOpen() && !output.Close() && ok) {
        SetFailure(failure, "Can't write the install file");
        ok = false;
    }
    if (!ok)
        AppDeleteFile(outputPath);
    return ok ? 1 : 0;
}

bool CInstallTempFile::Create()
{
    Remove();
    std::string path;
    if (!AppCreateTempFile("trovconf", path))
        return false;
    m_path = path;
    return true;
}

void CInstallTempFile::Remove()
{
    if (!m_path.empty()) {
        AppDeleteFile(m_path.c_str());
        m_path.clear();
    }
}

bool BuildMachineInstallFile(const CMachine& machine, const char* appPath, const char* dataSetName,
                             CInstallTempFile& file, CString* failure)
{
    if (!file.Create()) {
        SetFailure(failure, "Can't create a temporary file");
        return false;
    }
    if (!BuildInstallFile(file.GetPath(), appPath, dataSetName, FirmwareTakesCompressedApp(machine), failure)) {
        file.Remove();
        return false;
    }
    return true;
}
