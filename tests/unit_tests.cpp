// Pure functions: the shared helpers, step planning, base steps, frame placement.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "app/mainfrm.h"
#include "tests/check.h"
#include "transitions/random.h"
#include "animation/framepacer.h"
#include "animation/pacing.h"
#include "animation/steps.h"
#include "transitions/effects.h"

TEST_CASE(RuntimeGeneratorIsTheClassicSequence) {
    std::srand(1);
    CHECK_EQ(std::rand(), 41);
    CHECK_EQ(std::rand(), 18467);
    CHECK_EQ(std::rand(), 6334);
}

TEST_CASE(RandomInRangeSplitsEvenlyBetweenTwoOutcomes) {
    int counts[2] = {0, 0};
    for (int r = 0; r <= 32767; ++r) {
        int v = ScaleRandom(r, 0, 1);
        CHECK(v == 0 || v == 1);
        if (v == 0 || v == 1) ++counts[v];
    }
    CHECK_EQ(counts[0], 16384);
    CHECK_EQ(counts[1], 16384);
    // Wider ranges reach both ends, half as often as each inner value.
    int ends[3] = {0, 0, 0};
    for (int r = 0; r <= 32767; ++r) ++ends[ScaleRandom(r, 10, 12) - 10];
    CHECK_EQ(ends[0], 8192);
    CHECK_EQ(ends[1], 16384);
    CHECK_EQ(ends[2], 8192);
    CHECK_EQ(ScaleRandom(32767, 5, 5), 5);
    // RandomInRange draws from the runtime generator.
    std::srand(1);
    CHECK_EQ(RandomInRange(0, 1), 0);  // 41
    CHECK_EQ(RandomInRange(0, 1), 1);  // 18467
    CHECK_EQ(RandomInRange(0, 100), MulDiv(6334, 100, 32767));
}

struct PlanRow {
    int x0, y0, x1, y1, stepX, stepY;
    int count, stepXAfter, stepYAfter;
};

TEST_CASE(PlanStepsWorkedTable) {
    const PlanRow rows[] = {
        {0, 0, 800, 600, 8, 6, 100, 8, 6},
        {800, 600, 0, 0, -8, -6, 100, -8, -5},
        {0, 0, 80000, 60000, 800, 600, 100, 800, 600},
        {80000, 60000, 0, 0, -800, -600, 100, -800, -599},
        {0, 0, 800, 600, 8, 0, 100, 8, 0},
        {0, 0, 800, 600, 0, 6, 100, 0, 6},
        {0, 0, 784, 541, 8, 5, 109, 7, 5},
        {0, 0, 800, 600, 7, 0, 115, 7, 0},
        // the vertical axis needs more steps: stepX is rescaled
        {0, 0, 78400, 54100, 800, 552, 99, 792, 552},
        // exact multiple, and one pixel more
        {0, 0, 80, 0, 8, 0, 10, 8, 0},
        {0, 0, 81, 0, 8, 0, 11, 8, 0},
    };
    for (const PlanRow& row : rows) {
        int sx = row.stepX, sy = row.stepY;
        CHECK_EQ(PlanSteps(row.x0, row.y0, row.x1, row.y1, sx, sy), row.count);
        CHECK_EQ(sx, row.stepXAfter);
        CHECK_EQ(sy, row.stepYAfter);
    }
}

TEST_CASE(PlanStepsDegenerateInputsNeitherCrashNorRewrite) {
    int sx = 0, sy = 0;
    CHECK_EQ(PlanSteps(0, 0, 800, 600, sx, sy), 0);
    CHECK_EQ(sx, 0);
    CHECK_EQ(sy, 0);
    // Both counts zero with a non-zero vertical step: no division by zero.
    sx = 0;
    sy = 6;
    CHECK_EQ(PlanSteps(0, 5, 800, 5, sx, sy), 0);
    CHECK_EQ(sy, 6);
    sx = 8;
    sy = 6;
    CHECK_EQ(PlanSteps(10, 5, 10, 5, sx, sy), 0);
    CHECK_EQ(sx, 8);
    CHECK_EQ(sy, 6);
    // Steps pointing away from the end: no steps.
    sx = -8;
    sy = 0;
    CHECK(PlanSteps(0, 0, 800, 0, sx, sy) < 1);
    sx = 0;
    sy = -6;
    CHECK(PlanSteps(0, 0, 0, 600, sx, sy) < 1);
}

