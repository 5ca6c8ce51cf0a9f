#include "darken.h"

void BuildLevelTable(unsigned char level, unsigned char table[256]) {
    unsigned sum = 0;
    for (int i = 0; i < 256; ++i) {
        table[i] = static_cast<unsigned char>(sum / 100);
        sum += level;
    }
}

void DarkenPixels(unsigned* pixels, std::size_t count, const unsigned char table[256]) {
    // One 32-bit load and store per pixel; blue, green and red go through the table.
    for (std::size_t i = 0; i < count; ++i) {
        unsigned p = pixels[i];
        pixels[i] = (p & 0xFF000000u) | (static_cast<unsigned>(table[(p >> 16) & 0xFF]) << 16) |
                    (static_cast<unsigned>(table[(p >> 8) & 0xFF]) << 8) | table[p & 0xFF];
    }
}
