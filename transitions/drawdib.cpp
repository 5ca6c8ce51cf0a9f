#include "drawdib.h"

#include "framework/handle.h"

namespace {

struct DrawDibTraits {
    using Handle = HDRAWDIB;
    static void Close(HDRAWDIB handle) { ::DrawDibClose(handle); }
};

}  // namespace

bool DrawDibBlit(HDC dc, int x, int y, int width, int height, const BITMAPINFOHEADER* header,
                 const void* bits, int xSrc, int ySrc, int widthSrc, int heightSrc, UINT flags) {
    UniqueHandle<DrawDibTraits> context(::DrawDibOpen());
    if (!context) return false;
    // DrawDibDraw neither changes the header nor the bits; its prototype just lacks const.
    return ::DrawDibDraw(context.Get(), dc, x, y, width, height,
                         const_cast<BITMAPINFOHEADER*>(header), const_cast<void*>(bits), xSrc, ySrc,
                         widthSrc, heightSrc, flags) != FALSE;
}
