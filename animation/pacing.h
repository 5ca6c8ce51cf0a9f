// The waits of the animations: plain pauses that present what was drawn, paced steps, the
// nested message pump of the window animations, and the timer resolution they need.
#ifndef LANTREL_ANIMATION_PACING_H
#define LANTREL_ANIMATION_PACING_H

// Dispatches every queued message, then count times: pauses 5 ms and dispatches again.
// A quit request met on the way is not lost: it is posted again when the wait ends, and no
// more messages are dispatched after it.
void PumpAndWait(int count);

// Pauses ms milliseconds (none for 0 or less) without dispatching any message, while letting
// the windowing system present what was drawn (a plain Sleep can hold drawing back from the
// screen); it presents also when there is no time to wait.  Like every pause here it looks at
// the message queue, so that a long animation does not make its windows "not responding".
void PauseMs(int ms);

// The performance counter (QueryPerformanceCounter) now, and its ticks per second.
long long Counter();
long long CounterFrequency();

// The same pause until the performance counter (QueryPerformanceCounter) reaches tick.
void PauseUntil(long long tick);

// Paces a run of steps at a fixed period: each Pause(ms) ends ms after the previous one was
// due to end, so the work between two pauses (building a region, copying, presenting it) is
// absorbed into the pause and n steps last n periods.  A step that overran its period is not
// made up by shortening the pauses after it; a pause that has no time left still presents.
class StepPacer {
public:
    // Measures the first pause from now instead of from its own start: the work before the
    // first step (composing the picture to reveal) is then absorbed like any step's.
    void Start();
    void Pause(int ms);

private:
    bool m_bStarted = false;
    long long m_nDue = 0;  // when the previous pause was due to end, in performance-counter ticks
};

// What an animation holds for its length: the system timer resolution raised to 1 ms, so that
// short pauses last what they say, and, from its start, the time a message sent to the thread
// has waited for its pauses (one that waited in an earlier animation has been answered since).
class AnimationScope {
public:
    AnimationScope();
    ~AnimationScope();
    AnimationScope(const AnimationScope&) = delete;
    AnimationScope& operator=(const AnimationScope&) = delete;

private:
    bool m_bRaised;
};

#endif
