#include "gdi.h"

CDC& CDC::operator=(CDC&& other) noexcept {
    if (this != &other) {
        DeleteDC();
        m_hDC = other.m_hDC;
        m_bOwned = other.m_bOwned;
        other.m_hDC = nullptr;
        other.m_bOwned = false;
    }
    return *this;
}

BOOL CDC::CreateCompatibleDC(const CDC* pDC) {
    DeleteDC();
    m_hDC = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
    m_bOwned = m_hDC != nullptr;
    return m_hDC != nullptr;
}

BOOL CDC::CreateDC(LPCWSTR driver, LPCWSTR device, LPCWSTR output, const DEVMODEW* init) {
    DeleteDC();
    m_hDC = ::CreateDCW(driver, device, output, init);
    m_bOwned = m_hDC != nullptr;
    return m_hDC != nullptr;
}

BOOL CDC::DeleteDC() {
    if (m_hDC == nullptr) return FALSE;
    BOOL ok = m_bOwned ? ::DeleteDC(m_hDC) : TRUE;
    m_hDC = nullptr;
    m_bOwned = false;
    return ok;
}

void CDC::AttachBorrowed(HDC dc) {
    DeleteDC();
    m_hDC = dc;
    m_bOwned = false;
}

HDC CDC::Detach() {
    HDC dc = m_hDC;
    m_hDC = nullptr;
    m_bOwned = false;
    return dc;
}

CClientDC::CClientDC(HWND window) : m_hWnd(window) {
    m_hDC = ::GetDC(window);
}

CClientDC::~CClientDC() {
    if (m_hDC != nullptr) ::ReleaseDC(m_hWnd, m_hDC);
    m_hDC = nullptr;
}

CPaintDC::CPaintDC(HWND window) : m_hWnd(window) {
    m_hDC = ::BeginPaint(window, &m_ps);
}

CPaintDC::~CPaintDC() {
    if (m_hDC != nullptr) ::EndPaint(m_hWnd, &m_ps);
    m_hDC = nullptr;
}
