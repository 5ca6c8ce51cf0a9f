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

// unit and count - 1 copies of it, copy k moved by k x (dx, dy): doubling the copies made so
// far, so that it takes some log2(count) merges rather than count, each of a region as large as
// the pattern's (a mosaic at 4K has thousands of rectangles).
CRgn Repeat(const CRgn& unit, int count, int dx, int dy) {
    CRgn result, block;
    result.CreateRectRgn(0, 0, 0, 0);
    block.CreateRectRgn(0, 0, 0, 0);
    block.CombineRgn(&unit, nullptr, RGN_COPY);
    int done = 0;       // copies already in result
    int blockSize = 1;  // copies in block, which starts at copy 0
    while (count > 0) {
        if (count & 1) {
            block.OffsetRgn(done * dx, done * dy);
            result.CombineRgn(&result, &block, RGN_OR);
            block.OffsetRgn(-done * dx, -done * dy);
            done += blockSize;
        }
        count >>= 1;
        if (count > 0) {
            CRgn shifted;
            shifted.CreateRectRgn(0, 0, 0, 0);
            shifted.CombineRgn(&block, nullptr, RGN_COPY);
            shifted.OffsetRgn(blockSize * dx, blockSize * dy);
            block.CombineRgn(&block, &shifted, RGN_OR);
            blockSize *= 2;
        }
    }
    return result;
}

// count copies of one, each moved by step from the one before, the odd ones moved further by
// odd: a run of pieces or of rows, made as a pair repeated.
CRgn Alternating(const CRgn& one, int count, POINT step, POINT odd) {
    CRgn pair;
    pair.CreateRectRgn(0, 0, 0, 0);
    pair.CombineRgn(&one, nullptr, RGN_COPY);
    pair.OffsetRgn(step.x + odd.x, step.y + odd.y);
    pair.CombineRgn(&pair, &one, RGN_OR);
    CRgn run = Repeat(pair, count / 2, 2 * step.x, 2 * step.y);
    if (count % 2 != 0) {
        CRgn last;
        last.CreateRectRgn(0, 0, 0, 0);
        last.CombineRgn(&one, nullptr, RGN_COPY);
        last.OffsetRgn((count - 1) * step.x, (count - 1) * step.y);
        run.CombineRgn(&run, &last, RGN_OR);
    }
    return run;
}

// One step's pattern: every piece grown to growth pixels, plus the single seed pixels at the
// origin of the pattern and of each row.  Piece i of a row lies i cells to the right (odd
// staggered columns, vertical, half a cell up); row j lies j cells down (odd staggered rows,
// horizontal, half a cell left).
CRgn PatternRegion(bool staggered, bool vertical, const BlindsLayout& layout, int gx, int gy) {
    int tw = layout.cellWidth, th = layout.cellHeight;
    CRgn piece, seed;
    piece.CreateRectRgn(0, 0, vertical ? tw : gx, vertical ? gy : th);
    seed.CreateRectRgn(0, 0, 1, 1);
    POINT oddColumn = {0, staggered && vertical ? -(th / 2) : 0};
    CRgn row = Alternating(piece, layout.cols, POINT{tw, 0}, oddColumn);
    row.CombineRgn(&row, &seed, RGN_OR);
    POINT oddRow = {staggered && !vertical ? -(tw / 2) : 0, 0};
    CRgn whole = Alternating(row, layout.rows, POINT{0, th}, oddRow);
    whole.CombineRgn(&whole, &seed, RGN_OR);
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
