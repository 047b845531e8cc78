#pragma once
// The program's ini file, section [misc]: "name" (the program's display
// name, required) and "adapter" (the index of the broadcast adapter).
#include "framework/String.h"

class CGSettings {
public:
    enum { kBufferSize = 32768 };

    CGSettings() = default;
    ~CGSettings();
    CGSettings(const CGSettings&) = delete;
    CGSettings& operator=(const CGSettings&) = delete;

    // None: no ini file.  A name with '/' or '\' is the path itself; any
    // other name is ".\<name>.ini" in the working folder.
    void SetIniName(const char* name);
    // The ini path, or none.
    const char* GetIniPath() const { return m_iniPath; }

    // The key's text in [misc], or "" when it (or the file) is missing; the
    // text lives until the next read.
    const char* GetString(const char* key);
    // The key's decimal value (as atoi), 0 when missing.
    int GetInt(const char* key);
    // Writes the key as "%d"; false when the file could not be written.
    bool WriteInt(const char* key, int value);

private:
    char* m_iniPath = nullptr;
    char m_buffer[kBufferSize] = {};
};

// The base name of the program's path, from which the ini file is named: the
// part after the last '\' (or '/'), cut at its first '.'.  False for a path
// without any '\' or '/'.
bool ModuleBaseName(const char* modulePath, CString* baseName);
