// The effect routines on a real window with delay 0: every step's region is read back from the
// window (GetWindowRgn in WM_WINDOWPOSCHANGED) and compared with the worked figures, within the
// window: all a window shows of its region, and all of it that the step hands on.
#include <windows.h>

#include <cmath>
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
    TransitionRequest Request() { return {&view, m_target.get(), &m_source}; }
    // The regions of a whole transition through the dispatcher, or of one routine given the
    // plan for type and flags with its corners and steps replaced.
    Steps Dispatch(EffectType type, EffectFlags flags) {
        return Run(nullptr, type, flags, 0, 0, 0, 0, 0, 0);
    }
    Steps Run(EffectRoutine routine, EffectType type, EffectFlags flags, int x0, int y0, int x1,
              int y1, int sx, int sy) {
        view.ClearRegions();
        TransitionPlan plan = PlanTransition(type, flags, &view);
        if (routine != nullptr) {
            plan.from = POINT{x0, y0};
            plan.to = POINT{x1, y1};
            plan.stepX = sx;
            plan.stepY = sy;
            routine(plan, Request());
        } else {
            DispatchTransition(plan, Request());
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

// The lens turns by 15 degrees a step, so it has the same orientation at step i + 4 as at step
// i (a hexagon turned by 60 degrees is itself): its bounding box's width to height goes round
// 2 / sqrt 3 (a vertex to the right), 1, sqrt 3 / 2 (a vertex at the top), 1.  Read while the
// lens lies wholly inside the window and large enough for its pixels to tell.
TEST_CASE(TheLensTurnsOnceRoundItsOrientationsEveryFourSteps) {
    Bench bench(800, 600);
    Steps lens = bench.Dispatch(Type::Lens, Flags::None);
    CHECK_EQ(lens.size(), 63u);
    const double aspects[4] = {2 / std::sqrt(3.0), 1, std::sqrt(3.0) / 2, 1};
    for (size_t k = 8; k < 38 && k < lens.size(); ++k) {
        RECT box;
        ::GetRgnBox(lens[k], &box);
        double aspect = static_cast<double>(box.right - box.left) / (box.bottom - box.top);
        if (std::fabs(aspect - aspects[k % 4]) > 0.04) {
            check::Fail(__FILE__, __LINE__, "lens step " + std::to_string(k) + ": box " +
                                                wintest::Describe(lens[k]) + " turned otherwise");
            break;
        }
    }
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
    // Ten steps for the blinds and twenty for the mosaic whatever the window size, also where
    // the vertical step comes out below one pixel.
    for (SIZE size : {SIZE{300, 200}, SIZE{784, 541}, SIZE{400, 40}}) {
        Bench other(size.cx, size.cy);
        for (EffectFlags flags : {Flags::Vertical, Flags::Horizontal}) {
            CHECK_EQ(other.Dispatch(Type::WindowBlind, flags).size(), 10u);
            CHECK_EQ(other.Dispatch(Type::Mosaic, flags).size(), 20u);
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

// What the planner hands the routines: the client area's corners, 800, 600 to 0, 0 when
// Reverse exchanges them, and the base steps of 800 and 600 hundredths (552 on 784 x 541),
// negated by Reverse, in the routine's unit: 8 and 6 whole pixels (-8, -6), doubled 1600 and
// 1200 for the diamond and the lens.  A growing shape shrinks for Reverse by itself: its
// corners and steps stay in order, as do the random tiles'.
TEST_CASE(RoutinesAreHandedTheWorkedCornersAndSteps) {
    struct Row {
        int type, flags;
        LONG width, height;
        POINT from, to;
        int stepX, stepY;
    };
    const int R = 1, HV = 2 | 4;
    const Row rows[] = {
        {1, HV, 800, 600, {0, 0}, {800, 600}, 8, 6},
        {1, HV | R, 800, 600, {800, 600}, {0, 0}, -8, -6},
        {2, HV | R, 800, 600, {800, 600}, {0, 0}, -8, -6},
        {3, 0, 800, 600, {0, 0}, {800, 600}, 800, 600},
        {3, R, 800, 600, {800, 600}, {0, 0}, -800, -600},
        {4, R, 800, 600, {0, 0}, {800, 600}, 800, 600},
        {5, 0, 800, 600, {0, 0}, {800, 600}, 800, 600},
        {6, R, 800, 600, {0, 0}, {800, 600}, 1600, 1200},
        {7, 0, 800, 600, {0, 0}, {800, 600}, 1600, 1200},
        {7, R, 800, 600, {0, 0}, {800, 600}, 1600, 1200},
        {8, R, 800, 600, {0, 0}, {800, 600}, -8, -6},
        {9, 0, 800, 600, {0, 0}, {800, 600}, 8, 6},
        {10, 0, 800, 600, {0, 0}, {800, 600}, 8, 6},
        {3, R, 784, 541, {784, 541}, {0, 0}, -800, -552},
        {1, HV, 784, 541, {0, 0}, {784, 541}, 8, 5},
        {6, 0, 784, 541, {0, 0}, {784, 541}, 1600, 1104},
    };
    for (const Row& row : rows) {
        TransitionPlan plan = PlanTransition(static_cast<EffectType>(row.type),
                                             static_cast<EffectFlags>(row.flags),
                                             RECT{0, 0, row.width, row.height});
        if (plan.from.x != row.from.x || plan.from.y != row.from.y || plan.to.x != row.to.x ||
            plan.to.y != row.to.y || plan.stepX != row.stepX || plan.stepY != row.stepY) {
            check::Fail(__FILE__, __LINE__,
                        "type " + std::to_string(row.type) + " flags " + std::to_string(row.flags) +
                            ": (" + std::to_string(plan.from.x) + ", " +
                            std::to_string(plan.from.y) + ") to (" + std::to_string(plan.to.x) +
                            ", " + std::to_string(plan.to.y) + "), steps " +
                            std::to_string(plan.stepX) + ", " + std::to_string(plan.stepY));
        }
    }
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
    for (const TransitionDescriptor& row : TransitionDescriptors()) {
        const int n = static_cast<int>(row.type);
        const std::string type = "type " + std::to_string(n);
        if (n < 1 || n > types) {
            check::Fail(__FILE__, __LINE__, type + ": not in the oracle above");
            continue;
        }
        if (DescribeTransition(row.type) != &row) {
            check::Fail(__FILE__, __LINE__, type + ": another row before this one");
        }
        if (row.routine != oracle[n - 1].routine || row.unit != oracle[n - 1].unit) {
            check::Fail(__FILE__, __LINE__, type + ": another routine or unit");
        }
        // The growing shapes, and only they, need a shape to draw; they shrink for Reverse by
        // themselves, so their corners and steps stay as they are.
        bool growing = row.routine == GrowShapeEffect;
        if (growing) CHECK(row.reverse == ReverseRule::KeepCorners);
        CHECK_EQ(row.shape != nullptr, growing);
        CHECK_EQ(row.band != nullptr, row.routine == WipeEffect);
        CHECK_EQ(row.pattern.along != 0, row.routine == BlindsEffect);
        CHECK_EQ(row.levels.step != 0, row.routine == FadeEffect);
        CHECK_EQ(row.finalCopy, row.type != Type::FadeOut);
        for (const TransitionDescriptor& earlier : TransitionDescriptors()) {
            if (&earlier == &row) break;
            if (DrawnAlike(earlier, row)) {
                check::Fail(__FILE__, __LINE__,
                            type + ": drawn exactly as type " +
                                std::to_string(static_cast<int>(earlier.type)));
            }
        }
    }
    for (int n = 1; n <= types; ++n) {
        if (DescribeTransition(static_cast<EffectType>(n)) == nullptr) {
            check::Fail(__FILE__, __LINE__, "type " + std::to_string(n) + ": no descriptor");
        }
    }
    const EffectType unknown[] = {kNoSuchEffect, Type::None, static_cast<EffectType>(types + 1)};
    for (EffectType n : unknown) CHECK(DescribeTransition(n) == nullptr);
    // An unknown type runs no routine; the dispatcher still switches at once.
    Bench bench(200, 150);
    for (EffectType n : unknown) {
        CHECK(PlanTransition(n, Flags::Horizontal, RECT{0, 0, 200, 150}).routine == nullptr);
        CHECK(bench.Dispatch(n, Flags::Horizontal).empty());
    }
}

TEST_CASE(AViewAsManyTimesLargerAtAHigherDpiTakesAsManySteps) {
    // Every region transition on 800 x 600 at 96 DPI, and on a view as many times larger at
    // 120, 144 and 192 DPI: the same number of steps.
    Bench base(800, 600);
    for (int dpi : {120, 144, 192}) {
        Bench bench(800 * dpi / 96, 600 * dpi / 96);
        const RECT client = {0, 0, 800 * dpi / 96, 600 * dpi / 96};
        for (const TransitionDescriptor& row : TransitionDescriptors()) {
            if (row.routine == FadeEffect) continue;  // whole frames, no regions
            for (EffectFlags flags : {Flags::Horizontal, Flags::Vertical | Flags::Reverse}) {
                size_t want = base.Dispatch(row.type, flags).size();
                bench.view.ClearRegions();
                DispatchTransition(PlanTransition(row.type, flags, client, dpi), bench.Request());
                size_t got = bench.view.regions.size();
                if (got != want) {
                    std::printf("  type %d at %d DPI: %zu steps, at 96 DPI %zu\n",
                                static_cast<int>(row.type), dpi, got, want);
                }
                CHECK_EQ(got, want);
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
        for (const TransitionDescriptor& row : TransitionDescriptors()) {
            for (EffectFlags flags : allFlags) {
                CHECK(bench.Dispatch(row.type, flags).empty());
                CHECK(PlanTransition(row.type, flags, client).routine == nullptr);
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
    TransitionRequest request = bench.Request();
    for (CWnd* window : {static_cast<CWnd*>(nullptr), static_cast<CWnd*>(&bench.view), &stale}) {
        request.window = window;
        for (const TransitionDescriptor& row : TransitionDescriptors()) {
            // The fade draws whole frames into the DCs it is given, no window regions.
            if (row.routine == FadeEffect) continue;
            TransitionPlan plan = PlanTransition(row.type, Flags::Horizontal, RECT{0, 0, 800, 600});
            plan.routine(plan, request);
            DispatchTransition(plan, request);
        }
    }
    stale.m_hWnd = nullptr;
}

int main(int argc, char** argv) {
    return check::RunAllTests(argc, argv);
}
