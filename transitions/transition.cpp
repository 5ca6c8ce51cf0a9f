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

// The client pixels a step changes when it copies the box of its region (both as built, in
// client coordinates) through region set as the window region (window coordinates): the box's
// part of the region moved by minus the client origin.  No region if it cannot be made.
CRgn ChangedByStep(const CRgn& region, const RECT& box, POINT origin) {
    CRgn changed, bounds;
    if (!changed.CreateRectRgn(0, 0, 0, 0) || !bounds.CreateRectRgnIndirect(box) ||
        changed.CombineRgn(&region, nullptr, RGN_COPY) == ERROR) {
        return CRgn();
    }
    changed.OffsetRgn(-origin.x, -origin.y);
    if (changed.CombineRgn(&changed, &bounds, RGN_AND) == ERROR) return CRgn();
    return changed;
}

// What of a step's changed pixels (client coordinates) is not on the screen yet: all of them,
// or those the last step did not change.  No region if it cannot be made.
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
    AnimationScope timer;
    // The steps keep their period from here: composing the new picture (tens of milliseconds
    // for a maximised view on a large screen) is taken out of the first step's pause, as a
    // step's own work is out of its pause, so that the transition lasts its steps' pauses.
    StepPacer pacer;
    pacer.Start();
    // An effect without a pause ("Lens like") and the fade would otherwise run faster than the
    // display shows their steps or frames, and a person would see a plain switch; they too
    // keep their period from here.
    FramePacer framePacer;

    RECT client;
    view->GetClientRect(&client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;

    // One device context for every step, given back when the transition ends.  The view's
    // class asks for no DC of its own, so this is a common DC, which the application "must
    // always release ... as soon as possible after drawing" (Common Display Device Contexts):
    // a transition is one drawing, made here without returning to the message loop.  Its
    // clipping comes from the window's visible region, which "the system automatically uses
    // ... to create the clipping region for any display device context retrieved for the
    // window" (Window Regions), and the window region changes it.  No step draws while its
    // window region is on: RevealRegion lifts the region first and copies through a clip
    // region of its own selected into this DC, so every copy is made with the window as it
    // was when the DC was retrieved.
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

    TransitionRequest request(view, &target, &source, delay);
    request.pacer = &pacer;
    request.framePacer = &framePacer;
    CRgn revealed;
    request.revealed = &revealed;
    // Planned at the view's DPI as it is now: a transition still running when the window moves
    // to a display of another scaling ends as it began.
    DispatchTransition(PlanTransition(type, flags, client, WindowDpi(view->m_hWnd)), request);
}  // the frame bitmap is deselected, then deleted, the memory DC deleted, the window DC released

void DispatchTransition(const TransitionPlan& plan, const TransitionRequest& request) {
    CWnd* window = request.window;
    if (window == nullptr || !window->IsWindow()) return;

    if (plan.routine != nullptr) plan.routine(plan, request);
    // Whatever the effect left, the window is whole again and the new picture complete (an
    // unknown type switches at once).
    window->SetWindowRgn(nullptr, TRUE);
    if (plan.effect == nullptr || plan.effect->finalCopy) {
        // The whole client area, whatever the last step covered: one copy costs a few
        // milliseconds even on a 4K view.
        const RECT& client = plan.client;
        request.targetDC->BitBlt(client.left, client.top, client.right - client.left,
                                 client.bottom - client.top, request.sourceDC, client.left,
                                 client.top, SRCCOPY);
    }
}

void HoldForDisplay(const TransitionRequest& request) {
    if (request.framePacer != nullptr) request.framePacer->HoldFrame();
}

void RevealRegion(CRgn region, const TransitionRequest* request) {
    CWnd* window = request->window;
    if (region.GetSafeHandle() == nullptr || window == nullptr || !window->IsWindow()) return;
    // The step copies its region's bounding box (client coordinates, as the region was built)
    // while the window is clipped to the region.  A window region is read in window
    // coordinates, so on a view with a border the clip is the region moved up and left by the
    // client origin, and the step changes exactly the box's part of that moved region.
    RECT built;
    region.GetRgnBox(&built);
    CutToWindow(region, window->m_hWnd);
    CRgn step = ChangedByStep(region, built, ClientOriginInWindow(window->m_hWnd));
    if (step.GetSafeHandle() == nullptr) return;
    // The copy is clipped by that set selected into the DC, after the window region is lifted
    // again: the same pixels change, but the window DC never has to rebuild its visible region
    // in the step's shape, which Wine does in time quadratic in the number of rectangles
    // (milliseconds per step for a diamond).  Copying only what is new keeps a step's cost to
    // its own few pixels: the bounding box of all that a wipe or a shape has revealed grows to
    // the whole view.
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
    if (request->delay == 0) HoldForDisplay(*request);
}
