#include "mainfrm.h"

#include <algorithm>

#include "motion/grow.h"

IMPLEMENT_DYNCREATE(CMainFrame)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CLOSE()
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

namespace {

// No sizing border, and a caption that stays the document string's title.
const DWORD kFrameStyle = WS_MAXIMIZE | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
const int kFrameWidth = 800;
const int kFrameHeight = 600;

}  // namespace

POINT CenteredFramePosition(int screenCx, int screenCy, int cx, int cy) {
    return POINT{screenCx / 2 - cx / 2, screenCy / 2 - cy / 2};
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTW& cs) {
    if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
    cs.style = kFrameStyle;
    cs.cy = kFrameHeight;
    cs.cx = kFrameWidth;
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
    info->ptMaxTrackSize.x = std::max<LONG>(info->ptMaxTrackSize.x, kFrameWidth);
    info->ptMaxTrackSize.y = std::max<LONG>(info->ptMaxTrackSize.y, kFrameHeight);
}
