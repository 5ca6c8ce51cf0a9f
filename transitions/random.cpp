#include "random.h"

#include <windows.h>

#include <cstdlib>
#include <utility>

void SeedRandom() {
    std::srand(::GetTickCount());
}

int ScaleRandom(int r, int a, int b) {
    return a + ::MulDiv(r, b - a, 32767);
}

int RandomInRange(int a, int b) {
    return ScaleRandom(std::rand(), a, b);
}

void ShuffleIndices(int* array, int n) {
    SeedRandom();
    if (n <= 0 || array == nullptr) return;
    for (int k = 0; k < n; ++k) {
        int i = RandomInRange(0, n - 1);
        int j = RandomInRange(0, n - 1);
        std::swap(array[i], array[j]);
    }
}
