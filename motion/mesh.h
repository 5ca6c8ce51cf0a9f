// A checkerboard window region: the window covers every other pixel of its rectangle, so what
// lies behind it shows through the rest.
#ifndef LANTREL_MOTION_MESH_H
#define LANTREL_MOTION_MESH_H

#include "framework/gdi.h"
#include "framework/wnd.h"

// Gives window (top-level; caption and borders included) a mesh region: on line y the pixels
// with x + y even, none in the last column of an even width, and redraws it at once.  A
// region that region held before is deleted first.  The new region is handed to the window,
// which owns it from then on: region is left holding nothing (it keeps the region only if the
// window refused it).  A null, dead or empty window changes nothing, region included.
void MakeMeshRegion(CWnd* window, CRgn& region);

#endif
