#include "app/AppPlatform.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

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

AppFileStamp AppGetFileStamp(const char* path)
{
    AppFileStamp stamp;
    struct stat st;
    if (stat(path, &st) != 0)
        return stamp;
    stamp.size = (long long)st.st_size;
    stamp.time = (long long)st.st_mtim.tv_sec * 1000000000ll + (long long)st.st_mtim.tv_nsec;
    stamp.id = ((unsigned long long)st.st_dev << 40) ^ (unsigned long long)st.st_ino;
    return stamp;
}

AppFileLock::AppFileLock(const char* path, int timeoutMs)
{
    // The file itself is replaced by each rewrite, so the lock is taken on
    // its folder, which stays.
    std::string folder(path);
    size_t slash = folder.find_last_of('/');
    folder = slash == std::string::npos ? "." : slash == 0 ? "/" : folder.substr(0, slash);
    m_descriptor = open(folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_descriptor < 0)
        return;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    for (;;) {
        if (flock(m_descriptor, LOCK_EX | LOCK_NB) == 0) {
            m_held = true;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR)
            break;
        if (timeoutMs >= 0 && std::chrono::steady_clock::now() >= deadline) {
            m_busy = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    close(m_descriptor);
    m_descriptor = -1;
}

AppFileLock::~AppFileLock()
{
    if (m_descriptor >= 0) {
        flock(m_descriptor, LOCK_UN);
        close(m_descriptor);
    }
}

bool AppIsFolder(const char* path)
{
    struct stat st;
    return stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

bool AppGetUserFolder(bool documents, char* buffer, size_t size)
{
    const char* home = getenv("HOME");
    if (!home || !*home)
        return false;
    int n = documents ? FormatBounded(buffer, size, "%s/Documents", home)
                      : FormatBounded(buffer, size, "%s/.config", home);
    return n >= 0 && (size_t)n < size;
}

namespace {

// The ini file as lines; a small reader and writer of "[section]" headers
// and "key=value" lines, keys compared without regard to letter case as the
// system's profile functions do.
bool ReadLines(const char* path, std::vector<std::string>* lines)
{
    FILE* file = fopen(path, "rb");
    if (!file)
        return false;
    std::string line;
    int c;
    while ((c = fgetc(file)) != EOF) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines->push_back(line);
            line.clear();
        } else {
            line += (char)c;
        }
    }
    if (!line.empty())
        lines->push_back(line);
    fclose(file);
    return true;
}

std::string Trim(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t");
    size_t e = s.find_last_not_of(" \t");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

bool IsSectionLine(const std::string& line, std::string* name)
{
    std::string t = Trim(line);
    if (t.size() < 2 || t[0] != '[' || t.back() != ']')
        return false;
    *name = Trim(t.substr(1, t.size() - 2));
    return true;
}

bool SplitKeyLine(const std::string& line, std::string* key, std::string* value)
{
    size_t eq = line.find('=');
    if (eq == std::string::npos)
        return false;
    *key = Trim(line.substr(0, eq));
    *value = Trim(line.substr(eq + 1));
    return true;
}

} // namespace

size_t AppProfileGetString(const char* section, const char* key, const char* defaultText, char* buffer, size_t size,
                           const char* path)
{
    if (size == 0)
        return 0;
    std::vector<std::string> lines;
    std::string result = defaultText ? defaultText : "";
    if (path && ReadLines(path, &lines)) {
        bool inSection = false;
        for (const std::string& line : lines) {
            std::string name, k, v;
            if (IsSectionLine(line, &name)) {
                inSection = CompareNoCase(name.c_str(), section) == 0;
            } else if (inSection && SplitKeyLine(line, &k, &v) && CompareNoCase(k.c_str(), key) == 0) {
                result = v;
                break;
            }
        }
    }
    size_t n = result.size() < size - 1 ? result.size() : size - 1;
    memcpy(buffer, result.data(), n);
    buffer[n] = 0;
    return n;
}

bool AppProfileWriteString(const char* section, const char* key, const char* value, const char* path)
{
    std::vector<std::string> lines;
    ReadLines(path, &lines);
    std::string entry = std::string(key) + "=" + (value ? value : "");
    bool inSection = false, done = false;
    size_t sectionEnd = std::string::npos;
    for (size_t i = 0; i < lines.size() && !done; ++i) {
        std::string name, k, v;
        if (IsSectionLine(lines[i], &name)) {
            if (inSection)
                break;
            inSection = CompareNoCase(name.c_str(), section) == 0;
            if (inSection)
                sectionEnd = i + 1;
        } else if (inSection) {
            if (SplitKeyLine(lines[i], &k, &v) && CompareNoCase(k.c_str(), key) == 0) {
                lines[i] = entry;
                done = true;
            } else if (!Trim(lines[i]).empty()) {
                sectionEnd = i + 1;
            }
        }
    }
    if (!done) {
        if (sectionEnd == std::string::npos) {
            lines.push_back(std::string("[") + section + "]");
            lines.push_back(entry);
        } else {
            lines.insert(lines.begin() + (long)sectionEnd, entry);
        }
    }
    FILE* file = fopen(path, "wb");
    if (!file)
        return false;
    for (const std::string& line : lines)
        fprintf(file, "%s\r\n", line.c_str());
    return fclose(file) == 0;
}

bool AppGetModulePath(char* buffer, size_t size)
{
    ssize_t n = readlink("/proc/self/exe", buffer, size - 1);
    if (n <= 0 || (size_t)n >= size - 1)
        return false;
    buffer[n] = 0;
    return true;
}

bool AppCreateTempFile(const char* prefix, std::string& path)
{
    const char* folder = getenv("TMPDIR");
    std::string pattern = std::string(folder && *folder ? folder : "/tmp") + "/" + (prefix ? prefix : "") + "XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0)
        return false;
    close(fd);
    path = name.data();
    return true;
}

bool AppDeleteFile(const char* path)
{
    return unlink(path) == 0 || errno == ENOENT;
}
