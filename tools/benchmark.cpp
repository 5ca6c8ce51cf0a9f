// Measures every transition under the real platform, through the same RunTransition the
// program uses, on a view of the program's size (800 x 600, or the client area of its frame
// maximised on this screen); with --maximised, also every View command in the real program
// maximised; and the "Semi-Transparent Show" dialog in the real program.  Prints tables, and
// the figures also go to a JSON file.
//
//     benchmark [path.json] [PART[,PART...]] [--maximised] [--runs N]
//
// PART: transitions, fade (the fade's two halves alone), program, mesh; default benchmark.json
// and every part (the program's commands only with --maximised).  Each command runs N times
// (default 3), run after run through them all, and its figures are given with their spread;
// what they depend on (platform, processor, screen, Wine's settings, the load) is printed first
// and written with them.
// Steps are counted from the window-region notifications the view receives, so whichever
// effect routines exist are measured without knowing them; a type whose routine is not there
// yet shows no steps.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "support/wintest.h"
#include "tools/benchreport.h"
#include "transitions/darken.h"
#include "transitions/drawdib.h"
#include "transitions/fade.h"
#include "animation/framepacer.h"
#include "transitions/transition.h"

using Type = EffectType;
using Flags = EffectFlags;

namespace {

using Clock = std::chrono::steady_clock;
const int kPictureWidth = 800, kPictureHeight = 600;
int g_width = 800, g_height = 600;  // the view's client area

using Row = CommandRun;

bool IsFade(const Row& row) {
    return row.type == Type::FadeIn || row.type == Type::FadeOut;
}

// Every View command as the program runs it (tools/commandruns.h), then the two halves of
// "Fade In/Out".
std::vector<Row> BenchmarkRows(bool fadeOnly) {
    std::vector<Row> rows = fadeOnly ? std::vector<Row>() : CommandRuns();
    std::string fade = MenuCaption(ID_VIEW_FADE);
    rows.push_back({Type::FadeOut, Flags::None, kDelay10Ms, fade + " (out)"});
    rows.push_back({Type::FadeIn, Flags::None, kDelay10Ms, fade + " (in)"});
    return rows;
}

double Since(Clock::time_point start, double scale) {
    return std::chrono::duration<double>(Clock::now() - start).count() * scale;
}

// Lets the windowing system catch up between runs: paints, presents.
void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    ::MsgWaitForMultipleObjectsEx(0, nullptr, 50, 0, 0);
}

// The program's two pictures; each transition brings in the other one.
CBitmap g_pictures[2];
int g_shown = 0;

void DrawPicture(CWnd*, CDC* dc) {
    CCreatedDC memory;
    memory.CreateCompatibleDC(dc);
    CSelectObject select(memory, g_pictures[g_shown]);
    dc->BitBlt(0, 0, kPictureWidth, kPictureHeight, &memory, 0, 0, SRCCOPY);
}

// The new frame as RunTransition composes it: the window colour, the picture over it.
CBitmap Compose(CWnd& view, CDC& target) {
    CBitmap frame;
    frame.CreateCompatibleBitmap(target, g_width, g_height);
    CCreatedDC memory;
    memory.CreateCompatibleDC(&target);
    CSelectObject select(memory, frame);
    RECT client = {0, 0, g_width, g_height};
    CBrush background(::GetSysColor(COLOR_WINDOW));
    memory.FillRect(&client, background);
    DrawPicture(&view, &memory);
    return frame;
}

CCreatedDC MemoryDC(CDC& target) {
    CCreatedDC memory;
    memory.CreateCompatibleDC(&target);
    return memory;
}

// The view's device context, and the new frame composed off-screen and selected into a memory
// DC: what a transition copies from.
struct Composed {
    explicit Composed(CWnd& view)
        : target(view.m_hWnd), frame(Compose(view, target)), source(MemoryDC(target)),
          select(source, frame) {}
    CClientDC target;
    CBitmap frame;
    CCreatedDC source;
    CSelectObject select;
};

