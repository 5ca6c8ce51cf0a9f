// The "Semi-Transparent Show" dialog timed in the real lantrel.exe, driven from outside as a
// user would, beside the cost of one rebuild of its mesh region on the same machine.
#ifndef LANTREL_TOOLS_BENCHMESH_H
#define LANTREL_TOOLS_BENCHMESH_H

#include <string>
#include <vector>

struct MeshFigures {
    bool ok = false;
    std::string problem;            // why a figure is missing
    int width = 0, height = 0;      // the dialog's window rectangle
    int rects = 0;                  // rectangles in its mesh region
    std::vector<double> rebuildMs;  // one region made from the mesh's data (GetWindowRgn)
    std::vector<double> paintedMs;  // command -> every gap shows the view, every mesh pixel drawn
    int gapsWrong = 0;              // gap pixels not showing the view once painted (worst run)
    std::vector<double> earlyEscapeMs;  // Escape given 0.3 s after the command -> window gone
    std::vector<double> escapeMs, enterMs, closeBoxMs;  // once painted -> window gone
    int leftOnScreen = 0;  // pixels not back to the view after closing (worst run)
};

// Starts lantrel.exe (next to this program's directory, in ..\app), maximises its frame if
// asked, shows the dialog `runs` times for each figure and closes the program.
MeshFigures MeasureMeshDialog(int runs, bool maximise);


#endif
