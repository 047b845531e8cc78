#pragma once
// Resource ids of the library's foundation (the library's range is 16000
// to 17200).
#define IDC_ZUDP_HAND 16919
