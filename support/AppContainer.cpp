#include "support/AppContainer.h"

#include "support/EncryptedData.h"
#include "support/Platform.h"
#include "support/Utilities.h"

#include <lzo/lzo1x.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

const char kContainerTag[] = "<ablmx>";
const char kSingleTextTag[] = "<DRBv1>";
const size_t kTagLength = 7;

uint32_t ReadBigEndian32(const unsigned char* p)
{
    return ((uint32_t)p[0] << 24) | ((uint32_t)p[1] << 16) | ((uint32_t)p[2] << 8) | p[3];
}

void WriteBigEndian32(unsigned char* p, uint32_t value)
{
    p[0] = (unsigned char)(value >> 24);
    p[1] = (unsigned char)(value >> 16);
    p[2] = (unsigned char)(value >> 8);
    p[3] = (unsigned char)value;
}

uint32_t ReadLittleEndian32(const unsigned char* p)
{
    return ((uint32_t)p[3] << 24) | ((uint32_t)p[2] << 16) | ((uint32_t)p[1] << 8) | p[0];
}

void WriteLittleEndian32(unsigned char* p, uint32_t value)
{
    p[0] = (unsigned char)value;
    p[1] = (unsigned char)(value >> 8);
    p[2] = (unsigned char)(value >> 16);
    p[3] = (unsigned char)(value >> 24);
}

bool WriteFully(FILE* file, const void* data, size_t count)
{
    return count == 0 || fwrite(data, 1, count, file) == count;
}

struct FreeDeleter {
    void operator()(void* p) const { free(p); }
};
using MallocBuffer = std::unique_ptr<unsigned char, FreeDeleter>;

} // namespace

// ---- CGAppSection ----------------------------------------------------------

CGAppSection::~CGAppSection()
{
    FreeData();
}

void CGAppSection::FreeData()
{
    free(m_rawBuffer);
    m_rawBuffer = nullptr;
    m_data = nullptr;
    m_length = 0;
    m_wasEncrypted = 0;
}

char* CGAppSection::GetData(FILE* file, int* wasEncrypted, size_t* length, const char* keyText)
{
    if (m_data == nullptr && file != nullptr) {
        // The directory checked the stored length against the file; the
        // buffer has one spare byte for the terminator.
        if (m_storedLength >= (uint64_t)SIZE_MAX || PlatformFileSeek(file, m_offset, SEEK_SET) != 0)
            return nullptr;
        size_t stored = (size_t)m_storedLength;
        MallocBuffer raw((unsigned char*)malloc(stored + 1));
        if (!raw || ReadFully(file, raw.get(), stored) != stored)
            return nullptr;

        unsigned char* content = raw.get();
        size_t contentLength = stored;
        int encrypted = 0;
        unsigned char* plain = DecryptBuffer(raw.get(), stored, 0, keyText);
        if (plain != nullptr) {
            content = plain;
            contentLength = stored - kEncHeaderSize;
            encrypted = 1;
        }

        MallocBuffer unpacked;
        if (contentLength >= 4 && ReadLittleEndian32(content) == kAppPackedMagic) {
            if (contentLength < kAppPackedHeaderSize)
                return nullptr;
            uint32_t statedLength = ReadLittleEndian32(content + 4);
            if (statedLength > kAppMaxUnpackedLength || lzo_init() != LZO_E_OK)
                return nullptr;
            unpacked.reset((unsigned char*)malloc((size_t)statedLength + 1));
            if (!unpacked)
                return nullptr;
            lzo_uint produced = statedLength;
            int result = lzo1x_decompress_safe(content + kAppPackedHeaderSize,
                                               (lzo_uint)(contentLength - kAppPackedHeaderSize),
                                               unpacked.get(), &produced, nullptr);
            if (result != LZO_E_OK || produced != statedLength)
                return nullptr;
            content = unpacked.get();
            contentLength = statedLength;
            raw = std::move(unpacked);
        }

        // Every buffer above has a spare byte behind the content.
        if (contentLength == 0 || content[contentLength - 1] != 0)
            content[contentLength++] = 0;
        m_rawBuffer = raw.release();
        m_data = (char*)content;
        m_length = contentLength;
        m_wasEncrypted = encrypted;
    }
    if (m_data == nullptr)
        return nullptr;
    if (wasEncrypted != nullptr)
        *wasEncrypted = m_wasEncrypted;
    if (length != nullptr)
        *length = m_length;
    return m_data;
}

