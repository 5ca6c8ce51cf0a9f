// The frame around every picture transition: compose the new picture off-screen, run one
// effect routine, then make the window whole and copy the complete picture.
#ifndef LANTREL_TRANSITIONS_TRANSITION_H
#define LANTREL_TRANSITIONS_TRANSITION_H

#include "framework/gdi.h"
#include "framework/wnd.h"
#include "animation/framepacer.h"
#include "animation/pacing.h"

enum EffectType : int {
    SmoothAway = 1,      // wipe from one edge
    DoorLike = 2,        // centre band opening, or two leaves closing
    Corner = 3,          // diagonal sweep from a corner
    CircleLike = 4,      // growing ellipse
    RectLike = 5,        // growing rectangle
    DiamondLike = 6,     // growing diamond
    Lens = 7,            // growing, turning hexagon
    WindowBlind = 8,     // window blinds
    Mosaic = 9,          // brick mosaic
    RandomThreads = 10,  // random tiles
    FadeIn = 11,         // brightness fade in from dark
    FadeOut = 12,        // brightness fade out to dark
};

enum EffectFlags : int {
    Reverse = 1,     // run from the opposite side or corner
    Horizontal = 2,  // move along the horizontal axis
    Vertical = 4,    // move along the vertical axis, or mirror vertically
};

// Everything an effect routine needs; lives for one RunTransition call and is never changed
// by the routines.
struct TransitionRequest {
    CWnd* window = nullptr;      // the view; its handle is used for client rect and regions
    CDC* targetDC = nullptr;     // the view's client-area DC: drawing here goes to the screen
    CDC* sourceDC = nullptr;     // memory DC holding the new picture, client-area sized
    int delay = 0;               // pause per reveal step in units of 5 ms
    int flags = 0;               // EffectFlags
    int type = 0;                // EffectType
    StepPacer* pacer = nullptr;  // keeps RevealRegion's steps at their period; none: plain pauses
    // Holds each step of an effect without a pause (delay 0) until the display has shown it;
    // none: such steps follow each other at once.
    FramePacer* framePacer = nullptr;
};

// Draws the view's current picture into dc.
using DrawCallback = void (*)(CWnd* view, CDC* dc);

// Every effect routine: start corner, end corner (exclusive), signed steps in the unit of its
// type, and the request.
using EffectRoutine = void (*)(int x0, int y0, int x1, int y1, int stepX, int stepY,
                               const TransitionRequest* request);

// Brings the view's (already switched) picture onto the screen through effect type.
// Type 0 does nothing at all; types outside 1..12 switch at once.
void RunTransition(CWnd* view, DrawCallback draw, int delay, int flags, int type);

// Runs the effect for a filled-in request and finishes the screen.
void DispatchTransition(const TransitionRequest* request);

// One reveal step: clips the window to region for the length of a pause of delay * 5 ms
// (measured from the end of the previous step's pause when the request has a pacer), then
// copies the new picture inside the region.  With delay 0 and a frame pacer, the step is then
// held until it has been presented, one display refresh after the previous one.  The region is taken over (it belongs to the
// system once set); a region object that holds no region is skipped without a pause.
void RevealRegion(CRgn region, const TransitionRequest* request);

// The client rectangle of the request's window, for an effect routine about to draw.  False
// (draw nothing) if there is no request or window, the window is gone, or the client area has
// no width or height.
bool EffectClientRect(const TransitionRequest* request, RECT* client);

// The base steps in hundredths of a pixel for a client area: 800 across, and the height in
// proportion (height * 800 / width).  width must be at least 1.
void BaseSteps(int width, int height, int& stepX, int& stepY);

#endif
