// The effect routines on a real window with delay 0: every step's region is read back from the
// window (GetWindowRgn in WM_WINDOWPOSCHANGED) and compared with the worked figures, within the
// window: all a window shows of its region, and all of it that the step hands on.
#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/wintest.h"
#include "tests/check.h"
#include "transitions/effects.h"

using Type = EffectType;
using Flags = EffectFlags;

namespace {

// The regions of one run and the rectangle of the window they were set on (window
// coordinates).
struct Steps : std::vector<CRgn> {
    RECT window = {};
};

CRgn Own(HRGN region) {
    CRgn owned;
    owned.Attach(region);
    return owned;
}

// A recording view of one client size, and transition requests aimed at it.
class Bench {
public:
    Bench(int width, int height) {
        view.Open(10, 10, width, height);
        m_target = std::make_unique<CClientDC>(view.m_hWnd);
        m_source.CreateCompatibleDC(m_target.get());
    }
    TransitionRequest Request(EffectType type, EffectFlags flags) {
        TransitionRequest request;
        request.window = &view;
        request.targetDC = m_target.get();
        request.sourceDC = &m_source;
        request.type = type;
        request.flags = flags;
        return request;
    }
    // The regions of a whole transition through the dispatcher, or of one routine given the
    // plan for type and flags with its corners and steps replaced.
    Steps Dispatch(EffectType type, EffectFlags flags) {
        return Run(nullptr, type, flags, 0, 0, 0, 0, 0, 0);
    }
    Steps Run(EffectRoutine routine, EffectType type, EffectFlags flags, int x0, int y0, int x1,
              int y1, int sx, int sy) {
        view.ClearRegions();
        TransitionRequest request = Request(type, flags);
        if (routine != nullptr) {
            RECT client;
            ::GetClientRect(view.m_hWnd, &client);
            TransitionPlan plan = PlanTransition(type, flags, client);
            plan.from = POINT{x0, y0};
            plan.to = POINT{x1, y1};
            plan.stepX = sx;
            plan.stepY = sy;
            routine(plan, request);
        } else {
            DispatchTransition(&request);
        }
        Steps steps;
        steps.swap(view.regions);
        ::GetWindowRect(view.m_hWnd, &steps.window);
        ::OffsetRect(&steps.window, -steps.window.left, -steps.window.top);
        return steps;
    }
    wintest::RecordingView view;

private:
    std::unique_ptr<CClientDC> m_target;
    CCreatedDC m_source;
};

CRgn Rects(const std::vector<RECT>& rects) {
    return wintest::MakeRegion(rects);
}

CRgn Polygon(const std::vector<POINT>& points) {
    return Own(::CreatePolygonRgn(points.data(), static_cast<int>(points.size()), ALTERNATE));
}

// The 800 x 600 client area without the shape: what a reversed shape step reveals.
CRgn Outside(CRgn shape) {
    CRgn client;
    client.CreateRectRgn(0, 0, 800, 600);
    shape.CombineRgn(&client, &shape, RGN_XOR);
    return shape;
}

// expected as far as it lies within window.
// expected as far as it lies within window.
CRgn Within(CRgn expected, const RECT& window) {
    CRgn bounds;
    bounds.CreateRectRgnIndirect(window);
    expected.CombineRgn(&expected, &bounds, RGN_AND);
    return expected;
}

// Checks the number of steps and step k's region within the window; false on a difference.
bool Expect(const char* what, const Steps& steps, size_t count, size_t k, CRgn expected) {
    expected = Within(std::move(expected), steps.window);
    std::string failure;
    if (steps.size() != count) {
        failure = std::to_string(steps.size()) + " steps, want " + std::to_string(count);
    } else if (!wintest::SameRegion(steps[k], expected)) {
        failure = "step " + std::to_string(k) + ": got " + wintest::Describe(steps[k]) + ", want " +
                  wintest::Describe(expected);
    }
    if (!failure.empty()) check::Fail(__FILE__, __LINE__, what + (": " + failure));
    return failure.empty();
}

bool Same(const Steps& a, const Steps& b) {
    bool same = a.size() == b.size();
    for (size_t k = 0; same && k < a.size(); ++k) same = wintest::SameRegion(a[k], b[k]);
    return same;
}

}  // namespace

