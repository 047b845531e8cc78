// Fuzz target of the XML reader: arbitrary bytes parsed as a text, in place
// or from a private copy (the first byte picks), with and without an
// expected root; the tree is then walked, looked up and written back.
#include "support/GXml.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void Walk(const CGXmlNode* node, int depth, size_t* count, bool* emptyName)
{
    for (; node; node = node->GetNext()) {
        ++*count;
        if (!node->IsAttribute() && !*node->GetName())
            *emptyName = true;
        (void)node->GetBool();
        (void)node->GetInt(0);
        (void)node->GetULong(0);
        if (depth < 300)
            Walk(node->GetFirstChild(), depth + 1, count, emptyName);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t mode = data[0];
    ++data;
    --size;
    // A terminated text exactly as long as the input, so that the sanitizer
    // sees any read past its end.
    char* text = (char*)malloc(size + 1);
    memcpy(text, data, size);
    text[size] = '\0';

    // Include expansion stays off: a fuzzed text must not read local files.
    CGXml document(CGXml::kNoIncludeExpansion);
    char error[256];
    const char* expectedRoot = (mode & 2) ? "MACHINES" : nullptr;
    int result = (mode & 1) ? document.ParseText("fuzz", text, error, sizeof error, expectedRoot)
                            : document.ParseText("fuzz", text, error, sizeof error, expectedRoot, false);
    if (result == kXmlOk || result == kXmlNoElement) {
        size_t count = 0;
        bool emptyName = false;
        Walk(document.GetRoot(), 0, &count, &emptyName);
        (void)document.FindPath("MACHINE IF1 IP");
        CGTextStore store;
        CGXmlWriter writer(&store, (mode & 4) != 0);
        document.Write(writer);
        char* written = store.GetText(nullptr);
        // What the writer wrote must read back (an element without a name
        // written empty would read as an end tag).
        if (written && result == kXmlOk && !emptyName) {
            CGXml again(CGXml::kNoIncludeExpansion);
            if (again.ParseText("again", written, error, sizeof error, nullptr, false) != kXmlOk)
                abort();
        }
        free(written);
    }
    free(text);
    return 0;
}
