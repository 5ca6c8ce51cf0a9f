// Copying the pixels of a region from one DC to another at a cost that follows the region's
// area rather than its bounding box.
#ifndef LANTREL_TRANSITIONS_REGIONCOPY_H
#define LANTREL_TRANSITIONS_REGIONCOPY_H

#include <windows.h>

#include <vector>

#include "framework/gdi.h"

// One more copy call costs about as much as copying this many pixels more.  Measured under
// Wine, which sends every copy to a window to the X server as an image of the copy's whole
// rectangle: some 6 us a call, 1.5 to 3.5 ns a pixel.
constexpr long long kCopyCallPixels = 4096;

// A region whose bounding box holds no more pixels than this (about an 800 x 600 view) is
// copied through its box in one piece: looking for pieces costs more than copying the rest of
// the box (measured under Wine 8: a circle's steps on an 800 x 600 view took a third longer).
constexpr long long kWholeBoxPixels = 1 << 19;

// The rectangles to copy area's pixels through: together they cover every pixel of area.  A
// small area is copied through its bounding box; a larger one in pieces, each about as compact
// as it pays to be (a rectangle larger than the pixels it holds costs
// the extra pixels, one more rectangle costs kCopyCallPixels).  A ring or a diagonal band is
// cut into pieces along it, scattered strips into rows or columns of them.
std::vector<RECT> CopyPieces(const CRgn& area);

// Copies exactly the pixels of area (target's client coordinates) from source at the same
// coordinates, in the pieces CopyPieces gives, through area as the target's clip region.
// Leaves target without a clip region.
void CopyRegionPixels(CDC* target, CDC* source, const CRgn& area);

#endif
