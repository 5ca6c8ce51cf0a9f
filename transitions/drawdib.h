// Drawing a device-independent image into a device context through the DrawDib service.
#ifndef LANTREL_TRANSITIONS_DRAWDIB_H
#define LANTREL_TRANSITIONS_DRAWDIB_H

#include <windows.h>
#include <vfw.h>

// Opens a DrawDib context, draws the image (header and bits) from the source rectangle into
// the destination rectangle of dc with flags (e.g. DDF_HALFTONE), and closes the context.
// False if no context could be opened or the drawing failed.
bool DrawDibBlit(HDC dc, int x, int y, int width, int height, const BITMAPINFOHEADER* header,
                 const void* bits, int xSrc, int ySrc, int widthSrc, int heightSrc, UINT flags);

#endif
