#pragma once
// Ids of the resources of the pane tests (outside the library's range).
#define IDD_TEST_PANE 300
#define IDC_TEST_PANE_COMBO 1001
#define IDC_TEST_PANE_LIST 1002