namespace {

// The shuffle worked out without the runtime: its generator (msvcrt's rand: state * 214013 +
// 2531011 modulo 2^32, bits 16 to 30 of the new state) started from seed, each draw scaled to
// 0..n-1 as MulDiv(r, n - 1, 32767) rounds it (r (n - 1) / 32767 is never a half, 32767 being
// odd), two draws per exchange, n exchanges.
std::vector<int> ExpectedShuffle(unsigned seed, std::vector<int> entries) {
    unsigned state = seed;
    auto draw = [&state](int n) {
        state = state * 214013u + 2531011u;
        long long r = (state >> 16) & 0x7FFF;
        return static_cast<int>((r * (n - 1) + 16383) / 32767);
    };
    int n = static_cast<int>(entries.size());
    for (int k = 0; k < n; ++k) {
        int i = draw(n);
        int j = draw(n);
        std::swap(entries[i], entries[j]);
    }
    return entries;
}

}  // namespace

TEST_CASE(ShuffleIndicesExchangesAsTheClockSeededGeneratorDraws) {
    std::vector<int> one = {42};
    ShuffleIndices(one.data(), 1);
    CHECK_EQ(one[0], 42);
    ShuffleIndices(nullptr, 0);  // only reseeds
    std::vector<int> entries(192);
    for (int i = 0; i < 192; ++i) entries[i] = 1000 + 7 * i;
    for (int attempt = 0; attempt < 100; ++attempt) {  // again if the tick changed meanwhile
        DWORD tick = ::GetTickCount();
        std::vector<int> first = entries, second = entries, small = {5, 6, 7};
        ShuffleIndices(first.data(), 192);
        ShuffleIndices(second.data(), 192);
        ShuffleIndices(small.data(), 3);
        if (::GetTickCount() != tick) continue;
        CHECK(first == second);  // the same tick, the same order
        CHECK(first == ExpectedShuffle(tick, entries));
        CHECK(first != entries);
        CHECK(small == ExpectedShuffle(tick, {5, 6, 7}));
        return;
    }
    CHECK(!"the tick count changed during every attempt");
}

TEST_CASE(ShuffleIndicesWithNoEntriesOnlyReseedsFromTheClock) {
    for (int attempt = 0; attempt < 5; ++attempt) {  // again if the tick changed meanwhile
        DWORD tick = ::GetTickCount();
        ShuffleIndices(nullptr, 0);
        int drawn = std::rand();
        if (::GetTickCount() != tick) continue;
        std::srand(tick);
        CHECK_EQ(drawn, std::rand());
        return;
    }
}

