// Menu captions as the tools print them and name things after them.
#ifndef LANTREL_TOOLS_MENUCAPTION_H
#define LANTREL_TOOLS_MENUCAPTION_H

#include <windows.h>

#include <string>

#include "framework/handle.h"
#include "res/resource.h"

// An item's text as the menu shows it, without its accelerator marks and shortcut, in ANSI for
// the tools' output; item is a command id (by = MF_BYCOMMAND, found in submenus too) or a
// position (MF_BYPOSITION).  Empty if there is no such item.
inline std::string MenuItemCaption(HMENU menu, UINT item, UINT by) {
    wchar_t text[128] = {};
    ::GetMenuStringW(menu, item, text, 128, by);
    std::wstring caption;
    for (const wchar_t* c = text; *c != L'\0' && *c != L'\t'; ++c) {
        if (*c != L'&') caption += *c;
    }
    char ansi[256] = {};
    ::WideCharToMultiByte(CP_ACP, 0, caption.c_str(), -1, ansi, sizeof ansi, nullptr, nullptr);
    return ansi;
}

// The caption of command id in the main menu of this module's resources, or its number.
inline std::string MenuCaption(UINT id) {
    UniqueMenu menu(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)));
    std::string caption = menu ? MenuItemCaption(menu.Get(), id, MF_BYCOMMAND) : std::string();
    return caption.empty() ? std::to_string(id) : caption;
}

#endif
