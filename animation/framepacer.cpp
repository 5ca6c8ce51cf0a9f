#include "framepacer.h"

#include <windows.h>
#include <dwmapi.h>

#include "framework/gdi.h"
#include "pacing.h"

namespace {

bool Plausible(double hertz) {
    return hertz >= 24 && hertz <= 500;
}

struct Period {
    long long numerator;  // ticks of the performance counter, over
    long long denominator;
};

// The display's refresh period in performance-counter ticks, as exactly as it is known: the
// compositor's refresh rate (a fraction: 59.94 Hz is 60000/1001), else its period in ticks,
// else the screen's whole hertz (VREFRESH), else 60 Hz.  DwmGetCompositionTimingInfo's window
// "must be set to NULL" from Windows 8.1 on, and gives the monitor's figures (rateRefresh,
// qpcRefreshPeriod); it fails where no compositor runs.  Under Wine 8 and 10 it answers 60/1.
Period RefreshPeriod(long long frequency) {
    DWM_TIMING_INFO timing = {};
    timing.cbSize = sizeof(timing);
    if (SUCCEEDED(::DwmGetCompositionTimingInfo(nullptr, &timing))) {
        const UNSIGNED_RATIO& rate = timing.rateRefresh;
        if (rate.uiNumerator != 0 && rate.uiDenominator != 0 &&
            Plausible(static_cast<double>(rate.uiNumerator) / rate.uiDenominator)) {
            return Period{frequency * rate.uiDenominator, rate.uiNumerator};
        }
        if (timing.qpcRefreshPeriod > 0 &&
            Plausible(static_cast<double>(frequency) / timing.qpcRefreshPeriod)) {
            return Period{static_cast<long long>(timing.qpcRefreshPeriod), 1};
        }
    }
    CClientDC screen(nullptr);
    int hertz = screen.GetSafeHdc() != nullptr ? ::GetDeviceCaps(screen, VREFRESH) : 0;
    // 0 and 1 stand for "the hardware's default rate"; implausible rates are treated alike.
    if (!Plausible(hertz)) hertz = 60;
    return Period{frequency, hertz};
}

}  // namespace

FrameSchedule::FrameSchedule(long long periodNumerator, long long periodDenominator,
                             long long start)
    : m_numerator(periodNumerator), m_denominator(periodDenominator), m_start(start) {}

long long FrameSchedule::Next(long long now, long long minimumPause) {
    ++m_frames;
    // m_frames periods, rounded up, without an overflow for long runs: whole ticks first.
    const long long whole = m_numerator / m_denominator, part = m_numerator % m_denominator;
    long long due =
        m_start + m_frames * whole + (m_frames * part + m_denominator - 1) / m_denominator;
    if (due < now) {
        m_start = due = now;
        m_frames = 0;
    }
    return due > now + minimumPause ? due : now + minimumPause;
}

FramePacer::FramePacer() : m_nFrequency(CounterFrequency()), m_schedule(1, 1, 0) {
    const Period period = RefreshPeriod(m_nFrequency);
    m_nPeriodNumerator = period.numerator;
    m_nPeriodDenominator = period.denominator;
    m_schedule = FrameSchedule(period.numerator, period.denominator, Counter());
}

double FramePacer::IntervalMs() const {
    return 1000.0 * m_nPeriodNumerator / m_nPeriodDenominator / m_nFrequency;
}

void FramePacer::HoldFrame() {
    // Where a compositor runs, DwmFlush "blocks the caller until the next call to a Present
    // method": the frame is shown at the next composition.  It is called whatever
    // DwmIsCompositionEnabled says: from Windows 8 on "DWM composition is always enabled", yet
    // that function answers FALSE to a program without Windows 8 in its manifest, as it does
    // under Wine 8 (Wine 10: TRUE).  What it does without a compositor does not matter: its
    // result is not used, and the schedule below paces the frames whether it waited or not
    // (under Wine 8 and 10 it returns at once).
    ::DwmFlush();
    // The pause lasts at least 1 ms: it is also what presents the drawing on some platforms
    // (Wine), which hand the pixels over to be read a moment later, and the next frame should
    // not be drawn into them at once.
    PauseUntil(m_schedule.Next(Counter(), m_nFrequency / 1000));
}
