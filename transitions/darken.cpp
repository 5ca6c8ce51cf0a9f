#include "darken.h"

#include <emmintrin.h>  // SSE2, which every x64 processor has

#include <cstring>

unsigned LevelFactor(int level) {
    // The smallest factor m with m / 65536 >= level / 100.  Exact: for a byte i the product
    // i * m / 65536 exceeds i * level / 100 by less than i / 65536 <= 255 / 65536 < 1 / 100,
    // and i * level / 100 lies at least 1 / 100 below the next whole number, so both truncate
    // to the same value.
    return static_cast<unsigned>((level * 65536 + 99) / 100);
}

void DarkenPixels(const unsigned* source, unsigned* target, std::size_t count, int level) {
    if (level >= 100) {
        std::memcpy(target, source, count * sizeof(unsigned));
        return;
    }
    const unsigned factor = LevelFactor(level < 0 ? 0 : level);
    // Bytes widened to 16-bit lanes as blue, green, red, fourth of one pixel, then the next: the
    // colour lanes take the factor, the fourth lane 0 and its byte comes back from the source.
    const short f = static_cast<short>(factor);
    const __m128i factors = _mm_set_epi16(0, f, f, f, 0, f, f, f);
    const __m128i fourth = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    const __m128i zero = _mm_setzero_si128();
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
        __m128i low = _mm_mulhi_epu16(_mm_unpacklo_epi8(pixels, zero), factors);
        __m128i high = _mm_mulhi_epu16(_mm_unpackhi_epi8(pixels, zero), factors);
        __m128i darkened = _mm_packus_epi16(low, high);
        darkened = _mm_or_si128(darkened, _mm_and_si128(pixels, fourth));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(target + i), darkened);
    }
    for (; i < count; ++i) {
        const unsigned p = source[i];
        const unsigned b = ((p & 0xFF) * factor) >> 16;
        const unsigned g = (((p >> 8) & 0xFF) * factor) >> 16;
        const unsigned r = (((p >> 16) & 0xFF) * factor) >> 16;
        target[i] = (p & 0xFF000000u) | (r << 16) | (g << 8) | b;
    }
}
