// A region's data read back as GetRegionData gives it: the rectangles the region is made of, for
// tests and tools that count or look at them, or hand them on to ExtCreateRegion.  Header-only,
// so that a tool standing apart from Lantrel's libraries (rgnstep_repro) reads regions the same
// way.
#ifndef LANTREL_SUPPORT_REGIONDATA_H
#define LANTREL_SUPPORT_REGIONDATA_H

#include <windows.h>

#include <vector>

namespace wintest {

class RegionData {
public:
    // No region, or one whose data cannot be read, holds no rectangles.
    explicit RegionData(HRGN region) {
        DWORD bytes = region != nullptr ? ::GetRegionData(region, 0, nullptr) : 0;
        if (bytes < sizeof(RGNDATAHEADER)) return;
        m_bytes.resize(bytes);
        if (::GetRegionData(region, bytes, reinterpret_cast<RGNDATA*>(m_bytes.data())) == 0) {
            m_bytes.clear();
        }
    }

    // The header and the rectangles as ExtCreateRegion takes them; nullptr and 0 if none.
    const RGNDATA* Data() const {
        return m_bytes.empty() ? nullptr : reinterpret_cast<const RGNDATA*>(m_bytes.data());
    }
    DWORD Bytes() const { return static_cast<DWORD>(m_bytes.size()); }

    // The rectangles, top to bottom and left to right in each band.
    size_t Count() const { return m_bytes.empty() ? 0 : Data()->rdh.nCount; }
    const RECT* begin() const {
        return m_bytes.empty() ? nullptr : reinterpret_cast<const RECT*>(Data()->Buffer);
    }
    const RECT* end() const { return begin() + Count(); }
    std::vector<RECT> Rects() const { return std::vector<RECT>(begin(), end()); }

private:
    std::vector<char> m_bytes;
};

}  // namespace wintest

#endif
