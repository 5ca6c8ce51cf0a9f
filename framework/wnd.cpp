#include "wnd.h"

#include <map>
#include <string>

#include "module.h"

namespace {

const wchar_t kObjectProperty[] = L"Lantrel.CWnd";

// The creation parameter of a window CreateEx makes of one of our classes.
struct CreateParams {
    CWnd* wnd;
    LPVOID callerParam;  // what the caller passed, shown to the object's handlers
};

bool HasOurProcedure(HWND hWnd) {
    return ::GetClassLongPtrW(hWnd, GCLP_WNDPROC) == reinterpret_cast<ULONG_PTR>(&AfxWndProc);
}

}  // namespace

LRESULT CALLBACK CWnd::AttachAtCreation(int code, WPARAM wParam, LPARAM lParam) {
    // Every window made on the thread meanwhile comes by, those its creation handlers make
    // too: each of ours that is to be made takes the object its creation parameter brings
    // (an outer CreateEx's hook finds a nested one's window attached already).
    LRESULT refused = ::CallNextHookEx(nullptr, code, wParam, lParam);
    if (code == HCBT_CREATEWND && !refused) {
        auto hWnd = reinterpret_cast<HWND>(wParam);
        const CREATESTRUCTW* cs = reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs;
        if (cs->lpCreateParams != nullptr && HasOurProcedure(hWnd) &&
            FromHandlePermanent(hWnd) == nullptr) {
            CWnd* wnd = static_cast<const CreateParams*>(cs->lpCreateParams)->wnd;
            if (wnd->m_hWnd == nullptr) wnd->Attach(hWnd);
        }
    }
    return refused;
}

CWnd::~CWnd() {
    // An object deleted while its window still exists must not be found through it again.
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) {
        ::RemovePropW(m_hWnd, kObjectProperty);
        if (m_pfnSuper != nullptr) {
            ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        }
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    if (hWnd == nullptr) return nullptr;
    return static_cast<CWnd*>(::GetPropW(hWnd, kObjectProperty));
}

void CWnd::Attach(HWND hWnd) {
    m_hWnd = hWnd;
    ::SetPropW(hWnd, kObjectProperty, this);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTW&) {
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId, LPVOID param) {
    CREATESTRUCTW cs = {};
    cs.dwExStyle = exStyle;
    cs.lpszClass = className;
    cs.lpszName = windowName;
    cs.style = style;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.hwndParent = parent;
    cs.hMenu = menuOrId;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = param;
    if (!PreCreateWindow(cs)) return FALSE;
    if (cs.lpszClass == nullptr) {
        cs.lpszClass =
            AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
        if (cs.lpszClass == nullptr) return FALSE;
    }
    // A class whose procedure is not ours (STATIC, tooltips) never calls AfxWndProc, so the
    // window is subclassed once it exists instead of being attached at its first message.
    WNDCLASSEXW info = {};
    info.cbSize = sizeof(info);
    bool ours = (::GetClassInfoExW(cs.hInstance, cs.lpszClass, &info) ||
                 ::GetClassInfoExW(nullptr, cs.lpszClass, &info)) &&
                info.lpfnWndProc == &AfxWndProc;
    if (!ours) {
        HWND hWnd =
            ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx,
                              cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
        return hWnd != nullptr && SubclassWindow(hWnd);
    }
    UniqueHook attach(
        ::SetWindowsHookExW(WH_CBT, &AttachAtCreation, nullptr, ::GetCurrentThreadId()));
    if (!attach) return FALSE;
    CreateParams params = {this, cs.lpCreateParams};
    HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y,
                                  cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, &params);
    return hWnd != nullptr;
}

BOOL CWnd::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, LPVOID param) {
    return CreateEx(0, className, windowName, style | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    parent ? parent->m_hWnd : nullptr, reinterpret_cast<HMENU>(UINT_PTR{id}),
                    param);
}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == nullptr) return FALSE;
    // The object may be deleted inside ::DestroyWindow; touch nothing afterwards.
    return ::DestroyWindow(m_hWnd);
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (hWnd == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWnd) != nullptr) {
        return FALSE;
    }
    Attach(hWnd);
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    if (parent == nullptr) return FALSE;
    return SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

void CWnd::DetachAfterNcDestroy() {
    ::RemovePropW(m_hWnd, kObjectProperty);
    if (m_pfnSuper != nullptr) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    m_hWnd = nullptr;
    m_bPostNcDestroyPending = true;
}

