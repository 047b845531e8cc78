#pragma once
// The portable core of "Install Application": what the command checks in the
// chosen application file and in the selected machines before the install
// dialog opens, and the file actually sent to each machine, a container
// rebuilt from the chosen file with its "id" section plain, a "setup"
// section holding only the chosen data set merged over the first one, and
// the other sections packed with the application's key ("app" compressed
// only for a firmware later than 4v0).
#include "app/MachineMap.h"
#include "framework/String.h"

#include <string>
#include <vector>

class CMachine;
class CGAppContainer;

// The application file as the install command reads it.
struct CInstallApplication {
    CString m_identity;                  // the "id" text, at most 36 characters
    std::vector<CString> m_dataSetNames; // in file order, the first is the base
    CString m_version;                   // VERSION of the "app" text, empty without
    // Why the "app" part cannot be installed ("Can't find APP part in lmx
    // file", "Invalid app in file"), or empty.  The command says so only
    // after the machines were checked (CheckInstallSelection).
    CString m_appProblem;
};

// Opens the file and reads its identity, data-set names, version and the
// state of its "app" part.  false with the message to show ("Can't open
// that App file", "The selected app is not version 4. Update it or install
// with an earlier version.") when the file cannot be opened or its data sets
// cannot be read.
bool ReadInstallApplication(const char* appPath, CInstallApplication& application, CString& message);

// The checks between reading the file and the install dialog, in their
// order: machines whose firmware is below v4 leave the selection with one
// message each; with no machine left the command ends without a further
// message; then a file whose "app" part is missing or invalid ends it with
// that message.  false when the command ends; messages in the order shown.
bool CheckInstallSelection(const CInstallApplication& application, CMachineList& machines,
                           std::vector<CString>& messages);

// The "id" text of an open container cut to 36 characters (empty without
// one); it also becomes the container's key text.
CString ReadApplicationIdentity(CGAppContainer& container);

// A machine whose firmware major version is known and below 4 is skipped.
bool IsFirmwareBelowV4(const CMachine& machine);
// "%s is not running a v4 firmware and will be skipped." with its host name.
CString FormatFirmwareSkipMessage(const CMachine& machine);
// Removes those machines from the list, in order, with one message each.
void RemoveMachinesBelowV4(CMachineList& machines, std::vector<CString>& messages);

// Whether this machine's firmware unpacks a compressed application: later
// than 4v0 (an unknown firmware is not).
bool FirmwareTakesCompressedApp(const CMachine& machine);

// The machine's current data set: its data-set name when it answered on an
// interface (interface number above 0), else empty; with stripMark, one
// trailing '*' removed.
CString GetMachineDataSet(const CMachine& machine, bool stripMark);

struct CInstallUpdateChoice {
    bool m_updateAllowed = false;
    CString m_currentDataSet; // the first machine's, preselected in the dialog
};
// "Update" (keep the values) is offered only when every machine runs the
// application of the file (identity equal and not empty).
CInstallUpdateChoice DecideInstallUpdate(const CMachineList& machines, const char* appIdentity);

// Writes the install file into outputPath from the application file: "id"
// plain (its text becomes the key), "setup" as one SETUP element holding the
// first data set with the chosen one merged over it (plain, with its
// terminator; left out when the file's setup holds no data set), "app"
// packed with the key and LZO-compressed when compress is set, any other
// section packed and compressed with the key (plain with an empty key).
// Returns 1 on success; 0 with a reason in failure when the file could not be
// opened or read, a section could not be loaded or written, or it holds no
// "app" section, and outputPath is then removed.
int BuildInstallFile(const char* outputPath, const char* appPath, const char* dataSetName, bool compress,
                     CString* failure = nullptr);

// The temporary file of one machine's upload: a new empty file named by the
// system with the prefix "trovconf" in the user's temporary folder, removed
// by Remove() or when the object goes, whatever happened in between.
class CInstallTempFile {
public:
    CInstallTempFile() = default;
    ~CInstallTempFile() { Remove(); }
    CInstallTempFile(const CInstallTempFile&) = delete;
    CInstallTempFile& operator=(const CInstallTempFile&) = delete;

    // Removes a previous file and creates a new one; false when none could be
    // made.
    bool Create();
    void Remove();
    const char* GetPath() const { return m_path.c_str(); }
    bool IsCreated() const { return !m_path.empty(); }

private:
    std::string m_path;
};

// The whole step of one machine: a temporary file holding the install file
// built for that machine's firmware.  false with the temporary file already
// removed (and a reason in failure) when it could not be built.
bool BuildMachineInstallFile(const CMachine& machine, const char* appPath, const char* dataSetName,
                             CInstallTempFile& file, CString* failure = nullptr);
