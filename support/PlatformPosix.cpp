// POSIX side of the support library's system calls (native builds).
#include "support/Platform.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

void PlatformGetLocalTime(PlatformLocalTime* out)
{
    struct timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    time_t seconds = now.tv_sec;
    struct tm local {};
    localtime_r(&seconds, &local);
    out->year = local.tm_year + 1900;
    out->month = local.tm_mon + 1;
    out->day = local.tm_mday;
    out->hour = local.tm_hour;
    out->minute = local.tm_min;
    out->second = local.tm_sec > 59 ? 59 : local.tm_sec;
    out->milliseconds = (int)(now.tv_nsec / 1000000);
}

void PlatformSleep(unsigned milliseconds)
{
    struct timespec wait;
    wait.tv_sec = milliseconds / 1000;
    wait.tv_nsec = (long)(milliseconds % 1000) * 1000000L;
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
}

int PlatformMakeDirectory(const char* path)
{
    return path != nullptr && mkdir(path, 0777) == 0;
}

int PlatformRandomBytes(unsigned char* out, size_t count)
{
    size_t done = 0;
    while (done < count) {
        ssize_t got = getrandom(out + done, count - done, 0);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return 1002;
        }
        done += (size_t)got;
    }
    return 0;
}

int64_t PlatformFileTell(FILE* file)
{
    return (int64_t)ftello(file);
}

int PlatformFileSeek(FILE* file, int64_t offset, int origin)
{
    return fseeko(file, (off_t)offset, origin);
}

void PlatformCloseHandle(void*)
{
    // No Windows handles exist in the native build.
}
