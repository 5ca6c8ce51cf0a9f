// The rectangles a region is made of, read back from the platform.
#ifndef LANTREL_TRANSITIONS_REGIONRECTS_H
#define LANTREL_TRANSITIONS_REGIONRECTS_H

#include <windows.h>

#include <vector>

// The rectangles of region as GetRegionData lists them; none for no region, or for one whose
// data cannot be read.
std::vector<RECT> RegionRects(HRGN region);

#endif
