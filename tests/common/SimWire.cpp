#include "tests/common/SimWire.h"

#include <openssl/evp.h>

namespace trovtest {
namespace wire {

void EncodeHeader(const Header& header, unsigned char out[kHeaderSize])
{
    const uint16_t words[4] = {header.sequence, header.command, header.length, header.parameter};
    for (int i = 0; i < 4; ++i) {
        out[2 * i] = (unsigned char)(words[i] >> 8);
        out[2 * i + 1] = (unsigned char)(words[i] & 0xFF);
    }
}

Header DecodeHeader(const unsigned char in[kHeaderSize])
{
    uint16_t words[4];
    for (int i = 0; i < 4; ++i)
        words[i] = (uint16_t)(in[2 * i] << 8 | in[2 * i + 1]);
    Header header;
    header.sequence = words[0];
    header.command = words[1];
    header.length = words[2];
    header.parameter = words[3];
    return header;
}

std::string HeaderBytes(const Header& header)
{
    unsigned char bytes[kHeaderSize];
    EncodeHeader(header, bytes);
    return std::string(reinterpret_cast<const char*>(bytes), kHeaderSize);
}

std::string BackupRequest()
{
    return std::string("target/lmrt.lmx\0", 16);
}

std::string EventLogRequest()
{
    return std::string("SYSLOG\0\0\0\0\0\0\0\0\0\0", 16);
}

std::string LoginDigest(const std::string& password)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!EVP_Digest(password.data(), password.size(), digest, &length, EVP_md5(), nullptr) || length != 16)
        return std::string();
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (unsigned i = 0; i < length; ++i) {
        text += kDigits[digest[i] >> 4];
        text += kDigits[digest[i] & 15];
    }
    return text;
}

} // namespace wire
} // namespace trovtest
