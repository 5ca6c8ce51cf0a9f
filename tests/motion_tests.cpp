// Grow, shrink, slide, mesh and the demonstration dialogs on real windows: every placement a
// window is asked for (WM_WINDOWPOSCHANGING), its region (GetWindowRgn) and the screen.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "dialogs/dialogpicture.h"
#include "dialogs/meshdialog.h"
#include "dialogs/slidedialog.h"
#include "motion/grow.h"
#include "motion/mesh.h"
#include "motion/slide.h"
#include "res/resource.h"
#include "support/mesh_expect.h"
#include "support/platform.h"
#include "support/resources.h"
#include "support/wintest.h"
#include "tests/check.h"

namespace {

struct Move {
    int x, y, cx, cy;
    UINT flags;
    double asked, done;  // when it was asked for and when the window had moved, in ms
};

double NowMs() {
    LARGE_INTEGER now, frequency;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) * 1000 / frequency.QuadPart;
}

// The shortest time from the end of one move in log to the start of the next: a frame's wait,
// and the painting it lets through (a busy machine only makes it longer; measured: 0.2 to 2 ms
// more than the wait under load, the most under Wine 10).  A wait never ends early, so waits
// half as long again take 1.5 times nominal at least: under 1.45 times they cannot be; nor can
// shorter ones reach 0.9 times.
void CheckPace(const std::vector<Move>& log, double nominal) {
    double shortest = 1e9;
    for (size_t i = 1; i < log.size(); ++i) {
        shortest = std::min(shortest, log[i].asked - log[i - 1].done);
    }
    std::printf("  %zu frames, %.2f ms between moves at least, nominal %.0f\n", log.size(),
                shortest, nominal);
    CHECK(shortest >= nominal * 0.9);
    CHECK(shortest <= nominal * 1.45);
}

int g_nDeleted = 0;

