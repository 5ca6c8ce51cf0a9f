#include "tools/benchprogram.h"

#include <chrono>
#include <cstdio>

#include "res/resource.h"
#include "support/program.h"

namespace {

using Clock = std::chrono::steady_clock;

// The program started, its frame maximised if asked and settled; false if it did not start.
bool StartProgram(program::Lantrel& app, bool maximise) {
    if (!app.Start()) return false;
    if (maximise) {
        ::ShowWindow(app.Frame(), SW_MAXIMIZE);
        program::Wait(500);
    }
    return true;
}

SIZE ClientSize(HWND hWnd) {
    RECT client = {};
    ::GetClientRect(hWnd, &client);
    return SIZE{client.right - client.left, client.bottom - client.top};
}

void Finish(program::Lantrel& app) {
    app.PostCommand(ID_APP_EXIT);
    if (app.WaitExit(60000) < 0) app.Kill();
}

}  // namespace

SIZE MaximisedViewSize() {
    program::Lantrel app;
    if (!StartProgram(app, true)) return SIZE{0, 0};
    SIZE size = ClientSize(app.View());
    Finish(app);
    return size;
}

ProgramFigures MeasureProgram(bool maximise, int runs) {
    ProgramFigures figures;
    figures.maximised = maximise;
    program::Lantrel app;
    if (!StartProgram(app, maximise)) {
        figures.problem = "lantrel.exe did not start";
        return figures;
    }
    figures.view = ClientSize(app.View());
    for (UINT id : program::PictureCommands()) figures.commands.push_back({id, {}});
    // Run after run through the menu, so that a passing disturbance of a shared machine spreads
    // over the commands instead of falling on all the runs of one.
    for (int run = 0; run < runs && app.Running(); ++run) {
        for (ProgramCommand& command : figures.commands) {
            program::Wait(200);  // what the last command asked to be repainted, done
            auto start = Clock::now();
            bool answered = app.SendCommand(command.id, 240000);
            double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            command.ms.push_back(answered ? ms : -1);
            std::printf("  program, command %u: %.0f ms\n", command.id, ms);
        }
    }
    if (!app.Running()) figures.problem = "lantrel.exe ended while the commands ran";
    Finish(app);
    figures.ok = figures.problem.empty();
    return figures;
}
