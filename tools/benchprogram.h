// Every View command timed in the real lantrel.exe, driven from outside as a user would: from
// sending the command to the frame until the frame has answered (the transition is over).
#ifndef LANTREL_TOOLS_BENCHPROGRAM_H
#define LANTREL_TOOLS_BENCHPROGRAM_H

#include <windows.h>

#include <string>
#include <vector>

struct ProgramCommand {
    UINT id;
    std::vector<double> ms;  // one per run, send to answer (-1: no answer within 4 minutes)
    // For a growing shape, which way each run went, as watched on the screen: 'F' forward,
    // 'R' reversed, '?' not seen; empty for the other commands, whose two ways cost alike.
    std::string ways;
};

struct ProgramFigures {
    bool ok = false;
    std::string problem;  // why figures are missing
    bool maximised = false;
    SIZE view = {};  // the view's client size while the commands ran
    std::vector<ProgramCommand> commands;  // every View command that switches the picture
};

// Starts lantrel.exe (in ..\app next to this program's directory), maximises its frame if
// asked, gives every picture-switching View command runs times in menu order, and closes it.
ProgramFigures MeasureProgram(bool maximise, int runs);

// The client size of the view of lantrel.exe with its frame maximised (started and closed
// again), or {0, 0} if the program did not start.
SIZE MaximisedViewSize();

#endif
