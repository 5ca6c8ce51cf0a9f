// What one reveal step's window-region calls cost on a large child window, apart from Lantrel:
// a window covering the screen with one child filling it; each step gives the child a region
// with SetWindowRgn(region, FALSE), presents (MsgWaitForMultipleObjectsEx, 0 ms) and lifts the
// region with SetWindowRgn(NULL, FALSE), as RevealRegion does.  Prints the mean cost of each
// call, and what making each step's region again from its rectangles (ExtCreateRegion) costs.
//
//   wine rgnstep_repro.exe [steps] [option...]
//
// The region: ellipse (default; the square about the circle through the child's corners grown
// step by step, as "Circle-like" does, so it reaches beyond the window), rect (one rectangle),
// bricks (the mosaic's 80 x 15 bricks, each 4 pixels grown), clipped (the shape cut to the
// window's rectangle, which shows the same).  The windows: frame (an overlapped window with a
// caption and menu, maximised, instead of a popup), clipchildren, clipsiblings, composited
// (WS_EX_COMPOSITED on the top window), owndc (CS_OWNDC), popupview (the region's window a
// popup of its own instead of a child).  The order: clearfirst (the region lifted before the
// present).
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "support/regiondata.h"

namespace {

bool g_options[32];
const char* const kOptions[] = {"rect",         "bricks",       "clipped",    "frame",
                                "clipchildren", "clipsiblings", "composited", "owndc",
                                "popupview",    "clearfirst"};
enum {
    Rect,
    Bricks,
    Clipped,
    Frame,
    ClipChildren,
    ClipSiblings,
    Composited,
    OwnDc,
    PopupView,
    ClearFirst
};

LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    return DefWindowProcW(h, m, w, l);
}

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

void Pump(int ms) {
    MSG msg;
    for (int i = 0; i < ms / 10; ++i) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
}

// Step s of steps on a w x h window.
HRGN StepRegion(int s, int steps, int w, int h) {
    HRGN region;
    if (g_options[Rect]) {
        region = CreateRectRgn(0, 0, w * s / steps, h);
    } else if (g_options[Bricks]) {
        region = CreateRectRgn(0, 0, 0, 0);
        for (int y = 0, row = 0; y < h; y += 15, ++row) {
            for (int x = row % 2 ? -40 : 0; x < w; x += 80) {
                HRGN brick = CreateRectRgn(x, y, x + 4 * (s - 1) * 20 / steps, y + 15);
                CombineRgn(region, region, brick, RGN_OR);
                DeleteObject(brick);
            }
        }
    } else {
        int half =
            static_cast<int>(0.5 * sqrt(static_cast<double>(w) * w + static_cast<double>(h) * h));
        int r = half * s / steps;
        region = CreateEllipticRgn(w / 2 - r, h / 2 - r, w / 2 + r, h / 2 + r);
    }
    if (g_options[Clipped]) {
        HRGN window = CreateRectRgn(0, 0, w, h);
        CombineRgn(region, region, window, RGN_AND);
        DeleteObject(window);
    }
    return region;
}

// The top window (a popup covering the screen, or a maximised frame) and the view filling it.
void CreateWindows(HWND& top, HWND& view) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"rgnstep";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    wc.style = g_options[OwnDc] ? CS_OWNDC : 0;
    RegisterClassW(&wc);
    DWORD clip = (g_options[ClipChildren] ? WS_CLIPCHILDREN : 0) |
                 (g_options[ClipSiblings] ? WS_CLIPSIBLINGS : 0);
    DWORD exTop = g_options[Composited] ? WS_EX_COMPOSITED : 0;
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    if (g_options[Frame]) {
        HMENU menu = CreateMenu();
        AppendMenuW(menu, MF_STRING, 1, L"&File");
        top = CreateWindowExW(exTop, L"rgnstep", L"frame", WS_OVERLAPPEDWINDOW | clip, 0, 0, 800,
                              600, nullptr, menu, wc.hInstance, nullptr);
        ShowWindow(top, SW_MAXIMIZE);
    } else {
        top = CreateWindowExW(exTop, L"rgnstep", L"top", WS_POPUP | WS_VISIBLE | clip, 0, 0, sw,
                              sh - 40, nullptr, nullptr, wc.hInstance, nullptr);
    }
    RECT area;
    GetClientRect(top, &area);
    DWORD kind = g_options[PopupView] ? WS_POPUP : WS_CHILD;
    view = CreateWindowExW(WS_EX_CLIENTEDGE, L"rgnstep", L"view", kind | WS_VISIBLE | clip, 0, 0,
                           area.right, area.bottom, top, nullptr, wc.hInstance, nullptr);
}

// Times steps reveal steps on view and prints each call's mean cost.
void TimeSteps(HWND view, int steps) {
    RECT window;
    GetWindowRect(view, &window);
    int w = window.right - window.left, h = window.bottom - window.top;
    double set = 0, present = 0, clear = 0, make = 0, rects = 0;
    for (int s = 1; s <= steps; ++s) {
        HRGN region = StepRegion(s, steps, w, h);
        wintest::RegionData data(region);
        double t0 = Now();
        SetWindowRgn(view, region, FALSE);
        double t1 = Now(), t2, t3;
        if (g_options[ClearFirst]) {
            SetWindowRgn(view, nullptr, FALSE);
            t2 = Now();
            MsgWaitForMultipleObjectsEx(0, nullptr, 0, 0, 0);
            t3 = Now();
            clear += t2 - t1;
            present += t3 - t2;
        } else {
            MsgWaitForMultipleObjectsEx(0, nullptr, 0, 0, 0);
            t2 = Now();
            SetWindowRgn(view, nullptr, FALSE);
            t3 = Now();
            present += t2 - t1;
            clear += t3 - t2;
        }
        set += t1 - t0;
        // Wine makes regions from rectangle data in time quadratic in their number.
        double t4 = Now();
        DeleteObject(ExtCreateRegion(nullptr, data.Bytes(), data.Data()));
        make += Now() - t4;
        rects += static_cast<double>(data.Count());
    }
    std::printf("%d x %d window, %d steps:", w, h, steps);
    for (size_t k = 0; k < sizeof kOptions / sizeof kOptions[0]; ++k) {
        if (g_options[k]) std::printf(" %s", kOptions[k]);
    }
    std::printf(
        "\n  set %.2f ms, present %.2f ms, clear %.2f ms a step; regions of %.0f "
        "rectangles, each made again from its data by ExtCreateRegion in %.2f ms\n",
        set / steps, present / steps, clear / steps, rects / steps, make / steps);
}

}  // namespace

int main(int argc, char** argv) {
    int steps = argc > 1 && argv[1][0] >= '0' && argv[1][0] <= '9' ? atoi(argv[1]) : 40;
    for (int i = 1; i < argc; ++i) {
        for (size_t k = 0; k < sizeof kOptions / sizeof kOptions[0]; ++k) {
            if (strcmp(argv[i], kOptions[k]) == 0) g_options[k] = true;
        }
    }
    HWND top, view;
    CreateWindows(top, view);
    Pump(500);
    TimeSteps(view, steps);
    DestroyWindow(top);
    return 0;
}
