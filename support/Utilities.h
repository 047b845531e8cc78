#pragma once
// Small free functions shared across the support library and the program:
// packed timestamps, bounded formatting, base64, UTF-8 lead bytes, name
// checks, calendar helpers, key=value lists, the discovery probe, a 64-bit
// string hash and MD5 digests as hexadecimal text.  They keep no state.
#include <cstddef>
#include <cstdint>
#include <cstdio>

// ---- Packed timestamp ---------------------------------------------------
// 8 bytes: year - 1900, month - 1, day - 1, hour, minute, second, then the
// milliseconds as a big-endian 16-bit value.  All zero means "no time".
enum { kPackedTimestampSize = 8 };

// Every output may be null.
void UnpackTimestamp(const unsigned char* timestamp, int* year, int* month, int* day,
                     int* hour, int* minute, int* second, int* milliseconds);
// Stores the eight bytes (byte 0 is the low eight bits of year - 1900);
// nonzero when the year lies in 1900 to 2155.
int PackTimestamp(unsigned char* timestamp, int year, int month, int day,
                  int hour, int minute, int second, int milliseconds);
// The current local time, packed; the result of PackTimestamp.
int PackLocalTime(unsigned char* timestamp);
// 1 for a real time from 2010 on with every field in range, 0 otherwise.
int IsValidTimestamp(const unsigned char* timestamp);
// Writes the time as text into buffer (never more than size bytes, always
// terminated when size > 0).  No format: "YYYY/MM/DD hh:mm:ss"; the format
// "%Y-%m-%dT%H:%M:%S" is formatted directly; any other goes to strftime.
// With milliseconds ".mmm" follows.  An invalid timestamp gives the empty
// text.  Returns the length written.
int FormatTimestamp(const unsigned char* timestamp, char* buffer, size_t size,
                    const char* format, int withMilliseconds);
// Days of a month (1 to 12) of a year; 0 for another month.
int DaysInMonth(int year, int month);

// ---- Texts --------------------------------------------------------------
// printf-style formatting that never writes past size bytes and always
// terminates the buffer when size > 0 (the text is cut when it does not
// fit).  Returns the length of the complete text, written or not, or -1 on
// a format error.  Size 0 only measures.
int FormatBounded(char* buffer, size_t size, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

// Decodes base64 (standard alphabet; any other character, '=' included,
// counts as 0) into a newly malloc'd buffer (release with free()) holding
// three bytes per group of four characters plus a terminating zero byte;
// *outputLength receives three times the number of groups.  Null (and an
// output length of 0) when allocation fails.
unsigned char* Base64Decode(const char* text, size_t length, size_t* outputLength);

// Byte count of the UTF-8 sequence that begins with *p (continuation bytes
// count as 2).  Reads one byte.
int Utf8LeadLength(const unsigned char* p);

// Value of one hexadecimal digit (0-9, A-F, a-f), -1 for any other character.
int HexDigitValue(char c);
// 1 when the text holds anything but ASCII letters, digits, blanks, '-' and
// '_'; 0 otherwise (the empty text is valid).
int HasInvalidNameChars(const char* text);

// In a text of blank-separated words, the first word that begins with key
// immediately followed by '=' (a pointer into text), or null.
const char* FindKeyValue(const char* text, const char* key);
// 1 when the key's comma-separated value list holds value exactly.
int HasListValue(const char* text, const char* key, const char* value);

// ---- Files --------------------------------------------------------------
// Reads up to count bytes, going on after short reads; returns how many
// arrived (fewer only at the end of the file or on an error).
size_t ReadFully(FILE* file, void* out, size_t count);

// ---- System -------------------------------------------------------------
// Creates one folder; nonzero on success.
int MakeDirectory(const char* path);
void SleepMs(unsigned milliseconds);

// ---- Misc ---------------------------------------------------------------
enum { kDiscoveryProbeLength = 15 };
// "Trov:KnockKnock" (sent without its terminator).
const char* GetDiscoveryProbe();

// Comparison without regard to ASCII letter case (<0, 0, >0).
int CompareNoCase(const char* a, const char* b);

// h = h * 33 + byte over the data, starting from seed; length 0 reads up to
// the terminator; a null pointer returns the seed.
uint64_t ComputeHash64(const void* data, uint64_t seed, size_t length);

// Writes the MD5 digest of length bytes of text (length -1: up to the
// terminator) as lower-case hexadecimal digits: min(digitCount, 32) digits
// and a terminating zero, so output must hold digitCount + 1 bytes (at most
// 33 are written).  Returns the number of digits written.
int Md5Hex(char* output, int digitCount, const char* text, ptrdiff_t length);
