#include "transition.h"

#include "effects.h"

#include <utility>

#include "framework/dpi.h"
#include "regioncopy.h"

namespace {

// Where the client area's left-top corner lies in window coordinates, the coordinates of a
// window region: (0, 0) without a border, the border's width and height with one.
POINT ClientOriginInWindow(HWND hWnd) {
    POINT origin = {0, 0};
    RECT window;
    if (!::ClientToScreen(hWnd, &origin) || !::GetWindowRect(hWnd, &window)) return POINT{0, 0};
    return POINT{origin.x - window.left, origin.y - window.top};
}

// Cuts a window region to the window's own rectangle (window coordinates).  A window shows
// nothing beyond its rectangle, so it shows the same through the cut region: SetWindowRgn
// "determines the area within the window where the system permits drawing".  But a circle or a
// diamond reaching far beyond a large view has some three times the rectangles it keeps once
// cut, and Wine 10 makes a region from those rectangles twice in every SetWindowRgn, in time
// quadratic in their number (README, Known platform issues).
void CutToWindow(CRgn& region, HWND hWnd) {
    RECT window;
    CRgn bounds;
    if (::GetWindowRect(hWnd, &window) &&
        bounds.CreateRectRgn(0, 0, window.right - window.left, window.bottom - window.top)) {
        region.CombineRgn(&region, &bounds, RGN_AND);
    }
}

// What of a step's region (client coordinates) is not on the screen yet: all of it, or what
// it adds to the region the last step revealed.  No region if it cannot be made.
CRgn FreshPart(const CRgn& step, const CRgn* revealed) {
    CRgn fresh;
    bool known = revealed != nullptr && revealed->GetSafeHandle() != nullptr;
    if (fresh.CreateRectRgn(0, 0, 0, 0) &&
        fresh.CombineRgn(&step, known ? revealed : nullptr, known ? RGN_DIFF : RGN_COPY) == ERROR) {
        fresh.DeleteObject();
    }
    return fresh;
}

}  // namespace

void RunTransition(CWnd* view, DrawCallback draw, int delay, EffectFlags flags, EffectType type) {
    if (type == EffectType::None) return;
    if (view == nullptr || !view->IsWindow()) return;
    TimerResolutionScope timer;
    // The steps keep their period from here: composing the new picture (tens of milliseconds
    // for a maximised view on a large screen) is taken out of the first step's pause, as a
    // step's own work is out of its pause, so that the transition lasts its steps' pauses.
    StepPacer pacer;
    pacer.Start();
    // An effect without a pause ("Lens like") would otherwise run faster than the display
    // shows its steps, and a person would see a plain switch.
    FramePacer framePacer;

    RECT client;
    view->GetClientRect(&client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;

    CClientDC target(view->m_hWnd);
    CCreatedDC source;
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

    if (draw != nullptr) draw(view, &source);

    TransitionRequest request;
    request.window = view;
    request.targetDC = &target;
    request.sourceDC = &source;
    request.delay = delay;
    request.flags = flags;
    request.type = type;
    request.pacer = &pacer;
    request.framePacer = &framePacer;
    request.dpi = WindowDpi(view->m_hWnd);
    CRgn revealed;
    request.revealed = &revealed;
    DispatchTransition(&request);
}  // the frame bitmap is deselected, then deleted, the memory DC deleted, the window DC released

void DispatchTransition(const TransitionRequest* request) {
    CWnd* window = request->window;
    if (window == nullptr || !window->IsWindow()) return;

    RECT client;
    window->GetClientRect(&client);
    TransitionPlan plan = PlanTransition(request->type, request->flags, client, request->dpi);
    if (plan.routine != nullptr) plan.routine(plan, *request);
    // Whatever the effect left, the window is whole again and the new picture complete (an
    // unknown type switches at once).
    window->SetWindowRgn(nullptr, TRUE);
    if (plan.effect == nullptr || plan.effect->finalCopy) {
        // What the last step revealed shows the new picture already.
        CRgn rest;
        if (!rest.CreateRectRgnIndirect(client)) return;
        const CRgn* revealed = request->revealed;
        if (revealed != nullptr && revealed->GetSafeHandle() != nullptr) {
            rest.CombineRgn(&rest, revealed, RGN_DIFF);
        }
        CopyRegionPixels(request->targetDC, request->sourceDC, rest);
    }
}

void RevealRegion(CRgn region, const TransitionRequest* request) {
    CWnd* window = request->window;
    if (region.GetSafeHandle() == nullptr || window == nullptr || !window->IsWindow()) return;
    // The copy is clipped by a copy of the region selected into the DC, after the window region
    // is lifted again.  The same pixels change as when copying through the window region, but
    // the window DC never has to rebuild its visible region in the step's shape, which Wine
    // does in time quadratic in the number of rectangles (milliseconds per step for a diamond).
    // A window region is in window coordinates and a DC clip region in client coordinates, so
    // the clip is the region moved by the client origin: on a view with a border, client pixel
    // (x, y) changes exactly when window point (x + cx, y + cy) lies in the region.
    CutToWindow(region, window->m_hWnd);
    POINT origin = ClientOriginInWindow(window->m_hWnd);
    CRgn step;
    if (!step.CreateRectRgn(0, 0, 0, 0) || step.CombineRgn(&region, nullptr, RGN_COPY) == ERROR) {
        return;
    }
    step.OffsetRgn(-origin.x, -origin.y);
    // Copying only what is new keeps a step's cost to its own few pixels: the bounding box of
    // all that a wipe or a shape has revealed grows to the whole view.
    CRgn fresh = FreshPart(step, request->revealed);
    if (fresh.GetSafeHandle() == nullptr) return;
    if (!window->SetWindowRgn(region.GetSafeHandle(), FALSE)) return;  // ours to delete still
    region.Detach();                                                   // the system owns it now
    if (request->delay != 0) {
        if (request->pacer != nullptr) {
            request->pacer->Pause(request->delay * kDelayUnitMs);
        } else {
            PauseMs(request->delay * kDelayUnitMs);
        }
    }
    window->SetWindowRgn(nullptr, FALSE);
    CopyRegionPixels(request->targetDC, request->sourceDC, fresh);
    if (request->revealed != nullptr) *request->revealed = std::move(step);
    if (request->delay == 0 && request->framePacer != nullptr) request->framePacer->HoldFrame();
}
