// The effect routines, one per family of effect types.  Each has the EffectRoutine signature.
#ifndef LANTREL_TRANSITIONS_EFFECTS_H
#define LANTREL_TRANSITIONS_EFFECTS_H

#include "transitions/transition.h"

// Types 11 and 12: fades the composed picture up from 10 % or down from 100 % of its
// brightness in steps of 2 %, drawing each darkened copy straight into rectangle (x0, y0) to
// (x1, y1) of the view.  The steps are not used.
void FadeEffect(int x0, int y0, int x1, int y1, int stepX, int stepY,
                const TransitionRequest* request);

#endif
