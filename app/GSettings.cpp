#include "app/GSettings.h"

#include <cstdlib>
#include <cstring>

#include "app/AppPlatform.h"
#include "app/TextScan.h"
#include "support/Utilities.h"

CGSettings::~CGSettings()
{
    free(m_iniPath);
}

void CGSettings::SetIniName(const char* name)
{
    free(m_iniPath);
    m_iniPath = nullptr;
    if (!name)
        return;
    if (strchr(name, '/') || strchr(name, '\\')) {
        m_iniPath = strdup(name);
        return;
    }
    size_t size = strlen(name) + 8;
    m_iniPath = (char*)malloc(size);
    if (m_iniPath)
        FormatBounded(m_iniPath, size, "." APP_PATH_SEPARATOR "%s.ini", name);
}

const char* CGSettings::GetString(const char* key)
{
    m_buffer[0] = 0;
    if (m_iniPath)
        AppProfileGetString("misc", key, "", m_buffer, sizeof m_buffer, m_iniPath);
    return m_buffer;
}

int CGSettings::GetInt(const char* key)
{
    // As atoi, but a number beyond the int range is clamped.
    const char* p = GetString(key);
    int value = 0;
    return ScanDecimalInt(p, &value) ? value : 0;
}

bool CGSettings::WriteInt(const char* key, int value)
{
    if (!m_iniPath)
        return false;
    char text[16];
    FormatBounded(text, sizeof text, "%d", value);
    return AppProfileWriteString("misc", key, text, m_iniPath);
}

bool ModuleBaseName(const char* modulePath, CString* baseName)
{
    if (!modulePath)
        return false;
    const char* slash = strrchr(modulePath, '\\');
    const char* forward = strrchr(modulePath, '/');
    if (!slash || (forward && forward > slash))
        slash = forward;
    if (!slash)
        return false;
    CString name(slash + 1);
    int dot = name.Find('.');
    if (dot >= 0)
        name = name.Left(dot);
    *baseName = name;
    return true;
}