// Logs the placements it is asked for and deletes itself with its window, handing its log to
// *keep; closeAfter > 0: posts itself WM_CLOSE at that move.
class MovingWindow : public CWnd {
public:
    std::vector<Move> log;
    size_t closeAfter = 0;
    std::vector<Move>* keep = nullptr;
    ~MovingWindow() override {
        ++g_nDeleted;
        if (keep != nullptr) *keep = log;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (message == WM_WINDOWPOSCHANGING && !(pos->flags & SWP_NOMOVE)) {
            log.push_back({pos->x, pos->y, pos->cx, pos->cy, pos->flags, NowMs(), 0});
            if (log.size() == closeAfter) PostMessage(WM_CLOSE);
        }
        if (message == WM_WINDOWPOSCHANGED && !(pos->flags & SWP_NOMOVE) && !log.empty()) {
            log.back().done = NowMs();
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Pixels where region differs from a w x h window's mesh, over the mesh and a margin around it.
long long MeshMismatches(HRGN region, int w, int h) {
    long long wrong = 0;
    for (int y = -1; y <= h + 1; ++y) {
        for (int x = -2; x <= w + 1; ++x) {
            wrong += (::PtInRegion(region, x, y) != 0) != InMesh(x, y, w, h);
        }
    }
    return wrong;
}

MovingWindow* Open(int x, int y, int w, int h, HWND parent = nullptr,
                   DWORD style = WS_POPUP | WS_VISIBLE) {
    auto* wnd = new MovingWindow;
    wnd->CreateEx(0, nullptr, L"moving", style, x, y, w, h, parent, nullptr);
    wnd->m_bAutoDelete = true;
    wintest::Settle(20);
    wnd->log.clear();
    return wnd;
}

// Checks that log holds count frames, frame k (1-based) being want(k), each repainting.
void CheckFrames(const std::vector<Move>& log, int count, std::function<RECT(int)> want) {
    CHECK_EQ(log.size(), static_cast<size_t>(count));
    for (int k = 1; k <= count && k <= static_cast<int>(log.size()); ++k) {
        const Move& m = log[k - 1];
        RECT got = {m.x, m.y, m.cx, m.cy}, expected = want(k);  // x, y, width, height
        CHECK(!(m.flags & SWP_NOREDRAW));
        if (::EqualRect(&got, &expected)) continue;
        CHECK_EQ(k, 0);  // names the first wrong frame
        return;
    }
}

}  // namespace

TEST_CASE(GrowAndShrinkTheFrameOnA1024x768Screen) {
    SKIP_IF(platform::NeedScreen(1024, 768));
    MovingWindow* w = Open(112, 84, 800, 600);
    GrowWindow(w, AnchorScreenCentre, FixedSteps);
    CheckFrames(w->log, 100, [](int k) {
        return k < 100 ? RECT{512 - 4 * k, 384 - 3 * k, 8 * k, 6 * k} : RECT{112, 84, 800, 600};
    });
    CheckPace(w->log, 10);  // PumpAndWait(2) between frames
    w->log.clear();
    ShrinkWindow(w, AnchorScreenCentre, FixedSteps);
    CheckFrames(w->log, 100, [](int k) {
        return RECT{108 + 4 * k, 81 + 3 * k, 808 - 8 * k, 606 - 6 * k};
    });
    CheckPace(w->log, 10);  // a 10 ms pause between frames

    RECT rect, last = {508, 381, 516, 387};  // where the window stays, visible
    w->GetWindowRect(&rect);
    CHECK(::EqualRect(&rect, &last) && w->IsWindowVisible());

    w->MoveWindow(112, 84, 800, 600);  // default steps: a tenth of each side
    w->log.clear();
    GrowWindow(w, AnchorScreenCentre, TenthSteps);
    CheckFrames(w->log, 10, [](int k) {
        return k < 10 ? RECT{512 - 40 * k, 384 - 30 * k, 80 * k, 60 * k} : RECT{112, 84, 800, 600};
    });
    w->log.clear();
    ShrinkWindow(w, AnchorScreenCentre, TenthSteps);
    CheckFrames(w->log, 10, [](int k) {
        return RECT{72 + 40 * k, 54 + 30 * k, 880 - 80 * k, 660 - 60 * k};
    });
    w->DestroyWindow();
}

TEST_CASE(GrowStepRulesAndAnchors) {
    SKIP_IF(platform::NeedScreen(1024, 768));  // the screen centre's worked frames
    // Tall, fixed steps: stepY = 8 / 0.25 + 0.5 truncated = 32, 13 frames.
    MovingWindow* w = Open(300, 200, 100, 400);
    GrowWindow(w, AnchorBottomLeft, FixedSteps);
    CheckFrames(w->log, 13, [](int k) {
        return k < 13 ? RECT{300, 600 - 32 * k, 8 * k, 32 * k} : RECT{300, 200, 100, 400};
    });
    w->DestroyWindow();
    // A ratio that is not whole: stepY = 8 / (700 / 600) + 0.5 = 7.36, so 7 (truncating
    // before adding the half would give 6); the height ends it after 86 frames.
    w = Open(200, 100, 700, 600);
    GrowWindow(w, AnchorBottomRight, FixedSteps);
    CheckFrames(w->log, 86, [](int k) {
        return k < 86 ? RECT{900 - 8 * k, 700 - 7 * k, 8 * k, 7 * k} : RECT{200, 100, 700, 600};
    });
    w->DestroyWindow();
    // Narrow, default steps 1 and 60: the height ends it, the width snaps from 10 to 15.
    w = Open(300, 100, 15, 600);
    GrowWindow(w, AnchorTopRight, TenthSteps);
    CheckFrames(w->log, 10, [](int k) {
        return k < 10 ? RECT{315 - k, 100, k, 60 * k} : RECT{300, 100, 15, 600};
    });
    w->DestroyWindow();
    // The first frames for every anchor: 200 x 100 at (100, 50), default steps 20 x 10.
    const int rows[][5] = {{AnchorScreenCentre, 502, 379, 412, 334},
                           {AnchorBottomLeft, 100, 140, 100, 50},
                           {AnchorBottomRight, 280, 140, 100, 50},
                           {AnchorTopRight, 280, 50, 100, 50},
                           {1, 0, 0, 0, 0},
                           {7, 0, 0, 0, 0}};
    for (const auto& row : rows) {
        w = Open(100, 50, 200, 100);
        GrowWindow(w, static_cast<WindowAnchor>(row[0]), TenthSteps);
        ShrinkWindow(w, static_cast<WindowAnchor>(row[0]), TenthSteps);
        CHECK_EQ(w->log.size(), 20u);
        if (w->log.size() == 20u) {
            CHECK(w->log[0].x == row[1] && w->log[0].y == row[2]);
            CHECK(w->log[9].x == 100 && w->log[9].y == 50);  // a grow ends where it began
            CHECK(w->log[10].x == row[3] && w->log[10].y == row[4]);
        }
        w->DestroyWindow();
    }
}

TEST_CASE(MotionLeavesMissingDeadOrEmptyWindowsAlone) {
    CWnd noHandle, dead;
    dead.m_hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr,
                                    nullptr, nullptr);
    ::DestroyWindow(dead.m_hWnd);
    for (CWnd* window : {static_cast<CWnd*>(nullptr), &noHandle, &dead}) {
        PlanSlide(window, SlideHorizontal | SlideVertical, 0, FixedSteps, SlideStartOutside,
                  SlideEndOutside);
        SlideWindow(window, 0, 10, 10, 0, 0, 100, 100);
    }
    MovingWindow* empty[] = {Open(50, 50, 0, 0), Open(50, 50, 0, 50), Open(50, 50, 50, 0)};
    for (CWnd* window :
         {static_cast<CWnd*>(nullptr), &noHandle, &dead, static_cast<CWnd*>(empty[0]),
          static_cast<CWnd*>(empty[1]), static_cast<CWnd*>(empty[2])}) {
        GrowWindow(window, AnchorScreenCentre, FixedSteps);
        ShrinkWindow(window, AnchorScreenCentre, TenthSteps);
        CHECK(MakeMeshRegion(window).GetSafeHandle() == nullptr);
    }
    dead.m_hWnd = nullptr;
    for (MovingWindow* w : empty) {
        CHECK(w->log.empty());
        CRgn none;
        none.CreateRectRgn(0, 0, 0, 0);
        CHECK_EQ(::GetWindowRgn(w->m_hWnd, none), ERROR);
        w->DestroyWindow();
    }
}

TEST_CASE(GrowAndSlideStopWhenTheirWindowIsClosedMidway) {
    std::vector<Move> kept;
    int deleted = g_nDeleted;
    MovingWindow* w = Open(112, 84, 800, 600);
    w->keep = &kept;
    w->closeAfter = 10;
    GrowWindow(w, AnchorScreenCentre, FixedSteps);  // w is freed inside
    CHECK(g_nDeleted == deleted + 1 && kept.size() == 10u);

    MovingWindow* parent = Open(100, 100, 400, 300);
    w = Open(0, 0, 50, 40, parent->m_hWnd, WS_CHILD);
    w->keep = &kept;
    w->closeAfter = 5;
    PlanSlide(w, SlideHorizontal | SlideVertical, 0, FixedSteps, SlideStartOutside,
              SlideEndOutside);
    CHECK(g_nDeleted == deleted + 2 && kept.size() == 5u);
    parent->DestroyWindow();
}

namespace {

// Slides a hidden 94 x 142 child across an 800 x 540 client, from and to outside it or not;
// want: {move, x, y}, move 0 being the first placement, which alone shows the window; each
// move waits delay slices of 5 ms.
void CheckSlide(int flags, FrameStep step, bool outside, size_t moves,
                std::vector<std::array<int, 3>> want, int delay = 0) {
    MovingWindow* parent = Open(50, 50, 800, 540);
    MovingWindow* w = Open(0, 0, 94, 142, parent->m_hWnd, WS_CHILD | WS_BORDER);
    PlanSlide(w, flags, delay, step, outside ? SlideStartOutside : SlideStartInside,
              outside ? SlideEndOutside : SlideEndInside);
    CHECK_EQ(w->log.size(), moves + 1);
    for (size_t i = 0; i < w->log.size(); ++i) {
        const Move& m = w->log[i];
        UINT show = i == 0 ? SWP_SHOWWINDOW : 0;
        CHECK_EQ(m.flags & ~SWP_NOACTIVATE, SWP_NOSIZE | SWP_NOZORDER | show);
        if (flags == SlideHorizontal) CHECK_EQ(m.y, i < moves ? 1 : 0);
        if (flags == SlideVertical) CHECK_EQ(m.x, 0);
    }
    for (const auto& p : want) {
        if (w->log.size() <= static_cast<size_t>(p[0])) continue;
        CHECK_EQ(w->log[p[0]].x, p[1]);
        CHECK_EQ(w->log[p[0]].y, p[2]);
    }
    CHECK(w->IsWindowVisible());
    if (delay > 0) CheckPace(w->log, delay * 5);
    parent->DestroyWindow();
}

}  // namespace

TEST_CASE(SlidePathsOfTheExampleGeometry) {
    const int both = SlideHorizontal | SlideVertical;
    CheckSlide(both, FixedSteps, true, 152,
               {{0, -95, -143}, {1, -89, -138}, {2, -83, -134}, {151, 796, 537}, {152, 800, 540}},
               3);  // "Slid Show" itself, at its pace
    CheckSlide(SlideHorizontal, FixedSteps, true, 112, {{0, -95, 1}, {111, 793, 1}, {112, 800, 0}});
    CheckSlide(SlideVertical, FixedSteps, true, 152, {{0, 0, -143}, {152, 0, 540}});
    CheckSlide(both | SlideReverse, FixedSteps, true, 152,
               {{0, 800, 540}, {151, -75, -139}, {152, -95, -143}});
    CheckSlide(both, TenthSteps, false, 10, {{0, 0, 1}, {1, 71, 41}, {10, 705, 397}});
    CheckSlide(both, TenthSteps, true, 18, {{0, -95, -143}, {1, -45, -103}, {18, 800, 540}});

    // No axis: nothing moves or shows.  No horizontal span (399 wide in 400): 8 pixels a frame.
    MovingWindow* parent = Open(50, 50, 400, 300);
    MovingWindow* w = Open(0, 0, 50, 40, parent->m_hWnd, WS_CHILD);
    PlanSlide(w, 0, 0, FixedSteps, SlideStartOutside, SlideEndOutside);
    PlanSlide(w, SlideReverse, 0, FixedSteps, SlideStartOutside, SlideEndOutside);
    CHECK(w->log.empty() && !w->IsWindowVisible());
    w = Open(0, 0, 399, 40, parent->m_hWnd, WS_CHILD);
    PlanSlide(w, both, 0, FixedSteps, SlideStartInside, SlideEndOutside);
    CHECK(w->log.size() >= 2u && w->log[1].x == 8);
    CHECK(w->log.back().x == 400 && w->log.back().y == 300);
    parent->DestroyWindow();
}

TEST_CASE(MeshRegionsOfOddEvenAndTinyWindows) {
    for (SIZE size : {SIZE{5, 3}, SIZE{4, 2}, SIZE{1, 4}, SIZE{8, 6}, SIZE{251, 221}}) {
        // The dialog-sized one off screen: Wine takes seconds to paint through a mesh.
        MovingWindow* w = Open(size.cx > 100 ? -3000 : 200, 200, size.cx, size.cy);
        DWORD start = ::GetTickCount();
        CRgn mesh = MakeMeshRegion(w);
        std::printf("  %ldx%ld mesh built in %lu ms\n", size.cx, size.cy, ::GetTickCount() - start);
        CHECK(::GetObjectType(mesh) == OBJ_REGION);
        CRgn none;  // the window is left as it was: giving it the mesh is up to the caller
        none.CreateRectRgn(0, 0, 0, 0);
        CHECK_EQ(::GetWindowRgn(w->m_hWnd, none), ERROR);
        CHECK_EQ(MeshMismatches(mesh, size.cx, size.cy), 0);
        w->DestroyWindow();
    }
    // The worked examples, inside the window.
    CHECK(InMesh(4, 0, 5, 3) && InMesh(3, 1, 5, 3) && InMesh(4, 2, 5, 3) && !InMesh(4, 1, 5, 3));
    CHECK(InMesh(2, 0, 4, 2) && !InMesh(3, 0, 4, 2) && InMesh(1, 1, 4, 2) && !InMesh(3, 1, 4, 2));
}

namespace {

// Meshed at 40 x 30 pixels, and closes itself the way it is told: 0 OK, 1 Cancel, 2 Escape,
// 3 the close box.  Once its initialisation is over (and the region it made gone with it) the
// window must hold the whole mesh: the dialog handed its region to the window.  Under Wine the dialog-sized mesh costs seconds each time its window is
// given the region, moved, shown or painted, wherever the window is: Wine 8 spared a window
// moved off screen, Wine 10 spares none (some 20 s a dialog).  What this test counts (the
// region the system takes, the pictures, the ways of closing) does not depend on the size.
class ProbeMeshDialog : public CMeshDialog {
public:
    ProbeMeshDialog(CWnd* parent, int way) : CMeshDialog(parent), m_nWay(way) {}
    bool m_bMeshed = false;

