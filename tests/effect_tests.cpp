// The effect routines on a real window with delay 0: every step's region is read back from the
// window (GetWindowRgn in WM_WINDOWPOSCHANGED) and compared with the worked figures.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/check.h"
#include "tests/wintest.h"
#include "transitions/effects.h"
#include "transitions/steps.h"

namespace {

COLORREF Gradient(int x, int y) {
    return RGB(x & 255, y & 255, 128);
}

// The regions of one run, owned.
struct Steps : std::vector<HRGN> {
    Steps() = default;
    Steps(Steps&&) = default;
    ~Steps() {
        for (HRGN region : *this) ::DeleteObject(region);
    }
};

// A recording view of one client size with a transition request aimed at it.
class Bench {
public:
    Bench(int width, int height)
        : m_picture(width > 0 ? width : 1, height > 0 ? height : 1, Gradient) {
        m_view.Open(10, 10, width, height);
        m_target = std::make_unique<CClientDC>(m_view.m_hWnd);
        m_source.AttachBorrowed(m_picture.Dc());
    }
    ~Bench() { m_source.Detach(); }

    TransitionRequest Request(int type, int flags) {
        TransitionRequest request;
        request.window = &m_view;
        request.targetDC = m_target.get();
        request.sourceDC = &m_source;
        request.type = type;
        request.flags = flags;
        return request;
    }
    // The regions of a whole transition through the dispatcher.
    Steps Dispatch(int type, int flags) {
        m_view.ClearRegions();
        TransitionRequest request = Request(type, flags);
        DispatchTransition(&request);
        HRGN left = ::CreateRectRgn(0, 0, 0, 0);
        CHECK_EQ(::GetWindowRgn(m_view.m_hWnd, left), ERROR);  // no region after a transition
        ::DeleteObject(left);
        return Take();
    }
    // The regions of one routine called directly.
    Steps Run(EffectRoutine routine, int type, int flags, int x0, int y0, int x1, int y1, int stepX,
              int stepY) {
        m_view.ClearRegions();
        TransitionRequest request = Request(type, flags);
        routine(x0, y0, x1, y1, stepX, stepY, &request);
        return Take();
    }
    wintest::RecordingView& View() { return m_view; }

private:
    Steps Take() {
        Steps steps;
        steps.swap(m_view.regions);
        return steps;
    }

    wintest::Picture m_picture;
    wintest::RecordingView m_view;
    std::unique_ptr<CClientDC> m_target;
    CDC m_source;
};

HRGN Rects(const std::vector<RECT>& rects) {
    return wintest::MakeRegion(rects);
}

HRGN Polygon(const std::vector<POINT>& points) {
    return ::CreatePolygonRgn(points.data(), static_cast<int>(points.size()), ALTERNATE);
}

// Client area XOR shape: what a reversed shape step reveals.
HRGN Outside(HRGN shape, int width, int height) {
    HRGN client = ::CreateRectRgn(0, 0, width, height);
    ::CombineRgn(shape, client, shape, RGN_XOR);
    ::DeleteObject(client);
    return shape;
}

// Compares step k's region with expect(k) for the first steps, and the number of steps;
// reports at most three differing steps.
void CheckSteps(const char* what, const std::vector<HRGN>& regions, int count,
                const std::function<HRGN(int k)>& expect, int from = 0, int to = -1) {
    if (static_cast<int>(regions.size()) != count) {
        check::Fail(__FILE__, __LINE__,
                    std::string(what) + ": " + std::to_string(regions.size()) + " steps, want " +
                        std::to_string(count));
        return;
    }
    int failures = 0;
    for (int k = from; k <= (to < 0 ? count - 1 : to) && failures < 3; ++k) {
        HRGN expected = expect(k);
        if (!wintest::SameRegion(regions[k], expected)) {
            ++failures;
            check::Fail(__FILE__, __LINE__,
                        std::string(what) + " step " + std::to_string(k) + ": got " +
                            wintest::Describe(regions[k]) + ", want " +
                            wintest::Describe(expected));
        }
        ::DeleteObject(expected);
    }
}

void CheckOne(const char* what, const std::vector<HRGN>& regions, int count, int k, HRGN expected) {
    CheckSteps(
        what, regions, count, [&](int) { return expected; }, k, k);
}

bool SameSequences(const std::vector<HRGN>& a, const std::vector<HRGN>& b) {
    bool same = a.size() == b.size();
    for (size_t k = 0; same && k < a.size(); ++k) same = wintest::SameRegion(a[k], b[k]);
    return same;
}

}  // namespace

