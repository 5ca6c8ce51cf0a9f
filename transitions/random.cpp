#include "random.h"

#include <windows.h>

#include <cstdlib>

void SwapInts(int& a, int& b) {
    int t = a;
    a = b;
    b = t;
}

void SeedRandom() {
    std::srand(::GetTickCount());
}

int ScaleRandom(int r, int a, int b) {
    return a + ::MulDiv(r, b - a, 32767);
}

int RandomInRange(int a, int b) {
    return ScaleRandom(std::rand(), a, b);
}
