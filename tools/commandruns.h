// The runs the timing tools measure: every View transition command as the program runs it,
// forward and, where the view adds Reverse at random, reversed too.
#ifndef LANTREL_TOOLS_COMMANDRUNS_H
#define LANTREL_TOOLS_COMMANDRUNS_H

#include <windows.h>

#include <string>
#include <vector>

#include "app/commands.h"
#include "res/resource.h"

struct CommandRun {
    EffectType type;
    EffectFlags flags;
    int delay;
    std::string name;  // the command's caption in the program's menu
};

// The caption of command id in the menu of this module's resources, or its number.
inline std::string MenuCaption(UINT id) {
    HMENU menu = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    char text[128] = {};
    int length = menu != nullptr ? ::GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND) : 0;
    if (menu != nullptr) ::DestroyMenu(menu);
    return length > 0 ? std::string(text, length) : std::to_string(id);
}

inline std::vector<CommandRun> CommandRuns() {
    std::vector<CommandRun> runs;
    for (const TransitionCommand& command : kTransitionCommands) {
        std::string name = MenuCaption(command.id);
        runs.push_back({command.type, command.flags, command.delay, name});
        if (command.randomReverse) {
            runs.push_back(
                {command.type, command.flags | EffectFlags::Reverse, command.delay, name});
        }
    }
    return runs;
}

#endif