TEST_CASE(WipesAndDoorsRevealTheWorkedRegionsAtEveryStep) {
    Bench bench(800, 600);
    // The regions of step k: up to two rectangles, each edge base + perStep * k, as
    // {left, per step, top, per step, right, per step, bottom, per step}.
    const EffectFlags H = Flags::Horizontal, V = Flags::Vertical, R = Flags::Reverse;
    struct Row {
        EffectType type;
        EffectFlags flags;
        LONG edges[2][8];
    };
    const Row rows[] = {
        {Type::SmoothAway, V, {{0, 0, 0, 0, 800, 0, 0, 6}}},
        {Type::SmoothAway, V | R, {{0, 0, 600, -6, 800, 0, 600, 0}}},
        {Type::SmoothAway, H, {{0, 0, 0, 0, 0, 8, 600, 0}}},
        {Type::SmoothAway, H | R, {{800, -8, 0, 0, 800, 0, 600, 0}}},
        {Type::DoorLike, H, {{0, 0, 0, 0, 0, 4, 600, 0}, {800, -4, 0, 0, 800, 0, 600, 0}}},
        {Type::DoorLike, H | R, {{400, -4, 0, 0, 400, 4, 600, 0}}},
        {Type::DoorLike, V, {{0, 0, 0, 0, 800, 0, 0, 3}, {0, 0, 600, -3, 800, 0, 600, 0}}},
        {Type::DoorLike, V | R, {{0, 0, 300, -3, 800, 0, 300, 3}}},
    };
    for (const Row& row : rows) {
        Steps steps = bench.Dispatch(row.type, row.flags);
        std::string name = "wipe " + std::to_string(&row - rows);
        for (LONG k = 0; k < 100; ++k) {
            std::vector<RECT> rects;
            for (const LONG* e : row.edges) {
                RECT r = {e[0] + e[1] * k, e[2] + e[3] * k, e[4] + e[5] * k, e[6] + e[7] * k};
                if (k > 0) rects.push_back(r);
            }
            if (!Expect(name.c_str(), steps, 100, k, Rects(rects))) break;
        }
    }
    CHECK(bench.Dispatch(Type::SmoothAway, Flags::None)
              .empty());  // neither axis: only the final copy
    // An odd moving edge leaves the smaller leaf on the left: curX = 7 keeps [3, 796) closed.
    Steps odd = bench.Run(WipeEffect, Type::DoorLike, Flags::Horizontal, 0, 0, 800, 600, 7, 0);
    Expect("odd door", odd, 115, 1, Rects({{0, 0, 3, 600}, {796, 0, 800, 600}}));
    Expect("odd door", odd, 115, 114, Rects({{0, 0, 399, 600}, {401, 0, 800, 600}}));
    // On 784 x 541 the vertical base step of 552 hundredths is passed as 5 pixels.
    Bench small(784, 541);
    Expect("784 across", small.Dispatch(Type::SmoothAway, Flags::Horizontal), 98, 97,
           Rects({{0, 0, 776, 541}}));
    Expect("541 down", small.Dispatch(Type::SmoothAway, Flags::Vertical), 109, 108,
           Rects({{0, 0, 784, 540}}));
}

