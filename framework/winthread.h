// CWinThread: the program's one user-interface thread as the framework's frames, documents and
// templates see it: the main window, how that is first shown, the name for message boxes, and
// the few things they ask of the application.  CWinApp is built on it and is the one object of
// this kind; the parts below CWinApp reach it only through here, so none of them depends on
// the application class, which depends on them.
#ifndef LANTREL_FRAMEWORK_WINTHREAD_H
#define LANTREL_FRAMEWORK_WINTHREAD_H

#include <windows.h>

#include "cmdtarget.h"
#include "cstring.h"

class CWnd;

class CWinThread : public CCmdTarget {
public:
    ~CWinThread() override;

    // Told by a frame whose window has just been destroyed: if it was the main window, it is
    // forgotten and the message loop is asked to end (exit code 0).
    void OnFrameDestroyed(CWnd* frame);
    // What the main frame's closing and a document's new file name ask of the application.
    virtual void CloseAllDocuments(BOOL endSession) = 0;
    virtual void AddToRecentFileList(LPCWSTR pathName) = 0;

    int m_nCmdShow = SW_SHOWDEFAULT;  // for the main window's first show; -1 once used
    CWnd* m_pMainWnd = nullptr;       // cleared when the main window is destroyed
    CString m_strAppName;

protected:
    explicit CWinThread(LPCWSTR appName);
};

CWinThread* AfxGetThread();
// A message box owned by the main window (or the dialog running over it), with the
// application name as caption.
int AfxMessageBox(LPCWSTR text, UINT type = MB_OK, UINT helpId = 0);

#endif
