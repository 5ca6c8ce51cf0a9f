// The runs the timing tools measure: every View transition command as the program runs it,
// forward and, where the view adds Reverse at random, reversed too.
#ifndef LANTREL_TOOLS_COMMANDRUNS_H
#define LANTREL_TOOLS_COMMANDRUNS_H

#include <windows.h>

#include <string>
#include <vector>

#include "app/commands.h"
#include "tools/menucaption.h"

struct CommandRun {
    EffectType type;
    EffectFlags flags;
    int delay;
    std::string name;  // the command's caption in the program's menu
};

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
