// Step planning shared by the effects and the window animations.
#ifndef LANTREL_ANIMATION_STEPS_H
#define LANTREL_ANIMATION_STEPS_H

// Plans a straight motion from (x0, y0) to (x1, y1) with the proposed steps (signed, in the
// caller's unit).  Returns the number of steps that the axis needing more of them takes, and
// rewrites the other axis's step (if it is not zero) so that both arrive together:
// ((distance * 10) / count + 5) / 10.  A zero step stays zero.  A result below 1 means there is
// nothing to do (no distance, or steps pointing away from the end); the steps are then left
// as they are.
int PlanSteps(int x0, int y0, int x1, int y1, int& stepX, int& stepY);

#endif