TEST_CASE(WipesAndDoorsRevealTheWorkedRegionsAtEveryStep) {
    Bench bench(800, 600);
    struct Row {
        const char* name;
        int type, flags;
        std::function<std::vector<RECT>(LONG k)> rects;
    };
    const Row rows[] = {
        {"wipe down", SmoothAway, Vertical,
         [](LONG k) {
             return std::vector<RECT>{{0, 0, 800, 6 * k}};
         }},
        {"wipe up", SmoothAway, Vertical | Reverse,
         [](LONG k) {
             return std::vector<RECT>{{0, 600 - 6 * k, 800, 600}};
         }},
        {"wipe right", SmoothAway, Horizontal,
         [](LONG k) {
             return std::vector<RECT>{{0, 0, 8 * k, 600}};
         }},
        {"wipe left", SmoothAway, Horizontal | Reverse,
         [](LONG k) {
             return std::vector<RECT>{{800 - 8 * k, 0, 800, 600}};
         }},
        {"leaves closing across", DoorLike, Horizontal,
         [](LONG k) {
             return std::vector<RECT>{{0, 0, 4 * k, 600}, {800 - 4 * k, 0, 800, 600}};
         }},
        {"band opening across", DoorLike, Horizontal | Reverse,
         [](LONG k) {
             return std::vector<RECT>{{400 - 4 * k, 0, 400 + 4 * k, 600}};
         }},
        {"leaves closing down", DoorLike, Vertical,
         [](LONG k) {
             return std::vector<RECT>{{0, 0, 800, 3 * k}, {0, 600 - 3 * k, 800, 600}};
         }},
        {"band opening down", DoorLike, Vertical | Reverse,
         [](LONG k) {
             return std::vector<RECT>{{0, 300 - 3 * k, 800, 300 + 3 * k}};
         }},
    };
    for (const Row& row : rows) {
        Steps steps = bench.Dispatch(row.type, row.flags);
        CheckSteps(row.name, steps, 100,
                   [&](int k) { return Rects(k == 0 ? std::vector<RECT>{} : row.rects(k)); });
    }
    // Neither axis: nothing is revealed before the final copy.
    CHECK(bench.Dispatch(SmoothAway, 0).empty());
    // An odd moving edge leaves the smaller leaf on the left: curX = 7 keeps [3, 796) closed.
    Steps odd = bench.Run(WipeEffect, DoorLike, Horizontal, 0, 0, 800, 600, 7, 0);
    CheckOne("odd door", odd, 115, 1, Rects({{0, 0, 3, 600}, {796, 0, 800, 600}}));
    CheckOne("odd door", odd, 115, 114, Rects({{0, 0, 399, 600}, {401, 0, 800, 600}}));
}

TEST_CASE(WipesOnA784By541ClientCountWholeSteps) {
    Bench bench(784, 541);
    Steps across = bench.Dispatch(SmoothAway, Horizontal);
    CheckOne("across", across, 98, 97, Rects({{0, 0, 776, 541}}));
    Steps down = bench.Dispatch(SmoothAway, Vertical);  // a base step of 552 passed as 5
    CheckOne("down", down, 109, 108, Rects({{0, 0, 784, 540}}));
}

