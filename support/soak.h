// Runs the real program hard: random menu commands as a user would give them, dialogs opened
// and closed, commands given while a dialog slides; counts what the program holds.
#ifndef LANTREL_SUPPORT_SOAK_H
#define LANTREL_SUPPORT_SOAK_H

#include <string>
#include <vector>

#include "support/resources.h"

namespace soak {

struct Report {
    int commands = 0;
    std::vector<std::string> problems;  // empty when all went well
    resources::Counts early, late;      // after the first and before the last tenth
    int switches = 0;                   // picture switches the commands caused
    char finalPicture = '?';            // 'G', 'M' or '?'
    double seconds = 0;
};

// Starts lantrel.exe, runs one command of each kind to warm up, then `commands` random
// commands (seeded), and closes it.
Report Run(int commands, unsigned seed, bool verbose);

}  // namespace soak

#endif
