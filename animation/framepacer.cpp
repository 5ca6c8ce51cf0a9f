#include "framepacer.h"

#include <windows.h>
#include <dwmapi.h>

#include "framework/gdi.h"
#include "pacing.h"

namespace {

int RefreshIntervalMs() {
    CClientDC screen(nullptr);
    int hertz = screen.GetSafeHdc() != nullptr ? ::GetDeviceCaps(screen, VREFRESH) : 0;
    // 0 and 1 stand for "the hardware's default rate"; implausible rates are treated alike.
    if (hertz < 24 || hertz > 500) hertz = 60;
    return 1000 / hertz;
}

}  // namespace

FramePacer::FramePacer()
    : m_nIntervalMs(RefreshIntervalMs()), m_due(std::chrono::steady_clock::now()) {}

void FramePacer::HoldFrame() {
    using std::chrono::steady_clock;
    BOOL composing = FALSE;
    if (SUCCEEDED(::DwmIsCompositionEnabled(&composing)) && composing) ::DwmFlush();
    // Where DwmFlush does not wait (no composition, or a platform that only claims to
    // compose), the pause alone paces the frames.  Each frame is let through one interval after
    // the previous one was due, not after it really was: the work of drawing it is absorbed into
    // the pause, and a pause that ends a little late does not make every later frame late too,
    // so n frames last n intervals.  A frame that overran its interval moves the schedule on
    // instead of shortening the frames after it.  The pause lasts at least 1 ms: it is also
    // what presents the drawing on some platforms (Wine), which hand the pixels over to be read
    // a moment later, and the next frame should not be drawn into them at once.
    const steady_clock::time_point now = steady_clock::now();
    m_due += std::chrono::milliseconds(m_nIntervalMs);
    if (m_due < now) m_due = now;
    const auto rest = std::chrono::duration_cast<std::chrono::microseconds>(m_due - now).count();
    const int ms = static_cast<int>((rest + 500) / 1000);  // to the nearest millisecond
    PauseMs(ms > 1 ? ms : 1);
}
