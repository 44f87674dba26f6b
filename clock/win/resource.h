// Resource identifiers of the clock program.
#pragma once

#define IDI_TKT 1
#define IDR_HATO1_CLOSE 101
#define IDR_HATO1_OPEN 102
#define IDR_HATO2_CLOSE 103
#define IDR_HATO2_OPEN 104