    BOOL OnInitDialog() override {
        SetWindowPos(nullptr, 0, 0, 40, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        BOOL result = CMeshDialog::OnInitDialog();
        CRgn region;
        region.CreateRectRgn(0, 0, 0, 0);
        RECT rect;
        GetWindowRect(&rect);
        m_bMeshed = ::GetWindowRgn(m_hWnd, region) == COMPLEXREGION &&
                    MeshMismatches(region, rect.right - rect.left, rect.bottom - rect.top) == 0;
        if (m_nWay < 2) ::PostMessageW(GetDlgItem(m_nWay == 0 ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
        if (m_nWay == 2) PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        if (m_nWay == 3) PostMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        ::SetTimer(m_hWnd, 1, 10000, nullptr);  // should it never close, the test goes on
        return result;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_TIMER) return CMeshDialog::WindowProc(message, wParam, lParam);
        ::KillTimer(m_hWnd, wParam);
        EndDialog(kNeverClosed);
        return 0;
    }
    static const int kNeverClosed = 99;

private:
    int m_nWay;
};

}  // namespace

int GdiObjectsHere() {
    return resources::Measure(::GetCurrentProcess(), ::GetCurrentProcessId()).gdiObjects;
}

// Each way of closing closes the dialog (one that does not fails once, after 10 s).  The
// dinosaur each dialog shows is deleted with it: a hundred dialogs leave no GDI object behind.
TEST_CASE(MeshDialogClosesEveryWayAHundredTimes) {
    wintest::RecordingView owner;
    CHECK(owner.Open(100, 100, 600, 400));
    int before = 0;
    for (int run = 0; run < 104; ++run) {
        if (run == 4) before = GdiObjectsHere();  // after one run of each way
        ProbeMeshDialog dialog(&owner, run % 4);
        INT_PTR result = dialog.DoModal();
        if (result == ProbeMeshDialog::kNeverClosed) std::printf("  way %d never closed\n", run % 4);
        CHECK_EQ(result, INT_PTR{run % 4 == 0 ? IDOK : IDCANCEL});
        CHECK(dialog.m_bMeshed);
        if (result == ProbeMeshDialog::kNeverClosed) return;
    }
    CHECK(::IsWindowEnabled(owner.Host()));
    CHECK_EQ(GdiObjectsHere() - before, 0);
}

namespace {

// How often each window was asked to paint its frame, its background and its contents, and
// how often frame or background came apart from a paint of its contents (through a device
// context of their own).
struct PaintCounts {
    int frame = 0, background = 0, contents = 0, apart = 0;
};
std::map<HWND, PaintCounts>* g_pPaints = nullptr;
// Where paints are counted once the dialog's showing is over: from the first message its modal
// loop takes after it was shown.
std::map<HWND, PaintCounts>* g_pLaterPaints = nullptr;
bool g_bShown = false;
std::map<HWND, int> g_painting;  // paints under way, per window
HWND g_hQueuedPaint = nullptr;   // a paint taken from the queue lasts until the next message

void NotePaint(HWND hWnd, UINT message, WPARAM wParam) {
    if (g_pPaints == nullptr ||
        (message != WM_NCPAINT && message != WM_ERASEBKGND && message != WM_PAINT)) {
        return;
    }
    // A control of Common Controls 6 draws what of its parent lies behind it into its own device
    // context (DrawThemeParentBackground), asking the parent for its background there: no
    // device context on the parent, no paint of it.
    if (message == WM_ERASEBKGND && ::WindowFromDC(reinterpret_cast<HDC>(wParam)) != hWnd) return;
    PaintCounts& counts = (*g_pPaints)[hWnd];
    if (message == WM_NCPAINT) ++counts.frame;
    if (message == WM_ERASEBKGND) ++counts.background;
    if (message == WM_PAINT) ++counts.contents;
    if (message != WM_PAINT && g_painting[hWnd] == 0) ++counts.apart;
}

LRESULT CALLBACK SentPaints(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION) {
        NotePaint(sent->hwnd, sent->message, sent->wParam);
        if (sent->message == WM_PAINT) ++g_painting[sent->hwnd];
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK SentPaintsDone(int code, WPARAM wParam, LPARAM lParam) {
    const auto* done = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && done->message == WM_PAINT) --g_painting[done->hwnd];
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK QueuedPaints(int code, WPARAM wParam, LPARAM lParam) {
    const auto* queued = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        if (g_bShown && g_pLaterPaints != nullptr) {
            g_pPaints = std::exchange(g_pLaterPaints, nullptr);
        }
        if (g_hQueuedPaint != nullptr) --g_painting[std::exchange(g_hQueuedPaint, nullptr)];
        NotePaint(queued->hwnd, queued->message, queued->wParam);
        if (queued->message == WM_PAINT) ++g_painting[g_hQueuedPaint = queued->hwnd];
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Shown where the program shows it, over its owner; half a second after it has initialised
// (a timer comes after every paint that is due) it notes where it is, its region and its
// controls, and closes.
class WatchedMeshDialog : public CMeshDialog {
public:
    using CMeshDialog::CMeshDialog;
    RECT rect = {};
    CRgn region;
    std::vector<std::pair<HWND, bool>> controls;  // and whether each has a frame

    BOOL OnInitDialog() override {
        BOOL result = CMeshDialog::OnInitDialog();
        ::SetTimer(m_hWnd, 1, 500, nullptr);
        return result;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_WINDOWPOSCHANGED &&
            (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW)) {
            g_bShown = true;
        }
        if (message != WM_TIMER) return CMeshDialog::WindowProc(message, wParam, lParam);
        ::KillTimer(m_hWnd, 1);
        GetWindowRect(&rect);
        region.CreateRectRgn(0, 0, 0, 0);
        ::GetWindowRgn(m_hWnd, region);
        for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            RECT window, client;
            ::GetWindowRect(child, &window);
            ::GetClientRect(child, &client);
            controls.push_back({child, window.right - window.left != client.right});
        }
        EndDialog(IDCANCEL);
        return 0;
    }
};

}  // namespace

// Each device context on a meshed window builds a visible region from the mesh (under Wine,
// a second or more for the whole dialog): its showing paints each window of the dialog once, its
// frame and background within that paint, and a control only has its frame painted if it has
// one.  The dialog is centred over its owner, and its region is the checkerboard of its whole
// window, pixel for pixel.
TEST_CASE(MeshDialogPaintsEachOfItsWindowsOnce) {
    wintest::RecordingView owner;
    CHECK(owner.Open(100, 100, 600, 400));
    std::map<HWND, PaintCounts> paints, later;
    g_pPaints = &paints;
    g_pLaterPaints = &later;
    g_bShown = false;
    DWORD thread = ::GetCurrentThreadId();
    HHOOK sent = ::SetWindowsHookExW(WH_CALLWNDPROC, SentPaints, nullptr, thread);
    HHOOK sentDone = ::SetWindowsHookExW(WH_CALLWNDPROCRET, SentPaintsDone, nullptr, thread);
    HHOOK queued = ::SetWindowsHookExW(WH_GETMESSAGE, QueuedPaints, nullptr, thread);
    WatchedMeshDialog dialog(&owner);
    DWORD start = ::GetTickCount();
    CHECK_EQ(dialog.DoModal(), INT_PTR{IDCANCEL});
    std::printf("  shown, painted and closed in %lu ms\n", ::GetTickCount() - start);
    ::UnhookWindowsHookEx(sent);
    ::UnhookWindowsHookEx(sentDone);
    ::UnhookWindowsHookEx(queued);
    g_pPaints = g_pLaterPaints = nullptr;

    CHECK_EQ(dialog.controls.size(), 7u);
    int frames = 0;
    for (const auto& [control, hasFrame] : dialog.controls) {
        const PaintCounts& counts = paints[control];
        CHECK_EQ(counts.contents, 1);
        CHECK(counts.background <= 1);
        CHECK_EQ(counts.frame, hasFrame ? 1 : 0);
        CHECK_EQ(counts.apart, 0);
        frames += hasFrame;
    }
    CHECK_EQ(frames, 1);  // the edit box's border
    // The dialog: whatever painted besides the owner and the controls.
    int dialogs = 0;
    for (const auto& [hWnd, counts] : paints) {
        bool control = false;
        for (const auto& c : dialog.controls) control = control || c.first == hWnd;
        if (control || hWnd == owner.m_hWnd || hWnd == owner.Host()) continue;
        ++dialogs;
        std::printf("  dialog: %d frame, %d background, %d contents paints, %d apart\n",
                    counts.frame, counts.background, counts.contents, counts.apart);
        CHECK(counts.frame == 1 && counts.background == 1 && counts.contents == 1);
        CHECK_EQ(counts.apart, 0);
    }
    CHECK_EQ(dialogs, 1);
    // Whatever the system asks for later (an exposure on the screen) is its own request, which
    // the documentation lets come at any time: under Wine 10 drawing through the X server, a
    // finely shaped window is exposed seconds after it was shown and painted, and each of its
    // windows, frame and all, is asked once more.  Such a paint still draws frame and background
    // within it, and comes at most once.
    for (const auto& [hWnd, counts] : later) {
        if (hWnd == owner.m_hWnd || hWnd == owner.Host()) continue;
        CHECK(counts.contents <= 1 && counts.frame <= 1 && counts.background <= 1);
        CHECK_EQ(counts.apart, 0);
    }

    RECT host;
    ::GetWindowRect(owner.Host(), &host);
    const RECT& r = dialog.rect;
    CHECK(std::abs(r.left + r.right - host.left - host.right) <= 1 &&
          std::abs(r.top + r.bottom - host.top - host.bottom) <= 1);
    CHECK_EQ(MeshMismatches(dialog.region, r.right - r.left, r.bottom - r.top), 0);  // as set
}

namespace {

void Button(DWORD flag) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    ::SendInput(1, &input, sizeof(input));
}

// Shown over its owner, once painted it is pressed on its close box and released on its
// caption, pressed on its caption and released over its close box, then clicked on the close
// box, as a user's mouse would; the press followed the
// system's way or the dialog's own, as it is told, whatever painting its frame took.
class ClickedMeshDialog : public CMeshDialog {
public:
    ClickedMeshDialog(CWnd* parent, bool systemWay)
        : CMeshDialog(parent), m_bSystemWay(systemWay) {}
    bool keptOpen = false, slowFrame = false;
    DWORD clicked = 0;

