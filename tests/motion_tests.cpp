// Grow, shrink, slide and mesh against real windows: every placement request a window
// receives (WM_WINDOWPOSCHANGING), its region (GetWindowRgn) and the screen.
#include <windows.h>

#include <vector>

#include "motion/grow.h"
#include "motion/mesh.h"
#include "motion/slide.h"
#include "tests/check.h"
#include "tests/mesh_expect.h"
#include "tests/wintest.h"

namespace {

struct Move {
    int x, y, cx, cy;
    UINT flags;
};

int g_nDeleted = 0;

// A window that logs the placements it is asked for; the log outlives it, and the object
// deletes itself with its window.  closeAfter > 0: it posts itself WM_CLOSE at that move.
class MovingWindow : public CWnd {
public:
    std::vector<Move> log;
    size_t closeAfter = 0;
    std::vector<Move>* keep = nullptr;  // where the log goes when the window is destroyed
    ~MovingWindow() override {
        ++g_nDeleted;
        if (keep != nullptr) *keep = log;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_WINDOWPOSCHANGING) {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (!(pos->flags & SWP_NOMOVE)) {
                log.push_back({pos->x, pos->y, pos->cx, pos->cy, pos->flags});
            }
            if (closeAfter != 0 && log.size() == closeAfter) PostMessage(WM_CLOSE);
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

MovingWindow* Open(int x, int y, int w, int h, HWND parent = nullptr,
                   DWORD style = WS_POPUP | WS_VISIBLE) {
    auto* wnd = new MovingWindow;
    if (!wnd->CreateEx(0, nullptr, L"moving", style, x, y, w, h, parent, nullptr)) {
        delete wnd;
        return nullptr;
    }
    wnd->m_bAutoDelete = true;
    wintest::Settle(20);
    wnd->log.clear();
    return wnd;
}

}  // namespace

// Checks that frame i (1-based) of log is at (x, y) sized cx x cy and asks for a repaint.
#define CHECK_FRAME(log, i, X, Y, CX, CY)                 \
    do {                                                  \
        CHECK((log).size() >= static_cast<size_t>(i));    \
        if ((log).size() < static_cast<size_t>(i)) break; \
        const Move& m_ = (log)[(i)-1];                    \
        CHECK_EQ(m_.x, X);                                \
        CHECK_EQ(m_.y, Y);                                \
        CHECK_EQ(m_.cx, CX);                              \
        CHECK_EQ(m_.cy, CY);                              \
        CHECK(!(m_.flags & SWP_NOREDRAW));                \
    } while (0)

TEST_CASE(GrowAndShrinkTheFrameOnA1024x768Screen) {
    CHECK_EQ(::GetSystemMetrics(SM_CXSCREEN), 1024);
    CHECK_EQ(::GetSystemMetrics(SM_CYSCREEN), 768);
    MovingWindow* w = Open(112, 84, 800, 600);
    GrowWindow(w, AnchorScreenCentre, 1);
    CHECK_EQ(w->log.size(), 100u);
    for (int k = 1; k <= 99; ++k) CHECK_FRAME(w->log, k, 512 - 4 * k, 384 - 3 * k, 8 * k, 6 * k);
    CHECK_FRAME(w->log, 100, 112, 84, 800, 600);

    w->log.clear();
    ShrinkWindow(w, AnchorScreenCentre, 1);
    CHECK_EQ(w->log.size(), 100u);
    for (int k = 1; k <= 100; ++k) {
        CHECK_FRAME(w->log, k, 108 + 4 * k, 81 + 3 * k, 808 - 8 * k, 606 - 6 * k);
    }
    RECT rect;
    w->GetWindowRect(&rect);  // the window stays at the last frame
    CHECK(rect.left == 508 && rect.top == 381 && rect.right == 516 && rect.bottom == 387);
    CHECK(w->IsWindowVisible());

    // Default steps: a tenth of each side.
    w->MoveWindow(112, 84, 800, 600);
    w->log.clear();
    GrowWindow(w, AnchorScreenCentre, 0);
    CHECK_EQ(w->log.size(), 10u);
    CHECK_FRAME(w->log, 1, 472, 354, 80, 60);
    CHECK_FRAME(w->log, 9, 152, 114, 720, 540);
    CHECK_FRAME(w->log, 10, 112, 84, 800, 600);
    w->log.clear();
    ShrinkWindow(w, AnchorScreenCentre, 0);
    CHECK_EQ(w->log.size(), 10u);
    CHECK_FRAME(w->log, 1, 112, 84, 800, 600);
    CHECK_FRAME(w->log, 10, 472, 354, 80, 60);
    w->DestroyWindow();
}

TEST_CASE(GrowStepRulesAndAnchors) {
    // Tall window, fixed steps: stepY = 8 / 0.25 + 0.5 truncated = 32; 13 frames.
    MovingWindow* w = Open(300, 200, 100, 400);
    GrowWindow(w, AnchorBottomLeft, 1);
    CHECK_EQ(w->log.size(), 13u);
    for (int k = 1; k <= 12; ++k) CHECK_FRAME(w->log, k, 300, 600 - 32 * k, 8 * k, 32 * k);
    CHECK_FRAME(w->log, 13, 300, 200, 100, 400);
    w->DestroyWindow();

    // Narrow window, default steps 1 and 60: the height ends it, the width snaps 10 -> 15.
    w = Open(300, 100, 15, 600);
    GrowWindow(w, AnchorTopRight, 0);
    CHECK_EQ(w->log.size(), 10u);
    CHECK_FRAME(w->log, 9, 315 - 9, 100, 9, 540);
    CHECK_FRAME(w->log, 10, 300, 100, 15, 600);
    w->DestroyWindow();

    // Every anchor, 200 x 100 at (100, 50), default steps 20 x 10, first frame of each.
    struct Row {
        int anchor, growX, growY, shrinkX, shrinkY;
    };
    const Row rows[] = {{AnchorScreenCentre, 502, 379, 412, 334},
                        {AnchorBottomLeft, 100, 140, 100, 50},
                        {AnchorBottomRight, 280, 140, 100, 50},
                        {AnchorTopRight, 280, 50, 100, 50},
                        {1, 0, 0, 0, 0},
                        {7, 0, 0, 0, 0},
                        {-3, 0, 0, 0, 0}};
    for (const Row& row : rows) {
        w = Open(100, 50, 200, 100);
        GrowWindow(w, row.anchor, 0);
        CHECK_FRAME(w->log, 1, row.growX, row.growY, 20, 10);
        CHECK_FRAME(w->log, 10, 100, 50, 200, 100);  // the last is always the start
        w->log.clear();
        ShrinkWindow(w, row.anchor, 0);
        CHECK_FRAME(w->log, 1, row.shrinkX, row.shrinkY, 200, 100);
        w->DestroyWindow();
    }
}

TEST_CASE(MotionLeavesMissingDeadOrEmptyWindowsAlone) {
    CWnd noHandle;
    CWnd dead;
    dead.m_hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                    nullptr, nullptr);
    ::DestroyWindow(dead.m_hWnd);
    for (CWnd* window : {static_cast<CWnd*>(nullptr), &noHandle, &dead}) {
        GrowWindow(window, 0, 1);
        ShrinkWindow(window, 0, 0);
        PlanSlide(window, 6, 0, 1, 1, 1);
        SlideWindow(window, 0, 10, 10, 0, 0, 100, 100);
        CRgn untouched;
        untouched.CreateRectRgn(0, 0, 1, 1);
        HRGN before = untouched.GetSafeHandle();
        MakeMeshRegion(window, untouched);
        CHECK(untouched.GetSafeHandle() == before);
    }
    dead.m_hWnd = nullptr;

