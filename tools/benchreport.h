// The benchmark's figures, and how they are printed and written as JSON.
#ifndef LANTREL_TOOLS_BENCHREPORT_H
#define LANTREL_TOOLS_BENCHREPORT_H

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/benchconditions.h"
#include "tools/benchmesh.h"
#include "tools/benchprogram.h"
#include "tools/commandruns.h"

// One transition run through RunTransition on the benchmark's own view, run after run: the
// whole transition's wall time of each run (wallMs their median), and the work of its steps
// without the pause, median and worst over every step of every run.
struct Result {
    CommandRun row;
    int steps = 0;
    double nominalMs = 0, wallMs = 0, medianUs = 0, worstUs = 0;
    std::vector<double> wallRunsMs, workUs;
};

struct FadeFigures {
    std::vector<double> frames;  // work of each frame without its pause, both halves, in us
    double intervalMs = 0;       // one display refresh, what each frame is held for
    double frameUs = 0, frameWorstUs = 0;
    // A frame's parts as the fade draws it: the picture's busy part (all but a flat margin)
    // darkened and drawn through DrawDib, the flat margin filled.
    SIZE busy = {};
    double darkenUs = 0, drawUs = 0, fillUs = 0;
    // The whole picture: drawn through DrawDib prepared once, and with a context opened and
    // closed for the one draw; copied to the view with BitBlt; copied in memory.
    double wholeDrawUs = 0, oneShotDrawUs = 0, plainCopyUs = 0, memcpyUs = 0;
    double megabytes = 0;  // of the whole 32-bit picture
    // From the fade's start to its first frame drawn (reading the picture, finding its busy
    // part, preparing DrawDib, the first frame), each half; and a transition that only
    // composes the picture and copies it (RunTransition of a type without an effect), median.
    std::vector<double> setupMs;
    double bareTransitionMs = 0;
};

struct Figures {
    Conditions conditions;
    std::string machine;
    SIZE screen = {}, view = {};
    bool maximised = false;  // the view has the size of the program's maximised view
    std::vector<Result> results;
    FadeFigures fade;
    bool hasProgram = false, hasMesh = false;
    ProgramFigures program;
    MeshFigures mesh;
};

// The middle value, or the mean of the two middle ones; 0 for none.
double Median(std::vector<double> values);
double Worst(const std::vector<double>& values);
double Least(const std::vector<double>& values);

void PrintTransitions(const Figures& figures);
void PrintProgram(const Figures& figures);
bool WriteJson(const char* path, const Figures& figures);

// The mesh dialog's figures as a table on standard output, and as the "mesh_dialog" member of a
// JSON object.
void PrintMesh(const MeshFigures& mesh);
void WriteMeshJson(FILE* file, const MeshFigures& mesh);

#endif
