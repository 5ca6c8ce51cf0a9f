#include "grow.h"

#include "animation/pacing.h"
#include "framework/dpi.h"

namespace {

// Each grow frame waits this many of PumpAndWait's 5 ms slices, each shrink frame this long.
constexpr int kGrowFrameSlices = 2;
constexpr int kShrinkFrameMs = 10;
// The fixed step across, in pixels; the step down keeps the window's proportions.
constexpr int kFixedStepX = 8;

// The steps are pixels at 96 DPI, and so are the sizes the animations count with; each frame's
// size is scaled to the window's DPI (taken when the animation starts) as it is shown, so that
// a window as many times larger takes as many frames, each as many times larger.
struct MotionSteps {
    int x;
    int y;
    int dpi = kDefaultDpi;
};

// Pixels per frame for a width x height window (both positive, pixels at 96 DPI).
MotionSteps StepsFor(int width, int height, FrameStep step) {
    MotionSteps steps;
    if (step != TenthSteps) {
        steps.x = kFixedStepX;
        steps.y = static_cast<int>(kFixedStepX / (static_cast<double>(width) / height) + 0.5);
    } else {
        steps.x = width / 10;
        steps.y = height / 10;
    }
    if (steps.x < 1) steps.x = 1;
    if (steps.y < 1) steps.y = 1;
    return steps;
}

// Where a frame of width x height goes for anchor; start is the rectangle the call began with.
POINT AnchorPosition(WindowAnchor anchor, const RECT& start, int width, int height) {
    switch (anchor) {
        case AnchorScreenCentre:
            // Read anew for every frame: the screen may change size during an animation.
            return POINT{::GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2,
                         ::GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2};
        case AnchorBottomLeft:
            return POINT{start.left, start.bottom - height};
        case AnchorBottomRight:
            return POINT{start.right - width, start.bottom - height};
        case AnchorTopRight:
            return POINT{start.right - width, start.top};
        default:
            return POINT{0, 0};
    }
}

// The window's handle if it is a live window, else nullptr.
HWND LiveHandle(CWnd* window) {
    HWND hWnd = window != nullptr ? window->GetSafeHwnd() : nullptr;
    return hWnd != nullptr && ::IsWindow(hWnd) ? hWnd : nullptr;
}

// What both animations start from: the live window's handle (only the handle from here on:
// a wait can destroy the window and free its object), its rectangle and the steps.  False
// for a missing or dead window, or one without width or height.
bool StartMotion(CWnd* window, FrameStep step, HWND& hWnd, RECT& start, MotionSteps& steps) {
    hWnd = LiveHandle(window);
    if (hWnd == nullptr) return false;
    ::GetWindowRect(hWnd, &start);
    int dpi = WindowDpi(hWnd);
    int width = ScaleFromDpi(start.right - start.left, dpi);
    int height = ScaleFromDpi(start.bottom - start.top, dpi);
    if (width <= 0 || height <= 0) return false;
    steps = StepsFor(width, height, step);
    steps.dpi = dpi;
    return true;
}

// Shows a frame of width x height (pixels at 96 DPI) where anchor puts it.
void MoveFrame(HWND hWnd, WindowAnchor anchor, const RECT& start, const MotionSteps& steps,
               int width, int height) {
    width = ScaleToDpi(width, steps.dpi);
    height = ScaleToDpi(height, steps.dpi);
    POINT at = AnchorPosition(anchor, start, width, height);
    ::MoveWindow(hWnd, at.x, at.y, width, height, TRUE);
}

}  // namespace

void GrowWindow(CWnd* window, WindowAnchor anchor, FrameStep step) {
    HWND hWnd;
    RECT start;
    MotionSteps steps;
    if (!StartMotion(window, step, hWnd, start, steps)) return;
    int fullWidth = ScaleFromDpi(start.right - start.left, steps.dpi);
    int fullHeight = ScaleFromDpi(start.bottom - start.top, steps.dpi);

    AnimationScope timer;
    // No ShowPendingPaint here: the frame is already shown at its full size, and painting it
    // now would flash it whole before it grows; each frame's wait below paints it anyway.
    int width = 0;
    int height = 0;
    for (;;) {
        width += steps.x;
        height += steps.y;
        bool last = width >= fullWidth || height >= fullHeight;
        if (!::IsWindow(hWnd)) return;
        if (last) {
            ::MoveWindow(hWnd, start.left, start.top, start.right - start.left,
                         start.bottom - start.top, TRUE);
        } else {
            MoveFrame(hWnd, anchor, start, steps, width, height);
        }
        PumpAndWait(kGrowFrameSlices);
        if (last) return;
    }
}

void ShrinkWindow(CWnd* window, WindowAnchor anchor, FrameStep step) {
    HWND hWnd;
    RECT start;
    MotionSteps steps;
    if (!StartMotion(window, step, hWnd, start, steps)) return;
    int width = ScaleFromDpi(start.right - start.left, steps.dpi);
    int height = ScaleFromDpi(start.bottom - start.top, steps.dpi);

    AnimationScope timer;
    ShowPendingPaint(hWnd);  // no image of the menu that closed the frame rides along
    while (width > 0 && height > 0) {
        // Nothing is dispatched here, but the window's own handlers run inside the moves.
        if (!::IsWindow(hWnd)) return;
        MoveFrame(hWnd, anchor, start, steps, width, height);
        // The move invalidates the frame and its view (CS_HREDRAW | CS_VREDRAW) and nothing is
        // dispatched to paint them.  Without a compositor the screen keeps the old pixels, but
        // under one (Windows from 8 on) a window is drawn from what it drew itself, and "custom
        // drawing only part of a top-level window will not provide the desired stale content
        // in undrawn regions" (DWM best practices): the frame could show black.  So the invalid
        // parts are painted here: RDW_UPDATENOW sends the affected windows "WM_NCPAINT,
        // WM_ERASEBKGND, and WM_PAINT messages, if necessary, before the function returns",
        // straight to their window procedures, without taking anything from the queue.
        ::RedrawWindow(hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        // Unlike a plain Sleep, this lets every frame reach the screen at once.
        PauseMs(kShrinkFrameMs);
        width -= steps.x;
        height -= steps.y;
    }
}
