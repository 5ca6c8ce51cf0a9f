// Copying the pixels of a region from one DC to another at a cost that follows the region's
// area rather than its bounding box.
#ifndef LANTREL_TRANSITIONS_REGIONCOPY_H
#define LANTREL_TRANSITIONS_REGIONCOPY_H

#include <windows.h>

#include <vector>

#include "framework/gdi.h"

// The rectangles to copy area's pixels through: together they cover every pixel of area.  A
// small area is copied through its bounding box; a larger one in pieces, each about as compact
// as it pays to be (a rectangle larger than the pixels it holds costs the extra pixels, one
// more rectangle costs as much as some thousands of pixels).  A ring or a diagonal band is
// cut into pieces along it, scattered strips into rows or columns of them.
std::vector<RECT> CopyPieces(const CRgn& area);

// Copies exactly the pixels of area (target's client coordinates) from source at the same
// coordinates, in the pieces CopyPieces gives, through area as the target's clip region.
// Leaves target without a clip region.
void CopyRegionPixels(CDC* target, CDC* source, const CRgn& area);

#endif
