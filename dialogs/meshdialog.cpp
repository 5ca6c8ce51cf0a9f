#include "meshdialog.h"

#include "motion/mesh.h"
#include "res/resource.h"

namespace {

// Every device context on a meshed window takes a visible region built from the mesh's
// rectangles, and Wine builds one in time growing with the square of their number: a second or
// two for the whole dialog's 28,000, a few milliseconds for a button's thousand.
// So each window of the dialog draws through its own part only: the dialog clips its controls
// out, and the controls clip to themselves (they are CS_PARENTDC classes, which would otherwise
// draw through the dialog's whole client area).  The controls do not overlap, so what is drawn
// is the same.
void ClipControls(HWND dialog) {
    ::SetWindowLongPtrW(dialog, GWL_STYLE,
                        ::GetWindowLongPtrW(dialog, GWL_STYLE) | WS_CLIPCHILDREN);
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        ::SetWindowLongPtrW(child, GWL_STYLE,
                            ::GetWindowLongPtrW(child, GWL_STYLE) | WS_CLIPSIBLINGS);
    }
}

// Showing a window asks each control for its frame too (WM_NCPAINT); a control without one has
// nothing there to draw, and the request would only cost it a second visible region.
void SkipMissingFrames(HWND dialog) {
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT window, client;
        ::GetWindowRect(child, &window);
        ::GetClientRect(child, &client);
        if (window.right - window.left != client.right ||
            window.bottom - window.top != client.bottom) {
            continue;
        }
        RECT nothing = {0, 0, 0, 0};
        ::RedrawWindow(child, &nothing, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_NOCHILDREN);
    }
}

}  // namespace

BEGIN_MESSAGE_MAP(CMeshDialog, CDialog)
    ON_WM_NCPAINT()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CMeshDialog::CMeshDialog(CWnd* parent) : CDialog(IDD_MESH_DIALOG, parent) {}

BOOL CMeshDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_picture.ShowResource(m_hWnd, L"DINOSAUR");
    ClipControls(m_hWnd);
    // The framework has centred the dialog already, while it was still a plain rectangle, so
    // nothing moves it once it is meshed.
    CRgn mesh = MakeMeshRegion(this);
    if (mesh.GetSafeHandle() != nullptr && SetWindowRgn(mesh, TRUE)) {
        mesh.Detach();  // the window's now: the system deletes it
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    return TRUE;
}

void CMeshDialog::OnDestroy() {
    m_picture.TakeBack(m_hWnd);
    Default();
}

void CMeshDialog::OnNcPaint(HRGN) {
    DWORD start = ::GetTickCount();
    Default();
    if (::GetTickCount() - start > 100) m_bSlowFrame = true;
}

void CMeshDialog::OnNcLButtonDown(UINT hitTest, POINT) {
    if (hitTest == HTCLOSE && m_bSlowFrame) {
        FollowCloseBoxPress();
        return;
    }
    Default();
}

void CMeshDialog::OnWindowPosChanged(WINDOWPOS* pos) {
    Default();
    if (pos->flags & SWP_SHOWWINDOW) SkipMissingFrames(m_hWnd);
}

// The system follows a press on the close box drawing the box pressed, through a device
// context on the whole window: if building its visible region made the frame slow to paint
// (under Wine a second or two each time), the press would show, and the dialog close, only
// that much later.  Here the press is followed as the system does it, without drawing:
// released over the box, it closes the dialog; released elsewhere, it does nothing.
void CMeshDialog::FollowCloseBoxPress() {
    UINT state = ::GetMenuState(::GetSystemMenu(m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND);
    if (state == static_cast<UINT>(-1) || (state & (MF_DISABLED | MF_GRAYED))) return;
    ::SetCapture(m_hWnd);
    MSG msg = {};
    while (::GetCapture() == m_hWnd) {
        if (!::GetMessageW(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP) break;
    }
    ::ReleaseCapture();
    LPARAM point = MAKELPARAM(msg.pt.x, msg.pt.y);
    if (msg.message == WM_LBUTTONUP && SendMessage(WM_NCHITTEST, 0, point) == HTCLOSE) {
        SendMessage(WM_SYSCOMMAND, SC_CLOSE, point);
    }
}
