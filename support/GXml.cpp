#include "support/GXml.h"

#include "support/EncryptedData.h"
#include "support/Utilities.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Byte classes of the tokenizer.
enum : uint8_t {
    kClassName = 1,        // may be part of a name
    kClassNameSpecial = 2, // ':' (the name restarts behind it) and '\n' (a line)
    kClassSpace = 4,       // blank, tab, line feed, carriage return
    kClassTextStop = 8,    // ends a plain run in a text: '<' '&' '\n' NUL
    kClassValueStop = 16,  // ends a plain run in an attribute value: '"' '&' '\n' NUL
    kClassEscape = 32,     // written escaped: '"' '&' '\'' '<' '>' NUL
    kClassPlainName = 64,  // a name byte other than ':' and '\n'
};

struct ByteClasses {
    uint8_t of[256];
    ByteClasses() : of()
    {
        for (int c = 1; c < 256; ++c) {
            // Names: everything but the blank and ASCII punctuation other
            // than '-', '.', '_' and ':' (so tab, CR and LF are name bytes).
            bool punct = (c >= 0x21 && c <= 0x2F) || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x60)
                         || (c >= 0x7B && c <= 0x7E);
            if (c == '-' || c == '.' || c == '_' || c == ':')
                punct = false;
            if (c != ' ' && !punct)
                of[c] |= kClassName;
        }
        for (int c = 1; c < 256; ++c)
            if ((of[c] & kClassName) && c != ':' && c != '\n')
                of[c] |= kClassPlainName;
        of[(unsigned char)':'] |= kClassNameSpecial;
        of[(unsigned char)'\n'] |= kClassNameSpecial;
        for (unsigned char c : {' ', '\t', '\n', '\r'})
            of[c] |= kClassSpace;
        for (unsigned char c : {'<', '&', '\n', '\0'})
            of[c] |= kClassTextStop;
        for (unsigned char c : {'"', '&', '\n', '\0'})
            of[c] |= kClassValueStop;
        for (unsigned char c : {'"', '&', '\'', '<', '>', '\0'})
            of[c] |= kClassEscape;
    }
};

const ByteClasses g_byteClasses;

inline uint8_t ClassOf(char c)
{
    return g_byteClasses.of[(unsigned char)c];
}

bool ErrorEmpty(const char* error, size_t errorSize)
{
    return error && errorSize > 0 && error[0] == '\0';
}

// Index, in memory order, of the first non-zero byte of a non-zero word
// read from memory (the program runs on little-endian processors).
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "word-at-a-time scanning expects little-endian");
inline size_t LowestByteSet(uint64_t word)
{
    return (size_t)__builtin_ctzll(word) >> 3;
}

// Word-at-a-time tests: a bit set in the top of every byte that is zero
// (or equals c).  The lowest such byte is always exact.
constexpr uint64_t kOnes = 0x0101010101010101ull;
inline uint64_t ZeroBytes(uint64_t word)
{
    return (word - kOnes) & ~word & (kOnes << 7);
}
inline uint64_t BytesEqual(uint64_t word, char c)
{
    return ZeroBytes(word ^ (kOnes * (unsigned char)c));
}

// Whether two terminated names inside one text are equal; both may be read
// eight bytes at a time up to the text's end.
inline bool SameName(const char* a, const char* b, const char* end)
{
    if (a == b) // the end of an empty-element tag
        return true;
    while (end - a >= 8 && end - b >= 8) {
        uint64_t x, y;
        memcpy(&x, a, 8);
        memcpy(&y, b, 8);
        uint64_t zero = ZeroBytes(x);
        if (zero) {
            // Equal up to and including the first terminator: the bytes
            // below the terminator's top bit.
            uint64_t upToTerminator = zero ^ (zero - 1);
            return ((x ^ y) & upToTerminator) == 0;
        }
        if (x != y)
            return false;
        a += 8;
        b += 8;
    }
    while (*a == *b) {
        if (!*a)
            return true;
        ++a;
        ++b;
    }
    return false;
}

// Whether n bytes (n >= 1) at a and b are equal, reading exactly those
// bytes.  The parser compares names whose terminator it has only just
// written: a wider read would overlap that one-byte store and wait for it
// to reach the cache instead of taking its value on the way.
inline bool SameBytes(const char* a, const char* b, size_t n)
{
    if (n >= 8) {
        uint64_t x, y;
        for (size_t i = 0; i + 8 < n; i += 8) {
            memcpy(&x, a + i, 8);
            memcpy(&y, b + i, 8);
            if (x != y)
                return false;
        }
        memcpy(&x, a + n - 8, 8);
        memcpy(&y, b + n - 8, 8);
        return x == y;
    }
    if (n >= 4) {
        uint32_t x0, y0, x1, y1;
        memcpy(&x0, a, 4);
        memcpy(&y0, b, 4);
        memcpy(&x1, a + n - 4, 4);
        memcpy(&y1, b + n - 4, 4);
        return ((x0 ^ y0) | (x1 ^ y1)) == 0;
    }
    if (n >= 2) {
        uint16_t x0, y0, x1, y1;
        memcpy(&x0, a, 2);
        memcpy(&y0, b, 2);
        memcpy(&x1, a + n - 2, 2);
        memcpy(&y1, b + n - 2, 2);
        return ((x0 ^ y0) | (x1 ^ y1)) == 0;
    }
    return *a == *b;
}

// Messages quote the document only in short one-line excerpts: a name up to
// its first byte that cannot be in a name, a text up to its first line
// break, each cut to a few dozen bytes.
struct Excerpt {
    enum { kName = 64, kText = 40 };
    char text[kName + 4];
};

Excerpt NameExcerpt(const char* name)
{
    Excerpt e;
    size_t n = 0;
    if (name) {
        while ((ClassOf(name[n]) & kClassName) && !(ClassOf(name[n]) & kClassSpace) && (unsigned char)name[n] >= 0x20
               && n < (size_t)Excerpt::kName)
            ++n;
        memcpy(e.text, name, n);
    }
    bool cut = name && n == (size_t)Excerpt::kName && (ClassOf(name[n]) & kClassName) && !(ClassOf(name[n]) & kClassSpace);
    if (cut) {
        memcpy(e.text + n, "...", 3);
        n += 3;
    }
    e.text[n] = '\0';
    return e;
}

Excerpt TextExcerpt(const char* text)
{
    Excerpt e;
    size_t n = 0;
    if (text) {
        while ((unsigned char)text[n] >= 0x20 && n < (size_t)Excerpt::kText)
            ++n;
        memcpy(e.text, text, n);
    }
    if (text && (unsigned char)text[n] >= 0x20) {
        memcpy(e.text + n, "...", 3);
        n += 3;
    }
    e.text[n] = '\0';
    return e;
}

