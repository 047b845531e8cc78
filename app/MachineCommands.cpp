#include "app/MachineCommands.h"

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

std::string SafeFileNamePart(const char* text)
{
    std::string part;
    for (const char* p = text ? text : ""; *p && part.size() < kBackupNamePartMax; ++p) {
        unsigned char c = (unsigned char)*p;
        bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                    c == '.' || c == '_';
        if (c == '.' && part.empty())
            continue; // no hidden files, no "." or ".." names
        part += keep ? (char)c : '_';
    }
    // The system drops trailing dots from file names.
    while (!part.empty() && part.back() == '.')
        part.back() = '_';
    return part.empty() ? std::string("unknown") : part;
}

CString BuildBackupPath(const char* folder, const char* mac, const char* config, int year, int month, int day,
                        int hour, int minute, int second)
{
    CString path;
    path.Format("%s\\%s_%04d%02d%02d%02d%02d%02d_%s", folder ? folder : "", SafeFileNamePart(mac).c_str(), year,
                month, day, hour, minute, second, SafeFileNamePart(config).c_str());
    return path;
}
