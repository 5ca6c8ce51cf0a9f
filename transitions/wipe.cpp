#include "effects.h"

// The start edge's rectangle, up to the moving edge.
CRgn EdgeBand(const TransitionPlan& plan, int, int& curX, int& curY) {
    CRgn region;
    region.CreateRectRgn(plan.from.x, plan.from.y, curX, curY);
    return region;
}

// Reverse: a band that widens about the centre.  Forward: two leaves closing, everything but
// an inner band that narrows about the centre; the moving edge stops at the end corner.
CRgn DoorBands(const TransitionPlan& plan, int stepX, int& curX, int& curY) {
    int x0 = plan.from.x, y0 = plan.from.y, x1 = plan.to.x, y1 = plan.to.y;
    CRgn region;
    if (plan.reverse) {
        region.CreateRectRgn(x0, y0, curX, curY);
        if (stepX != 0) {
            region.OffsetRgn((x1 - curX) / 2, 0);
        } else {
            region.OffsetRgn(0, (y1 - curY) / 2);
        }
        return region;
    }
    if (stepX != 0) {
        if (curX > x1) curX = x1;
        region.CreateRectRgn(x0, y0, x1 - curX, y1);
        region.OffsetRgn(curX / 2, 0);
    } else {
        if (curY > y1) curY = y1;
        region.CreateRectRgn(x0, y0, x1, y1 - curY);
        region.OffsetRgn(0, curY / 2);
    }
    CRgn full;
    full.CreateRectRgn(x0, y0, x1, y1);
    region.CombineRgn(&full, &region, RGN_DIFF);
    return region;
}

void WipeEffect(const TransitionPlan& plan, const TransitionRequest& request) {
    int stepX = plan.stepX, stepY = plan.stepY;
    int count = PlanStepsIn(plan.effect->unit, plan.from.x, plan.from.y, plan.to.x, plan.to.y,
                            stepX, stepY);
    int curX = plan.from.x, curY = plan.from.y;
    for (int k = 0; k < count; ++k) {
        RevealRegion(plan.effect->band(plan, stepX, curX, curY), &request);
        // The still axis jumps to the end after the first step, so the rectangles span it.
        curX = stepX != 0 ? curX + stepX : plan.to.x;
        curY = stepY != 0 ? curY + stepY : plan.to.y;
    }
}
