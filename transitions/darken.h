// Darkening a 32-bit picture to a brightness level, in one pass from the picture into a frame
// buffer, four pixels at a time.
#ifndef LANTREL_TRANSITIONS_DARKEN_H
#define LANTREL_TRANSITIONS_DARKEN_H

#include <cstddef>

// The 16-bit factor that darkens a colour byte to level percent (0..99) with one
// multiply-high: (i * LevelFactor(level)) >> 16 == (i * level) / 100, truncated, for every
// byte i.  Level 100 has none (it would be 65536); it is the identity.
unsigned LevelFactor(int level);

// Writes count 32-bit pixels of source, darkened to level percent (0..100), into target: the
// blue, green and red bytes each become (byte * level) / 100, truncated; the fourth byte is
// copied unchanged.  source and target must not overlap; nothing beyond count is written.
void DarkenPixels(const unsigned* source, unsigned* target, std::size_t count, int level);

#endif
