#include "meshdialog.h"

#include "dialogs/templatepictures.h"
#include "motion/mesh.h"
#include "res/resource.h"

CMeshDialog::CMeshDialog(CWnd* parent) : CDialog(IDD_MESH_DIALOG, parent) {}

BOOL CMeshDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_pictures = TakeTemplatePictures(m_hWnd);
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, GetStyle() | WS_CLIPCHILDREN);
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        ::SetWindowLongPtrW(child, GWL_STYLE, ::GetWindowLongPtrW(child, GWL_STYLE) | WS_CLIPSIBLINGS);
    }
    CenterWindow();
    MakeMeshRegion(this, m_rgnMesh);
    return TRUE;
}

LRESULT CMeshDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = CDialog::WindowProc(message, wParam, lParam);
    if (message == WM_WINDOWPOSCHANGED &&
        (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW)) {
        for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            RECT window, client;
            ::GetWindowRect(child, &window);
            ::GetClientRect(child, &client);
            if (window.right - window.left != client.right || window.bottom - window.top != client.bottom) continue;
            RECT none = {0, 0, 0, 0};
            ::RedrawWindow(child, &none, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_NOCHILDREN);
        }
    }
    return result;
}
