// The runtime's random generator, shared by the view (random directions) and the random tiles.
#ifndef LANTREL_TRANSITIONS_RANDOM_H
#define LANTREL_TRANSITIONS_RANDOM_H

// Seeds the runtime generator (rand) from the tick count.
void SeedRandom();

// a + MulDiv(random, b - a, 32767) for one draw of rand(): a value in a..b inclusive, the two
// ends drawn half as often as each inner value.
int RandomInRange(int a, int b);

// The same scaling for a given generator value r (0..32767).
int ScaleRandom(int r, int a, int b);

// Puts array[0..n) in a random order by n random exchanges, after reseeding the generator.
void ShuffleIndices(int* array, int n);

#endif
