// The transition frame on real windows: what reaches the screen, and the window region left.
#include <windows.h>

#include <atomic>
#include <memory>
#include <set>
#include <thread>
#include <vector>

#include "tests/check.h"
#include "tests/wintest.h"
#include "transitions/steps.h"
#include "transitions/transition.h"

namespace {

const int kLeft = 60, kTop = 40;  // where the test view sits on the screen

COLORREF NewPicture(int x, int y) {
    return RGB(40 + x % 200, 200 - y % 150, 90);
}

unsigned ToScreen(COLORREF c) {
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// The view's current picture for the transitions: a 100 x 100 pattern, like the program's
// 800 x 600 one that may be smaller than the client area.
int g_drawCalls = 0;
void DrawSmallPicture(CWnd*, CDC* dc) {
    ++g_drawCalls;
    static wintest::Picture picture(100, 100, NewPicture);
    ::BitBlt(*dc, 0, 0, 100, 100, picture.Dc(), 0, 0, SRCCOPY);
}

double Millis(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * (to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

// Screen pixels of the test view (client coordinates).
std::vector<unsigned> ViewPixels(int width, int height) {
    RECT r = {kLeft, kTop, kLeft + width, kTop + height};
    return wintest::ReadScreen(r);
}

bool HasWindowRegion(HWND hWnd) {
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    bool has = ::GetWindowRgn(hWnd, region) != ERROR;
    ::DeleteObject(region);
    return has;
}

// A request on view with a source picture filled by NewPicture.
struct Fixture {
    wintest::RecordingView view;
    wintest::Picture source{200, 150, NewPicture};
    CDC sourceDC;
    std::unique_ptr<CClientDC> targetDC;
    TransitionRequest request;

    Fixture() {
        view.paintColor = RGB(0, 0, 0);
        view.Open(kLeft, kTop, 200, 150);
        sourceDC.AttachBorrowed(source.Dc());
        targetDC = std::make_unique<CClientDC>(view.m_hWnd);
        request.window = &view;
        request.targetDC = targetDC.get();
        request.sourceDC = &sourceDC;
    }
};

}  // namespace

TEST_CASE(RevealRegionShowsTheNewPictureOnlyInsideTheRegion) {
    Fixture f;
    CRgn region;
    region.CreateEllipticRgn(20, 10, 120, 110);
    RECT box;
    region.GetRgnBox(&box);
    HRGN expected = ::CreateEllipticRgn(20, 10, 120, 110);
    RevealRegion(std::move(region), &f.request);
    CHECK(region.GetSafeHandle() == nullptr);  // taken over
    wintest::Settle(50);
    std::vector<unsigned> shown = ViewPixels(200, 150);
    int wrongInside = 0, wrongOutside = 0;
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 200; ++x) {
            unsigned pixel = shown[y * 200 + x];
            if (::PtInRegion(expected, x, y)) {
                wrongInside += pixel != ToScreen(NewPicture(x, y));
            } else {
                wrongOutside += pixel != 0;
            }
        }
    }
    CHECK_EQ(wrongInside, 0);
    CHECK_EQ(wrongOutside, 0);
    ::DeleteObject(expected);
    // The step's region was set while copying and is gone afterwards.
    CHECK_EQ(f.view.regions.size(), 1u);
    if (!f.view.regions.empty()) {
        HRGN ellipse = ::CreateEllipticRgn(20, 10, 120, 110);
        CHECK(wintest::SameRegion(f.view.regions[0], ellipse));
        ::DeleteObject(ellipse);
    }
    CHECK(!HasWindowRegion(f.view.m_hWnd));
}

TEST_CASE(RegionWithoutAreaOnlyPausesAndNoRegionDoesNothing) {
    Fixture f;
    f.request.delay = 6;  // 30 ms
    CRgn empty;
    empty.CreateRectRgn(50, 50, 50, 90);
    LARGE_INTEGER t0, t1, t2;
    ::QueryPerformanceCounter(&t0);
    RevealRegion(std::move(empty), &f.request);
    ::QueryPerformanceCounter(&t1);
    CRgn none;
    RevealRegion(std::move(none), &f.request);
    ::QueryPerformanceCounter(&t2);
    CHECK(Millis(t0, t1) >= 25.0);
    CHECK(Millis(t1, t2) < 25.0);
    wintest::Settle(50);
    int changed = 0;
    for (unsigned p : ViewPixels(200, 150)) changed += p != 0;
    CHECK_EQ(changed, 0);
    CHECK(!HasWindowRegion(f.view.m_hWnd));
}

TEST_CASE(TypesWithoutAnEffectSwitchAtOnceAndTypeZeroDoesNothing) {
    wintest::RecordingView view;
    view.paintColor = RGB(0, 0, 0);
    CHECK(view.Open(kLeft, kTop, 300, 200));
    unsigned window = ToScreen(::GetSysColor(COLOR_WINDOW));

    g_drawCalls = 0;
    RunTransition(&view, DrawSmallPicture, 2, 0, 0);
    CHECK_EQ(g_drawCalls, 0);
    int changed = 0;
    for (unsigned p : ViewPixels(300, 200)) changed += p != 0;
    CHECK_EQ(changed, 0);

    for (int type : {13, -1, 1000}) {
        for (int flags : {0, 1, 1 | 2 | 4}) {  // none, Reverse, Reverse with both axes
            ::InvalidateRect(view.m_hWnd, nullptr, TRUE);
            wintest::Settle(30);
            RunTransition(&view, DrawSmallPicture, 2, flags, type);
            wintest::Settle(30);
            std::vector<unsigned> shown = ViewPixels(300, 200);
            int wrong = 0;
            for (int y = 0; y < 200; ++y) {
                for (int x = 0; x < 300; ++x) {
                    // The picture where it reaches, the window colour beyond it.
                    unsigned want = x < 100 && y < 100 ? ToScreen(NewPicture(x, y)) : window;
                    wrong += shown[y * 300 + x] != want;
                }
            }
            if (wrong != 0)
                std::printf("  type %d flags %d: %d pixels wrong\n", type, flags, wrong);
            CHECK_EQ(wrong, 0);
            CHECK(!HasWindowRegion(view.m_hWnd));
        }
    }
}

TEST_CASE(FadeOutLeavesNoFinalCopy) {
    wintest::RecordingView view;
    view.paintColor = RGB(0, 0, 0);
    CHECK(view.Open(kLeft, kTop, 100, 100));
    RunTransition(&view, DrawSmallPicture, 2, 0, FadeOut);
    // The screen holds whatever the fade-out left, never the full new picture.
    std::vector<unsigned> shown = ViewPixels(100, 100);
    int full = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) full += shown[y * 100 + x] == ToScreen(NewPicture(x, y));
    }
    CHECK(full < 100);
    CHECK(!HasWindowRegion(view.m_hWnd));
}

