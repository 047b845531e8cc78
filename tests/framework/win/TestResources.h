// Resource ids of the window-part tests' resource script.
#pragma once

#define IDD_TEST_DATA        200
#define IDC_NAME             1001
#define IDC_COUNT            1002
#define IDC_ENABLED          1003
#define IDC_RADIO_A          1004
#define IDC_RADIO_B          1005
#define IDC_RADIO_C          1006
#define IDC_CHOICE           1007
#define IDC_ITEMS            1008
#define IDC_ACTION           1009
#define IDC_PORT             1010

#define IDS_TEST_TEXT        300
#define IDS_TEST_PROMPT      301
