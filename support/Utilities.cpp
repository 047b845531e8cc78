#include "support/Utilities.h"

#include "support/Platform.h"

#include <openssl/evp.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

// ---- Packed timestamp ---------------------------------------------------

void UnpackTimestamp(const unsigned char* timestamp, int* year, int* month, int* day,
                     int* hour, int* minute, int* second, int* milliseconds)
{
    if (year)
        *year = timestamp[0] + 1900;
    if (month)
        *month = timestamp[1] + 1;
    if (day)
        *day = timestamp[2] + 1;
    if (hour)
        *hour = timestamp[3];
    if (minute)
        *minute = timestamp[4];
    if (second)
        *second = timestamp[5];
    if (milliseconds)
        *milliseconds = (timestamp[6] << 8) | timestamp[7];
}

int PackTimestamp(unsigned char* timestamp, int year, int month, int day,
                  int hour, int minute, int second, int milliseconds)
{
    timestamp[0] = (unsigned char)((unsigned)(year - 1900) & 0xFF);
    timestamp[1] = (unsigned char)((unsigned)(month - 1) & 0xFF);
    timestamp[2] = (unsigned char)((unsigned)(day - 1) & 0xFF);
    timestamp[3] = (unsigned char)(hour & 0xFF);
    timestamp[4] = (unsigned char)(minute & 0xFF);
    timestamp[5] = (unsigned char)(second & 0xFF);
    timestamp[6] = (unsigned char)(((unsigned)milliseconds >> 8) & 0xFF);
    timestamp[7] = (unsigned char)((unsigned)milliseconds & 0xFF);
    return year >= 1900 && year <= 2155;
}

int PackLocalTime(unsigned char* timestamp)
{
    PlatformLocalTime now;
    PlatformGetLocalTime(&now);
    return PackTimestamp(timestamp, now.year, now.month, now.day, now.hour, now.minute,
                         now.second, now.milliseconds);
}

int DaysInMonth(int year, int month)
{
    switch (month) {
    case 2: {
        bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        return leap ? 29 : 28;
    }
    case 4: case 6: case 9: case 11:
        return 30;
    case 1: case 3: case 5: case 7: case 8: case 10: case 12:
        return 31;
    default:
        return 0;
    }
}

int IsValidTimestamp(const unsigned char* timestamp)
{
    static const unsigned char zero[kPackedTimestampSize] = {0};
    if (memcmp(timestamp, zero, kPackedTimestampSize) == 0)
        return 0;
    int year, month, day, hour, minute, second, milliseconds;
    UnpackTimestamp(timestamp, &year, &month, &day, &hour, &minute, &second, &milliseconds);
    if (year <= 2009 || month < 1 || month > 12)
        return 0;
    if (day < 1 || day > DaysInMonth(year, month))
        return 0;
    if (hour > 23 || minute > 59 || second > 59 || milliseconds >= 1000)
        return 0;
    return 1;
}

// Copies text into buffer, cut to size - 1 characters; returns the length
// written.
static int CopyBounded(char* buffer, size_t size, const char* text, size_t length)
{
    if (size == 0)
        return 0;
    if (length > size - 1)
        length = size - 1;
    memcpy(buffer, text, length);
    buffer[length] = '\0';
    return (int)length;
}

int FormatTimestamp(const unsigned char* timestamp, char* buffer, size_t size,
                    const char* format, int withMilliseconds)
{
    if (buffer == nullptr || size == 0)
        return 0;
    buffer[0] = '\0';
    if (!IsValidTimestamp(timestamp))
        return 0;
    int year, month, day, hour, minute, second, milliseconds;
    UnpackTimestamp(timestamp, &year, &month, &day, &hour, &minute, &second, &milliseconds);

    std::string text;
    char fixed[64];
    if (format == nullptr) {
        snprintf(fixed, sizeof fixed, "%04u/%02u/%02u %02u:%02u:%02u", (unsigned)year,
                 (unsigned)month, (unsigned)day, (unsigned)hour, (unsigned)minute,
                 (unsigned)second);
        text = fixed;
    } else if (strcmp(format, "%Y-%m-%dT%H:%M:%S") == 0) {
        snprintf(fixed, sizeof fixed, "%04u-%02u-%02uT%02u:%02u:%02u", (unsigned)year,
                 (unsigned)month, (unsigned)day, (unsigned)hour, (unsigned)minute,
                 (unsigned)second);
        text = fixed;
    } else if (format[0] != '\0') {
        struct tm fields {};
        fields.tm_sec = second;
        fields.tm_min = minute;
        fields.tm_hour = hour;
        fields.tm_mday = day;
        fields.tm_mon = month - 1;
        fields.tm_year = year - 1900;
        fields.tm_isdst = 0;
        // strftime gives 0 both for "did not fit" and for an empty result:
        // grow the scratch buffer a few times, then give up with the empty
        // text rather than loop.
        for (size_t scratch = 256; scratch <= 65536; scratch *= 4) {
            std::string out(scratch, '\0');
            size_t n = strftime(&out[0], scratch, format, &fields);
            if (n > 0) {
                text.assign(out.data(), n);
                break;
            }
        }
    }
    if (withMilliseconds) {
        snprintf(fixed, sizeof fixed, ".%03d", milliseconds);
        text += fixed;
    }
    return CopyBounded(buffer, size, text.data(), text.size());
}

// ---- Texts --------------------------------------------------------------

int FormatBounded(char* buffer, size_t size, const char* format, ...)
{
    if (format == nullptr) {
        if (buffer != nullptr && size > 0)
            buffer[0] = '\0';
        return -1;
    }
    if (buffer == nullptr)
        size = 0;
    va_list args;
    va_start(args, format);
    int length = vsnprintf(size > 0 ? buffer : nullptr, size, format, args);
    va_end(args);
    if (size > 0) {
        if (length < 0)
            buffer[0] = '\0';
        else
            buffer[size - 1 < (size_t)length ? size - 1 : (size_t)length] = '\0';
    }
    return length < 0 ? -1 : length;
}

