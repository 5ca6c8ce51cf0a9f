// Whole-window grow and shrink animations for top-level windows.
#ifndef LANTREL_MOTION_GROW_H
#define LANTREL_MOTION_GROW_H

#include "framework/wnd.h"
#include "motion/framestep.h"

// Anchor codes: which point stays put while the window changes size.
enum WindowAnchor : int {
    AnchorScreenCentre = 0,
    AnchorTopRight = -1,
    AnchorBottomLeft = 2,
    AnchorBottomRight = -2,
    // Any other code places every frame at the screen origin.
};

// Grows window from one step's size to the rectangle it has now, frame by frame, dispatching
// messages between frames (PumpAndWait(2)).  FixedSteps: 8 pixels across per frame and the
// height in proportion; TenthSteps: a tenth of each side.  The last frame is exactly the starting
// rectangle.  If the window is destroyed meanwhile the grow stops at once; the window object
// is never touched after the first wait, as it may be gone.
void GrowWindow(CWnd* window, WindowAnchor anchor, FrameStep step);

// Shrinks window from its rectangle frame by frame, 10 ms apart, dispatching nothing; the
// window stays at its last, smallest frame for the caller to close.
void ShrinkWindow(CWnd* window, WindowAnchor anchor, FrameStep step);

#endif
