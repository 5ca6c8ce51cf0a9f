// The program entry point.  Programs built on the framework compile this file in themselves:
// the C runtime's start-up code looks for wWinMain only after the libraries have been searched.
#include "app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR cmdLine, int nCmdShow) {
    return AfxWinMain(instance, cmdLine, nCmdShow);
}
