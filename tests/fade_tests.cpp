// The brightness fade: the darkening against plain arithmetic, the frames it plays, what
// reaches the screen through the real DrawDib service, its failure rules, and the real
// program's "Fade In/Out" recorded from the screen.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "res/resource.h"
#include "support/program.h"
#include "support/wintest.h"
#include "tests/check.h"
#include "transitions/darken.h"
#include "transitions/drawdib.h"
#include "transitions/effects.h"
#include "transitions/fade.h"
#include "animation/pacing.h"

using Type = EffectType;
using Flags = EffectFlags;

namespace {

using Clock = std::chrono::steady_clock;

// The oracle: each colour channel of a 0x00RRGGBB pixel scaled by level percent, truncated.
unsigned Darkened(unsigned rgb, int level) {
    unsigned r = ((rgb >> 16) & 0xFF) * level / 100, g = ((rgb >> 8) & 0xFF) * level / 100;
    return (r << 16) | (g << 8) | ((rgb & 0xFF) * level / 100);
}

// Every byte value in every channel, varied across the picture.
COLORREF TestPattern(int x, int y) {
    return RGB(x & 0xFF, y & 0xFF, (x * 7 + y * 3) & 0xFF);
}

const wintest::Picture& Pattern() {
    static wintest::Picture picture(800, 600, TestPattern);
    return picture;
}

void DrawPattern(CWnd*, CDC* dc) {
    ::BitBlt(*dc, 0, 0, 800, 600, Pattern().Dc(), 0, 0, SRCCOPY);
}

// The test pattern's top-left 300 x 200 at (100, 50), in a margin of one colour (which the
// pattern's part does not hold).
COLORREF InsetPattern(int x, int y) {
    bool inside = x >= 100 && x < 400 && y >= 50 && y < 250;
    return inside ? TestPattern(x - 100, y - 50) : RGB(236, 233, 216);
}

// How many screen pixels of the view (at origin) differ from the pattern at level.
int Mismatches(const RECT& onScreen, int level, COLORREF (*pattern)(int, int) = TestPattern) {
    std::vector<unsigned> shown = wintest::ReadScreen(onScreen);
    int width = onScreen.right - onScreen.left, bad = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        COLORREF c = pattern(static_cast<int>(i % width), static_cast<int>(i / width));
        unsigned rgb = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        bad += shown[i] != Darkened(rgb, level);
    }
    return bad;
}

// A real 800 x 600 view at (100, 80) on screen that paints nothing itself, with a fade request
// on it whose source is the test pattern.
struct FadeStage {
    wintest::RecordingView view;
    RECT onScreen = {100, 80, 900, 680};
    RECT rect = {0, 0, 800, 600};
    CDC source{Pattern().Dc()};
    FadeStage() {
        view.paintColor = static_cast<COLORREF>(-1);
        view.Open(100, 80, 800, 600);
    }
    void Run(EffectType type, unsigned* working, const FramePresenter& present) {
        CClientDC target(view.m_hWnd);
        TransitionRequest request(&view, &target, &source);
        std::vector<unsigned> master(800 * 600);  // bottom-up
        for (int y = 0; y < 600; ++y) {
            for (int x = 0; x < 800; ++x) {
                COLORREF c = TestPattern(x, y);
                master[(599 - y) * 800 + x] =
                    (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            }
        }
        PlayFade(&request, DescribeTransition(type)->levels, rect, rect, FadeImageInfo(800, 600),
                 master.data(), working, present);
        wintest::Settle(100);
    }
    void Fill(COLORREF color) {
        CClientDC target(view.m_hWnd);
        CBrush brush(color);
        target.FillRect(&rect, brush);
        wintest::Settle(100);
    }
};

}  // namespace

