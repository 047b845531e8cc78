// Precompiled for the Windows-only sources (win/ folders, *Win.cpp): the
// Win32 headers of the framework's window part, which are most of what such
// a file parses, and the standard headers.
#include "framework/win/WinSdk.h"
#include "PortablePch.h"
