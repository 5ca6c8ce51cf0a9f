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

std::vector<double> CStepCountingView::StepTimes() const {
    // Every reveal step sets a region and clears it again; the transition ends with one more
    // clear.  So the steps start at the even notifications, and an odd count has that last one.
    std::vector<double> steps;
    size_t paired = m_notifications.size() - m_notifications.size() % 2;
    for (size_t i = 0; i < paired; i += 2) steps.push_back(m_notifications[i]);
    return steps;
}

void CStepCountingView::Reset() {
    m_notifications.clear();
    m_start = std::chrono::steady_clock::now();
}

BEGIN_MESSAGE_MAP(CStepCountingView, CWnd)
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

void CStepCountingView::OnWindowPosChanged(WINDOWPOS*) {
    // Only the time: reading the region back here would cost the platform more than the step
    // itself and spoil the figures.
    auto now = std::chrono::steady_clock::now();
    m_notifications.push_back(std::chrono::duration<double, std::milli>(now - m_start).count());
}

BOOL CStepCountingView::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CStepCountingView::OnPaint() {
    ::ValidateRect(m_hWnd, nullptr);
}