    BOOL OnInitDialog() override {
        BOOL result = CMeshDialog::OnInitDialog();
        ::SetTimer(m_hWnd, 1, 500, nullptr);
        // In case the clicks never arrive: under Wine 10 on a busy machine the dialog's two
        // paints (its own and the late exposure's) alone have taken more than 20 s.
        ::SetTimer(m_hWnd, 3, 60000, nullptr);
        return result;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_TIMER) return CMeshDialog::WindowProc(message, wParam, lParam);
        ::KillTimer(m_hWnd, wParam);
        if (wParam == 1) slowFrame = m_bSlowFrame;
        m_bSlowFrame = !m_bSystemWay;
        // Pixels of the mesh, which alone take the mouse: the close box, the caption's middle.
        RECT rect, client;
        GetWindowRect(&rect);
        GetClientRect(&client);
        int frame = (rect.right - rect.left - client.right) / 2;
        POINT box = {rect.right - frame - ::GetSystemMetrics(SM_CXSIZE) / 2,
                     rect.top + frame + ::GetSystemMetrics(SM_CYSIZE) / 2};
        box.x -= (box.x - rect.left + box.y - rect.top) % 2;
        POINT caption = {(rect.left + rect.right) / 2, box.y};
        caption.x -= (caption.x - rect.left + caption.y - rect.top) % 2;
        if (wParam == 1) {
            wintest::MoveMouse(box.x, box.y);
            Button(MOUSEEVENTF_LEFTDOWN);
            wintest::MoveMouse(caption.x, caption.y);
            Button(MOUSEEVENTF_LEFTUP);
            // Pressed on the caption and released over the close box: a move, never a close.
            Button(MOUSEEVENTF_LEFTDOWN);
            wintest::MoveMouse(box.x, box.y);
            Button(MOUSEEVENTF_LEFTUP);
            ::SetTimer(m_hWnd, 2, 500, nullptr);
        } else if (wParam == 2) {
            keptOpen = true;
            wintest::MoveMouse(box.x, box.y);
            clicked = ::GetTickCount();
            wintest::ClickMouse();
        } else {
            EndDialog(IDOK);
        }
        return 0;
    }

private:
    bool m_bSystemWay;
};

}  // namespace

// A press on the close box released elsewhere keeps the dialog, and so does a press on the
// caption released over the box; a click on the box closes the dialog as Cancel does, whether
// the system follows the press (drawing the box pressed) or the dialog does, as it does once
// painting its frame has taken long.
TEST_CASE(MeshDialogCloseBoxBothWays) {
    wintest::RecordingView owner;
    CHECK(owner.Open(100, 100, 600, 400));
    for (bool systemWay : {false, true}) {
        ClickedMeshDialog dialog(&owner, systemWay);
        CHECK_EQ(dialog.DoModal(), INT_PTR{IDCANCEL});
        CHECK(dialog.keptOpen);
        if (!dialog.keptOpen) continue;
        std::printf("  %s way: closed %lu ms after the click (frame painted %s)\n",
                    systemWay ? "system's" : "own", ::GetTickCount() - dialog.clicked,
                    dialog.slowFrame ? "slowly" : "at once");
    }
}

namespace {

// An 8 x 8 picture of 32 bits per pixel, every pixel half transparent.
CBitmap AlphaPicture() {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 8, 8, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    CBitmap picture;
    picture.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bits != nullptr) std::fill_n(static_cast<DWORD*>(bits), 64, 0x80402010u);
    return picture;
}

}  // namespace

