#pragma once
// settings.xml (root VLUMEX) in the settings folder: window place, splitter
// positions, column widths of the machine lists and the folders the file
// dialogs start in.  Every setting is the text of a direct child of the
// root named by its key.  Read once when the main window is made, written
// when it goes (the destructor saves).
//
// The file is rewritten through a temporary file that replaces it, so a
// failed write never leaves a truncated settings.xml.  A settings.xml that
// cannot be read (malformed, or another root) is kept aside as
// settings.xml.bad and the program starts from the defaults; when it cannot
// be kept aside, or it is there but cannot be opened at all (held by another
// program), it is never overwritten in this run.
#include "app/SettingsPaths.h"
#include "framework/Array.h"
#include "support/GXml.h"

class CTrovConfConfig : public CGXml, public CSettingsPaths {
public:
    enum { kDefaultSplitter = 80 };

    enum LoadResult {
        kLoaded = 0,
        kMissing = 1, // no file: defaults, no message
        kDamaged = 2, // malformed or foreign: kept aside, defaults, message
        kBlocked = 3, // there but cannot be opened, or damaged and could not
                      // be kept aside: defaults, message, never overwritten
    };

    // The settings folder trovconf under the application-data folder.
    CTrovConfConfig();
    // Saves the document unless it was saved since its last change.
    ~CTrovConfConfig() override;

    // Reads settings.xml; for kDamaged and kBlocked, message holds the
    // reader's error text and what became of the file (shown to the user).
    LoadResult Load(CString* message = nullptr);
    // Writes settings.xml; false (the old file unchanged, the settings kept
    // for a later save) when it could not.
    bool Save(CString* reason = nullptr);
    // True when the file must not be overwritten in this run.
    bool IsBlocked() const { return m_blocked; }
    CString GetFilePath() const;

    // The text of a key; found is false (and the text empty) when missing.
    CString GetValue(const char* key, bool* found = nullptr) const;
    // Replaces the text of the key's element or creates it.
    void SetValue(const char* key, const char* text);

    void SetSplitterPos(int pixels);
    void SetLogSplitterPos(int pixels);
    // 80 when missing or empty.
    int GetSplitterPos() const;
    int GetLogSplitterPos() const;

    void SetWindowRect(int left, int top, int right, int bottom);
    // True when "rect" scans as four integers with left <= right and
    // top <= bottom.
    bool GetWindowRect(int* left, int* top, int* right, int* bottom) const;

    void SetColumnWidths(const int* widths, int count);
    // The widths (each part of the text converted like atoi); empty when
    // missing or empty.
    void GetColumnWidths(CArray<int, int>& widths) const;

    // The folder keys; a present element is used even when empty, a missing
    // one gives <documents>\trovconf\Applications (Firmware, IOFirmware),
    // created.
    CString GetAppFolder() const;
    CString GetFirmwareFolder() const;
    CString GetIoFolder() const;

private:
    int GetPixels(const char* key) const;
    CString GetFolder(const char* key, const char* defaultSubfolder) const;
    void ResetDocument();

    CGTextStore m_store;
    bool m_blocked = false;
    // Nothing changed since the last successful save (the destructor then
    // has nothing to write).
    bool m_saved = false;
};
