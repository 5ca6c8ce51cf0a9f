#include "effects.h"

#include <utility>

#include "animation/steps.h"

namespace {

// The pattern's geometry: the cell of one piece and how much a piece grows per step (one of
// the two growths is 0).
struct BlindsLayout {
    int cellWidth, cellHeight;
    int growX, growY;
    int cols, rows;
};

// Half a step, at least one pixel (a zero or negative step, as Reverse gives, becomes 1).
int HalfStep(int step) {
    int half = step / 2;
    return half < 1 ? 1 : half;
}

BlindsLayout LayoutFor(const BlindsPattern& pattern, bool vertical, int width, int height,
                       int stepX, int stepY) {
    int sx = HalfStep(stepX);
    int sy = HalfStep(stepY);
    BlindsLayout layout = {};
    if (vertical) {
        layout.cellWidth = pattern.across != 0 ? pattern.across * sx : width;
        layout.cellHeight = pattern.along * sy;
        layout.growY = sy;
    } else {
        layout.cellWidth = pattern.along * sx;
        layout.cellHeight = pattern.across != 0 ? pattern.across * sy : height;
        layout.growX = sx;
    }
    // The last column and row may lie partly or wholly outside the client area.
    layout.cols = width / layout.cellWidth + 1;
    layout.rows = height / layout.cellHeight + 1;
    return layout;
}

// One step's pattern: every piece grown to growth pixels, plus the single seed pixels at the
// origin of the pattern and of each row.
CRgn PatternRegion(bool staggered, bool vertical, const BlindsLayout& layout, int gx, int gy) {
    int tw = layout.cellWidth, th = layout.cellHeight;
    CRgn piece;
    piece.CreateRectRgn(0, 0, vertical ? tw : gx, vertical ? gy : th);
    CRgn row;
    row.CreateRectRgn(0, 0, 1, 1);
    for (int i = 0; i < layout.cols; ++i) {
        row.CombineRgn(&row, &piece, RGN_OR);
        if (staggered && vertical) {
            piece.OffsetRgn(tw, i % 2 == 0 ? -(th / 2) : th / 2);  // odd columns half a cell up
        } else {
            piece.OffsetRgn(tw, 0);
        }
    }
    piece.DeleteObject();
    CRgn whole;
    whole.CreateRectRgn(0, 0, 1, 1);
    for (int j = 0; j < layout.rows; ++j) {
        whole.CombineRgn(&whole, &row, RGN_OR);
        if (staggered && !vertical) {
            row.OffsetRgn(j % 2 == 0 ? -(tw / 2) : tw / 2, th);  // odd rows half a cell left
        } else {
            row.OffsetRgn(0, th);
        }
    }
    return whole;
}

}  // namespace

void BlindsEffect(const TransitionPlan& plan, const TransitionRequest& request) {
    const BlindsPattern& pattern = plan.effect->pattern;
    BlindsLayout layout = LayoutFor(pattern, plan.vertical, plan.client.right - plan.client.left,
                                    plan.client.bottom - plan.client.top, plan.stepX, plan.stepY);
    int count = PlanSteps(0, 0, layout.cellWidth, layout.cellHeight, layout.growX, layout.growY);
    int gx = 0, gy = 0;
    for (int k = 0; k < count; ++k) {
        RevealRegion(PatternRegion(pattern.staggered, plan.vertical, layout, gx, gy), &request);
        gx += layout.growX;
        gy += layout.growY;
    }
}
