// Resource numbers of tkttool.exe.
#pragma once

#define IDI_TKTTOOL 1
#define IDR_SPLASH 101
#define IDR_CUCKOO_A 102
#define IDR_CUCKOO_B 103
