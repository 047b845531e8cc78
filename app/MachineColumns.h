#pragma once
// What a machine list shows of a machine, without the window: the ten
// columns with their cell texts and sort order, the row colours, the marks
// of rows that show the same address, and the column filters.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/Map.h"
#include "framework/String.h"

class CMachine;

enum {
    kColumnAddress = 0,
    kColumnDeviceId = 1,
    kColumnAppName = 2,
    kColumnAppVersion = 3,
    kColumnDataSet = 4,
    kColumnFirmware = 5,
    kColumnIoFirmware = 6,
    kColumnSystemId = 7,
    kColumnEthPort = 8,
    kColumnComment = 9,
    kMachineColumnCount = 10
};

struct MachineColumn {
    const char* title;
    int width;    // pixels
    bool centred; // else left-aligned
};
extern const MachineColumn kMachineColumns[kMachineColumnCount];

// Row text colours (0x00BBGGRR).
enum : uint32_t {
    kRowColourBlink = 0x0000FF,     // red: identification blinking
    kRowColourDuplicate = 0x0080FF, // orange: another row shows the address
    kRowColourAnswered = 0x000000,  // black
    kRowColourPending = 0x808080,   // grey: new or not answered
};

// The text of a cell as the user reads it (before "&" is doubled for the
// list); "" for a column out of range.
CString MachineColumnText(const CMachine& machine, int column);
// The text with each "&" doubled, as list cells are stored.
CString DoubleAmpersands(const char* text);

// Ascending order of two machines by a column: below 0, 0 or above 0.
int CompareMachineColumn(const CMachine& a, const CMachine& b, int column);
// Sort keys of the version columns: "%dv%dr%d" as major*65536 + minor*256
// + release, "HW %d.%d SW %d.%d" as four bytes, most significant first; 0
// for a text that does not scan.
int64_t AppVersionSortKey(const char* text);
uint32_t IoFirmwareSortKey(const char* text);

// The row colour: red while blinking (blink phase on and a blink count
// above 0), else orange for a duplicate, black when answered, else grey.
uint32_t MachineRowColour(const CMachine& machine, bool blinkOn);

// The address a row is compared by for duplicate marking: the IP of the
// interface the machine answered on (IF1 or IF2), or, for a machine that
// names neither, its address.
CString DuplicateComparisonText(const CMachine& machine);

// Duplicate marks of the rows of a list and of its other list: a row of the
// list is marked when another row of the list shows the same address, or a
// row of the other list does with a different MAC; a row of the other list
// when a row of the list shows its address with a different MAC.  An empty
// address never matches; a text that does not scan counts as 0.0.0.0.
// Runs in time linear in the number of rows.
void ComputeDuplicateMarks(const std::vector<const CMachine*>& rows, const std::vector<const CMachine*>& otherRows,
                           std::vector<char>* marks, std::vector<char>* otherMarks);

// Column filters: column -> text that the column's cell must contain
// (case-sensitive).
typedef CMap<int, int, CString, const char*> CColumnFilterMap;
bool MachinePassesFilters(const CMachine& machine, const CColumnFilterMap& filters);