// Writes a code point as UTF-8 (up to four bytes, first byte 0xF0 plus the
// top three bits for the largest).
char* PutUtf8(char* out, uint32_t cp)
{
    if (cp < 0x80) {
        *out++ = (char)cp;
    } else if (cp < 0x800) {
        *out++ = (char)(0xC0 | (cp >> 6));
        *out++ = (char)(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *out++ = (char)(0xE0 | (cp >> 12));
        *out++ = (char)(0x80 | ((cp >> 6) & 0x3F));
        *out++ = (char)(0x80 | (cp & 0x3F));
    } else {
        *out++ = (char)(0xF0 | (cp >> 18));
        *out++ = (char)(0x80 | ((cp >> 12) & 0x3F));
        *out++ = (char)(0x80 | ((cp >> 6) & 0x3F));
        *out++ = (char)(0x80 | (cp & 0x3F));
    }
    return out;
}


// Decodes the reference at in[0] == '&' into out.  Returns the read
// position behind it; an unrecognised reference drops only the ampersand.
// The output never outgrows the reference, so decoding in place is safe.
char* DecodeReference(char* in, char** out)
{
    // The five named references, told apart by their second byte.
    switch (in[1]) {
    case 'a':
        if (in[2] == 'm' && in[3] == 'p' && in[4] == ';') {
            *(*out)++ = '&';
            return in + 5;
        }
        if (in[2] == 'p' && in[3] == 'o' && in[4] == 's' && in[5] == ';') {
            *(*out)++ = '\'';
            return in + 6;
        }
        return in + 1;
    case 'l':
    case 'g':
        if (in[2] == 't' && in[3] == ';') {
            *(*out)++ = in[1] == 'l' ? '<' : '>';
            return in + 4;
        }
        return in + 1;
    case 'q':
        if (in[2] == 'u' && in[3] == 'o' && in[4] == 't' && in[5] == ';') {
            *(*out)++ = '"';
            return in + 6;
        }
        return in + 1;
    case '#':
        break;
    default:
        return in + 1;
    }
    // A numeric reference.
    const char* p = in + 2;
    bool hex = false;
    if (*p == 'x') {
        hex = true;
        ++p;
    }
    uint32_t value = 0;
    bool tooLarge = false;
    const char* digits = p;
    for (;; ++p) {
        int d = hex ? HexDigitValue(*p) : (*p >= '0' && *p <= '9' ? *p - '0' : -1);
        if (d < 0)
            break;
        if (!tooLarge) {
            value = value * (hex ? 16 : 10) + (uint32_t)d;
            if (value > 0x1FFFFF)
                tooLarge = true;
        }
    }
    if (p > digits && *p == ';') {
        // Code point 0 and code points beyond 0x1FFFFF write nothing.
        if (!tooLarge && value != 0)
            *out = PutUtf8(*out, value);
        return (char*)p + 1;
    }
    return in + 1;
}

// Parses an optional sign and decimal digits after leading whitespace, as
// the C library's number readers do.  false when no digit follows.
bool ReadDecimal(const char* text, bool* negative, uint64_t* magnitude)
{
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f')
        ++p;
    *negative = false;
    if (*p == '+' || *p == '-')
        *negative = *p++ == '-';
    if (*p < '0' || *p > '9')
        return false;
    uint64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        unsigned d = (unsigned)(*p - '0');
        value = value > (UINT64_MAX - d) / 10 ? UINT64_MAX : value * 10 + d;
    }
    *magnitude = value;
    return true;
}

// The leading decimal integer of a text, clamped to the int range; 0 when
// there is none.
int LeadingInt(const char* text)
{
    bool negative;
    uint64_t magnitude;
    if (!ReadDecimal(text, &negative, &magnitude))
        return 0;
    if (negative)
        return magnitude >= (uint64_t)INT_MAX + 1 ? INT_MIN : -(int)magnitude;
    return magnitude > (uint64_t)INT_MAX ? INT_MAX : (int)magnitude;
}

void Out(FILE* file, CGTextStore* store, const char* text, size_t length)
{
    if (length == 0)
        return;
    if (file)
        fwrite(text, 1, length, file);
    else if (store)
        store->Append(text, length);
}

void Out(FILE* file, CGTextStore* store, const char* text)
{
    Out(file, store, text, strlen(text));
}

void OutLineBreak(FILE* file, CGTextStore* store, int depth)
{
    static const char blanks[] = "                                                                ";
    if (file)
        Out(file, store, "\n", 1);
    else
        Out(file, store, "\r\n", 2);
    while (depth > 0) {
        int n = depth < 64 ? depth : 64;
        Out(file, store, blanks, (size_t)n);
        depth -= n;
    }
}

} // namespace

// ---------------------------------------------------------------- source

CGXmlSource::~CGXmlSource()
{
    Reset();
}

void CGXmlSource::Reset()
{
    if (m_ownsText)
        free(m_text);
    m_text = nullptr;
    m_ownsText = false;
    m_pos = nullptr;
    m_length = 0;
    m_end = nullptr;
    m_endKnown = false;
    m_line = 1;
    m_pending = kPendingNone;
    m_lastStartName = nullptr;
    m_lastStartLength = 0;
    m_endTagLength = 0;
    m_folder.clear();
    m_fileName.clear();
    CGXmlSource* next = m_next;
    m_next = nullptr;
    while (next) {
        CGXmlSource* after = next->m_next;
        next->m_next = nullptr;
        delete next;
        next = after;
    }
}

void CGXmlSource::SetText(char* text, size_t length, bool owned)
{
    if (m_ownsText && m_text != text)
        free(m_text);
    m_text = text;
    m_ownsText = owned;
    m_pos = text;
    // A text parsed in place need not be measured first: its end is then
    // found piece by piece, just ahead of the reading (see SafeEnd).
    m_endKnown = length != kUnknownLength;
    m_length = m_endKnown ? length : 0;
    m_end = text + m_length;
    m_line = 1;
    m_pending = kPendingNone;
    m_lastStartName = nullptr;
    m_lastStartLength = 0;
    m_endTagLength = 0;
}

