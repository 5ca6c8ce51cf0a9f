#include "view.h"

BEGIN_MESSAGE_MAP(CView, CDocumentView)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

BOOL CView::PreCreateWindow(CREATESTRUCTW& cs) {
    if (cs.lpszClass == nullptr) {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                           ::LoadCursorW(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr);
        if (cs.lpszClass == nullptr) return FALSE;
    }
    // A view shows a sunken client edge rather than a plain border.
    if (cs.style & WS_BORDER) {
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
        cs.style &= ~WS_BORDER;
    }
    return TRUE;
}

BOOL CView::OnCmdMsg(UINT id, CCmdUI* pCmdUI) {
    if (CWnd::OnCmdMsg(id, pCmdUI)) return TRUE;
    return GetDocument() != nullptr && GetDocument()->OnCmdMsg(id, pCmdUI);
}

void CView::OnInitialUpdate() {
    Invalidate(TRUE);
}

void CView::OnPaint() {
    CPaintDC dc(m_hWnd);
    OnDraw(&dc);
}

LRESULT CView::OnPrintClient(WPARAM wParam, LPARAM) {
    CDC dc(reinterpret_cast<HDC>(wParam));
    OnDraw(&dc);
    return 0;
}
