#include "fade.h"

#include <cstring>
#include <memory>
#include <new>

#include "darken.h"
#include "drawdib.h"
#include "effects.h"
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

void PlayFade(const TransitionRequest* request, const FadeLevels& levels, const RECT& rect,
              const BITMAPINFO& info, const unsigned* master, unsigned* working, PairTables* tables,
              const FramePresenter& present) {
    if (master == nullptr || working == nullptr || tables == nullptr) return;
    const std::size_t count = static_cast<std::size_t>(rect.right - rect.left) *
                              static_cast<std::size_t>(rect.bottom - rect.top);
    // Levels in percent as 8-bit values; a falling step is added modulo 256.
    unsigned char level = levels.first;
    const unsigned char end = levels.end;
    const unsigned char step = levels.step;
    const bool rising = level < end;
    unsigned char table[256];
    while (rising ? level < end : level > end) {
        std::memcpy(working, master, count * sizeof(unsigned));
        BuildLevelTable(level, table);
        SpreadLevelTable(table, *tables);
        DarkenPixels(working, count, *tables);
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

void FadeEffect(const TransitionPlan& plan, const TransitionRequest& request) {
    const int x0 = plan.from.x, y0 = plan.from.y;
    const RECT rect = {x0, y0, plan.to.x, plan.to.y};
    const int width = rect.right - x0, height = rect.bottom - y0;
    if (width <= 0 || height <= 0) return;

    // The master copy: a 32-bit DIB section holding the composed picture, read once.
    BITMAPINFO info = FadeImageInfo(width, height);
    void* bits = nullptr;
    CBitmap master;
    master.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (master.GetSafeHandle() == nullptr || bits == nullptr) return;
    {
        CCreatedDC memory;
        CBitmap picture;
        if (!memory.CreateCompatibleDC(request.sourceDC) ||
            !picture.CreateCompatibleBitmap(*request.sourceDC, width, height)) {
            return;  // nothing captured: a fade of a blank master would be wrong
        }
        {
            CSelectObject select(memory, picture);
            memory.BitBlt(0, 0, width, height, request.sourceDC, x0, y0, SRCCOPY);
        }
        BITMAPINFO readInfo = info;  // GetDIBits may fill in fields of the header it is given
        if (::GetDIBits(*request.sourceDC, picture, 0, static_cast<UINT>(height), bits, &readInfo,
                        DIB_RGB_COLORS) != height) {
            return;
        }
    }

    std::unique_ptr<unsigned[]> working(
        new (std::nothrow) unsigned[static_cast<std::size_t>(width) * height]);
    std::unique_ptr<PairTables> tables(new (std::nothrow) PairTables);
    // Without a pause the frames come faster than the screen shows them: hold each one for a
    // display refresh, or a person sees a blink instead of a fade.
    FramePacer pacer;
    PlayFade(&request, plan.effect->levels, rect, info,
             static_cast<const unsigned*>(bits), working.get(), tables.get(),
             [&pacer](const FadeFrame& frame) {
                 int w = frame.rect.right - frame.rect.left;
                 int h = frame.rect.bottom - frame.rect.top;
                 if (!DrawDibBlit(frame.target, frame.rect.left, frame.rect.top, w, h, frame.header,
                                  frame.bits, 0, 0, w, h, DDF_HALFTONE)) {
                     return false;
                 }
                 pacer.HoldFrame();
                 return true;
             });
}
