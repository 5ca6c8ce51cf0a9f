#include "gdi.h"

CPaintDC::CPaintDC(HWND window) {
    EndPaintTraits paint;
    paint.window = window;
    HDC dc = ::BeginPaint(window, &paint.paint);
    Reset(dc, paint);
}

bool CSelection::Select(HDC dc, HGDIOBJ object) {
    if (m_previous && m_previous.GetTraits().dc != dc) m_previous.Reset();
    HGDIOBJ previous = ::SelectObject(dc, object);
    // Nothing was selected (a bad DC or object): there is nothing to put back.
    if (previous == nullptr || previous == HGDI_ERROR) return false;
    if (!m_previous) m_previous.Reset(previous, RestoreSelectionTraits{dc});
    return true;
}
