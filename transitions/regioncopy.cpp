#include "regioncopy.h"

#include <algorithm>
#include <utility>

namespace {

// Cuts below this depth gain too little to be worth looking for.
const int kMaxCutDepth = 24;

long long Area(const RECT& r) {
    return static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
}

std::vector<RECT> RegionRects(HRGN region) {
    std::vector<RECT> rects;
    DWORD size = region != nullptr ? ::GetRegionData(region, 0, nullptr) : 0;
    if (size == 0) return rects;
    std::vector<char> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (::GetRegionData(region, size, data) == 0) return rects;
    const RECT* first = reinterpret_cast<const RECT*>(data->Buffer);
    rects.assign(first, first + data->rdh.nCount);
    return rects;
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

// The widest empty stretch between the rectangles along one axis (across: x, else y): where it
// ends (a cut there cuts no rectangle) and how wide it is; width 0 if there is none.
std::pair<LONG, LONG> WidestGap(const std::vector<RECT>& rects, bool across) {
    std::vector<std::pair<LONG, LONG>> spans;
    spans.reserve(rects.size());
    for (const RECT& r : rects) {
        spans.emplace_back(across ? r.left : r.top, across ? r.right : r.bottom);
    }
    std::sort(spans.begin(), spans.end());
    std::pair<LONG, LONG> widest = {0, 0};
    LONG reach = spans.front().second;
    for (const auto& span : spans) {
        if (span.first - reach > widest.second) widest = {span.first, span.first - reach};
        reach = std::max(reach, span.second);
    }
    return widest;
}

// Puts the parts of rects before the line at `at` (across: x = at, else y = at) in before and
// the parts after it in after.
void CutAt(const std::vector<RECT>& rects, bool across, LONG at, std::vector<RECT>& before,
           std::vector<RECT>& after) {
    for (const RECT& r : rects) {
        LONG low = across ? r.left : r.top, high = across ? r.right : r.bottom;
        RECT part = r;
        if (low < at) {
            (across ? part.right : part.bottom) = std::min(high, at);
            before.push_back(part);
        }
        if (high > at) {
            part = r;
            (across ? part.left : part.top) = std::max(low, at);
            after.push_back(part);
        }
    }
}

// Appends the pieces for rects to pieces and returns what copying them costs, in pixels: the
// bounding box as one piece, or the two halves of a cut if they cost less.  The cut goes
// through the widest empty stretch if there is one (it cuts nothing), else across the middle
// of the longer side.
long long AddPieces(const std::vector<RECT>& rects, int depth, std::vector<RECT>& pieces) {
    RECT box = BoundingBox(rects);
    long long covered = 0;
    for (const RECT& r : rects) covered += Area(r);
    long long whole = kCopyCallPixels + Area(box);
    if (rects.size() == 1 || Area(box) - covered <= kCopyCallPixels || depth >= kMaxCutDepth) {
        pieces.push_back(box);
        return whole;
    }
    std::pair<LONG, LONG> gapX = WidestGap(rects, true), gapY = WidestGap(rects, false);
    bool across;
    LONG at;
    if (gapX.second > 0 || gapY.second > 0) {
        // The gap that leaves out more of the box.
        across = static_cast<long long>(gapX.second) * (box.bottom - box.top) >=
                 static_cast<long long>(gapY.second) * (box.right - box.left);
        at = across ? gapX.first : gapY.first;
    } else {
        across = box.right - box.left >= box.bottom - box.top;
        at = across ? (box.left + box.right) / 2 : (box.top + box.bottom) / 2;
    }
    std::vector<RECT> before, after, parts;
    CutAt(rects, across, at, before, after);
    long long cut = AddPieces(before, depth + 1, parts) + AddPieces(after, depth + 1, parts);
    if (cut >= whole) {
        pieces.push_back(box);
        return whole;
    }
    pieces.insert(pieces.end(), parts.begin(), parts.end());
    return cut;
}

}  // namespace

std::vector<RECT> CopyPieces(const CRgn& area) {
    std::vector<RECT> rects = RegionRects(area.GetSafeHandle());
    std::vector<RECT> pieces;
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
