// The real program against hostile conditions: random and oversized command lines, and a
// maximised frame running every transition.
#include <windows.h>

#include <random>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/check.h"
#include "tests/program.h"
#include "tests/wintest.h"

using program::Lantrel;

TEST_CASE(RandomAndOversizedCommandLinesNeverCrash) {
    std::mt19937 random(1208);
    const wchar_t pieces[] = L"ab/-\" \\:.*?<>|%&^!1xyzP";
    for (int round = 0; round < 12; ++round) {
        std::wstring arguments;
        int length = round < 3 ? 3000 * (round + 1) : static_cast<int>(random() % 200);
        for (int i = 0; i < length; ++i) arguments += pieces[random() % (sizeof(pieces) / 2 - 1)];
        Lantrel app;
        if (app.Start(arguments, 8000)) {
            app.PostCommand(ID_APP_EXIT);
        }
        int code = app.WaitExit(20000);
        if (code != 0) std::printf("  round %d (%d characters): exit %d\n", round, length, code);
        CHECK_EQ(code, 0);
    }
}

TEST_CASE(MaximisedEveryTransitionShowsTheWindowColourBeyondThePicture) {
    Lantrel app;
    CHECK(app.Start());
    if (!app.Frame()) return;
    ::ShowWindow(app.Frame(), SW_MAXIMIZE);
    program::Wait(500);
    app.SendCommand(ID_VIEW_SMOOTH_VERTICAL);  // the first transition fills the whole view
    RECT view = app.ViewOnScreen();
    unsigned window = ::GetSysColor(COLOR_WINDOW);
    unsigned rgb = ((window & 0xFF) << 16) | (window & 0xFF00) | ((window >> 16) & 0xFF);
    RECT beyondRight = {view.left + 800, view.top, view.right, view.bottom};
    RECT beyondBelow = {view.left, view.top + 600, view.left + 800, view.bottom};
    auto windowColour = [&](const RECT& area) {
        for (unsigned p : wintest::ReadScreen(area)) {
            if (p != rgb) return false;
        }
        return true;
    };
    for (UINT id : program::kTransitionCommands) {
        app.PostCommand(id);
        program::Wait(id == ID_VIEW_LENS_LIKE ? 20 : 300);  // halfway (the lens is quick)
        // The fade darkens the whole composed frame, the window colour beyond the picture too.
        bool during =
            id == ID_VIEW_FADE || (windowColour(beyondRight) && windowColour(beyondBelow));
        app.SendCommand(0);
        program::Wait(100);
        bool after = windowColour(beyondRight) && windowColour(beyondBelow);
        if (!during || !after) std::printf("  command %u: during %d after %d\n", id, during, after);
        CHECK(during);
        CHECK(after);
    }
}

int main(int argc, char** argv) {
    return check::RunAllTests(argc, argv);
}
