#include "effects.h"

#include <utility>

namespace {

// True if value has gone beyond end in the direction of step (reaching it is not passing).
bool Passed(int value, int end, int step) {
    return step >= 0 ? value > end : value < end;
}

}  // namespace

void CornerSweepEffect(const TransitionPlan& plan, const TransitionRequest& request) {
    const StepUnit unit = plan.effect->unit;
    int x0 = plan.from.x, y0 = plan.from.y, x1 = plan.to.x, y1 = plan.to.y;
    int stepX = plan.stepX, stepY = plan.stepY;
    int count = PlanStepsIn(unit, x0, y0, x1, y1, stepX, stepY);
    // The planner sees the unmirrored corners; the mirror comes after it.
    if (plan.vertical) {
        std::swap(y0, y1);
        stepY = -stepY;
    }
    // The edge travels about twice the rectangle's extent before it passes the far corner.
    int sweeps = 2 * count;
    for (int j = 0; j < sweeps; ++j) {
        int cx = x0 + UnitsToPixels(unit, j * stepX);
        int cy = y0 + UnitsToPixels(unit, j * stepY);
        bool pastColumn = Passed(cx, x1, stepX);
        bool pastRow = Passed(cy, y1, stepY);
        // The triangle between the start corner and the edge, cut off at the far column and
        // row once the edge has crossed them.
        const POINT points[5] = {
            {x0, y0},
            {pastColumn ? x1 : cx, y0},
            pastColumn ? POINT{x1, y0 + cy - y1} : POINT{cx, y0},
            pastRow ? POINT{x0 + cx - x1, y1} : POINT{x0, cy},
            {x0, pastRow ? y1 : cy},
        };
        CRgn region;
        region.CreatePolygonRgn(points, 5, ALTERNATE);
        RevealRegion(std::move(region), &request);
    }
}