TEST_CASE(CornerSweepsFollowTheWorkedPolygons) {
    Bench bench(800, 600);
    struct Row {
        const char* name;
        int flags;
        std::vector<POINT> first, last;
    };
    const Row rows[] = {
        {"LT",
         Horizontal,
         {{0, 0}, {8, 0}, {0, 6}},
         {{0, 0}, {800, 0}, {800, 594}, {792, 600}, {0, 600}}},
        {"RB",
         Horizontal | Reverse,
         {{800, 600}, {793, 600}, {800, 595}},
         {{800, 600}, {0, 600}, {0, 9}, {9, 0}, {800, 0}}},
        {"LB",
         Vertical,
         {{0, 600}, {8, 600}, {0, 595}},
         {{0, 600}, {800, 600}, {800, 7}, {792, 0}, {0, 0}}},
        {"RT",
         Vertical | Reverse,
         {{800, 0}, {793, 0}, {800, 6}},
         {{800, 0}, {0, 0}, {0, 592}, {9, 600}, {800, 600}}},
    };
    for (const Row& row : rows) {
        Steps steps = bench.Dispatch(Corner, row.flags);
        CheckOne(row.name, steps, 200, 0, Rects({}));
        CheckOne(row.name, steps, 200, 1, Polygon(row.first));
        CheckOne(row.name, steps, 200, 199, Polygon(row.last));
    }
    // The edge reaches the far column at j = 100 and passes it at j = 101.
    Steps lt = bench.Dispatch(Corner, Horizontal);
    CheckOne("LT", lt, 200, 100, Polygon({{0, 0}, {800, 0}, {0, 600}}));
    CheckOne("LT", lt, 200, 101, Polygon({{0, 0}, {800, 0}, {800, 6}, {8, 600}, {0, 600}}));
    // Horizontal alone changes nothing.
    Steps plain = bench.Dispatch(Corner, 0);
    CHECK(SameSequences(plain, lt));
    // Every step covers what the one before it covered.
    for (size_t j = 1; j < lt.size(); ++j) {
        HRGN lost = ::CreateRectRgn(0, 0, 0, 0);
        CHECK_EQ(::CombineRgn(lost, lt[j - 1], lt[j], RGN_DIFF), NULLREGION);
        ::DeleteObject(lost);
    }
}

TEST_CASE(CornerSweepOnA784By541ClientPlansByTheTallerAxis) {
    Bench bench(784, 541);
    // n = 99 steps of 792 x 552 hundredths, swept twice as often.
    Steps steps = bench.Dispatch(Corner, Horizontal);
    CheckOne("784", steps, 198, 1, Polygon({{0, 0}, {8, 0}, {0, 6}}));
    CheckOne("784", steps, 198, 197, Polygon({{0, 0}, {784, 0}, {784, 546}, {776, 541}, {0, 541}}));
}

TEST_CASE(GrowingShapesFollowTheWorkedBoxes) {
    Bench bench(800, 600);
    auto box = [](int i, int cx, int cy, int dx, int dy) {
        return RECT{cx - dx * (i - 1), cy - dy * (i - 1), cx + dx * (i - 1), cy + dy * (i - 1)};
    };
    Steps circle = bench.Dispatch(CircleLike, 0);
    CheckSteps("circle", circle, 125, [&](int k) {
        RECT b = box(k + 1, 400, 300, 4, 4);
        return ::CreateEllipticRgnIndirect(&b);
    });
    Steps rect = bench.Dispatch(RectLike, 0);
    CheckSteps("rect", rect, 100, [&](int k) { return Rects({box(k + 1, 400, 300, 4, 3)}); });
    Steps diamond = bench.Dispatch(DiamondLike, 0);
    CheckSteps("diamond", diamond, 100, [&](int k) {
        RECT b = box(k + 1, 400, 300, 8, 6);
        return Polygon({{400, b.top}, {b.right, 300}, {400, b.bottom}, {b.left, 300}});
    });
    // Reversed, the shape shrinks from full size and the outside is revealed.
    Steps shrinking = bench.Dispatch(CircleLike, Reverse);
    CheckSteps("circle reversed", shrinking, 125, [&](int k) {
        return Outside(::CreateEllipticRgn(-100 + 4 * k, -200 + 4 * k, 900 - 4 * k, 800 - 4 * k),
                       800, 600);
    });
    CheckOne("circle reversed", shrinking, 125, 124,
             Outside(::CreateEllipticRgn(396, 296, 404, 304), 800, 600));
    Steps closing = bench.Dispatch(RectLike, Reverse);
    CheckSteps("rect reversed", closing, 100, [&](int k) {
        return Outside(::CreateRectRgn(4 * k, 3 * k, 800 - 4 * k, 600 - 3 * k), 800, 600);
    });
    CheckOne("rect reversed", closing, 100, 0, Rects({}));
    // Mirrored corners with negative steps give the same boxes; only Reverse changes direction.
    Steps mirrored = bench.Run(GrowShapeEffect, DiamondLike, 0, 800, 600, 0, 0, -1600, -1200);
    CHECK(SameSequences(mirrored, diamond));
}

