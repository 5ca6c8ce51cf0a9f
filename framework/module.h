// The program's module: the executable, which holds the resources and for which the
// framework's window classes are registered.  The framework is a static library linked into
// the program, so GetModuleHandleW(nullptr) (the file the process was created from) is that
// module, the same handle the system passes to wWinMain.
#ifndef LANTREL_FRAMEWORK_MODULE_H
#define LANTREL_FRAMEWORK_MODULE_H

#include <windows.h>

inline HINSTANCE AfxGetInstanceHandle() {
    return ::GetModuleHandleW(nullptr);
}

inline HINSTANCE AfxGetResourceHandle() {
    return AfxGetInstanceHandle();
}

#endif
