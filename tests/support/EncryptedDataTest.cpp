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
