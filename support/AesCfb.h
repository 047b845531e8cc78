#pragma once
// AES-256 in CFB mode with 128-bit feedback (no padding): the block cipher
// comes from libcrypto, the feedback chaining is done here.  One object is
// one operation: set the key, start with a vector, then encrypt or decrypt
// (in place, any length, in as many calls as needed: each call continues the
// stream where the previous one stopped).
#include <cstddef>

class CAesCfb {
public:
    CAesCfb() = default;
    ~CAesCfb();
    CAesCfb(const CAesCfb&) = delete;
    CAesCfb& operator=(const CAesCfb&) = delete;

    // keyText: 64 hexadecimal digits (32 key bytes).  False when the text is
    // not that or the cipher cannot be set up.
    bool SetKey(const char* keyText);
    void Start(const unsigned char* iv);
    bool Encrypt(unsigned char* data, size_t length);
    bool Decrypt(unsigned char* data, size_t length);

private:
    bool Blocks(const unsigned char* in, unsigned char* out, size_t bytes);

    void* m_context = nullptr;            // the libcrypto cipher context
    unsigned char m_register[16] = {0};   // feedback register
    unsigned char m_stream[16] = {0};     // current keystream block
    unsigned m_position = 16;             // next keystream byte; 16: none left
};
