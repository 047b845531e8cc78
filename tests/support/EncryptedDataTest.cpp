#include "support/EncryptedData.h"

#include "tests/support/EncryptionFailures.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Pattern(size_t length, unsigned seed = 1)
{
    Bytes bytes(length);
    for (size_t i = 0; i < length; ++i)
        bytes[i] = (unsigned char)(i * 131u + seed * 7u + (i >> 8));
    return bytes;
}

// The encrypted form of plain: header followed by ciphertext.
Bytes Encrypted(const Bytes& plain, int wholeFileKey, const char* idText)
{
    Bytes out(20 + plain.size());
    std::copy(plain.begin(), plain.end(), out.begin() + 20);
    EXPECT_EQ(0, EncryptBuffer(out.data() + 20, plain.size(), out.data(), wholeFileKey, idText));
    return out;
}

TEST(EncryptedData, RoundTripsEveryLengthWithBothKeys)
{
    // Lengths around the 16-byte blocks and the 4096-byte steps of decryption.
    const size_t lengths[] = {0, 1, 15, 16, 17, 31, 33, 4095, 4096, 4097, 8192 + 40, 70001};
    for (int wholeFileKey = 0; wholeFileKey <= 1; ++wholeFileKey) {
        for (size_t length : lengths) {
            Bytes plain = Pattern(length, (unsigned)length);
            Bytes form = Encrypted(plain, wholeFileKey, "APP-1234");
            EXPECT_EQ(0, memcmp(form.data(), "\xAE\x5C\x0D\xED", 4));
            if (length >= 16) {
                EXPECT_NE(Bytes(plain.begin(), plain.begin() + 16), Bytes(form.begin() + 20, form.begin() + 36))
                    << "not encrypted, length " << length;
            }
            unsigned char* text = DecryptBuffer(form.data(), form.size(), wholeFileKey, "APP-1234");
            ASSERT_EQ(form.data() + 20, text);
            EXPECT_EQ(plain, Bytes(text, text + length)) << "length " << length << " key " << wholeFileKey;
        }
    }
}

// A cut copy of the encrypted form decrypts to the same prefix (the feedback
// mode has no padding and no trailer).
TEST(EncryptedData, PrefixesDecryptAlike)
{
    Bytes plain = Pattern(5000);
    Bytes form = Encrypted(plain, 0, "id");
    for (size_t cut : {20u, 21u, 36u, 37u, 4116u, 4117u}) {
        Bytes part(form.begin(), form.begin() + cut);
        unsigned char* text = DecryptBuffer(part.data(), part.size(), 0, "id");
        ASSERT_NE(nullptr, text);
        EXPECT_EQ(Bytes(plain.begin(), plain.begin() + (cut - 20)), Bytes(text, text + cut - 20)) << cut;
    }
}

TEST(EncryptedData, BufferLengthsAroundTheHeader)
{
    struct Case {
        size_t length;
        bool accepted;
    } cases[] = {{0, false}, {4, false}, {19, false}, {20, true}, {21, true}};
    for (const Case& c : cases) {
        Bytes form = Encrypted(Pattern(c.length >= 20 ? c.length - 20 : 0), 1, nullptr);
        form.resize(c.length, 0);
        if (c.length >= 4)
            memcpy(form.data(), "\xAE\x5C\x0D\xED", 4);
        errno = 0;
        unsigned char* text = DecryptBuffer(form.data(), c.length, 1, nullptr);
        if (c.accepted) {
            EXPECT_EQ(form.data() + 20, text) << c.length;
        } else {
            EXPECT_EQ(nullptr, text) << c.length;
            EXPECT_EQ(kEncErrNotEncrypted, errno) << c.length;
        }
    }
    Bytes wrongMagic = Encrypted(Pattern(10), 1, nullptr);
    wrongMagic[3] ^= 1;
    errno = 0;
    EXPECT_EQ(nullptr, DecryptBuffer(wrongMagic.data(), wrongMagic.size(), 1, nullptr));
    EXPECT_EQ(kEncErrNotEncrypted, errno);
}

TEST(EncryptedData, FreshVectorsAndKeysGiveDifferentBytes)
{
    Bytes plain = Pattern(100);
    Bytes first = Encrypted(plain, 0, "ID-A");
    Bytes second = Encrypted(plain, 0, "ID-A");
    EXPECT_NE(Bytes(first.begin() + 4, first.begin() + 20), Bytes(second.begin() + 4, second.begin() + 20));
    EXPECT_NE(Bytes(first.begin() + 20, first.end()), Bytes(second.begin() + 20, second.end()));

    // Another id text: different bytes, not an error (there is no integrity check).
    Bytes copy = first;
    unsigned char* text = DecryptBuffer(copy.data(), copy.size(), 0, "ID-B");
    ASSERT_NE(nullptr, text);
    EXPECT_NE(plain, Bytes(text, text + plain.size()));
    // The whole-file key is another key again.
    copy = first;
    text = DecryptBuffer(copy.data(), copy.size(), 1, "ID-A");
    ASSERT_NE(nullptr, text);
    EXPECT_NE(plain, Bytes(text, text + plain.size()));
    // The whole-file key ignores the id text.
    Bytes whole = Encrypted(plain, 1, "one");
    text = DecryptBuffer(whole.data(), whole.size(), 1, "another");
    EXPECT_EQ(plain, Bytes(text, text + plain.size()));
}

