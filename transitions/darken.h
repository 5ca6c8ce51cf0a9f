// Darkening a 32-bit picture to a brightness level, one table lookup per colour byte.
#ifndef LANTREL_TRANSITIONS_DARKEN_H
#define LANTREL_TRANSITIONS_DARKEN_H

#include <cstddef>

// Fills table so that entry i is (i * level) / 100, truncated, built by accumulation so that
// no entry needs a multiplication.  level is in percent of full brightness.
void BuildLevelTable(unsigned char level, unsigned char table[256]);

// Replaces the blue, green and red byte of each of the count 32-bit pixels by its table entry;
// the fourth byte is left as it is.
void DarkenPixels(unsigned* pixels, std::size_t count, const unsigned char table[256]);

#endif
