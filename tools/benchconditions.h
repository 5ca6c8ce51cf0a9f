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
    int runs = 0;           // runs of each command
};

Conditions ReadConditions(int runs);

// The host's load average, "1-minute 5-minute 15-minute", read from /proc/loadavg through
// Wine's drive Z:; "unknown" where there is none (Windows).
std::string LoadAverage();

// Processor, processor count and platform, e.g. "AMD EPYC, 2 processors, Wine 8.0".
std::string Machine(const Conditions& conditions);

// text with '"' and '\\' escaped, for a JSON string.
std::string Escaped(const std::string& text);

void PrintConditions(const Conditions& conditions);
// The "conditions" member of a JSON object.
void WriteConditionsJson(FILE* file, const Conditions& conditions);

#endif
