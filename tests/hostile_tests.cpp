// The real program against hostile conditions: random and oversized command lines, device
// names, and a maximised frame running every transition.
#include <windows.h>

#include <random>
#include <string>
#include <vector>

#include "res/resource.h"
#include "support/platform.h"
#include "support/program.h"
#include "tests/check.h"

using program::Lantrel;
using program::ShowsWindowColour;

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

// Device names open like empty files or fail like missing ones; either way nothing hangs, the
// program shows its first picture or ends quietly, and it exits cleanly.
TEST_CASE(DeviceNamesOnTheCommandLine) {
    const wchar_t* devices[] = {L"NUL", L"CON", L"COM1", L"\\\\.\\pipe\\nobody",
                                L"\\\\?\\Z:\\"};
    for (const wchar_t* device : devices) {
        Lantrel app;
        bool started = app.Start(device, 8000);
        if (started) {
            CHECK_EQ(program::ShownPicture(app), 'G');
            app.PostCommand(ID_APP_EXIT);
        }
        int code = app.WaitExit(20000);
        std::printf("  %ls: %s, exit %d\n", device, started ? "started" : "ended", code);
        CHECK_EQ(code, 0);
    }
}

TEST_CASE(MaximisedEveryTransitionShowsTheWindowColourBeyondThePicture) {
    Lantrel app;
    CHECK(app.Start());
    if (!app.Frame()) return;
    ::ShowWindow(app.Frame(), SW_MAXIMIZE);
    program::Wait(500);
    // The view fills the maximised frame's client area (so the areas below are not empty)...
    RECT client = {}, viewWindow = {};
    ::GetClientRect(app.Frame(), &client);
    ::MapWindowPoints(app.Frame(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    ::GetWindowRect(app.View(), &viewWindow);
    CHECK(::EqualRect(&client, &viewWindow));
    RECT view = app.ViewOnScreen();
    CHECK(view.right - view.left > 800 && view.bottom - view.top > 600);
    RECT beyondRight = {view.left + 800, view.top, view.right, view.bottom};
    RECT beyondBelow = {view.left, view.top + 600, view.left + 800, view.bottom};
    // ...and its own painting shows the window colour beyond the picture, before any transition.
    CHECK(ShowsWindowColour(beyondRight) && ShowsWindowColour(beyondBelow));
    for (UINT id : program::PictureCommands()) {
        app.PostCommand(id);
        program::Wait(300);  // halfway
        // The fade darkens the whole composed frame, the window colour beyond the picture too.
        bool during = id == ID_VIEW_FADE ||
                      (ShowsWindowColour(beyondRight) && ShowsWindowColour(beyondBelow));
        bool answered = app.SendCommand(0);
        CHECK(answered);
        int waited = 0;
        bool after = program::AwaitWindowColour(beyondRight, beyondBelow, waited);
        if (!during || !after || waited > 200) {
            std::printf("  command %u: answered %d, during %d, after %d (%d ms)\n", id, answered,
                        during, after, waited);
        }
        CHECK(during);
        CHECK(after);
    }
}

int main(int argc, char** argv) {
    return check::RunAllTests(argc, argv, platform::NeedWineSettings());
}
