// A small wide-character string with the CString names the program uses.
#ifndef LANTREL_FRAMEWORK_CSTRING_H
#define LANTREL_FRAMEWORK_CSTRING_H

#include <windows.h>

#include <string>

class CString {
public:
    CString() = default;
    CString(LPCWSTR text) : m_text(text ? text : L"") {}
    CString(LPCWSTR text, int length) : m_text(text, length) {}
    CString(std::wstring text) : m_text(std::move(text)) {}

    operator LPCWSTR() const { return m_text.c_str(); }
    LPCWSTR GetString() const { return m_text.c_str(); }
    const std::wstring& Str() const { return m_text; }
    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    wchar_t operator[](int index) const { return m_text[index]; }

    CString& operator+=(const CString& other) {
        m_text += other.m_text;
        return *this;
    }
    CString& operator+=(wchar_t c) {
        m_text += c;
        return *this;
    }
    friend CString operator+(CString a, const CString& b) { return a += b; }
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator!=(const CString& a, const CString& b) { return a.m_text != b.m_text; }

    // Position of the first occurrence of what, or -1.
    int Find(LPCWSTR what, int start = 0) const;
    CString Left(int count) const { return m_text.substr(0, Clamp(count)); }
    CString Mid(int first) const { return m_text.substr(Clamp(first)); }
    CString Mid(int first, int count) const { return m_text.substr(Clamp(first), Clamp(count)); }
    int CompareNoCase(LPCWSTR other) const { return ::lstrcmpiW(m_text.c_str(), other); }

    // printf-style formatting with wide format strings.
    void Format(LPCWSTR format, ...);
    // Loads string resource id of module; returns FALSE (and leaves the string empty) if there
    // is none.
    BOOL LoadString(HINSTANCE module, UINT id);
    // The n-th (0-based) newline-separated field of the string, as in document strings.
    CString Field(int index) const;

private:
    int Clamp(int n) const { return n < 0 ? 0 : (n > GetLength() ? GetLength() : n); }
    std::wstring m_text;
};

#endif
