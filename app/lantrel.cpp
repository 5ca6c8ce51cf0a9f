#include "lantrel.h"

#include "app/doc.h"
#include "app/mainfrm.h"
#include "app/view.h"
#include "dialogs/aboutbox.h"
#include "framework/doctemplate.h"
#include "motion/grow.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CDorvelApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
END_MESSAGE_MAP()

CDorvelApp::CDorvelApp() : CWinApp(nullptr) {}

BOOL CDorvelApp::InitInstance() {
    SetRegistryKey(L"Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);

    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CDorvelDoc),
                                          RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CDorvelView)));

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo)) return FALSE;
    if (m_pMainWnd == nullptr) return FALSE;

    GrowWindow(m_pMainWnd, AnchorScreenCentre, FixedSteps);
    // The grow dispatches messages, so the frame may have been closed meanwhile: the framework
    // has then cleared m_pMainWnd and asked the message loop to quit, which ends the program.
    if (m_pMainWnd == nullptr) return TRUE;
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}

void CDorvelApp::OnAppAbout() {
    CAboutBox aboutBox;
    aboutBox.DoModal();
}
