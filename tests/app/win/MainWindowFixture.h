#pragma once
// The main window in a test: the program's folders in temporary ones, its
// machine list file in the settings folder there, and the window itself,
// created hidden at a fixed size.
#include <memory>
#include <string>

#include "tests/common/TempDir.h"

class CtrovconfDlg;

namespace trovtest {

// The program's folders in a test, for fixtures to derive from: application
// data and documents in temporary folders, and a temporary working folder
// whose "app_tests.ini" names the program "TROVconf".
class TestAppFolders {
protected:
    // Points the settings paths at the folders, enters the working folder
    // and writes the .ini there.
    void EnterAppFolders();
    // Goes back to the folder it came from and lets the settings paths be.
    void LeaveAppFolders();
    // The .ini in the working folder.
    std::string IniFile() const;

    TempDir m_appData, m_documents, m_work;

private:
    std::string m_oldFolder;
};

// "<appData>\trovconf" and the "machines.xml" in it.
std::string SettingsFolder(const TempDir& appData);
std::string MachinesFile(const TempDir& appData);

// Writes machines.xml, making the settings folder when missing; a file that
// cannot be written fails the test.
void WriteMachinesFile(const TempDir& appData, const std::string& text);

// Creates the main window at 10,10 (900 x 500) and dispatches its messages
// until its start-up is over (the saved list read and filled, the first
// probe sent); false when the window could not be created.
bool OpenMainWindow(std::unique_ptr<CtrovconfDlg>& window);

} // namespace trovtest
