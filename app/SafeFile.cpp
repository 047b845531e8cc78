#include "app/SafeFile.h"

#include "app/AppHooks.h"
#include "app/AppPlatform.h"
#include "support/GXml.h"

bool WriteFileSafely(const char* path, SafeFileWriteProc write, const void* context, CString* reason)
{
    CString temporary(path);
    temporary += ".tmp";
    FILE* file = fopen(temporary, "wb");
    if (!file) {
        if (reason)
            reason->Format("%s cannot be created", (const char*)temporary);
        return false;
    }
    bool written = write(file, context) && !ferror(file) && AppFlushFile(file);
    if (fclose(file) != 0)
        written = false;
    if (!written) {
        remove(temporary);
        if (reason)
            reason->Format("writing %s failed (disk full?)", (const char*)temporary);
        return false;
    }
    char why[300] = "";
    if (!AppReplaceFile(temporary, path, why, sizeof why)) {
        remove(temporary);
        if (reason)
            reason->Format("%s could not be replaced (%s)", path, why);
        return false;
    }
    return true;
}

namespace {

struct XmlWriteContext {
    const CGXml* document;
    bool finalNewline;
};

bool WriteXmlDocument(FILE* file, const void* context)
{
    const XmlWriteContext* c = static_cast<const XmlWriteContext*>(context);
    CGXmlWriter writer(file, false);
    c->document->Write(writer);
    writer.EndAll();
    if (c->finalNewline)
        fputs("\n", file);
    return true;
}

} // namespace

bool WriteXmlFileSafely(const char* path, const CGXml& document, bool finalNewline, CString* reason)
{
    XmlWriteContext context = {&document, finalNewline};
    return WriteFileSafely(path, WriteXmlDocument, &context, reason);
}

bool KeepFileAside(const char* path, CString* asidePath)
{
    for (int i = 1; i < 100; ++i) {
        CString aside(path);
        if (i == 1)
            aside += ".bad";
        else
            aside.AppendFormat(".bad%d", i);
        if (AppFileExists(aside))
            continue;
        if (!g_appMoveFileAside(path, aside))
            return false;
        if (asidePath)
            *asidePath = aside;
        return true;
    }
    return false;
}
