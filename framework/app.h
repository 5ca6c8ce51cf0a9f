// CWinApp: start-up, the message loop, documents, the command line and the registry profile.
#ifndef LANTREL_FRAMEWORK_APP_H
#define LANTREL_FRAMEWORK_APP_H

#include <windows.h>

#include <memory>

#include "cmdtarget.h"
#include "cstring.h"
#include "module.h"
#include "profile.h"
#include "winthread.h"
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

// Fills info from a whole command line, the program's name first (as GetCommandLineW gives
// it): each argument after the name goes to ParseParam, a switch being one that begins with
// '/' or '-'.
void AfxParseCommandLine(CCommandLineInfo& info, LPCWSTR commandLine);

class CWinApp : public CWinThread {
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
    void CloseAllDocuments(BOOL endSession) override;
    void AddToRecentFileList(LPCWSTR pathName) override;

    // ---- command line
    void ParseCommandLine(CCommandLineInfo& info);
    BOOL ProcessShellCommand(CCommandLineInfo& info);

    // ---- registry profile: HKCU\software\<registry key>\<application name>\<section>
    void SetRegistryKey(LPCWSTR key);
    // Makes the recent-file list and reads it from the profile.
    void LoadStdProfileSettings(UINT maxRecentFiles = 4);

    HINSTANCE m_hInstance = nullptr;

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
    void SaveStdProfileSettings();

    std::unique_ptr<CDocTemplate> m_pDocTemplate;
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
    CRegistryProfile m_profile;
};

CWinApp* AfxGetApp();
int AfxWinMain(HINSTANCE instance, LPWSTR cmdLine, int nCmdShow);

#endif
