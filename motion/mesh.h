// A checkerboard window region: the window covers every other pixel of its rectangle, so what
// lies behind it shows through the rest.
#ifndef LANTREL_MOTION_MESH_H
#define LANTREL_MOTION_MESH_H

#include "framework/gdi.h"
#include "framework/wnd.h"

// The mesh region for window (top-level; caption and borders included), in window coordinates:
// on line y the pixels with x + y even, none in the last column of an even width.  It is the
// caller's to hand to SetWindowRgn; once the window has taken it the system owns it, so detach
// it then (and only then).  A null, dead or empty window gets none (an empty CRgn).
CRgn MakeMeshRegion(CWnd* window);

#endif
