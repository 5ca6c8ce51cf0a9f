// CView: the child window that fills a frame and shows its document.
#ifndef LANTREL_FRAMEWORK_VIEW_H
#define LANTREL_FRAMEWORK_VIEW_H

#include "document.h"

class CView : public CDocumentView {
public:
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
};

#endif
