#include "doctemplate.h"

#include "document.h"
#include "frame.h"
#include "module.h"
#include "winthread.h"

CDocTemplate::CDocTemplate(UINT nIDResource, const CRuntimeClass* docClass,
                           const CRuntimeClass* frameClass, const CRuntimeClass* viewClass)
    : m_nIDResource(nIDResource),
      m_pDocClass(docClass),
      m_pFrameClass(frameClass),
      m_pViewClass(viewClass) {}

CDocument* CDocTemplate::CreateNewDocument() {
    return static_cast<CDocument*>(m_pDocClass->CreateObject());
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* doc) {
    CCreateContext context;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pCurrentDoc = doc;
    auto* frame = static_cast<CFrameWnd*>(m_pFrameClass->CreateObject());
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW, nullptr, &context)) {
        delete frame;
        return nullptr;
    }
    frame->m_bAutoDelete = true;
    return frame;
}

CString CDocTemplate::GetDocString(int field) const {
    CString full;
    full.LoadString(AfxGetResourceHandle(), m_nIDResource);
    return full.Field(field);
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* doc) {
    CString name = GetDocString(1);
    doc->SetTitle(name.IsEmpty() ? L"Untitled" : name.GetString());
}

BOOL CSingleDocTemplate::LoadDocument(CDocument* doc, LPCWSTR pathName, BOOL quiet) {
    doc->SetQuietErrors(quiet);
    BOOL ok;
    if (pathName == nullptr) {
        SetDefaultTitle(doc);
        ok = doc->OnNewDocument();
    } else {
        ok = doc->OnOpenDocument(pathName);
        if (ok) doc->SetPathName(pathName);
    }
    doc->SetQuietErrors(FALSE);
    return ok;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCWSTR pathName, BOOL makeVisible, BOOL quiet) {
    CDocument* doc = m_pOnlyDoc;
    CFrameWnd* frame = nullptr;
    bool created = false;
    if (doc != nullptr) {
        if (!doc->SaveModified()) return nullptr;
        if (CDocumentView* view = doc->GetFirstView()) {
            frame = dynamic_cast<CFrameWnd*>(
                CWnd::FromHandlePermanent(::GetAncestor(view->m_hWnd, GA_ROOT)));
        }
    } else {
        doc = CreateNewDocument();
        m_pOnlyDoc = doc;
        created = true;
    }
    if (frame == nullptr) {
        frame = CreateNewFrame(doc);
        if (frame == nullptr) {
            if (created) {
                m_pOnlyDoc = nullptr;
                delete doc;
            }
            return nullptr;
        }
        created = true;
    }

    if (!LoadDocument(doc, pathName, quiet)) {
        // A failed open leaves an existing document as it was; a new one goes again.
        if (created) {
            frame->DestroyWindow();
            if (m_pOnlyDoc == doc) {
                m_pOnlyDoc = nullptr;
                delete doc;
            }
        } else if (pathName != nullptr && !doc->GetPathName().IsEmpty() &&
                   doc->GetPathName().CompareNoCase(pathName) == 0) {
            // Except that it can no longer claim its own file once that could not be opened
            // (deleted, say): the user has just been told so and the recent list drops it, so
            // Save must ask for a name instead of quietly making an empty file there again.
            doc->ClearPathName();
            SetDefaultTitle(doc);
        }
        return nullptr;
    }

    CWinThread* thread = AfxGetThread();
    if (created && thread != nullptr && thread->m_pMainWnd == nullptr) thread->m_pMainWnd = frame;
    frame->InitialUpdateFrame(doc, makeVisible);
    return doc;
}

void CSingleDocTemplate::CloseAllDocuments(BOOL) {
    CDocument* doc = m_pOnlyDoc;
    if (doc == nullptr) return;
    // Closing deletes the document; from its start it is no longer the one to hand out.
    m_pOnlyDoc = nullptr;
    doc->OnCloseDocument();
}
