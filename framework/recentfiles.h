// The recent-file list: most recent first, kept in a section of a profile (the application's
// registry profile, section "Recent File List").
#ifndef LANTREL_FRAMEWORK_RECENTFILES_H
#define LANTREL_FRAMEWORK_RECENTFILES_H

#include <vector>

#include "cstring.h"

class CCmdUI;
class CProfile;

class CRecentFileList {
public:
    CRecentFileList(UINT firstCommand, LPCWSTR section, LPCWSTR entryFormat, int size);

    int GetSize() const { return static_cast<int>(m_files.size()); }
    const CString& operator[](int index) const { return m_files[index]; }
    // Puts pathName first (once), dropping the oldest entry when the list is full.
    void Add(LPCWSTR pathName);
    void Remove(int index);
    // The entries "File1", "File2", ... (entryFormat) of the section; writing deletes the
    // entries beyond the list's end.
    void ReadList(CProfile& profile);
    void WriteList(CProfile& profile) const;
    // Replaces the menu item of pCmdUI by one item per file, or greys it when there is none.
    void UpdateMenu(CCmdUI* pCmdUI) const;
    // "&1 name" for the menu; long paths are shortened in the middle.
    CString GetMenuText(int index) const;

private:
    UINT m_nFirstCommand;
    CString m_strSection;
    CString m_strEntryFormat;
    int m_nMaxSize;
    CString m_strOriginalText;
    std::vector<CString> m_files;
};

#endif