TEST_CASE(DarkeningGivesTheTruncatedProductForEveryByteAtEveryLevel) {
    // Every byte value in each colour channel (blue i, green 255 - i, red 131 i mod 256, all
    // 256 in each), every fourth byte too, at every level the fade draws (10, 12, ..., 100) and
    // the others up to 100; from every start within four pixels, so that each value also meets
    // the pixels handled one at a time at the ends.
    std::vector<unsigned> source(256 + 3);
    for (unsigned i = 0; i < source.size(); ++i) {
        unsigned v = i % 256;
        source[i] = (v ^ 0x5A) << 24 | ((v * 131) % 256) << 16 | (255 - v) << 8 | v;
    }
    int wrong = 0, checked = 0;
    for (int level = 0; level <= 100; ++level) {
        for (size_t start = 0; start < 4; ++start) {
            std::vector<unsigned> target(source.size() + 1, 0xDEADBEEFu);
            size_t count = source.size() - start;
            DarkenPixels(source.data() + start, target.data() + start, count, level);
            for (size_t i = start; i < source.size(); ++i) {
                unsigned p = source[i], want = p & 0xFF000000u;
                for (int shift : {0, 8, 16}) want |= ((p >> shift) & 0xFF) * level / 100 << shift;
                wrong += target[i] != want;
                ++checked;
            }
            for (size_t i = 0; i < start; ++i) wrong += target[i] != 0xDEADBEEFu;
            wrong += target.back() != 0xDEADBEEFu;  // nothing written beyond count
        }
    }
    CHECK_EQ(checked, 101 * (4 * 259 - 6));
    CHECK_EQ(wrong, 0);
    // The examples of a level: at 50 a byte 1 becomes 0, 100 becomes 50, 255 becomes 127; at
    // 10, 255 becomes 25; at 12, 30; at 98, 249.
    unsigned out = 0, in = 0x00FF6401u;
    DarkenPixels(&in, &out, 1, 50);
    CHECK_EQ(out, 0x007F3200u);
    in = 0xFFFFFFFFu;
    DarkenPixels(&in, &out, 1, 10);
    CHECK_EQ(out, 0xFF191919u);
    DarkenPixels(&in, &out, 1, 12);
    CHECK_EQ(out, 0xFF1E1E1Eu);
    DarkenPixels(&in, &out, 1, 98);
    CHECK_EQ(out, 0xFFF9F9F9u);
}

TEST_CASE(DarkeningIsBitExactAndKeepsTheFourthByte) {
    std::vector<unsigned> master(800 * 600), work(master.size());
    unsigned seed = 12345;
    for (unsigned& p : master) p = seed = seed * 1664525u + 1013904223u;  // fourth byte too
    int wrong = 0;
    for (int level = 10; level <= 100; level += 2) {
        std::fill(work.begin(), work.end(), 0x12345678u);
        DarkenPixels(master.data(), work.data(), work.size() - 1, level);  // an odd count
        for (size_t i = 0; i + 1 < work.size(); ++i) {
            wrong += work[i] != ((master[i] & 0xFF000000u) | Darkened(master[i] & 0xFFFFFF, level));
        }
        wrong += work.back() != 0x12345678u;
    }
    CHECK_EQ(wrong, 0);
}

// Every image of a fade is described by a 40-byte BITMAPINFOHEADER for a bottom-up (positive
// height) 32-bit BI_RGB image of W x H with W x H x 4 bytes, one plane, and one colour entry;
// everything else zero.
TEST_CASE(FadeImagesHaveTheWorkedHeader) {
    for (SIZE size : {SIZE{800, 600}, SIZE{784, 541}}) {
        BITMAPINFO info = FadeImageInfo(size.cx, size.cy);
        BITMAPINFO want;
        std::memset(&want, 0, sizeof want);
        want.bmiHeader.biSize = 40;
        want.bmiHeader.biWidth = size.cx;
        want.bmiHeader.biHeight = size.cy;
        want.bmiHeader.biPlanes = 1;
        want.bmiHeader.biBitCount = 32;
        want.bmiHeader.biCompression = 0;
        want.bmiHeader.biSizeImage = static_cast<DWORD>(size.cx * size.cy * 4);
        CHECK(std::memcmp(&info, &want, sizeof want) == 0);
    }
    CHECK_EQ(FadeImageInfo(800, 600).bmiHeader.biSizeImage, 1920000u);
}