// The transition as RunTransition composes it, but with no pause and no frame hold between
// the steps: only their work.
void RunUnpaced(CWnd& view, EffectFlags flags, EffectType type) {
    Composed composed(view);
    DispatchTransition(PlanTransition(type, flags, &view),
                       {&view, &composed.target, &composed.source});
}

// One run of a row: the whole transition with its pauses, then its steps without them.
void MeasureRegions(wintest::RecordingView& view, Result& result) {
    const Row& row = result.row;
    g_shown = 1 - g_shown;
    view.Reset();
    auto start = Clock::now();
    RunTransition(&view, DrawPicture, row.delay, row.flags, row.type);
    result.wallRunsMs.push_back(Since(start, 1e3));
    result.steps = static_cast<int>(view.StepTimes().size());
    // A step without a pause is held for one display refresh.
    result.nominalMs =
        result.steps * (row.delay != 0 ? row.delay * 5.0 : FramePacer().IntervalMs());
    Pump();
    // Again without the pause: the time between one step setting its region and the next.
    g_shown = 1 - g_shown;
    view.Reset();
    RunUnpaced(view, row.flags, row.type);
    std::vector<double> times = view.StepTimes();
    for (size_t i = 1; i < times.size(); ++i) {
        result.workUs.push_back((times[i] - times[i - 1]) * 1e3);
    }
    Pump();
}

// The composed frame of the picture on show as the fade reads it: 32-bit, bottom-up.
std::vector<unsigned> Master(CWnd& view, CDC& target) {
    CBitmap frame = Compose(view, target);
    BITMAPINFO info = FadeImageInfo(g_width, g_height);
    std::vector<unsigned> master(static_cast<size_t>(g_width) * g_height);
    ::GetDIBits(target, frame, 0, g_height, master.data(), &info, DIB_RGB_COLORS);
    return master;
}

// One run of a half of the fade: the whole of it with its holds, then its frames without them.
void MeasureFade(wintest::RecordingView& view, Result& result, FadeFigures& fade) {
    const Row& row = result.row;
    g_shown = 1 - g_shown;
    auto start = Clock::now();
    RunTransition(&view, DrawPicture, row.delay, row.flags, row.type);
    result.wallRunsMs.push_back(Since(start, 1e3));
    Pump();
    // The frames without their pause: the fade as the program plays it, timed at each hold.
    g_shown = 1 - g_shown;
    Composed composed(view);
    TransitionRequest request(&view, &composed.target, &composed.source);
    std::vector<double> times;
    start = Clock::now();
    RunFade(PlanTransition(row.type, Flags::None, RECT{0, 0, g_width, g_height}), request,
            [&] { times.push_back(Since(start, 1e6)); });
    std::vector<double> work;
    for (size_t i = 0; i < times.size(); ++i) {
        // The first frame's time holds the fade's setup too: reading the picture, preparing
        // DrawDib.  It is left out; the others are one frame each.
        if (i > 0) work.push_back(times[i] - times[i - 1]);
    }
    if (!times.empty()) fade.setupMs.push_back(times[0] / 1e3);
    result.steps = static_cast<int>(times.size());
    result.nominalMs = result.steps * FramePacer().IntervalMs();
    result.workUs.insert(result.workUs.end(), work.begin(), work.end());
    fade.frames.insert(fade.frames.end(), work.begin(), work.end());
    Pump();
}

// The rows of image (within the whole bottom-up picture of g_width x g_height) as an image of
// their own, bottom-up too.
std::vector<unsigned> Cut(const std::vector<unsigned>& whole, const RECT& image) {
    int width = image.right - image.left;
    std::vector<unsigned> part;
    for (int y = image.bottom - 1; y >= image.top; --y) {
        const unsigned* row = whole.data() + static_cast<size_t>(g_height - 1 - y) * g_width;
        part.insert(part.end(), row + image.left, row + image.left + width);
    }
    return part;
}

