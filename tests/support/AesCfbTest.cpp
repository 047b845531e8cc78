#include "support/AesCfb.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes FromHex(const std::string& hex)
{
    Bytes out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back((unsigned char)std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
}

const char* kKey = "603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4";

// The published CFB128-AES256 example: four blocks.
TEST(AesCfb, KnownAnswer)
{
    Bytes iv = FromHex("000102030405060708090a0b0c0d0e0f");
    Bytes plain = FromHex("6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e51"
                          "30c81c46a35ce411e5fbc1191a0a52eff69f2445df4f9b17ad2b417be66c3710");
    Bytes cipher = FromHex("dc7e84bfda79164b7ecd8486985d386039ffed143b28b1c832113c6331e5407b"
                           "df10132415e54b92a13ed0a8267ae2f975a385741ab9cef82031623d55b1e471");
    CAesCfb encrypt;
    ASSERT_TRUE(encrypt.SetKey(kKey));
    encrypt.Start(iv.data());
    Bytes data = plain;
    ASSERT_TRUE(encrypt.Encrypt(data.data(), data.size()));
    EXPECT_EQ(cipher, data);

    CAesCfb decrypt;
    ASSERT_TRUE(decrypt.SetKey(kKey));
    decrypt.Start(iv.data());
    ASSERT_TRUE(decrypt.Decrypt(data.data(), data.size()));
    EXPECT_EQ(plain, data);
}

// Against libcrypto's own complete CFB128 mode, for lengths around the
// block and chunk sizes, fed in uneven pieces.
TEST(AesCfb, MatchesTheLibraryModeInAnyPieces)
{
    Bytes key = FromHex(kKey);
    Bytes iv = FromHex("f0e1d2c3b4a5968778695a4b3c2d1e0f");
    for (size_t length : {1u, 15u, 16u, 17u, 100u, 4095u, 4096u, 4097u, 9000u}) {
        Bytes plain(length);
        for (size_t i = 0; i < length; ++i)
            plain[i] = (unsigned char)(i * 7 + 3);
        Bytes expected(length);
        EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
        int written = 0;
        ASSERT_EQ(1, EVP_EncryptInit_ex(context, EVP_aes_256_cfb128(), nullptr, key.data(), iv.data()));
        ASSERT_EQ(1, EVP_EncryptUpdate(context, expected.data(), &written, plain.data(), (int)length));
        EVP_CIPHER_CTX_free(context);

        for (size_t piece : {length, (size_t)5, (size_t)16, (size_t)4099}) {
            Bytes data = plain;
            CAesCfb cipher;
            ASSERT_TRUE(cipher.SetKey(kKey));
            cipher.Start(iv.data());
            for (size_t at = 0; at < length; at += piece)
                ASSERT_TRUE(cipher.Encrypt(data.data() + at, std::min(piece, length - at)));
            EXPECT_EQ(expected, data) << "encrypt " << length << " in pieces of " << piece;

            CAesCfb back;
            ASSERT_TRUE(back.SetKey(kKey));
            back.Start(iv.data());
            for (size_t at = 0; at < length; at += piece)
                ASSERT_TRUE(back.Decrypt(data.data() + at, std::min(piece, length - at)));
            EXPECT_EQ(plain, data) << "decrypt " << length << " in pieces of " << piece;
        }
    }
}

TEST(AesCfb, RefusesKeyTextsThatAreNot64HexDigits)
{
    CAesCfb cipher;
    EXPECT_FALSE(cipher.SetKey(nullptr));
    EXPECT_FALSE(cipher.SetKey("603deb"));
    std::string tooLong = std::string(kKey) + "0";
    EXPECT_FALSE(cipher.SetKey(tooLong.c_str()));
    std::string notHex = kKey;
    notHex[10] = 'g';
    EXPECT_FALSE(cipher.SetKey(notHex.c_str()));
    EXPECT_TRUE(cipher.SetKey(kKey));
}

} // namespace
