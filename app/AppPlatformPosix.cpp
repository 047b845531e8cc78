#include "app/AppPlatform.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "support/Platform.h"
#include "support/Utilities.h"

void AppNewGuid(AppGuid* guid)
{
    unsigned char b[16] = {};
    PlatformRandomBytes(b, sizeof b);
    b[6] = (unsigned char)((b[6] & 0x0F) | 0x40); // version 4
    b[8] = (unsigned char)((b[8] & 0x3F) | 0x80); // variant
    guid->data1 = (uint32_t(b[0]) << 24) | (uint32_t(b[1]) << 16) | (uint32_t(b[2]) << 8) | b[3];
    guid->data2 = uint16_t((b[4] << 8) | b[5]);
    guid->data3 = uint16_t((b[6] << 8) | b[7]);
    memcpy(guid->data4, b + 8, 8);
}

bool AppFlushFile(FILE* file)
{
    return fflush(file) == 0 && fsync(fileno(file)) == 0;
}

bool AppReplaceFile(const char* replacement, const char* target, char* reason, size_t reasonSize)
{
    if (rename(replacement, target) == 0)
        return true;
    FormatBounded(reason, reasonSize, "%s", strerror(errno));
    return false;
}

bool AppMoveFileAside(const char* path, const char* newPath)
{
    // link + unlink never replaces an existing file of the new name.
    if (link(path, newPath) != 0)
        return false;
    unlink(path);
    return true;
}

bool AppFileExists(const char* path)
{
    struct stat st;
    return stat(path, &st) == 0;
}
