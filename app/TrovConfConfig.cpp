#include "app/TrovConfConfig.h"

#include <cstdlib>
#include <cstring>

#include "app/AppPlatform.h"
#include "app/SafeFile.h"
#include "app/TextScan.h"

namespace {
const char kRoot[] = "VLUMEX";
}

CTrovConfConfig::CTrovConfConfig() : CSettingsPaths("trovconf", 0)
{
    ResetDocument();
}

CTrovConfConfig::~CTrovConfConfig()
{
    if (!m_saved)
        Save();
}

void CTrovConfConfig::ResetDocument()
{
    char error[64];
    ParseText("settings", "<VLUMEX/>", error, sizeof error, kRoot);
}

CString CTrovConfConfig::GetFilePath() const
{
    return m_path + APP_PATH_SEPARATOR "settings.xml";
}

CTrovConfConfig::LoadResult CTrovConfConfig::Load(CString* message)
{
    CString path = GetFilePath();
    char error[512] = "";
    int result = LoadFile(path, error, sizeof error, kRoot);
    if (result == kXmlOk)
        return kLoaded;
    if (result == kXmlCantOpen && AppFileExists(path)) {
        // The file is there but cannot be read now (another program holds
        // it, no permission): starting from the defaults and saving at the
        // end would replace the user's settings with them.
        ResetDocument();
        m_blocked = true;
        if (message)
            message->Format("The settings file %s cannot be opened. The program starts with its default settings "
                            "and leaves the file as it is: changes to the settings are not stored until the "
                            "program is started again.",
                            (const char*)path);
        return kBlocked;
    }
    if (result == kXmlCantOpen || result == kXmlNoElement) {
        // No file yet, or nothing in it: every key takes its default.
        ResetDocument();
        return result == kXmlNoElement ? kLoaded : kMissing;
    }
    // What the reader left of a damaged file is not written back over it:
    // the file is kept aside and the settings start from their defaults.
    ResetDocument();
    CString aside;
    if (KeepFileAside(path, &aside)) {
        if (message)
            message->Format("%s\r\n\r\nThe damaged settings were kept as %s; the program starts with its default "
                            "settings.",
                            error, (const char*)aside);
        return kDamaged;
    }
    m_blocked = true;
    if (message)
        message->Format("%s\r\n\r\nThe settings file could not be kept aside and will not be overwritten; changes "
                        "to the settings are not stored until it is repaired or removed.",
                        error);
    return kBlocked;
}

bool CTrovConfConfig::Save(CString* reason)
{
    if (m_blocked) {
        if (reason)
            reason->Format("%s is damaged and was not overwritten", (const char*)GetFilePath());
        return false;
    }
    if (!GetRoot())
        return false;
    m_saved = WriteXmlFileSafely(GetFilePath(), *this, false, reason);
    return m_saved;
}

CString CTrovConfConfig::GetValue(const char* key, bool* found) const
{
    const CGXmlNode* node = GetRoot() ? GetRoot()->FindChild(key) : nullptr;
    if (found)
        *found = node != nullptr && !node->IsAttribute();
    if (!node || node->IsAttribute())
        return CString();
    return CString(node->GetText());
}

void CTrovConfConfig::SetValue(const char* key, const char* text)
{
    if (!GetRoot())
        ResetDocument();
    CGXmlNode* node = GetRoot()->AddChild(&m_store, key, true);
    if (node)
        node->SetText(&m_store, text ? text : "");
    m_saved = false;
}

int CTrovConfConfig::GetPixels(const char* key) const
{
    CString text = GetValue(key);
    if (text.IsEmpty())
        return kDefaultSplitter;
    const char* p = text;
    int value = 0;
    return ScanDecimalInt(p, &value) ? value : 0; // as atoi, clamped
}

void CTrovConfConfig::SetSplitterPos(int pixels)
{
    CString text;
    text.Format("%d", pixels);
    SetValue("splitter", text);
}

void CTrovConfConfig::SetLogSplitterPos(int pixels)
{
    CString text;
    text.Format("%d", pixels);
    SetValue("splitterlog", text);
}

int CTrovConfConfig::GetSplitterPos() const
{
    return GetPixels("splitter");
}

int CTrovConfConfig::GetLogSplitterPos() const
{
    return GetPixels("splitterlog");
}

void CTrovConfConfig::SetWindowRect(int left, int top, int right, int bottom)
{
    CString text;
    text.Format("%d,%d,%d,%d", left, top, right, bottom);
    SetValue("rect", text);
}

bool CTrovConfConfig::GetWindowRect(int* left, int* top, int* right, int* bottom) const
{
    CString text = GetValue("rect");
    const char* p = text;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (*p != ',')
                return false;
            ++p;
        }
        if (!ScanDecimalInt(p, &v[i]))
            return false;
    }
    // An inside-out rectangle is no place for a window.
    if (v[0] > v[2] || v[1] > v[3])
        return false;
    *left = v[0];
    *top = v[1];
    *right = v[2];
    *bottom = v[3];
    return true;
}

void CTrovConfConfig::SetColumnWidths(const int* widths, int count)
{
    CString text;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            text += ",";
        text.AppendFormat("%d", widths[i]);
    }
    SetValue("colwidths", text);
}

void CTrovConfConfig::GetColumnWidths(CArray<int, int>& widths) const
{
    widths.RemoveAll();
    CString text = GetValue("colwidths");
    if (text.IsEmpty())
        return;
    const char* p = text;
    for (;;) {
        const char* q = p;
        int value = 0;
        if (!ScanDecimalInt(q, &value))
            value = 0; // atoi of a part without a number
        widths.Add(value);
        const char* comma = strchr(p, ',');
        if (!comma)
            break;
        p = comma + 1;
    }
}

CString CTrovConfConfig::GetFolder(const char* key, const char* defaultSubfolder) const
{
    bool found = false;
    CString text = GetValue(key, &found);
    if (found)
        return text;
    return CSettingsPaths("trovconf", 1).GetPath(defaultSubfolder);
}

CString CTrovConfConfig::GetAppFolder() const
{
    return GetFolder("appfolder", "Applications");
}

CString CTrovConfConfig::GetFirmwareFolder() const
{
    return GetFolder("firmwarefolder", "Firmware");
}

CString CTrovConfConfig::GetIoFolder() const
{
    return GetFolder("iofolder", "IOFirmware");
}
