#pragma once
// Ids of the resources that the resource tests read back.
#define IDR_TEST_TOOLBAR 17190
#define IDR_TEST_DLGINIT 17191
// Image strips (ImageStripTests.rc).
#define IDB_TEST_CLASSIC8 17192
#define IDR_TEST_ALPHA_PNG 17193
// Shortcut tables (LibraryResourceTests.rc).
#define IDR_TEST_ACCEL_DOC 17194
#define IDR_TEST_ACCEL_FRAME 17195
