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

namespace {

// One axis of the view: a wipe counts its steps on the view as it would be at 96 DPI (extent96
// pixels across), and each place it reaches there is scaled to the view as it is (extent).  The
// same at 96 DPI.
struct WipeAxis {
    int origin, extent, extent96;
    int To96(int v) const { return origin + ::MulDiv(v - origin, extent96, extent); }
    int ToView(int v) const { return origin + ::MulDiv(v - origin, extent, extent96); }
};

WipeAxis AxisOf(int low, int high, int dpi) {
    int extent = high - low;
    int extent96 = ScaleFromDpi(extent, dpi);
    return WipeAxis{low, extent, extent96 > 0 ? extent96 : 1};
}

}  // namespace

void WipeEffect(const TransitionPlan& plan, const TransitionRequest& request) {
    // The steps are whole pixels of the view at 96 DPI (PlanTransition): on a view as many times
    // larger the wipe takes as many steps, each scaled (at 125 % a 6-pixel step moves 7.5 pixels
    // on average, where whole pixels of the larger view would make it 7, and 108 steps).
    WipeAxis ax = AxisOf(plan.client.left, plan.client.right, plan.dpi);
    WipeAxis ay = AxisOf(plan.client.top, plan.client.bottom, plan.dpi);
    POINT from = {ax.To96(plan.from.x), ay.To96(plan.from.y)};
    POINT to = {ax.To96(plan.to.x), ay.To96(plan.to.y)};
    int stepX = plan.stepX, stepY = plan.stepY;
    int count = PlanStepsIn(plan.effect->unit, from.x, from.y, to.x, to.y, stepX, stepY);
    POINT at = from;  // the moving edge, on the view at 96 DPI
    for (int k = 0; k < count; ++k) {
        int curX = ax.ToView(at.x), curY = ay.ToView(at.y);
        RevealRegion(plan.effect->band(plan, stepX, curX, curY), &request);
        // The still axis jumps to the end after the first step, so the rectangles span it.
        at.x = stepX != 0 ? at.x + stepX : to.x;
        at.y = stepY != 0 ? at.y + stepY : to.y;
    }
}
