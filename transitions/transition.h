// Picture transitions: the new picture of a view brought onto the screen through an effect.
#ifndef LANTREL_TRANSITIONS_TRANSITION_H
#define LANTREL_TRANSITIONS_TRANSITION_H

#include "framework/gdi.h"
#include "framework/wnd.h"
#include "transitions/effecttype.h"

// A reveal step's pause is delay x this many milliseconds.
constexpr int kDelayUnitMs = 5;

// Draws the view's current picture into dc.
using DrawCallback = void (*)(CWnd* view, CDC* dc);

// Brings the view's (already switched) picture onto the screen through effect type, pausing
// delay x kDelayUnitMs per step (delay 0: each step held for one display refresh).
// EffectType::None does nothing at all; a number that names no effect switches at once.
void RunTransition(CWnd* view, DrawCallback draw, int delay, EffectFlags flags, EffectType type);

#endif
