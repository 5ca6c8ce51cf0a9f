// CProfile: named string values kept in sections from one run of the program to the next, all
// that the recent-file list needs to keep itself; CWinApp keeps them in a CRegistryProfile.
#ifndef LANTREL_FRAMEWORK_PROFILE_H
#define LANTREL_FRAMEWORK_PROFILE_H

#include <windows.h>

#include <string>

#include "cstring.h"

class CProfile {
public:
    virtual CString GetProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR defaultValue) = 0;
    // value nullptr deletes the entry.
    virtual BOOL WriteProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR value) = 0;

protected:
    ~CProfile() = default;
};

// The application's profile in the registry: HKCU\software\<registry key>\<application
// name>\<section>.  Until its place is set it reads nothing (every value is the default) and
// writes nothing.
class CRegistryProfile : public CProfile {
public:
    void SetPlace(LPCWSTR registryKey, LPCWSTR appName);

    CString GetProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR defaultValue) override;
    BOOL WriteProfileString(LPCWSTR section, LPCWSTR entry, LPCWSTR value) override;

private:
    // The section's key, for reading, or created if need be for writing.
    HKEY OpenSectionKey(LPCWSTR section, bool write);

    std::wstring m_root;  // software\<registry key>\<application name>, or empty
};

#endif
