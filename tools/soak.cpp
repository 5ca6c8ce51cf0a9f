// Runs Lantrel hard: `soak [COMMANDS] [SEED]` (default 1000 commands) drives the real program
// through random menu commands, dialogs and slides as a user would, then prints what went
// wrong, the objects and memory it held after the first and before the last tenth of the
// commands, and whether the view shows the picture the number of switches says it should.
// Exits 1 if anything went wrong or grew.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "support/soak.h"

int main(int argc, char** argv) {
    int commands = argc > 1 ? std::atoi(argv[1]) : 1000;
    unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10))
                             : static_cast<unsigned>(::GetTickCount());
    std::printf("soak: %d commands, seed %u\n", commands, seed);
    std::fflush(stdout);
    soak::Report report = soak::Run(commands, seed, true);

    std::printf("\n%d commands in %.0f s, %d picture switches; the view shows %c\n",
                report.commands, report.seconds, report.switches, report.finalPicture);
    std::printf("%-22s %12s %12s %8s\n", "", "first tenth", "last tenth", "growth");
    std::printf("%-22s %12d %12d %8d\n", "GDI objects", report.early.gdiObjects,
                report.late.gdiObjects, report.late.gdiObjects - report.early.gdiObjects);
    std::printf("%-22s %12d %12d %8d\n", "windows", report.early.windows, report.late.windows,
                report.late.windows - report.early.windows);
    std::printf("%-22s %12lld %12lld %8lld\n", "private memory KiB", report.early.privateKb,
                report.late.privateKb, report.late.privateKb - report.early.privateKb);
    std::string growth = resources::GdiGrowth(report.early, report.late);
    if (!growth.empty()) std::printf("GDI objects by type: %s\n", growth.c_str());
    for (const std::string& problem : report.problems)
        std::printf("problem: %s\n", problem.c_str());

    bool grew = report.late.gdiObjects > report.early.gdiObjects + 2 ||
                report.late.windows != report.early.windows ||
                report.late.privateKb > report.early.privateKb + 4096;
    std::printf("%s\n", report.problems.empty() && !grew ? "soak: clean" : "soak: FAILED");
    return report.problems.empty() && !grew ? 0 : 1;
}
