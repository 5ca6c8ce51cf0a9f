// Inside the transition engine: the request a transition runs with, the plan it is worked out
// into once, the reveal step, and the effect routines that draw the plan.
#ifndef LANTREL_TRANSITIONS_EFFECTS_H
#define LANTREL_TRANSITIONS_EFFECTS_H

#include <windows.h>

#include "animation/framepacer.h"
#include "animation/pacing.h"
#include "framework/dpi.h"
#include "framework/gdi.h"
#include "framework/wnd.h"
#include "transitions/transition.h"

// What draws a transition: the window, its DCs and the pacing.  What is drawn (the type, its
// direction, its corners and steps) is the TransitionPlan.  Lives for one RunTransition call;
// no routine changes its fields.  What `revealed` points at is the reveal steps' running
// state: each step rewrites it.
struct TransitionRequest {
    TransitionRequest() = default;
    // A request without pacers, for drawing on window from source through target.
    TransitionRequest(CWnd* view, CDC* target, CDC* source, int pause = 0)
        : window(view), targetDC(target), sourceDC(source), delay(pause) {}

    CWnd* window = nullptr;   // the view; its handle is used for client rect and regions
    CDC* targetDC = nullptr;  // the view's client-area DC: drawing here goes to the screen
    CDC* sourceDC = nullptr;  // memory DC holding the new picture, client-area sized
    // Pause per reveal step in units of kDelayUnitMs; 0: each step is held for a display
    // refresh through framePacer.  The fade's frames are always held so: it has no steps to
    // pause between, only frames to show.
    int delay = 0;
    StepPacer* pacer = nullptr;  // keeps RevealRegion's steps at their period; none: plain pauses
    // Holds each step of an effect without a pause (delay 0), and each frame of the fade,
    // until the display has shown it; none: they follow each other at once.
    FramePacer* framePacer = nullptr;
    // The pixels the last step changed (client coordinates), kept by RevealRegion.  The new
    // picture does not change while the steps run, so what an earlier step copied is still on
    // the screen: a step copies only those of its own pixels the last step did not.  None:
    // every step copies all the pixels it changes.
    CRgn* revealed = nullptr;
};

struct TransitionPlan;

// Every effect routine: draws plan, handing each step's region to RevealRegion(region,
// &request) (the fade draws its frames into the request's DCs itself).  A routine reads its
// plan only; the request carries the DCs and the pacing.
using EffectRoutine = void (*)(const TransitionPlan& plan, const TransitionRequest& request);

// The unit a routine counts its steps and corners in.  The base steps are hundredths of a
// pixel; the doubled ones travel twice as far per step (their box grows twice as far as the
// client area).
enum class StepUnit { WholePixels, Hundredths, DoubledHundredths };

// What the planner does for Reverse.  A routine that turns round by itself (the growing shapes
// shrink) reads plan.reverse; its row says only that the planner leaves its corners and steps
// alone.
enum class ReverseRule {
    ExchangeCorners,  // the motion starts from the opposite corner: from and to exchanged, the
                      // steps negated
    NegateSteps,      // only the steps are negated (the blinds then grow by one pixel a step)
    KeepCorners,      // corners and steps stay as they are
    SkipRoutine,      // the routine is not run (a fade has no order of frames to turn round)
};

// The box a growing shape reaches at full size.
enum class ShapeBox {
    Client,        // the client area itself
    AroundCircle,  // the square about the circle through the client area's corners; the shape
                   // stays square
    Doubled,       // the client area grown by half its size on every side
};

// How a growing shape is drawn: the region of one step's box; turn is the angle in radians a
// turning shape has reached (0 at the first step).
using ShapeRegionFn = CRgn (*)(const RECT& box, double turn);

// How a wipe or door step is drawn: the region revealed with the moving edge at (curX, curY),
// stepX the horizontal step (0 when the edge moves vertically).  A rule may pull the moving
// edge back to the end corner.
using BandRegionFn = CRgn (*)(const TransitionPlan& plan, int stepX, int& curX, int& curY);

// How blinds or a mosaic are laid out: a cell's length along the axis its piece grows on, in
// half steps of that axis, and its width across, in half steps of the other axis (0: the whole
// client area).  staggered: every other row or column is offset by half a cell.
struct BlindsPattern {
    int along;
    int across;
    bool staggered;
};

// How a fade runs: its first level, the level it stops short of and the step between levels, in
// percent of full brightness as 8-bit values (a step of -2 is 254, added modulo 256).
struct FadeLevels {
    unsigned char first, end, step;
};

// Everything that depends on a transition's type, decided here once: which routine draws it and
// what that routine needs to know to draw this type.  Each routine reads only its own part of
// the row (the growing shapes: shape and box; wipes: band; blinds: pattern; the fade: levels).
struct TransitionDescriptor {
    EffectType type;
    EffectRoutine routine;
    StepUnit unit;  // of the plan's steps, and of the corners the routine counts them on
    ReverseRule reverse;
    bool onFlaggedAxes;  // the steps move only along the axes the flags name
    bool finalCopy;      // the whole new picture is copied once the routine is done
    ShapeRegionFn shape = nullptr;
    ShapeBox box = ShapeBox::Client;  // the growing shapes' box at full size
    BandRegionFn band = nullptr;
    BlindsPattern pattern = {};
    FadeLevels levels = {};
};

// The descriptor of type, or nullptr for a type without one (None and numbers beyond the
// table).
const TransitionDescriptor* DescribeTransition(EffectType type);

// The descriptor table, one row per type in the order of their numbers: the types there are.
struct DescriptorRange {
    const TransitionDescriptor* first;
    const TransitionDescriptor* last;
    const TransitionDescriptor* begin() const { return first; }
    const TransitionDescriptor* end() const { return last; }
};
DescriptorRange TransitionDescriptors();

