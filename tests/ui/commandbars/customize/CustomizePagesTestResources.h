#pragma once
// Ids of the customization page tests' resources (outside the library's
// range).
#define IDR_TEST_TOOL_ARGUMENTS 350      // the arguments menu of the Tools page
#define ID_TEST_ARG_FILE_PATH 35001      // its items; each string is what it types
#define ID_TEST_ARG_LINE 35002
#define IDR_TEST_TOOL_DIRECTORIES 351
#define ID_TEST_DIR_PROJECT 35011
#define IDR_TEST_CONTEXT_MENU 353        // a context menu registered by name
#define ID_TEST_CONTEXT_CONNECT 35021
#define ID_TEST_CONTEXT_DISCONNECT 35022