bool CGXmlSource::LoadFile(const char* path, bool* wasEncrypted, size_t maxBytes, bool* tooLarge)
{
    if (wasEncrypted)
        *wasEncrypted = false;
    if (tooLarge)
        *tooLarge = false;
    FILE* file = fopen(path, "rb");
    if (!file)
        return false;
    const char* slash = strrchr(path, '/');
    if (!slash)
        slash = strrchr(path, '\\');
    if (slash) {
        m_folder.assign(path, (size_t)(slash - path));
        m_fileName = slash + 1;
    } else {
        m_folder.clear();
        m_fileName = path;
    }

    // The size decides the buffer, so that a small file keeps a small one
    // for as long as its nodes point into it.
    long size = -1;
    if (fseek(file, 0, SEEK_END) == 0)
        size = ftell(file);
    if ((size > 0 && (unsigned long)size > maxBytes) || fseek(file, 0, SEEK_SET) != 0) {
        if (tooLarge && size > 0)
            *tooLarge = true;
        fclose(file);
        return false;
    }

    size_t length = 0;
    unsigned char* plain = ReadEncryptedFile(file, &length, 1, "");
    if (plain) {
        fclose(file);
        if (length > maxBytes) {
            free(plain);
            if (tooLarge)
                *tooLarge = true;
            return false;
        }
        SetText((char*)plain, length, true);
        if (wasEncrypted)
            *wasEncrypted = true;
        return true;
    }

    // A plain text: read it whole from the start.
    if (fseek(file, 0, SEEK_SET) != 0) {
        fclose(file);
        return false;
    }
    size_t capacity = size >= 0 ? (size_t)size + 2 : 65536, used = 0;
    char* buffer = (char*)malloc(capacity);
    bool ok = buffer != nullptr;
    while (ok) {
        if (capacity - used < 2) {
            if (capacity > ((size_t)-1) / 2) {
                ok = false;
                break;
            }
            char* bigger = (char*)realloc(buffer, capacity * 2);
            if (!bigger) {
                ok = false;
                break;
            }
            buffer = bigger;
            capacity *= 2;
        }
        size_t got = fread(buffer + used, 1, capacity - used - 1, file);
        used += got;
        if (used > maxBytes) {
            if (tooLarge)
                *tooLarge = true;
            ok = false;
            break;
        }
        if (got == 0) {
            ok = !ferror(file);
            break;
        }
    }
    fclose(file);
    if (!ok) {
        free(buffer);
        return false;
    }
    if (capacity - used > 4096) {
        // A file that grew while it was read: give the slack back.
        if (char* fitted = (char*)realloc(buffer, used + 1))
            buffer = fitted;
    }
    buffer[used] = '\0';
    SetText(buffer, used, true);
    return true;
}

// Whitespace from p on, counting line feeds; returns the first other byte.
// Most bytes met here are '<' or a letter: one comparison sends them back.
inline char* CGXmlSource::SkipWhitespace(char* p)
{
    for (;;) {
        char c = *p;
        if ((unsigned char)c > ' ')
            return p;
        if (c == '\n') {
            ++m_line;
            ++p;
            // Indentation: blanks eight at a time while the text lasts.
            const char* end = SafeEnd(p);
            while (end - p >= 8) {
                uint64_t word;
                memcpy(&word, p, 8);
                uint64_t other = word ^ 0x2020202020202020ull;
                if (other) {
                    p += LowestByteSet(other);
                    break;
                }
                p += 8;
            }
        } else if (c == ' ' || c == '\t' || c == '\r') {
            ++p;
        } else {
            return p;
        }
    }
}

inline char* CGXmlSource::ReadName()
{
    char* p = m_pos;
    char* start = p;
    for (;;) {
        while (ClassOf(*p) & kClassPlainName)
            ++p;
        if (*p == ':') {
            start = ++p; // drop the namespace prefix
        } else if (*p == '\n') {
            ++m_line;
            ++p;
        } else {
            break;
        }
    }
    m_pos = p;
    return start;
}

template <char stop>
__attribute__((always_inline)) inline void CGXmlSource::DecodeUntil()
{
    constexpr uint8_t stopClass = stop == '"' ? kClassValueStop : kClassTextStop;
    // Nothing to rewrite until the first reference.  Byte by byte: most
    // texts are short, and the processor predicts the end of such a loop and
    // reads on meanwhile, where a scan in words keeps it waiting for each
    // word's outcome before it knows where the next token starts.
    char* r = m_pos;
    for (;;) {
        while (!(ClassOf(*r) & stopClass))
            ++r;
        if (*r != '\n')
            break;
        ++m_line;
        ++r;
    }
    if (*r != '&') {
        m_pos = r;
        return;
    }
    char* w = r;
    for (;;) {
        char c = *r;
        if (c == '&') {
            r = DecodeReference(r, &w);
        } else if (c == '\n') {
            ++m_line;
            *w++ = *r++;
        } else if (c == stop || c == '\0') {
            break;
        } else {
            do
                *w++ = *r++;
            while (!(ClassOf(*r) & stopClass));
        }
    }
    if (w < r)
        *w = '\0';
    m_pos = r;
}

