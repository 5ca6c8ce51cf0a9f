// CWnd: a framework object attached to one window.
//
// Lifetime rules:
// - Our windows (created through CreateEx, or dialogs, or subclassed controls) are found from
//   their handle through a window property; FromHandlePermanent returns nullptr for any other
//   window.  There are no temporary wrapper objects.
// - The object comes to its window in one way for each kind, and nothing else hands it over:
//   CreateEx passes it in the creation parameter (wrapping the caller's own, which the
//   handlers see in CREATESTRUCT::lpCreateParams as if passed alone), and it is attached when
//   the system announces the window (HCBT_CREATEWND), before the window's first message: an
//   overlapped window's first is WM_GETMINMAXINFO, before WM_NCCREATE, and the object's answer
//   decides the size the window is made at.  A dialog comes as its init parameter, on
//   WM_INITDIALOG (dialog.h).  A control is subclassed (SubclassWindow).  A window of an
//   AfxRegisterWndClass class created otherwise than through CreateEx has no object, and must
//   be given no creation parameter.
// - When the window is destroyed, the object detaches (m_hWnd becomes nullptr) and then
//   PostNcDestroy runs: frames and views delete themselves there.  If one of the object's own
//   handlers is still running (a nested message loop inside a handler can destroy the window),
//   PostNcDestroy waits until the outermost handler has returned, so no handler ever runs on a
//   freed object.  Code that holds a CWnd* across a wait that dispatches messages must keep the
//   HWND instead and test it with IsWindow.
#ifndef LANTREL_FRAMEWORK_WND_H
#define LANTREL_FRAMEWORK_WND_H

#include <windows.h>

#include "cmdtarget.h"
#include "cstring.h"
#include "gdi.h"

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    // Set by whoever created a heap object once its window exists: from then on the window
    // owns the object, which goes with it.
    bool m_bAutoDelete = false;

    static CWnd* FromHandlePermanent(HWND hWnd);
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    BOOL IsWindow() const { return m_hWnd != nullptr && ::IsWindow(m_hWnd); }

    // ---- creation and destruction
    virtual BOOL PreCreateWindow(CREATESTRUCTW& cs);
    // A window of a system class (STATIC, tooltips) is subclassed once created, so its
    // messages pass through the object too.
    BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                  int width, int height, HWND parent, HMENU menuOrId, LPVOID param = nullptr);
    BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                UINT id, LPVOID param = nullptr);
    virtual BOOL DestroyWindow();
    // Attaches this object to an existing window (e.g. a dialog control) and routes its
    // messages here; PreSubclassWindow runs first.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);

    // ---- message handling
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(AfxMsg& msg);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Default handling of the message now being processed.
    LRESULT Default();
    // Offers pMsg to the windows from pMsg->hwnd up through its parents, stopping after
    // hWndStop; TRUE if one of them took it.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    // ---- thin wrappers over USER
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) {
        return ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
        return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy,
                              flags);
    }
    BOOL ShowWindow(int show) { return ::ShowWindow(m_hWnd, show); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(const RECT* rect, BOOL erase = TRUE) {
        ::InvalidateRect(m_hWnd, rect, erase);
    }
    BOOL RedrawWindow(const RECT* rect, HRGN update, UINT flags) {
        return ::RedrawWindow(m_hWnd, rect, update, flags);
    }
    int SetWindowRgn(HRGN region, BOOL redraw) { return ::SetWindowRgn(m_hWnd, region, redraw); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const {
        return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE));
    }
    // The parent's framework object, or nullptr if the parent is not one of ours.
    CWnd* GetParent() const { return FromHandlePermanent(::GetParent(m_hWnd)); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    CString GetWindowText() const;
    void SetWindowText(LPCWSTR text) { ::SetWindowTextW(m_hWnd, text); }
    void SetFocus() { ::SetFocus(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    // Centres the window over its owner (or alternateOwner), kept inside the work area.
    void CenterWindow(HWND alternateOwner = nullptr);

protected:
    // Called after the window is gone and the object detached; never while one of the
    // object's handlers is still running.  Deletes the object if m_bAutoDelete is set.
    virtual void PostNcDestroy() {
        if (m_bAutoDelete) delete this;
    }
    virtual void PreSubclassWindow() {}
    // Called with the parent's WM_COMMAND / WM_CTLCOLOR* that this control sent.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // Keeps PostNcDestroy away while a handler of this object runs (see the rules above).
    class BusyScope {
    public:
        explicit BusyScope(CWnd* wnd) : m_pWnd(wnd) { ++wnd->m_nBusy; }
        ~BusyScope() { m_pWnd->LeaveBusy(); }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        CWnd* m_pWnd;
    };
    friend class BusyScope;

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    // The CBT hook CreateEx holds while it creates a window of ours: attaches the object.
    static LRESULT CALLBACK AttachAtCreation(int code, WPARAM wParam, LPARAM lParam);
    void Attach(HWND hWnd);
    void DetachAfterNcDestroy();
    void LeaveBusy();

    WNDPROC m_pfnSuper = nullptr;  // the window's previous procedure when subclassed
    int m_nBusy = 0;
    bool m_bPostNcDestroyPending = false;
    const MSG* m_pCurrentMsg = nullptr;
};

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Shows window (and the rest of its top-level window) as it stands before an animation starts:
// lets the windowing system take in what it has to report about the screen (such as a closed
// menu having uncovered part of the window) and carries out the repaints that follow, then
// presents them.  Only painting happens here: no input, command, timer or posted message is
// dispatched, so nothing else can run.
void ShowPendingPaint(HWND window);

// Registers (once) a window class using AfxWndProc; returns its name, or nullptr if the class
// could not be registered.
LPCWSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon);

#endif
