// Working a transition out once: which routine draws it, which way it runs, and its steps in
// the unit that routine counts in.
#include "effects.h"

#include <utility>

using namespace EffectType;
using namespace EffectFlags;

namespace {

// How the base steps (hundredths of a pixel) reach a routine.
enum class StepUnit { WholePixels, Hundredths, DoubledHundredths };

struct EffectEntry {
    EffectRoutine routine;
    StepUnit unit;
    bool shrinks;        // Reverse turns growth into shrinking: the corners stay in order
    bool onFlaggedAxes;  // the steps move only along the axes the flags name
};

EffectEntry EntryFor(int type) {
    switch (type) {
        case SmoothAway:
        case DoorLike:
            return {WipeEffect, StepUnit::WholePixels, false, true};
        case Corner:
            return {CornerSweepEffect, StepUnit::Hundredths, false, false};
        case CircleLike:
        case RectLike:
            return {GrowShapeEffect, StepUnit::Hundredths, true, false};
        case DiamondLike:  // their boxes grow twice as far as the client area
        case Lens:
            return {GrowShapeEffect, StepUnit::DoubledHundredths, true, false};
        case WindowBlind:
        case Mosaic:
            return {BlindsEffect, StepUnit::WholePixels, false, false};
        case RandomThreads:
            return {RandomTilesEffect, StepUnit::WholePixels, false, false};
        case FadeIn:
        case FadeOut:
            return {FadeEffect, StepUnit::WholePixels, false, false};
        default:
            return {nullptr, StepUnit::WholePixels, false, false};
    }
}

int ScaleStep(int step, StepUnit unit) {
    switch (unit) {
        case StepUnit::WholePixels:
            return step / 100;
        case StepUnit::DoubledHundredths:
            return 2 * step;
        default:
            return step;
    }
}

}  // namespace

void BaseSteps(int width, int height, int& stepX, int& stepY) {
    stepX = 800;
    stepY = (height * 800) / width;
}

TransitionPlan PlanTransition(int type, int flags, const RECT& client) {
    TransitionPlan plan;
    plan.type = type;
    plan.client = client;
    plan.reverse = (flags & Reverse) != 0;
    plan.vertical = (flags & Vertical) != 0;
    plan.from = POINT{client.left, client.top};
    plan.to = POINT{client.right, client.bottom};
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    if (width <= 0 || height <= 0) return plan;

    EffectEntry entry = EntryFor(type);
    plan.routine = entry.routine;
    int stepX, stepY;
    BaseSteps(width, height, stepX, stepY);
    if (plan.reverse && !entry.shrinks) {
        std::swap(plan.from, plan.to);
        stepX = -stepX;
        stepY = -stepY;
    }
    plan.stepX = ScaleStep(stepX, entry.unit);
    plan.stepY = ScaleStep(stepY, entry.unit);
    if (entry.onFlaggedAxes) {
        if (!(flags & Horizontal)) plan.stepX = 0;
        if (!(flags & Vertical)) plan.stepY = 0;
    }
    return plan;
}
