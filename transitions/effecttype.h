// What a transition is asked for: the effect's number and its direction flags.
#ifndef LANTREL_TRANSITIONS_EFFECTTYPE_H
#define LANTREL_TRANSITIONS_EFFECTTYPE_H

// The effects, by their numbers.  0 is no transition at all; a number that names none (made with
// static_cast) switches the picture at once.
enum class EffectType : int {
    None = 0,
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

// A number that names no effect and never will (the effects' numbers are positive): a
// transition of it only switches the picture at once.
constexpr EffectType kNoSuchEffect = static_cast<EffectType>(-1);

// The direction of an effect, OR-ed together.
enum class EffectFlags : int {
    None = 0,
    Reverse = 1,     // run from the opposite side or corner
    Horizontal = 2,  // move along the horizontal axis
    Vertical = 4,    // move along the vertical axis, or mirror vertically
};

constexpr EffectFlags operator|(EffectFlags a, EffectFlags b) {
    return static_cast<EffectFlags>(static_cast<int>(a) | static_cast<int>(b));
}
constexpr EffectFlags operator&(EffectFlags a, EffectFlags b) {
    return static_cast<EffectFlags>(static_cast<int>(a) & static_cast<int>(b));
}
inline EffectFlags& operator|=(EffectFlags& a, EffectFlags b) {
    return a = a | b;
}
// True if flags holds every bit of bits.
constexpr bool HasFlags(EffectFlags flags, EffectFlags bits) {
    return (flags & bits) == bits;
}

#endif
