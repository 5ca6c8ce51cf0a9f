#include "effects.h"

#include "animation/steps.h"

namespace {

// The region of one wipe or door step, with the moving edge at (curX, curY).  The closing door
// may pull the moving edge back to the end corner.
CRgn WipeStepRegion(int x0, int y0, int x1, int y1, int stepX, int& curX, int& curY,
                    const TransitionRequest* request) {
    CRgn region;
    if (request->type != DoorLike) {
        region.CreateRectRgn(x0, y0, curX, curY);
    } else if (request->flags & Reverse) {
        // A band that widens about the centre.
        region.CreateRectRgn(x0, y0, curX, curY);
        if (stepX != 0) {
            region.OffsetRgn((x1 - curX) / 2, 0);
        } else {
            region.OffsetRgn(0, (y1 - curY) / 2);
        }
    } else {
        // Two leaves closing: everything but an inner band that narrows about the centre.
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
    }
    return region;
}

}  // namespace

void WipeEffect(int x0, int y0, int x1, int y1, int stepX, int stepY,
                const TransitionRequest* request) {
    RECT client;
    if (!EffectClientRect(request, &client)) return;
    if (request->type != SmoothAway && request->type != DoorLike) return;
    if (!(request->flags & Vertical)) stepY = 0;
    if (!(request->flags & Horizontal)) stepX = 0;
    int count = PlanSteps(x0, y0, x1, y1, stepX, stepY);
    int curX = x0, curY = y0;
    for (int k = 0; k < count; ++k) {
        RevealRegion(WipeStepRegion(x0, y0, x1, y1, stepX, curX, curY, request), request);
        // The still axis jumps to the end after the first step, so the rectangles span it.
        curX = stepX != 0 ? curX + stepX : x1;
        curY = stepY != 0 ? curY + stepY : y1;
    }
}
