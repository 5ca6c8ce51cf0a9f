#include "effects.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "random.h"
#include "animation/steps.h"

namespace {

// The lens turns by 15 degrees per step; its vertices lie 60 degrees apart.
const double kLensTurn = 0.2617993875;
const double kLensVertexAngle = 1.04719755;

// Adds one half and truncates toward zero: the nearest pixel for positive values, toward zero
// for negative ones (an exact -100 becomes -99).
int ToPixel(double value) {
    return static_cast<int>(value + 0.5);
}

// The hexagon inscribed in the box's width, centred in the box, its first vertex at angle
// theta (y pointing down, so a positive angle turns it upwards).
CRgn LensRegion(const RECT& box, double theta) {
    int radius = (box.right - box.left) / 2;
    int cx = (box.left + box.right) / 2;
    int cy = (box.top + box.bottom) / 2;
    POINT points[6];
    for (int k = 0; k < 6; ++k) {
        double phi = theta + k * kLensVertexAngle;
        points[k].x = ToPixel(cx + radius * std::cos(phi));
        points[k].y = ToPixel(cy - radius * std::sin(phi));
    }
    CRgn region;
    region.CreatePolygonRgn(points, 6, ALTERNATE);
    return region;
}

CRgn ShapeRegion(int type, const RECT& box, double theta) {
    CRgn region;
    switch (type) {
        case CircleLike:
            region.CreateEllipticRgn(box.left, box.top, box.right, box.bottom);
            break;
        case RectLike:
            region.CreateRectRgn(box.left, box.top, box.right, box.bottom);
            break;
        case DiamondLike: {
            int mx = box.left + (box.right - box.left) / 2;
            int my = box.top + (box.bottom - box.top) / 2;
            const POINT points[4] = {
                {mx, box.top}, {box.right, my}, {mx, box.bottom}, {box.left, my}};
            region.CreatePolygonRgn(points, 4, ALTERNATE);
            break;
        }
        case Lens:
            region = LensRegion(box, theta);
            break;
        default:
            break;
    }
    return region;
}

}  // namespace

void GrowShapeEffect(int x0, int y0, int x1, int y1, int stepX, int stepY,
                     const TransitionRequest* request) {
    RECT client;
    if (!EffectClientRect(request, &client)) return;
    int type = request->type;
    if (type < CircleLike || type > Lens) return;
    int width = client.right - client.left;
    int height = client.bottom - client.top;

    // The corners back in order: the steps then point from left-top to right-bottom whether
    // Reverse is set or not; the flag only turns the growth into shrinking below.
    if (x0 > x1) {
        std::swap(x0, x1);
        stepX = -stepX;
    }
    if (y0 > y1) {
        std::swap(y0, y1);
        stepY = -stepY;
    }

    // The shape at full size.
    RECT shape = {x0, y0, x1, y1};
    bool square = type == CircleLike || type == Lens;
    if (square) {
        // The circle through the client area's corners (just inside them after truncation).
        int radius = static_cast<int>(
            std::sqrt(static_cast<double>(width) * width + static_cast<double>(height) * height) *
            0.5);
        ::SetRect(&shape, width / 2 - radius, height / 2 - radius, width / 2 + radius,
                  height / 2 + radius);
        stepX = std::abs(stepX);
        stepY = stepX;
    } else if (type == DiamondLike) {
        // The diamond whose edges pass through the client area's corners.
        ::SetRect(&shape, x0 - width / 2, y0 - height / 2, x1 + width / 2, y1 + height / 2);
    }

    int count = PlanSteps(shape.left * 100, shape.top * 100, shape.right * 100, shape.bottom * 100,
                          stepX, stepY);
    if (square) stepX = stepY = std::max(stepX, stepY);  // the shape stays square

    int w = shape.right - shape.left;
    int h = shape.bottom - shape.top;
    double theta = -kLensTurn;
    for (int i = 1; i <= count; ++i) {
        int gx = ((i - 1) * stepX + 50) / 100;
        int gy = ((i - 1) * stepY + 50) / 100;
        RECT box;
        if (request->flags & Reverse) {
            ::SetRect(&box, shape.left, shape.top, shape.right - gx, shape.bottom - gy);
            ::OffsetRect(&box, gx / 2, gy / 2);
        } else {
            ::SetRect(&box, shape.left, shape.top, shape.left + gx, shape.top + gy);
            ::OffsetRect(&box, (w - gx) / 2, (h - gy) / 2);
        }
        theta += kLensTurn;
        CRgn region = ShapeRegion(type, box, theta);
        if ((request->flags & Reverse) && region.GetSafeHandle() != nullptr) {
            // The client area outside the shape closes in from the edges.
            CRgn whole;
            whole.CreateRectRgnIndirect(client);
            region.CombineRgn(&whole, &region, RGN_XOR);
        }
        RevealRegion(std::move(region), request);
    }
}
