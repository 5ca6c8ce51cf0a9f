// Command targets, message maps and dynamic creation.
//
// A message map is one function per class, written with the macros below:
//
//     BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
//         ON_WM_CREATE()
//         ON_COMMAND(ID_APP_EXIT, OnAppExit)
//     END_MESSAGE_MAP()
//
// expands into CMainFrame::ProcessMessageMap, a chain of `if`s that ends by calling the base
// class's map.  Each entry unpacks its message into a typed handler call.  Window messages,
// commands and command-UI updates all pass through the same function as an AfxMsg.
#ifndef LANTREL_FRAMEWORK_CMDTARGET_H
#define LANTREL_FRAMEWORK_CMDTARGET_H

#include <windows.h>

class CCmdUI;
class CCmdTarget;

// Command ids from here up are the system menu's (SC_SIZE is the first of them).  The system
// handles them: that no message map has a handler neither greys nor stops them.
constexpr UINT kFirstSystemCommand = SC_SIZE;

struct AfxMsg {
    enum Kind {
        Window,           // a window message: message, wParam, lParam -> result
        Command,          // run the handler of command id
        CommandProbe,     // is there a handler for command id? (nothing runs)
        UpdateCommandUI,  // let an update handler set the state of command id
        Reflected,        // a notification reflected back to the child control that sent it
    };
    Kind kind = Window;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
    UINT id = 0;
    CCmdUI* pCmdUI = nullptr;

    bool IsWindowMessage(UINT msg) const { return kind == Window && message == msg; }
    bool IsCommand(UINT cmd) const {
        return (kind == Command || kind == CommandProbe) && id == cmd;
    }
    bool IsCommandInRange(UINT first, UINT last) const {
        return (kind == Command || kind == CommandProbe) && id >= first && id <= last;
    }
    bool IsUpdate(UINT cmd) const { return kind == UpdateCommandUI && id == cmd; }
    bool Runs() const { return kind != CommandProbe; }
};

// Dynamic creation by class name, as the document template needs it.
struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    CCmdTarget* (*m_pfnCreateObject)();
    CCmdTarget* CreateObject() const { return m_pfnCreateObject(); }
};

#define DECLARE_DYNCREATE(class_name)     \
public:                                   \
    static const CRuntimeClass classInfo; \
    static CCmdTarget* CreateObject();

#define IMPLEMENT_DYNCREATE(class_name)      \
    CCmdTarget* class_name::CreateObject() { \
        return new class_name;               \
    }                                        \
    const CRuntimeClass class_name::classInfo = {#class_name, &class_name::CreateObject};

#define RUNTIME_CLASS(class_name) (&class_name::classInfo)

class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Routes a command or command-UI update; returns TRUE if a handler took it.
    // pCmdUI == nullptr runs the command; otherwise the state of pCmdUI is updated.
    virtual BOOL OnCmdMsg(UINT id, CCmdUI* pCmdUI);

    // Runs this object's own message map for msg (no routing to other objects).
    BOOL DispatchToMap(AfxMsg& msg) { return ProcessMessageMap(msg); }

protected:
    virtual BOOL ProcessMessageMap(AfxMsg& msg);
};

// State of one user-interface item (a menu item) for a command, set by update handlers.
class CCmdUI {
public:
    UINT m_nID = 0;
    UINT m_nIndex = 0;
    HMENU m_hMenu = nullptr;
    UINT m_nIndexMax = 0;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bEnabled = TRUE;

    virtual ~CCmdUI() = default;
    virtual void Enable(BOOL on = TRUE);
    virtual void SetText(LPCWSTR text);

    // Asks target (and whatever it routes to) for the state; without any update handler the
    // item is enabled exactly when some handler for the command exists.
    void DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler);
};

// ---- message map macros -------------------------------------------------------------------

#define DECLARE_MESSAGE_MAP() \
protected:                    \
    BOOL ProcessMessageMap(AfxMsg& msg) override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)      \
    BOOL theClass::ProcessMessageMap(AfxMsg& msg) { \
        using TheBaseClass = baseClass;

#define END_MESSAGE_MAP()                        \
    return TheBaseClass::ProcessMessageMap(msg); \
    }

#define ON_COMMAND(id, handler)    \
    if (msg.IsCommand(id)) {       \
        if (msg.Runs()) handler(); \
        return TRUE;               \
    }

#define ON_COMMAND_RANGE(first, last, handler) \
    if (msg.IsCommandInRange(first, last)) {   \
        if (msg.Runs()) handler(msg.id);       \
        return TRUE;                           \
    }

// Commands that are rows of a table: find(id) returns the row for id, or nullptr for an id the
// table does not hold; handler(row) runs it.  A row counts as a handler, so its menu item is
// enabled like any ON_COMMAND's.
#define ON_COMMAND_TABLE(find, handler)                                    \
    if (msg.kind == AfxMsg::Command || msg.kind == AfxMsg::CommandProbe) { \
        if (const auto* row = find(msg.id)) {                              \
            if (msg.Runs()) handler(*row);                                 \
            return TRUE;                                                   \
        }                                                                  \
    }

#define ON_UPDATE_COMMAND_UI(id, handler) \
    if (msg.IsUpdate(id)) {               \
        handler(msg.pCmdUI);              \
        return TRUE;                      \
    }

#define ON_MESSAGE(message_id, handler)               \
    if (msg.IsWindowMessage(message_id)) {            \
        msg.result = handler(msg.wParam, msg.lParam); \
        return TRUE;                                  \
    }

#define ON_WM_CREATE()                                                        \
    if (msg.IsWindowMessage(WM_CREATE)) {                                     \
        msg.result = OnCreate(reinterpret_cast<LPCREATESTRUCTW>(msg.lParam)); \
        return TRUE;                                                          \
    }