// The tokenizer proper, inlined into the element parser's loop.
__attribute__((always_inline)) inline CGXmlSource::Token CGXmlSource::ReadToken(char** token)
{
    // The element parser calls this only after NextToken found a text.

    // The tokenizer's pending states exclude each other: one byte says
    // which, if any, the previous token left.
    const uint8_t pending = m_pending;
    m_pending = kPendingNone;
    if (pending > kPendingTextEndedAtTag) {
        switch (pending) {
        case kPendingEmptyElement:
            if (*m_pos == '>') {
                ++m_pos;
                *token = m_lastStartName;
                return kTokenEndTag;
            }
            *token = m_pos;
            return kTokenError;
        case kPendingAttributes: {
            char* name = ReadName();
            if (*m_pos == '=') {
                *m_pos++ = '\0';
                m_pending = kPendingValue;
                *token = name;
                return kTokenAttributeName;
            }
            *token = m_pos;
            return kTokenError;
        }
        case kPendingValue: {
            if (*m_pos != '"') {
                *token = m_pos;
                return kTokenError;
            }
            char* value = ++m_pos;
            DecodeUntil<'"'>();
            if (*m_pos != '"') {
                *token = value;
                return kTokenError;
            }
            *m_pos++ = '\0';
            m_pos = SkipWhitespace(m_pos);
            if (*m_pos == '>') {
                ++m_pos;
            } else if (*m_pos == '/') {
                m_pending = kPendingEmptyElement;
                ++m_pos;
            } else {
                m_pending = kPendingAttributes;
            }
            *token = value;
            return kTokenAttributeValue;
        }
        case kPendingCDataClose:
            if (*m_pos != '>') {
                *token = m_pos;
                return kTokenError;
            }
            ++m_pos;
            break;
        default:
            break;
        }
    }

    // After a text the '<' that ended it is behind us already.
    if (pending != kPendingTextEndedAtTag) {
        int line = m_line;
        char* p = SkipWhitespace(m_pos);
        if (*p == '<') {
            m_pos = p + 1;
        } else if (*p == '\0') {
            m_pos = p;
            *token = p;
            return kTokenEnd;
        } else {
            // A text keeps its leading whitespace (and counts its lines
            // itself).
            m_line = line;
            char* text = m_pos;
            DecodeUntil<'<'>();
            if (*m_pos != '<') {
                *token = text;
                return kTokenError;
            }
            *m_pos++ = '\0';
            m_pending = kPendingTextEndedAtTag;
            *token = text;
            return kTokenText;
        }
    }

    if (*m_pos == '/') {
        ++m_pos;
        int line = m_line;
        char* name = ReadName();
        m_endTagLength = m_line == line ? (size_t)(m_pos - name) : 0;
        if (*m_pos != '>') {
            while (ClassOf(*m_pos) & kClassSpace) {
                if (*m_pos == '\n')
                    ++m_line;
                *m_pos++ = '\0';
            }
            if (*m_pos != '>') {
                *token = name;
                return kTokenError;
            }
        }
        *m_pos++ = '\0';
        *token = name;
        return kTokenEndTag;
    }
    if (*m_pos == '!' && strncmp(m_pos, "![CDATA[", 8) == 0) {
        char* content = m_pos + 8;
        char* close = strstr(content, "]]>");
        if (!close) {
            *token = content;
            return kTokenError;
        }
        for (const char* p = content; (p = (const char*)memchr(p, '\n', (size_t)(close - p))) != nullptr; ++p)
            ++m_line;
        *close = '\0';
        m_pos = close + 2;
        m_pending = kPendingCDataClose;
        *token = content;
        return kTokenCData;
    }
    int line = m_line;
    char* name = ReadName();
    // A name without a line feed in it may be compared by its length.
    m_lastStartLength = m_line == line ? (size_t)(m_pos - name) : 0;
    if (name == m_pos) {
        // "<" followed by no name ("<?", "<!--", "< A", a text cut short):
        // nothing here can be read as an element.
        *token = m_pos;
        return kTokenError;
    }
    if (*m_pos == '>') {
        *m_pos++ = '\0';
    } else {
        while (ClassOf(*m_pos) & kClassSpace) {
            if (*m_pos == '\n')
                ++m_line;
            *m_pos++ = '\0';
        }
        if (*m_pos == '/') {
            *m_pos++ = '\0';
            m_pending = kPendingEmptyElement;
        } else if (*m_pos == '>') {
            *m_pos++ = '\0';
        } else {
            m_pending = kPendingAttributes;
        }
    }
    m_lastStartName = name;
    *token = name;
    return kTokenStartTag;
}

const char* CGXmlSource::FindMoreOfEnd()
{
    // Everything the tokenizer wrote lies behind the read position: from
    // there on the text is as it came, and its terminator is its end.
    enum { kPiece = 65536 };
    const char* from = m_end > m_pos ? m_end : m_pos;
    size_t length = strnlen(from, kPiece);
    m_end = from + length;
    m_endKnown = length < (size_t)kPiece;
    return m_end;
}

// After a text, when "</" and exactly the last start tag's name and ">"
// follow, takes that end tag as ReadToken would and returns true.  Near the
// end of the text, or for a name with a prefix or a line feed, ReadToken
// decides.
__attribute__((always_inline)) inline bool CGXmlSource::TakeEndTagOf(const char* name)
{
    if (m_pending != kPendingTextEndedAtTag || *m_pos != '/')
        return false;
    char* p = m_pos + 1;
    size_t length = m_lastStartLength;
    if (length == 0 || name != m_lastStartName || SafeEnd(p) - p <= (ptrdiff_t)length || p[length] != '>'
        || !SameBytes(p, name, length))
        return false;
    p[length] = '\0';
    m_pos = p + length + 1;
    m_pending = kPendingNone;
    return true;
}

// Whether an end tag just read closes the element of the given name.
__attribute__((always_inline)) inline bool CGXmlSource::EndTagCloses(const char* token, const char* name)
{
    if (token == name) // the end of an empty-element tag
        return true;
    size_t length = m_endTagLength;
    if (length == 0)
        return SameName(token, name, SafeEnd(token));
    // The name's terminator lies far behind: it may be read with the name.
    return name[length] == '\0' && SameBytes(token, name, length);
}

CGXmlSource::Token CGXmlSource::NextToken(char** token)
{
    if (!m_pos) {
        *token = const_cast<char*>("");
        return kTokenEnd;
    }
    return ReadToken(token);
}

// ------------------------------------------------------------------ node

CGXmlNode* CGXmlNode::NewHeapNode(const char* name, CGXmlNode* parent)
{
    static_assert(alignof(CGXmlNode) > kMarks, "the parent's low address bits carry the node's marks");
    CGXmlNode* node = new CGXmlNode;
    node->m_name = name;
    node->SetParent(parent);
    return node;
}

void CGXmlNode::AppendChild(CGXmlNode* child)
{
    if (IsAttribute())
        return;
    child->SetParent(this);
    if (!m_child) {
        m_child = child;
    } else {
        CGXmlNode* last = m_child;
        while (last->m_next)
            last = last->m_next;
        last->m_next = child;
    }
    // A node made in memory below a parsed tree: tell the tree's top node,
    // so that freeing the document looks for it.
    if (!child->FromArena() && FromArena()) {
        CGXmlNode* top = this;
        while (top->GetParent())
            top = top->GetParent();
        top->m_parentAndMarks |= kHeapBelow;
    }
}

void CGXmlNode::FreeTree(CGXmlNode* node)
{
    // Iterative, so that deep trees cannot exhaust the stack.  Every node
    // below a node made in memory was made in memory as well.
    node->m_next = nullptr;
    CGXmlNode* pending = node;
    while (pending) {
        CGXmlNode* n = pending;
        pending = n->m_next;
        CGXmlNode* child = n->GetFirstChild();
        if (child) {
            CGXmlNode* tail = child;
            while (tail->m_next)
                tail = tail->m_next;
            tail->m_next = pending;
            pending = child;
        }
        delete n;
    }
}

CGXmlNode* CGXmlNode::FindChild(const char* name, bool attributesOnly) const
{
    for (CGXmlNode* child = GetFirstChild(); child; child = child->m_next) {
        if (attributesOnly && !child->IsAttribute())
            continue;
        if (strcmp(child->GetName(), name) == 0)
            return child;
    }
    return nullptr;
}

CGXmlNode* CGXmlNode::FindPath(const char* path) const
{
    const CGXmlNode* node = this;
    const char* p = path ? path : "";
    for (;;) {
        while (*p == ' ')
            ++p;
        if (!*p)
            return const_cast<CGXmlNode*>(node);
        const char* end = p;
        while (*end && *end != ' ')
            ++end;
        size_t length = (size_t)(end - p);
        if (length >= (size_t)kXmlMaxPath)
            return nullptr;
        const CGXmlNode* found = nullptr;
        for (CGXmlNode* child = node->GetFirstChild(); child; child = child->m_next) {
            const char* name = child->GetName();
            if (strncmp(name, p, length) == 0 && name[length] == '\0') {
                found = child;
                break;
            }
        }
        if (!found)
            return nullptr;
        node = found;
        p = end;
    }
}

