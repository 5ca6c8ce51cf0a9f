// What the tests expect of the program's menu commands, one row each, written down once from the
// program's documentation and never read from the program's own tables: a test that took its
// figures from app/commands.h would move with a wrong row instead of catching it.
#ifndef LANTREL_TESTS_ORACLE_H
#define LANTREL_TESTS_ORACLE_H

#include <windows.h>

namespace oracle {

// One command.  menu: the popup holding its item ("View", "Dialog"), or nullptr: no item.
// prompt: its string-table entry ("/n" is written so, not a new line), or nullptr: none.
// type: the effect it reveals the other picture with, 0 for none (a dialog, or no handler);
// "Fade In/Out" is 12 (out), then 11 (in).  delay: pause per step in units of 5 ms.
// flags: the fixed direction bits (2 horizontal, 4 vertical); random: Reverse (1) is added at
// random, in about half of the runs.  handled: the command does something (its item enabled).
struct Command {
    UINT id;
    const wchar_t* menu;
    const wchar_t* caption;
    const wchar_t* prompt;
    int type;
    int delay;
    int flags;
    bool random;
    bool handled;
};

inline constexpr Command kCommands[] = {
    {32771, nullptr, nullptr, L"Select a mode to erase/nMode", 0, 0, 0, false, false},
    {32772, L"View", L"Vertically Smooth Away", L"Vertically erase/nVertically", 1, 2, 4, true,
     true},
    {32773, L"View", L"Horizontally Smooth Away", L"Horizontally erase/nHorizontally Smooth Away",
     1, 2, 2, true, true},
    {32774, nullptr, nullptr, L"Circle out erase/nCircle", 0, 0, 0, false, false},
    {32775, L"View", L"Circle-like", L"Circlely-like Erase/nCirclellike", 4, 2, 0, true, true},
    {32776, nullptr, nullptr, L"Door-like Erase/nDoor-like", 0, 0, 0, false, false},
    {32777, L"View", L"Door-like Vertically", L"Door-like Vertically Erase/n Door-like Vertically",
     2, 2, 4, true, true},
    {32778, L"View", L"Door-like Horizontally",
     L"Door-like Horizontally Erase/nDoor-like Horizontally", 2, 2, 2, true, true},
    {32779, L"View", L"Rect-like", L"Rect-like Erase/nRect-like", 5, 2, 0, true, true},
    {32780, L"View", L"Corner From LT RB", L"Corner From LT & RB Erase/nCorner LT RB", 3, 2, 2,
     true, true},
    {32781, L"View", L"Corner From RT LB", nullptr, 3, 2, 4, true, true},
    {32782, L"View", L"Window Blind Vertically",
     L"Window Blind Vertically Erase/nWindow Blind Vertically", 8, 5, 4, false, true},
    {32783, L"View", L"Window Blind Horizotally",
     L"Window Blind Horizontally Switch/nWindow Blind Horizontally", 8, 5, 2, false, true},
    {32784, L"View", L"Mosaic Vertically", L"Mosaic Switch Erase/nMosaic", 9, 5, 4, false, true},
    {32785, nullptr, nullptr, L"Mosaic Horizontally Switch/nMosaic Horizontally", 0, 0, 0, false,
     false},
    {32786, L"View", L"Mosaic Horizontally", nullptr, 9, 5, 2, false, true},
    {32787, L"View", L"Semi-Transparent Show", L"Semi-Transparent Show/nSemi-Transparent", 0, 0, 0,
     false, true},
    {32788, L"View", L"Random Threads", L"Random Threads Switch/nRandom Threads", 10, 2, 0, false,
     true},
    {32789, L"Dialog", L"Slid Show", L"the new picture come up with a slide window/n", 0, 0, 0,
     false, true},
    {32790, L"View", L"Fade In/Out", nullptr, 12, 2, 0, false, true},
    {32791, L"Dialog", L"Vertically Smooth Away", L"Vertically erase/nVertically", 0, 0, 0, false,
     false},
    {32792, L"View", L"Diamond-like", L"Diamond/nDiamond", 6, 2, 0, true, true},
    {32793, L"View", L"Lens like", L"Lens/nLens", 7, 0, 0, true, true},
};

// The View menu's items, top to bottom.
inline constexpr UINT kViewMenu[] = {32772, 32773, 32777, 32778, 32775, 32779, 32792, 32793, 32780,
                                     32781, 32782, 32783, 32784, 32786, 32787, 32788, 32790};

// The row of id, or nullptr.
inline const Command* Find(UINT id) {
    for (const Command& command : kCommands) {
        if (command.id == id) return &command;
    }
    return nullptr;
}

// A command that reveals the other picture step by step through window regions: every
// transition but the fade (11, 12), which draws whole frames instead.
inline bool RevealsByRegions(const Command& command) {
    return command.type != 0 && command.type != 11 && command.type != 12;
}

}  // namespace oracle

#endif
