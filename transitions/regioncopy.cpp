#include "regioncopy.h"

#include <algorithm>
#include <utility>

#include "regionrects.h"

namespace {

// One more copy call costs about as much as copying this many pixels more.  Measured under
// Wine, which sends every copy to a window to the X server as an image of the copy's whole
// rectangle: some 6 us a call, 1.5 to 3.5 ns a pixel.
constexpr long long kCopyCallPixels = 4096;

// A region whose bounding box holds no more pixels than this (about an 800 x 600 view) is
// copied through its box in one piece: looking for pieces costs more than copying the rest of
// the box (measured under Wine 8: a circle's steps on an 800 x 600 view took a third longer).
constexpr long long kWholeBoxPixels = 1 << 19;

// Cuts below this depth gain too little to be worth looking for.
const int kMaxCutDepth = 24;

long long Area(const RECT& r) {
    return static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
}

// The axis along which rectangles are measured and cut: cuts along X are made at x
// coordinates.
enum class Axis { X, Y };

// A rectangle's low and high edge along axis (left and right along X).
LONG& Low(RECT& r, Axis axis) {
    return axis == Axis::X ? r.left : r.top;
}
LONG& High(RECT& r, Axis axis) {
    return axis == Axis::X ? r.right : r.bottom;
}
LONG Low(const RECT& r, Axis axis) {
    return axis == Axis::X ? r.left : r.top;
}
LONG High(const RECT& r, Axis axis) {
    return axis == Axis::X ? r.right : r.bottom;
}

LONG Length(const RECT& r, Axis axis) {
    return High(r, axis) - Low(r, axis);
}

RECT BoundingBox(const std::vector<RECT>& rects) {
    RECT box = rects.front();
    for (const RECT& r : rects) {
        box.left = std::min(box.left, r.left);
        box.top = std::min(box.top, r.top);
        box.right = std::max(box.right, r.right);
        box.bottom = std::max(box.bottom, r.bottom);
    }
    return box;
}

// The empty stretches between rectangles along one axis.
struct Gaps {
    std::vector<LONG> ends;   // where each stretch ends: cuts there cut no rectangle
    long long emptyArea = 0;  // how much of the box the stretches leave out
};

// The empty stretches of box along axis between rects.  Counts how many rectangles cover each
// coordinate, so as not to sort them.
Gaps FindGaps(const std::vector<RECT>& rects, Axis axis, const RECT& box) {
    LONG origin = Low(box, axis), extent = High(box, axis);
    std::vector<int> starts(static_cast<size_t>(extent - origin) + 1, 0);
    for (const RECT& r : rects) {
        ++starts[Low(r, axis) - origin];
        --starts[High(r, axis) - origin];
    }
    Gaps gaps;
    LONG empty = 0;
    int covering = 0;
    for (LONG at = origin; at < extent; ++at) {
        int before = covering;
        covering += starts[at - origin];
        if (covering == 0) ++empty;
        if (before == 0 && covering > 0 && at > origin) gaps.ends.push_back(at);
    }
    gaps.emptyArea =
        static_cast<long long>(empty) * Length(box, axis == Axis::X ? Axis::Y : Axis::X);
    return gaps;
}

// Puts the parts of rects between consecutive cuts along axis into one group each, in order:
// cuts through gaps cut nothing, a cut elsewhere cuts the rectangles it crosses in two.
std::vector<std::vector<RECT>> CutAt(const std::vector<RECT>& rects, Axis axis,
                                     const std::vector<LONG>& cuts) {
    std::vector<std::vector<RECT>> groups(cuts.size() + 1);
    for (const RECT& r : rects) {
        LONG low = Low(r, axis), high = High(r, axis);
        size_t first = std::upper_bound(cuts.begin(), cuts.end(), low) - cuts.begin();
        for (size_t g = first; g < groups.size(); ++g) {
            RECT part = r;
            if (g > 0) Low(part, axis) = std::max(low, cuts[g - 1]);
            if (g < cuts.size()) High(part, axis) = std::min(high, cuts[g]);
            groups[g].push_back(part);
            if (g == cuts.size() || high <= cuts[g]) break;
        }
    }
    return groups;
}

// Appends the pieces for rects to pieces and returns what copying them costs, in pixels: the
// bounding box as one piece, or the groups of a cut if they cost less.  The cut goes through
// every empty stretch along the axis where they leave out more (they cut nothing), or if there
// is none, across the middle of the longer side.
long long AddPieces(const std::vector<RECT>& rects, int depth, std::vector<RECT>& pieces) {
    RECT box = BoundingBox(rects);
    long long covered = 0;
    for (const RECT& r : rects) covered += Area(r);
    long long whole = kCopyCallPixels + Area(box);
    if (rects.size() == 1 || Area(box) - covered <= kCopyCallPixels || depth >= kMaxCutDepth) {
        pieces.push_back(box);
        return whole;
    }
    Gaps gapsX = FindGaps(rects, Axis::X, box);
    Gaps gapsY = FindGaps(rects, Axis::Y, box);
    Axis axis;
    if (gapsX.emptyArea > 0 || gapsY.emptyArea > 0) {
        axis = gapsX.emptyArea >= gapsY.emptyArea ? Axis::X : Axis::Y;
    } else {
        axis = Length(box, Axis::X) >= Length(box, Axis::Y) ? Axis::X : Axis::Y;
    }
    std::vector<LONG> cuts = axis == Axis::X ? gapsX.ends : gapsY.ends;
    if (cuts.empty()) cuts.push_back((Low(box, axis) + High(box, axis)) / 2);
    std::vector<RECT> parts;
    long long cost = 0;
    for (const std::vector<RECT>& group : CutAt(rects, axis, cuts)) {
        cost += AddPieces(group, depth + 1, parts);
        if (cost >= whole) break;
    }
    if (cost >= whole) {
        pieces.push_back(box);
        return whole;
    }
    pieces.insert(pieces.end(), parts.begin(), parts.end());
    return cost;
}

}  // namespace

std::vector<RECT> CopyPieces(const CRgn& area) {
    std::vector<RECT> pieces;
    RECT box;
    int kind = area.GetSafeHandle() != nullptr ? area.GetRgnBox(&box) : ERROR;
    if (kind == ERROR || kind == NULLREGION) return pieces;
    if (kind == SIMPLEREGION || Area(box) <= kWholeBoxPixels) {
        pieces.push_back(box);
        return pieces;
    }
    std::vector<RECT> rects = RegionRects(area.GetSafeHandle());
    if (!rects.empty()) AddPieces(rects, 0, pieces);
    return pieces;
}

void CopyRegionPixels(CDC* target, CDC* source, const CRgn& area) {
    std::vector<RECT> pieces = CopyPieces(area);
    if (pieces.empty()) return;
    target->SelectClipRgn(&area);
    for (const RECT& r : pieces) {
        target->BitBlt(r.left, r.top, r.right - r.left, r.bottom - r.top, source, r.left, r.top,
                       SRCCOPY);
    }
    target->SelectClipRgn(nullptr);
}
