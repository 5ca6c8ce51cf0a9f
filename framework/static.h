// CStatic: a static text or picture control, made by Create or put on a dialog's control with
// SubclassDlgItem.
#ifndef LANTREL_FRAMEWORK_STATIC_H
#define LANTREL_FRAMEWORK_STATIC_H

#include "wnd.h"

class CStatic : public CWnd {
public:
    // A child STATIC control; style gets WS_CHILD added.
    BOOL Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);

    HFONT GetFont() const {
        return reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
    }
    void SetFont(HFONT font, BOOL redraw = TRUE) {
        ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }
};

#endif
