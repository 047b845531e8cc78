#include "tests/support/ContainerFixture.h"

#include "support/EncryptedData.h"

#include <lzo/lzo1x.h>

#include <stdexcept>
#include <vector>

namespace trovtest {

std::string BigEndian32(uint32_t value)
{
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = (char)(value >> (24 - 8 * i));
    return out;
}

std::string LittleEndian32(uint32_t value)
{
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = (char)(value >> (8 * i));
    return out;
}

ContainerFixture& ContainerFixture::Plain(const std::string& name, const std::string& data)
{
    return Entry((uint32_t)name.size() + 1, name + std::string(1, '\0'), (uint32_t)data.size(), data);
}

ContainerFixture& ContainerFixture::Entry(uint32_t nameLengthField, const std::string& nameBytes,
                                          uint32_t dataLengthField, const std::string& data)
{
    m_bytes += BigEndian32(nameLengthField) + nameBytes + BigEndian32(dataLengthField) + data;
    return *this;
}

ContainerFixture& ContainerFixture::Raw(const std::string& bytes)
{
    m_bytes += bytes;
    return *this;
}

std::string ContainerFixture::PackedData(const std::string& content, const std::string& idText,
                                         bool compress, bool encrypt, int64_t statedLength)
{
    std::string plain;
    if (compress) {
        if (lzo_init() != LZO_E_OK)
            throw std::runtime_error("lzo_init");
        std::vector<unsigned char> out(content.size() + content.size() / 16 + 64 + 3);
        std::vector<unsigned char> work(LZO1X_1_MEM_COMPRESS);
        lzo_uint packed = 0;
        if (lzo1x_1_compress((const unsigned char*)content.data(), content.size(), out.data(), &packed,
                             work.data()) != LZO_E_OK)
            throw std::runtime_error("lzo1x_1_compress");
        uint32_t stated = statedLength < 0 ? (uint32_t)content.size() : (uint32_t)statedLength;
        plain = LittleEndian32(0xCAFE5512u) + LittleEndian32(stated)
                + std::string((const char*)out.data(), packed);
    } else {
        plain = content;
    }
    if (!encrypt)
        return plain;
    std::string form(20, '\0');
    form += plain;
    if (EncryptSection((unsigned char*)&form[20], plain.size(), (unsigned char*)&form[0], idText.c_str()) != 0)
        throw std::runtime_error("EncryptSection");
    return form;
}

std::string ContainerFixture::EncryptWholeFile(const std::string& data)
{
    std::string form(20, '\0');
    form += data;
    if (EncryptBuffer((unsigned char*)&form[20], data.size(), (unsigned char*)&form[0], 1, nullptr) != 0)
        throw std::runtime_error("EncryptBuffer");
    return form;
}

} // namespace trovtest
