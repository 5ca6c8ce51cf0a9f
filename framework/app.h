// CWinApp: start-up, the message loop, documents, the command line and the registry profile.
#ifndef LANTREL_FRAMEWORK_APP_H
#define LANTREL_FRAMEWORK_APP_H

#include <windows.h>

#include <memory>

#include "cmdtarget.h"
#include "cstring.h"
#include "wnd.h"

class CDocTemplate;
class CDocument;
class CRecentFileList;

class CCommandLineInfo {
public:
    enum {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppRegister,
        AppUnregister,
        FileNothing
    };
    int m_nShellCommand = FileNew;
    CString m_strFileName;

    // One argument; a flag has its leading '/' or '-' removed.
    virtual void ParseParam(LPCWSTR param, BOOL flag, BOOL last);
    virtual ~CCommandLineInfo() = default;
};

class CWinApp : public CCmdTarget {
public:
    // appName: nullptr takes the name from the string AFX_IDS_APP_TITLE.
    explicit CWinApp(LPCWSTR appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();
    // Application-wide message filter, after the windows' own PreTranslateMessage.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // ---- documents
    void AddDocTemplate(CDocTemplate* docTemplate);  // takes ownership
    CDocument* OpenDocumentFile(LPCWSTR pathName, BOOL quiet = FALSE);
    void CloseAllDocuments(BOOL endSession);
    void AddToRecentFileList(LPCWSTR pathName);

    // ---- command line
    void ParseCommandLine(CCommandLineInfo& info);
    BOOL ProcessShellCommand(CCommandLineInfo& info);

    // ---- registry profile: HKCU\software\<registry key>\<application name>\<section>
    void SetRegistryKey(LPCWSTR key);
    void LoadStdProfileSettings(UINT maxRecentFiles = 4);
    UINT GetProfileInt(LPCWSTR section, LPCWSTR entry, int defaultValue);
    BOOL WriteProfileInt(LPCWSTR section, LPCWSTR entry, int value);
    CString GetProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR defaultValue);
    // value nullptr deletes the entry.
    BOOL WriteProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR value);

    HINSTANCE m_hInstance = nullptr;
    int m_nCmdShow = SW_SHOWDEFAULT;
    CWnd* m_pMainWnd = nullptr;  // cleared when the main window is destroyed
    CString m_strAppName;
    CString m_strRegistryKey;
    UINT m_nNumPreviewPages = 0;

    // ---- standard command handlers
    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();
    void OnOpenRecentFile(UINT id);
    void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);

protected:
    DECLARE_MESSAGE_MAP()

private:
    friend int AfxWinMain(HINSTANCE, LPWSTR, int);
    // The section's key, for reading, or created if need be for writing.
    HKEY OpenSectionKey(LPCWSTR section, bool write);
    void SaveStdProfileSettings();

    std::unique_ptr<CDocTemplate> m_pDocTemplate;
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// A message box owned by the main window (or the dialog running over it), with the
// application name as caption.
int AfxMessageBox(LPCWSTR text, UINT type = MB_OK, UINT helpId = 0);
int AfxWinMain(HINSTANCE instance, LPWSTR cmdLine, int nCmdShow);

#endif
