#include "app.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <vector>

#include "afxres.h"
#include "comapartment.h"
#include "doctemplate.h"
#include "document.h"
#include "recentfiles.h"

namespace {

const wchar_t kRecentFileSection[] = L"Recent File List";
const wchar_t kRecentFileEntry[] = L"File%d";

std::wstring FullPath(LPCWSTR path) {
    DWORD needed = ::GetFullPathNameW(path, 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::wstring full(needed, L'\0');
    DWORD written = ::GetFullPathNameW(path, needed, &full[0], nullptr);
    if (written == 0 || written >= needed) return path;
    full.resize(written);
    return full;
}

}  // namespace

// ---- command line ---------------------------------------------------------------------------

void CCommandLineInfo::ParseParam(LPCWSTR param, BOOL flag, BOOL last) {
    if (flag) {
        if (lstrcmpiW(param, L"pt") == 0) {
            m_nShellCommand = FilePrintTo;
        } else if (lstrcmpiW(param, L"p") == 0) {
            m_nShellCommand = FilePrint;
        } else if (lstrcmpiW(param, L"dde") == 0) {
            m_nShellCommand = FileDDE;
        } else if (lstrcmpiW(param, L"Register") == 0 || lstrcmpiW(param, L"Regserver") == 0) {
            m_nShellCommand = AppRegister;
        } else if (lstrcmpiW(param, L"Unregister") == 0 || lstrcmpiW(param, L"Unregserver") == 0) {
            m_nShellCommand = AppUnregister;
        } else if (lstrcmpiW(param, L"Embedding") == 0 || lstrcmpiW(param, L"Automation") == 0) {
            m_nShellCommand = FileNothing;
        }
        // Other switches are not ours and are ignored.
    } else if (m_strFileName.IsEmpty()) {
        m_strFileName = param;
    }
    if (last && m_nShellCommand == FileNew && !m_strFileName.IsEmpty()) {
        m_nShellCommand = FileOpen;
    }
}

// ---- application ----------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
    ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, OnOpenRecentFile)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCWSTR appName) : CWinThread(appName) {}

CWinApp::~CWinApp() = default;  // here, where the template and the recent-file list are whole

// The application is the program's one CWinThread.
CWinApp* AfxGetApp() {
    return static_cast<CWinApp*>(AfxGetThread());
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    SaveStdProfileSettings();
    return 0;
}

BOOL CWinApp::PreTranslateMessage(MSG*) {
    return FALSE;
}

int CWinApp::Run() {
    MSG msg;
    for (;;) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        HWND stop = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
        if (CWnd::WalkPreTranslateTree(stop, &msg) || PreTranslateMessage(&msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    int exitCode = ExitInstance();
    return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : exitCode;
}

void CWinApp::AddDocTemplate(CDocTemplate* docTemplate) {
    m_pDocTemplate.reset(docTemplate);
}

CDocument* CWinApp::OpenDocumentFile(LPCWSTR pathName, BOOL quiet) {
    if (m_pDocTemplate == nullptr || pathName == nullptr) return nullptr;
    std::wstring full = FullPath(pathName);
    return m_pDocTemplate->OpenDocumentFile(full.c_str(), TRUE, quiet);
}

void CWinApp::CloseAllDocuments(BOOL endSession) {
    if (m_pDocTemplate != nullptr) m_pDocTemplate->CloseAllDocuments(endSession);
}

void CWinApp::AddToRecentFileList(LPCWSTR pathName) {
    if (m_pRecentFileList == nullptr) return;
    m_pRecentFileList->Add(pathName);
    m_pRecentFileList->WriteList(m_profile);  // kept at once, not only at exit
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) {
    AfxParseCommandLine(info, ::GetCommandLineW());
}

void AfxParseCommandLine(CCommandLineInfo& info, LPCWSTR commandLine) {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(commandLine, &argc);
    if (argv == nullptr) return;
    std::vector<std::wstring> args;
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] != L'\0') args.emplace_back(argv[i]);  // empty arguments say nothing
    }
    ::LocalFree(argv);
    for (size_t i = 0; i < args.size(); ++i) {
        LPCWSTR param = args[i].c_str();
        BOOL flag = param[0] == L'-' || param[0] == L'/';
        info.ParseParam(flag ? param + 1 : param, flag, i + 1 == args.size());
    }
    if (args.empty()) info.ParseParam(L"", FALSE, TRUE);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info) {
    switch (info.m_nShellCommand) {
        case CCommandLineInfo::FileNew:
            if (!OnCmdMsg(ID_FILE_NEW, nullptr)) OnFileNew();
            return m_pMainWnd != nullptr;
        case CCommandLineInfo::FileOpen:
            return OpenDocumentFile(info.m_strFileName, TRUE) != nullptr;
        default:
            // Printing, DDE, registration and automation are not supported: the program
            // ends without showing anything.
            return FALSE;
    }
}

void CWinApp::OnFileNew() {
    if (m_pDocTemplate != nullptr) m_pDocTemplate->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
    std::vector<wchar_t> buffer(32768, L'\0');
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    ofn.lpstrFilter = L"All Files (*.*)\0*.*\0";
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = L"Open";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (::GetOpenFileNameW(&ofn)) OpenDocumentFile(buffer.data());
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd != nullptr) m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::OnOpenRecentFile(UINT id) {
    if (m_pRecentFileList == nullptr) return;
    int index = static_cast<int>(id - ID_FILE_MRU_FILE1);
    if (index < 0 || index >= m_pRecentFileList->GetSize()) return;
    CString path = (*m_pRecentFileList)[index];
    if (OpenDocumentFile(path) == nullptr) {
        // The open reported why; an entry that cannot be opened leaves the list.
        m_pRecentFileList->Remove(index);
        m_pRecentFileList->WriteList(m_profile);
    }
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
    if (m_pRecentFileList == nullptr) {
        pCmdUI->Enable(FALSE);
        return;
    }
    m_pRecentFileList->UpdateMenu(pCmdUI);
}

// ---- profile --------------------------------------------------------------------------------

void CWinApp::SetRegistryKey(LPCWSTR key) {
    if (m_strAppName.IsEmpty()) m_strAppName.LoadString(AfxGetResourceHandle(), AFX_IDS_APP_TITLE);
    m_profile.SetPlace(key, m_strAppName);
}

void CWinApp::LoadStdProfileSettings(UINT maxRecentFiles) {
    if (maxRecentFiles != 0) {
        m_pRecentFileList =
            std::make_unique<CRecentFileList>(ID_FILE_MRU_FILE1, kRecentFileSection,
                                              kRecentFileEntry, static_cast<int>(maxRecentFiles));
        m_pRecentFileList->ReadList(m_profile);
    }
}

void CWinApp::SaveStdProfileSettings() {
    if (m_pRecentFileList != nullptr) m_pRecentFileList->WriteList(m_profile);
}

// ---- entry ----------------------------------------------------------------------------------

int AfxWinMain(HINSTANCE instance, LPWSTR, int nCmdShow) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) return -1;
    // The user-interface thread is a single-threaded apartment from start to end, for the
    // shell (comapartment.h); it is left after the last window and ExitInstance have gone.
    CComApartment apartment;
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    app->m_hInstance = instance;
    app->m_nCmdShow = nCmdShow;
    if (app->m_strAppName.IsEmpty())
        app->m_strAppName.LoadString(AfxGetResourceHandle(), AFX_IDS_APP_TITLE);
    if (!app->InitInstance()) {
        // Whatever InitInstance left behind goes now; the program ends quietly.
        if (app->m_pMainWnd != nullptr) app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}
