// The brightness fade: darkened copies of the composed picture drawn straight into the view,
// level by level, from a master copy captured once.
#ifndef LANTREL_TRANSITIONS_FADE_H
#define LANTREL_TRANSITIONS_FADE_H

#include <windows.h>

#include <functional>

#include "transitions/darken.h"
#include "transitions/effects.h"

// One darkened frame, ready to be put on screen.
struct FadeFrame {
    HDC target;                      // the view's client-area DC
    RECT rect;                       // where the frame goes
    const BITMAPINFOHEADER* header;  // 32-bit, bottom-up, rect-sized
    const unsigned* bits;            // the working copy
};

// Puts one frame on screen; false if it could not be drawn.
using FramePresenter = std::function<bool(const FadeFrame& frame)>;

// The header a fade describes its images with: a BITMAPINFOHEADER for a bottom-up 32-bit
// image of width x height, and one colour entry, all zero.
BITMAPINFO FadeImageInfo(int width, int height);

// Plays the frames of a fade at levels (from the first, short of the end): for
// each, refills working from master, darkens it through tables and hands it to present.
//  - working or tables null (they could not be allocated): nothing is drawn.
//  - present fails: no further frame is tried and the whole undarkened picture is copied
//    from the request's sourceDC, so no partly faded frame is left standing.
void PlayFade(const TransitionRequest* request, const FadeLevels& levels, const RECT& rect,
              const BITMAPINFO& info, const unsigned* master, unsigned* working, PairTables* tables,
              const FramePresenter& present);

#endif
