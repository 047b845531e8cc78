#include "tests/ui/foundation/ImageStripFixtures.h"

#include <algorithm>
#include <vector>

namespace striptest {

namespace {

void PutLE(std::string& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(char((value >> (8 * i)) & 0xFF));
}

void PutBE(std::string& out, uint32_t value)
{
    for (int i = 3; i >= 0; --i)
        out.push_back(char((value >> (8 * i)) & 0xFF));
}

uint32_t Crc32(const std::string& data)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char c : data) {
        crc ^= c;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
}

void Chunk(std::string& out, const char* kind, const std::string& data)
{
    PutBE(out, uint32_t(data.size()));
    std::string body = std::string(kind, 4) + data;
    out += body;
    PutBE(out, Crc32(body));
}

// zlib data in stored (uncompressed) blocks.
std::string StoredZlib(const std::string& raw)
{
    std::string out("\x78\x01", 2);
    size_t offset = 0;
    do {
        size_t length = std::min<size_t>(raw.size() - offset, 65535);
        bool last = offset + length == raw.size();
        out.push_back(char(last ? 1 : 0));
        PutLE(out, uint32_t(length), 2);
        PutLE(out, uint32_t(~length & 0xFFFF), 2);
        out.append(raw, offset, length);
        offset += length;
    } while (offset < raw.size());
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    PutBE(out, (b << 16) | a);
    return out;
}

} // namespace

std::string BmpFile24(int width, int height, const std::function<COLORREF(int, int)>& pixel)
{
    int stride = (width * 3 + 3) & ~3;
    std::string bits;
    for (int y = height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            COLORREF c = pixel(x, y);
            row.push_back(char(GetBValue(c)));
            row.push_back(char(GetGValue(c)));
            row.push_back(char(GetRValue(c)));
        }
        row.resize(size_t(stride), '\0');
        bits += row;
    }
    std::string out("BM");
    PutLE(out, uint32_t(54 + bits.size()), 4);
    PutLE(out, 0, 4);
    PutLE(out, 54, 4);
    PutLE(out, 40, 4);
    PutLE(out, uint32_t(width), 4);
    PutLE(out, uint32_t(height), 4);
    PutLE(out, 1, 2);
    PutLE(out, 24, 2);
    PutLE(out, 0, 4);
    PutLE(out, uint32_t(bits.size()), 4);
    PutLE(out, 2835, 4);
    PutLE(out, 2835, 4);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    return out + bits;
}

std::string PngFile32(int width, int height, const std::function<uint32_t(int, int)>& pixel)
{
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back('\0');
        for (int x = 0; x < width; ++x) {
            uint32_t p = pixel(x, y);
            raw.push_back(char((p >> 16) & 0xFF));
            raw.push_back(char((p >> 8) & 0xFF));
            raw.push_back(char(p & 0xFF));
            raw.push_back(char(p >> 24));
        }
    }
    std::string out("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    PutBE(header, uint32_t(width));
    PutBE(header, uint32_t(height));
    header += std::string("\x08\x06\x00\x00\x00", 5);
    Chunk(out, "IHDR", header);
    Chunk(out, "IDAT", StoredZlib(raw));
    Chunk(out, "IEND", std::string());
    return out;
}

} // namespace striptest
