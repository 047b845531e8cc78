#include "support/EncryptedData.h"

#include "support/AesCfb.h"
#include "support/Platform.h"
#include "support/Utilities.h"
#include "support/SupportSeams.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

const unsigned char kEncMagic[4] = {0xAE, 0x5C, 0x0D, 0xED};

namespace {

// ---- Key materials ---------------------------------------------------------
// Each 32-byte material exists only as the combination of a word table and a
// byte mask, read in a shuffled order; neither table alone is the material.

const uint32_t kFilePart[8] = {
    0xa65d8eb8u, 0x552658ddu, 0xa4cd3982u, 0x704b770bu,
    0xce341ab3u, 0x847893d4u, 0x3f538084u, 0x4b98c74eu,
};
const uint32_t kSectionPart[8] = {
    0x53ef633eu, 0xc4d8c4bau, 0x3733a2bcu, 0xa170164cu,
    0xb38dcb6du, 0x89379be3u, 0x6080bb69u, 0x6231c30cu,
};

struct MaskTables {
    unsigned char file[32];
    unsigned char section[32];
};
const MaskTables kMasks = {
    {0x2d, 0x14, 0x03, 0x6f, 0x53, 0x79, 0xf1, 0xce, 0xce, 0x58, 0x4a, 0xa8, 0x6e, 0x2f, 0xed, 0x20,
     0x5b, 0x17, 0xd3, 0x0e, 0xc6, 0x3f, 0xa0, 0x39, 0xb4, 0x70, 0xf4, 0xef, 0xac, 0x26, 0x1f, 0x35},
    {0x4b, 0xc4, 0xea, 0xdb, 0xe6, 0xd0, 0x67, 0x8b, 0xcc, 0xcc, 0xa3, 0xbb, 0x8e, 0x55, 0x1a, 0x0d,
     0x54, 0xed, 0x6e, 0x16, 0x55, 0x2d, 0x8c, 0x71, 0xbe, 0x9e, 0x01, 0x94, 0x0c, 0x19, 0x2c, 0xa8},
};

void BuildMaterial(const uint32_t part[8], const unsigned char mask[32], unsigned char out[32])
{
    for (unsigned i = 0; i < 32; ++i) {
        unsigned at = (i * 7u) % 32u;
        unsigned char byte = (unsigned char)(part[at / 4] >> (8 * (at % 4)));
        out[i] = (unsigned char)(byte ^ mask[(i * 13u + 5u) % 32u]);
    }
}

void AppendHex(char* out, const unsigned char* bytes, size_t count)
{
    static const char hex[] = "0123456789abcdef";
    for (size_t i = 0; i < count; ++i) {
        out[2 * i] = hex[bytes[i] >> 4];
        out[2 * i + 1] = hex[bytes[i] & 0x0F];
    }
}

// The key text: 64 hexadecimal digits plus a terminator.
bool BuildKeyText(int wholeFileKey, const char* idText, char keyText[65])
{
    unsigned char material[32];
    unsigned char key[32];
    bool ok = true;
    if (wholeFileKey) {
        BuildMaterial(kFilePart, kMasks.file, material);
        memcpy(key, material, 32);
    } else {
        BuildMaterial(kSectionPart, kMasks.section, material);
        size_t idLength = 0;
        if (idText != nullptr)
            while (idLength < kEncIdTextMax && idText[idLength] != '\0')
                ++idLength;
        // Two digests of material, id text and a counter fill the 32 bytes.
        for (unsigned char half = 0; half < 2 && ok; ++half) {
            EVP_MD_CTX* md = EVP_MD_CTX_new();
            unsigned int got = 0;
            unsigned char counter = (unsigned char)(0x51 + half);
            ok = md != nullptr && EVP_DigestInit_ex(md, EVP_md5(), nullptr)
                 && EVP_DigestUpdate(md, material, 32)
                 && EVP_DigestUpdate(md, idText != nullptr ? idText : "", idLength)
                 && EVP_DigestUpdate(md, &counter, 1)
                 && EVP_DigestFinal_ex(md, key + 16 * half, &got) && got == 16;
            EVP_MD_CTX_free(md);
        }
    }
    if (ok) {
        AppendHex(keyText, key, 32);
        keyText[64] = '\0';
    }
    OPENSSL_cleanse(material, sizeof material);
    OPENSSL_cleanse(key, sizeof key);
    return ok;
}

// Keys the cipher for the file; false with errno kEncErrKey when it cannot.
bool SetCipherKey(CAesCfb& cipher, int wholeFileKey, const char* idText)
{
    char keyText[65];
    bool ok = BuildKeyText(wholeFileKey, idText, keyText) && g_supportSeams.setCipherKey(cipher, keyText);
    OPENSSL_cleanse(keyText, sizeof keyText);
    if (!ok)
        errno = kEncErrKey;
    return ok;
}

int RandomBytes(unsigned char* out, size_t count) { return g_supportSeams.randomBytes(out, count); }


} // namespace

