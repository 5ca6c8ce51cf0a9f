// Lists the commands a user can give Lantrel from its View and Dialog menus, in menu order: each
// item of those menus that the view enables, as the program's own menu enabling decides it.
// One line per command: its id, its menu and its caption, separated by tabs.  tools/gallery.sh
// records these commands and names its recordings after them.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/view.h"
#include "framework/cmdtarget.h"
#include "framework/handle.h"
#include "res/resource.h"

namespace {

// An item's text without its accelerator marks and shortcut, in ANSI for the script.
std::string Caption(HMENU menu, UINT position) {
    wchar_t text[128] = {};
    ::GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    std::wstring caption;
    for (const wchar_t* c = text; *c != L'\0' && *c != L'\t'; ++c) {
        if (*c != L'&') caption += *c;
    }
    char ansi[256] = {};
    ::WideCharToMultiByte(CP_ACP, 0, caption.c_str(), -1, ansi, sizeof ansi, nullptr, nullptr);
    return ansi;
}

// True if the view enables command id, as it does for the menu when it opens.
bool Enabled(CDorvelView& view, UINT id) {
    CCmdUI state;
    state.m_nID = id;
    state.DoUpdate(&view, TRUE);
    return state.m_bEnabled != FALSE;
}

}  // namespace

int main() {
    UniqueMenu menus(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)));
    if (!menus) return 1;
    HMENU bar = menus.Get();
    CDorvelView view;
    for (int popup = 0; popup < ::GetMenuItemCount(bar); ++popup) {
        std::string name = Caption(bar, static_cast<UINT>(popup));
        if (name != "View" && name != "Dialog") continue;
        HMENU menu = ::GetSubMenu(bar, popup);
        for (int item = 0; item < ::GetMenuItemCount(menu); ++item) {
            UINT id = ::GetMenuItemID(menu, item);
            if (id == 0 || id == static_cast<UINT>(-1) || !Enabled(view, id)) continue;
            std::printf("%u\t%s\t%s\n", id, name.c_str(),
                        Caption(menu, static_cast<UINT>(item)).c_str());
        }
    }
    return 0;
}
