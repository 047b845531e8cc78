#pragma once
// The XML commands the program sends to one controller (by broadcast to a
// machine that answered the last broadcast, otherwise over TCP), the change
// test of the configure dialog, and the name under which a controller's
// backup is kept.
#include <cstdint>
#include <string>

#include "framework/String.h"

// What the configure dialog returns for the Reconfigure command.
struct CReconfigureValues {
    CString dhcp;     // "DHCP" or "Static"
    CString password; // empty: no PASSWORD element
    CString comment;
    uint32_t if1Ip = 0;
    uint32_t if1Netmask = 0;
    uint32_t if1Gateway = 0;
    uint32_t if2Ip = 0;
    uint32_t if2Netmask = 0;
};

// The compact Reconfigure text (root TROV: COMMAND, PASSWORD as the MD5
// digits of the password when one was typed, MAC, COMMENT, IF1 with DHCP,
// IP, NETMASK, GATEWAY, IF2 with IP, NETMASK).  malloc'd (free() it);
// nullptr when memory runs out.
char* BuildReconfigureCommand(const CReconfigureValues& values, const char* mac);

// The indented Identify text (root TROV: COMMAND "Identify", MAC).
// malloc'd; nullptr when memory runs out.
char* BuildIdentifyCommand(const char* mac);

// Two address texts are the same only when both scan as "%d.%d.%d.%d" to
// the same value: an empty or unreadable text always counts as changed.
bool SameAddressText(const char* a, const char* b);

// The machine's settings as shown in the configure dialog and as returned.
struct CConfigureTexts {
    CString dhcp, if1Ip, if1Netmask, if1Gateway, if2Ip, if2Netmask, comment;
};
// Whether OK of the configure dialog changed anything worth sending.
bool ConfigureChanged(const CConfigureTexts& before, const CConfigureTexts& after);

// Longest run of a controller's text (MAC, configuration name) taken into
// a backup file name: two of them and the time stamp stay within the 255
// characters a file name can hold.
enum { kBackupNamePartMax = 119 };

// A file name made acceptable to Windows, changing only what it cannot
// take: each of < > : " / \ | ? * and every control character becomes '_',
// as do dots and blanks at the end; a reserved device name (CON, PRN, AUX,
// NUL, COM1-COM9, LPT1-LPT9, in any case, alone or before an extension)
// gets a '_' in front.  Blanks and every other character stay.  An empty
// name gives "_".
std::string WindowsFileName(const std::string& name);

// The backup file of a machine: folder\MAC_YYYYMMDDhhmmss_CONFIG, the name
// reduced by WindowsFileName (each controller text cut to
// kBackupNamePartMax bytes first), so that the file always lands directly
// inside the chosen folder.
CString BuildBackupPath(const char* folder, const char* mac, const char* config, int year, int month, int day,
                        int hour, int minute, int second);
