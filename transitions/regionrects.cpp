#include "regionrects.h"

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
