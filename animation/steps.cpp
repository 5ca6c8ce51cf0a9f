#include "steps.h"

namespace {

// Steps of size step to cover distance, rounded up (for a step with the distance's sign).
int CountSteps(int distance, int step) {
    if (step == 0) return 0;
    int q = distance / step;
    return q * step != distance ? q + 1 : q;
}

int RescaleStep(int distance, int count) {
    return ((distance * 10) / count + 5) / 10;
}

}  // namespace

int PlanSteps(int x0, int y0, int x1, int y1, int& stepX, int& stepY) {
    int countX = CountSteps(x1 - x0, stepX);
    int countY = CountSteps(y1 - y0, stepY);
    if (countX >= countY) {
        if (countX == 0) return 0;  // nothing to plan: no division by a zero count
        if (stepY != 0) stepY = RescaleStep(y1 - y0, countX);
        return countX;
    }
    if (countY == 0) return 0;
    if (stepX != 0) stepX = RescaleStep(x1 - x0, countY);
    return countY;
}
