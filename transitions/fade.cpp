#include "fade.h"

#include <memory>
#include <new>

#include "darken.h"
#include "drawdib.h"
#include "animation/framepacer.h"

BITMAPINFO FadeImageInfo(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4;
    return info;
}

void PlayFade(const TransitionRequest* request, bool fadeIn, const RECT& rect,
              const BITMAPINFO& info, const unsigned* master, unsigned* working,
              const FramePresenter& present) {
    if (master == nullptr || working == nullptr) return;
    const std::size_t count = static_cast<std::size_t>(rect.right - rect.left) *
                              static_cast<std::size_t>(rect.bottom - rect.top);
    // Levels in percent as 8-bit values; the step -2 is 254, added modulo 256.
    unsigned char level = fadeIn ? 10 : 100;
    const unsigned char end = fadeIn ? 100 : 10;
    const unsigned char step = fadeIn ? 2 : 254;
    const bool rising = level < end;
    while (rising ? level < end : level > end) {
        DarkenPixels(master, working, count, level);
        FadeFrame frame = {request->targetDC->GetSafeHdc(), rect, &info.bmiHeader, working};
        if (!present(frame)) {
            request->targetDC->BitBlt(rect.left, rect.top, rect.right - rect.left,
                                      rect.bottom - rect.top, request->sourceDC, rect.left,
                                      rect.top, SRCCOPY);
            return;
        }
        level = static_cast<unsigned char>(level + step);
    }
}

namespace {

// The composed picture of rect read once into the 32-bit DIB section master (bits); false if
// it could not be.  It is copied straight into the DIB section selected into a memory DC: that
// gives the same values as copying it into a bitmap of the display's format and reading that
// with GetDIBits (either way the device's colours are converted to the DIB's format), with one
// copy of the picture less and no bitmap of its size besides.
bool CaptureMaster(const TransitionRequest& request, const RECT& rect, const BITMAPINFO& info,
                   CBitmap& master, void*& bits) {
    master.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (master.GetSafeHandle() == nullptr || bits == nullptr) return false;
    CCreatedDC memory;
    if (!memory.CreateCompatibleDC(request.sourceDC)) return false;
    CSelectObject select(memory, master);
    if (!memory.BitBlt(0, 0, rect.right - rect.left, rect.bottom - rect.top, request.sourceDC,
                       rect.left, rect.top, SRCCOPY)) {
        return false;  // nothing captured: a fade of a blank master would be wrong
    }
    ::GdiFlush();  // the copy is complete before the bits are read directly
    return true;
}

}  // namespace

void RunFade(const TransitionPlan& plan, const TransitionRequest& request,
             const std::function<void()>& hold) {
    const RECT rect = {plan.from.x, plan.from.y, plan.to.x, plan.to.y};
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return;

    const BITMAPINFO info = FadeImageInfo(width, height);
    CBitmap master;
    void* bits = nullptr;
    if (!CaptureMaster(request, rect, info, master, bits)) return;
    std::unique_ptr<unsigned[]> working(
        new (std::nothrow) unsigned[static_cast<std::size_t>(width) * height]);
    if (!working) return;
    // Every frame has the same format, size and place: one DrawDib context for them all.
    CDrawDibSeries drawing;
    const bool ready =
        drawing.Begin(request.targetDC->GetSafeHdc(), &info.bmiHeader, DDF_HALFTONE);
    // Without a pause the frames come faster than the screen shows them: hold each one for a
    // display refresh, or a person sees a blink instead of a fade.
    FramePacer pacer;
    PlayFade(&request, plan.effect->shape == EffectShape::Brighten, rect, info,
             static_cast<const unsigned*>(bits), working.get(),
             [&](const FadeFrame& frame) {
                 if (!ready || !drawing.Draw(frame.rect.left, frame.rect.top, frame.bits)) {
                     return false;
                 }
                 if (hold) {
                     hold();
                 } else {
                     pacer.HoldFrame();
                 }
                 return true;
             });
}

void FadeEffect(const TransitionPlan& plan, const TransitionRequest& request) {
    RunFade(plan, request, nullptr);
}
