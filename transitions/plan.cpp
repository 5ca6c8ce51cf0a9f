// Working a transition out once: which routine draws it, which way it runs, and its steps in
// the unit that routine counts in.
#include "effects.h"

#include <cmath>
#include <iterator>
#include <utility>

#include "animation/steps.h"
#include "framework/dpi.h"

namespace {

using Type = EffectType;

using Unit = StepUnit;
using Rule = ReverseRule;

// The rows of each routine: what is the same for every type it draws is said here once.
constexpr TransitionDescriptor Wipe(Type type, BandRegionFn band) {
    TransitionDescriptor row = {type, WipeEffect, Unit::WholePixels, Rule::ExchangeCorners, true,
                                true};
    row.band = band;
    return row;
}
constexpr TransitionDescriptor Sweep(Type type) {
    return {type, CornerSweepEffect, Unit::Hundredths, Rule::ExchangeCorners, false, true};
}
constexpr TransitionDescriptor Grow(Type type, ShapeRegionFn shape, ShapeBox box, Unit unit) {
    // The shape shrinks for Reverse by itself: its corners and steps stay in order.
    TransitionDescriptor row = {type, GrowShapeEffect, unit, Rule::KeepCorners, false, true};
    row.shape = shape;
    row.box = box;
    return row;
}
constexpr TransitionDescriptor Blinds(Type type, BlindsPattern pattern) {
    TransitionDescriptor row = {type, BlindsEffect, Unit::WholePixels, Rule::NegateSteps, false,
                                true};
    row.pattern = pattern;
    return row;
}
constexpr TransitionDescriptor Tiles(Type type) {
    return {type, RandomTilesEffect, Unit::WholePixels, Rule::KeepCorners, false, true};
}
constexpr TransitionDescriptor Fade(Type type, FadeLevels levels, bool finalCopy) {
    TransitionDescriptor row = {type, FadeEffect, Unit::WholePixels, Rule::SkipRoutine, false,
                                finalCopy};
    row.levels = levels;
    return row;
}

// One row per type, in the order of their numbers.
constexpr TransitionDescriptor kDescriptors[] = {
    Wipe(Type::SmoothAway, EdgeBand),
    Wipe(Type::DoorLike, DoorBands),
    Sweep(Type::Corner),
    Grow(Type::CircleLike, EllipseShape, ShapeBox::AroundCircle, Unit::Hundredths),
    Grow(Type::RectLike, RectangleShape, ShapeBox::Client, Unit::Hundredths),
    // The diamond and the lens travel twice as far per step: their boxes outgrow the client
    // area by that much.
    Grow(Type::DiamondLike, DiamondShape, ShapeBox::Doubled, Unit::DoubledHundredths),
    Grow(Type::Lens, LensShape, ShapeBox::AroundCircle, Unit::DoubledHundredths),
    Blinds(Type::WindowBlind, {10, 0, false}),
    Blinds(Type::Mosaic, {20, 5, true}),
    Tiles(Type::RandomThreads),
    Fade(Type::FadeIn, {10, 100, 2}, true),
    // The screen stays as the fade-out left it, for the fade-in that follows.
    Fade(Type::FadeOut, {100, 10, 254}, false),
};

// How many of unit make one pixel: the corners are scaled by this before the steps are
// counted on them.
int UnitsPerPixel(StepUnit unit) {
    return unit == StepUnit::WholePixels ? 1 : 100;
}

// A base step (hundredths of a pixel) in unit: in whole pixels truncated toward zero (-599 is
// -5), in doubled hundredths twice as far.
int StepInUnit(int step, StepUnit unit) {
    if (UnitsPerPixel(unit) == 1) return step / 100;
    return unit == StepUnit::DoubledHundredths ? 2 * step : step;
}

// The box at full size: the client area, the diamond whose edges pass through the client
// area's corners, or the square about the circle through them (just inside them after
// truncation).
RECT FullBox(ShapeBox kind, const RECT& client) {
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    RECT box = client;
    if (kind == ShapeBox::AroundCircle) {
        int radius = static_cast<int>(
            std::sqrt(static_cast<double>(width) * width + static_cast<double>(height) * height) *
            0.5);
        ::SetRect(&box, width / 2 - radius, height / 2 - radius, width / 2 + radius,
                  height / 2 + radius);
    } else if (kind == ShapeBox::Doubled) {
        ::InflateRect(&box, width / 2, height / 2);
    }
    return box;
}

}  // namespace

const TransitionDescriptor* DescribeTransition(EffectType type) {
    for (const TransitionDescriptor& descriptor : kDescriptors) {
        if (descriptor.type == type) return &descriptor;
    }
    return nullptr;
}

DescriptorRange TransitionDescriptors() {
    return {std::begin(kDescriptors), std::end(kDescriptors)};
}

int PlanStepsIn(StepUnit unit, int x0, int y0, int x1, int y1, int& stepX, int& stepY) {
    int scale = UnitsPerPixel(unit);
    return PlanSteps(x0 * scale, y0 * scale, x1 * scale, y1 * scale, stepX, stepY);
}

int UnitsToPixels(StepUnit unit, int value) {
    int scale = UnitsPerPixel(unit);
    return (value + scale / 2) / scale;
}

void BaseSteps(int width, int height, int& stepX, int& stepY, int dpi) {
    stepX = ScaleToDpi(800, dpi);
    stepY = (height * stepX) / width;
}

TransitionPlan PlanTransition(EffectType type, EffectFlags flags, const RECT& client, int dpi) {
    TransitionPlan plan;
    plan.effect = DescribeTransition(type);
    plan.client = client;
    plan.box = client;
    plan.reverse = HasFlags(flags, EffectFlags::Reverse);
    plan.vertical = HasFlags(flags, EffectFlags::Vertical);
    plan.dpi = dpi;
    plan.from = POINT{client.left, client.top};
    plan.to = POINT{client.right, client.bottom};
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    if (plan.effect == nullptr || width <= 0 || height <= 0) return plan;

    const TransitionDescriptor& effect = *plan.effect;
    if (plan.reverse && effect.reverse == ReverseRule::SkipRoutine) return plan;
    plan.routine = effect.routine;
    plan.box = FullBox(effect.box, client);
    int stepX, stepY;
    if (effect.band != nullptr) {
        // A wipe: whole pixels of the view as it would be at 96 DPI, which WipeEffect scales.
        BaseSteps(ScaleFromDpi(width, dpi), ScaleFromDpi(height, dpi), stepX, stepY);
    } else {
        BaseSteps(width, height, stepX, stepY, dpi);
    }
    if (plan.reverse && (effect.reverse == ReverseRule::ExchangeCorners ||
                         effect.reverse == ReverseRule::NegateSteps)) {
        if (effect.reverse == ReverseRule::ExchangeCorners) std::swap(plan.from, plan.to);
        stepX = -stepX;
        stepY = -stepY;
    }
    plan.stepX = StepInUnit(stepX, effect.unit);
    plan.stepY = StepInUnit(stepY, effect.unit);
    if (effect.onFlaggedAxes) {
        if (!HasFlags(flags, EffectFlags::Horizontal)) plan.stepX = 0;
        if (!plan.vertical) plan.stepY = 0;
    }
    return plan;
}

TransitionPlan PlanTransition(EffectType type, EffectFlags flags, CWnd* window) {
    RECT client = {};
    if (window == nullptr || !window->IsWindow()) return PlanTransition(type, flags, client);
    window->GetClientRect(&client);
    return PlanTransition(type, flags, client, WindowDpi(window->m_hWnd));
}
