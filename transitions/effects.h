// Inside the transition engine: the request a transition runs with, the plan it is worked out
// into once, the reveal step, and the effect routines that draw the plan.
#ifndef LANTREL_TRANSITIONS_EFFECTS_H
#define LANTREL_TRANSITIONS_EFFECTS_H

#include <windows.h>

#include "animation/framepacer.h"
#include "animation/pacing.h"
#include "framework/gdi.h"
#include "framework/wnd.h"
#include "transitions/transition.h"

// Everything needed to put a transition's steps on the screen; lives for one RunTransition
// call and is never changed by the routines.
struct TransitionRequest {
    CWnd* window = nullptr;      // the view; its handle is used for client rect and regions
    CDC* targetDC = nullptr;     // the view's client-area DC: drawing here goes to the screen
    CDC* sourceDC = nullptr;     // memory DC holding the new picture, client-area sized
    int delay = 0;               // pause per reveal step in units of kDelayUnitMs
    int flags = 0;               // EffectFlags
    int type = 0;                // EffectType
    StepPacer* pacer = nullptr;  // keeps RevealRegion's steps at their period; none: plain pauses
    // Holds each step of an effect without a pause (delay 0) until the display has shown it;
    // none: such steps follow each other at once.
    FramePacer* framePacer = nullptr;
};

struct TransitionPlan;

// Every effect routine: draws plan, handing each step's region to RevealRegion(region,
// &request) (the fade draws its frames into the request's DCs itself).  A routine draws
// nothing for a plan that names another routine.
using EffectRoutine = void (*)(const TransitionPlan& plan, const TransitionRequest& request);

// What one transition does, worked out once from its type, flags and the client area.
struct TransitionPlan {
    int type = 0;                     // the EffectType
    EffectRoutine routine = nullptr;  // none: no effect is drawn, the final copy switches at once
    RECT client = {};                 // the view's client area
    // Where the motion starts and where it ends: the client area's left-top and right-bottom
    // corners, exchanged by Reverse except for the growing shapes, which shrink instead.
    POINT from = {}, to = {};
    // The proposed step per axis from `from` toward `to`, in the routine's own unit: whole
    // pixels for the wipes and the blinds (a wipe's still axis 0), hundredths of a pixel for the
    // corner sweep, and for the growing shapes hundredths of their box's growth.
    int stepX = 0, stepY = 0;
    bool reverse = false;   // Reverse: door band, shrinking shape
    bool vertical = false;  // Vertical: blinds grow downwards, the corner sweep is mirrored
};

// The plan for type and flags on a client area.  An empty client area or an unknown type plans
// no routine.
TransitionPlan PlanTransition(int type, int flags, const RECT& client);

// The base steps in hundredths of a pixel for a client area: 800 across, and the height in
// proportion (height * 800 / width).  width must be at least 1.
void BaseSteps(int width, int height, int& stepX, int& stepY);

// Plans and runs the effect for a filled-in request and finishes the screen: the window
// whole again and the complete new picture copied (but after FadeOut).
void DispatchTransition(const TransitionRequest* request);

// One reveal step: clips the window to region for the length of a pause of delay x
// kDelayUnitMs (measured from the end of the previous step's pause when the request has a
// pacer), then copies the new picture inside the region.  With delay 0 and a frame pacer, the
// step is then held until it has been presented, one display refresh after the previous one.
// The region is taken over (it belongs to the system once set); a region object that holds no
// region, or a window that is gone, is skipped without a pause.
void RevealRegion(CRgn region, const TransitionRequest* request);

// SmoothAway and DoorLike: a wipe from one edge, a centre band opening (Reverse) or two leaves
// closing.
void WipeEffect(const TransitionPlan& plan, const TransitionRequest& request);

// Corner: an edge parallel to the diagonal sweeps from the start corner; Vertical mirrors top
// and bottom.
void CornerSweepEffect(const TransitionPlan& plan, const TransitionRequest& request);

// CircleLike to Lens: a centred shape grows, or with Reverse shrinks while the outside is
// revealed.
void GrowShapeEffect(const TransitionPlan& plan, const TransitionRequest& request);

// WindowBlind and Mosaic: a pattern of pieces that all grow at once, downwards with Vertical,
// else to the right.
void BlindsEffect(const TransitionPlan& plan, const TransitionRequest& request);

// RandomThreads: square tiles, one fifteenth of the client width, revealed one at a time in
// random order.
void RandomTilesEffect(const TransitionPlan& plan, const TransitionRequest& request);

// FadeIn and FadeOut: the composed picture faded up from 10 % or down from 100 % of its
// brightness in steps of 2 %, each darkened copy drawn straight into the rectangle from `from`
// to `to` (nothing for corners out of order).
void FadeEffect(const TransitionPlan& plan, const TransitionRequest& request);

#endif
