#include "document.h"

#include <commdlg.h>

#include <algorithm>

#include "afxres.h"
#include "winthread.h"

namespace {

// CreateFileW for a document: the owner is empty when the file could not be opened, with the
// reason still in GetLastError.
UniqueFile OpenFile(LPCWSTR path, DWORD access, DWORD share, DWORD disposition) {
    return TakeCreatedFile(
        ::CreateFileW(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

void CArchive::Write(const void* data, size_t size) {
    const BYTE* bytes = static_cast<const BYTE*>(data);
    m_stored.insert(m_stored.end(), bytes, bytes + size);
}

size_t CArchive::Read(void* data, size_t size) {
    DWORD read = 0;
    if (m_hFile == nullptr || size > MAXDWORD ||
        !::ReadFile(m_hFile, data, static_cast<DWORD>(size), &read, nullptr)) {
        return 0;
    }
    return read;
}

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocumentView::~CDocumentView() {
    if (m_pDocument != nullptr) m_pDocument->RemoveView(this);
}

CDocument::~CDocument() {
    for (CDocumentView* view : m_views) view->m_pDocument = nullptr;
}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCWSTR pathName) {
    // Open first: a file that cannot be opened leaves the current document untouched.
    UniqueFile file =
        OpenFile(pathName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    if (!file) {
        ReportFileError(pathName, ::GetLastError(), FALSE);
        return FALSE;
    }
    DeleteContents();
    CArchive ar(file.Get(), CArchive::load);
    Serialize(ar);
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCWSTR pathName) {
    CArchive ar(nullptr, CArchive::store);
    Serialize(ar);
    const std::vector<BYTE>& bytes = ar.StoredBytes();

    if (bytes.empty()) {
        // Nothing to store: an existing file keeps every byte; a new name gets an empty file.
        if (::GetFileAttributesW(pathName) != INVALID_FILE_ATTRIBUTES) {
            SetModifiedFlag(FALSE);
            return TRUE;
        }
        UniqueFile created = OpenFile(pathName, GENERIC_WRITE, 0, CREATE_NEW);
        if (!created) {
            ReportFileError(pathName, ::GetLastError(), TRUE);
            return FALSE;
        }
        SetModifiedFlag(FALSE);
        return TRUE;
    }

    // Write a sibling file and swap it in, so a failed save never leaves half a file.
    std::wstring temp = std::wstring(pathName) + L".saving";
    BOOL ok;
    DWORD error;
    {
        UniqueFile file = OpenFile(temp.c_str(), GENERIC_WRITE, 0, CREATE_ALWAYS);
        if (!file) {
            ReportFileError(pathName, ::GetLastError(), TRUE);
            return FALSE;
        }
        DWORD written = 0;
        ok = bytes.size() <= MAXDWORD &&
             ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                         nullptr) &&
             written == bytes.size();
        error = ::GetLastError();
    }  // closed here: it is moved over the document next
    if (ok) ok = ::MoveFileExW(temp.c_str(), pathName, MOVEFILE_REPLACE_EXISTING);
    if (!ok) {
        error = ::GetLastError() ? ::GetLastError() : error;
        ::DeleteFileW(temp.c_str());
        ReportFileError(pathName, error, TRUE);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument() {
    // Destroying the frames destroys the views, which leave this document.
    std::vector<HWND> frames;
    for (CDocumentView* view : m_views) frames.push_back(::GetAncestor(view->m_hWnd, GA_ROOT));
    for (HWND frame : frames) {
        if (frame != nullptr && ::IsWindow(frame)) ::DestroyWindow(frame);
    }
    DeleteContents();
    delete this;
}

void CDocument::Serialize(CArchive&) {}

BOOL CDocument::SaveModified() {
    if (!IsModified()) return TRUE;
    CString prompt;
    prompt.Format(L"Save changes to %ls?", m_strTitle.GetString());
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDCANCEL:
            return FALSE;
        case IDYES:
            return DoSave(m_strPathName.IsEmpty() ? nullptr : m_strPathName.GetString());
        default:
            return TRUE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd*) {
    return SaveModified();
}

void CDocument::SetPathName(LPCWSTR pathName, BOOL addToRecentFiles) {
    CString path(pathName);  // pathName may point into m_strPathName itself
    m_strPathName = path;
    int slash = -1;
    for (int i = 0; i < m_strPathName.GetLength(); ++i) {
        if (m_strPathName[i] == L'\\' || m_strPathName[i] == L'/') slash = i;
    }
    m_strTitle = m_strPathName.Mid(slash + 1);
    if (addToRecentFiles && AfxGetThread() != nullptr) AfxGetThread()->AddToRecentFileList(path);
}

void CDocument::AddView(CDocumentView* view) {
    m_views.push_back(view);
    view->m_pDocument = this;
}

void CDocument::RemoveView(CDocumentView* view) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
    view->m_pDocument = nullptr;
}

void CDocument::OnFileSave() {
    DoSave(m_strPathName.IsEmpty() ? nullptr : m_strPathName.GetString());
}

void CDocument::OnFileSaveAs() {
    DoSave(nullptr);
}

BOOL CDocument::DoSave(LPCWSTR pathName, BOOL replace) {
    std::wstring chosen;
    if (pathName == nullptr) {
        std::vector<wchar_t> buffer(32768, L'\0');
        std::wstring initial = m_strTitle.IsEmpty() ? L"Untitled" : m_strTitle.Str();
        initial.copy(buffer.data(), std::min(initial.size(), buffer.size() - 1));
        OPENFILENAMEW ofn = {};
        ofn.lStructSize = sizeof(ofn);
        CWinThread* thread = AfxGetThread();
        ofn.hwndOwner = thread && thread->m_pMainWnd ? thread->m_pMainWnd->m_hWnd : nullptr;
        ofn.lpstrFilter = L"All Files (*.*)\0*.*\0";
        ofn.lpstrFile = buffer.data();
        ofn.nMaxFile = static_cast<DWORD>(buffer.size());
        ofn.lpstrTitle = L"Save As";
        ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
        if (!::GetSaveFileNameW(&ofn)) return FALSE;
        chosen = buffer.data();
        pathName = chosen.c_str();
    }
    if (!OnSaveDocument(pathName)) return FALSE;
    if (replace) SetPathName(pathName);
    return TRUE;
}

void CDocument::ReportFileError(LPCWSTR pathName, DWORD error, BOOL saving) const {
    if (m_bQuietErrors) return;
    wchar_t* system = nullptr;
    ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<LPWSTR>(&system), 0, nullptr);
    CString text;
    text.Format(L"%ls\n\n%ls%ls", pathName,
                saving ? L"Failed to save document." : L"Failed to open document.",
                system ? L"\n" : L"");
    if (system != nullptr) {
        text += system;
        ::LocalFree(system);
    }
    AfxMessageBox(text, MB_ICONEXCLAMATION | MB_OK);
}
