// What a mesh region must hold, checked pixel by pixel against a real region.
#ifndef LANTREL_TESTS_MESH_EXPECT_H
#define LANTREL_TESTS_MESH_EXPECT_H

#include <windows.h>

#include <string>
#include <vector>

namespace meshtest {

// The mesh of a w x h window: n = (w + 1) / 2 dots on each line y = 0..h, at x = 0, 2, ...,
// 2n - 2 on even lines and one pixel further left on odd lines.
inline bool InMesh(int x, int y, int w, int h) {
    int n = (w + 1) / 2;
    if (y < 0 || y > h) return false;
    int k = x + y % 2;  // the dot's index times two
    return k >= 0 && k % 2 == 0 && k / 2 < n;
}

// "" if region holds exactly the mesh pixels of a w x h window, else the first wrong pixel.
inline std::string MeshMismatch(HRGN region, int w, int h) {
    DWORD size = ::GetRegionData(region, 0, nullptr);
    std::vector<char> buffer(size ? size : sizeof(RGNDATA));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (size == 0 || ::GetRegionData(region, size, data) == 0) return "no region data";
    // Pixels x in [-2, w + 1], y in [-1, h + 1]: the mesh and a margin around it.
    const int gw = w + 4, gh = h + 3;
    std::vector<char> grid(static_cast<size_t>(gw) * gh, 0);
    const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
    for (DWORD i = 0; i < data->rdh.nCount; ++i) {
        const RECT& r = rects[i];
        if (r.left < -2 || r.top < -1 || r.right > w + 2 || r.bottom > h + 2) {
            return "rectangle outside the mesh at " + std::to_string(r.left) + "," +
                   std::to_string(r.top);
        }
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) grid[(y + 1) * gw + x + 2] = 1;
        }
    }
    for (int y = -1; y <= h + 1; ++y) {
        for (int x = -2; x <= w + 1; ++x) {
            if ((grid[(y + 1) * gw + x + 2] != 0) != InMesh(x, y, w, h)) {
                return "pixel " + std::to_string(x) + "," + std::to_string(y);
            }
        }
    }
    return "";
}

}  // namespace meshtest

#endif
