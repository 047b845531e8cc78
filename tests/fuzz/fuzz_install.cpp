// Builds the install file from arbitrary bytes taken as the chosen
// application file, for a firmware that takes a compressed application and
// one that does not: the build either succeeds with a file that opens again,
// holding its "app" section and at most one data set in "setup", or fails
// and leaves no file behind.
#include "app/AppInstall.h"
#include "app/AppPlatform.h"
#include "support/AppContainer.h"
#include "support/GDataSet.h"
#include "support/GXml.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

std::string ScratchPath(const char* name)
{
    char pattern[64];
    snprintf(pattern, sizeof pattern, "/tmp/fuzz-install-%s-XXXXXX", name);
    int fd = mkstemp(pattern);
    if (fd < 0)
        abort();
    close(fd);
    return pattern;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string source = ScratchPath("source");
    static const std::string output = ScratchPath("output");
    FILE* file = fopen(source.c_str(), "wb");
    if (file == nullptr || (size > 0 && fwrite(data, 1, size, file) != size))
        abort();
    fclose(file);

    for (bool compress : {false, true}) {
        if (!BuildInstallFile(output.c_str(), source.c_str(), "Line2", compress)) {
            if (AppFileExists(output.c_str()))
                abort(); // a failed build leaves nothing behind
            continue;
        }
        CGAppContainer built;
        if (!built.Open(output.c_str()))
            abort();
        CString identity = ReadApplicationIdentity(built);
        if (built.GetSection("app") == nullptr)
            abort();
        if (const char* setup = built.GetSection("setup")) {
            CGXml document(CGXml::kNoIncludeExpansion);
            char error[256];
            if (document.ParseText("setup", setup, error, sizeof error, "SETUP") != kXmlOk)
                abort();
            CGDataSetList sets;
            if (sets.ReadOneSetup(document.GetRoot()) != 1)
                abort();
        }
    }
    return 0;
}
