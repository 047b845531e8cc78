#pragma once
// Builds application container files byte by byte for tests and seeds, with
// the sections each case needs: plain, packed (compressed or not, encrypted
// or not, with a chosen stated length), cut short, or with bad length
// fields.  Independent of the container writer, so the reader is checked
// against a second implementation of the format.
#include <cstdint>
#include <string>

namespace trovtest {

class ContainerFixture {
public:
    // Starts with the tag ("<ablmx>" by default; any bytes for bad cases).
    explicit ContainerFixture(const std::string& tag = "<ablmx>") : m_bytes(tag) {}

    // A well-formed plain entry.
    ContainerFixture& Plain(const std::string& name, const std::string& data);
    // An entry with every field chosen: the name length field, the name
    // bytes as stored, the data length field and the stored data.
    ContainerFixture& Entry(uint32_t nameLengthField, const std::string& nameBytes,
                            uint32_t dataLengthField, const std::string& data);
    // Appends raw bytes (a cut entry, junk).
    ContainerFixture& Raw(const std::string& bytes);

    // The stored data of a packed section: content compressed with LZO1X-1
    // behind the packed header (stating statedLength, or the real length
    // when it is -1), or unchanged when compress is false; then in the
    // encrypted form with the section key of idText when encrypt is true.
    static std::string PackedData(const std::string& content, const std::string& idText,
                                  bool compress = true, bool encrypt = true,
                                  int64_t statedLength = -1);
    ContainerFixture& Packed(const std::string& name, const std::string& content,
                             const std::string& idText, bool compress = true, bool encrypt = true,
                             int64_t statedLength = -1)
    {
        return Plain(name, PackedData(content, idText, compress, encrypt, statedLength));
    }

    // The encrypted form of data with the whole-file key.
    static std::string EncryptWholeFile(const std::string& data);

    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

std::string BigEndian32(uint32_t value);
std::string LittleEndian32(uint32_t value);

} // namespace trovtest
