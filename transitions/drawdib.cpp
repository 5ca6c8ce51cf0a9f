#include "drawdib.h"

bool DrawDibBlit(HDC dc, int x, int y, int width, int height, const BITMAPINFOHEADER* header,
                 const void* bits, int xSrc, int ySrc, int widthSrc, int heightSrc, UINT flags) {
    UniqueHandle<DrawDibTraits> context(::DrawDibOpen());
    if (!context) return false;
    // DrawDibDraw neither changes the header nor the bits; its prototype just lacks const.
    return ::DrawDibDraw(context.Get(), dc, x, y, width, height,
                         const_cast<BITMAPINFOHEADER*>(header), const_cast<void*>(bits), xSrc, ySrc,
                         widthSrc, heightSrc, flags) != FALSE;
}

bool CDrawDibSeries::Begin(HDC dc, const BITMAPINFOHEADER* header, UINT flags) {
    m_context.Reset(::DrawDibOpen());
    m_dc = dc;
    m_header = header;
    m_flags = flags;
    if (!m_context || dc == nullptr || header == nullptr) return false;
    const int width = header->biWidth, height = header->biHeight;
    // A flag such as DDF_HALFTONE given here must be given to each DrawDibDraw as well.
    if (!::DrawDibBegin(m_context.Get(), dc, width, height, const_cast<BITMAPINFOHEADER*>(header),
                        width, height, flags)) {
        m_context.Reset();
        return false;
    }
    return true;
}

bool CDrawDibSeries::Draw(int x, int y, const void* bits) const {
    if (!m_context) return false;
    const int width = m_header->biWidth, height = m_header->biHeight;
    return ::DrawDibDraw(m_context.Get(), m_dc, x, y, width, height,
                         const_cast<BITMAPINFOHEADER*>(m_header), const_cast<void*>(bits), 0, 0,
                         width, height, m_flags | DDF_SAME_HDC | DDF_SAME_DRAW) != FALSE;
}
