#pragma once
// Application files (*.lmx).  Two forms:
//  - a sectioned container: "<ablmx>", then entries up to the end of the
//    file, each a big-endian 32-bit name length (with the terminator, 1 to
//    127), the zero-terminated name, a big-endian 32-bit data length and the
//    data;
//  - a single-text file: one XML text beginning with "<DRBv1>", plain or
//    wholly in the encrypted form (whole-file key); read as one section
//    "app".
// One line feed in front of either tag is accepted.  Section data may be in
// the encrypted form (section key built with the container's id text) and,
// inside it, in the packed form: magic 0xCAFE5512 and the unpacked length
// (both little-endian), then LZO1X-1 output.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

enum {
    kAppSectionNameMax = 127,            // name length with its terminator
    kAppKeyTextMax = 36,                 // characters of the id text kept as key text
    kAppPackedHeaderSize = 8,
    kAppMaxSections = 65536,             // more entries than any application has
};
// Largest unpacked content a packed section may state (256 MiB).
constexpr uint32_t kAppMaxUnpackedLength = 256u * 1024u * 1024u;
constexpr uint32_t kAppPackedMagic = 0xCAFE5512u;

class CGAppSection {
public:
    CGAppSection() = default;
    ~CGAppSection();
    CGAppSection(const CGAppSection&) = delete;
    CGAppSection& operator=(const CGAppSection&) = delete;

    // The usable content, loaded from file on first use with keyText (the
    // container's id text) for the section key; always ends with a zero byte
    // that *length counts.  Null when it cannot be read, decrypted into
    // something usable or unpacked; a later call tries again.
    char* GetData(FILE* file, int* wasEncrypted, size_t* length, const char* keyText);

    // Drops the loaded content and its buffer.
    void FreeData();

    std::string m_name;
    int64_t m_offset = 0;            // of the stored data in the file
    uint64_t m_storedLength = 0;
    char* m_data = nullptr;          // the usable content once loaded
    unsigned char* m_rawBuffer = nullptr;   // owned; m_data points into it or is it
    int m_wasEncrypted = 0;
    size_t m_length = 0;             // of the usable content, its last zero byte included
    CGAppSection* m_next = nullptr;
};

class CGAppContainer {
public:
    CGAppContainer() = default;
    ~CGAppContainer();
    CGAppContainer(const CGAppContainer&) = delete;
    CGAppContainer& operator=(const CGAppContainer&) = delete;

    // Closes what was open, opens the file and reads its directory; nonzero
    // on success, 0 for a missing file, an unknown tag or a bad directory.
    int Open(const char* path);
    // The content of the first section whose name equals name exactly (see
    // CGAppSection::GetData); owned by the container.  Null when there is no
    // such section or it cannot be loaded.
    char* GetSection(const char* name, int* wasEncrypted = nullptr, size_t* length = nullptr);
    // Frees all sections and closes the file; 0 when closing a written file
    // failed (its last data may not have reached the disk).
    int Close();
    void FreeSections();

    // Creates or truncates the file and writes the tag; nonzero on success.
    int Create(const char* path);
    // Appends one plain section; 1 when every write completed, 0 otherwise
    // (also for a name the reader would refuse, or data over 4 GiB).
    int WriteSection(const char* name, const void* data, size_t length);
    // Appends one section in the encrypted form (section key with keyText),
    // its plaintext packed with LZO1X-1 when compress is set; 1 on success,
    // 0 on failure.  Nothing is written when packing or encrypting fails.
    int WritePackedSection(const char* name, const void* data, size_t length, const char* keyText,
                           int compress);

    // The id text that builds the section key; the owner sets it after
    // opening, from the plain "id" section, before reading other sections.
    void SetKeyText(const char* idText);
    const char* GetKeyText() const { return m_keyText; }

    bool IsSingleText() const { return m_singleText; }
    const CGAppSection* GetFirstSection() const { return m_sections; }
    bool IsOpen() const { return m_file != nullptr; }

private:
    bool ReadDirectory(int64_t start, int64_t fileSize);
    CGAppSection* AddSection(const char* name, size_t nameLength);

    FILE* m_file = nullptr;
    CGAppSection* m_sections = nullptr;     // in file order
    CGAppSection* m_lastSection = nullptr;
    size_t m_sectionCount = 0;
    bool m_singleText = false;
    char m_keyText[kAppKeyTextMax + 1] = {0};
};