#define ON_WM_CLOSE()                    \
    if (msg.IsWindowMessage(WM_CLOSE)) { \
        OnClose();                       \
        return TRUE;                     \
    }

#define ON_WM_DESTROY()                    \
    if (msg.IsWindowMessage(WM_DESTROY)) { \
        OnDestroy();                       \
        return TRUE;                       \
    }

// The window's last message.  A handler that wants the default processing calls Default(), as
// every handler here may.
#define ON_WM_NCDESTROY()                    \
    if (msg.IsWindowMessage(WM_NCDESTROY)) { \
        OnNcDestroy();                       \
        return TRUE;                         \
    }

// The region of the frame to paint (1: all of it), in screen coordinates.
#define ON_WM_NCPAINT()                                \
    if (msg.IsWindowMessage(WM_NCPAINT)) {             \
        OnNcPaint(reinterpret_cast<HRGN>(msg.wParam)); \
        return TRUE;                                   \
    }

// The hit-test code of the press and its point on the screen.
#define ON_WM_NCLBUTTONDOWN()                                   \
    if (msg.IsWindowMessage(WM_NCLBUTTONDOWN)) {                \
        POINT point = {static_cast<short>(LOWORD(msg.lParam)),  \
                       static_cast<short>(HIWORD(msg.lParam))}; \
        OnNcLButtonDown(static_cast<UINT>(msg.wParam), point);  \
        return TRUE;                                            \
    }

#define ON_WM_WINDOWPOSCHANGED()                                      \
    if (msg.IsWindowMessage(WM_WINDOWPOSCHANGED)) {                   \
        OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(msg.lParam)); \
        return TRUE;                                                  \
    }

// BOOL OnInitDialog(): TRUE lets the dialog manager give the focus to the first control.
#define ON_WM_INITDIALOG()                    \
    if (msg.IsWindowMessage(WM_INITDIALOG)) { \
        msg.result = OnInitDialog();          \
        return TRUE;                          \
    }

#define ON_WM_PAINT()                    \
    if (msg.IsWindowMessage(WM_PAINT)) { \
        OnPaint();                       \
        return TRUE;                     \
    }

#define ON_WM_ERASEBKGND()                              \
    if (msg.IsWindowMessage(WM_ERASEBKGND)) {           \
        CDC eraseDC(reinterpret_cast<HDC>(msg.wParam)); \
        msg.result = OnEraseBkgnd(&eraseDC);            \
        return TRUE;                                    \
    }

#define ON_WM_SIZE()                                                                   \
    if (msg.IsWindowMessage(WM_SIZE)) {                                                \
        OnSize(static_cast<UINT>(msg.wParam), LOWORD(msg.lParam), HIWORD(msg.lParam)); \
        return TRUE;                                                                   \
    }

#define ON_WM_GETMINMAXINFO()                                       \
    if (msg.IsWindowMessage(WM_GETMINMAXINFO)) {                    \
        OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(msg.lParam)); \
        return TRUE;                                                \
    }

#define ON_WM_SETFOCUS()                                \
    if (msg.IsWindowMessage(WM_SETFOCUS)) {             \
        OnSetFocus(reinterpret_cast<HWND>(msg.wParam)); \
        return TRUE;                                    \
    }

#define ON_WM_INITMENUPOPUP()                                                    \
    if (msg.IsWindowMessage(WM_INITMENUPOPUP)) {                                 \
        OnInitMenuPopup(reinterpret_cast<HMENU>(msg.wParam), LOWORD(msg.lParam), \
                        HIWORD(msg.lParam));                                     \
        return TRUE;                                                             \
    }

#define ON_WM_MOUSEMOVE()                                       \
    if (msg.IsWindowMessage(WM_MOUSEMOVE)) {                    \
        POINT point = {static_cast<short>(LOWORD(msg.lParam)),  \
                       static_cast<short>(HIWORD(msg.lParam))}; \
        OnMouseMove(static_cast<UINT>(msg.wParam), point);      \
        return TRUE;                                            \
    }

#define ON_WM_SETCURSOR()                                                                \
    if (msg.IsWindowMessage(WM_SETCURSOR)) {                                             \
        msg.result = OnSetCursor(reinterpret_cast<HWND>(msg.wParam), LOWORD(msg.lParam), \
                                 HIWORD(msg.lParam));                                    \
        return TRUE;                                                                     \
    }

#define ON_WM_CAPTURECHANGED()                                \
    if (msg.IsWindowMessage(WM_CAPTURECHANGED)) {             \
        OnCaptureChanged(reinterpret_cast<HWND>(msg.lParam)); \
        return TRUE;                                          \
    }

// A control's own notification code (WM_COMMAND from the control), reflected back to it.
#define ON_CONTROL_REFLECT(code, handler)                             \
    if (msg.kind == AfxMsg::Reflected && msg.message == WM_COMMAND && \
        HIWORD(msg.wParam) == (code)) {                               \
        handler();                                                    \
        return TRUE;                                                  \
    }

// WM_CTLCOLOR* sent to the parent, reflected back to the control: HBRUSH CtlColor(CDC*, UINT).
#define ON_WM_CTLCOLOR_REFLECT()                                             \
    if (msg.kind == AfxMsg::Reflected && msg.message >= WM_CTLCOLORMSGBOX && \
        msg.message <= WM_CTLCOLORSTATIC) {                                  \
        CDC ctlDC(reinterpret_cast<HDC>(msg.wParam));                        \
        HBRUSH brush = CtlColor(&ctlDC, msg.message - WM_CTLCOLORMSGBOX);    \
        msg.result = reinterpret_cast<LRESULT>(brush);                       \
        return brush != nullptr;                                             \
    }

#endif
