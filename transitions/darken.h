// Darkening a 32-bit picture to a brightness level through table lookups, so that no pixel
// needs a multiplication or a division.
#ifndef LANTREL_TRANSITIONS_DARKEN_H
#define LANTREL_TRANSITIONS_DARKEN_H

#include <cstddef>

// Fills table so that entry i is (i * level) / 100, truncated, built by accumulation so that
// no entry needs a multiplication.  level is in percent of full brightness.
void BuildLevelTable(unsigned char level, unsigned char table[256]);

// A level table spread over two bytes at a time, so that a pixel takes two lookups instead of
// three: low maps green and blue, high maps red and keeps the fourth byte.  256 KB.
struct PairTables {
    unsigned short low[65536];
    unsigned short high[65536];
};
void SpreadLevelTable(const unsigned char table[256], PairTables& pairs);

// Replaces the blue, green and red byte of each of the count 32-bit pixels by its level table
// entry; the fourth byte is left as it is.
void DarkenPixels(unsigned* pixels, std::size_t count, const PairTables& pairs);

#endif
