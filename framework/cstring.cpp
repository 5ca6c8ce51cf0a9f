#include "cstring.h"

#include <cstdarg>
#include <cwchar>
#include <vector>

int CString::Find(LPCWSTR what, int start) const {
    if (start < 0 || start > GetLength()) return -1;
    size_t at = m_text.find(what, static_cast<size_t>(start));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

void CString::Format(LPCWSTR format, ...) {
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list args;
        va_start(args, format);
        int written = _vsnwprintf(buffer.data(), buffer.size(), format, args);
        va_end(args);
        if (written >= 0 && static_cast<size_t>(written) < buffer.size()) {
            m_text.assign(buffer.data(), written);
            return;
        }
        if (buffer.size() > (1u << 24)) {
            m_text.clear();
            return;
        }
        buffer.resize(buffer.size() * 2);
    }
}

BOOL CString::LoadString(HINSTANCE module, UINT id) {
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadStringW returns a read-only pointer into the resource.
    int length = ::LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) {
        m_text.clear();
        return FALSE;
    }
    m_text.assign(text, length);
    return TRUE;
}

CString CString::Field(int index) const {
    size_t begin = 0;
    for (int i = 0; i < index; ++i) {
        size_t newline = m_text.find(L'\n', begin);
        if (newline == std::wstring::npos) return CString();
        begin = newline + 1;
    }
    size_t end = m_text.find(L'\n', begin);
    return m_text.substr(begin, end == std::wstring::npos ? std::wstring::npos : end - begin);
}
