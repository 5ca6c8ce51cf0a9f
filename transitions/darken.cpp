#include "darken.h"

#include <cstdint>
#include <cstring>

void BuildLevelTable(unsigned char level, unsigned char table[256]) {
    unsigned sum = 0;
    for (int i = 0; i < 256; ++i) {
        table[i] = static_cast<unsigned char>(sum / 100);
        sum += level;
    }
}

void SpreadLevelTable(const unsigned char table[256], PairTables& pairs) {
    unsigned short lowByte[256];
    for (int i = 0; i < 256; ++i) lowByte[i] = table[i];
    for (int hi = 0; hi < 256; ++hi) {
        const unsigned short mapped = static_cast<unsigned short>(table[hi] << 8);
        const unsigned short kept = static_cast<unsigned short>(hi << 8);
        unsigned short* low = pairs.low + (hi << 8);
        unsigned short* high = pairs.high + (hi << 8);
        for (int i = 0; i < 256; ++i) {
            low[i] = mapped | lowByte[i];
            high[i] = kept | lowByte[i];
        }
    }
}

void DarkenPixels(unsigned* pixels, std::size_t count, const PairTables& pairs) {
    // Two pixels per 64-bit word: four lookups, one load and one store.
    std::size_t i = 0;
    for (; i + 2 <= count; i += 2) {
        std::uint64_t p;
        std::memcpy(&p, pixels + i, sizeof(p));
        p = pairs.low[p & 0xFFFF] |
            static_cast<std::uint64_t>(pairs.high[(p >> 16) & 0xFFFF]) << 16 |
            static_cast<std::uint64_t>(pairs.low[(p >> 32) & 0xFFFF]) << 32 |
            static_cast<std::uint64_t>(pairs.high[p >> 48]) << 48;
        std::memcpy(pixels + i, &p, sizeof(p));
    }
    if (i < count) {
        unsigned p = pixels[i];
        pixels[i] = pairs.low[p & 0xFFFF] | static_cast<unsigned>(pairs.high[p >> 16]) << 16;
    }
}
