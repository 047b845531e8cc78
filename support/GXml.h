#pragma once
// CGXml: the one XML reader and writer of the system.  It parses a text in
// place into a tree of CGXmlNode records, finds elements by a path of names
// separated by blanks, builds and amends trees in memory (strings kept in a
// CGTextStore) and writes trees or hand-made element sequences through
// CGXmlWriter to an open file or into a CGTextStore.
//
// What it reads: elements, attributes (values between double quotation
// marks only), text, CDATA sections, the five named entities, numeric
// character references, namespace prefixes (dropped) and the include
// element INCLUDEXMLFILE.  An XML declaration, comment, processing
// instruction or DOCTYPE makes the parse fail.
//
// Texts that do not come from the program's own files (network replies,
// imported lists) must be parsed with kNoIncludeExpansion, so that they
// cannot make the program read local files.
#include "support/GTextStore.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class CGXml;
class CGXmlWriter;

// Results of CGXml::LoadFile and CGXml::ParseText.
enum {
    kXmlOk = 0,
    kXmlCantOpen = -1,  // a placeholder root exists afterwards
    kXmlMalformed = -2, // malformed text or unexpected root
    kXmlNoElement = -3, // with an expected root, a placeholder root exists
};

// Limits that keep a hostile text from exhausting the stack or the memory.
enum {
    kXmlMaxDepth = 256,       // element nesting, the root being level 1
    kXmlMaxIncludeDepth = 8,  // INCLUDEXMLFILE inside included files
    kXmlMaxIncludeFiles = 64, // included files per document, all levels together
    kXmlMaxPath = 1024,       // include path and path-lookup part, with terminator
};
// Bytes read through includes per document, all files together.
constexpr size_t kXmlMaxIncludeBytes = (size_t)64 << 20;

class CGXmlSource;

// One element or one attribute.  Names and texts point into the parsed text
// or into a CGTextStore; a node never owns its strings, but owns its
// children.
class CGXmlNode {
public:
    const char* GetName() const { return m_name ? m_name : ""; }
    const char* GetText() const { return m_text ? m_text : ""; }
    // First child (attributes and elements in document order); nullptr for
    // an attribute node.
    CGXmlNode* GetFirstChild() const { return IsAttribute() ? nullptr : m_child; }
    CGXmlNode* GetNext() const { return m_next; }
    CGXmlNode* GetParent() const { return reinterpret_cast<CGXmlNode*>(m_parentAndMarks & ~kMarks); }
    bool IsAttribute() const { return m_child == AttributeMark(); }

    // First child whose name equals the text exactly; with attributesOnly,
    // only attribute nodes match.
    CGXmlNode* FindChild(const char* name, bool attributesOnly = false) const;
    // The node reached by a path of child names separated by blanks (runs
    // of blanks count as one); nullptr when a step is missing.  The node
    // itself is not named by the path.
    CGXmlNode* FindPath(const char* path) const;
    // As FindPath, creating each missing element (appended as last child,
    // name interned in the store).  With reuse clear, the last element of
    // the path is always a new one.
    CGXmlNode* FindOrCreatePath(CGTextStore* store, const char* path, bool reuse = true);
    // With reuse set, an existing child of that name; otherwise a new
    // element appended as the last child, named by an interned copy.
    CGXmlNode* AddChild(CGTextStore* store, const char* name, bool reuse = false);
    // A new attribute appended as the last child.
    CGXmlNode* AddAttribute(CGTextStore* store, const char* name, const char* value);

    void SetText(CGTextStore* store, const char* text);
    void SetTextInt(CGTextStore* store, int value);

    // true for "y", "yes", "t", "true", false for "n", "no", "f", "false"
    // (any letter case); otherwise whether the leading integer is above 0.
    bool GetBool() const;
    // The text read as an unsigned decimal number (a leading '-' negates it
    // modulo 2^32, as the C library does); the default when it holds none.
    uint32_t GetULong(uint32_t defaultValue = 0) const;
    // The leading decimal integer of the text (0 when there is none), the
    // default when the text is empty.
    int GetInt(int defaultValue = 0) const;

    // Writes this element, its attributes and its element children.
    void Write(CGXmlWriter& writer) const;

private:
    friend class CGXml;
    static CGXmlNode* AttributeMark() { return reinterpret_cast<CGXmlNode*>(~(uintptr_t)0); }
    static CGXmlNode* NewHeapNode(const char* name, CGXmlNode* parent);
    void AppendChild(CGXmlNode* child);
    // Reads this element's content and end tag (the start tag is read).
    bool ParseElement(CGXmlSource* source, char* error, size_t errorSize, CGXml* document, int depth);
    bool ParseInclude(CGXmlSource* source, char* error, size_t errorSize, CGXml* document, int depth,
                      CGXmlNode** lastChild);
    static void FreeTree(CGXmlNode* node);
    enum : uintptr_t { kFromArena = 1, kHeapBelow = 2, kMarks = 3 };
    bool FromArena() const { return (m_parentAndMarks & kFromArena) != 0; }
    void SetParent(CGXmlNode* parent) { m_parentAndMarks = (uintptr_t)parent | (m_parentAndMarks & kMarks); }