TEST_CASE(CornerSweepsFollowTheWorkedPolygons) {
    Bench bench(800, 600);
    const EffectFlags H = Flags::Horizontal, V = Flags::Vertical, R = Flags::Reverse;
    struct Row {
        EffectFlags flags;
        std::vector<POINT> first, last;  // the regions of steps 1 and 199
    };
    const Row rows[] = {
        {H, {{0, 0}, {8, 0}, {0, 6}}, {{0, 0}, {800, 0}, {800, 594}, {792, 600}, {0, 600}}},
        {H | R,
         {{800, 600}, {793, 600}, {800, 595}},
         {{800, 600}, {0, 600}, {0, 9}, {9, 0}, {800, 0}}},
        {V, {{0, 600}, {8, 600}, {0, 595}}, {{0, 600}, {800, 600}, {800, 7}, {792, 0}, {0, 0}}},
        {V | R, {{800, 0}, {793, 0}, {800, 6}}, {{800, 0}, {0, 0}, {0, 592}, {9, 600}, {800, 600}}},
    };
    for (const Row& row : rows) {
        Steps steps = bench.Dispatch(Type::Corner, row.flags);
        Expect("corner", steps, 200, 0, Rects({})) &&
            Expect("corner", steps, 200, 1, Polygon(row.first)) &&
            Expect("corner", steps, 200, 199, Polygon(row.last));
    }
    // The edge reaches the far column at j = 100 and passes it at j = 101.
    Steps lt = bench.Dispatch(Type::Corner, Flags::Horizontal);
    Expect("LT", lt, 200, 100, Polygon({{0, 0}, {800, 0}, {0, 600}}));
    Expect("LT", lt, 200, 101, Polygon({{0, 0}, {800, 0}, {800, 6}, {8, 600}, {0, 600}}));
    CHECK(Same(bench.Dispatch(Type::Corner, Flags::None), lt));  // Horizontal alone changes nothing
    // 784 x 541: n = 99 steps of 792 x 552 hundredths, swept twice as often.
    Bench small(784, 541);
    Steps steps = small.Dispatch(Type::Corner, Flags::Horizontal);
    Expect("784", steps, 198, 1, Polygon({{0, 0}, {8, 0}, {0, 6}}));
    Expect("784", steps, 198, 197, Polygon({{0, 0}, {784, 0}, {784, 546}, {776, 541}, {0, 541}}));
}

TEST_CASE(GrowingShapesFollowTheWorkedBoxes) {
    Bench bench(800, 600);
    // Forward, step k (from 0) has a box of 2 x (dx, dy) x k about the centre (400, 300).
    auto box = [](LONG k, LONG dx, LONG dy) {
        return RECT{400 - dx * k, 300 - dy * k, 400 + dx * k, 300 + dy * k};
    };
    Steps circle = bench.Dispatch(Type::CircleLike, Flags::None);
    Steps rect = bench.Dispatch(Type::RectLike, Flags::None);
    Steps diamond = bench.Dispatch(Type::DiamondLike, Flags::None);
    Steps shrinking = bench.Dispatch(Type::CircleLike, Flags::Reverse);
    Steps closing = bench.Dispatch(Type::RectLike, Flags::Reverse);
    for (LONG k = 0; k < 125; ++k) {
        RECT c = box(k, 4, 4);
        CRgn outside = Own(::CreateEllipticRgn(-100 + 4 * k, -200 + 4 * k, 900 - 4 * k, 800 - 4 * k));
        if (!Expect("circle", circle, 125, k, Own(::CreateEllipticRgnIndirect(&c))) ||
            !Expect("circle reversed", shrinking, 125, k, Outside(std::move(outside)))) {
            break;
        }
    }
    for (LONG k = 0; k < 100; ++k) {
        RECT r = box(k, 4, 3), d = box(k, 8, 6);
        CRgn outside = Own(::CreateRectRgn(4 * k, 3 * k, 800 - 4 * k, 600 - 3 * k));
        CRgn rhombus = Polygon({{400, d.top}, {d.right, 300}, {400, d.bottom}, {d.left, 300}});
        if (!Expect("rect", rect, 100, k, Rects({r})) ||
            !Expect("rect reversed", closing, 100, k, Outside(std::move(outside))) ||
            !Expect("diamond", diamond, 100, k, std::move(rhombus))) {
            break;
        }
    }
    Expect("circle reversed", shrinking, 125, 124,
           Outside(Own(::CreateEllipticRgn(396, 296, 404, 304))));
    Expect("rect reversed", closing, 100, 0, Rects({}));
    // Reverse only turns growth into shrinking: the boxes stay in order, the steps positive.
    TransitionPlan shrink = PlanTransition(Type::DiamondLike, Flags::Reverse, RECT{0, 0, 800, 600});
    CHECK(shrink.from.x == 0 && shrink.from.y == 0 && shrink.to.x == 800 && shrink.to.y == 600);
    CHECK(shrink.stepX == 1600 && shrink.stepY == 1200 && shrink.reverse);
    // The lens: nothing at first, then the listed vertices (-99 for an exact -100).
    Steps lens = bench.Dispatch(Type::Lens, Flags::None);
    Expect("lens", lens, 63, 0, Rects({}));
    Expect("lens", lens, 63, 1,
           Polygon({{408, 298}, {402, 292}, {394, 294}, {392, 302}, {398, 308}, {406, 306}}));
    Expect("lens", lens, 63, 62,
           Polygon({{-29, 548}, {400, 796}, {830, 548}, {830, 52}, {400, -195}, {-29, 52}}));
    Expect("lens reversed", bench.Dispatch(Type::Lens, Flags::Reverse), 63, 0,
           Outside(Polygon(
               {{900, 300}, {650, -132}, {150, -132}, {-99, 300}, {150, 733}, {650, 733}})));
}

