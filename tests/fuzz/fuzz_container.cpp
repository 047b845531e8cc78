// Opens arbitrary bytes as an application file and asks for every section,
// as the application browser and the installer do: the "id" section first
// (its text becomes the key text), then every other section by its record.
#include "support/AppContainer.h"

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
    // TODO(data sets): once CGDataSetList is in the support library, read
    // the "setup" text here with it as the installer does.
    return 0;
}