TEST_CASE(TheLensTurnsThroughTheWorkedVertices) {
    Bench bench(800, 600);
    Steps lens = bench.Dispatch(Lens, 0);
    CheckOne("lens", lens, 63, 0, Rects({}));
    CheckOne("lens", lens, 63, 1,
             Polygon({{408, 298}, {402, 292}, {394, 294}, {392, 302}, {398, 308}, {406, 306}}));
    CheckOne("lens", lens, 63, 62,
             Polygon({{-29, 548}, {400, 796}, {830, 548}, {830, 52}, {400, -195}, {-29, 52}}));
    Steps reversed = bench.Dispatch(Lens, Reverse);
    HRGN first =
        Polygon({{900, 300}, {650, -132}, {150, -132}, {-99, 300}, {150, 733}, {650, 733}});
    CheckOne("lens reversed", reversed, 63, 0, Outside(first, 800, 600));
}

// The worked pattern of a blinds or mosaic step: cols x rows cells of tw x th, every piece grown
// to g pixels, odd mosaic columns (vertical) half a cell up or odd rows half a cell left, and
// a seed pixel at the origin of the pattern and of every row.
struct Pattern {
    int type, flags, count, tw, th, cols, rows, growth;
    HRGN At(int k) const {
        bool vertical = flags & Vertical, mosaic = type == Mosaic;
        int g = k * growth;
        std::vector<RECT> rects = {{0, 0, 1, 1}};
        for (int j = 0; j < rows; ++j) {
            int ox = mosaic && !vertical && j % 2 ? -tw / 2 : 0;
            rects.push_back({ox, th * j, ox + 1, th * j + 1});
            for (int i = 0; i < cols; ++i) {
                int x = ox + tw * i, y = th * j - (mosaic && vertical && i % 2 ? th / 2 : 0);
                rects.push_back(vertical ? RECT{x, y, x + tw, y + g} : RECT{x, y, x + g, y + th});
            }
        }
        return Rects(rects);
    }
};

TEST_CASE(BlindsAndMosaicsGrowTheWorkedPatterns) {
    Bench bench(800, 600);
    const Pattern patterns[] = {
        {WindowBlind, Vertical, 10, 800, 30, 2, 21, 3},
        {WindowBlind, Horizontal, 10, 40, 600, 21, 2, 4},
        {Mosaic, Vertical, 20, 20, 60, 41, 11, 3},
        {Mosaic, Horizontal, 20, 80, 15, 11, 41, 4},
        // Zero or negative steps (here from Reverse) become steps of one pixel.
        {WindowBlind, Vertical | Reverse, 10, 800, 10, 2, 61, 1},
        {Mosaic, Vertical | Reverse, 20, 5, 20, 161, 31, 1},
    };
    for (const Pattern& p : patterns) {
        Steps steps = bench.Dispatch(p.type, p.flags);
        CheckSteps(p.type == Mosaic ? "mosaic" : "blinds", steps, p.count,
                   [&](int k) { return p.At(k); });
    }
    // Both axis flags work vertically, neither horizontally.
    CHECK(SameSequences(bench.Dispatch(WindowBlind, Vertical | Horizontal),
                        bench.Dispatch(WindowBlind, Vertical)));
    CHECK(SameSequences(bench.Dispatch(Mosaic, 0), bench.Dispatch(Mosaic, Horizontal)));
}

