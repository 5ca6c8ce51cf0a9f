// The brightness fade: darkened copies of the composed picture drawn straight into the view,
// level by level, from a master copy captured once.
#ifndef LANTREL_TRANSITIONS_FADE_H
#define LANTREL_TRANSITIONS_FADE_H

#include <windows.h>

#include <functional>

#include "transitions/effects.h"

// One darkened frame, ready to be put on screen.
struct FadeFrame {
    HDC target;                      // the view's client-area DC
    RECT rect;                       // where the frame goes
    RECT image;                      // where its darkened image goes: rect, or a part of it
    int level;                       // in percent of full brightness
    const BITMAPINFOHEADER* header;  // 32-bit, bottom-up, image-sized
    const unsigned* bits;            // the working copy
};

// Puts one frame on screen; false if it could not be drawn.
using FramePresenter = std::function<bool(const FadeFrame& frame)>;

// The header a fade describes its images with: a BITMAPINFOHEADER for a bottom-up 32-bit
// image of width x height, and one colour entry, all zero.
BITMAPINFO FadeImageInfo(int width, int height);

// Plays the frames of a fade of rect at levels (from the first, short of the end) whose image,
// described by info, goes at image (rect or a part of it): for each, darkens master into
// working in one pass and hands it to present.
//  - working null (it could not be allocated): nothing is drawn.
//  - present fails: no further frame is tried and the whole undarkened picture of rect is
//    copied from the request's sourceDC, so no partly faded frame is left standing.
void PlayFade(const TransitionRequest* request, const FadeLevels& levels, const RECT& rect,
              const RECT& image, const BITMAPINFO& info, const unsigned* master, unsigned* working,
              const FramePresenter& present);

// The part of rect in dc's picture that is not one flat colour: the smallest rectangle outside
// which every pixel of rect shows the colour of its bottom-right pixel, given back in flat as
// a 32-bit DIB pixel (0x00RRGGBB).  rect itself if that colour cannot be read or every pixel
// has it.
RECT BusyPart(HDC dc, const RECT& rect, unsigned& flat);

// Fills what lies around the frame's image with flat (a 32-bit DIB pixel) darkened to the
// frame's level: the value every pixel there has in the darkened picture.
void FillAroundImage(const FadeFrame& frame, unsigned flat);

// The fade of plan on the request's DCs as FadeEffect plays it: each frame, once drawn, held
// for a display refresh through the request's frame pacer (HoldForDisplay), or, given hold,
// hold called instead (the benchmark times the frames' own work this way).
void RunFade(const TransitionPlan& plan, const TransitionRequest& request,
             const std::function<void()>& hold);

#endif