TEST_CASE(PumpAndWaitKeepsAQuitRequest) {
    ::PostQuitMessage(7);
    PumpAndWait(1);
    MSG msg = {};
    CHECK(::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    CHECK_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    CHECK_EQ(static_cast<int>(msg.wParam), 7);
    DWORD start = ::GetTickCount();
    PumpAndWait(0);
    PumpAndWait(-3);
    CHECK(::GetTickCount() - start < 50);
}

// PumpAndWait(count) lasts count slices of 5 ms: the grow waits 2 per frame, the "Slid Show"
// slide 3 per move.  A busy machine only ever makes a wait longer, and the more so the more
// slices it has, so the shortest of many short waits is what the wait itself takes (measured:
// a quarter of a millisecond per slice over, under load); it must lie within a quarter of
// nominal, so that slices half as long again fail, as do fewer.  A burst of load can hold up
// every wait for a second, so the waits go on (up to 150) until one has come within a tenth.
TEST_CASE(PumpAndWaitLastsItsSlices) {
    AnimationScope timer;  // as the animations wait
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    for (int count : {2, 3}) {
        double shortest = 1e9;
        double nominal = count * 5.0;
        for (int run = 0; run < 150 && (run < 30 || shortest > nominal * 1.1); ++run) {
            LARGE_INTEGER start, end;
            ::QueryPerformanceCounter(&start);
            PumpAndWait(count);
            ::QueryPerformanceCounter(&end);
            shortest = std::min(shortest, static_cast<double>(end.QuadPart - start.QuadPart) *
                                              1000 / frequency.QuadPart);
        }
        std::printf("  PumpAndWait(%d): %.2f ms at shortest, nominal %.0f\n", count, shortest,
                    nominal);
        CHECK(shortest >= nominal * 0.9);
        CHECK(shortest <= nominal * 1.25);
    }
}

// A step that overran its period moves the schedule on: each step after it keeps its whole
// period from it, none is cut short to make up the time (no burst).  Steps of 10 ms, one made
// 50 ms late by a sleep: the three pauses after the late one last about 30 ms together, not
// nothing.  A busy machine only ends a pause later, which shortens the next one, so the
// longest of up to five runs counts.
TEST_CASE(AStepPacerMovesItsScheduleOnAfterALateStep) {
    AnimationScope timer;
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    double longest = 0;
    for (int run = 0; run < 5 && longest < 25; ++run) {
        StepPacer pacer;
        pacer.Start();
        pacer.Pause(10);
        pacer.Pause(10);
        ::Sleep(50);
        pacer.Pause(10);  // late: no time left
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        for (int k = 0; k < 3; ++k) pacer.Pause(10);
        ::QueryPerformanceCounter(&end);
        longest = std::max(longest, static_cast<double>(end.QuadPart - start.QuadPart) * 1000 /
                                        frequency.QuadPart);
    }
    std::printf("  three 10 ms steps after a late one: %.1f ms\n", longest);
    CHECK(longest >= 25);
}

// A thousand frames held by the schedule on a simulated 10 MHz clock (the performance
// counter's rate on Windows 10 and Wine), each drawn in up to 60% of a period and its pause
// ending up to 0.3 ms late: frame n is let through in refresh period n after the start, so
// no two frames fall in one period and n frames last n periods.
TEST_CASE(FramesKeepToTheRefreshPeriodAtEveryRate) {
    const long long clock = 10000000, start = 123456789, ms = clock / 1000;
    struct Rate {
        long long numerator, denominator;  // hertz
    };
    for (Rate rate : {Rate{60000, 1001}, Rate{60, 1}, Rate{75, 1}, Rate{120, 1}, Rate{144, 1}}) {
        FrameSchedule schedule(clock * rate.denominator, rate.numerator, start);
        const long long period = clock * rate.denominator / rate.numerator;
        unsigned random = 12345;
        long long now = start;
        int wrong = 0, first = 0;
        for (int n = 1; n <= 1000; ++n) {
            random = random * 1103515245u + 12345u;
            now += (random >> 8) % (period * 6 / 10);                      // drawing
            now = schedule.Next(now, ms) + (random >> 4) % (ms * 3 / 10);  // the pause
            long long shownIn = (now - start) * rate.numerator / (clock * rate.denominator);
            if (shownIn != n && wrong++ == 0) first = n;
        }
        std::printf("  %.2f Hz: 1000 frames in %.1f ms (nominal %.1f)\n",
                    static_cast<double>(rate.numerator) / rate.denominator,
                    (now - start) / 1e4, 1e6 * rate.denominator / rate.numerator);
        if (wrong > 0) std::printf("    %d frames outside their period, first %d\n", wrong, first);
        CHECK_EQ(wrong, 0);
    }
    // A frame drawn after its due time is let through after the shortest pause, and the next
    // one a period after it was drawn.
    FrameSchedule late(10, 1, 0);
    CHECK_EQ(late.Next(5, 1), 10);
    CHECK_EQ(late.Next(35, 1), 36);
    CHECK_EQ(late.Next(37, 1), 45);
}

TEST_CASE(BaseStepsFollowTheClientProportions) {
    int sx = 0, sy = 0;
    BaseSteps(800, 600, sx, sy);
    CHECK_EQ(sx, 800);
    CHECK_EQ(sy, 600);
    BaseSteps(784, 541, sx, sy);
    CHECK_EQ(sx, 800);
    CHECK_EQ(sy, 552);
}

TEST_CASE(PixelSizesScaleWithTheDisplay) {
    // {96-DPI pixels, DPI, scaled}: 125, 150 and 200 %, and 96 unchanged.
    const int rows[][3] = {{800, 120, 1000}, {800, 144, 1200}, {600, 144, 900},
                           {800, 192, 1600}, {8, 144, 12},     {80, 120, 100},
                           {85, 144, 128},   {799, 96, 799}};
    for (const auto& row : rows) {
        CHECK_EQ(ScaleToDpi(row[0], row[1]), row[2]);
        CHECK_EQ(ScaleFromDpi(row[2], row[1]), row[0]);
    }
    int sx = 0, sy = 0;
    BaseSteps(1200, 900, sx, sy, 144);
    CHECK_EQ(sx, 1200);
    CHECK_EQ(sy, 900);
    BaseSteps(1000, 750, sx, sy, 120);
    CHECK_EQ(sx, 1000);
    CHECK_EQ(sy, 750);
}

TEST_CASE(FramePositionCentresOnTheScreen) {
    struct Row {
        int cx, cy, x, y;
    };
    const Row rows[] = {{1024, 768, 112, 84},
                        {1366, 768, 283, 84},
                        {1023, 767, 111, 83},
                        {800, 600, 0, 0},
                        {640, 480, -80, -60}};
    for (const Row& row : rows) {
        POINT p = CenteredFramePosition(row.cx, row.cy, 800, 600);
        CHECK_EQ(p.x, row.x);
        CHECK_EQ(p.y, row.y);
    }
}

int main(int argc, char** argv) {
    return check::RunAllTests(argc, argv);
}
