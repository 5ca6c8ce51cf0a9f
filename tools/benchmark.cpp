// Measures every transition on an 800 x 600 view under the real platform, through the same
// RunTransition the program uses, and the "Semi-Transparent Show" dialog in the real program;
// prints tables, and the figures also go to a JSON file.
//
//     benchmark [path.json] [transitions|mesh]     (default benchmark.json, both parts)
//
// Steps are counted from the window-region notifications the view receives, so whichever
// effect routines exist are measured without knowing them; a type whose routine is not there
// yet shows no steps.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tools/benchmesh.h"
#include "tools/commandruns.h"
#include "tools/benchview.h"
#include "transitions/darken.h"
#include "transitions/drawdib.h"
#include "transitions/fade.h"
#include "animation/framepacer.h"
#include "transitions/transition.h"

using Type = EffectType;
using Flags = EffectFlags;

namespace {

using Clock = std::chrono::steady_clock;
const int kWidth = 800, kHeight = 600;

using Row = CommandRun;

// Every View command as the program runs it (tools/commandruns.h), then the two halves of
// "Fade In/Out".
std::vector<Row> BenchmarkRows() {
    std::vector<Row> rows = CommandRuns();
    std::string fade = MenuCaption(ID_VIEW_FADE);
    rows.push_back({Type::FadeOut, Flags::None, kDelay10Ms, fade + " (out)"});
    rows.push_back({Type::FadeIn, Flags::None, kDelay10Ms, fade + " (in)"});
    return rows;
}

struct Result {
    Row row;
    int steps = 0;
    double nominalMs = 0, wallMs = 0, medianUs = 0, worstUs = 0;
};

struct FadeFigures {
    std::vector<double> frames;  // work of each frame without its pause, both halves, in us
    int intervalMs = 0;
    double frameUs = 0, frameWorstUs = 0, drawUs = 0, plainCopyUs = 0, darkenUs = 0, memcpyUs = 0;
};

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Worst(const std::vector<double>& values) {
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
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
    dc->BitBlt(0, 0, kWidth, kHeight, &memory, 0, 0, SRCCOPY);
}

// The transition as RunTransition composes it, but with no pause and no frame hold between
// the steps: only their work.
void RunUnpaced(CWnd& view, EffectFlags flags, EffectType type) {
    CClientDC target(view.m_hWnd);
    CCreatedDC source;
    source.CreateCompatibleDC(&target);
    CBitmap frame;
    frame.CreateCompatibleBitmap(target, kWidth, kHeight);
    CSelectObject select(source, frame);
    DrawPicture(&view, &source);
    TransitionRequest request = {&view, &target, &source, 0, flags, type};
    DispatchTransition(&request);
}

Result MeasureRegions(CStepCountingView& view, const Row& row) {
    Result result{row};
    g_shown = 1 - g_shown;
    view.Reset();
    auto start = Clock::now();
    RunTransition(&view, DrawPicture, row.delay, row.flags, row.type);
    result.wallMs = Since(start, 1e3);
    result.steps = static_cast<int>(view.StepTimes().size());
    // A step without a pause is held for one display refresh.
    result.nominalMs =
        result.steps * (row.delay != 0 ? row.delay * 5.0 : FramePacer().IntervalMs());
    Pump();
    // Again without the pause: the time between one step setting its region and the next.
    g_shown = 1 - g_shown;
    view.Reset();
    RunUnpaced(view, row.flags, row.type);
    std::vector<double> work;
    const std::vector<double>& times = view.StepTimes();
    for (size_t i = 1; i < times.size(); ++i) work.push_back((times[i] - times[i - 1]) * 1e3);
    result.medianUs = Median(work);
    result.worstUs = Worst(work);
    Pump();
    return result;
}

Result MeasureFade(CStepCountingView& view, const Row& row, FadeFigures& fade) {
    Result result{row};
    g_shown = 1 - g_shown;
    auto start = Clock::now();
    RunTransition(&view, DrawPicture, row.delay, row.flags, row.type);
    result.wallMs = Since(start, 1e3);
    Pump();
    // The frames without their pause, through the fade's own frame loop.
    BITMAPINFO info = FadeImageInfo(kWidth, kHeight);
    std::vector<unsigned> master(kWidth * kHeight), working(master.size());
    auto tables = std::make_unique<PairTables>();
    CClientDC target(view.m_hWnd);
    ::GetDIBits(target, g_pictures[g_shown], 0, kHeight, master.data(), &info, DIB_RGB_COLORS);
    CCreatedDC source;
    source.CreateCompatibleDC(&target);
    TransitionRequest request = {&view, &target, &source, 0, Flags::None, row.type};
    std::vector<double> times;
    start = Clock::now();
    PlayFade(&request, DescribeTransition(row.type)->levels, {0, 0, kWidth, kHeight}, info, master.data(),
             working.data(), tables.get(), [&](const FadeFrame& frame) {
                 DrawDibBlit(frame.target, 0, 0, kWidth, kHeight, frame.header, frame.bits, 0, 0,
                             kWidth, kHeight, DDF_HALFTONE);
                 times.push_back(Since(start, 1e6));
                 return true;
             });
    std::vector<double> work;
    for (size_t i = 1; i < times.size(); ++i) work.push_back(times[i] - times[i - 1]);
    result.steps = static_cast<int>(times.size());
    result.nominalMs = result.steps * FramePacer().IntervalMs();
    result.medianUs = Median(work);
    result.worstUs = Worst(work);
    fade.frames.insert(fade.frames.end(), work.begin(), work.end());
    Pump();
    return result;
}

// The parts of a fade frame against plain copies of the same picture, medians of 41 runs.
void MeasureFadeParts(CStepCountingView& view, FadeFigures& fade) {
    BITMAPINFO info = FadeImageInfo(kWidth, kHeight);
    std::vector<unsigned> master(kWidth * kHeight), working(master.size());
    CClientDC target(view.m_hWnd);
    ::GetDIBits(target, g_pictures[0], 0, kHeight, master.data(), &info, DIB_RGB_COLORS);
    CCreatedDC memory;
    memory.CreateCompatibleDC(&target);
    CSelectObject select(memory, g_pictures[0]);
    unsigned char table[256];
    auto tables = std::make_unique<PairTables>();
    std::vector<double> copies, passes, draws, blits;
    for (int run = 0; run < 41; ++run) {
        auto start = Clock::now();
        std::memcpy(working.data(), master.data(), master.size() * sizeof(unsigned));
        copies.push_back(Since(start, 1e6));
        start = Clock::now();  // a level's whole darkening: its tables, then the pixels
        BuildLevelTable(static_cast<unsigned char>(10 + 2 * (run % 45)), table);
        SpreadLevelTable(table, *tables);
        DarkenPixels(working.data(), working.size(), *tables);
        passes.push_back(Since(start, 1e6));
        start = Clock::now();
        DrawDibBlit(target, 0, 0, kWidth, kHeight, &info.bmiHeader, working.data(), 0, 0, kWidth,
                    kHeight, DDF_HALFTONE);
        ::GdiFlush();
        draws.push_back(Since(start, 1e6));
        start = Clock::now();
        target.BitBlt(0, 0, kWidth, kHeight, &memory, 0, 0, SRCCOPY);
        ::GdiFlush();
        blits.push_back(Since(start, 1e6));
    }
    fade.memcpyUs = Median(copies);
    fade.darkenUs = Median(passes);
    fade.drawUs = Median(draws);
    fade.plainCopyUs = Median(blits);
    fade.intervalMs = FramePacer().IntervalMs();
    fade.frameUs = Median(fade.frames);
    fade.frameWorstUs = Worst(fade.frames);
}

std::string Narrow(const wchar_t* text) {
    char buffer[256] = {};
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof(buffer) - 1, nullptr, nullptr);
    return buffer;
}