CGXmlNode* CGXmlNode::FindOrCreatePath(CGTextStore* store, const char* path, bool reuse)
{
    CGXmlNode* node = this;
    const char* p = path ? path : "";
    char part[kXmlMaxPath];
    for (;;) {
        while (*p == ' ')
            ++p;
        if (!*p)
            return node;
        const char* end = p;
        while (*end && *end != ' ')
            ++end;
        size_t length = (size_t)(end - p);
        if (length >= sizeof part)
            return nullptr;
        memcpy(part, p, length);
        part[length] = '\0';
        while (*end == ' ')
            ++end;
        bool last = *end == '\0';
        node = node->AddChild(store, part, reuse || !last);
        if (!node)
            return nullptr;
        p = end;
    }
}

CGXmlNode* CGXmlNode::AddChild(CGTextStore* store, const char* name, bool reuse)
{
    if (IsAttribute())
        return nullptr;
    if (reuse) {
        if (CGXmlNode* existing = FindChild(name ? name : ""))
            return existing;
    }
    CGXmlNode* child = NewHeapNode(store ? store->Intern(name) : nullptr, this);
    AppendChild(child);
    return child;
}

CGXmlNode* CGXmlNode::AddAttribute(CGTextStore* store, const char* name, const char* value)
{
    if (IsAttribute())
        return nullptr;
    CGXmlNode* child = NewHeapNode(store ? store->Intern(name) : nullptr, this);
    child->m_child = AttributeMark();
    child->m_text = store ? store->Intern(value) : nullptr;
    AppendChild(child);
    return child;
}

void CGXmlNode::SetText(CGTextStore* store, const char* text)
{
    m_text = store ? store->Intern(text) : nullptr;
}

void CGXmlNode::SetTextInt(CGTextStore* store, int value)
{
    char buffer[16];
    FormatBounded(buffer, sizeof buffer, "%d", value);
    SetText(store, buffer);
}

bool CGXmlNode::GetBool() const
{
    const char* text = GetText();
    static const char* const yes[] = {"y", "yes", "t", "true"};
    static const char* const no[] = {"n", "no", "f", "false"};
    for (const char* word : yes)
        if (CompareNoCase(text, word) == 0)
            return true;
    for (const char* word : no)
        if (CompareNoCase(text, word) == 0)
            return false;
    return LeadingInt(text) > 0;
}

uint32_t CGXmlNode::GetULong(uint32_t defaultValue) const
{
    bool negative;
    uint64_t magnitude;
    if (!ReadDecimal(GetText(), &negative, &magnitude))
        return defaultValue;
    return (uint32_t)(negative ? (uint64_t)0 - magnitude : magnitude);
}

int CGXmlNode::GetInt(int defaultValue) const
{
    const char* text = GetText();
    if (!*text)
        return defaultValue;
    return LeadingInt(text);
}

void CGXmlNode::Write(CGXmlWriter& writer) const
{
    writer.BeginElement(GetName());
    bool hasElements = false;
    for (CGXmlNode* child = GetFirstChild(); child; child = child->m_next) {
        if (child->IsAttribute())
            WriteXmlAttribute(writer.m_file, writer.m_store, child->GetName(), child->GetText());
        else
            hasElements = true;
    }
    if (!hasElements && !*GetText()) {
        writer.CloseStartTag(true);
        return;
    }
    writer.CloseStartTag(false);
    if (hasElements) {
        for (CGXmlNode* child = GetFirstChild(); child; child = child->m_next)
            if (!child->IsAttribute())
                child->Write(writer);
    } else {
        WriteXmlEscaped(writer.m_file, writer.m_store, GetText(), false);
    }
    writer.EndElement();
}

bool CGXmlNode::ParseElement(CGXmlSource* source, char* error, size_t errorSize, CGXml* document, int depth)
{
    // The whole subtree is read in one loop, without a call per element:
    // 'node' is the element being read, at 'depth', 'last' its last child so
    // far, and 'first' says that nothing of it has been read yet.  An end
    // tag returns to the parent, whose last child is the element just ended.
    CGXmlNode* node = this;
    CGXmlNode* last = nullptr;
    bool first = true;
    // A failure inside a descendant ends the parse as one call per element
    // would: the innermost message stands, and an element that failed
    // without one is named by its parent.
    auto fail = [&]() {
        if (node != this && ErrorEmpty(error, errorSize))
            FormatBounded(error, errorSize, "%s\\%s Error (Line %d): Can't load element %s", source->GetFolder(),
                          source->GetFileName(), source->GetLine(), NameExcerpt(node->GetName()).text);
        return false;
    };
    auto noMatch = [&]() {
        if (ErrorEmpty(error, errorSize))
            FormatBounded(error, errorSize, "%s\\%s Error (Line %d): No match for element %s", source->GetFolder(),
                          source->GetFileName(), source->GetLine(), NameExcerpt(node->GetName()).text);
        return fail();
    };
    char* token;
    CGXmlSource::Token kind = source->ReadToken(&token);
    for (;;) {
        switch (kind) {
        case CGXmlSource::kTokenStartTag: {
            int filter = document->FilterElement(token, source, node, error, errorSize);
            if (filter == 2)
                return fail();
            if (filter != 0)
                break;
            if (token[0] == 'I' && !(document->m_flags & CGXml::kNoIncludeExpansion)
                && strcmp(token, "INCLUDEXMLFILE") == 0) {
                if (!node->ParseInclude(source, error, errorSize, document, depth, &last))
                    return fail();
                break;
            }
            if (depth >= kXmlMaxDepth) {
                if (ErrorEmpty(error, errorSize))
                    FormatBounded(error, errorSize, "%s\\%s Error (Line %d): Element %s nested too deeply",
                                  source->GetFolder(), source->GetFileName(), source->GetLine(),
                                  NameExcerpt(token).text);
                return fail();
            }
            CGXmlNode* child = document->NewNode(token, node);
            if (last)
                last->m_next = child;
            else
                node->m_child = child;
            last = child;
            // Most elements hold a text or nothing: those are read here.
            kind = source->ReadToken(&token);
            bool childFirst = true;
            if (kind == CGXmlSource::kTokenText || kind == CGXmlSource::kTokenCData) {
                child->m_text = token;
                if (source->TakeEndTagOf(child->m_name))
                    break;
                kind = source->ReadToken(&token);
                childFirst = false;
            }
            if (kind == CGXmlSource::kTokenEndTag && source->EndTagCloses(token, child->m_name))
                break;
            // Anything else: read on inside the child, starting with the
            // token in hand.
            node = child;
            last = nullptr;
            first = childFirst;
            ++depth;
            continue;
        }
        case CGXmlSource::kTokenAttributeName: {
            int filter = document->FilterElement(token, source, node, error, errorSize);
            if (filter == 2)
                return fail();
            if (filter != 0)
                break;
            CGXmlNode* child = document->NewNode(token, node);
            child->m_child = AttributeMark();
            if (last)
                last->m_next = child;
            else
                node->m_child = child;
            last = child;
            // The attribute takes the value as its text.  A value that is
            // not between double quotation marks fails the element (read
            // on, it would become the element's text).
            char* value;
            if (source->ReadToken(&value) != CGXmlSource::kTokenAttributeValue)
                return noMatch();
            child->m_text = value;
            break;
        }
        case CGXmlSource::kTokenAttributeValue:
        case CGXmlSource::kTokenEndTag:
            if (kind == CGXmlSource::kTokenAttributeValue)
                node->m_text = token; // completes the element
            else if (!source->EndTagCloses(token, node->GetName()))
                return noMatch();
            if (node == this)
                return true;
            last = node;
            node = node->GetParent();
            --depth;
            break;
        case CGXmlSource::kTokenText:
        case CGXmlSource::kTokenCData:
            node->m_text = token; // the last piece wins
            break;
        default: // end of text or a token that cannot be read
            return first ? fail() : noMatch();
        }
        first = false;
        kind = source->ReadToken(&token);
    }
}

