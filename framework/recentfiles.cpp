#include "recentfiles.h"

#include "cmdtarget.h"
#include "profile.h"

namespace {

const int kMaxDisplayLength = 40;

}  // namespace

CRecentFileList::CRecentFileList(UINT firstCommand, LPCWSTR section, LPCWSTR entryFormat, int size)
    : m_nFirstCommand(firstCommand),
      m_strSection(section),
      m_strEntryFormat(entryFormat),
      m_nMaxSize(size) {}

void CRecentFileList::Add(LPCWSTR pathName) {
    if (pathName == nullptr || *pathName == L'\0') return;
    for (size_t i = 0; i < m_files.size(); ++i) {
        if (m_files[i].CompareNoCase(pathName) == 0) {
            m_files.erase(m_files.begin() + static_cast<long>(i));
            break;
        }
    }
    m_files.insert(m_files.begin(), CString(pathName));
    if (static_cast<int>(m_files.size()) > m_nMaxSize) m_files.resize(m_nMaxSize);
}

void CRecentFileList::Remove(int index) {
    if (index >= 0 && index < GetSize()) m_files.erase(m_files.begin() + index);
}

void CRecentFileList::ReadList(CProfile& profile) {
    m_files.clear();
    for (int i = 0; i < m_nMaxSize; ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        CString value = profile.GetProfileString(m_strSection, entry, L"");
        // Overlong values cannot be real paths; skip them with the empty ones.
        if (!value.IsEmpty() && value.GetLength() < 32768) m_files.push_back(value);
    }
}

void CRecentFileList::WriteList(CProfile& profile) const {
    for (int i = 0; i < m_nMaxSize; ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        if (i < GetSize()) {
            profile.WriteProfileString(m_strSection, entry, m_files[i]);
        } else {
            profile.WriteProfileString(m_strSection, entry, nullptr);
        }
    }
}

CString CRecentFileList::GetMenuText(int index) const {
    const std::wstring& path = m_files[index].Str();
    std::wstring shown = path;
    if (static_cast<int>(shown.size()) > kMaxDisplayLength) {
        size_t slash = path.find_last_of(L"\\/");
        std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
        size_t root = path.find_first_of(L"\\/");
        std::wstring head = root == std::wstring::npos ? std::wstring() : path.substr(0, root + 1);
        shown = head + L"...\\" + name;
        if (static_cast<int>(shown.size()) > kMaxDisplayLength) {
            shown = L"..." + name.substr(name.size() - (kMaxDisplayLength - 3));
        }
    }
    std::wstring escaped;
    for (wchar_t c : shown) {
        if (c == L'&') escaped += L'&';
        escaped += c;
    }
    CString text;
    text.Format(L"&%d %ls", index + 1, escaped.c_str());
    return text;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI) const {
    HMENU menu = pCmdUI->m_hMenu;
    if (menu == nullptr) {
        pCmdUI->Enable(GetSize() > 0);
        return;
    }
    auto* self = const_cast<CRecentFileList*>(this);
    if (m_strOriginalText.IsEmpty()) {
        wchar_t text[256] = {};
        ::GetMenuStringW(menu, pCmdUI->m_nIndex, text, 256, MF_BYPOSITION);
        self->m_strOriginalText = text;
    }
    // Take out every recent-file item, then put in the current ones where the first was.
    for (int i = 0; i < m_nMaxSize; ++i) {
        ::DeleteMenu(menu, m_nFirstCommand + i, MF_BYCOMMAND);
    }
    UINT position = pCmdUI->m_nIndex;
    if (m_files.empty()) {
        ::InsertMenuW(menu, position, MF_BYPOSITION | MF_STRING | MF_GRAYED, m_nFirstCommand,
                      m_strOriginalText);
    } else {
        for (int i = 0; i < GetSize(); ++i) {
            ::InsertMenuW(menu, position + i, MF_BYPOSITION | MF_STRING | MF_ENABLED,
                          m_nFirstCommand + i, GetMenuText(i));
        }
    }
    int added = m_files.empty() ? 1 : GetSize();
    pCmdUI->m_nIndex = position + added - 1;
    pCmdUI->m_nIndexMax = static_cast<UINT>(::GetMenuItemCount(menu));
    pCmdUI->m_bEnableChanged = TRUE;
}
