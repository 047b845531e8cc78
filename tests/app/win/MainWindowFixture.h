#pragma once
// The main window in a test: its machine list file in the settings folder
// under the test's application-data folder, and the window itself, created
// hidden at a fixed size.
#include <memory>
#include <string>

#include "tests/common/TempDir.h"

class CtrovconfDlg;

namespace trovtest {

// "<appData>\trovconf" and the "machines.xml" in it.
std::string SettingsFolder(const TempDir& appData);
std::string MachinesFile(const TempDir& appData);

// Writes machines.xml, making the settings folder when missing; a file that
// cannot be written fails the test.
void WriteMachinesFile(const TempDir& appData, const std::string& text);

// Creates the main window at 10,10 (900 x 500) and dispatches what it
// queued; false when the window could not be created.
bool OpenMainWindow(std::unique_ptr<CtrovconfDlg>& window);

} // namespace trovtest
