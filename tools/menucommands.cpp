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
#include "tools/menucaption.h"

namespace {

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
        std::string name = MenuItemCaption(bar, static_cast<UINT>(popup), MF_BYPOSITION);
        if (name != "View" && name != "Dialog") continue;
        HMENU menu = ::GetSubMenu(bar, popup);
        for (int item = 0; item < ::GetMenuItemCount(menu); ++item) {
            UINT id = ::GetMenuItemID(menu, item);
            if (id == 0 || id == static_cast<UINT>(-1) || !Enabled(view, id)) continue;
            std::printf("%u\t%s\t%s\n", id, name.c_str(),
                        MenuItemCaption(menu, static_cast<UINT>(item), MF_BYPOSITION).c_str());
        }
    }
    return 0;
}
