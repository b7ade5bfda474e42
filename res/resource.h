// Resource identifiers shared by talmoran.rc and the C++ code.
// A classic include guard rather than #pragma once, which not every resource compiler honours.
#ifndef TALMORAN_RES_RESOURCE_H
#define TALMORAN_RES_RESOURCE_H

// Explorer shows the first icon group of the executable; numeric IDs sort ascending, so use 1.
#define IDI_TALMORAN 1

#endif
