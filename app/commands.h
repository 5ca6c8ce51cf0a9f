// The View menu's transition commands: each command's effect, pace and direction, listed once.
// The view runs them; tests and tools iterate the same rows.
#ifndef LANTREL_APP_COMMANDS_H
#define LANTREL_APP_COMMANDS_H

#include <windows.h>

#include "res/resource.h"
#include "transitions/effecttype.h"

// Reveal step pauses, in RunTransition's units of kDelayUnitMs (5 ms).  The lens has none: each of
// its steps is held for one display refresh instead.
constexpr int kDelayPerFrame = 0;
constexpr int kDelay10Ms = 2;
constexpr int kDelay25Ms = 5;

// A View command that switches the picture through one transition.
struct TransitionCommand {
    UINT id;
    EffectType type;
    int delay;  // pause per reveal step, in units of kDelayUnitMs
    EffectFlags flags;
    bool randomReverse;  // Reverse is added at random, about half of the runs
};

// Every View command but "Fade In/Out" (two transitions around the switch) and the
// "Semi-Transparent Show" dialog, in the View menu's order.
inline constexpr TransitionCommand kTransitionCommands[] = {
    {ID_VIEW_SMOOTH_VERTICAL, EffectType::SmoothAway, kDelay10Ms, EffectFlags::Vertical, true},
    {ID_VIEW_SMOOTH_HORIZONTAL, EffectType::SmoothAway, kDelay10Ms, EffectFlags::Horizontal, true},
    {ID_VIEW_DOOR_VERTICAL, EffectType::DoorLike, kDelay10Ms, EffectFlags::Vertical, true},
    {ID_VIEW_DOOR_HORIZONTAL, EffectType::DoorLike, kDelay10Ms, EffectFlags::Horizontal, true},
    {ID_VIEW_CIRCLE_LIKE, EffectType::CircleLike, kDelay10Ms, EffectFlags::None, true},
    {ID_VIEW_RECT_LIKE, EffectType::RectLike, kDelay10Ms, EffectFlags::None, true},
    {ID_VIEW_DIAMOND_LIKE, EffectType::DiamondLike, kDelay10Ms, EffectFlags::None, true},
    {ID_VIEW_LENS_LIKE, EffectType::Lens, kDelayPerFrame, EffectFlags::None, true},
    {ID_VIEW_CORNER_LT_RB, EffectType::Corner, kDelay10Ms, EffectFlags::Horizontal, true},
    {ID_VIEW_CORNER_RT_LB, EffectType::Corner, kDelay10Ms, EffectFlags::Vertical, true},
    {ID_VIEW_BLIND_VERTICAL, EffectType::WindowBlind, kDelay25Ms, EffectFlags::Vertical, false},
    {ID_VIEW_BLIND_HORIZONTAL, EffectType::WindowBlind, kDelay25Ms, EffectFlags::Horizontal, false},
    {ID_VIEW_MOSAIC_VERTICAL, EffectType::Mosaic, kDelay25Ms, EffectFlags::Vertical, false},
    {ID_VIEW_MOSAIC_HORIZONTAL, EffectType::Mosaic, kDelay25Ms, EffectFlags::Horizontal, false},
    {ID_VIEW_RANDOM_THREADS, EffectType::RandomThreads, kDelay10Ms, EffectFlags::None, false},
};

// The row for id, or nullptr.  The ids are no range: the Dialog menu's 32789 and 32791 lie
// among them.
const TransitionCommand* FindTransitionCommand(UINT id);

#endif
