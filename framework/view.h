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
    // The frame has moved to a display of another scaling and taken its new size (the frame's
    // WM_DPICHANGED): whatever the view scaled itself is to be scaled for dpi now.
    virtual void OnDpiChanged(int dpi) { (void)dpi; }

protected:
    void OnPaint();
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

#endif
