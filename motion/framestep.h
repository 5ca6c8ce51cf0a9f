// How far each frame of a window animation moves, for GrowWindow, ShrinkWindow and PlanSlide.
#ifndef LANTREL_MOTION_FRAMESTEP_H
#define LANTREL_MOTION_FRAMESTEP_H

enum FrameStep : int {
    TenthSteps = 0,  // a tenth of the way per frame: of each side (grow), of the free span (slide)
    FixedSteps = 1,  // 8 pixels across per frame, the step down in proportion
};

#endif
