// CToolTipCtrl: the common-controls tooltip window.  Tools are rectangles of a window, each
// with an id and a text; the tooltip learns about the mouse only from RelayEvent (no
// subclassing of the tool windows).  The tooltip window goes with this object.
#ifndef LANTREL_FRAMEWORK_TOOLTIP_H
#define LANTREL_FRAMEWORK_TOOLTIP_H

#include <windows.h>
#include <commctrl.h>

#include "wnd.h"

class CToolTipCtrl : public CWnd {
public:
    ~CToolTipCtrl() override;

    // A pop-up tooltip owned by the top-level window of parent; style adds TTS_ bits.
    BOOL Create(CWnd* parent, DWORD style = 0);
    // rect: the tool's area in wnd's client coordinates (nullptr: the whole client area).
    BOOL AddTool(CWnd* wnd, LPCWSTR text, const RECT* rect = nullptr, UINT_PTR toolId = 0);
    void UpdateTipText(LPCWSTR text, CWnd* wnd, UINT_PTR toolId = 0);
    // The current text of a tool (empty when there is no such tool).
    CString GetText(CWnd* wnd, UINT_PTR toolId = 0) const;
    void RelayEvent(MSG* pMsg);

private:
    TOOLINFOW MakeToolInfo(CWnd* wnd, UINT_PTR toolId) const;
};

#endif
