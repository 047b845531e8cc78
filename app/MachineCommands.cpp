#include "app/MachineCommands.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/IpAddress.h"
#include "support/GTextStore.h"
#include "support/GXml.h"
#include "support/Utilities.h"

namespace {

char* TakeText(const CGTextStore& store)
{
    return store.GetText(nullptr);
}

bool ScanAddress(const char* text, uint32_t* value)
{
    int a, b, c, d;
    char extra;
    if (!text || std::sscanf(text, "%d.%d.%d.%d%c", &a, &b, &c, &d, &extra) != 4)
        return false;
    *value = ((uint32_t)a << 24) + ((uint32_t)b << 16) + ((uint32_t)c << 8) + (uint32_t)d;
    return true;
}

} // namespace

char* BuildReconfigureCommand(const CReconfigureValues& values, const char* mac)
{
    CGTextStore store;
    CGXmlWriter writer(&store, true);
    writer.BeginElement("TROV");
    writer.Leaf("COMMAND", "Reconfigure");
    if (!values.password.IsEmpty()) {
        char digest[33] = "";
        Md5Hex(digest, 32, values.password, -1);
        writer.Leaf("PASSWORD", digest);
    }
    writer.Leaf("MAC", mac ? mac : "");
    writer.Leaf("COMMENT", values.comment);
    writer.BeginElement("IF1");
    writer.Leaf("DHCP", values.dhcp);
    writer.Leaf("IP", CIpAddressText(values.if1Ip));
    writer.Leaf("NETMASK", CIpAddressText(values.if1Netmask));
    writer.Leaf("GATEWAY", CIpAddressText(values.if1Gateway));
    writer.EndElement();
    writer.BeginElement("IF2");
    writer.Leaf("IP", CIpAddressText(values.if2Ip));
    writer.Leaf("NETMASK", CIpAddressText(values.if2Netmask));
    writer.EndElement();
    writer.EndAll();
    return TakeText(store);
}

char* BuildIdentifyCommand(const char* mac)
{
    CGTextStore store;
    CGXmlWriter writer(&store, false);
    writer.BeginElement("TROV");
    writer.Leaf("COMMAND", "Identify");
    writer.Leaf("MAC", mac ? mac : "");
    writer.EndAll();
    return TakeText(store);
}

bool SameAddressText(const char* a, const char* b)
{
    uint32_t va = 0, vb = 0;
    if (!a || !b || !*a || !*b)
        return false;
    return ScanAddress(a, &va) && ScanAddress(b, &vb) && va == vb;
}

bool ConfigureChanged(const CConfigureTexts& before, const CConfigureTexts& after)
{
    if (std::strcmp(before.dhcp, after.dhcp) != 0)
        return true;
    if (!SameAddressText(before.if1Ip, after.if1Ip) || !SameAddressText(before.if1Netmask, after.if1Netmask) ||
        !SameAddressText(before.if1Gateway, after.if1Gateway) || !SameAddressText(before.if2Ip, after.if2Ip) ||
        !SameAddressText(before.if2Netmask, after.if2Netmask))
        return true;
    return std::strcmp(before.comment, after.comment) != 0;
}

namespace {

bool IsReservedDeviceName(std::string stem)
{
    // The system ignores blanks at the end of the part before the extension.
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    for (char& c : stem)
        c = (char)std::toupper((unsigned char)c);
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL")
        return true;
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
           stem[3] >= '1' && stem[3] <= '9';
}

std::string NamePart(const char* text)
{
    std::string part(text ? text : "");
    if (part.size() > kBackupNamePartMax)
        part.resize(kBackupNamePartMax);
    return part;
}

} // namespace

std::string WindowsFileName(const std::string& name)
{
    std::string result;
    result.reserve(name.size() + 1);
    for (char ch : name) {
        unsigned char c = (unsigned char)ch;
        bool refused = c < 32 || std::strchr("<>:\"/\\|?*", ch) != nullptr;
        result += refused ? '_' : ch;
    }
    // The system drops dots and blanks at the end of a name.
    for (size_t i = result.size(); i > 0 && (result[i - 1] == '.' || result[i - 1] == ' '); --i)
        result[i - 1] = '_';
    if (IsReservedDeviceName(result.substr(0, result.find('.'))))
        result.insert(result.begin(), '_');
    return result.empty() ? std::string("_") : result;
}

CString BuildBackupPath(const char* folder, const char* mac, const char* config, int year, int month, int day,
                        int hour, int minute, int second)
{
    char stamp[40];
    std::snprintf(stamp, sizeof stamp, "_%04d%02d%02d%02d%02d%02d_", year, month, day, hour, minute, second);
    std::string name = WindowsFileName(NamePart(mac) + stamp + NamePart(config));
    CString path;
    path.Format("%s\\%s", folder ? folder : "", name.c_str());
    return path;
}