TEST_CASE(FramesRunThroughTheLevelsFromTheMasterEachTime) {
    for (EffectType type : {Type::FadeOut, Type::FadeIn}) {
        const int w = 40, h = 8;
        std::vector<unsigned> master(w * h), working(w * h);
        for (int i = 0; i < w * h; ++i) master[i] = 0x5A000000u * (i & 1) | (i * 0x0B0D07u);
        master[0] = 0xFF;  // a blue of 255 tells each frame's level
        std::vector<int> levels;
        int wrong = 0;
        CDC target, source;
        TransitionRequest request(nullptr, &target, &source);
        const RECT rect = {0, 0, w, h};
        PlayFade(&request, DescribeTransition(type)->levels, rect, rect, FadeImageInfo(w, h),
                 master.data(), working.data(), [&](const FadeFrame& frame) {
                     // The level this frame shows, read off a pixel with a channel of 255.
                     int level = 0;
                     while (level <= 100 && Darkened(0xFF, level) != (frame.bits[0] & 0xFF))
                         ++level;
                     levels.push_back(level);
                     for (int i = 0; i < w * h; ++i) {
                         unsigned want =
                             (master[i] & 0xFF000000u) | Darkened(master[i] & 0xFFFFFF, level);
                         wrong += frame.bits[i] != want;
                     }
                     return true;
                 });
        CHECK_EQ(wrong, 0);
        CHECK_EQ(levels.size(), 45u);
        std::vector<int> want;
        for (int k = 0; k < 45; ++k)
            want.push_back(type == Type::FadeIn ? 10 + 2 * k : 100 - 2 * k);
        CHECK(levels == want);
    }
}

TEST_CASE(FadeOutLeavesTheOldPictureAtTwelvePercentAndFadeInEndsAtFull) {
    FadeStage stage;
    stage.Fill(RGB(255, 0, 0));
    RunTransition(&stage.view, DrawPattern, 2, Flags::None, Type::FadeOut);
    wintest::Settle(200);  // the repaint the frame asks for does not bring the picture back
    CHECK_EQ(Mismatches(stage.onScreen, 12), 0);
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    CHECK_EQ(::GetWindowRgn(stage.view.m_hWnd, region), ERROR);
    ::DeleteObject(region);
    RunTransition(&stage.view, DrawPattern, 2, Flags::None, Type::FadeIn);
    wintest::Settle(100);
    CHECK_EQ(Mismatches(stage.onScreen, 100), 0);
}

namespace {

// Plays a fade of source's picture on the stage as the program does (one DrawDib context
// prepared for all its frames), reading the screen back at its first, middle and last frame:
// how many pixels of each differ from pattern at the frame's level.
std::vector<int> FramesOnScreen(FadeStage& stage, CDC& source, EffectType type,
                                COLORREF (*pattern)(int, int)) {
    stage.Fill(RGB(255, 0, 0));
    CClientDC target(stage.view.m_hWnd);
    TransitionRequest request(&stage.view, &target, &source);
    int frames = 0;
    std::vector<int> mismatches;
    RunFade(PlanTransition(type, Flags::None, stage.rect), request, [&] {
        int k = frames++;
        if (k == 0 || k == 22 || k == 44) {
            PauseMs(20);  // Wine hands the pixels over to the screen a moment later
            int level = type == Type::FadeIn ? 10 + 2 * k : 100 - 2 * k;
            mismatches.push_back(Mismatches(stage.onScreen, level, pattern));
        }
    });
    if (frames != 45 || mismatches != std::vector<int>({0, 0, 0})) {
        std::printf("  type %d, %d frames; mismatches at frames 0, 22, 44:", static_cast<int>(type),
                    frames);
        for (int m : mismatches) std::printf(" %d", m);
        std::printf("\n");
    }
    return mismatches;
}

}  // namespace

TEST_CASE(EveryFrameOfTheFadeReachesTheScreenAtItsLevel) {
    // Each frame read back shows its own level, not an earlier frame drawn again; the fade out
    // starts with the picture itself.
    FadeStage stage;
    for (EffectType type : {Type::FadeOut, Type::FadeIn}) {
        CHECK(FramesOnScreen(stage, stage.source, type, TestPattern) == std::vector<int>({0, 0, 0}));
    }
}

TEST_CASE(AFlatMarginIsDarkenedLikeThePicture) {
    // Around a picture smaller than the view (a maximised frame) lies a margin of one colour:
    // it is found, and every frame shows it darkened exactly as the picture.
    wintest::Picture inset(800, 600, InsetPattern);
    unsigned flat = 0;
    RECT busy = BusyPart(inset.Dc(), RECT{0, 0, 800, 600}, flat);
    RECT picture = {100, 50, 400, 250};
    CHECK(::EqualRect(&busy, &picture));
    CHECK_EQ(flat, 0xECE9D8u);
    FadeStage stage;
    CDC source(inset.Dc());
    for (EffectType type : {Type::FadeOut, Type::FadeIn}) {
        CHECK(FramesOnScreen(stage, source, type, InsetPattern) == std::vector<int>({0, 0, 0}));
    }
    // A picture that fills the view is busy throughout; so is one of a single colour.
    busy = BusyPart(stage.source, stage.rect, flat);
    CHECK(::EqualRect(&busy, &stage.rect));
    wintest::Picture plain(64, 48, [](int, int) { return RGB(1, 2, 3); });
    RECT whole = {0, 0, 64, 48};
    busy = BusyPart(plain.Dc(), whole, flat);
    CHECK(::EqualRect(&busy, &whole));
}

