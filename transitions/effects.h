// The effect routines, one per family of effect types.  Each has the EffectRoutine signature.
#ifndef LANTREL_TRANSITIONS_EFFECTS_H
#define LANTREL_TRANSITIONS_EFFECTS_H

#include "transitions/transition.h"

#endif
