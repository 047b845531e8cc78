#include "app/AppFile.h"

#include "app/AppInstall.h"
#include "framework/File.h"
#include "support/Utilities.h"

#include <cstring>
#include <ctime>

CGAppFile::CGAppFile(const char* path) : m_info(CGXml::kOwnsNodes | CGXml::kNoIncludeExpansion)
{
    m_path.SetFile(path ? path : "");
}

CGAppFile::~CGAppFile()
{
    m_container.Close();
}

bool CGAppFile::Open()
{
    m_readable = false;
    m_hasSetup = FALSE;
    if (!m_container.Open(m_path.m_path))
        return false;
    if (m_container.GetSection("id") == nullptr)
        return false;
    for (const CGAppSection* section = m_container.GetFirstSection(); section != nullptr; section = section->m_next) {
        if (section->m_name == "setup") {
            m_hasSetup = TRUE;
            break;
        }
    }
    ReadApplicationIdentity(m_container);
    m_readable = true;
    return true;
}

void CGAppFile::Close()
{
    m_container.Close();
}

BOOL CGAppFile::LoadInfo()
{
    if (m_infoLoaded)
        return TRUE;
    // A failed parse may leave a placeholder root; it must not count as a
    // loaded document the next time (the columns would change meaning
    // between filling and sorting).
    char error[256] = "";
    const char* text = m_container.GetSection("info");
    if (text != nullptr && m_info.ParseText("info", text, error, sizeof error, "INFO") == kXmlOk &&
        m_info.GetRoot() != nullptr) {
        m_infoLoaded = true;
        return TRUE;
    }
    m_info.Clear();
    return FALSE;
}

BOOL CGAppFile::GetVersion(CString& text)
{
    if (!LoadInfo())
        return FALSE;
    CGXmlNode* node = m_info.FindPath("APPVERSION");
    if (node == nullptr)
        return FALSE;
    text = node->GetText();
    return TRUE;
}

BOOL CGAppFile::GetDate(CString& text)
{
    if (LoadInfo()) {
        if (CGXmlNode* node = m_info.FindPath("DATETIME")) {
            text = node->GetText();
            return TRUE;
        }
    }
    CFileStatus status;
    if (!CFile::GetStatus(m_path.m_path, status))
        return FALSE;
    struct tm local = {};
    unsigned char stamp[kPackedTimestampSize] = {};
    if (status.m_mtime.GetLocalTm(&local) != nullptr)
        PackTimestamp(stamp, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                      local.tm_sec, 0);
    char buffer[64] = "";
    FormatTimestamp(stamp, buffer, sizeof buffer, nullptr, 0);
    text = buffer;
    text += "*";
    return TRUE;
}

ULONGLONG CGAppFile::GetFileSize() const
{
    CFileStatus status;
    if (!CFile::GetStatus(m_path.m_path, status))
        return 0;
    return status.m_size;
}

BOOL CGAppFile::GetToolVersion(CString& text)
{
    if (!m_hasSetup) {
        text = "3v6 or earlier";
        return TRUE;
    }
    if (!LoadInfo()) {
        text = "legacy";
        return TRUE;
    }
    CGXmlNode* node = m_info.FindPath("VLUMEX");
    text = node != nullptr ? node->GetText() : "4v0beta";
    return TRUE;
}

BOOL CGAppFile::LoadDataSetNames()
{
    if (m_dataSetNamesLoaded || !m_hasSetup)
        return TRUE;
    const char* text = m_container.GetSection("setup");
    if (text == nullptr)
        return FALSE;
    CGXml setups(CGXml::kOwnsNodes | CGXml::kNoIncludeExpansion);
    char error[256] = "";
    if (setups.ParseText("setup", text, error, sizeof error, "SETUPS") != kXmlOk)
        return FALSE;
    m_dataSetNames.clear();
    // The data sets are the SETUP elements from the first one on; other
    // elements beside them are no data sets.
    for (CGXmlNode* node = setups.FindPath("SETUP"); node != nullptr; node = node->GetNext()) {
        if (node->IsAttribute() || strcmp(node->GetName(), "SETUP") != 0)
            continue;
        if (CGXmlNode* name = node->FindChild("NAME"))
            m_dataSetNames.push_back(CString(name->GetText()));
    }
    m_dataSetNamesLoaded = true;
    return TRUE;
}

BOOL CGAppFile::GetDataSetNames(CString& text)
{
    if (!LoadDataSetNames())
        return FALSE;
    CString joined;
    for (size_t i = 0; i < m_dataSetNames.size(); ++i) {
        if (i > 0)
            joined += ",";
        joined += m_dataSetNames[i];
    }
    text = joined;
    return TRUE;
}

CString CGAppFile::GetDisplayName() const
{
    const CString& path = m_path.m_path;
    int slash = path.ReverseFind('\\');
    int other = path.ReverseFind('/');
    if (other > slash)
        slash = other;
    CString name = path.Mid(slash + 1);
    int dot = name.ReverseFind('.');
    if (dot >= 0)
        name = name.Left(dot);
    return name;
}

CString CGAppFile::FormatFileSize(ULONGLONG size)
{
    CString text;
    if (size > 1048576)
        text.Format("%0.1fM", (double)size / 1048576.0);
    else
        text.Format("%0.1fK", (double)size / 1024.0);
    return text;
}

CString CGAppFile::GetColumnText(int column)
{
    CString text;
    if (column == kAppFileColumnName)
        return GetDisplayName();
    if (!m_readable)
        return column == kAppFileColumnVersion ? CString("<corrupt>") : CString();
    switch (column) {
    case kAppFileColumnVersion:
        if (!GetVersion(text))
            text = "<unknown>";
        break;
    case kAppFileColumnDate:
        if (!GetDate(text))
            text = "<unknown>";
        break;
    case kAppFileColumnSize:
        text = FormatFileSize(GetFileSize());
        break;
    case kAppFileColumnTool:
        GetToolVersion(text);
        break;
    case kAppFileColumnDataSets:
        GetDataSetNames(text);
        break;
    default:
        break;
    }
    return text;
}

namespace {

// The accessor's text of one column for sorting; empty when it fails.
CString SortText(CGAppFile& file, int column)
{
    CString text;
    if (!file.IsReadable())
        return text;
    switch (column) {
    case kAppFileColumnVersion:
        file.GetVersion(text);
        break;
    case kAppFileColumnDate:
        file.GetDate(text);
        break;
    case kAppFileColumnTool:
        file.GetToolVersion(text);
        break;
    case kAppFileColumnDataSets:
        file.GetDataSetNames(text);
        break;
    default:
        break;
    }
    return text;
}

} // namespace

int CGAppFile::Compare(CGAppFile& a, CGAppFile& b, int column)
{
    switch (column) {
    case kAppFileColumnVersion:
    case kAppFileColumnDate:
    case kAppFileColumnTool:
    case kAppFileColumnDataSets:
        return CompareNoCase(SortText(a, column), SortText(b, column));
    case kAppFileColumnSize: {
        // Whole 64-bit sizes: a difference of their low halves orders files
        // of 4 GiB and more, or sizes 2 GiB apart, the wrong way round.
        ULONGLONG sizeA = a.IsReadable() ? a.GetFileSize() : 0;
        ULONGLONG sizeB = b.IsReadable() ? b.GetFileSize() : 0;
        return sizeA < sizeB ? -1 : sizeA > sizeB ? 1 : 0;
    }
    default:
        return CompareNoCase(a.GetDisplayName(), b.GetDisplayName());
    }
}
