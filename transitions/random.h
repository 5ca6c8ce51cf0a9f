// Small helpers shared by the view and the effects: exchanging integers and the runtime's
// random generator.
#ifndef LANTREL_TRANSITIONS_RANDOM_H
#define LANTREL_TRANSITIONS_RANDOM_H

// Exchanges a and b.
void SwapInts(int& a, int& b);

// Seeds the runtime generator (rand) from the tick count.
void SeedRandom();

// a + MulDiv(random, b - a, 32767) for one draw of rand(): a value in a..b inclusive, the two
// ends drawn half as often as each inner value.
int RandomInRange(int a, int b);

// The same scaling for a given generator value r (0..32767).
int ScaleRandom(int r, int a, int b);

#endif
