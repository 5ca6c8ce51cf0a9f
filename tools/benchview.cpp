#include "benchview.h"

CStepCountingView::~CStepCountingView() {
    m_host.Reset();  // takes the view with it while this object is still whole
}

bool CStepCountingView::Open(int width, int height) {
    LPCWSTR hostClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
    m_host.Reset(::CreateWindowExW(WS_EX_TOPMOST, hostClass, L"benchmark",
                                   WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width, height,
                                   nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
    if (!m_host) return false;
    return CreateEx(0, nullptr, L"view", WS_CHILD | WS_VISIBLE, 0, 0, width, height, m_host.Get(),
                    reinterpret_cast<HMENU>(1)) != FALSE;
}

void CStepCountingView::Reset() {
    m_stepTimes.clear();
    m_start = std::chrono::steady_clock::now();
}

LRESULT CStepCountingView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_WINDOWPOSCHANGED: {
            auto now = std::chrono::steady_clock::now();
            CRgn region;
            region.CreateRectRgn(0, 0, 0, 0);
            if (::GetWindowRgn(m_hWnd, region) != ERROR) {
                m_stepTimes.push_back(
                    std::chrono::duration<double, std::milli>(now - m_start).count());
            }
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            ::ValidateRect(m_hWnd, nullptr);
            return 0;
        default:
            return CWnd::WindowProc(message, wParam, lParam);
    }
}