    const char* m_name = nullptr;
    const char* m_text = nullptr;
    CGXmlNode* m_next = nullptr;
    CGXmlNode* m_child = nullptr; // or AttributeMark()
    // The parent, with two marks in the low bits of its address (nodes are
    // at least 8-byte aligned), which keeps a node at five words:
    // kFromArena, made by a parse and freed with the document's arena;
    // kHeapBelow, top node of a parsed tree with nodes made in memory below
    // it.
    uintptr_t m_parentAndMarks = 0;
};

// One text being read: the document's own text or an included file.
class CGXmlSource {
public:
    enum Token {
        kTokenEnd,
        kTokenStartTag,
        kTokenEndTag,
        kTokenText,
        kTokenAttributeName,
        kTokenAttributeValue,
        kTokenCData,
        kTokenError,
    };

    CGXmlSource() = default;
    ~CGXmlSource();
    CGXmlSource(const CGXmlSource&) = delete;
    CGXmlSource& operator=(const CGXmlSource&) = delete;

    // Reads the next token, writing terminators into the text.  *token
    // points to the token's name or text (for an error: where it occurred).
    Token NextToken(char** token);

    // Opens a file ("rb") and takes its text, decrypted when it is in the
    // encrypted form.  false when it cannot be opened or read, or when it
    // holds more than maxBytes (then *tooLarge is set).
    bool LoadFile(const char* path, bool* wasEncrypted, size_t maxBytes = (size_t)-1, bool* tooLarge = nullptr);
    // Takes a terminated text to read in place (owned: freed with free()).
    // With kUnknownLength the text is not measured beforehand.
    static constexpr size_t kUnknownLength = (size_t)-1;
    void SetText(char* text, size_t length, bool owned);
    // Frees the text and every include source chained behind this one.
    void Reset();

    const char* GetFolder() const { return m_folder.c_str(); }
    const char* GetFileName() const { return m_fileName.c_str(); }
    int GetLine() const { return m_line; }
    CGXmlSource* GetNext() const { return m_next; }

private:
    friend class CGXml;
    friend class CGXmlNode;
    template <char stop>
    void DecodeUntil();
    char* SkipWhitespace(char* p);
    char* ReadName();
    Token ReadToken(char** token);
    bool TakeEndTagOf(const char* name);
    bool EndTagCloses(const char* token, const char* name);
    // A point up to which the text may be read in words: at least 64 bytes
    // ahead of p where the text goes on that far.
    const char* SafeEnd(const char* p)
    {
        return m_end - p >= 64 || m_endKnown ? m_end : FindMoreOfEnd();
    }
    const char* FindMoreOfEnd();

    char* m_text = nullptr;
    bool m_ownsText = false;
    char* m_pos = nullptr;
    size_t m_length = 0;         // 0 for a text parsed in place
    const char* m_end = nullptr; // the text goes on at least this far
    bool m_endKnown = false;     // m_end is its terminator
    int m_line = 1;
    // What the previous token left pending: the '<' that ended a text was
    // consumed; a '/' ended a start tag; attributes follow; an attribute
    // name and '=' were read; a CDATA section waits for its '>'.
    enum : uint8_t {
        kPendingNone,
        kPendingTextEndedAtTag,
        kPendingEmptyElement,
        kPendingAttributes,
        kPendingValue,
        kPendingCDataClose,
    };
    uint8_t m_pending = kPendingNone;
    char* m_lastStartName = nullptr;
    size_t m_lastStartLength = 0; // of that name; 0 when it holds a line feed
    size_t m_endTagLength = 0;    // of the last end tag's name, the same way
    std::string m_folder;
    std::string m_fileName;
    CGXmlSource* m_next = nullptr; // owned chain of include sources
};

class CGXml {
public:
    enum {
        kOwnsNodes = 1,           // the tree is freed by Clear, a reload and the destructor
        kNoIncludeExpansion = 2,  // INCLUDEXMLFILE stays an ordinary element
    };

    explicit CGXml(int flags = 0);
    // A document built in memory: a root named by an interned copy of the
    // name, with an optional text.  The document owns the root it made.
    CGXml(CGTextStore* store, const char* rootName, const char* rootText, int flags = 0);
    virtual ~CGXml();
    CGXml(const CGXml&) = delete;
    CGXml& operator=(const CGXml&) = delete;

