#include "profile.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "handle.h"

void CRegistryProfile::SetPlace(LPCWSTR registryKey, LPCWSTR appName) {
    bool complete =
        registryKey != nullptr && *registryKey != L'\0' && appName != nullptr && *appName != L'\0';
    m_root = complete ? std::wstring(L"software\\") + registryKey + L"\\" + appName : L"";
}

HKEY CRegistryProfile::OpenSectionKey(LPCWSTR section, bool write) {
    if (m_root.empty()) return nullptr;
    std::wstring path = m_root + L"\\" + section;
    HKEY key = nullptr;
    LONG status = write ? ::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                                            KEY_READ | KEY_WRITE, nullptr, &key, nullptr)
                        : ::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
    return status == ERROR_SUCCESS ? key : nullptr;
}

CString CRegistryProfile::GetProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR defaultValue) {
    UniqueRegKey key(OpenSectionKey(section, false));
    if (!key) return CString(defaultValue);
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(key.Get(), entry, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS ||
        size > (1u << 20)) {
        return CString(defaultValue);
    }
    // A string may be stored without its NUL, or with an odd byte at its end: only the whole
    // characters the value holds are read, up to the first NUL among them.  The type is that of
    // the value read (another program may have replaced it meanwhile).
    std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(key.Get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                           &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return CString(defaultValue);
    }
    size_t whole = std::min<size_t>(size / sizeof(wchar_t), data.size() - 1);
    return CString(std::wstring(data.data(), ::wcsnlen(data.data(), whole)));
}

BOOL CRegistryProfile::WriteProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR value) {
    UniqueRegKey key(OpenSectionKey(section, true));
    if (!key) return FALSE;
    if (value == nullptr) {
        LONG status = ::RegDeleteValueW(key.Get(), entry);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    DWORD bytes = static_cast<DWORD>((lstrlenW(value) + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(key.Get(), entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                            bytes) == ERROR_SUCCESS;
}