static int Base64Value(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return 0;
}

unsigned char* Base64Decode(const char* text, size_t length, size_t* outputLength)
{
    if (outputLength)
        *outputLength = 0;
    if (text == nullptr)
        length = 0;
    size_t groups = length / 4 + (length % 4 != 0);
    if (groups > (SIZE_MAX - 1) / 3)
        return nullptr;
    size_t total = groups * 3;
    unsigned char* output = (unsigned char*)malloc(total + 1);
    if (output == nullptr)
        return nullptr;
    const unsigned char* in = (const unsigned char*)text;
    unsigned char* out = output;
    for (size_t g = 0; g < groups; ++g) {
        unsigned long bits = 0;
        for (size_t k = 0; k < 4; ++k) {
            size_t at = g * 4 + k;
            bits = (bits << 6) | (unsigned long)(at < length ? Base64Value(in[at]) : 0);
        }
        *out++ = (unsigned char)(bits >> 16);
        *out++ = (unsigned char)(bits >> 8);
        *out++ = (unsigned char)bits;
    }
    output[total] = 0;
    if (outputLength)
        *outputLength = total;
    return output;
}

int Utf8LeadLength(const unsigned char* p)
{
    unsigned char c = *p;
    if (c < 0x80)
        return 1;
    if (c < 0xE0)
        return 2;
    if (c < 0xF0)
        return 3;
    return 4;
}

int HasInvalidNameChars(const char* text)
{
    if (text == nullptr)
        return 0;
    for (const unsigned char* p = (const unsigned char*)text; *p; ++p) {
        if (Utf8LeadLength(p) != 1)
            return 1;
        unsigned char c = *p;
        bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
                       || c == ' ' || c == '-' || c == '_';
        if (!allowed)
            return 1;
    }
    return 0;
}

// Words of a key=value list are separated by blanks alone; a tab, CR or LF
// is part of the word it stands in.
static bool IsBlank(char c)
{
    return c == ' ';
}

const char* FindKeyValue(const char* text, const char* key)
{
    if (text == nullptr || key == nullptr)
        return nullptr;
    size_t keyLength = strlen(key);
    const char* p = text;
    for (;;) {
        while (IsBlank(*p))
            ++p;
        if (*p == '\0')
            return nullptr;
        if (strncmp(p, key, keyLength) == 0 && p[keyLength] == '=')
            return p;
        while (*p != '\0' && !IsBlank(*p))
            ++p;
    }
}

int HasListValue(const char* text, const char* key, const char* value)
{
    if (value == nullptr)
        return 0;
    const char* word = FindKeyValue(text, key);
    if (word == nullptr)
        return 0;
    const char* p = word + strlen(key) + 1;
    size_t valueLength = strlen(value);
    for (;;) {
        const char* start = p;
        while (*p != '\0' && *p != ',' && !IsBlank(*p))
            ++p;
        if ((size_t)(p - start) == valueLength && strncmp(start, value, valueLength) == 0)
            return 1;
        if (*p != ',')
            return 0;
        ++p;
    }
}

// ---- System -------------------------------------------------------------

int MakeDirectory(const char* path)
{
    return PlatformMakeDirectory(path);
}

void SleepMs(unsigned milliseconds)
{
    PlatformSleep(milliseconds);
}

// ---- Misc ---------------------------------------------------------------

const char* GetDiscoveryProbe()
{
    return "Trov:KnockKnock";
}

int CompareNoCase(const char* a, const char* b)
{
    const unsigned char* x = (const unsigned char*)a;
    const unsigned char* y = (const unsigned char*)b;
    for (;; ++x, ++y) {
        int cx = (*x >= 'A' && *x <= 'Z') ? *x + ('a' - 'A') : *x;
        int cy = (*y >= 'A' && *y <= 'Z') ? *y + ('a' - 'A') : *y;
        if (cx != cy || cx == 0)
            return cx - cy;
    }
}

uint64_t ComputeHash64(const void* data, uint64_t seed, size_t length)
{
    if (data == nullptr)
        return seed;
    const unsigned char* p = (const unsigned char*)data;
    uint64_t h = seed;
    if (length == 0) {
        for (; *p; ++p)
            h = h * 33u + *p;
    } else {
        for (size_t i = 0; i < length; ++i)
            h = h * 33u + p[i];
    }
    return h;
}

int Md5Hex(char* output, int digitCount, const char* text, ptrdiff_t length)
{
    if (output == nullptr || digitCount < 0)
        return 0;
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int digestLength = 0;
    if (text == nullptr)
        text = "";
    size_t count = length < 0 ? strlen(text) : (size_t)length;
    if (!EVP_Digest(text, count, digest, &digestLength, EVP_md5(), nullptr) || digestLength != 16) {
        output[0] = '\0';
        return 0;
    }
    // One digit at a time, so an odd count or one above 32 never writes past
    // digitCount + 1 bytes.
    static const char hex[] = "0123456789abcdef";
    int digits = digitCount < 32 ? digitCount : 32;
    for (int i = 0; i < digits; ++i) {
        unsigned char byte = digest[i / 2];
        output[i] = hex[(i % 2 == 0) ? (byte >> 4) : (byte & 0x0F)];
    }
    output[digits] = '\0';
    return digits;
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

size_t ReadFully(FILE* file, void* out, size_t count)
{
    size_t done = 0;
    while (done < count) {
        size_t got = fread((unsigned char*)out + done, 1, count - done, file);
        if (got == 0)
            break;
        done += got;
    }
    return done;
}
