// Drawing device-independent images into a device context through the DrawDib service.
#ifndef LANTREL_TRANSITIONS_DRAWDIB_H
#define LANTREL_TRANSITIONS_DRAWDIB_H

#include <windows.h>
#include <vfw.h>

#include "framework/handle.h"

struct DrawDibTraits {
    using Handle = HDRAWDIB;
    static void Close(HDRAWDIB handle) { ::DrawDibClose(handle); }
};

// Opens a DrawDib context, draws the image (header and bits) from the source rectangle into
// the destination rectangle of dc with flags (e.g. DDF_HALFTONE), and closes the context.
// False if no context could be opened or the drawing failed.
bool DrawDibBlit(HDC dc, int x, int y, int width, int height, const BITMAPINFOHEADER* header,
                 const void* bits, int xSrc, int ySrc, int widthSrc, int heightSrc, UINT flags);

// A series of images of one format drawn whole, unscaled, into one device context (the frames
// of an animation) through one DrawDib context prepared once: DrawDibBegin at the start, then
// every frame a DrawDibDraw that keeps the device context and the drawing parameters
// (DDF_SAME_HDC, DDF_SAME_DRAW), and DrawDibClose at the end.  Preparing a context sets up
// its buffer for the format; doing it for every frame costs more than the drawing.
class CDrawDibSeries {
public:
    // Prepares drawing images described by header (which must stay valid and unchanged while
    // the series draws) into dc with flags (e.g. DDF_HALFTONE).  False if no context could
    // be opened or prepared; Draw then fails.
    bool Begin(HDC dc, const BITMAPINFOHEADER* header, UINT flags);
    // Draws the whole image bits with its left-top corner at (x, y) of the device context.
    bool Draw(int x, int y, const void* bits) const;

private:
    UniqueHandle<DrawDibTraits> m_context;
    HDC m_dc = nullptr;
    const BITMAPINFOHEADER* m_header = nullptr;
    UINT m_flags = 0;
};

#endif