// ---- CGAppContainer --------------------------------------------------------

CGAppContainer::~CGAppContainer()
{
    Close();
}

void CGAppContainer::FreeSections()
{
    CGAppSection* section = m_sections;
    while (section != nullptr) {
        CGAppSection* next = section->m_next;
        delete section;
        section = next;
    }
    m_sections = nullptr;
    m_lastSection = nullptr;
    m_sectionCount = 0;
}

int CGAppContainer::Close()
{
    FreeSections();
    m_singleText = false;
    int ok = 1;
    if (m_file != nullptr) {
        ok = fclose(m_file) == 0;
        m_file = nullptr;
    }
    return ok;
}

void CGAppContainer::SetKeyText(const char* idText)
{
    size_t n = 0;
    if (idText != nullptr)
        while (n < (size_t)kAppKeyTextMax && idText[n] != '\0') {
            m_keyText[n] = idText[n];
            ++n;
        }
    m_keyText[n] = '\0';
}

CGAppSection* CGAppContainer::AddSection(const char* name, size_t nameLength)
{
    CGAppSection* section = new CGAppSection;
    section->m_name.assign(name, nameLength);
    if (m_lastSection != nullptr)
        m_lastSection->m_next = section;
    else
        m_sections = section;
    m_lastSection = section;
    ++m_sectionCount;
    return section;
}

bool CGAppContainer::ReadDirectory(int64_t position, int64_t fileSize)
{
    for (;;) {
        unsigned char field[4];
        size_t got = ReadFully(m_file, field, 4);
        if (got == 0)
            break;                              // the end, right after an entry
        if (got != 4)
            return false;
        uint32_t nameLength = ReadBigEndian32(field);
        if (nameLength < 1 || nameLength > (uint32_t)kAppSectionNameMax)
            return false;
        char name[kAppSectionNameMax];
        if (ReadFully(m_file, name, nameLength) != nameLength)
            return false;
        // The name ends at its terminator (one is always written; without
        // one the stored bytes are the name).
        size_t textLength = strnlen(name, nameLength);
        if (ReadFully(m_file, field, 4) != 4)
            return false;
        uint32_t dataLength = ReadBigEndian32(field);
        position += 4 + (int64_t)nameLength + 4;
        // The data must lie inside the file: a larger length is damage, not
        // a reason to allocate or seek beyond the end.
        if ((int64_t)dataLength > fileSize - position)
            return false;
        if (m_sectionCount >= (size_t)kAppMaxSections)
            return false;
        CGAppSection* section = AddSection(name, textLength);
        section->m_offset = position;
        section->m_storedLength = dataLength;
        position += dataLength;
        if (PlatformFileSeek(m_file, position, SEEK_SET) != 0)
            return false;
    }
    m_singleText = false;
    return true;
}

int CGAppContainer::Open(const char* path)
{
    Close();
    if (path == nullptr)
        return 0;
    m_file = fopen(path, "rb");
    if (m_file == nullptr)
        return 0;

    int64_t fileSize = -1;
    if (PlatformFileSeek(m_file, 0, SEEK_END) == 0)
        fileSize = PlatformFileTell(m_file);
    if (fileSize < 0 || PlatformFileSeek(m_file, 0, SEEK_SET) != 0) {
        Close();
        return 0;
    }

    unsigned char tag[kTagLength + 1];
    int64_t tagEnd = (int64_t)kTagLength;
    if (ReadFully(m_file, tag, kTagLength) != kTagLength) {
        Close();
        return 0;
    }
    if (tag[0] == '\n') {
        memmove(tag, tag + 1, kTagLength - 1);
        if (ReadFully(m_file, tag + kTagLength - 1, 1) != 1) {
            Close();
            return 0;
        }
        ++tagEnd;
    }

    if (memcmp(tag, kContainerTag, kTagLength) == 0) {
        if (!ReadDirectory(tagEnd, fileSize)) {
            Close();
            return 0;
        }
        return 1;
    }

    // A single text, plain or wholly encrypted.
    MallocBuffer decrypted;
    size_t decryptedLength = 0;
    if (memcmp(tag, kSingleTextTag, kTagLength) != 0) {
        rewind(m_file);
        decrypted.reset(ReadEncryptedFile(m_file, &decryptedLength, 1, nullptr));
        const unsigned char* text = decrypted.get();
        size_t textLength = decryptedLength;
        if (text != nullptr && textLength > 0 && text[0] == '\n') {
            ++text;
            --textLength;
        }
        if (text == nullptr || textLength < kTagLength
            || memcmp(text, kSingleTextTag, kTagLength) != 0) {
            Close();
            return 0;
        }
    }

    CGAppSection* app = AddSection("app", 3);
    app->m_offset = 0;
    if (decrypted) {
        // Already loaded; ReadEncryptedFile left a zero byte behind the text.
        unsigned char* text = decrypted.release();
        size_t length = decryptedLength;
        if (length == 0 || text[length - 1] != 0)
            ++length;
        app->m_rawBuffer = text;
        app->m_data = (char*)text;
        app->m_length = length;
        app->m_storedLength = decryptedLength;
        app->m_wasEncrypted = 1;
    } else {
        app->m_storedLength = (uint64_t)fileSize;
    }
    m_singleText = true;
    return 1;
}

