// The program's one application object.
#include "app/win/trovconfApp.h"

CtrovconfApp theApp;
