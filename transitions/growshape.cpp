#include "effects.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The lens turns by 15 degrees per step; its vertices lie 60 degrees apart.
const double kLensTurn = 0.2617993875;
const double kLensVertexAngle = 1.04719755;

// Adds one half and truncates toward zero: the nearest pixel for positive values, toward zero
// for negative ones (an exact -100 becomes -99).
int ToPixel(double value) {
    return static_cast<int>(value + 0.5);
}

}  // namespace

// The hexagon inscribed in the box's width, centred in the box, its first vertex at angle
// turn (y pointing down, so a positive angle turns it upwards).
CRgn LensShape(const RECT& box, double turn) {
    int radius = (box.right - box.left) / 2;
    int cx = (box.left + box.right) / 2;
    int cy = (box.top + box.bottom) / 2;
    POINT points[6];
    for (int k = 0; k < 6; ++k) {
        double phi = turn + k * kLensVertexAngle;
        points[k].x = ToPixel(cx + radius * std::cos(phi));
        points[k].y = ToPixel(cy - radius * std::sin(phi));
    }
    CRgn region;
    region.CreatePolygonRgn(points, 6, ALTERNATE);
    return region;
}

CRgn EllipseShape(const RECT& box, double) {
    CRgn region;
    region.CreateEllipticRgn(box.left, box.top, box.right, box.bottom);
    return region;
}

CRgn RectangleShape(const RECT& box, double) {
    CRgn region;
    region.CreateRectRgn(box.left, box.top, box.right, box.bottom);
    return region;
}

// The diamond whose corners are the midpoints of the box's edges.
CRgn DiamondShape(const RECT& box, double) {
    int mx = box.left + (box.right - box.left) / 2;
    int my = box.top + (box.bottom - box.top) / 2;
    const POINT points[4] = {{mx, box.top}, {box.right, my}, {mx, box.bottom}, {box.left, my}};
    CRgn region;
    region.CreatePolygonRgn(points, 4, ALTERNATE);
    return region;
}

namespace {

// The shape's box after growth (gx, gy): centred in the full box, or with Reverse the full box
// shrunk by that much about its centre.
RECT StepBox(const RECT& shape, bool shrinking, int gx, int gy) {
    RECT box;
    if (shrinking) {
        ::SetRect(&box, shape.left, shape.top, shape.right - gx, shape.bottom - gy);
        ::OffsetRect(&box, gx / 2, gy / 2);
    } else {
        ::SetRect(&box, shape.left, shape.top, shape.left + gx, shape.top + gy);
        ::OffsetRect(&box, (shape.right - shape.left - gx) / 2,
                     (shape.bottom - shape.top - gy) / 2);
    }
    return box;
}

}  // namespace

void GrowShapeEffect(const TransitionPlan& plan, const TransitionRequest& request) {
    const TransitionDescriptor& effect = *plan.effect;
    const RECT& shape = plan.box;
    bool square = effect.box == ShapeBox::AroundCircle;
    int stepX = plan.stepX;
    int stepY = square ? plan.stepX : plan.stepY;
    int count =
        PlanStepsIn(effect.unit, shape.left, shape.top, shape.right, shape.bottom, stepX, stepY);
    if (square) stepX = stepY = std::max(stepX, stepY);  // the shape stays square

    double theta = -kLensTurn;
    for (int i = 1; i <= count; ++i) {
        RECT box = StepBox(shape, plan.reverse, UnitsToPixels(effect.unit, (i - 1) * stepX),
                           UnitsToPixels(effect.unit, (i - 1) * stepY));
        theta += kLensTurn;
        CRgn region = effect.shape(box, theta);
        if (plan.reverse && region.GetSafeHandle() != nullptr) {
            // The client area outside the shape closes in from the edges.
            CRgn whole;
            whole.CreateRectRgnIndirect(plan.client);
            region.CombineRgn(&whole, &region, RGN_XOR);
        }
        RevealRegion(std::move(region), &request);
    }
}
