#pragma once
// The one way the program rewrites its own files (machines.xml, settings.xml,
// exported lists): the text goes to a temporary file in the same folder
// (the target's name + ".tmp"), is pushed to the disk, and then replaces the
// target in one step.  A failure at any point leaves the old file exactly as
// it was and removes the temporary file.
#include <cstdio>

#include "framework/String.h"

class CGXml;

// Writes through a callback that returns false when it could not write.
// The bytes go to the file exactly as written (no line-end translation:
// the files are read back byte for byte, and a translated line feed inside
// a text would gain a carriage return on every save).  On failure, reason
// says what failed (without a final full stop), e.g.
// "C:\...\settings.xml.tmp cannot be created".
typedef bool (*SafeFileWriteProc)(FILE* file, const void* context);
bool WriteFileSafely(const char* path, SafeFileWriteProc write, const void* context, CString* reason);

// A whole XML document through the document's (indenting) writer; with
// finalNewline a line break follows the root's end tag.
bool WriteXmlFileSafely(const char* path, const CGXml& document, bool finalNewline, CString* reason);

// Keeps a damaged file aside under the first free name of path + ".bad",
// ".bad2", ... ".bad99" (an existing file of that name is never replaced);
// false when it could not be moved.
bool KeepFileAside(const char* path, CString* asidePath);
