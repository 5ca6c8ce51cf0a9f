// The single-document template: makes the one document, its frame and its view.
#ifndef LANTREL_FRAMEWORK_DOCTEMPLATE_H
#define LANTREL_FRAMEWORK_DOCTEMPLATE_H

#include "cmdtarget.h"
#include "cstring.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
public:
    CDocTemplate(UINT nIDResource, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                 const CRuntimeClass* viewClass);

    // Opens pathName, or starts a new document for nullptr.  quiet: report no error.
    virtual CDocument* OpenDocumentFile(LPCWSTR pathName, BOOL makeVisible = TRUE,
                                        BOOL quiet = FALSE) = 0;
    virtual void CloseAllDocuments(BOOL endSession) = 0;

protected:
    CDocument* CreateNewDocument();
    CFrameWnd* CreateNewFrame(CDocument* doc);
    // The document-string field: 0 window title, 1 document name, 2 new-file name, ...
    CString GetDocString(int field) const;

    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
};

class CSingleDocTemplate : public CDocTemplate {
public:
    using CDocTemplate::CDocTemplate;

    CDocument* OpenDocumentFile(LPCWSTR pathName, BOOL makeVisible = TRUE,
                                BOOL quiet = FALSE) override;
    void CloseAllDocuments(BOOL endSession) override;

private:
    void SetDefaultTitle(CDocument* doc);
    // Starts doc afresh (pathName nullptr) or reads it from pathName; quiet: report no error.
    BOOL LoadDocument(CDocument* doc, LPCWSTR pathName, BOOL quiet);

    CDocument* m_pOnlyDoc = nullptr;
};

#endif
