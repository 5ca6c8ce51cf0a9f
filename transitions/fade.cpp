#include "fade.h"

#include <algorithm>
#include <memory>
#include <new>

#include "darken.h"
#include "drawdib.h"

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
              const RECT& image, const BITMAPINFO& info, const unsigned* master, unsigned* working,
              const FramePresenter& present) {
    if (master == nullptr || working == nullptr) return;
    const std::size_t count = static_cast<std::size_t>(image.right - image.left) *
                              static_cast<std::size_t>(image.bottom - image.top);
    // Levels in percent as 8-bit values; a falling step is added modulo 256.
    unsigned char level = levels.first;
    const unsigned char end = levels.end;
    const unsigned char step = levels.step;
    const bool rising = level < end;
    while (rising ? level < end : level > end) {
        DarkenPixels(master, working, count, level);
        FadeFrame frame = {request->targetDC->GetSafeHdc(), rect, image, level, &info.bmiHeader,
                           working};
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

// What the screen shows of a 32-bit DIB pixel: its fourth byte means nothing there.
constexpr unsigned kColour = 0x00FFFFFFu;

// Widens box by the pixels of one row at y (width of them, the first at x = left) that do
// not show flat.
void AddBusyPixels(const unsigned* row, int width, int left, int y, unsigned flat, RECT& box) {
    int first = 0;
    while (first < width && (row[first] & kColour) == flat) ++first;
    if (first == width) return;
    int last = width - 1;
    while ((row[last] & kColour) == flat) --last;
    box.left = std::min<LONG>(box.left, left + first);
    box.right = std::max<LONG>(box.right, left + last + 1);
    box.top = std::min<LONG>(box.top, y);
    box.bottom = std::max<LONG>(box.bottom, y + 1);
}

}  // namespace

RECT BusyPart(HDC dc, const RECT& rect, unsigned& flat) {
    const int width = rect.right - rect.left;
    const COLORREF corner = ::GetPixel(dc, rect.right - 1, rect.bottom - 1);
    if (width <= 0 || rect.bottom <= rect.top || corner == CLR_INVALID) return rect;
    flat = static_cast<unsigned>(GetRValue(corner)) << 16 |
           static_cast<unsigned>(GetGValue(corner)) << 8 | GetBValue(corner);
    // The picture is read a strip of rows at a time, so that no copy of all of it is made.
    const int rows = 32;
    BITMAPINFO info = FadeImageInfo(width, rows);  // bottom-up: the strip's top row comes last
    void* bits = nullptr;
    CBitmap strip;
    strip.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    CDC source(dc);
    CCreatedDC memory;
    if (bits == nullptr || !memory.CreateCompatibleDC(&source)) return rect;
    CSelectObject select(memory, strip);
    RECT box = {rect.right, rect.bottom, rect.left, rect.top};  // empty until a busy pixel
    for (int y = rect.top; y < rect.bottom; y += rows) {
        const int count = std::min<int>(rows, rect.bottom - y);
        if (!::BitBlt(memory, 0, 0, width, count, dc, rect.left, y, SRCCOPY)) return rect;
        ::GdiFlush();  // the copy is complete before the bits are read directly
        for (int r = 0; r < count; ++r) {
            const unsigned* row = static_cast<const unsigned*>(bits) +
                                  static_cast<std::size_t>(rows - 1 - r) * width;
            AddBusyPixels(row, width, rect.left, y + r, flat, box);
        }
    }
    return box.left < box.right ? box : rect;
}

namespace {

// The picture of image read once into the 32-bit DIB section master (bits); false if it could
// not be.  It is copied straight into the DIB section selected into a memory DC: that gives
// the same values as copying it into a bitmap of the display's format and reading that with
// GetDIBits (either way the device's colours are converted to the DIB's format), with one copy
// of the picture less and no bitmap of its size besides.
bool CaptureMaster(const TransitionRequest& request, const RECT& image, const BITMAPINFO& info,
                   CBitmap& master, void*& bits) {
    master.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (master.GetSafeHandle() == nullptr || bits == nullptr) return false;
    CCreatedDC memory;
    if (!memory.CreateCompatibleDC(request.sourceDC)) return false;
    CSelectObject select(memory, master);
    if (!memory.BitBlt(0, 0, image.right - image.left, image.bottom - image.top,
                       request.sourceDC, image.left, image.top, SRCCOPY)) {
        return false;  // nothing captured: a fade of a blank master would be wrong
    }
    ::GdiFlush();  // the copy is complete before the bits are read directly
    return true;
}

}  // namespace

void FillAroundImage(const FadeFrame& frame, unsigned flat) {
    const RECT& r = frame.rect;
    const RECT& i = frame.image;
    if (::EqualRect(&r, &i)) return;
    unsigned darkened = 0;
    DarkenPixels(&flat, &darkened, 1, frame.level);
    CBrush brush(RGB(darkened >> 16, (darkened >> 8) & 0xFF, darkened & 0xFF));
    const RECT bands[] = {{r.left, r.top, r.right, i.top},
                          {r.left, i.bottom, r.right, r.bottom},
                          {r.left, i.top, i.left, i.bottom},
                          {i.right, i.top, r.right, i.bottom}};
    for (const RECT& band : bands) {
        if (band.left < band.right && band.top < band.bottom) {
            ::FillRect(frame.target, &band, brush);
        }
    }
}

void RunFade(const TransitionPlan& plan, const TransitionRequest& request,
             const std::function<void()>& hold) {
    const RECT rect = {plan.from.x, plan.from.y, plan.to.x, plan.to.y};
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    // A view larger than its picture (a maximised frame) shows a flat margin of the window
    // colour around it.  Only the rest is darkened and drawn through DrawDib; the margin is
    // filled with its colour darkened the same way: the same pixels, at a fraction of the cost
    // where the view is large.  Only where a solid brush gives exactly its colour: a display
    // of 24 bits per pixel or more.
    unsigned flat = 0;
    RECT image = rect;
    if (::GetDeviceCaps(*request.targetDC, BITSPIXEL) >= 24) {
        image = BusyPart(*request.sourceDC, rect, flat);
    }
    const int width = image.right - image.left, height = image.bottom - image.top;
    const BITMAPINFO info = FadeImageInfo(width, height);
    CBitmap master;
    void* bits = nullptr;
    if (!CaptureMaster(request, image, info, master, bits)) return;
    std::unique_ptr<unsigned[]> working(
        new (std::nothrow) unsigned[static_cast<std::size_t>(width) * height]);
    if (!working) return;
    // Every frame has the same format, size and place: one DrawDib context for them all.
    CDrawDibSeries drawing;
    const bool ready =
        drawing.Begin(request.targetDC->GetSafeHdc(), &info.bmiHeader, DDF_HALFTONE);
    PlayFade(&request, plan.effect->levels, rect, image, info,
             static_cast<const unsigned*>(bits), working.get(), [&](const FadeFrame& frame) {
                 if (!ready || !drawing.Draw(frame.image.left, frame.image.top, frame.bits)) {
                     return false;
                 }
                 FillAroundImage(frame, flat);
                 // The frames come faster than the screen shows them: each is held for a
                 // display refresh, or a person sees a blink instead of a fade.
                 if (hold) {
                     hold();
                 } else {
                     HoldForDisplay(request);
                 }
                 return true;
             });
}

void FadeEffect(const TransitionPlan& plan, const TransitionRequest& request) {
    RunFade(plan, request, nullptr);
}
