// The pixel set of a mesh region, for tests that read one back.
#ifndef LANTREL_SUPPORT_MESH_EXPECT_H
#define LANTREL_SUPPORT_MESH_EXPECT_H

// True if pixel (x, y) of a w x h window's mesh is covered: on each line y = 0..h the
// (w + 1) / 2 dots x = 0, 2, ... on even lines, one pixel further left on odd lines.
inline bool InMesh(int x, int y, int w, int h) {
    int k = x + y % 2;  // twice the dot's index
    return y >= 0 && y <= h && k >= 0 && k % 2 == 0 && k / 2 < (w + 1) / 2;
}

#endif