TEST(EncryptedData, SectionKeyUsesTheFirst36CharactersOfTheIdText)
{
    Bytes plain = Pattern(64);
    std::string id36(36, 'k');
    Bytes form = Encrypted(plain, 0, (id36 + "-ignored").c_str());
    unsigned char* text = DecryptBuffer(form.data(), form.size(), 0, id36.c_str());
    EXPECT_EQ(plain, Bytes(text, text + plain.size()));

    form = Encrypted(plain, 0, id36.substr(0, 35).c_str());
    text = DecryptBuffer(form.data(), form.size(), 0, id36.c_str());
    EXPECT_NE(plain, Bytes(text, text + plain.size()));

    // No id text and the empty id text are the same key.
    form = Encrypted(plain, 0, nullptr);
    text = DecryptBuffer(form.data(), form.size(), 0, "");
    EXPECT_EQ(plain, Bytes(text, text + plain.size()));
}

TEST(EncryptedData, EncryptSectionIsTheSectionKey)
{
    Bytes plain = Pattern(50);
    Bytes form(20 + plain.size());
    std::copy(plain.begin(), plain.end(), form.begin() + 20);
    ASSERT_EQ(0, EncryptSection(form.data() + 20, plain.size(), form.data(), "SECT"));
    unsigned char* text = DecryptBuffer(form.data(), form.size(), 0, "SECT");
    EXPECT_EQ(plain, Bytes(text, text + plain.size()));
}

// Files written by earlier versions must stay readable: with a fixed
// initialisation vector each key turns a known text into exactly these
// bytes.  The bytes were checked once outside the program with a separate
// AES-256-CFB128 computation over the same keys; a change of either key
// material or of the section key's derivation fails here.
int FixedVector(unsigned char* out, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        out[i] = (unsigned char)(0xA0 + i);
    return 0;
}

TEST(EncryptedData, KnownTextsGiveKnownBytes)
{
    const Bytes header = {0xAE, 0x5C, 0x0D, 0xED, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5,
                          0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xAB, 0xAC, 0xAD, 0xAE, 0xAF};
    struct Case {
        const char* what;
        int wholeFileKey;
        const char* idText;
        std::string plain;
        Bytes cipher;
    } cases[] = {
        {"whole-file key", 1, nullptr, "<MACHINES><MACHINE>a</MACHINE></MACHINES>",
         {0xee, 0x91, 0x9a, 0x9d, 0x4f, 0x3f, 0x87, 0x1e, 0xe8, 0xa4, 0x34, 0x8b, 0xb8, 0x6a,
          0x63, 0x61, 0x34, 0xc8, 0xd0, 0x43, 0xe5, 0x7e, 0xbc, 0xe6, 0x8c, 0x5d, 0xd0, 0x12,
          0xbd, 0xc9, 0xb7, 0x31, 0x61, 0x61, 0x97, 0x10, 0xad, 0x74, 0xea, 0x61, 0xbb}},
        // The id text is longer than the 36 characters the key takes.
        {"section key", 0, "6b1f03c2-58d4-4e0a-9a7e-2c41d5f09e37-EXTRA", "<DRBv1><CONTAINER/></DRBv1>\n",
         {0x06, 0xb6, 0x62, 0x31, 0xfa, 0x93, 0xa4, 0x4c, 0x5b, 0x86, 0x15, 0xa0, 0xa3, 0x9c,
          0xb4, 0x48, 0x8a, 0x41, 0x73, 0x1a, 0xf2, 0x16, 0x6b, 0x95, 0xb3, 0x2b, 0x87, 0x40}},
    };
    ScopedSeam vector(g_supportSeams.randomBytes, FixedVector);
    for (const Case& c : cases) {
        Bytes data(c.plain.begin(), c.plain.end());
        unsigned char written[20] = {};
        ASSERT_EQ(0, c.wholeFileKey ? EncryptBuffer(data.data(), data.size(), written, 1, c.idText)
                                    : EncryptSection(data.data(), data.size(), written, c.idText))
            << c.what;
        EXPECT_EQ(header, Bytes(written, written + 20)) << c.what;
        EXPECT_EQ(c.cipher, data) << c.what;

        Bytes form = header;
        form.insert(form.end(), c.cipher.begin(), c.cipher.end());
        unsigned char* text = DecryptBuffer(form.data(), form.size(), c.wholeFileKey, c.idText);
        ASSERT_NE(nullptr, text) << c.what;
        EXPECT_EQ(c.plain, std::string((const char*)text, c.cipher.size())) << c.what;
    }
}

