// The benchmark's figures, and how they are printed and written as JSON.
#ifndef LANTREL_TOOLS_BENCHREPORT_H
#define LANTREL_TOOLS_BENCHREPORT_H

#include <windows.h>

#include <string>
#include <vector>

#include "tools/benchmesh.h"
#include "tools/benchprogram.h"
#include "tools/commandruns.h"

// One transition run through RunTransition on the benchmark's own view.
struct Result {
    CommandRun row;
    int steps = 0;
    double nominalMs = 0, wallMs = 0, medianUs = 0, worstUs = 0;
};

struct FadeFigures {
    std::vector<double> frames;  // work of each frame without its pause, both halves, in us
    int intervalMs = 0;          // one display refresh, what each frame is held for
    double frameUs = 0, frameWorstUs = 0;
    double drawUs = 0;         // the DrawDib draw of one frame, its context prepared once
    double oneShotDrawUs = 0;  // the same with a context opened and closed for the one draw
    double plainCopyUs = 0;  // a BitBlt of the same picture to the view
    double darkenUs = 0;     // one level's darkening of the whole picture
    double memcpyUs = 0;     // a memcpy of the same bytes
    double megabytes = 0;    // of the 32-bit picture
};

struct Figures {
    std::string machine;
    SIZE screen = {}, view = {};
    bool maximised = false;  // the view has the size of the program's maximised view
    std::vector<Result> results;
    FadeFigures fade;
    bool hasProgram = false, hasMesh = false;
    ProgramFigures program;
    MeshFigures mesh;
};

// Processor, processor count and platform, e.g. "AMD EPYC, 2 processors, Wine 8.0".
std::string Machine();

double Median(std::vector<double> values);
double Worst(const std::vector<double>& values);

void PrintTransitions(const Figures& figures);
void PrintProgram(const Figures& figures);
bool WriteJson(const char* path, const Figures& figures);

#endif
