#include "mesh.h"

CRgn MakeMeshRegion(CWnd* window) {
    CRgn region;
    HWND hWnd = window != nullptr ? window->GetSafeHwnd() : nullptr;
    if (hWnd == nullptr || !::IsWindow(hWnd)) return region;
    RECT rect;
    ::GetWindowRect(hWnd, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return region;

    region.CreateRectRgn(0, 0, 1, 1);
    CRgn row;
    row.CreateRectRgn(0, 0, 1, 1);
    {
        // The dots of line 0: x = 0, 2, ..., one per two pixels, rounded up.
        CRgn dot;
        dot.CreateRectRgn(0, 0, 1, 1);
        for (int n = (width + 1) / 2; n > 0; --n) {
            row.CombineRgn(&row, &dot, RGN_OR);
            dot.OffsetRgn(2, 0);
        }
    }
    // Odd lines are the row shifted one pixel left; the pixels that fall outside the window
    // (x = -1, and line height) are clipped away by the window.
    for (int i = 0; i <= height; ++i) {
        region.CombineRgn(&region, &row, RGN_OR);
        row.OffsetRgn(i % 2 == 0 ? -1 : 1, 1);
    }
    return region;
}
