#include "frame.h"

#include "afxres.h"
#include "document.h"
#include "module.h"
#include "view.h"
#include "winthread.h"

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_INITMENUPOPUP()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD style, CWnd* parent, CCreateContext* context) {
    m_nIDResource = nIDResource;
    HINSTANCE resources = AfxGetResourceHandle();
    CString full;
    CString title = full.LoadString(resources, nIDResource) ? full.Field(0) : CString();
    HICON icon = ::LoadIconW(resources, MAKEINTRESOURCEW(nIDResource));
    // The view covers the whole client area, so the frame needs no background of its own.
    LPCWSTR className =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, icon);
    if (className == nullptr) return FALSE;
    UniqueMenu menu(::LoadMenuW(resources, MAKEINTRESOURCEW(nIDResource)));
    if (!CreateEx(0, className, title, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, parent ? parent->m_hWnd : nullptr, menu.Get(), context)) {
        return FALSE;
    }
    menu.Release();  // the window owns its menu now
    m_hAccelTable = ::LoadAcceleratorsW(resources, MAKEINTRESOURCEW(nIDResource));
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCTW cs) {
    auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
    return OnCreateClient(cs, context) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCTW, CCreateContext* context) {
    if (context == nullptr || context->m_pNewViewClass == nullptr) return TRUE;
    auto* view = static_cast<CView*>(context->m_pNewViewClass->CreateObject());
    if (context->m_pCurrentDoc != nullptr) context->m_pCurrentDoc->AddView(view);
    RECT none = {0, 0, 0, 0};
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, none, this,
                      AFX_IDW_PANE_FIRST)) {
        if (view->GetDocument() != nullptr) view->GetDocument()->RemoveView(view);
        delete view;
        return FALSE;
    }
    view->m_bAutoDelete = true;
    m_hWndViewActive = view->m_hWnd;
    return TRUE;
}

CView* CFrameWnd::GetActiveView() const {
    return static_cast<CView*>(FromHandlePermanent(m_hWndViewActive));
}

CDocument* CFrameWnd::GetActiveDocument() const {
    CView* view = GetActiveView();
    return view ? view->GetDocument() : nullptr;
}

void CFrameWnd::OnClose() {
    CDocument* doc = GetActiveDocument();
    if (doc != nullptr && !doc->CanCloseFrame(this)) return;
    CWinThread* thread = AfxGetThread();
    if (thread != nullptr && thread->m_pMainWnd == this) {
        // Closing the documents destroys their frames, this one included.
        thread->CloseAllDocuments(FALSE);
        if (m_hWnd == nullptr) return;
    }
    DestroyWindow();
}

void CFrameWnd::OnSize(UINT type, int, int) {
    if (type != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::RecalcLayout() {
    CView* view = GetActiveView();
    if (view == nullptr) return;
    RECT client;
    GetClientRect(&client);
    view->MoveWindow(0, 0, client.right, client.bottom, TRUE);
}

void CFrameWnd::OnSetFocus(HWND) {
    CView* view = GetActiveView();
    if (view != nullptr) view->SetFocus();
}

void CFrameWnd::OnInitMenuPopup(HMENU popup, UINT, BOOL sysMenu) {
    if (sysMenu) return;
    CCmdUI state;
    state.m_hMenu = popup;
    state.m_nIndexMax = static_cast<UINT>(::GetMenuItemCount(popup));
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        UINT id = ::GetMenuItemID(popup, static_cast<int>(state.m_nIndex));
        if (id == 0 || id == static_cast<UINT>(-1)) continue;  // separator or submenu
        state.m_nID = id;
        // An update handler may rewrite the menu (the recent-file list does) and move
        // m_nIndex and m_nIndexMax accordingly.
        state.DoUpdate(this, m_bAutoMenuEnable && id < kFirstSystemCommand);
    }
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != nullptr) {
        return ::TranslateAcceleratorW(m_hWnd, m_hAccelTable, pMsg);
    }
    return FALSE;
}

BOOL CFrameWnd::OnCmdMsg(UINT id, CCmdUI* pCmdUI) {
    if (CView* view = GetActiveView()) {
        BusyScope busy(view);  // the handler may destroy the view (nested loops)
        if (view->OnCmdMsg(id, pCmdUI)) return TRUE;
    }
    if (CWnd::OnCmdMsg(id, pCmdUI)) return TRUE;
    CWinThread* thread = AfxGetThread();
    return thread != nullptr && thread->OnCmdMsg(id, pCmdUI);
}

void CFrameWnd::OnNcDestroy() {
    Default();
    // The window's last message, its default processing done: the main window's end ends the
    // program.
    if (CWinThread* thread = AfxGetThread()) thread->OnFrameDestroyed(this);
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL makeVisible) {
    if (CView* view = GetActiveView()) {
        BusyScope busy(view);
        view->OnInitialUpdate();
    }
    if (!makeVisible || m_hWnd == nullptr) return;
    int nCmdShow = -1;
    CWinThread* thread = AfxGetThread();
    if (thread != nullptr && thread->m_pMainWnd == this) {
        nCmdShow = thread->m_nCmdShow;
        thread->m_nCmdShow = -1;
    }
    ActivateFrame(nCmdShow);
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
    if (!m_bShownOnce) {
        // The first show decides the frame's state.  A frame of fixed size may carry
        // WS_MAXIMIZE in its creation style; a plain show restores it to its own rectangle.
        m_bShownOnce = true;
        if (nCmdShow == -1 || nCmdShow == SW_SHOW || nCmdShow == SW_SHOWNA ||
            nCmdShow == SW_SHOWDEFAULT) {
            nCmdShow = SW_SHOWNORMAL;
        }
    } else if (nCmdShow == -1) {
        nCmdShow = IsIconic() ? SW_RESTORE : SW_SHOW;
    }
    ShowWindow(nCmdShow);
    if (::GetParent(m_hWnd) == nullptr) ::SetForegroundWindow(m_hWnd);
}