    // Loads and parses a file (the encrypted form is recognised).  Results
    // kXmlOk, kXmlCantOpen, kXmlMalformed, kXmlNoElement; the first error
    // message goes into the buffer.
    int LoadFile(const char* path, char* error, size_t errorSize, const char* expectedRoot,
                 bool* wasEncrypted = nullptr);
    // Parses a terminated text, in place unless copy is set (then a private
    // copy is parsed).  A null text gives kXmlNoElement.
    int ParseText(const char* sourceName, char* text, char* error, size_t errorSize,
                  const char* expectedRoot, bool copy);
    int ParseText(const char* sourceName, const char* text, char* error, size_t errorSize,
                  const char* expectedRoot)
    {
        return ParseText(sourceName, const_cast<char*>(text), error, errorSize, expectedRoot, true);
    }

    CGXmlNode* GetRoot() const { return m_root; }
    CGXmlNode* FindPath(const char* path) const { return m_root ? m_root->FindPath(path) : nullptr; }
    // Finds or creates the path below the root and sets the last element's
    // text; nothing without a root.
    CGXmlNode* SetPathText(CGTextStore* store, const char* path, const char* text);
    void Write(CGXmlWriter& writer) const;
    void Clear();

    int GetFlags() const { return m_flags; }
    void SetFlags(int flags) { m_flags = flags; }
    // The path the document was loaded from; nullptr for a parsed text.
    const char* GetName() const { return m_name.empty() ? nullptr : m_name.c_str(); }

    // Asked for every start tag and attribute name before its node is made:
    // 0 normal handling, 2 the parse fails, anything else skips the token.
    virtual int FilterElement(const char* name, CGXmlSource* source, CGXmlNode* parent, char* error,
                              size_t errorSize);

private:
    friend class CGXmlNode;
    int ParseDocument(const char* sourceName, char* error, size_t errorSize, const char* expectedRoot);
    void MakePlaceholderRoot(const char* name);
    CGXmlNode* NewNode(const char* name, CGXmlNode* parent);
    void GrowArena();
    void FreeArena();
    bool IsBeingIncluded(const std::string& path) const;

    struct ArenaBlock;
    std::string m_name;
    CGXmlSource m_source;
    int m_flags = 0;
    CGXmlNode* m_root = nullptr;
    std::string m_placeholderName;
    ArenaBlock* m_arena = nullptr;      // newest block first
    CGXmlNode* m_arenaFree = nullptr;  // the next node of the newest block
    CGXmlNode* m_arenaEnd = nullptr;   // and its end
    std::vector<std::string> m_includeStack; // files being included, outermost first
    CGXmlSource* m_lastSource = &m_source;   // end of the chain of sources
    int m_includedFiles = 0;                 // files included by this parse
    size_t m_includedBytes = 0;              // and the bytes read from them
};

// Writes XML to a file ("\n" line breaks) or into a text store ("\r\n"),
// one blank of indentation per level; compact writers write neither.
class CGXmlWriter {
public:
    // state values
    enum { kNothingWritten = 0, kStartTagOpen = 1, kInContent = 2, kAfterEndTag = 3 };

    CGXmlWriter(FILE* file, bool compact = false) : m_file(file), m_compact(compact) {}
    CGXmlWriter(CGTextStore* store, bool compact = false) : m_store(store), m_compact(compact) {}
    CGXmlWriter(const CGXmlWriter&) = delete;
    CGXmlWriter& operator=(const CGXmlWriter&) = delete;

    void BeginElement(const char* name);
    // Ends the open start tag: "/>" closes the element, ">" opens content.
    void CloseStartTag(bool empty);
    void EndElement();
    void EndAll();

    // The writer's parts, passed to the free functions below.
    void Leaf(const char* name, const char* text);
    void LeafInt(const char* name, int value);
    void LeafULong(const char* name, uint32_t value);
    void Attribute(const char* name, const char* value);

    FILE* m_file = nullptr;
    CGTextStore* m_store = nullptr;
    bool m_compact = false;
    int m_state = kNothingWritten;
    int m_depth = 0;
    std::vector<std::string> m_open; // names of the open elements

private:
    void LineBreak(int depth);
};

// One complete element with text (an empty text gives "<name/>"); state is
// set to 3.  Callers pass the writer's own parts.
void WriteXmlLeaf(FILE* file, CGTextStore* store, int& state, int depth, const char* name,
                  const char* text, bool compact);
void WriteXmlLeafInt(FILE* file, CGTextStore* store, int& state, int depth, const char* name,
                     int value, bool compact);                       // "%d"
void WriteXmlLeafULong(FILE* file, CGTextStore* store, int& state, int depth, const char* name,
                       uint32_t value, bool compact);                // "%lu"
// A blank and the name; with a value, '=' and the escaped value in quotes.
void WriteXmlAttribute(FILE* file, CGTextStore* store, const char* name, const char* value);
// The text with " & ' < > escaped, or unchanged with raw set.
void WriteXmlEscaped(FILE* file, CGTextStore* store, const char* text, bool raw);
