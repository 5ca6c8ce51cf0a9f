#include "pacing.h"

#include <windows.h>
#include <mmsystem.h>

void PumpAndWait(int count) {
    bool quit = false;
    WPARAM exitCode = 0;
    auto drain = [&]() {
        MSG msg;
        while (!quit && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                exitCode = msg.wParam;
                break;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    };
    drain();
    for (int i = 0; i < count; ++i) {
        PauseMs(5);
        drain();
    }
    if (quit) ::PostQuitMessage(static_cast<int>(exitCode));
}

long long Counter() {
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

long long CounterFrequency() {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
}

namespace {

// When this thread last looked at its queue, and since when a message sent to it has been
// seen waiting (0: none), in performance-counter ticks.
thread_local long long lastLook = 0;
thread_local long long sentWaitingSince = 0;

// Lets the system see this thread look at its message queue, at most every quarter second,
// taking nothing from it and dispatching nothing.  A window is "not responding" (and Windows
// may replace it by a ghost) when its thread "is not waiting for input, is not in startup
// processing, and has not called PeekMessage within the internal timeout period of 5 seconds"
// (IsHungAppWindow).  Waiting in MsgWaitForMultipleObjectsEx does not count while the thread
// works between its waits: a thread that worked 40 ms and waited 10 ms so, without a look,
// was hung from 5.1 s on under Wine 8 and 10 (Wine stamps the queue in its server's
// get_message request, which only PeekMessage and GetMessage make, and calls it hung when the
// stamp is over 5 s old and the thread is not waiting on it, server/queue.c is_queue_hung).
//  - PM_NOREMOVE: "Messages are not removed from the queue after processing by PeekMessage."
//  - PM_QS_POSTMESSAGE: only posted messages are looked at, so input is not even processed
//    (a click stays queued, with no activation or cursor message, and is handled after the
//    animation) and no WM_PAINT is made; PM_NOYIELD: the thread is not idle, so a thread in
//    WaitForInputIdle is not released.
//  - Sent messages: PeekMessage "Dispatches incoming nonqueued messages" (Wine does so
//    whatever the filter).  One sent from another thread (a task switcher asking for the
//    window's text or icon, a settings broadcast, a test driver's command) would run inside
//    the animation, so while one waits (QS_SENDMESSAGE: "A message sent by another thread or
//    application is in the queue"; MWMO_INPUTAVAILABLE: the wait "returns if input exists for
//    the queue, even if the input has been seen") there is no look: its sender waits for the
//    animation's end, as without the look, but for 4 s at most.  A thread that leaves a sent
//    message waiting longer is as hung as one that never looks (Wine counts no look then, and
//    the sender, say an accessibility tool asking for the window's object, is held up), so
//    from then on the look is made and the message runs here.  One that arrives between the
//    wait and the look runs here at once: no look can leave it waiting.  (GetQueueStatus
//    would tell the same as the wait, but under Wine 10 a PeekMessage after it no longer
//    counts as a look: hung from 5.5 s on, measured.)
//    A message that runs here:
//    the default processing answers queries and broadcasts without drawing (WM_PAINT is never
//    sent), and a command runs nested as it can inside the grow's PumpAndWait (a window
//    destroyed meanwhile keeps its object until its handler returns, and the animations check
//    their window before each frame).
void LookAtQueue() {
    const long long now = Counter();
    if (lastLook != 0 && now - lastLook < CounterFrequency() / 4) return;
    lastLook = now;
    if (::MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_SENDMESSAGE, MWMO_INPUTAVAILABLE) ==
        WAIT_OBJECT_0) {
        if (sentWaitingSince == 0) sentWaitingSince = now;
        if (now - sentWaitingSince < CounterFrequency() * 4) return;
    }
    sentWaitingSince = 0;
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_NOYIELD | PM_QS_POSTMESSAGE);
}

}  // namespace

void PauseMs(int ms) {
    PauseUntil(Counter() + CounterFrequency() * (ms > 0 ? ms : 0) / 1000);
}

void PauseUntil(long long tick) {
    LookAtQueue();
    // Waiting on no handles and no input dispatches nothing, but unlike Sleep it lets the
    // platform flush drawing to the screen: Wine presents window surfaces here, also for a
    // wait of 0 ms, which on Windows simply returns.  So even a pause with no time left is
    // made, or a step drawn late would reach the screen only with a later one.
    // Under Wine the wait also ends as soon as the X server has sent the thread events (its
    // driver handles them inside the wait), a few milliseconds early after a window moved: so
    // it waits again for what is left, until the whole pause has passed.
    const long long frequency = CounterFrequency();
    for (;;) {
        long long rest = tick - Counter();
        // Rounded up: a wait ends on a whole millisecond at the earliest.
        DWORD left = rest > 0 ? static_cast<DWORD>((rest * 1000 + frequency - 1) / frequency) : 0;
        ::MsgWaitForMultipleObjectsEx(0, nullptr, left, 0, 0);
        if (Counter() >= tick) return;
    }
}

void StepPacer::Start() {
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    m_nDue = now.QuadPart;
    m_bStarted = true;
}

void StepPacer::Pause(int ms) {
    if (ms <= 0) {
        PauseMs(0);  // no wait, but what was drawn is presented
        return;
    }
    LARGE_INTEGER frequency, now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    long long period = frequency.QuadPart * ms / 1000;
    long long due = (m_bStarted ? m_nDue : now.QuadPart) + period;
    if (due < now.QuadPart) due = now.QuadPart;
    m_nDue = due;
    m_bStarted = true;
    // Rounded to the nearest millisecond: the error does not add up, as the next pause is
    // measured from this one's due time.
    PauseMs(static_cast<int>(((due - now.QuadPart) * 1000 + frequency.QuadPart / 2) /
                             frequency.QuadPart));
}

AnimationScope::AnimationScope() : m_bRaised(::timeBeginPeriod(1) == TIMERR_NOERROR) {
    sentWaitingSince = 0;
}

AnimationScope::~AnimationScope() {
    if (m_bRaised) ::timeEndPeriod(1);
}