// The parts of a fade frame as the program draws it, and the whole picture drawn and copied
// other ways; medians of 41 runs.
void MeasureFadeParts(wintest::RecordingView& view, FadeFigures& fade) {
    Composed composed(view);
    CDC& target = composed.target;
    CCreatedDC& memory = composed.source;
    RECT rect = {0, 0, g_width, g_height};
    unsigned flat = 0;
    RECT image = BusyPart(memory, rect, flat);
    fade.busy = {image.right - image.left, image.bottom - image.top};
    std::vector<unsigned> whole = Master(view, target), wholeOut(whole.size());
    std::vector<unsigned> master = Cut(whole, image), working(master.size());
    BITMAPINFO info = FadeImageInfo(fade.busy.cx, fade.busy.cy);
    BITMAPINFO wholeInfo = FadeImageInfo(g_width, g_height);
    CDrawDibSeries drawing, wholeDrawing;
    drawing.Begin(target, &info.bmiHeader, DDF_HALFTONE);
    wholeDrawing.Begin(target, &wholeInfo.bmiHeader, DDF_HALFTONE);
    std::vector<double> darken, draw, fill, wholeDraw, oneShot, blit, copy;
    auto time = [](std::vector<double>& into, auto&& work) {
        auto start = Clock::now();
        work();
        ::GdiFlush();
        into.push_back(Since(start, 1e6));
    };
    for (int run = 0; run < 41; ++run) {
        int level = 10 + 2 * (run % 45);  // below 100: 100 is a plain copy
        time(darken, [&] { DarkenPixels(master.data(), working.data(), master.size(), level); });
        time(draw, [&] { drawing.Draw(image.left, image.top, working.data()); });
        FadeFrame shown = {target, rect, image, level, &info.bmiHeader, working.data()};
        time(fill, [&] { FillAroundImage(shown, flat); });
        time(wholeDraw, [&] { wholeDrawing.Draw(0, 0, whole.data()); });
        time(oneShot, [&] {
            DrawDibBlit(target, 0, 0, g_width, g_height, &wholeInfo.bmiHeader, whole.data(), 0, 0,
                        g_width, g_height, DDF_HALFTONE);
        });
        time(blit, [&] { target.BitBlt(0, 0, g_width, g_height, &memory, 0, 0, SRCCOPY); });
        time(copy, [&] { std::memcpy(wholeOut.data(), whole.data(), whole.size() * 4); });
    }
    fade.darkenUs = Median(darken);
    fade.drawUs = Median(draw);
    fade.fillUs = Median(fill);
    fade.wholeDrawUs = Median(wholeDraw);
    fade.oneShotDrawUs = Median(oneShot);
    fade.plainCopyUs = Median(blit);
    fade.memcpyUs = Median(copy);
    fade.megabytes = whole.size() * 4 / 1e6;
    fade.intervalMs = FramePacer().IntervalMs();
    fade.frameUs = Median(fade.frames);
    fade.frameWorstUs = Worst(fade.frames);
}

// Every row on the benchmark's own view of the figures' size; false if it could not be made.
bool MeasureTransitions(Figures& figures, bool fadeOnly) {
    g_pictures[0].LoadBitmap(::GetModuleHandleW(nullptr), L"Genie");
    g_pictures[1].LoadBitmap(::GetModuleHandleW(nullptr), L"Mouse");
    // Steps are counted from the view's notifications alone: reading its region back would
    // cost more than a step.
    wintest::RecordingView view;
    view.recordRegions = false;
    view.paintColor = static_cast<COLORREF>(-1);
    if (g_pictures[0].GetSafeHandle() == nullptr || g_pictures[1].GetSafeHandle() == nullptr ||
        !view.Open(0, 0, g_width, g_height)) {
        std::fprintf(stderr, "benchmark: cannot load the pictures or open the view\n");
        return false;
    }
    Pump();
    for (const Row& row : BenchmarkRows(fadeOnly)) {
        figures.results.emplace_back();
        figures.results.back().row = row;
    }
    // Run after run through every row, so that a passing disturbance of a shared machine
    // spreads over the rows instead of falling on all the runs of one.
    for (int run = 0; run < figures.conditions.runs; ++run) {
        for (Result& result : figures.results) {
            if (IsFade(result.row)) {
                MeasureFade(view, result, figures.fade);
            } else {
                MeasureRegions(view, result);
            }
        }
    }
    for (Result& result : figures.results) {
        result.wallMs = Median(result.wallRunsMs);
        result.medianUs = Median(result.workUs);
        result.worstUs = Worst(result.workUs);
    }
    MeasureFadeParts(view, figures.fade);
    std::vector<double> bare;
    for (int run = 0; run < 3; ++run) {
        g_shown = 1 - g_shown;
        auto start = Clock::now();
        RunTransition(&view, DrawPicture, kDelay10Ms, Flags::None, kNoSuchEffect);
        bare.push_back(Since(start, 1e3));
        Pump();
    }
    figures.fade.bareTransitionMs = Median(bare);
    PrintTransitions(figures);
    return true;
}

