#pragma once
// Ids of the resources that the resource tests read back.
#define IDR_TEST_TOOLBAR 17190
#define IDR_TEST_DLGINIT 17191
#define IDR_TEST_ACCEL_DOC 17192
#define IDR_TEST_ACCEL_FRAME 17193