TEST_CASE(FailedAllocationOrDrawingLeavesNoPartlyFadedPicture) {
    FadeStage stage;
    // No working copy: nothing is drawn at all.
    std::vector<unsigned> working(800 * 600);
    int calls = 0;
    stage.Fill(RGB(255, 0, 0));
    stage.Run(Type::FadeOut, nullptr, [&](const FadeFrame&) { return ++calls, true; });
    CHECK_EQ(calls, 0);
    CHECK_EQ(wintest::ScreenPixel(500, 400), 0xFF0000u);
    // A frame that cannot be drawn (no DrawDib context) ends the fade: the whole picture is
    // put back at full brightness, whether it fails at once or after some frames.
    for (int failAt : {0, 5}) {
        stage.Fill(RGB(255, 0, 0));
        calls = 0;
        stage.Run(Type::FadeOut, working.data(), [&](const FadeFrame& frame) {
            if (calls++ == failAt) return false;
            return DrawDibBlit(frame.target, 0, 0, 800, 600, frame.header, frame.bits, 0, 0, 800,
                               600, DDF_HALFTONE);
        });
        CHECK_EQ(calls, failAt + 1);
        CHECK_EQ(Mismatches(stage.onScreen, 100), 0);
    }
    // A reversed or empty rectangle draws nothing; no DC for DrawDib is a failure, not a crash.
    stage.Fill(RGB(255, 0, 0));
    CClientDC target(stage.view.m_hWnd);
    TransitionRequest request(&stage.view, &target, &stage.source);
    CHECK(PlanTransition(Type::FadeIn, Flags::Reverse, RECT{0, 0, 800, 600}).routine == nullptr);
    TransitionPlan reversed = PlanTransition(Type::FadeIn, Flags::None, RECT{0, 0, 800, 600});
    std::swap(reversed.from, reversed.to);  // 800,600 to 0,0
    FadeEffect(reversed, request);
    TransitionPlan empty = PlanTransition(Type::FadeIn, Flags::None, RECT{0, 0, 800, 600});
    empty.to.x = 0;
    FadeEffect(empty, request);
    wintest::Settle(100);
    CHECK_EQ(wintest::ScreenPixel(500, 400), 0xFF0000u);
    BITMAPINFO info = FadeImageInfo(4, 4);
    unsigned bits[16] = {};
    CHECK(!DrawDibBlit(nullptr, 0, 0, 4, 4, &info.bmiHeader, bits, 0, 0, 4, 4, DDF_HALFTONE));
    CDrawDibSeries series;
    CHECK(!series.Begin(nullptr, &info.bmiHeader, DDF_HALFTONE));
    CHECK(!series.Draw(0, 0, bits));
}

namespace {

// What a sampled screen area showed: which picture (0 old, 1 new) at which level, or -1 for
// a picture that is neither at any fade level.
struct Sample {
    double ms;
    int picture = -1, level = 0;
};

// The first 16 x 4 block of the visible view where every pixel of both pictures has a channel
// of at least 100, so that every level of the fade gives it a different look.
RECT BrightBlock(const program::Pictures& p, const RECT& view) {
    for (int y = 8; y + 4 < view.bottom - view.top; y += 8) {
        for (int x = 8; x + 16 < view.right - view.left; x += 8) {
            bool bright = true;
            for (int i = 0; i < 64 && bright; ++i) {
                size_t at = static_cast<size_t>(y + i / 16) * 800 + x + i % 16;
                for (unsigned c : {p.genie[at], p.mouse[at]}) {
                    bright = bright && std::max({c & 0xFF, (c >> 8) & 0xFF, c >> 16}) >= 100;
                }
            }
            if (bright) return {x, y, x + 16, y + 4};
        }
    }
    return {0, 0, 16, 4};
}

}  // namespace