unsigned char* ReadEncryptedFile(FILE* file, size_t* lengthOut, int wholeFileKey, const char* idText)
{
    if (lengthOut != nullptr)
        *lengthOut = 0;
    unsigned char magic[4];
    if (file == nullptr || ReadFully(file, magic, 4) != 4 || memcmp(magic, kEncMagic, 4) != 0) {
        errno = kEncErrNotEncrypted;
        return nullptr;
    }
    CAesCfb cipher;
    if (!SetCipherKey(cipher, wholeFileKey, idText))
        return nullptr;
    unsigned char iv[16];
    if (ReadFully(file, iv, 16) != 16) {
        errno = kEncErrNotEncrypted;
        return nullptr;
    }

    // The rest of the file, measured when the stream can seek, read in
    // growing steps otherwise (or when the file grew meanwhile).
    size_t capacity = 65536;
    int64_t here = PlatformFileTell(file);
    if (here >= 0 && PlatformFileSeek(file, 0, SEEK_END) == 0) {
        int64_t end = PlatformFileTell(file);
        if (PlatformFileSeek(file, here, SEEK_SET) != 0) {
            errno = kEncErrNotEncrypted;
            return nullptr;
        }
        if (end >= here) {
            uint64_t rest = (uint64_t)(end - here);
            if (rest >= (uint64_t)SIZE_MAX) {
                errno = kEncErrAlloc;
                return nullptr;
            }
            capacity = (size_t)rest + 1;
        }
    }
    unsigned char* buffer = (unsigned char*)malloc(capacity);
    if (buffer == nullptr) {
        errno = kEncErrAlloc;
        return nullptr;
    }
    size_t length = 0;
    for (;;) {
        length += ReadFully(file, buffer + length, capacity - 1 - length);
        if (length < capacity - 1 || feof(file) || ferror(file))
            break;
        // Full: look for more.
        int next = fgetc(file);
        if (next == EOF)
            break;
        if (capacity > SIZE_MAX / 2) {
            free(buffer);
            errno = kEncErrAlloc;
            return nullptr;
        }
        unsigned char* grown = (unsigned char*)realloc(buffer, capacity * 2);
        if (grown == nullptr) {
            free(buffer);
            errno = kEncErrAlloc;
            return nullptr;
        }
        buffer = grown;
        capacity *= 2;
        buffer[length++] = (unsigned char)next;
    }

    cipher.Start(iv);
    if (!cipher.Decrypt(buffer, length)) {
        free(buffer);
        errno = kEncErrKey;
        return nullptr;
    }
    buffer[length] = 0;
    if (lengthOut != nullptr)
        *lengthOut = length;
    return buffer;
}

unsigned char* DecryptBuffer(unsigned char* buffer, size_t length, int wholeFileKey, const char* idText)
{
    if (buffer == nullptr || length < kEncHeaderSize || memcmp(buffer, kEncMagic, 4) != 0) {
        errno = kEncErrNotEncrypted;
        return nullptr;
    }
    CAesCfb cipher;
    if (!SetCipherKey(cipher, wholeFileKey, idText))
        return nullptr;
    cipher.Start(buffer + 4);
    if (!cipher.Decrypt(buffer + kEncHeaderSize, length - kEncHeaderSize)) {
        errno = kEncErrKey;
        return nullptr;
    }
    return buffer + kEncHeaderSize;
}

int EncryptBuffer(unsigned char* data, size_t length, unsigned char header[20], int wholeFileKey, const char* idText)
{
    CAesCfb cipher;
    if (!SetCipherKey(cipher, wholeFileKey, idText))
        return -1;
    unsigned char iv[16];
    int failure = RandomBytes(iv, sizeof iv);
    if (failure != 0) {
        errno = failure == kEncErrContext ? kEncErrContext : kEncErrRandom;
        return -1;
    }
    if (length > 0 && data == nullptr) {
        errno = kEncErrNotEncrypted;
        return -1;
    }
    cipher.Start(iv);
    if (!cipher.Encrypt(data, length)) {
        // A block failure part-way would leave the data half encrypted; it
        // cannot happen once the key is set, but say so rather than hide it.
        errno = kEncErrKey;
        return -1;
    }
    memcpy(header, kEncMagic, 4);
    memcpy(header + 4, iv, 16);
    return 0;
}

int EncryptSection(unsigned char* data, size_t length, unsigned char header[20], const char* idText)
{
    return EncryptBuffer(data, length, header, 0, idText);
}