char* CGAppContainer::GetSection(const char* name, int* wasEncrypted, size_t* length)
{
    if (name == nullptr)
        return nullptr;
    for (CGAppSection* section = m_sections; section != nullptr; section = section->m_next) {
        if (section->m_name == name)
            return section->GetData(m_file, wasEncrypted, length, m_keyText);
    }
    return nullptr;
}

// ---- Writing ---------------------------------------------------------------

int CGAppContainer::Create(const char* path)
{
    Close();
    if (path == nullptr)
        return 0;
    m_file = fopen(path, "wb");
    if (m_file == nullptr)
        return 0;
    return WriteFully(m_file, kContainerTag, kTagLength) && fflush(m_file) == 0;
}

int CGAppContainer::WriteSection(const char* name, const void* data, size_t length)
{
    if (m_file == nullptr || name == nullptr || (length > 0 && data == nullptr))
        return 0;
    size_t nameLength = strlen(name) + 1;
    if (nameLength > (size_t)kAppSectionNameMax || length > (size_t)UINT32_MAX)
        return 0;
    unsigned char field[4];
    WriteBigEndian32(field, (uint32_t)nameLength);
    if (!WriteFully(m_file, field, 4) || !WriteFully(m_file, name, nameLength))
        return 0;
    WriteBigEndian32(field, (uint32_t)length);
    if (!WriteFully(m_file, field, 4) || !WriteFully(m_file, data, length))
        return 0;
    // A full disk shows only when the buffer goes out.
    return fflush(m_file) == 0;
}

int CGAppContainer::WritePackedSection(const char* name, const void* data, size_t length,
                                       const char* keyText, int compress)
{
    if (m_file == nullptr || name == nullptr || (length > 0 && data == nullptr))
        return 0;
    if (strlen(name) + 1 > (size_t)kAppSectionNameMax)
        return 0;
    if (compress && length > kAppMaxUnpackedLength)
        return 0;   // the reader would refuse it

    // Room for the encryption header, the packed header and LZO1X-1's worst
    // case for incompressible data (length + length / 16 + 64 + 3).
    const size_t overhead = kEncHeaderSize + kAppPackedHeaderSize + 64 + 3;
    if (length > (SIZE_MAX - overhead) / 17 * 16)
        return 0;
    size_t capacity = length + length / 16 + overhead;
    MallocBuffer buffer((unsigned char*)malloc(capacity));
    if (!buffer)
        return 0;
    unsigned char* payload = buffer.get() + kEncHeaderSize;
    size_t payloadLength = 0;

    if (compress && lzo_init() == LZO_E_OK) {
        MallocBuffer work((unsigned char*)malloc(LZO1X_1_MEM_COMPRESS));
        if (!work)
            return 0;
        WriteLittleEndian32(payload, kAppPackedMagic);
        WriteLittleEndian32(payload + 4, (uint32_t)length);
        lzo_uint packed = 0;
        if (lzo1x_1_compress((const unsigned char*)data, (lzo_uint)length,
                             payload + kAppPackedHeaderSize, &packed, work.get()) != LZO_E_OK)
            return 0;
        payloadLength = (size_t)packed + kAppPackedHeaderSize;
    } else {
        if (length > 0)
            memcpy(payload, data, length);
        payloadLength = length;
    }
    if (payloadLength > (size_t)UINT32_MAX - kEncHeaderSize)
        return 0;

    // Without a valid encryption header nothing is written.
    if (EncryptSection(payload, payloadLength, buffer.get(), keyText) != 0)
        return 0;
    return WriteSection(name, buffer.get(), payloadLength + kEncHeaderSize);
}
