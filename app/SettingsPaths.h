#pragma once
// The folders in which the program keeps its files: <application data>\trovconf
// for settings.xml and machines.xml, <documents>\trovconf\... for the folders
// the file dialogs start in.
#include "framework/String.h"

class CSettingsPaths {
public:
    // Base folder: the user's documents folder (documents set) or
    // application-data folder; "c:\" when the system cannot name it.  The
    // path is base + name; the folder is created with its parents.
    CSettingsPaths(const char* name, int documents);
    virtual ~CSettingsPaths() {}

    // The path, or the path + separator + subfolder (created too).
    CString GetPath(const char* subfolder = nullptr) const;
    // Whether the folder exists (it could be created, or was there).
    bool FolderExists() const;

    // Tests set the base folders instead of the system's: a folder, "" for
    // "the system cannot name it", or none for the system's again.
    static void SetBaseFolderOverride(int documents, const char* folder);

    CString m_path;
};

// Creates a folder and every missing parent; true when it exists afterwards.
bool MakeFolderPath(const char* path);
