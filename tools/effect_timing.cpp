// Prints how long each region transition takes on an 800 x 600 client area: the wall time of a
// full run with the command's own delay against its nominal time (steps x delay x 5 ms), and
// the work per step with no pause at all.
//
//     wine build/mingw/tools/effect_timing.exe [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "support/wintest.h"
#include "tools/commandruns.h"
#include "transitions/transition.h"

namespace {

CBitmap g_picture;

void DrawPicture(CWnd*, CDC* dc) {
    CCreatedDC memory;
    memory.CreateCompatibleDC(dc);
    CSelectObject select(memory, g_picture);
    dc->BitBlt(0, 0, 800, 600, &memory, 0, 0, SRCCOPY);
}

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER count;
    ::QueryPerformanceCounter(&count);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Milliseconds for one transition.
double TimeRun(wintest::RecordingView& view, const CommandRun& effect, int delay) {
    double start = Now();
    RunTransition(&view, DrawPicture, delay, effect.flags, effect.type);
    double elapsed = Now() - start;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    // Steps are counted from the view's notifications alone: reading its region back would
    // cost time.
    wintest::RecordingView view;
    view.recordRegions = false;
    view.paintColor = static_cast<COLORREF>(-1);
    if (!view.Open(0, 0, 800, 600)) {
        std::printf("cannot create the timing window\n");
        return 1;
    }
    g_picture.CreateCompatibleBitmap(CClientDC(nullptr), 800, 600);

    std::printf("800 x 600 client area, best of %d runs; times in ms\n", runs);
    std::printf("%-26s %5s %5s %9s %9s %7s %10s\n", "effect", "steps", "delay", "nominal",
                "measured", "ratio", "work/step");
    std::string previous;
    for (const CommandRun& effect : CommandRuns()) {
        // A reversed run follows its forward one.
        std::string name = effect.name == previous ? "  reversed" : effect.name;
        previous = effect.name;
        double paced = 1e30, unpaced = 1e30;
        view.Reset();
        TimeRun(view, effect, 0);
        int steps = static_cast<int>(view.StepTimes().size());
        for (int run = 0; run < runs; ++run) {
            unpaced = std::min(unpaced, TimeRun(view, effect, 0));
            if (effect.delay > 0) paced = std::min(paced, TimeRun(view, effect, effect.delay));
        }
        double nominal = steps * effect.delay * 5.0;
        double perStep = steps > 0 ? unpaced / steps : 0.0;
        if (effect.delay > 0) {
            std::printf("%-26s %5d %5d %9.0f %9.1f %7.3f %10.3f\n", name.c_str(), steps,
                        effect.delay, nominal, paced, paced / nominal, perStep);
        } else {
            std::printf("%-26s %5d %5d %9s %9.1f %7s %10.3f\n", name.c_str(), steps, effect.delay,
                        "-", unpaced, "-", perStep);
        }
        std::fflush(stdout);
    }
    return 0;
}
