// CView: the child window that fills a frame and shows its document.
#ifndef LANTREL_FRAMEWORK_VIEW_H
#define LANTREL_FRAMEWORK_VIEW_H

#include "wnd.h"

class CDocument;

class CView : public CWnd {
public:
    ~CView() override;
    CDocument* GetDocument() const { return m_pDocument; }

    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    // Commands go to the view first, then to its document.
    BOOL OnCmdMsg(UINT id, CCmdUI* pCmdUI) override;

    // Called when the document is first shown and whenever it is re-initialised.
    virtual void OnInitialUpdate();
    virtual void OnDraw(CDC* pDC) = 0;

protected:
    void OnPaint();
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    friend class CDocument;
    CDocument* m_pDocument = nullptr;
};

#endif
