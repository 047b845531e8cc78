#pragma once
// Ids of the toolbar tests' resources (outside the library's range).
#define IDR_TEST_TOOLBAR 310           // toolbar resource and its normal images
#define IDR_TEST_TOOLBAR_SECOND 311    // a second toolbar, led by a separator
#define IDB_TEST_TOOLBAR_COLD 312
#define IDB_TEST_TOOLBAR_DISABLED 313
#define IDR_TEST_TOOLBAR_BAD_VERSION 320
#define IDR_TEST_TOOLBAR_SHORT 321     // counts more items than it holds
#define IDR_TEST_TOOLBAR_NO_IMAGES 322 // no bitmap of its own id

#define ID_TEST_OPEN 32771
#define ID_TEST_SAVE 32772
#define ID_TEST_PRINT 32773
#define ID_TEST_CUT 32781
#define ID_TEST_PASTE 32782