TEST_CASE(FadeInOutInTheProgramReachesTheScreenLevelByLevel) {
    program::Pictures pictures;
    CHECK(pictures.Load());
    program::Lantrel app;
    CHECK(app.Start());
    if (!app.Frame() || pictures.genie.empty()) return;
    RECT view = app.ViewOnScreen();
    RECT block = BrightBlock(pictures, view);
    RECT onScreen = block;
    ::OffsetRect(&onScreen, view.left, view.top);
    // Sample the block every 2 ms on another thread while the command runs here.
    std::vector<std::pair<double, std::vector<unsigned>>> raw;
    std::atomic<bool> stop(false);
    auto start = Clock::now();
    std::thread sampler([&] {
        while (!stop) {
            std::vector<unsigned> pixels = wintest::ReadScreen(onScreen);
            raw.emplace_back(
                std::chrono::duration<double, std::milli>(Clock::now() - start).count(),
                std::move(pixels));
            ::Sleep(2);
        }
    });
    ::Sleep(100);
    auto sent = Clock::now();
    app.SendCommand(ID_VIEW_FADE);
    double roundTrip = std::chrono::duration<double, std::milli>(Clock::now() - sent).count();
    ::Sleep(300);
    stop = true;
    sampler.join();
    // Classify each sample against both pictures at every level of the fade.
    std::vector<Sample> samples;
    for (auto& [ms, pixels] : raw) {
        Sample s{ms};
        for (int picture = 0; picture < 2 && s.picture < 0; ++picture) {
            const std::vector<unsigned>& p = picture == 0 ? pictures.genie : pictures.mouse;
            for (int level = 10; level <= 100 && s.picture < 0; level += 2) {
                bool same = true;
                for (int i = 0; i < 64 && same; ++i) {
                    size_t at = static_cast<size_t>(block.top + i / 16) * 800 + block.left + i % 16;
                    same = pixels[i] == Darkened(p[at], level);
                }
                if (same) s = {ms, picture, level};
            }
        }
        samples.push_back(s);
    }
    // In time order: the old picture at falling levels, then the new one at rising levels,
    // ending at full brightness.
    std::vector<int> seen[2];
    double outStart = -1, inStart = -1, inEnd = -1;
    int unknown = 0, order = 0;
    for (const Sample& s : samples) {
        if (s.picture < 0) {
            ++unknown;
            continue;
        }
        int key = s.picture == 0 ? 100 - s.level : 100 + s.level;  // never decreases
        CHECK(key >= order);
        order = std::max(order, key);
        std::vector<int>& levels = seen[s.picture];
        if (std::find(levels.begin(), levels.end(), s.level) == levels.end()) {
            levels.push_back(s.level);
        }
        if (outStart < 0 && s.picture == 0 && s.level < 100) outStart = s.ms;
        if (inStart < 0 && s.picture == 1) inStart = s.ms;
        if (inEnd < 0 && s.picture == 1 && s.level == 100) inEnd = s.ms;
    }
    CHECK(!samples.empty() && samples.back().picture == 1 && samples.back().level == 100);
    // How much of each half a person could see, and how long it lasted.
    auto list = [](const std::vector<int>& levels) {
        std::string text;
        for (int level : levels) text += " " + std::to_string(level);
        return text;
    };
    std::printf("  %zu samples (%d unclassified), one per %.1f ms\n", samples.size(), unknown,
                samples.empty() ? 0.0 : samples.back().ms / samples.size());
    std::printf("  fade out: %zu of 45 levels on screen (100 included), %.0f ms:%s\n",
                seen[0].size(), inStart - outStart, list(seen[0]).c_str());
    size_t fadeIn = seen[1].size() - std::count(seen[1].begin(), seen[1].end(), 100);
    std::printf("  fade in: %zu of 45 levels on screen, %.0f ms:%s\n", fadeIn, inEnd - inStart,
                list(seen[1]).c_str());
    std::printf("  command: %.0f ms\n", roundTrip);
    // Each of the 90 frames is held for a display refresh, so a person sees the levels one by
    // one rather than a blink.  The round trip is at least the holds; what the sampler saw
    // (which a loaded machine may starve for a while) is held to about half of it: the 44
    // frames from the first darkened one to the fade-in, the 45 of the fade-in.
    int refresh = program::RefreshMs();
    CHECK(roundTrip >= 90 * refresh * 0.9);
    CHECK(seen[0].size() >= 23 && fadeIn >= 23);
    CHECK(inStart - outStart >= 44 * refresh / 2);
    CHECK(inEnd - inStart >= 45 * refresh / 2);
}

int main(int argc, char** argv) {
    return check::RunAllTests(argc, argv);
}
