#pragma once
// CGTextStore: a chained string arena.  Documents built in memory keep the
// names and texts of their nodes here, and writers append the XML they
// produce here.  Strings stay where they were put until FreeAll.
#include <cstddef>

class CGTextStore {
public:
    enum { kBlockSize = 131072 };

    CGTextStore() = default;
    ~CGTextStore() { FreeAll(); }
    CGTextStore(const CGTextStore&) = delete;
    CGTextStore& operator=(const CGTextStore&) = delete;

    // Copies a string with its terminator and returns the stable copy;
    // nullptr for a null string or one longer than kBlockSize - 1 bytes.
    const char* Intern(const char* text);
    // Appends text so that it continues the text appended before it.  Text
    // that does not fit the newest block goes on in new blocks: GetText
    // joins the blocks, so nothing is lost however long the text is.
    void Append(const char* text);
    void Append(const char* text, size_t length);
    // A malloc'd copy (free() it) of everything in the store, oldest block
    // first, joined without the terminators and terminated once.
    // *lengthOut, when given, counts the terminator; an empty store gives
    // "" with length 1.  nullptr when memory runs out.
    char* GetText(size_t* lengthOut) const;
    void FreeAll();

private:
    struct Block {
        Block* m_older = nullptr;
        size_t m_used = 0;
        // The block's last piece came from Append and may be continued;
        // an interned string is never continued (its node would change).
        bool m_openText = false;
        char m_text[kBlockSize];
    };
    Block* NewBlock();

    Block* m_newest = nullptr;
};