void CWnd::LeaveBusy() {
    if (--m_nBusy == 0 && m_bPostNcDestroyPending) {
        m_bPostNcDestroyPending = false;
        PostNcDestroy();  // may delete this
    }
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (wnd == nullptr) return ::DefWindowProcW(hWnd, message, wParam, lParam);
    // The two creation messages of a window CreateEx made carry its CreateParams (an object
    // attached by subclassing never sees them): the object's handlers, and the default
    // processing, see the caller's own parameter instead.
    CREATESTRUCTW shown;
    if ((message == WM_NCCREATE || message == WM_CREATE) && wnd->m_pfnSuper == nullptr) {
        shown = *reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* params = static_cast<const CreateParams*>(shown.lpCreateParams);
        if (params != nullptr && params->wnd == wnd) {
            shown.lpCreateParams = params->callerParam;
            lParam = reinterpret_cast<LPARAM>(&shown);
        }
    }

    LRESULT result;
    {
        CWnd::BusyScope busy(wnd);
        MSG current = {hWnd, message, wParam, lParam, 0, {0, 0}};
        const MSG* outer = wnd->m_pCurrentMsg;
        wnd->m_pCurrentMsg = &current;
        result = wnd->WindowProc(message, wParam, lParam);
        wnd->m_pCurrentMsg = outer;
        if (message == WM_NCDESTROY) wnd->DetachAfterNcDestroy();
    }  // the object may be gone from here on
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    AfxMsg msg;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    if (OnWndMsg(msg)) return msg.result;
    return DefWindowProc(message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(AfxMsg& msg) {
    if (msg.message == WM_COMMAND) {
        if (OnCommand(msg.wParam, msg.lParam)) {
            msg.result = 0;
            return TRUE;
        }
        return FALSE;
    }
    if (msg.message >= WM_CTLCOLORMSGBOX && msg.message <= WM_CTLCOLORSTATIC) {
        CWnd* child = FromHandlePermanent(reinterpret_cast<HWND>(msg.lParam));
        if (child != nullptr && child != this &&
            child->OnChildNotify(msg.message, msg.wParam, msg.lParam, &msg.result)) {
            return TRUE;
        }
    }
    return ProcessMessageMap(msg);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    BusyScope busy(this);
    AfxMsg msg;
    msg.kind = AfxMsg::Reflected;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    if (!ProcessMessageMap(msg)) return FALSE;
    *pResult = msg.result;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT id = LOWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control != nullptr) {
        CWnd* child = FromHandlePermanent(control);
        LRESULT ignored = 0;
        if (child != nullptr && child != this &&
            child->OnChildNotify(WM_COMMAND, wParam, lParam, &ignored)) {
            return TRUE;
        }
        if (HIWORD(wParam) != BN_CLICKED) return FALSE;
    } else {
        // Menu items and accelerators: a command that is disabled does not run.
        CCmdUI state;
        state.m_nID = id;
        if (id < kFirstSystemCommand && (!OnCmdMsg(id, &state) || !state.m_bEnabled)) return TRUE;
    }
    return OnCmdMsg(id, nullptr);
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr) {
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    }
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    if (m_pCurrentMsg == nullptr) return 0;
    return DefWindowProc(m_pCurrentMsg->message, m_pCurrentMsg->wParam, m_pCurrentMsg->lParam);
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* wnd = FromHandlePermanent(hWnd);
        if (wnd != nullptr) {
            BusyScope busy(wnd);
            if (wnd->PreTranslateMessage(pMsg)) return TRUE;
        }
        if (hWnd == hWndStop) break;
    }
    return FALSE;
}

CString CWnd::GetWindowText() const {
    int length = ::GetWindowTextLengthW(m_hWnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int copied = ::GetWindowTextW(m_hWnd, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return CString(std::move(text));
}

void CWnd::CenterWindow(HWND alternateOwner) {
    HWND owner = alternateOwner ? alternateOwner : ::GetWindow(m_hWnd, GW_OWNER);
    if (GetStyle() & WS_CHILD) owner = ::GetParent(m_hWnd);
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(owner ? owner : m_hWnd, MONITOR_DEFAULTTONEAREST),
                      &monitor);
    RECT area = monitor.rcWork;
    RECT center = area;
    if (owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner)) {
        ::GetWindowRect(owner, &center);
    }
    int width = window.right - window.left;
    int height = window.bottom - window.top;
    int x = (center.left + center.right) / 2 - width / 2;
    int y = (center.top + center.bottom) / 2 - height / 2;
    if (!(GetStyle() & WS_CHILD)) {
        if (x + width > area.right) x = area.right - width;
        if (x < area.left) x = area.left;
        if (y + height > area.bottom) y = area.bottom - height;
        if (y < area.top) y = area.top;
    } else {
        POINT origin = {x, y};
        ::ScreenToClient(owner, &origin);
        x = origin.x;
        y = origin.y;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LPCWSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
    static std::map<std::wstring, bool> registered;
    wchar_t name[96];
    wsprintfW(name, L"Afx:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
              static_cast<void*>(background), static_cast<void*>(icon));
    auto found = registered.find(name);
    if (found == registered.end()) {
        WNDCLASSW wc = {};
        wc.style = classStyle;
        wc.lpfnWndProc = AfxWndProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = cursor;
        wc.hbrBackground = background;
        wc.hIcon = icon;
        wc.lpszClassName = name;
        // A class of this name registered for this module already is just as usable.
        if (::RegisterClassW(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
            return nullptr;  // not remembered: the next call tries again
        }
        found = registered.emplace(name, true).first;
    }
    return found->first.c_str();
}

void ShowPendingPaint(HWND window) {
    HWND root = window != nullptr ? ::GetAncestor(window, GA_ROOT) : nullptr;
    if (root == nullptr || !::IsWindow(root)) return;
    // A wait on nothing that lets only paint events through: Wine reads the X server's exposure
    // events here (a closed menu's X window uncovers ours), which it otherwise takes in only
    // while messages are being retrieved.  On Windows this returns at once: exposure is
    // already in the update regions.
    ::MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_PAINT, 0);
    // The repaints themselves, sent straight to the windows that need them.
    ::RedrawWindow(root, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    // And on screen now, not at the next flush of the window surface: a wait on nothing
    // dispatches nothing but lets the platform present (Wine flushes window surfaces here).
    ::MsgWaitForMultipleObjectsEx(0, nullptr, 1, 0, 0);
}