TEST_CASE(BlindsAndMosaicsGrowTheWorkedPatterns) {
    Bench bench(800, 600);
    // cols x rows cells of tw x th, every piece grown by `growth` pixels per step, odd mosaic
    // columns (vertical) half a cell up or odd rows half a cell left, and a seed pixel at the
    // origin of the pattern and of every row.
    struct Pattern {
        EffectType type;
        EffectFlags flags;
        int count, tw, th, cols, rows, growth;
    };
    const Pattern patterns[] = {
        {Type::WindowBlind, Flags::Vertical, 10, 800, 30, 2, 21, 3},
        {Type::WindowBlind, Flags::Horizontal, 10, 40, 600, 21, 2, 4},
        {Type::Mosaic, Flags::Vertical, 20, 20, 60, 41, 11, 3},
        {Type::Mosaic, Flags::Horizontal, 20, 80, 15, 11, 41, 4},
        // Negative steps become 1.
        {Type::WindowBlind, Flags::Vertical | Flags::Reverse, 10, 800, 10, 2, 61, 1},
        {Type::Mosaic, Flags::Vertical | Flags::Reverse, 20, 5, 20, 161, 31, 1},
    };
    for (const Pattern& p : patterns) {
        Steps steps = bench.Dispatch(p.type, p.flags);
        bool vertical = HasFlags(p.flags, Flags::Vertical), mosaic = p.type == Type::Mosaic,
             same = true;
        for (int k = 0; k < p.count && same; ++k) {
            std::vector<RECT> rects = {{0, 0, 1, 1}};
            for (int j = 0; j < p.rows; ++j) {
                int ox = mosaic && !vertical && j % 2 ? -p.tw / 2 : 0;
                rects.push_back({ox, p.th * j, ox + 1, p.th * j + 1});
                for (int i = 0; i < p.cols; ++i) {
                    int x = ox + p.tw * i,
                        y = p.th * j - (mosaic && vertical && i % 2 ? p.th / 2 : 0);
                    int g = k * p.growth;
                    rects.push_back(vertical ? RECT{x, y, x + p.tw, y + g}
                                             : RECT{x, y, x + g, y + p.th});
                }
            }
            same = Expect(mosaic ? "mosaic" : "blinds", steps, p.count, k, Rects(rects));
        }
    }
    // Both axis flags work vertically, neither horizontally.
    CHECK(Same(bench.Dispatch(Type::WindowBlind, Flags::Vertical | Flags::Horizontal),
               bench.Dispatch(Type::WindowBlind, Flags::Vertical)));
    CHECK(Same(bench.Dispatch(Type::Mosaic, Flags::None),
               bench.Dispatch(Type::Mosaic, Flags::Horizontal)));
}

TEST_CASE(RandomTilesShowEveryTileOnce) {
    Bench bench(800, 600);
    Steps steps = bench.Dispatch(Type::RandomThreads, Flags::None);
    CHECK_EQ(steps.size(), 192u);
    std::vector<int> shown(192, 0);
    for (const CRgn& tile : steps) {  // tile (col, row) is (53 col, 53 row) widened by 2 pixels
        RECT box;
        ::GetRgnBox(tile, &box);
        LONG col = box.left / 53, row = box.top / 53;
        CRgn expected =
            Within(Rects({{53 * col, 53 * row, 53 * col + 55, 53 * row + 55}}), steps.window);
        if (col < 16 && row < 12 && wintest::SameRegion(tile, expected)) ++shown[row * 16 + col];
    }
    CHECK(shown == std::vector<int>(192, 1));  // tile 17 among them as (53, 53, 108, 108)
    Bench narrow(10, 4);                       // narrower than 15 pixels: tiles of side 1
    CHECK_EQ(narrow.Dispatch(Type::RandomThreads, Flags::None).size(), 40u);
}

