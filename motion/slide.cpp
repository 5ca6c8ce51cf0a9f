#include "slide.h"

#include <utility>

#include "animation/pacing.h"
#include "animation/steps.h"
#include "framework/dpi.h"

namespace {

// The fixed step across: 8 pixels a frame at 96 DPI, in the tenths of a pixel SlideWindow
// counts in; scaled by the parent's DPI when the slide is planned, so that a view as many times
// larger is crossed in as many frames.
constexpr int kFixedStepTenths = 80;

// Start and end of one axis: the client's extent, the window's extent plus one.
void AxisEnds(int clientExtent, int windowExtent1, SlideStart from, SlideEnd to, bool reverse,
              int& start, int& end) {
    start = from != SlideStartInside ? -windowExtent1 : 0;
    end = to != SlideEndInside ? clientExtent : clientExtent - windowExtent1;
    if (reverse) std::swap(start, end);
}

}  // namespace

void PlanSlide(CWnd* window, int directionFlags, int delay, FrameStep step, SlideStart start,
               SlideEnd end) {
    HWND hWnd = window != nullptr ? window->GetSafeHwnd() : nullptr;
    if (hWnd == nullptr || !::IsWindow(hWnd)) return;
    bool horizontal = (directionFlags & SlideHorizontal) != 0;
    bool vertical = (directionFlags & SlideVertical) != 0;
    bool reverse = (directionFlags & SlideReverse) != 0;
    if (!horizontal && !vertical) return;  // no axis, no path
    HWND parent = ::GetParent(hWnd);
    if (parent == nullptr || !(::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD)) return;

    RECT client;
    ::GetClientRect(parent, &client);
    RECT rect;
    ::GetWindowRect(hWnd, &rect);
    int width1 = rect.right - rect.left + 1;
    int height1 = rect.bottom - rect.top + 1;
    int spanX = client.right - width1 - client.left;
    int spanY = client.bottom - client.top - height1;

    int stepX, stepY;
    if (step != TenthSteps) {
        stepX = ScaleToDpi(kFixedStepTenths, WindowDpi(parent));
        // A window exactly one pixel narrower than the client has no horizontal span to take
        // the proportion from: it moves 8 pixels per frame down as well.
        stepY = spanX != 0 ? spanY * stepX / spanX : stepX;
    } else {
        stepX = spanX < 1 ? 1 : spanX;
        stepY = spanY;
    }
    if (stepY < 1) stepY = 1;
    if (reverse) {
        stepX = -stepX;
        stepY = -stepY;
    }
    if (!vertical) stepY = 0;
    if (!horizontal) stepX = 0;

    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (horizontal) {
        AxisEnds(client.right, width1, start, end, reverse, x0, x1);
    }
    if (vertical) {
        AxisEnds(client.bottom, height1, start, end, reverse, y0, y1);
    }
    // Never start on the client's top edge.
    if (y0 == client.top) y0 = 1;
    SlideWindow(window, delay, stepX, stepY, x0, y0, x1, y1);
}

void SlideWindow(CWnd* window, int delay, int stepX, int stepY, int x0, int y0, int x1, int y1) {
    // Only the handle from here on: a wait can destroy the window and free its object.
    HWND hWnd = window != nullptr ? window->GetSafeHwnd() : nullptr;
    if (hWnd == nullptr || !::IsWindow(hWnd)) return;
    AnimationScope timer;
    ShowPendingPaint(hWnd);  // whatever a closed menu covered is whole before the first frame
    ::SetWindowPos(hWnd, nullptr, x0, y0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    PumpAndWait(delay);
    int count = PlanSteps(10 * x0, 10 * y0, 10 * x1, 10 * y1, stepX, stepY);
    for (int i = 1; i <= count; ++i) {
        int x = i == count ? x1 : x0 + (i * stepX + 5) / 10;
        int y = i == count ? y1 : y0 + (i * stepY + 5) / 10;
        if (!::IsWindow(hWnd)) return;
        ::SetWindowPos(hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        PumpAndWait(delay);
    }
}
