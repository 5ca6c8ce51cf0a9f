#include "tools/benchprogram.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <optional>
#include <thread>

#include "app/commands.h"
#include "framework/gdi.h"
#include "res/resource.h"
#include "support/program.h"

namespace {

using Clock = std::chrono::steady_clock;

// The program started, its frame maximised if asked and settled; false if it did not start.
bool StartProgram(program::Lantrel& app, bool maximise) {
    if (!app.Start()) return false;
    if (maximise) {
        ::ShowWindow(app.Frame(), SW_MAXIMIZE);
        program::Wait(500);
    }
    return true;
}

SIZE ClientSize(HWND hWnd) {
    RECT client = {};
    ::GetClientRect(hWnd, &client);
    return SIZE{client.right - client.left, client.bottom - client.top};
}

// A growing shape reversed costs about twice what it costs forward (its steps are rings of
// twice the rectangles), and the program picks the way at random: so each run is labelled.
bool IsGrowingShape(UINT id) {
    const TransitionCommand* command = FindTransitionCommand(id);
    if (command == nullptr) return false;
    EffectType type = command->type;
    return type == EffectType::CircleLike || type == EffectType::RectLike ||
           type == EffectType::DiamondLike || type == EffectType::Lens;
}

// Which way a growing shape runs, told from the view's window region while the command runs:
// forward each step's region is the shape about the client area's centre; reversed it is the
// ring of the client area outside the shape, which reaches every edge and holds the centre in
// its hole until the last step.  The region is read from a thread of this process again and
// again until one is seen (GetWindowRgn takes any window, not only the caller's own): a step of
// the lens (delay 0) holds its region only between two calls, well under a millisecond under
// Wine 8.  The first region comes within a step or two of the start, so the watch costs the
// program little.
class WayWatch {
public:
    explicit WayWatch(HWND view) : thread_([this, view] { Watch(view); }) {}
    ~WayWatch() { Stop(); }
    // 'F' forward, 'R' reversed, '?' no region seen.
    char Stop() {
        done_ = true;
        if (thread_.joinable()) thread_.join();
        return way_;
    }

private:
    void Watch(HWND view) {
        // The program builds each region in client coordinates and sets it as it is (a window
        // region is read in window coordinates): the point to test is the client area's centre.
        RECT client = {};
        ::GetClientRect(view, &client);
        POINT centre = {client.right / 2, client.bottom / 2};
        CRgn region;
        region.CreateRectRgn(0, 0, 0, 0);
        while (!done_) {
            int kind = ::GetWindowRgn(view, region);
            if (kind == SIMPLEREGION || kind == COMPLEXREGION) {
                // A forward shape's first steps can be too small to hold the very centre.
                RECT box = {};
                region.GetRgnBox(&box);
                bool ring = box.right - box.left >= client.right * 9 / 10 &&
                            box.bottom - box.top >= client.bottom * 9 / 10;
                way_ = ring && !::PtInRegion(region, centre.x, centre.y) ? 'R' : 'F';
                break;
            }
            ::SwitchToThread();
        }
    }

    std::atomic<bool> done_{false};
    char way_ = '?';
    std::thread thread_;
};

const char* WayWords(char way) {
    return way == 'R' ? " (reversed)" : way == 'F' ? " (forward)" : " (way not seen)";
}

void Finish(program::Lantrel& app) {
    app.PostCommand(ID_APP_EXIT);
    if (app.WaitExit(60000) < 0) app.Kill();
}

}  // namespace

SIZE MaximisedViewSize() {
    program::Lantrel app;
    if (!StartProgram(app, true)) return SIZE{0, 0};
    SIZE size = ClientSize(app.View());
    Finish(app);
    return size;
}

ProgramFigures MeasureProgram(bool maximise, int runs) {
    ProgramFigures figures;
    figures.maximised = maximise;
    program::Lantrel app;
    if (!StartProgram(app, maximise)) {
        figures.problem = "lantrel.exe did not start";
        return figures;
    }
    figures.view = ClientSize(app.View());
    for (UINT id : program::PictureCommands()) figures.commands.push_back({id, {}, {}});
    // Run after run through the menu, so that a passing disturbance of a shared machine spreads
    // over the commands instead of falling on all the runs of one.
    for (int run = 0; run < runs && app.Running(); ++run) {
        for (ProgramCommand& command : figures.commands) {
            program::Wait(200);  // what the last command asked to be repainted, done
            bool labelled = IsGrowingShape(command.id);
            std::optional<WayWatch> watch;
            if (labelled) watch.emplace(app.View());
            auto start = Clock::now();
            bool answered = app.SendCommand(command.id, 240000);
            double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            command.ms.push_back(answered ? ms : -1);
            if (labelled) command.ways += watch->Stop();
            std::printf("  program, command %u: %.0f ms%s\n", command.id, ms,
                        labelled ? WayWords(command.ways.back()) : "");
        }
    }
    if (!app.Running()) figures.problem = "lantrel.exe ended while the commands ran";
    Finish(app);
    figures.ok = figures.problem.empty();
    return figures;
}
