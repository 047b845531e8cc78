#pragma once
// The encrypted form of files and container sections:
//   bytes 0-3   magic AE 5C 0D ED
//   bytes 4-19  initialisation vector (16 random bytes)
//   bytes 20-   ciphertext, as long as the plaintext
// AES-256 in CFB mode with 128-bit feedback, no padding, no integrity check.
// Two keys: the whole-file key (encrypted XML files and single-text
// application files) and the section key, which also depends on the id text
// of the container being read or written (at most 36 characters count).
#include <cstddef>
#include <cstdio>

// Error numbers left in errno
enum { kEncErrContext = 1001, kEncErrRandom = 1002, kEncErrNotEncrypted = 1010, kEncErrAlloc = 1013, kEncErrKey = 1016 };

enum {
    kEncHeaderSize = 20,   // magic + initialisation vector
    kEncIdTextMax = 36,    // characters of the id text that the section key uses
};

// The magic bytes in file order.
extern const unsigned char kEncMagic[4];

// Reads a file positioned at its start.  When it is in the encrypted form,
// returns a malloc'd buffer (release with free()) holding the decrypted
// content followed by one zero byte, and the content's length in
// *lengthOut.  Otherwise null with the error number in errno; the file
// position is then wherever reading stopped, so callers reread from the
// start.  With wholeFileKey set the id text is ignored.
unsigned char* ReadEncryptedFile(FILE* file, size_t* lengthOut, int wholeFileKey, const char* idText);

// Decrypts an encrypted-form buffer in place; returns a pointer to byte 20,
// the first of length - 20 plaintext bytes; null with errno otherwise.
unsigned char* DecryptBuffer(unsigned char* buffer, size_t length, int wholeFileKey, const char* idText);

// Encrypts data in place under a fresh initialisation vector and writes the
// 20-byte header into header; 0, or -1 with errno (the data is then left as
// it was).
int EncryptBuffer(unsigned char* data, size_t length, unsigned char header[20], int wholeFileKey, const char* idText);

// EncryptBuffer with the section key: what the container writer uses.
int EncryptSection(unsigned char* data, size_t length, unsigned char header[20], const char* idText);
