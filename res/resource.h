// Resource identifiers shared by talmoran.rc and the C++ code.
#pragma once

// Explorer shows the first icon group of the executable; numeric IDs sort ascending, so use 1.
#define IDI_TALMORAN 1
