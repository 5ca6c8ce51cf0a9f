#include "transition.h"

#include "effects.h"
#include "random.h"
#include "animation/pacing.h"

namespace {

// How the dispatcher hands its hundredth-of-a-pixel base steps to a routine.
enum class StepUnit { WholePixels, Hundredths, DoubledHundredths };

struct EffectEntry {
    EffectRoutine routine;  // nullptr: no effect drawn, the final copy switches at once
    StepUnit unit;
};

EffectEntry EntryFor(int type) {
    switch (type) {
        case SmoothAway:
        case DoorLike:
            return {WipeEffect, StepUnit::WholePixels};
        case Corner:
            return {CornerSweepEffect, StepUnit::Hundredths};
        case CircleLike:
        case RectLike:
            return {GrowShapeEffect, StepUnit::Hundredths};
        case DiamondLike:
        case Lens:
            return {GrowShapeEffect, StepUnit::DoubledHundredths};
        case WindowBlind:
        case Mosaic:
            return {BlindsEffect, StepUnit::WholePixels};
        case RandomThreads:
            return {RandomTilesEffect, StepUnit::WholePixels};
        case FadeIn:
        case FadeOut:
            return {FadeEffect, StepUnit::WholePixels};
        default:
            return {nullptr, StepUnit::WholePixels};
    }
}

// Where the client area's left-top corner lies in window coordinates, the coordinates of a
// window region: (0, 0) without a border, the border's width and height with one.
POINT ClientOriginInWindow(HWND hWnd) {
    POINT origin = {0, 0};
    RECT window;
    if (!::ClientToScreen(hWnd, &origin) || !::GetWindowRect(hWnd, &window)) return POINT{0, 0};
    return POINT{origin.x - window.left, origin.y - window.top};
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

bool EffectClientRect(const TransitionRequest* request, RECT* client) {
    if (request == nullptr || request->window == nullptr || !request->window->IsWindow()) {
        return false;
    }
    request->window->GetClientRect(client);
    return client->right > client->left && client->bottom > client->top;
}

void RunTransition(CWnd* view, DrawCallback draw, int delay, int flags, int type) {
    if (type == 0) return;
    if (view == nullptr || !view->IsWindow()) return;
    TimerResolutionScope timer;

    RECT client;
    view->GetClientRect(&client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;

    CClientDC target(view->m_hWnd);
    CDC source;
    CBitmap frame;
    if (target.GetSafeHdc() == nullptr || !source.CreateCompatibleDC(&target) ||
        !frame.CreateCompatibleBitmap(target, width > 0 ? width : 1, height > 0 ? height : 1)) {
        // Without an off-screen picture there is nothing to reveal: repaint at once instead.
        view->Invalidate(FALSE);
        view->UpdateWindow();
        return;
    }
    CSelectObject selectFrame(source, frame);

    CBrush background(::GetSysColor(COLOR_WINDOW));
    ::UnrealizeObject(background);
    source.FillRect(&client, background);
    background.DeleteObject();

    if (draw != nullptr) draw(view, &source);

    TransitionRequest request;
    request.window = view;
    request.targetDC = &target;
    request.sourceDC = &source;
    request.delay = delay;
    request.flags = flags;
    request.type = type;
    StepPacer pacer;
    request.pacer = &pacer;
    // An effect without a pause ("Lens like") would otherwise run faster than the display
    // shows its steps, and a person would see a plain switch.
    FramePacer framePacer;
    request.framePacer = &framePacer;
    DispatchTransition(&request);
}  // the frame bitmap is deselected, then deleted, the memory DC deleted, the window DC released

void DispatchTransition(const TransitionRequest* request) {
    CWnd* window = request->window;
    if (window == nullptr || window->m_hWnd == nullptr || !::IsWindow(window->m_hWnd)) return;

    RECT client;
    window->GetClientRect(&client);
    int x0 = client.left, y0 = client.top, x1 = client.right, y1 = client.bottom;
    if (x1 - x0 > 0 && y1 - y0 > 0) {
        int stepX, stepY;
        BaseSteps(x1 - x0, y1 - y0, stepX, stepY);
        if (request->flags & Reverse) {
            std::swap(x0, x1);
            std::swap(y0, y1);
            stepX = -stepX;
            stepY = -stepY;
        }
        EffectEntry entry = EntryFor(request->type);
        if (entry.routine != nullptr) {
            entry.routine(x0, y0, x1, y1, ScaleStep(stepX, entry.unit),
                          ScaleStep(stepY, entry.unit), request);
        }
    }
    // Whatever the effect left, the window is whole again and the new picture complete.
    window->SetWindowRgn(nullptr, TRUE);
    if (request->type != FadeOut) {
        request->targetDC->BitBlt(client.left, client.top, client.right - client.left,
                                  client.bottom - client.top, request->sourceDC, client.left,
                                  client.top, SRCCOPY);
    }
}

void RevealRegion(CRgn region, const TransitionRequest* request) {
    if (region.GetSafeHandle() == nullptr) return;
    // The copy is clipped by a copy of the region selected into the DC, after the window region
    // is lifted again.  The same pixels change as when copying through the window region, but
    // the window DC never has to rebuild its visible region in the step's shape, which Wine
    // does in time quadratic in the number of rectangles (milliseconds per step for a diamond).
    // A window region is in window coordinates and a DC clip region in client coordinates, so
    // the clip is the region moved by the client origin: on a view with a border, client pixel
    // (x, y) changes exactly when window point (x + cx, y + cy) lies in the region.
    CWnd* window = request->window;
    POINT origin = ClientOriginInWindow(window->m_hWnd);
    CRgn clip;
    if (!clip.CreateRectRgn(0, 0, 0, 0) || clip.CombineRgn(&region, nullptr, RGN_COPY) == ERROR) {
        return;
    }
    clip.OffsetRgn(-origin.x, -origin.y);
    RECT box;
    clip.GetRgnBox(&box);
    if (!window->SetWindowRgn(region.GetSafeHandle(), FALSE)) return;  // ours to delete still
    region.Detach();                                                   // the system owns it now
    if (request->delay != 0) {
        if (request->pacer != nullptr) {
            request->pacer->Pause(request->delay * 5);
        } else {
            PauseMs(request->delay * 5);
        }
    }
    window->SetWindowRgn(nullptr, FALSE);
    CDC* target = request->targetDC;
    target->SelectClipRgn(&clip);
    target->BitBlt(box.left, box.top, box.right - box.left, box.bottom - box.top, request->sourceDC,
                   box.left, box.top, SRCCOPY);
    target->SelectClipRgn(nullptr);
    if (request->delay == 0 && request->framePacer != nullptr) request->framePacer->HoldFrame();
}