bool CGXmlNode::ParseInclude(CGXmlSource* source, char* error, size_t errorSize, CGXml* document, int depth,
                             CGXmlNode** lastChild)
{
    // The file name, as written between the include tags.
    char* name;
    if (source->NextToken(&name) != CGXmlSource::kTokenText) {
        if (ErrorEmpty(error, errorSize))
            FormatBounded(error, errorSize, "%s\\%s Error (line %d): Expected Filename", source->GetFolder(),
                          source->GetFileName(), source->GetLine());
        return false;
    }
    std::string path;
    if (*source->GetFolder()) {
        path = source->GetFolder();
        path += '/';
    }
    path += name;
    if (path.size() >= (size_t)kXmlMaxPath) {
        if (ErrorEmpty(error, errorSize))
            FormatBounded(error, errorSize, "%s\\%s Error (line %d): Can't open Filename %s", source->GetFolder(),
                          source->GetFileName(), source->GetLine(), TextExcerpt(name).text);
        return false;
    }
    if (document->m_includeStack.size() >= (size_t)kXmlMaxIncludeDepth) {
        if (ErrorEmpty(error, errorSize))
            FormatBounded(error, errorSize, "%s\\%s Error (line %d): Includes nested too deeply at %s",
                          source->GetFolder(), source->GetFileName(), source->GetLine(), name);
        return false;
    }
    if (document->IsBeingIncluded(path)) {
        if (ErrorEmpty(error, errorSize))
            FormatBounded(error, errorSize, "%s\\%s Error (line %d): Recursive include of %s", source->GetFolder(),
                          source->GetFileName(), source->GetLine(), name);
        return false;
    }
    // Files including each other several times multiply: bound the number
    // of files and the bytes read for one document.
    if (document->m_includedFiles >= kXmlMaxIncludeFiles) {
        if (ErrorEmpty(error, errorSize))
            FormatBounded(error, errorSize, "%s\\%s Error (line %d): Too many included files at %s (at most %d)",
                          source->GetFolder(), source->GetFileName(), source->GetLine(), name,
                          (int)kXmlMaxIncludeFiles);
        return false;
    }

    // The included text joins the document's chain of sources: its nodes
    // point into it for as long as the document holds them.
    CGXmlSource* included = new CGXmlSource;
    document->m_lastSource->m_next = included;
    document->m_lastSource = included;
    ++document->m_includedFiles;
    bool tooLarge = false;
    if (!included->LoadFile(path.c_str(), nullptr, kXmlMaxIncludeBytes - document->m_includedBytes, &tooLarge)) {
        if (ErrorEmpty(error, errorSize)) {
            if (tooLarge)
                FormatBounded(error, errorSize,
                              "%s\\%s Error (line %d): Included files too large at %s (at most %d MB in all)",
                              source->GetFolder(), source->GetFileName(), source->GetLine(), name,
                              (int)(kXmlMaxIncludeBytes >> 20));
            else
                FormatBounded(error, errorSize, "%s\\%s Error (line %d): Can't open Filename %s", source->GetFolder(),
                              source->GetFileName(), source->GetLine(), name);
        }
        return false;
    }
    document->m_includedBytes += included->m_length;

    document->m_includeStack.push_back(path);
    bool ok = true;
    for (;;) {
        char* token;
        CGXmlSource::Token kind = included->NextToken(&token);
        if (kind == CGXmlSource::kTokenEnd)
            break;
        if (kind != CGXmlSource::kTokenStartTag) {
            // The included file may be anything the name points at: its
            // content stays out of the message.
            if (ErrorEmpty(error, errorSize))
                FormatBounded(error, errorSize, "%s\\%s Error (Line %d): Malformed file (not XML)",
                              included->GetFolder(), included->GetFileName(), included->GetLine());
            ok = false;
            break;
        }
        if (depth >= kXmlMaxDepth) {
            if (ErrorEmpty(error, errorSize))
                FormatBounded(error, errorSize, "%s\\%s Error (Line %d): Element %s nested too deeply",
                              included->GetFolder(), included->GetFileName(), included->GetLine(),
                              NameExcerpt(token).text);
            ok = false;
            break;
        }
        CGXmlNode* child = document->NewNode(token, this);
        if (!child->ParseElement(included, error, errorSize, document, depth + 1)) {
            if (ErrorEmpty(error, errorSize))
                FormatBounded(error, errorSize, "%s\\%s Error (Line %d): Can't load element %s", included->GetFolder(),
                              included->GetFileName(), included->GetLine(), NameExcerpt(child->GetName()).text);
            ok = false;
            break;
        }
        if (*lastChild)
            (*lastChild)->m_next = child;
        else
            m_child = child;
        *lastChild = child;
    }
    document->m_includeStack.pop_back();
    if (!ok)
        return false;

    char* token;
    if (source->NextToken(&token) != CGXmlSource::kTokenEndTag || strcmp(token, "INCLUDEXMLFILE") != 0) {
        if (ErrorEmpty(error, errorSize))
            FormatBounded(error, errorSize, "%s\\%s Error (Line %d): Expecting /INCLUDEXMLFILE", source->GetFolder(),
                          source->GetFileName(), source->GetLine());
        return false;
    }
    // Behind the included elements, a record of the file they came from.
    CGXmlNode* record = document->NewNode("INCLUDEDXMLFILE", this);
    record->m_text = name;
    if (*lastChild)
        (*lastChild)->m_next = record;
    else
        m_child = record;
    *lastChild = record;
    return true;
}

