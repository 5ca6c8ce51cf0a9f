#include "dialog.h"

#include "module.h"
#include "winthread.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_WM_INITDIALOG()
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* parent)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(parent) {}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // Once attached, the object's map has every message before the dialog manager (and so
    // before this procedure) sees it: nothing is left to do here.
    if (message != WM_INITDIALOG || CWnd::FromHandlePermanent(hWnd) != nullptr) return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    if (dialog == nullptr || !dialog->SubclassWindow(hWnd)) return TRUE;
    if (!(dialog->GetStyle() & WS_CHILD)) dialog->CenterWindow();
    // This WM_INITDIALOG came through the dialog manager's window procedure, not yet ours:
    // it is the object's first message, through the same dispatch as every later one.
    return AfxWndProc(hWnd, message, wParam, lParam);
}

HWND CDialog::CreateFromTemplate(UINT nIDTemplate, HWND parent) {
    HINSTANCE instance = AfxGetResourceHandle();
    HRSRC resource = ::FindResourceW(instance, MAKEINTRESOURCEW(nIDTemplate), RT_DIALOG);
    HGLOBAL loaded = resource ? ::LoadResource(instance, resource) : nullptr;
    auto* dialogTemplate = loaded ? static_cast<LPCDLGTEMPLATEW>(::LockResource(loaded)) : nullptr;
    if (dialogTemplate == nullptr) return nullptr;
    return ::CreateDialogIndirectParamW(instance, dialogTemplate, parent, AfxDlgProc,
                                        reinterpret_cast<LPARAM>(this));
}

INT_PTR CDialog::DoModal() {
    HWND owner = m_pParentWnd ? ::GetAncestor(m_pParentWnd->m_hWnd, GA_ROOT) : nullptr;
    CWinThread* thread = AfxGetThread();
    if (owner == nullptr && thread != nullptr && thread->m_pMainWnd != nullptr) {
        owner = thread->m_pMainWnd->m_hWnd;
    }
    bool enableOwner = false;
    if (owner != nullptr && ::IsWindowEnabled(owner)) {
        ::EnableWindow(owner, FALSE);
        enableOwner = true;
    }
    m_nModalResult = -1;
    if (CreateFromTemplate(m_nIDTemplate, owner) != nullptr && m_hWnd != nullptr) {
        m_bInModalLoop = true;
        m_bContinueModal = true;
        // The owner is shown as it stands before the dialog takes the thread for its first
        // paint (under Wine the place of a menu just closed over it is put back only then).
        ShowPendingPaint(owner);
        // Shown without the frame-and-background pass a newly shown window gets at once
        // (SWP_DEFERERASE): the paint that follows draws frame, background and contents of
        // each window through one device context instead of two, which counts for a dialog
        // with a complex window region (each context builds its visible region anew).
        ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_DEFERERASE);
        UpdateWindow();
        MSG msg;
        while (m_bContinueModal && m_hWnd != nullptr) {
            BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
            if (got == 0 || got == -1) {
                // Quitting: pass the request on to the outer loop and end the dialog.
                ::PostQuitMessage(got == 0 ? static_cast<int>(msg.wParam) : 0);
                m_nModalResult = IDCANCEL;
                break;
            }
            if (CWnd::WalkPreTranslateTree(m_hWnd, &msg)) continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        m_bInModalLoop = false;
        if (m_hWnd != nullptr) {
            ::SetWindowPos(
                m_hWnd, nullptr, 0, 0, 0, 0,
                SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        }
    }
    if (enableOwner && ::IsWindow(owner)) ::EnableWindow(owner, TRUE);
    if (owner != nullptr && ::IsWindow(owner) && m_hWnd != nullptr &&
        ::GetActiveWindow() == m_hWnd) {
        ::SetActiveWindow(owner);
    }
    DestroyWindow();
    return m_nModalResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* parent) {
    m_nIDTemplate = nIDTemplate;
    if (parent != nullptr) m_pParentWnd = parent;
    HWND parentWnd = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    return CreateFromTemplate(nIDTemplate, parentWnd) != nullptr;
}

void CDialog::EndDialog(int result) {
    m_nModalResult = result;
    if (m_bInModalLoop) {
        m_bContinueModal = false;
        // Wake the loop even if no other message is on its way.
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
    } else if (m_hWnd != nullptr) {
        ::EndDialog(m_hWnd, result);
    }
}

BOOL CDialog::OnInitDialog() {
    return TRUE;
}

void CDialog::OnOK() {
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    bool keyboard = pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST;
    bool mouse = pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST;
    if (!keyboard && !mouse) return FALSE;
    return ::IsDialogMessageW(m_hWnd, pMsg);
}
