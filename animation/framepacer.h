// Keeps the frames of an animation that has no pause of its own on screen long enough to be
// seen: at most one frame per display refresh.
#ifndef LANTREL_ANIMATION_FRAMEPACER_H
#define LANTREL_ANIMATION_FRAMEPACER_H

// When each frame of a run may be let through, on any clock counted in whole ticks: frame n
// of the run is due n refresh periods after its start.  The period is kept as the exact
// fraction numerator / denominator of ticks and each due time is worked out from the start,
// rounded up to a whole tick, so no rounding adds up over a run and no frame is due before
// its refresh period has begun.  A frame drawn after its due time starts a new run from then:
// it is let through at once, and the frames after it a period apart again.
class FrameSchedule {
public:
    FrameSchedule(long long periodNumerator, long long periodDenominator, long long start);

    // The tick at which the frame drawn by now may be let through: its due time, or
    // now + minimumPause if that is later (the pause that presents it).
    long long Next(long long now, long long minimumPause);

private:
    long long m_numerator;
    long long m_denominator;
    long long m_start;       // the run's start
    long long m_frames = 0;  // frames let through in this run
};

class FramePacer {
public:
    FramePacer();

    // Call after drawing a frame: waits for the next composition where a compositor runs
    // (DwmFlush), then until the frame's due time (FrameSchedule; at least 1 ms).  The drawing
    // reaches the screen; no message is dispatched.
    void HoldFrame();

    // One refresh period of the display in milliseconds (60 Hz when no rate is known).
    double IntervalMs() const;

private:
    long long m_nFrequency;  // performance-counter ticks per second
    long long m_nPeriodNumerator;
    long long m_nPeriodDenominator;
    FrameSchedule m_schedule;
};

#endif