// What was asked for on the command line.
struct Options {
    std::string path = "benchmark.json";
    bool transitions = true, fadeOnly = false, maximised = false;
    bool program = false, mesh = true;
    int runs = 3;
};

Options ReadOptions(int argc, char** argv) {
    Options options;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--maximised") == 0) {
            options.maximised = true;
        } else if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            options.runs = std::max(1, std::atoi(argv[++i]));
        } else {
            args.push_back(argv[i]);
        }
    }
    if (!args.empty()) options.path = args[0];
    std::string parts = args.size() > 1 ? "," + args[1] + "," : "";
    auto asked = [&](const char* part) {
        return parts.find(std::string(",") + part + ",") != std::string::npos;
    };
    bool all = parts.empty();
    options.fadeOnly = asked("fade") && !asked("transitions");
    options.transitions = all || asked("transitions") || options.fadeOnly;
    options.program = asked("program") || (all && options.maximised);
    options.mesh = all || asked("mesh");
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    Options options = ReadOptions(argc, argv);
    Figures figures;
    figures.conditions = ReadConditions(options.runs);
    PrintConditions(figures.conditions);
    figures.machine = Machine(figures.conditions);
    figures.screen = figures.conditions.screen;
    figures.maximised = options.maximised;
    figures.hasProgram = options.program;
    figures.hasMesh = options.mesh;
    if (figures.hasProgram) {
        figures.program = MeasureProgram(figures.maximised, options.runs);
        if (figures.maximised) figures.view = figures.program.view;
    }
    if (figures.maximised && figures.view.cx == 0) figures.view = MaximisedViewSize();
    if (!figures.maximised) figures.view = {kPictureWidth, kPictureHeight};
    g_width = figures.view.cx;
    g_height = figures.view.cy;
    if (options.transitions &&
        (g_width <= 0 || g_height <= 0 || !MeasureTransitions(figures, options.fadeOnly))) {
        std::fprintf(stderr, "benchmark: no view to run the transitions on\n");
        return 1;
    }
    if (figures.hasProgram) PrintProgram(figures);
    if (figures.hasMesh) {
        figures.mesh = MeasureMeshDialog(options.runs, figures.maximised);
        PrintMesh(figures.mesh);
    }
    figures.conditions.loadEnd = LoadAverage();
    figures.conditions.rebuildEndMs = RegionRebuildMs();
    std::printf("\nLoad average (1, 5, 15 min) at the start: %s; at the end: %s\n"
                "Region of %d rectangles made from its data: %.1f ms at the start, %.1f ms at "
                "the end\n",
                figures.conditions.loadStart.c_str(), figures.conditions.loadEnd.c_str(),
                kRebuildRectangles, figures.conditions.rebuildStartMs,
                figures.conditions.rebuildEndMs);
    if (!WriteJson(options.path.c_str(), figures)) {
        std::fprintf(stderr, "benchmark: cannot write %s\n", options.path.c_str());
        return 1;
    }
    std::printf("Figures written to %s\n", options.path.c_str());
    return 0;
}