// -------------------------------------------------------------- document

struct CGXml::ArenaBlock {
    ArenaBlock* m_next;
    size_t m_capacity;
    CGXmlNode* Nodes() { return reinterpret_cast<CGXmlNode*>(this + 1); }
};

CGXml::CGXml(int flags) : m_flags(flags) {}

CGXml::CGXml(CGTextStore* store, const char* rootName, const char* rootText, int flags)
    : m_flags(flags | kOwnsNodes)
{
    m_root = CGXmlNode::NewHeapNode(store ? store->Intern(rootName) : nullptr, nullptr);
    if (rootText)
        m_root->SetText(store, rootText);
}

CGXml::~CGXml()
{
    Clear();
    FreeArena();
}

int CGXml::FilterElement(const char*, CGXmlSource*, CGXmlNode*, char*, size_t)
{
    return 0;
}

void CGXml::GrowArena()
{
    size_t capacity = m_arena ? m_arena->m_capacity * 2 : 64;
    if (capacity > 16384)
        capacity = 16384;
    ArenaBlock* block = (ArenaBlock*)malloc(sizeof(ArenaBlock) + capacity * sizeof(CGXmlNode));
    if (!block)
        throw std::bad_alloc();
    block->m_next = m_arena;
    block->m_capacity = capacity;
    m_arena = block;
    m_arenaFree = block->Nodes();
    m_arenaEnd = m_arenaFree + capacity;
}

inline CGXmlNode* CGXml::NewNode(const char* name, CGXmlNode* parent)
{
    if (m_arenaFree == m_arenaEnd)
        GrowArena();
    CGXmlNode* node = new (m_arenaFree++) CGXmlNode;
    node->m_name = name;
    node->m_parentAndMarks = (uintptr_t)parent | CGXmlNode::kFromArena;
    return node;
}

void CGXml::FreeArena()
{
    while (m_arena) {
        ArenaBlock* next = m_arena->m_next;
        free(m_arena);
        m_arena = next;
    }
    m_arenaFree = m_arenaEnd = nullptr;
}

void CGXml::Clear()
{
    if (m_flags & kOwnsNodes) {
        for (CGXmlNode* top = m_root; top;) {
            CGXmlNode* next = top->m_next;
            if (!top->FromArena()) {
                CGXmlNode::FreeTree(top);
            } else if (top->m_parentAndMarks & CGXmlNode::kHeapBelow) {
                // Free the nodes made in memory below the parsed tree.
                std::vector<CGXmlNode*> stack{top};
                while (!stack.empty()) {
                    CGXmlNode* node = stack.back();
                    stack.pop_back();
                    for (CGXmlNode* child = node->GetFirstChild(); child;) {
                        CGXmlNode* after = child->m_next;
                        if (child->FromArena())
                            stack.push_back(child);
                        else
                            CGXmlNode::FreeTree(child);
                        child = after;
                    }
                }
            }
            top = next;
        }
        FreeArena();
    }
    m_root = nullptr;
    m_name.clear();
}

bool CGXml::IsBeingIncluded(const std::string& path) const
{
    auto same = [](const std::string& a, const std::string& b) {
        if (a.size() != b.size())
            return false;
        for (size_t i = 0; i < a.size(); ++i) {
            char x = a[i] == '\\' ? '/' : a[i];
            char y = b[i] == '\\' ? '/' : b[i];
            if (x != y)
                return false;
        }
        return true;
    };
    if (!m_name.empty() && same(m_name, path))
        return true;
    for (const std::string& open : m_includeStack)
        if (same(open, path))
            return true;
    return false;
}

void CGXml::MakePlaceholderRoot(const char* name)
{
    m_flags |= kOwnsNodes;
    m_placeholderName = name ? name : "";
    m_root = NewNode(name ? m_placeholderName.c_str() : nullptr, nullptr);
}

int CGXml::LoadFile(const char* path, char* error, size_t errorSize, const char* expectedRoot, bool* wasEncrypted)
{
    if (error && errorSize > 0)
        error[0] = '\0';
    if (wasEncrypted)
        *wasEncrypted = false;
    Clear();
    m_source.Reset();
    m_flags |= kOwnsNodes;
    m_name = path ? path : "";
    if (!path || !m_source.LoadFile(path, wasEncrypted)) {
        if (ErrorEmpty(error, errorSize))
            FormatBounded(error, errorSize, "%s : Can't open file", path ? path : "");
        MakePlaceholderRoot(expectedRoot);
        return kXmlCantOpen;
    }
    return ParseDocument(path, error, errorSize, expectedRoot);
}

int CGXml::ParseText(const char* sourceName, char* text, char* error, size_t errorSize, const char* expectedRoot,
                     bool copy)
{
    if (error && errorSize > 0)
        error[0] = '\0';
    Clear();
    m_source.Reset();
    if (!text) {
        if (expectedRoot)
            MakePlaceholderRoot(expectedRoot);
        return kXmlNoElement;
    }
    m_flags |= kOwnsNodes;
    if (copy) {
        size_t length = strlen(text);
        char* own = (char*)malloc(length + 1);
        if (!own) {
            if (ErrorEmpty(error, errorSize))
                FormatBounded(error, errorSize, "%s : Out of memory", sourceName ? sourceName : "");
            return kXmlMalformed;
        }
        memcpy(own, text, length + 1);
        m_source.SetText(own, length, true);
    } else {
        m_source.SetText(text, CGXmlSource::kUnknownLength, false);
    }
    return ParseDocument(sourceName, error, errorSize, expectedRoot);
}

