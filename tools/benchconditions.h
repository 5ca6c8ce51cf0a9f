// What the benchmark's figures depend on, read where it runs, so that a reader can tell one run's
// conditions from another's and reproduce them: the platform, the machine and how busy it was,
// the screen, and the settings of the Wine prefix that change how Wine shows windows.
#ifndef LANTREL_TOOLS_BENCHCONDITIONS_H
#define LANTREL_TOOLS_BENCHCONDITIONS_H

#include <windows.h>

#include <cstdio>
#include <string>

struct Conditions {
    std::string platform;   // "Wine 8.0", or "Windows 10.0.19045"
    std::string processor;  // the processor's name as the system reports it
    int processors = 0;     // logical processors
    SIZE screen = {};
    int depth = 0;          // bits per pixel of the screen, as the program sees it
    std::string xScreen;    // the X server's screen it was given (LANTREL_SCREEN), or empty
    // The prefix's X11 Driver settings ("Managed", "Decorated", "ClientSideGraphics"), each
    // "N", "Y" or "unset" (Wine's default); empty on Windows.
    std::string managed, decorated, clientSideGraphics;
    std::string prefix;     // how the prefix was made (LANTREL_BENCH_PREFIX), or "not said"
    std::string loadStart, loadEnd;  // the host's load average (1, 5, 15 minutes), or "unknown"
    // The machine's speed at the work that costs most under Wine 10, at the start and the end:
    // RegionRebuildMs().
    double rebuildStartMs = 0, rebuildEndMs = 0;
    int runs = 0;           // runs of each command
};

Conditions ReadConditions(int runs);

// The host's load average, "1-minute 5-minute 15-minute", read from /proc/loadavg through
// Wine's drive Z:; "unknown" where there is none (Windows).
std::string LoadAverage();

// The least of five times a fixed region of kRebuildRectangles rectangles (rows of 80-pixel
// bricks, as the mosaic's on a 4K view) takes to be made from its data with ExtCreateRegion, in
// ms.  Wine makes a window's region again that way, in time that grows with the square of its
// rectangles, for every SetWindowRgn under Wine 10: so two machines, or one machine at two
// times, whose figures here differ, give the benchmark's region-heavy figures apart as much.
constexpr int kRebuildRectangles = 6720;
double RegionRebuildMs();

// Processor, processor count and platform, e.g. "AMD EPYC, 2 processors, Wine 8.0".
std::string Machine(const Conditions& conditions);

// text with '"' and '\\' escaped, for a JSON string.
std::string Escaped(const std::string& text);

void PrintConditions(const Conditions& conditions);
// The "conditions" member of a JSON object.
void WriteConditionsJson(FILE* file, const Conditions& conditions);

#endif