TEST_CASE(DeadOrEmptyWindowsAreLeftAlone) {
    RunTransition(nullptr, DrawSmallPicture, 2, 0, 1);
    wintest::RecordingView dead;
    CHECK(dead.Open(kLeft, kTop, 50, 50));
    TransitionRequest request;
    request.window = &dead;
    HWND hWnd = dead.m_hWnd;
    dead.Close();
    CHECK(!::IsWindow(hWnd));
    DispatchTransition(&request);  // the window is gone: nothing is touched
    g_drawCalls = 0;
    RunTransition(&dead, DrawSmallPicture, 2, 0, 1);
    CHECK_EQ(g_drawCalls, 0);
    // A view without a client area: nothing to show, nothing to divide by.
    wintest::RecordingView flat;
    CHECK(flat.Open(kLeft, kTop, 0, 0));
    for (int type = -1; type <= 13; ++type) RunTransition(&flat, DrawSmallPicture, 0, 0, type);
    CHECK(!HasWindowRegion(flat.m_hWnd));
}

// How many of 100 reveal steps reach the screen while a second thread samples it: with a
// plain Sleep between steps Wine presents only every 50 ms or so.
TEST_CASE(EveryRevealStepReachesTheScreen) {
    Fixture f;
    f.request.delay = 2;  // 10 ms per step, as the View commands use
    std::atomic<bool> running{true};
    std::set<int> seen;
    int samples = 0;
    std::thread sampler([&] {
        RECT row = {kLeft, kTop + 75, kLeft + 200, kTop + 76};
        while (running) {
            std::vector<unsigned> line = wintest::ReadScreen(row);
            int revealed = 0;
            while (revealed < 200 && line[revealed] != 0) ++revealed;
            seen.insert(revealed);
            ++samples;
            ::Sleep(1);
        }
    });
    wintest::Settle(50);
    LARGE_INTEGER t0, t1;
    ::QueryPerformanceCounter(&t0);
    for (int k = 1; k <= 100; ++k) {
        CRgn step;
        step.CreateRectRgn(0, 0, 2 * k, 150);  // a wipe of 2 pixels per step
        RevealRegion(std::move(step), &f.request);
    }
    ::QueryPerformanceCounter(&t1);
    running = false;
    sampler.join();
    int states = static_cast<int>(seen.size()) - 1;  // minus the state before the first step
    std::printf(
        "  100 steps with delay 2 took %.0f ms; %d distinct states on screen "
        "(%d samples)\n",
        Millis(t0, t1), states, samples);
    CHECK(states >= 60);
}

int main(int argc, char** argv) {
    return check::RunAllTests(argc, argv);
}
