// What a process holds, counted from outside in a way that works under Wine as on Windows.
#ifndef LANTREL_SUPPORT_RESOURCES_H
#define LANTREL_SUPPORT_RESOURCES_H

#include <windows.h>

#include <string>

namespace resources {

struct Counts {
    int gdiObjects = -1;       // live GDI objects (-1: could not be read)
    int windows = -1;          // top-level and child windows of the process
    long long privateKb = -1;  // private memory in KiB
    int gdiByType[128] = {};   // GDI objects by the table's type (1 DC, 4 region, 9 bitmap...)
};

// The GDI object types whose count differs from `early` to `late`, as "region +6, bitmap -1".
std::string GdiGrowth(const Counts& early, const Counts& late);

// GDI objects are read from the process's GDI handle table (the PEB's GdiSharedHandleTable:
// Wine keeps one per process, Windows one per session with owner ids), because
// GetGuiResources answers 0 under Wine.
Counts Measure(HANDLE process, DWORD processId);

}  // namespace resources

#endif
