// The effect routines, one per family of effect types.  Each has the EffectRoutine signature,
// builds one region per step and hands it to RevealRegion.  They all return without drawing
// when the request's type is not one of theirs, and the region effects also when the
// request's window is gone or its client area has no width or height; the wipes, the corner
// sweep, the rectangle and the diamond also when their steps point away from the end corner.
#ifndef LANTREL_TRANSITIONS_EFFECTS_H
#define LANTREL_TRANSITIONS_EFFECTS_H

#include "transitions/transition.h"

// Types 1 (SmoothAway) and 2 (DoorLike): a wipe from one edge, a centre band opening
// (Reverse) or two leaves closing.  Whole-pixel steps.
void WipeEffect(int x0, int y0, int x1, int y1, int stepX, int stepY,
                const TransitionRequest* request);

// Type 3 (Corner): an edge parallel to the diagonal sweeps from the start corner; Vertical
// mirrors top and bottom.  Steps in hundredths of a pixel.
void CornerSweepEffect(int x0, int y0, int x1, int y1, int stepX, int stepY,
                       const TransitionRequest* request);

// Types 4 to 7 (circle, rectangle, diamond, turning hexagon lens): a centred shape grows, or
// with Reverse shrinks while the outside is revealed.  Steps in hundredths of a pixel.
void GrowShapeEffect(int x0, int y0, int x1, int y1, int stepX, int stepY,
                     const TransitionRequest* request);

// Types 8 (WindowBlind) and 9 (Mosaic): a pattern of pieces that all grow at once, downwards
// with Vertical, else to the right.  Whole-pixel steps; the corners are not used.
void BlindsEffect(int x0, int y0, int x1, int y1, int stepX, int stepY,
                  const TransitionRequest* request);

// Type 10 (RandomThreads): square tiles, one fifteenth of the client width, revealed one at a
// time in random order.  Only the request is used.
void RandomTilesEffect(int x0, int y0, int x1, int y1, int stepX, int stepY,
                       const TransitionRequest* request);

// Types 11 and 12: fades the composed picture up from 10 % or down from 100 % of its
// brightness in steps of 2 %, drawing each darkened copy straight into rectangle (x0, y0) to
// (x1, y1) of the view.  The steps are not used.
void FadeEffect(int x0, int y0, int x1, int y1, int stepX, int stepY,
                const TransitionRequest* request);

#endif