// Processor, processor count and platform, e.g. "AMD EPYC, 2 processors, Wine 8.0".
std::string Machine() {
    wchar_t cpu[128] = L"unknown processor";
    DWORD size = sizeof(cpu);
    ::RegGetValueW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
                   L"ProcessorNameString", RRF_RT_REG_SZ, nullptr, cpu, &size);
    SYSTEM_INFO system;
    ::GetSystemInfo(&system);
    std::string text =
        Narrow(cpu) + ", " + std::to_string(system.dwNumberOfProcessors) + " processors, ";
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    using WineVersion = const char*(CDECL*)();
    auto wine = reinterpret_cast<WineVersion>(
        reinterpret_cast<void*>(::GetProcAddress(ntdll, "wine_get_version")));
    if (wine != nullptr) return text + "Wine " + wine();
    using RtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    auto rtl = reinterpret_cast<RtlGetVersion>(
        reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetVersion")));
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (rtl != nullptr) rtl(&version);
    return text + "Windows " + std::to_string(version.dwMajorVersion) + "." +
           std::to_string(version.dwMinorVersion) + "." + std::to_string(version.dwBuildNumber);
}

std::string FlagLetters(EffectFlags flags) {
    std::string text;
    if (HasFlags(flags, Flags::Reverse)) text += "R";
    if (HasFlags(flags, Flags::Horizontal)) text += "H";
    if (HasFlags(flags, Flags::Vertical)) text += "V";
    return text.empty() ? "-" : text;
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

void PrintTable(const std::string& machine, const std::vector<Result>& results,
                const FadeFigures& fade) {
    std::printf("Transitions on an 800 x 600 view; %s\n\n", machine.c_str());
    std::printf(
        "| type | transition | flags | delay | steps | nominal ms | wall ms "
        "| work/step median us | worst us |\n");
    std::printf("|---:|---|---|---:|---:|---:|---:|---:|---:|\n");
    for (const Result& r : results) {
        std::printf("| %d | %s | %s | %d | ", static_cast<int>(r.row.type), r.row.name.c_str(),
                    FlagLetters(r.row.flags).c_str(), r.row.delay);
        if (r.steps == 0) {
            std::printf("no steps | | %.0f | | |\n", r.wallMs);
        } else {
            std::printf("%d | %.0f | %.0f | %.0f | %.0f |\n", r.steps, r.nominalMs, r.wallMs,
                        r.medianUs, r.worstUs);
        }
    }
    std::printf(
        "\nSteps of the fade are its frames, each held for one display refresh (%d ms), as is\n"
        "each step of a transition with delay 0; work per step leaves that pause out.\n"
        "No steps: no routine yet.\n",
        fade.intervalMs);
    std::printf("\nFade frame, median: %.0f us (worst %.0f); of which DrawDib draw %.0f us.\n",
                fade.frameUs, fade.frameWorstUs, fade.drawUs);
    std::printf("Plain copy of the frame to the view (BitBlt): %.0f us; frame / plain copy %.1f\n",
                fade.plainCopyUs, fade.frameUs / fade.plainCopyUs);
    std::printf("Darkening pass %.0f us, memcpy of the same 1.92 MB %.0f us: ratio %.1f\n",
                fade.darkenUs, fade.memcpyUs, fade.darkenUs / fade.memcpyUs);
}

// transitions and fade are written only if results holds any; mesh only if given.
bool WriteJson(const char* path, const std::string& machine, const std::vector<Result>& results,
               const FadeFigures& fade, const MeshFigures* mesh) {
    FILE* file = std::fopen(path, "w");
    if (file == nullptr) return false;
    std::fprintf(file, "{\n  \"machine\": \"%s\",\n  \"client\": [%d, %d]",
                 Escaped(machine).c_str(), kWidth, kHeight);
    if (!results.empty()) {
        std::fprintf(file, ",\n  \"transitions\": [\n");
        for (size_t i = 0; i < results.size(); ++i) {
            const Result& r = results[i];
            std::fprintf(file,
                         "    {\"type\": %d, \"name\": \"%s\", \"flags\": \"%s\", \"delay\": %d, "
                         "\"steps\": %d, \"nominal_ms\": %.1f, \"wall_ms\": %.1f, "
                         "\"work_median_us\": %.1f, \"work_worst_us\": %.1f}%s\n",
                         static_cast<int>(r.row.type), Escaped(r.row.name).c_str(),
                         FlagLetters(r.row.flags).c_str(), r.row.delay, r.steps, r.nominalMs,
                         r.wallMs, r.medianUs, r.worstUs, i + 1 < results.size() ? "," : "");
        }
        std::fprintf(file,
                     "  ],\n  \"fade\": {\"refresh_interval_ms\": %d, \"frame_median_us\": %.1f, "
                     "\"frame_worst_us\": %.1f, \"drawdib_us\": %.1f, \"plain_copy_us\": %.1f, "
                     "\"darken_us\": %.1f, \"memcpy_us\": %.1f, \"darken_to_memcpy\": %.2f}",
                     fade.intervalMs, fade.frameUs, fade.frameWorstUs, fade.drawUs,
                     fade.plainCopyUs, fade.darkenUs, fade.memcpyUs, fade.darkenUs / fade.memcpyUs);
    }
    if (mesh != nullptr) {
        std::fprintf(file, ",\n");
        WriteMeshJson(file, *mesh);
    }
    std::fprintf(file, "\n}\n");
    return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : "benchmark.json";
    std::string part = argc > 2 ? argv[2] : "";
    bool transitions = part != "mesh", meshDialog = part != "transitions";
    std::string machine = Machine();
    FadeFigures fade;
    std::vector<Result> results;
    if (transitions) {
        g_pictures[0].LoadBitmap(::GetModuleHandleW(nullptr), L"Genie");
        g_pictures[1].LoadBitmap(::GetModuleHandleW(nullptr), L"Mouse");
        CStepCountingView view;
        if (g_pictures[0].GetSafeHandle() == nullptr || g_pictures[1].GetSafeHandle() == nullptr ||
            !view.Open(kWidth, kHeight)) {
            std::fprintf(stderr, "benchmark: cannot load the pictures or open the view\n");
            return 1;
        }
        Pump();
        for (const Row& row : BenchmarkRows()) {
            bool isFade = row.type == Type::FadeIn || row.type == Type::FadeOut;
            results.push_back(isFade ? MeasureFade(view, row, fade) : MeasureRegions(view, row));
        }
        MeasureFadeParts(view, fade);
        PrintTable(machine, results, fade);
    }
    MeshFigures mesh;
    if (meshDialog) {
        if (!transitions) std::printf("%s\n", machine.c_str());
        mesh = MeasureMeshDialog(3);
        PrintMesh(mesh);
    }
    if (!WriteJson(path, machine, results, fade, meshDialog ? &mesh : nullptr)) {
        std::fprintf(stderr, "benchmark: cannot write %s\n", path);
        return 1;
    }
    std::printf("\nFigures written to %s\n", path);
    return 0;
}
