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

void PauseMs(int ms) {
    // Waiting on no handles and no input dispatches nothing, but unlike Sleep it lets the
    // platform flush drawing to the screen: Wine presents window surfaces here, also for a
    // wait of 0 ms, which on Windows simply returns.  So even a pause with no time left is
    // made, or a step drawn late would reach the screen only with a later one.
    // Under Wine the wait also ends as soon as the X server has sent the thread events (its
    // driver handles them inside the wait), a few milliseconds early after a window moved: so
    // it waits again for what is left, until the whole pause has passed.
    LARGE_INTEGER frequency, now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    long long end = now.QuadPart + frequency.QuadPart * (ms > 0 ? ms : 0) / 1000;
    DWORD left = static_cast<DWORD>(ms > 0 ? ms : 0);
    for (;;) {
        ::MsgWaitForMultipleObjectsEx(0, nullptr, left, 0, 0);
        ::QueryPerformanceCounter(&now);
        if (now.QuadPart >= end) return;
        // Rounded up: a wait ends on a whole millisecond at the earliest.
        left = static_cast<DWORD>(((end - now.QuadPart) * 1000 + frequency.QuadPart - 1) /
                                  frequency.QuadPart);
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

TimerResolutionScope::TimerResolutionScope() : m_bRaised(::timeBeginPeriod(1) == TIMERR_NOERROR) {}

TimerResolutionScope::~TimerResolutionScope() {
    if (m_bRaised) ::timeEndPeriod(1);
}