namespace {

// True if a routine given either row would draw the same.
bool DrawnAlike(const TransitionDescriptor& a, const TransitionDescriptor& b) {
    return a.routine == b.routine && a.unit == b.unit && a.reverse == b.reverse &&
           a.onFlaggedAxes == b.onFlaggedAxes && a.finalCopy == b.finalCopy &&
           a.shape == b.shape && a.box == b.box && a.band == b.band &&
           a.pattern.along == b.pattern.along && a.pattern.across == b.pattern.across &&
           a.pattern.staggered == b.pattern.staggered && a.levels.first == b.levels.first &&
           a.levels.end == b.levels.end && a.levels.step == b.levels.step;
}

}  // namespace

// Each type's routine and the unit of the steps it is given, as the engine's design fixes them:
// kept here on purpose, apart from the descriptor table, so that a wrong row fails.  A new type
// adds its row here too.
TEST_CASE(EveryTypeIsDescribedOnce) {
    using Unit = StepUnit;
    struct Row {
        EffectRoutine routine;
        StepUnit unit;
    };
    const Row oracle[] = {
        {WipeEffect, Unit::WholePixels},             // 1 SmoothAway
        {WipeEffect, Unit::WholePixels},             // 2 DoorLike
        {CornerSweepEffect, Unit::Hundredths},       // 3 Corner
        {GrowShapeEffect, Unit::Hundredths},         // 4 CircleLike
        {GrowShapeEffect, Unit::Hundredths},         // 5 RectLike
        {GrowShapeEffect, Unit::DoubledHundredths},  // 6 DiamondLike
        {GrowShapeEffect, Unit::DoubledHundredths},  // 7 Lens
        {BlindsEffect, Unit::WholePixels},           // 8 WindowBlind
        {BlindsEffect, Unit::WholePixels},           // 9 Mosaic
        {RandomTilesEffect, Unit::WholePixels},      // 10 RandomThreads
        {FadeEffect, Unit::WholePixels},             // 11 FadeIn
        {FadeEffect, Unit::WholePixels},             // 12 FadeOut
    };
    const int types = static_cast<int>(sizeof oracle / sizeof oracle[0]);
    for (int n = 1; n <= types; ++n) {
        const TransitionDescriptor* d = DescribeTransition(static_cast<EffectType>(n));
        const std::string type = "type " + std::to_string(n);
        if (d == nullptr || d->type != static_cast<EffectType>(n)) {
            check::Fail(__FILE__, __LINE__, type + ": no descriptor of its own");
            continue;
        }
        if (d->routine != oracle[n - 1].routine || d->unit != oracle[n - 1].unit) {
            check::Fail(__FILE__, __LINE__, type + ": another routine or unit");
        }
        // The growing shapes, and only they, shrink for Reverse and need a shape to draw.
        bool growing = d->routine == GrowShapeEffect;
        CHECK_EQ(d->reverse == ReverseRule::Shrink, growing);
        CHECK_EQ(d->shape != nullptr, growing);
        CHECK_EQ(d->band != nullptr, d->routine == WipeEffect);
        CHECK_EQ(d->pattern.along != 0, d->routine == BlindsEffect);
        CHECK_EQ(d->levels.step != 0, d->routine == FadeEffect);
        CHECK_EQ(d->finalCopy, static_cast<EffectType>(n) != Type::FadeOut);
        for (int m = 1; m < n; ++m) {
            if (DrawnAlike(*DescribeTransition(static_cast<EffectType>(m)), *d)) {
                check::Fail(__FILE__, __LINE__,
                            type + ": drawn exactly as type " + std::to_string(m));
            }
        }
    }
    for (int n : {-1, 0, types + 1}) {
        CHECK(DescribeTransition(static_cast<EffectType>(n)) == nullptr);
    }
    // An unknown type runs no routine; the dispatcher still switches at once.
    Bench bench(200, 150);
    for (int n : {-1, types + 1}) {
        CHECK(PlanTransition(static_cast<EffectType>(n), Flags::Horizontal, RECT{0, 0, 200, 150})
                  .routine == nullptr);
        CHECK(bench.Dispatch(static_cast<EffectType>(n), Flags::Horizontal).empty());
    }
}