// The dinosaur each slide dialog shows goes with it, and so does the one its template made the
// control load.  A picture with alpha, which a static of Common Controls 6 shows through a copy of
// its own, leaves nothing behind either.
TEST_CASE(SlideDialogsLeaveNoPictureBehind) {
    wintest::RecordingView view;
    CHECK(view.Open(100, 100, 600, 400));
    int before = 0;
    for (int run = 0; run < 51; ++run) {
        if (run == 1) before = GdiObjectsHere();
        CSlideDialog dialog;
        CHECK(dialog.Create(IDD_SLIDE_DIALOG, &view));
        HWND picture = dialog.GetDlgItem(IDC_SLIDE_PICTURE);
        CHECK(::SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0);
        dialog.DestroyWindow();
    }
    CHECK_EQ(GdiObjectsHere() - before, 0);
    int copies = 0;
    for (int run = 0; run < 21; ++run) {
        if (run == 1) before = GdiObjectsHere();
        CDialog dialog(IDD_SLIDE_DIALOG);
        CHECK(dialog.Create(IDD_SLIDE_DIALOG, &view));
        CBitmap alpha = AlphaPicture();
        HGDIOBJ given = alpha.GetSafeHandle();
        CDialogPicture shown;
        shown.Show(dialog.m_hWnd, std::move(alpha));
        HWND picture = dialog.GetDlgItem(IDC_SLIDE_PICTURE);
        copies += ::SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0) !=
                  reinterpret_cast<LRESULT>(given);
        shown.TakeBack(dialog.m_hWnd);
        dialog.DestroyWindow();
    }
    std::printf("  the static showed a copy of the alpha picture %d times in 21\n", copies);
    CHECK_EQ(GdiObjectsHere() - before, 0);
}

int main(int argc, char** argv) {
    return check::RunAllTests(argc, argv, platform::NeedWineSettings());
}
