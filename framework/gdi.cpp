#include "gdi.h"

CPaintDC::CPaintDC(HWND window) {
    EndPaintTraits paint;
    paint.window = window;
    HDC dc = ::BeginPaint(window, &paint.paint);
    Reset(dc, paint);
}

CSelectObject::CSelectObject(HDC dc, HGDIOBJ object) {
    HGDIOBJ previous = ::SelectObject(dc, object);
    // Nothing was selected (a bad DC or object): there is nothing to put back.
    if (previous != HGDI_ERROR) m_previous.Reset(previous, RestoreSelectionTraits{dc});
}
