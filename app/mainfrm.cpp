#include "mainfrm.h"

#include <algorithm>

#include "framework/dpi.h"
#include "framework/view.h"
#include "motion/grow.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

IMPLEMENT_DYNCREATE(CMainFrame)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CLOSE()
    ON_WM_GETMINMAXINFO()
    ON_MESSAGE(WM_DPICHANGED, OnDpiChanged)
END_MESSAGE_MAP()

namespace {

// No sizing border, and a caption that stays the document string's title.
const DWORD kFrameStyle = WS_MAXIMIZE | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
// The outer size at 96 DPI; scaled by the display's DPI like every size the program chooses.
const int kFrameWidth = 800;
const int kFrameHeight = 600;

}  // namespace

POINT CenteredFramePosition(int screenCx, int screenCy, int cx, int cy) {
    return POINT{screenCx / 2 - cx / 2, screenCy / 2 - cy / 2};
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTW& cs) {
    if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
    cs.style = kFrameStyle;
    // No window yet to ask: the screen's DPI (the system DPI), which the frame centred on the
    // primary screen is shown at.
    int dpi = ScreenDpi();
    cs.cy = ScaleToDpi(kFrameHeight, dpi);
    cs.cx = ScaleToDpi(kFrameWidth, dpi);
    POINT position = CenteredFramePosition(::GetSystemMetrics(SM_CXSCREEN),
                                           ::GetSystemMetrics(SM_CYSCREEN), cs.cx, cs.cy);
    cs.y = position.y;
    cs.x = position.x;
    return CFrameWnd::PreCreateWindow(cs);
}

void CMainFrame::OnClose() {
    // A dialog still open over the frame (the close came through its modal loop, from the
    // taskbar or the system) goes first: the frame shrinks away alone, and the framework's
    // destroying the frame then ends the dialog too.
    ::ShowOwnedPopups(m_hWnd, FALSE);
    // Shrinks toward the screen centre first; the framework then closes the document and
    // destroys the frame.
    ShrinkWindow(this, AnchorScreenCentre, FixedSteps);
    CFrameWnd::OnClose();
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* info) {
    Default();
    // The grow and shrink pass through every size from a few pixels up to the full frame,
    // and the frame keeps its 800 x 600 on a screen smaller than that (the platform's
    // default limits would clamp the first grow frames to a caption's size and trim the
    // frame to the screen).
    info->ptMinTrackSize.x = 1;
    info->ptMinTrackSize.y = 1;
    int dpi = WindowDpi(m_hWnd);
    info->ptMaxTrackSize.x = std::max<LONG>(info->ptMaxTrackSize.x, ScaleToDpi(kFrameWidth, dpi));
    info->ptMaxTrackSize.y = std::max<LONG>(info->ptMaxTrackSize.y, ScaleToDpi(kFrameHeight, dpi));
}

LRESULT CMainFrame::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
    // Microsoft, "WM_DPICHANGED": the low word of wParam is the window's new DPI, lParam a RECT
    // "scaled for the new DPI" which the window is expected to take with SetWindowPos.
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    if (suggested != nullptr) {
        ::SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top,
                       suggested->right - suggested->left, suggested->bottom - suggested->top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (CView* view = GetActiveView()) view->OnDpiChanged(LOWORD(wParam));
    return 0;
}
