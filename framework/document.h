// CDocument and the archive its Serialize reads from or writes to.
#ifndef LANTREL_FRAMEWORK_DOCUMENT_H
#define LANTREL_FRAMEWORK_DOCUMENT_H

#include <windows.h>

#include <vector>

#include "cmdtarget.h"
#include "cstring.h"
#include "handle.h"
#include "wnd.h"

class CDocument;
class CFrameWnd;

// A window that shows a document, as the document sees it.  The document keeps the link on
// both sides (AddView, RemoveView, the end of either) and destroys the view's frame as it
// closes.  CView is built on this; the document knows nothing more of views, which depend on it.
class CDocumentView : public CWnd {
public:
    ~CDocumentView() override;  // leaves the document
    CDocument* GetDocument() const { return m_pDocument; }

private:
    friend class CDocument;
    CDocument* m_pDocument = nullptr;
};

// Loading reads from the open file; storing collects the bytes in memory, so that the file is
// only touched once the whole document has been serialised.
class CArchive {
public:
    enum Mode { load, store };
    CArchive(HANDLE file, Mode mode) : m_hFile(file), m_mode(mode) {}
    bool IsLoading() const { return m_mode == load; }
    bool IsStoring() const { return m_mode == store; }
    void Write(const void* data, size_t size);
    // Returns the number of bytes read.
    size_t Read(void* data, size_t size);
    const std::vector<BYTE>& StoredBytes() const { return m_stored; }

private:
    HANDLE m_hFile;
    Mode m_mode;
    std::vector<BYTE> m_stored;
};

class CDocument : public CCmdTarget {
public:
    CDocument() = default;
    ~CDocument() override;

    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCWSTR pathName);
    virtual BOOL OnSaveDocument(LPCWSTR pathName);
    // Destroys the frames showing the document, then deletes it.  Its template calls this, having
    // forgotten the document first.
    virtual void OnCloseDocument();
    virtual void DeleteContents() {}
    virtual void Serialize(CArchive& ar);
    virtual BOOL SaveModified();
    virtual BOOL CanCloseFrame(CFrameWnd* frame);

    BOOL IsModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }
    const CString& GetPathName() const { return m_strPathName; }
    void SetPathName(LPCWSTR pathName, BOOL addToRecentFiles = TRUE);
    // The document keeps its contents and title but belongs to no file: Save asks for a name.
    void ClearPathName() { m_strPathName.Empty(); }
    const CString& GetTitle() const { return m_strTitle; }
    void SetTitle(LPCWSTR title) { m_strTitle = title; }

    void AddView(CDocumentView* view);
    void RemoveView(CDocumentView* view);
    CDocumentView* GetFirstView() const { return m_views.empty() ? nullptr : m_views.front(); }
    // Quiet opens report nothing (the command line ends the program quietly instead).
    void SetQuietErrors(BOOL quiet) { m_bQuietErrors = quiet; }

protected:
    void OnFileSave();
    void OnFileSaveAs();
    BOOL DoSave(LPCWSTR pathName, BOOL replace = TRUE);
    void ReportFileError(LPCWSTR pathName, DWORD error, BOOL saving) const;

    DECLARE_MESSAGE_MAP()

private:
    CString m_strPathName;
    CString m_strTitle;
    BOOL m_bModified = FALSE;
    BOOL m_bQuietErrors = FALSE;
    std::vector<CDocumentView*> m_views;
};

#endif
