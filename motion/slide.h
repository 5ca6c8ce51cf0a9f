// Sliding a child window in a straight line across its parent's client area.
#ifndef LANTREL_MOTION_SLIDE_H
#define LANTREL_MOTION_SLIDE_H

#include "framework/wnd.h"
#include "motion/framestep.h"

// Direction bits for PlanSlide.
enum SlideDirection : int {
    SlideReverse = 1,     // negate the steps, swap start and end on each moving axis
    SlideHorizontal = 2,  // move across
    SlideVertical = 4,    // move down
};

// Where a slide's path starts and where it ends on each moving axis: with the window just out
// of view, or inside, touching the client's left/top edge (start) or its right/bottom (end).
enum SlideStart : int { SlideStartInside = 0, SlideStartOutside = 1 };
enum SlideEnd : int { SlideEndInside = 0, SlideEndOutside = 1 };

// Plans a slide of child window across its parent's client area and runs it with SlideWindow.
// FixedSteps: 8 pixels per frame across and the vertical step in proportion; TenthSteps: a
// tenth of the free span per frame.  delay is the number of 5 ms slices waited after each move.
// Without a direction bit (SlideHorizontal or SlideVertical) there is no path and nothing
// happens.
void PlanSlide(CWnd* window, int directionFlags, int delay, FrameStep step, SlideStart start,
               SlideEnd end);

// Shows window at (x0, y0) in its parent's client coordinates, then moves it step by step to
// (x1, y1); steps are signed tenths of a pixel, and the last step lands exactly on (x1, y1).
// Messages are dispatched after every move; if the window is destroyed meanwhile the slide
// stops, and the window object is never touched after the first wait.
void SlideWindow(CWnd* window, int delay, int stepX, int stepY, int x0, int y0, int x1, int y1);

#endif
