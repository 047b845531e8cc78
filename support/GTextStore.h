#pragma once
// CGTextStore: a chained string arena.  Documents built in memory keep the
// names and texts of their nodes here, and writers append the XML they
// produce here.  Strings stay where they were put until FreeAll.
#include <cstddef>

class CGTextStore {
public:
    // Size of an ordinary block.  A string that does not fit one gets a
    // block of its own, so that no length the reader accepts is refused.
    enum { kBlockSize = 131072 };

    CGTextStore() = default;
    ~CGTextStore() { FreeAll(); }
    CGTextStore(const CGTextStore&) = delete;
    CGTextStore& operator=(const CGTextStore&) = delete;

    // Copies a string with its terminator and returns the stable copy;
    // nullptr for a null string or when memory runs out.
    const char* Intern(const char* text);
    const char* Intern(const char* text, size_t length);
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
        Block* m_older;
        size_t m_used;
        size_t m_capacity;
        // The block's last piece came from Append and may be continued;
        // an interned string is never continued (its node would change).
        bool m_openText;
        char* Text() { return reinterpret_cast<char*>(this + 1); }
        const char* Text() const { return reinterpret_cast<const char*>(this + 1); }
    };
    Block* NewBlock(size_t capacity);

    Block* m_newest = nullptr;
};
