#include "tooltip.h"

CToolTipCtrl::~CToolTipCtrl() {
    if (m_hWnd != nullptr) DestroyWindow();
}

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    return CreateEx(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, parent ? parent->m_hWnd : nullptr, nullptr);
}

TOOLINFOW CToolTipCtrl::MakeToolInfo(CWnd* wnd, UINT_PTR toolId) const {
    TOOLINFOW info = {};
    // The version-5 size: comctl32 5 rejects the larger record of version 6.
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = wnd ? wnd->m_hWnd : nullptr;
    info.uId = toolId;
    return info;
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCWSTR text, const RECT* rect, UINT_PTR toolId) {
    if (m_hWnd == nullptr || wnd == nullptr) return FALSE;
    TOOLINFOW info = MakeToolInfo(wnd, toolId);
    if (rect != nullptr) {
        info.rect = *rect;
    } else {
        wnd->GetClientRect(&info.rect);
    }
    info.lpszText = const_cast<LPWSTR>(text);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::UpdateTipText(LPCWSTR text, CWnd* wnd, UINT_PTR toolId) {
    if (m_hWnd == nullptr || wnd == nullptr) return;
    TOOLINFOW info = MakeToolInfo(wnd, toolId);
    info.lpszText = const_cast<LPWSTR>(text);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

CString CToolTipCtrl::GetText(CWnd* wnd, UINT_PTR toolId) const {
    if (m_hWnd == nullptr || wnd == nullptr) return CString();
    // TTM_GETTEXT has no size argument; tooltip texts are limited to what fits here.
    wchar_t text[1024] = {};
    TOOLINFOW info = MakeToolInfo(wnd, toolId);
    info.lpszText = text;
    ::SendMessageW(m_hWnd, TTM_GETTEXTW, sizeof(text) / sizeof(text[0]),
                   reinterpret_cast<LPARAM>(&info));
    text[1023] = L'\0';
    return CString(text);
}

void CToolTipCtrl::RelayEvent(MSG* pMsg) {
    if (m_hWnd != nullptr) SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
}
