#pragma once
// A remembered path of a file dialog: the file last chosen, or the folder
// that the next dialog opens in.  Each machine list keeps three (application,
// firmware and I/O-firmware folders).
#include "framework/String.h"

class CRememberedPath {
public:
    CRememberedPath() = default;
    CRememberedPath(const char* path, int isFolder) : m_path(path), m_isFolder(isFolder) {}

    // Reduces a file path to its folder (the text before the last '\'); the
    // flag is set afterwards.  Nothing when it already names a folder.
    void MakeFolder();
    // The file name (after the last '\') of a file path; "" for a folder or
    // a text without '\'.
    CString GetFileNamePart() const;
    // Cuts the text at the last occurrence of the character (dropped); no
    // change when it does not occur.
    void CutAtLast(char character);

    void SetFile(const char* path)
    {
        m_path = path;
        m_isFolder = 0;
    }
    void SetFolder(const char* path)
    {
        m_path = path;
        m_isFolder = 1;
    }

    CString m_path;
    int m_isFolder = 1;
};