    const SIZE empty[] = {{0, 0}, {0, 50}, {50, 0}};
    for (const SIZE& size : empty) {
        MovingWindow* w = Open(50, 50, size.cx, size.cy);
        GrowWindow(w, 0, 1);
        ShrinkWindow(w, 0, 1);
        GrowWindow(w, 0, 0);
        ShrinkWindow(w, 0, 0);
        CHECK_EQ(w->log.size(), 0u);
        CRgn kept;
        kept.CreateRectRgn(0, 0, 1, 1);
        HRGN before = kept.GetSafeHandle();
        MakeMeshRegion(w, kept);
        CHECK(kept.GetSafeHandle() == before);
        CHECK(::GetObjectType(before) == OBJ_REGION);
        CHECK_EQ(::GetWindowRgn(w->m_hWnd, kept), ERROR);
        w->DestroyWindow();
    }
}

TEST_CASE(GrowAndSlideStopWhenTheirWindowIsClosedMidway) {
    std::vector<Move> kept;
    int deletedBefore = g_nDeleted;
    MovingWindow* w = Open(112, 84, 800, 600);
    w->keep = &kept;
    w->closeAfter = 10;
    GrowWindow(w, AnchorScreenCentre, 1);  // w is freed inside the grow
    CHECK_EQ(g_nDeleted, deletedBefore + 1);
    CHECK_EQ(kept.size(), 10u);

    MovingWindow* parent = Open(100, 100, 400, 300);
    w = Open(0, 0, 50, 40, parent->m_hWnd, WS_CHILD);
    w->keep = &kept;
    w->closeAfter = 5;
    PlanSlide(w, SlideHorizontal | SlideVertical, 0, 1, 1, 1);
    CHECK_EQ(g_nDeleted, deletedBefore + 2);
    CHECK_EQ(kept.size(), 5u);
    parent->DestroyWindow();
}

namespace {

struct Position {
    int step, x, y;  // step 0 is the first placement
};

// Slides a hidden 94 x 142 child across an 800 x 540 client and checks the path.
void CheckSlide(int flags, int fixedStep, int outside, size_t moves,
                std::vector<Position> expected) {
    MovingWindow* parent = Open(50, 50, 800, 540);
    MovingWindow* w = Open(0, 0, 94, 142, parent->m_hWnd, WS_CHILD | WS_BORDER);
    PlanSlide(w, flags, 0, fixedStep, outside, outside);
    CHECK_EQ(w->log.size(), moves + 1);
    for (size_t i = 0; i < w->log.size(); ++i) {
        const Move& m = w->log[i];
        CHECK_EQ(m.flags & ~SWP_NOACTIVATE, i == 0
                                                ? UINT{SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW}
                                                : UINT{SWP_NOSIZE | SWP_NOZORDER});
        if (flags == SlideHorizontal && i < moves) CHECK_EQ(m.y, 1);
        if (flags == SlideVertical) CHECK_EQ(m.x, 0);
    }
    for (const Position& p : expected) {
        if (w->log.size() <= static_cast<size_t>(p.step)) continue;
        CHECK_EQ(w->log[p.step].x, p.x);
        CHECK_EQ(w->log[p.step].y, p.y);
    }
    CHECK(w->IsWindowVisible());
    parent->DestroyWindow();
}

}  // namespace

TEST_CASE(SlidePathsOfTheExampleGeometry) {
    // Diagonal, fixed steps, outside to outside: the "Slid Show" call.
    CheckSlide(6, 1, 1, 152,
               {{0, -95, -143}, {1, -89, -138}, {2, -83, -134}, {151, 796, 537}, {152, 800, 540}});
    CheckSlide(2, 1, 1, 112, {{0, -95, 1}, {111, 793, 1}, {112, 800, 0}});
    CheckSlide(4, 1, 1, 152, {{0, 0, -143}, {152, 0, 540}});
    CheckSlide(7, 1, 1, 152, {{0, 800, 540}, {151, -75, -139}, {152, -95, -143}});
    CheckSlide(6, 0, 0, 10, {{0, 0, 1}, {1, 71, 41}, {10, 705, 397}});
    CheckSlide(6, 0, 1, 18, {{0, -95, -143}, {1, -45, -103}, {18, 800, 540}});
}

TEST_CASE(SlideWithoutAnAxisOrWithoutAHorizontalSpan) {
    MovingWindow* parent = Open(50, 50, 400, 300);
    MovingWindow* w = Open(0, 0, 50, 40, parent->m_hWnd, WS_CHILD);
    PlanSlide(w, 0, 0, 1, 1, 1);
    PlanSlide(w, SlideReverse, 0, 1, 1, 1);
    CHECK_EQ(w->log.size(), 0u);
    CHECK(!w->IsWindowVisible());
    w->DestroyWindow();

    // 399 wide in a 400 wide client: no span to scale by; it goes 8 pixels a frame.
    w = Open(0, 0, 399, 40, parent->m_hWnd, WS_CHILD);
    PlanSlide(w, SlideHorizontal | SlideVertical, 0, 1, 0, 1);
    CHECK(w->log.size() >= 2u);
    if (w->log.size() >= 2u) {
        CHECK_EQ(w->log[1].x - w->log[0].x, 8);
        CHECK_EQ(w->log.back().x, 400);
        CHECK_EQ(w->log.back().y, 300);
    }
    parent->DestroyWindow();
}

TEST_CASE(MeshRegionsOfOddEvenAndTinyWindows) {
    const SIZE sizes[] = {{5, 3}, {4, 2}, {1, 4}, {7, 5}, {8, 6}, {251, 221}};
    for (const SIZE& size : sizes) {
        // The dialog-sized one off screen: Wine takes seconds to paint through a mesh.
        MovingWindow* w = Open(size.cx > 100 ? -3000 : 200, 200, size.cx, size.cy);
        CRgn mesh;
        mesh.CreateRectRgn(0, 0, 5, 5);
        HRGN old = mesh.GetSafeHandle();
        DWORD start = ::GetTickCount();
        MakeMeshRegion(w, mesh);
        if (size.cx > 100) {
            std::printf("  mesh of %ldx%ld built and set in %lu ms\n", size.cx, size.cy,
                        ::GetTickCount() - start);
        }
        CHECK(::GetObjectType(old) == 0);        // the previous region is gone
        CHECK(mesh.GetSafeHandle() == nullptr);  // the window owns the new one
        CRgn read;
        read.CreateRectRgn(0, 0, 0, 0);
        CHECK(::GetWindowRgn(w->m_hWnd, read) != ERROR);
        CHECK_EQ(meshtest::MeshMismatch(read, size.cx, size.cy), std::string());
        w->DestroyWindow();
    }
    // The worked examples, inside the window.
    CHECK(meshtest::InMesh(4, 0, 5, 3) && meshtest::InMesh(3, 1, 5, 3) &&
          meshtest::InMesh(4, 2, 5, 3));
    CHECK(!meshtest::InMesh(3, 0, 4, 2) && meshtest::InMesh(1, 1, 4, 2) &&
          !meshtest::InMesh(3, 1, 4, 2));
}

namespace {

COLORREF Backdrop(int, int) {
    return RGB(200, 0, 0);
}

}  // namespace

TEST_CASE(MeshShowsWhatLiesBehindThroughEveryOtherPixel) {
    wintest::RecordingView back, front;
    back.paintColor = RGB(200, 0, 0);
    front.paintColor = RGB(0, 0, 200);
    const int w = 31, h = 20;
    CHECK(back.Open(300, 300, 100, 100) && front.Open(320, 330, w, h));
    CWnd host;  // the mesh goes on the top-level window
    host.m_hWnd = front.Host();
    CRgn mesh;
    MakeMeshRegion(&host, mesh);
    host.m_hWnd = nullptr;
    wintest::Settle(200);
    RECT area = {320, 330, 320 + w, 330 + h};
    std::vector<unsigned> pixels = wintest::ReadScreen(area);
    int wrong = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            unsigned want = meshtest::InMesh(x, y, w, h) ? 0x0000C8u : 0xC80000u;
            if (pixels[y * w + x] != want) ++wrong;
        }
    }
    CHECK_EQ(wrong, 0);
    (void)Backdrop;
}

int main(int argc, char** argv) {
    return check::RunAllTests(argc, argv);
}
