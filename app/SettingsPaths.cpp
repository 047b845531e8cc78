#include "app/SettingsPaths.h"

#include <string>

#include "app/AppPlatform.h"
#include "support/Utilities.h"

namespace {

struct BaseOverride {
    bool set = false;
    std::string folder;
};
BaseOverride g_baseOverride[2];

bool GetBaseFolder(int documents, CString* base)
{
    const BaseOverride& o = g_baseOverride[documents ? 1 : 0];
    if (o.set) {
        if (o.folder.empty())
            return false;
        *base = o.folder.c_str();
        return true;
    }
    char folder[1024] = "";
    if (!AppGetUserFolder(documents != 0, folder, sizeof folder))
        return false;
    *base = folder;
    return true;
}

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

} // namespace

bool MakeFolderPath(const char* path)
{
    if (!path || !*path)
        return false;
    if (AppIsFolder(path))
        return true;
    std::string p(path);
    // Each prefix that ends before a separator, then the whole path.  A
    // drive ("c:") or a network share's first two parts are never created.
    for (size_t i = 1; i < p.size(); ++i) {
        if (!IsSeparator(p[i]) || IsSeparator(p[i - 1]) || p[i - 1] == ':')
            continue;
        std::string prefix = p.substr(0, i);
        if (!AppIsFolder(prefix.c_str()))
            MakeDirectory(prefix.c_str());
    }
    if (!AppIsFolder(path))
        MakeDirectory(path);
    return AppIsFolder(path);
}

void CSettingsPaths::SetBaseFolderOverride(int documents, const char* folder)
{
    BaseOverride& o = g_baseOverride[documents ? 1 : 0];
    o.set = folder != nullptr;
    o.folder = folder ? folder : "";
}

CSettingsPaths::CSettingsPaths(const char* name, int documents)
{
    CString base;
    if (GetBaseFolder(documents, &base)) {
        base += APP_PATH_SEPARATOR;
    } else {
#ifdef _WIN32
        base = "c:\\";
#else
        base = "/tmp/";
#endif
    }
    m_path = base + (name ? name : "");
    MakeFolderPath(m_path);
}

CString CSettingsPaths::GetPath(const char* subfolder) const
{
    if (!subfolder)
        return m_path;
    CString path = m_path + APP_PATH_SEPARATOR + subfolder;
    MakeFolderPath(path);
    return path;
}

bool CSettingsPaths::FolderExists() const
{
    return AppIsFolder(m_path);
}