// What one transition does, worked out once from its type, flags and the client area.
struct TransitionPlan {
    const TransitionDescriptor* effect = nullptr;  // none: an unknown type
    EffectRoutine routine = nullptr;  // none: nothing to draw (unknown type, empty client area)
    RECT client = {};                 // the view's client area
    // Where the motion starts and where it ends, in pixels: the client area's left-top and
    // right-bottom corners, exchanged when Reverse exchanges corners.
    POINT from = {}, to = {};
    // A growing shape's box at full size, in pixels (the client area for the others).
    RECT box = {};
    // The proposed step per axis from `from` toward `to`, in the descriptor's unit (a wipe's
    // still axis 0; a wipe's in pixels of the view as it would be at 96 DPI, see WipeEffect).
    int stepX = 0, stepY = 0;
    bool reverse = false;   // Reverse: door band opening, growing shape shrinking
    bool vertical = false;  // Vertical: blinds grow downwards, the corner sweep is mirrored
    int dpi = kDefaultDpi;  // the view's when the transition began: the steps are scaled for it
};

// Counts the steps from (x0, y0) to (x1, y1) in pixels with PlanSteps, in unit: the corners are
// scaled to the unit first, so that a step keeps its fraction of a pixel.  stepX and stepY may
// be rewritten, as PlanSteps does.
int PlanStepsIn(StepUnit unit, int x0, int y0, int x1, int y1, int& stepX, int& stepY);

// A distance in unit back to pixels: the nearest pixel for positive values, toward zero for
// negative ones.
int UnitsToPixels(StepUnit unit, int value);

// The plan for type and flags on a client area shown at dpi.  An empty client area or an
// unknown type plans no routine.
TransitionPlan PlanTransition(EffectType type, EffectFlags flags, const RECT& client,
                              int dpi = kDefaultDpi);

// The plan for type and flags on window's client area as it is now, at the window's DPI (an
// empty one if window is none or gone).
TransitionPlan PlanTransition(EffectType type, EffectFlags flags, CWnd* window);

// The base steps in hundredths of a pixel for a client area shown at dpi: 800 across at 96 DPI
// (8 pixels, scaled by dpi / 96 so that a view as many times larger takes as many steps), and
// the height in proportion (height * stepX / width).  width must be at least 1.
void BaseSteps(int width, int height, int& stepX, int& stepY, int dpi = kDefaultDpi);

// Runs plan's routine with request and finishes the screen: the window whole again and, as
// the plan's row says (all but FadeOut, and every unknown type), the whole client area copied
// from the new picture.  Nothing at all if the request's window is none or gone.
void DispatchTransition(const TransitionPlan& plan, const TransitionRequest& request);

// Holds a step or frame just drawn until the display has shown it, through the request's frame
// pacer if it has one.
void HoldForDisplay(const TransitionRequest& request);

// One reveal step: clips the window to region for the length of a pause of delay x
// kDelayUnitMs (measured from the end of the previous step's pause when the request has a
// pacer), then copies the new picture through the region's bounding box.  The window reads its
// region in window coordinates, so the step changes the box's part of the region moved by
// minus the client origin (up and left by a border); with request->revealed, only those of
// these pixels the last step did not change are copied.  With delay 0 and a frame pacer, the
// step is then held until it has been presented, one display refresh after the previous one.
// The region is taken over (it belongs to the system once set); a region object that holds no
// region, or a window that is gone, is skipped without a pause.
void RevealRegion(CRgn region, const TransitionRequest* request);

// SmoothAway and DoorLike: a wipe from one edge, a centre band opening (Reverse) or two leaves
// closing.  Counted on the view as it would be at 96 DPI, each edge scaled to the view.
void WipeEffect(const TransitionPlan& plan, const TransitionRequest& request);

// The bands of wipes and doors: a rectangle from the start edge, or (Reverse) a band opening
// about the centre / (forward) two leaves closing.
CRgn EdgeBand(const TransitionPlan& plan, int stepX, int& curX, int& curY);
CRgn DoorBands(const TransitionPlan& plan, int stepX, int& curX, int& curY);

// Corner: an edge parallel to the diagonal sweeps from the start corner; Vertical mirrors top
// and bottom.
void CornerSweepEffect(const TransitionPlan& plan, const TransitionRequest& request);

// CircleLike to Lens: a centred shape grows, or with Reverse shrinks while the outside is
// revealed.
void GrowShapeEffect(const TransitionPlan& plan, const TransitionRequest& request);

// The growing shapes' regions for one step's box.
CRgn EllipseShape(const RECT& box, double turn);
CRgn RectangleShape(const RECT& box, double turn);
CRgn DiamondShape(const RECT& box, double turn);
CRgn LensShape(const RECT& box, double turn);  // a hexagon turned by turn

// WindowBlind and Mosaic: a pattern of pieces that all grow at once, downwards with Vertical,
// else to the right.
void BlindsEffect(const TransitionPlan& plan, const TransitionRequest& request);

// RandomThreads: square tiles, one fifteenth of the client width (at 96 DPI, then scaled, so
// that the grid has as many tiles at every DPI), revealed one at a time in random order.
void RandomTilesEffect(const TransitionPlan& plan, const TransitionRequest& request);

// FadeIn and FadeOut: the composed picture faded up from 10 % or down from 100 % of its
// brightness in steps of 2 %, each darkened copy drawn straight into the rectangle from `from`
// to `to` (nothing for corners out of order).
void FadeEffect(const TransitionPlan& plan, const TransitionRequest& request);

#endif