TEST_CASE(AViewAsManyTimesLargerAtAHigherDpiTakesAsManySteps) {
    // The counts on 800 x 600 at 96 DPI, one per type 1 to 10: wipe, door, corner (two sweeps
    // per planned step), circle, rectangle, diamond, lens, blinds, mosaic, tiles.
    const size_t counts[] = {100, 100, 200, 125, 100, 100, 63, 10, 20, 192};
    for (int dpi : {120, 144, 192}) {
        Bench bench(800 * dpi / 96, 600 * dpi / 96);
        for (int n = 1; n <= 10; ++n) {
            for (EffectFlags flags : {Flags::Horizontal, Flags::Vertical | Flags::Reverse}) {
                TransitionRequest request = bench.Request(static_cast<EffectType>(n), flags);
                request.dpi = dpi;
                bench.view.ClearRegions();
                DispatchTransition(&request);
                size_t got = bench.view.regions.size();
                if (got != counts[n - 1]) {
                    std::printf("  type %d at %d DPI: %zu steps, at 96 DPI %zu\n", n, dpi, got,
                                counts[n - 1]);
                }
                CHECK_EQ(got, counts[n - 1]);
            }
        }
    }
}

TEST_CASE(EmptyClientAreasWrongStepsAndLostWindowsDrawNothing) {
    const EffectFlags allFlags[] = {Flags::Horizontal, Flags::Vertical,
                                    Flags::Horizontal | Flags::Reverse,
                                    Flags::Vertical | Flags::Reverse};
    for (SIZE size : {SIZE{0, 600}, SIZE{800, 0}, SIZE{0, 0}}) {
        Bench bench(size.cx, size.cy);
        const RECT client = {0, 0, size.cx, size.cy};
        for (int n = 1; n <= 10; ++n) {
            EffectType type = static_cast<EffectType>(n);
            for (EffectFlags flags : allFlags) {
                CHECK(bench.Dispatch(type, flags).empty());
                CHECK(PlanTransition(type, flags, client).routine == nullptr);
            }
        }
    }
    // Steps pointing away from the end corner plan no steps.
    Bench bench(800, 600);
    for (EffectFlags flags : allFlags) {
        CHECK(bench.Run(WipeEffect, Type::SmoothAway, flags, 0, 0, 800, 600, -8, -6).empty());
        CHECK(bench.Run(WipeEffect, Type::DoorLike, flags, 800, 600, 0, 0, 8, 6).empty());
        CHECK(
            bench.Run(CornerSweepEffect, Type::Corner, flags, 0, 0, 800, 600, -800, -600).empty());
        CHECK(
            bench.Run(GrowShapeEffect, Type::RectLike, flags, 0, 0, 800, 600, -800, -600).empty());
    }
    // No window, a window that is gone, or a handle that is no longer a window.
    CWnd stale;
    stale.m_hWnd = bench.view.m_hWnd;
    bench.view.Close();
    TransitionRequest request = bench.Request(Type::SmoothAway, Flags::Horizontal);
    for (CWnd* window : {static_cast<CWnd*>(nullptr), static_cast<CWnd*>(&bench.view), &stale}) {
        request.window = window;
        for (int n = 1; n <= 10; ++n) {
            request.type = static_cast<EffectType>(n);
            TransitionPlan plan =
                PlanTransition(request.type, Flags::Horizontal, RECT{0, 0, 800, 600});
            plan.routine(plan, request);
            DispatchTransition(&request);
        }
    }
    stale.m_hWnd = nullptr;
}

int main(int argc, char** argv) {
    return check::RunAllTests(argc, argv);
}