TEST_CASE(RandomTilesShowEveryTileOnce) {
    Bench bench(800, 600);
    Steps steps = bench.Dispatch(RandomThreads, 0);
    CHECK_EQ(steps.size(), 192u);
    std::vector<int> shown(192, 0);
    int misplaced = 0;
    for (HRGN tile : steps) {
        RECT box;
        ::GetRgnBox(tile, &box);
        int col = box.left / 53, row = box.top / 53;
        HRGN expected = Rects({{53 * col, 53 * row, 53 * col + 55, 53 * row + 55}});
        bool placed = col < 16 && row < 12 && wintest::SameRegion(tile, expected);
        ::DeleteObject(expected);
        if (placed) ++shown[row * 16 + col];
        misplaced += !placed;
    }
    CHECK_EQ(misplaced, 0);
    for (int n : shown) CHECK_EQ(n, 1);
    CHECK(std::count_if(steps.begin(), steps.end(), [](HRGN tile) {
              HRGN seventeen = Rects({{53, 53, 108, 108}});
              bool same = wintest::SameRegion(tile, seventeen);
              ::DeleteObject(seventeen);
              return same;
          }) == 1);
    // Narrower than 15 pixels: tiles of side 1, one column per pixel.
    Bench narrow(10, 4);
    CHECK_EQ(narrow.Dispatch(RandomThreads, 0).size(), 40u);
}

TEST_CASE(EmptyClientAreasWrongStepsAndLostWindowsDrawNothing) {
    const EffectRoutine routines[] = {WipeEffect, CornerSweepEffect, GrowShapeEffect, BlindsEffect,
                                      RandomTilesEffect};
    const int types[] = {SmoothAway,  DoorLike, Corner,      CircleLike, RectLike,
                         DiamondLike, Lens,     WindowBlind, Mosaic,     RandomThreads};
    const int allFlags[] = {Horizontal, Vertical, Horizontal | Reverse, Vertical | Reverse};
    for (SIZE size : {SIZE{0, 600}, SIZE{800, 0}, SIZE{0, 0}}) {
        Bench bench(size.cx, size.cy);
        for (int type : types) {
            for (int flags : allFlags) {
                CHECK(bench.Dispatch(type, flags).empty());
                for (EffectRoutine routine : routines) {
                    CHECK(bench.Run(routine, type, flags, 0, 0, size.cx, size.cy, 8, 6).empty());
                    CHECK(bench.Run(routine, type, flags, 0, 0, 800, 600, 800, 600).empty());
                }
            }
        }
    }
    // Steps pointing away from the end corner plan no steps.
    Bench bench(800, 600);
    for (int flags : allFlags) {
        CHECK(bench.Run(WipeEffect, SmoothAway, flags, 0, 0, 800, 600, -8, -6).empty());
        CHECK(bench.Run(WipeEffect, DoorLike, flags, 800, 600, 0, 0, 8, 6).empty());
        CHECK(bench.Run(CornerSweepEffect, Corner, flags, 0, 0, 800, 600, -800, -600).empty());
        CHECK(bench.Run(GrowShapeEffect, RectLike, flags, 0, 0, 800, 600, -800, -600).empty());
        CHECK(bench.Run(GrowShapeEffect, DiamondLike, flags, 0, 0, 800, 600, 0, 0).empty());
    }
    // No window, a window that is gone, or a handle that is no longer a window.
    CWnd stale;
    stale.m_hWnd = bench.View().m_hWnd;
    bench.View().Close();
    TransitionRequest request = bench.Request(SmoothAway, Horizontal);
    CWnd* gone = &bench.View();
    for (CWnd* window : {static_cast<CWnd*>(nullptr), gone, &stale}) {
        request.window = window;
        for (int type : types) {
            request.type = type;
            for (EffectRoutine routine : routines) routine(0, 0, 800, 600, 8, 6, &request);
            DispatchTransition(&request);
        }
    }
}

int main(int argc, char** argv) {
    return check::RunAllTests(argc, argv);
}
