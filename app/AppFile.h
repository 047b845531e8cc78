#pragma once
// One application file (*.lmx) as the application browser lists it: the
// facts read from inside the container ("id", "info" and "setup") that the
// browser's columns show and sort by.  The INFO document and the data-set
// names are cached in the record, so they outlive the container, which is
// open only while the browser adds the file's row.
#include "app/RememberedPath.h"
#include "framework/String.h"
#include "framework/Types.h"
#include "support/AppContainer.h"
#include "support/GXml.h"

#include <cstdint>
#include <vector>

// The browser's columns.
enum {
    kAppFileColumnName = 0,     // "Application": the file name without its last extension
    kAppFileColumnVersion = 1,  // "Version"
    kAppFileColumnDate = 2,     // "Date"
    kAppFileColumnSize = 3,     // "Size"
    kAppFileColumnTool = 4,     // "VLumex": the design tool's version
    kAppFileColumnDataSets = 5, // "Datasets"
    kAppFileColumnCount = 6,
};

class CGAppFile {
public:
    explicit CGAppFile(const char* path);
    ~CGAppFile();
    CGAppFile(const CGAppFile&) = delete;
    CGAppFile& operator=(const CGAppFile&) = delete;

    // Opens the container and reads its identity: true when the file is a
    // container with an "id" section (the id text, at most 36 characters,
    // becomes the key text of the other sections).  Otherwise the file is
    // unreadable and its row shows "<corrupt>".
    bool Open();
    // Frees the container's sections and closes its file; the INFO document
    // and the data-set names read so far stay.
    void Close();
    bool IsReadable() const { return m_readable; }

    // Parses the "info" section (root INFO) once; TRUE when the document is
    // there.  A failed attempt leaves no document behind.
    BOOL LoadInfo();
    // INFO APPVERSION; FALSE (text unchanged) without it.
    BOOL GetVersion(CString& text);
    // INFO DATETIME, else the file's last-modification time in local time
    // ("YYYY/MM/DD hh:mm:ss", empty before 2010) followed by "*"; FALSE (text
    // unchanged) when neither can be had.
    BOOL GetDate(CString& text);
    // The file's size, 0 when its status cannot be read.
    ULONGLONG GetFileSize() const;
    // "3v6 or earlier" without a "setup" section; else INFO VLUMEX, or
    // "4v0beta" without that element; "legacy" when there is no INFO
    // document.  Always TRUE.
    BOOL GetToolVersion(CString& text);
    // Reads the names of the data sets from the "setup" section (root
    // SETUPS) once; TRUE at once without a "setup" section.
    BOOL LoadDataSetNames();
    // The names joined by ","; FALSE (text unchanged) when they cannot be read.
    BOOL GetDataSetNames(CString& text);
    BOOL HasSetup() const { return m_hasSetup; }

    // The path the record was made with: the one the browser returns.
    const CRememberedPath& GetPath() const { return m_path; }
    // The file name without its last extension.
    CString GetDisplayName() const;
    // A column's text as the user reads it (the list doubles each "&"):
    // "<unknown>" for missing version or date; for an unreadable file
    // "<corrupt>" as version and nothing else but the name.
    CString GetColumnText(int column);

    // "%0.1fM" above 1048576 bytes, else "%0.1fK".
    static CString FormatFileSize(ULONGLONG size);
    // Ascending order of two files by a column (below 0, 0, above 0): the
    // accessors' texts without regard to letter case (a failing accessor,
    // or an unreadable file, gives the empty text), the sizes for the
    // size column, the displayed names for the name column and any other.
    static int Compare(CGAppFile& a, CGAppFile& b, int column);

    CGAppContainer m_container;
    CRememberedPath m_path;
    CGXml m_info;
    BOOL m_hasSetup = FALSE;
    std::vector<CString> m_dataSetNames;

private:
    bool m_readable = false;
    bool m_infoLoaded = false;
    bool m_dataSetNamesLoaded = false;
};
