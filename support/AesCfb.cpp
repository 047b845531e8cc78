#include "support/AesCfb.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>

#include <cstring>

#include "support/Utilities.h"

CAesCfb::~CAesCfb()
{
    if (m_context != nullptr)
        EVP_CIPHER_CTX_free((EVP_CIPHER_CTX*)m_context);
    OPENSSL_cleanse(m_register, sizeof m_register);
    OPENSSL_cleanse(m_stream, sizeof m_stream);
}

bool CAesCfb::SetKey(const char* keyText)
{
    if (keyText == nullptr)
        return false;
    unsigned char key[32];
    for (int i = 0; i < 32; ++i) {
        int high = HexDigitValue(keyText[2 * i]);
        int low = high < 0 ? -1 : HexDigitValue(keyText[2 * i + 1]);
        if (low < 0)
            return false;
        key[i] = (unsigned char)(high * 16 + low);
    }
    if (keyText[64] != '\0')
        return false;
    if (m_context == nullptr)
        m_context = EVP_CIPHER_CTX_new();
    EVP_CIPHER_CTX* context = (EVP_CIPHER_CTX*)m_context;
    bool ok = context != nullptr
              && EVP_EncryptInit_ex(context, EVP_aes_256_ecb(), nullptr, key, nullptr) == 1
              && EVP_CIPHER_CTX_set_padding(context, 0) == 1;
    OPENSSL_cleanse(key, sizeof key);
    return ok;
}

void CAesCfb::Start(const unsigned char* iv)
{
    memcpy(m_register, iv, 16);
    m_position = 16;
}

bool CAesCfb::Blocks(const unsigned char* in, unsigned char* out, size_t bytes)
{
    int written = 0;
    return m_context != nullptr
           && EVP_EncryptUpdate((EVP_CIPHER_CTX*)m_context, out, &written, in, (int)bytes) == 1
           && written == (int)bytes;
}

// Encryption is sequential: each keystream block is the cipher of the
// ciphertext block before it.
bool CAesCfb::Encrypt(unsigned char* data, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        if (m_position == 16) {
            if (!Blocks(m_register, m_stream, 16))
                return false;
            m_position = 0;
        }
        data[i] ^= m_stream[m_position];
        m_register[m_position++] = data[i];
    }
    return true;
}

// Decryption knows the ciphertext in advance, so the keystream of a whole
// run of blocks comes from one call: block j's keystream is the cipher of
// ciphertext block j - 1 (of the register for the first).
bool CAesCfb::Decrypt(unsigned char* data, size_t length)
{
    // Finish a block begun by an earlier call.
    while (length > 0 && m_position < 16) {
        unsigned char c = *data;
        *data++ ^= m_stream[m_position];
        m_register[m_position++] = c;
        --length;
    }
    enum { kChunk = 4096 };
    unsigned char input[kChunk];
    unsigned char stream[kChunk];
    while (length > 0) {
        size_t n = length < (size_t)kChunk ? length : (size_t)kChunk;
        size_t blocks = (n + 15) / 16;
        memcpy(input, m_register, 16);
        memcpy(input + 16, data, (blocks - 1) * 16);
        if (!Blocks(input, stream, blocks * 16))
            return false;
        size_t tail = n - (blocks - 1) * 16;   // bytes of the last block, 1 to 16
        // The register becomes the last block's ciphertext (as far as it
        // goes); its keystream stays for a later call.
        memcpy(m_register, data + (blocks - 1) * 16, tail);
        memcpy(m_stream, stream + (blocks - 1) * 16, 16);
        m_position = (unsigned)tail;
        for (size_t i = 0; i < n; ++i)
            data[i] ^= stream[i];
        data += n;
        length -= n;
    }
    return true;
}