TEST(EncryptedData, FailuresLeaveTheirErrorNumberAndTheDataUnchanged)
{
    struct Case {
        const char* what;
        trovtest::EncryptionFailure failure;
        int error;
    } cases[] = {
        {"key setup", {true, 0}, kEncErrKey},
        {"no context", {false, 1001}, kEncErrContext},
        {"no random bytes", {false, 1002}, kEncErrRandom},
    };
    Bytes form = Encrypted(Pattern(40), 0, "X");
    for (const Case& c : cases) {
        trovtest::EncryptionFailureScope scope(c.failure);
        Bytes data = Pattern(40);
        unsigned char header[20];
        memset(header, 0x55, sizeof header);
        errno = 0;
        EXPECT_EQ(-1, EncryptBuffer(data.data(), data.size(), header, 0, "X")) << c.what;
        EXPECT_EQ(c.error, errno) << c.what;
        EXPECT_EQ(Pattern(40), data) << c.what;
        for (unsigned char b : header)
            ASSERT_EQ(0x55, b) << "header written on failure: " << c.what;
        if (c.error == kEncErrKey) {
            Bytes copy = form;
            errno = 0;
            EXPECT_EQ(nullptr, DecryptBuffer(copy.data(), copy.size(), 0, "X"));
            EXPECT_EQ(kEncErrKey, errno);
            EXPECT_EQ(form, copy);
        }
    }
}

class EncryptedFile : public ::testing::Test {
protected:
    // Reads a file through ReadEncryptedFile; "" plus errno when refused.
    std::string Read(const std::string& content, int wholeFileKey, const char* idText, int* error,
                     bool* refused)
    {
        std::string path = m_dir.Write("file.bin", content);
        FILE* file = fopen(path.c_str(), "rb");
        EXPECT_NE(nullptr, file);
        size_t length = 12345;
        errno = 0;
        unsigned char* text = ReadEncryptedFile(file, &length, wholeFileKey, idText);
        *error = errno;
        fclose(file);
        *refused = text == nullptr;
        if (text == nullptr)
            return std::string();
        EXPECT_EQ(0, text[length]) << "terminator";
        std::string result((const char*)text, length);
        free(text);
        return result;
    }
    trovtest::TempDir m_dir;
};

TEST_F(EncryptedFile, ReadsTheEncryptedFormAndRefusesOthers)
{
    std::string plain = "<DRBv1>\n <NAME>x</NAME>\n</DRBv1>\n";
    Bytes form = Encrypted(Bytes(plain.begin(), plain.end()), 1, nullptr);
    std::string encrypted(form.begin(), form.end());

    struct Case {
        const char* what;
        std::string content;
        int wholeFileKey;
        const char* expected;   // null: refused
        int error;
    } cases[] = {
        {"whole-file key", encrypted, 1, plain.c_str(), 0},
        {"header only", encrypted.substr(0, 20), 1, "", 0},
        {"plain XML", plain, 1, nullptr, kEncErrNotEncrypted},
        {"empty file", "", 1, nullptr, kEncErrNotEncrypted},
        {"magic only", encrypted.substr(0, 4), 1, nullptr, kEncErrNotEncrypted},
        {"vector cut short", encrypted.substr(0, 19), 1, nullptr, kEncErrNotEncrypted},
    };
    for (const Case& c : cases) {
        int error = 0;
        bool refused = false;
        std::string text = Read(c.content, c.wholeFileKey, nullptr, &error, &refused);
        if (c.expected == nullptr) {
            EXPECT_TRUE(refused) << c.what;
            EXPECT_EQ(c.error, error) << c.what;
        } else {
            EXPECT_FALSE(refused) << c.what;
            EXPECT_EQ(std::string(c.expected), text) << c.what;
        }
    }

    // The section key with its id text, and a large file.
    Bytes big = Pattern(300000);
    form = Encrypted(big, 0, "BIG");
    int error = 0;
    bool refused = true;
    std::string text = Read(std::string(form.begin(), form.end()), 0, "BIG", &error, &refused);
    ASSERT_FALSE(refused);
    EXPECT_EQ(std::string(big.begin(), big.end()), text);
}

TEST_F(EncryptedFile, KeySetupFailureIs1016)
{
    Bytes form = Encrypted(Pattern(30), 1, nullptr);
    trovtest::EncryptionFailureScope scope({true, 0});
    int error = 0;
    bool refused = false;
    Read(std::string(form.begin(), form.end()), 1, nullptr, &error, &refused);
    EXPECT_TRUE(refused);
    EXPECT_EQ(kEncErrKey, error);
}

} // namespace
