// Sliding a child window in a straight line across its parent's client area.
#ifndef LANTREL_MOTION_SLIDE_H
#define LANTREL_MOTION_SLIDE_H

#include "framework/wnd.h"

// Direction bits for PlanSlide.
enum SlideDirection : int {
    SlideReverse = 1,     // negate the steps, swap start and end on each moving axis
    SlideHorizontal = 2,  // move across
    SlideVertical = 4,    // move down
};

// Plans a slide of child window across its parent's client area and runs it with SlideWindow.
// startOutside / endOutside non-zero: the path starts (ends) with the window just out of
// view; zero: touching the client's left/top (inside its right/bottom) edge.  fixedStep
// non-zero: 8 pixels per frame across and the vertical step in proportion; zero: a tenth of
// the free span per frame.  delay is the number of 5 ms slices waited after each move.
// Without a direction bit (2 or 4) there is no path and nothing happens.
void PlanSlide(CWnd* window, int directionFlags, int delay, int fixedStep, int startOutside,
               int endOutside);

// Shows window at (x0, y0) in its parent's client coordinates, then moves it step by step to
// (x1, y1); steps are signed tenths of a pixel, and the last step lands exactly on (x1, y1).
// Messages are dispatched after every move; if the window is destroyed meanwhile the slide
// stops, and the window object is never touched after the first wait.
void SlideWindow(CWnd* window, int delay, int stepX, int stepY, int x0, int y0, int x1, int y1);

#endif
