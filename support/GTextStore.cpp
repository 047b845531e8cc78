#include "support/GTextStore.h"

#include <cstdlib>
#include <cstring>

CGTextStore::Block* CGTextStore::NewBlock(size_t capacity)
{
    if (capacity > (size_t)-1 - sizeof(Block))
        return nullptr;
    Block* block = (Block*)malloc(sizeof(Block) + capacity);
    if (!block)
        return nullptr;
    block->m_older = m_newest;
    block->m_used = 0;
    block->m_capacity = capacity;
    block->m_openText = false;
    m_newest = block;
    return block;
}

const char* CGTextStore::Intern(const char* text)
{
    return text ? Intern(text, strlen(text)) : nullptr;
}

const char* CGTextStore::Intern(const char* text, size_t length)
{
    if (!text || length >= (size_t)-1 - sizeof(Block))
        return nullptr;
    Block* block = m_newest;
    if (!block || block->m_capacity - block->m_used < length + 1) {
        // A string longer than an ordinary block gets a block of its own;
        // the next string starts a new ordinary block behind it.
        block = NewBlock(length + 1 > (size_t)kBlockSize ? length + 1 : (size_t)kBlockSize);
        if (!block)
            return nullptr;
    }
    char* copy = block->Text() + block->m_used;
    memcpy(copy, text, length);
    copy[length] = '\0';
    block->m_used += length + 1;
    block->m_openText = false;
    return copy;
}

void CGTextStore::Append(const char* text)
{
    if (text)
        Append(text, strlen(text));
}

void CGTextStore::Append(const char* text, size_t length)
{
    if (!text)
        return;
    while (length > 0 || !m_newest) {
        Block* block = m_newest;
        // Continue the previous appended text by overwriting its terminator.
        size_t start = block ? block->m_used - (block->m_openText && block->m_used ? 1 : 0) : 0;
        if (!block || start + 1 >= block->m_capacity) {
            block = NewBlock(kBlockSize);
            if (!block)
                return;
            start = 0;
        }
        size_t room = block->m_capacity - start - 1;
        size_t part = length < room ? length : room;
        memcpy(block->Text() + start, text, part);
        block->Text()[start + part] = '\0';
        block->m_used = start + part + 1;
        block->m_openText = true;
        text += part;
        length -= part;
    }
}

char* CGTextStore::GetText(size_t* lengthOut) const
{
    size_t total = 0;
    for (const Block* b = m_newest; b; b = b->m_older)
        total += b->m_used;
    char* out = (char*)malloc(total + 1);
    if (!out) {
        if (lengthOut)
            *lengthOut = 0;
        return nullptr;
    }
    // Blocks are chained newest first: fill the output from its end.
    size_t end = total;
    for (const Block* b = m_newest; b; b = b->m_older) {
        end -= b->m_used;
        memcpy(out + end, b->Text(), b->m_used);
    }
    // Drop the terminators of the pieces.
    size_t kept = 0;
    for (size_t i = 0; i < total; ++i) {
        const char* zero = (const char*)memchr(out + i, '\0', total - i);
        size_t run = zero ? (size_t)(zero - (out + i)) : total - i;
        memmove(out + kept, out + i, run);
        kept += run;
        i += run;
    }
    out[kept] = '\0';
    if (lengthOut)
        *lengthOut = kept + 1;
    return out;
}

void CGTextStore::FreeAll()
{
    while (m_newest) {
        Block* older = m_newest->m_older;
        free(m_newest);
        m_newest = older;
    }
}
