#pragma once
// The library's start-up unit (ZUDPStartup.cpp) builds its process-wide
// state before the application object: the global UI data first, then the
// other globals, the registered window messages and the runtime classes.
// Nothing in it throws or shows UI: a feature that cannot be set up stays
// inert and is reported once.
#include "framework/Object.h"

// Reports a start-up failure of a feature (to the debugger output), once
// per feature name; answers TRUE when this call reported it.
BOOL ReportStartupFailure(const char* feature);
// How many distinct features have reported a start-up failure.
int GetStartupFailureCount();

// The runtime classes the library registers at start-up, each creatable by
// name from an archive even when no code of the program names it.  Each
// subsystem adds its classes to the table in ZUDPStartup.cpp as they land.
struct ZUDPLibraryClass {
    const CRuntimeClass* runtimeClass;
};
extern const ZUDPLibraryClass g_libraryClasses[];
extern const int g_libraryClassCount;

// The library's controls, each made by its class name: a dialog puts them
// over its platform children by name, and other code that restyles dialogs
// makes the rest by name.  This table is their one registration; naming a
// class here keeps it in every program.
extern const ZUDPLibraryClass g_libraryControlClasses[];
extern const int g_libraryControlClassCount;

// The planner's archived classes (appointments, properties, recurrences and
// rules), creatable by name from clipboard and drag archives.
extern const ZUDPLibraryClass g_libraryPlannerClasses[];
extern const int g_libraryPlannerClassCount;
