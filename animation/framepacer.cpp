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
    : m_nIntervalMs(RefreshIntervalMs()), m_last(std::chrono::steady_clock::now()) {}

void FramePacer::HoldFrame() {
    BOOL composing = FALSE;
    if (SUCCEEDED(::DwmIsCompositionEnabled(&composing)) && composing) ::DwmFlush();
    // Where DwmFlush does not wait (no composition, or a platform that only claims to
    // compose), the pause alone paces the frames.  It lasts at least 1 ms: the pause is also
    // what presents the drawing on some platforms (Wine), which hand the pixels over to be read
    // a moment later, and the next frame should not be drawn into them at once.
    auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
                       std::chrono::steady_clock::now() - m_last)
                       .count();
    int rest = m_nIntervalMs - static_cast<int>(elapsed);
    PauseMs(rest > 1 ? rest : 1);
    m_last = std::chrono::steady_clock::now();
}
