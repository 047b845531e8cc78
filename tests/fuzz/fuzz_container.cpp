// Opens arbitrary bytes as an application file and asks for every section,
// as the application browser and the installer do: the "id" section first
// (its text becomes the key text), then every other section by its record.
#include "support/AppContainer.h"
#include "support/GDataSet.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// One scratch file per process, rewritten for every input.
const std::string& ScratchPath()
{
    static std::string path = [] {
        char name[] = "/tmp/fuzz-container-XXXXXX";
        int fd = mkstemp(name);
        if (fd < 0)
            abort();
        close(fd);
        return std::string(name);
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string& path = ScratchPath();
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr)
        abort();
    if (size > 0 && fwrite(data, 1, size, file) != size)
        abort();
    fclose(file);

    CGAppContainer container;
    if (!container.Open(path.c_str()))
        return 0;
    if (const char* id = container.GetSection("id"))
        container.SetKeyText(id);
    for (const CGAppSection* s = container.GetFirstSection(); s != nullptr; s = s->m_next) {
        size_t length = 0;
        int encrypted = 0;
        char* content = container.GetSection(s->m_name.c_str(), &encrypted, &length);
        if (content != nullptr && (length == 0 || content[length - 1] != '\0'))
            abort();   // every returned content ends with its counted zero byte
    }
    // The data sets of the "setup" text, as the installer reads them: the
    // chosen one (here the last) merged over the first, written back alone
    // and read again.
    if (const char* setup = container.GetSection("setup")) {
        CGXml document(CGXml::kNoIncludeExpansion);
        char error[1024];
        if (document.ParseText("setup", setup, error, sizeof error, "SETUPS") == kXmlOk) {
            CGDataSetList list;
            int count = list.ReadSetups(document.GetRoot());
            if (count > CGDataSetList::kMaxDataSets || count != list.GetCount())
                abort();
            if (count > 0) {
                CGDataSet* base = list.GetFirst();
                base->MergeFrom(*list.GetAt(count - 1));
                CGTextStore store;
                CGXmlWriter writer(&store);
                writer.BeginElement("SETUP");
                writer.CloseStartTag(false);
                base->Write(writer);
                writer.EndAll();
                char* text = store.GetText(nullptr);
                CGXml again(CGXml::kNoIncludeExpansion);
                CGDataSetList reread;
                if (!text || again.ParseText("merged", text, error, sizeof error, "SETUP", false) != kXmlOk
                    || reread.ReadOneSetup(again.GetRoot()) != 1)
                    abort();
                free(text);
            }
        }
    }
    return 0;
}
