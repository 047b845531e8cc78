#pragma once
// Ids of the menu bar tests' resources (outside the library's range).
#define IDR_TEST_MAIN_MENU 330   // the frame's own menu
#define IDR_TEST_DOC_MENU 331    // a document type's menu
#define IDR_TEST_NO_MENU 339     // no resource of this id

#define ID_TEST_MENU_NEW 32801
#define ID_TEST_MENU_OPEN 32802
#define ID_TEST_MENU_EXIT 32803
#define ID_TEST_MENU_UNDO 32811
#define ID_TEST_MENU_CUT 32812
#define ID_TEST_MENU_ABOUT 32821
#define ID_TEST_MENU_TOOLBAR 32831
#define ID_TEST_MENU_CASCADE 0xE130
