// A test program that leaks on purpose, to show the resource counter sees a leak:
// "leaker N" waits for the event Lantrel.Leaker.Go, makes N regions it never deletes, sets
// Lantrel.Leaker.Done and waits to be ended.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    int n = argc > 1 ? std::atoi(argv[1]) : 0;
    HANDLE go = ::CreateEventW(nullptr, TRUE, FALSE, L"Lantrel.Leaker.Go");
    HANDLE done = ::CreateEventW(nullptr, TRUE, FALSE, L"Lantrel.Leaker.Done");
    ::WaitForSingleObject(go, 30000);
    for (int i = 0; i < n; ++i) ::CreateRectRgn(0, 0, i + 1, i + 1);
    ::SetEvent(done);
    ::Sleep(30000);
    return 0;
}
