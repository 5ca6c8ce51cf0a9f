#include "winthread.h"

#include "wnd.h"

namespace {

CWinThread* g_pThread = nullptr;

}  // namespace

CWinThread::CWinThread(LPCWSTR appName) : m_strAppName(appName) {
    g_pThread = this;
}

CWinThread::~CWinThread() {
    if (g_pThread == this) g_pThread = nullptr;
}

CWinThread* AfxGetThread() {
    return g_pThread;
}

void CWinThread::OnFrameDestroyed(CWnd* frame) {
    if (m_pMainWnd == nullptr || m_pMainWnd != frame) return;
    m_pMainWnd = nullptr;
    ::PostQuitMessage(0);
}

int AfxMessageBox(LPCWSTR text, UINT type, UINT) {
    CWinThread* thread = AfxGetThread();
    // The main window, or the modal dialog running over it (or else the thread's active
    // window), so that activation returns there when the box closes.
    HWND owner = thread != nullptr && thread->m_pMainWnd != nullptr
                     ? ::GetLastActivePopup(thread->m_pMainWnd->m_hWnd)
                     : ::GetActiveWindow();
    if (owner != nullptr && !(::IsWindowVisible(owner) && ::IsWindowEnabled(owner))) {
        owner = nullptr;
    }
    LPCWSTR caption = thread != nullptr && !thread->m_strAppName.IsEmpty()
                          ? thread->m_strAppName.GetString()
                          : L"Error";
    return ::MessageBoxW(owner, text, caption, type | MB_TASKMODAL);
}
