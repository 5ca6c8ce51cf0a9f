// Keeps the frames of an animation that has no pause of its own on screen long enough to be
// seen: at most one frame per display refresh.
#ifndef LANTREL_ANIMATION_FRAMEPACER_H
#define LANTREL_ANIMATION_FRAMEPACER_H

#include <chrono>

class FramePacer {
public:
    FramePacer();

    // Call after drawing a frame: waits for the next composition where the platform composes
    // (DwmFlush), and in any case until one refresh interval after the previous frame was due
    // to be let through (or after construction), to the nearest millisecond; at least 1 ms.
    // A frame drawn after its due time is held only that 1 ms, and the frames after it are due
    // one interval apart from then on.  The drawing reaches the screen; no message is
    // dispatched.
    void HoldFrame();

    // One refresh interval of the display in whole milliseconds (60 Hz when the display
    // reports no usable rate).
    int IntervalMs() const { return m_nIntervalMs; }

private:
    int m_nIntervalMs;
    std::chrono::steady_clock::time_point m_due;  // when the previous frame was due to end
};

#endif
