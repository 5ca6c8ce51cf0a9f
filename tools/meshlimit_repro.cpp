// How many rectangles a window region may have under Wine, apart from Lantrel: a popup of
// WIDTH x HEIGHT given a one-pixel checkerboard region (its first COUNT rectangles, all by
// default) with SetWindowRgn, shown for a second and a half.  Prints the region's rectangles
// and "survived" if the program is still alive then.
//
//   wine meshlimit_repro.exe WIDTH HEIGHT [COUNT]
//
// Wine hands a top-level window's region to the X server in one request of the SHAPE extension
// (winex11.drv sync_window_region: XShapeCombineRectangles), whose 16-bit length, in 4-byte
// units, holds a 16-byte header and 8 bytes a rectangle: at most 32,765 rectangles.
// December 2026, Wine 8 and Wine 10 (ClientSideGraphics N): 32,765 survive; 32,766 hang (the
// length wraps to 0); 32,767 end the program with BadLength on X_ShapeRectangles; more make
// the X server misread what follows (BadLength on X_CopyPlane, BadDrawable on X_PolyPoint...).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
    std::vector<char> data(sizeof(RGNDATAHEADER) + sizeof(RECT) * width * height);
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    auto* rects = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
    DWORD count = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = y % 2; x < width; x += 2) rects[count++] = RECT{x, y, x + 1, y + 1};
    }
    if (argc > 3 && static_cast<DWORD>(std::atoi(argv[3])) < count) count = std::atoi(argv[3]);
    *header = RGNDATAHEADER{sizeof(RGNDATAHEADER), RDH_RECTANGLES, count, 0, {0, 0, width, height}};
    HRGN region = ::ExtCreateRegion(
        nullptr, static_cast<DWORD>(sizeof(RGNDATAHEADER) + sizeof(RECT) * count),
        reinterpret_cast<RGNDATA*>(data.data()));
    DWORD size = ::GetRegionData(region, 0, nullptr);
    std::printf("%d x %d: %d rectangles\n", width, height,
                static_cast<int>((size - sizeof(RGNDATAHEADER)) / sizeof(RECT)));
    std::fflush(stdout);
    HWND popup = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | SS_BLACKRECT, 10, 10, width,
                                   height, nullptr, nullptr, nullptr, nullptr);
    ::SetWindowRgn(popup, region, TRUE);  // the window's from now on
    ::ShowWindow(popup, SW_SHOW);
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < 1500;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        ::Sleep(10);
    }
    std::printf("survived\n");
    return 0;
}
