#include "regioncopy.h"

#include <algorithm>
#include <utility>

#include "regionrects.h"

namespace {

// Cuts below this depth gain too little to be worth looking for.
const int kMaxCutDepth = 24;

long long Area(const RECT& r) {
    return static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
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

// The coordinates along one axis (across: x, else y) where an empty stretch between the
// rectangles ends, so that cuts there cut no rectangle, and how much of box the stretches
// leave out.  Counts how many rectangles cover each coordinate, so as not to sort them.
std::vector<LONG> Gaps(const std::vector<RECT>& rects, bool across, const RECT& box,
                       long long& emptyArea) {
    LONG origin = across ? box.left : box.top, extent = across ? box.right : box.bottom;
    std::vector<int> starts(static_cast<size_t>(extent - origin) + 1, 0);
    for (const RECT& r : rects) {
        ++starts[(across ? r.left : r.top) - origin];
        --starts[(across ? r.right : r.bottom) - origin];
    }
    std::vector<LONG> gaps;
    LONG empty = 0;
    int covering = 0;
    for (LONG at = origin; at < extent; ++at) {
        int before = covering;
        covering += starts[at - origin];
        if (covering == 0) ++empty;
        if (before == 0 && covering > 0 && at > origin) gaps.push_back(at);
    }
    emptyArea =
        static_cast<long long>(empty) * (across ? box.bottom - box.top : box.right - box.left);
    return gaps;
}

// Puts the parts of rects between consecutive cuts along one axis (across: x, else y) into
// one group each, in order: cuts through gaps cut nothing, a cut elsewhere cuts the rectangles
// it crosses in two.
std::vector<std::vector<RECT>> CutAt(const std::vector<RECT>& rects, bool across,
                                     const std::vector<LONG>& cuts) {
    std::vector<std::vector<RECT>> groups(cuts.size() + 1);
    for (const RECT& r : rects) {
        LONG low = across ? r.left : r.top, high = across ? r.right : r.bottom;
        size_t first = std::upper_bound(cuts.begin(), cuts.end(), low) - cuts.begin();
        for (size_t g = first; g < groups.size(); ++g) {
            RECT part = r;
            if (g > 0) (across ? part.left : part.top) = std::max(low, cuts[g - 1]);
            if (g < cuts.size()) (across ? part.right : part.bottom) = std::min(high, cuts[g]);
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
    long long emptyX, emptyY;
    std::vector<LONG> gapsX = Gaps(rects, true, box, emptyX);
    std::vector<LONG> gapsY = Gaps(rects, false, box, emptyY);
    bool across =
        emptyX > 0 || emptyY > 0 ? emptyX >= emptyY : box.right - box.left >= box.bottom - box.top;
    std::vector<LONG> cuts = across ? gapsX : gapsY;
    if (cuts.empty()) {
        cuts.push_back(across ? (box.left + box.right) / 2 : (box.top + box.bottom) / 2);
    }
    std::vector<RECT> parts;
    long long cost = 0;
    for (const std::vector<RECT>& group : CutAt(rects, across, cuts)) {
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