int CGXml::ParseDocument(const char* sourceName, char* error, size_t errorSize, const char* expectedRoot)
{
    const char* name = sourceName ? sourceName : "";
    m_includeStack.clear();
    m_lastSource = &m_source;
    while (m_lastSource->m_next)
        m_lastSource = m_lastSource->m_next;
    m_includedFiles = 0;
    m_includedBytes = 0;
    char* token;
    CGXmlSource::Token kind = m_source.NextToken(&token);
    if (kind == CGXmlSource::kTokenEnd && expectedRoot) {
        MakePlaceholderRoot(expectedRoot);
        return kXmlNoElement;
    }
    if (kind != CGXmlSource::kTokenStartTag) {
        if (ErrorEmpty(error, errorSize))
            FormatBounded(error, errorSize, "%s : Malformed file (not XML)", name);
        return kXmlMalformed;
    }
    if (expectedRoot && strcmp(token, expectedRoot) != 0) {
        if (ErrorEmpty(error, errorSize))
            FormatBounded(error, errorSize, "%s : Expecting %s got %s", name, expectedRoot, NameExcerpt(token).text);
        return kXmlMalformed;
    }
    CGXmlNode* last = nullptr;
    for (;;) {
        CGXmlNode* top = NewNode(token, nullptr);
        if (last)
            last->m_next = top;
        else
            m_root = top;
        last = top;
        if (!top->ParseElement(&m_source, error, errorSize, this, 1)) {
            // An element that failed on its very first token wrote nothing.
            if (ErrorEmpty(error, errorSize))
                FormatBounded(error, errorSize, "%s\\%s Error (Line %d): No match for element %s", m_source.GetFolder(),
                              m_source.GetFileName(), m_source.GetLine(), NameExcerpt(top->GetName()).text);
            return kXmlMalformed;
        }
        kind = m_source.NextToken(&token);
        if (kind == CGXmlSource::kTokenEnd)
            return kXmlOk;
        if (kind != CGXmlSource::kTokenStartTag) {
            if (ErrorEmpty(error, errorSize))
                FormatBounded(error, errorSize, "%s : Malformed file (el:%s)", name, TextExcerpt(token).text);
            return kXmlMalformed;
        }
    }
}

CGXmlNode* CGXml::SetPathText(CGTextStore* store, const char* path, const char* text)
{
    if (!m_root)
        return nullptr;
    CGXmlNode* node = m_root->FindOrCreatePath(store, path, true);
    if (node)
        node->SetText(store, text);
    return node;
}

void CGXml::Write(CGXmlWriter& writer) const
{
    if (m_root)
        m_root->Write(writer);
}

// ---------------------------------------------------------------- writer

void CGXmlWriter::LineBreak(int depth)
{
    if (!m_compact && (m_state == kInContent || m_state == kAfterEndTag))
        OutLineBreak(m_file, m_store, depth);
}

void CGXmlWriter::BeginElement(const char* name)
{
    if (m_state == kStartTagOpen)
        CloseStartTag(false); // an element inside a start tag would break the text
    LineBreak(m_depth);
    Out(m_file, m_store, "<", 1);
    Out(m_file, m_store, name ? name : "");
    m_open.emplace_back(name ? name : "");
    m_state = kStartTagOpen;
}

void CGXmlWriter::CloseStartTag(bool empty)
{
    if (m_open.empty() || m_state != kStartTagOpen)
        return;
    if (empty) {
        Out(m_file, m_store, "/>", 2);
        m_open.pop_back();
        m_state = kAfterEndTag;
    } else {
        Out(m_file, m_store, ">", 1);
        ++m_depth;
        m_state = kInContent;
    }
}

void CGXmlWriter::EndElement()
{
    if (m_open.empty())
        return;
    if (m_state == kStartTagOpen) {
        CloseStartTag(true);
        return;
    }
    --m_depth;
    if (m_state == kAfterEndTag && !m_compact)
        OutLineBreak(m_file, m_store, m_depth);
    Out(m_file, m_store, "</", 2);
    Out(m_file, m_store, m_open.back().c_str(), m_open.back().size());
    Out(m_file, m_store, ">", 1);
    m_open.pop_back();
    m_state = kAfterEndTag;
}

void CGXmlWriter::EndAll()
{
    while (!m_open.empty())
        EndElement();
}

void CGXmlWriter::Leaf(const char* name, const char* text)
{
    if (m_state == kStartTagOpen)
        CloseStartTag(false);
    WriteXmlLeaf(m_file, m_store, m_state, m_depth, name, text, m_compact);
}

void CGXmlWriter::LeafInt(const char* name, int value)
{
    if (m_state == kStartTagOpen)
        CloseStartTag(false);
    WriteXmlLeafInt(m_file, m_store, m_state, m_depth, name, value, m_compact);
}

void CGXmlWriter::LeafULong(const char* name, uint32_t value)
{
    if (m_state == kStartTagOpen)
        CloseStartTag(false);
    WriteXmlLeafULong(m_file, m_store, m_state, m_depth, name, value, m_compact);
}

void CGXmlWriter::Attribute(const char* name, const char* value)
{
    if (m_state == kStartTagOpen) // attributes belong into an open start tag only
        WriteXmlAttribute(m_file, m_store, name, value);
}

void WriteXmlLeaf(FILE* file, CGTextStore* store, int& state, int depth, const char* name, const char* text,
                  bool compact)
{
    if (!name)
        name = "";
    if (!compact && (state == CGXmlWriter::kInContent || state == CGXmlWriter::kAfterEndTag))
        OutLineBreak(file, store, depth);
    Out(file, store, "<", 1);
    Out(file, store, name);
    if (text && *text) {
        Out(file, store, ">", 1);
        WriteXmlEscaped(file, store, text, false);
        Out(file, store, "</", 2);
        Out(file, store, name);
        Out(file, store, ">", 1);
    } else {
        Out(file, store, "/>", 2);
    }
    state = CGXmlWriter::kAfterEndTag;
}

void WriteXmlLeafInt(FILE* file, CGTextStore* store, int& state, int depth, const char* name, int value, bool compact)
{
    char buffer[16];
    FormatBounded(buffer, sizeof buffer, "%d", value);
    WriteXmlLeaf(file, store, state, depth, name, buffer, compact);
}

void WriteXmlLeafULong(FILE* file, CGTextStore* store, int& state, int depth, const char* name, uint32_t value,
                       bool compact)
{
    char buffer[16];
    FormatBounded(buffer, sizeof buffer, "%lu", (unsigned long)value);
    WriteXmlLeaf(file, store, state, depth, name, buffer, compact);
}

void WriteXmlAttribute(FILE* file, CGTextStore* store, const char* name, const char* value)
{
    Out(file, store, " ", 1);
    Out(file, store, name ? name : "");
    if (value) {
        Out(file, store, "=\"", 2);
        WriteXmlEscaped(file, store, value, false);
        Out(file, store, "\"", 1);
    }
}

void WriteXmlEscaped(FILE* file, CGTextStore* store, const char* text, bool raw)
{
    if (!text)
        return;
    if (raw) {
        Out(file, store, text);
        return;
    }
    const char* p = text;
    for (;;) {
        const char* run = p;
        while (!(ClassOf(*p) & kClassEscape))
            ++p;
        Out(file, store, run, (size_t)(p - run));
        switch (*p) {
        case '"': Out(file, store, "&quot;", 6); break;
        case '&': Out(file, store, "&amp;", 5); break;
        case '\'': Out(file, store, "&apos;", 6); break;
        case '<': Out(file, store, "&lt;", 4); break;
        case '>': Out(file, store, "&gt;", 4); break;
        default: return; // the terminator
        }
        ++p;
    }
}
