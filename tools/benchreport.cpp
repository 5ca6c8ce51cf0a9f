#include "tools/benchreport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

std::string FlagLetters(EffectFlags flags) {
    std::string text;
    if (HasFlags(flags, EffectFlags::Reverse)) text += "R";
    if (HasFlags(flags, EffectFlags::Horizontal)) text += "H";
    if (HasFlags(flags, EffectFlags::Vertical)) text += "V";
    return text.empty() ? "-" : text;
}

// What a program command should take: the steps and nominal ms of its forward run on the
// benchmark's view (both halves for the fade); false if that view had another size or the
// transitions were not run.
bool Nominal(const Figures& figures, UINT id, int& steps, double& ms) {
    steps = 0;
    ms = 0;
    if (figures.program.view.cx != figures.view.cx || figures.program.view.cy != figures.view.cy) {
        return false;
    }
    const TransitionCommand* command = FindTransitionCommand(id);
    for (const Result& r : figures.results) {
        bool fade = r.row.type == EffectType::FadeIn || r.row.type == EffectType::FadeOut;
        if (command != nullptr ? r.row.type == command->type && r.row.flags == command->flags
                               : id == ID_VIEW_FADE && fade) {
            steps += r.steps;
            ms += r.nominalMs;
            if (command != nullptr) break;
        }
    }
    return steps > 0;
}

// The values, rounded to whole numbers, separated by commas.
std::string List(const std::vector<double>& values) {
    std::string text;
    for (double v : values) text += (text.empty() ? "" : ", ") + std::to_string(std::lround(v));
    return text;
}

// "1 of 3" for the runs seen reversed (and "(1 not seen)"), or "" for a command not watched.
std::string Reversed(const std::string& ways) {
    if (ways.empty()) return "";
    auto count = [&](char way) { return std::count(ways.begin(), ways.end(), way); };
    std::string text = std::to_string(count('R')) + " of " + std::to_string(ways.size());
    if (count('?') > 0) text += " (" + std::to_string(count('?')) + " not seen)";
    return text;
}

}  // namespace

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    size_t half = values.size() / 2;
    return values.size() % 2 == 1 ? values[half] : (values[half - 1] + values[half]) / 2;
}

double Worst(const std::vector<double>& values) {
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

double Least(const std::vector<double>& values) {
    return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

void PrintTransitions(const Figures& figures) {
    std::printf("Transitions on a %ld x %ld view%s, %ld x %ld screen; %s; wall ms least, median\n"
                "and most of %d runs; work per step over every step of every run\n\n",
                figures.view.cx, figures.view.cy,
                figures.maximised ? " (the program's, maximised)" : "", figures.screen.cx,
                figures.screen.cy, figures.machine.c_str(), figures.conditions.runs);
    std::printf(
        "| type | transition | flags | delay | steps | nominal ms | wall ms least | median "
        "| most | work/step median us | worst us |\n");
    std::printf("|---:|---|---|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (const Result& r : figures.results) {
        std::printf("| %d | %s | %s | %d | ", static_cast<int>(r.row.type), r.row.name.c_str(),
                    FlagLetters(r.row.flags).c_str(), r.row.delay);
        if (r.steps == 0) {
            std::printf("no steps | | %.0f | %.0f | %.0f | | |\n", Least(r.wallRunsMs), r.wallMs,
                        Worst(r.wallRunsMs));
        } else {
            std::printf("%d | %.0f | %.0f | %.0f | %.0f | %.0f | %.0f |\n", r.steps, r.nominalMs,
                        Least(r.wallRunsMs), r.wallMs, Worst(r.wallRunsMs), r.medianUs, r.worstUs);
        }
    }
    const FadeFigures& fade = figures.fade;
    std::printf(
        "\nSteps of the fade are its frames, each held for one display refresh (%.2f ms), as is\n"
        "each step of a transition with delay 0; work per step leaves that pause out.\n",
        fade.intervalMs);
    if (fade.frames.empty()) return;
    std::printf("\nFade frame, median: %.0f us (worst %.0f), %.0f%% of the %.2f ms refresh.\n",
                fade.frameUs, fade.frameWorstUs, fade.frameUs / (fade.intervalMs * 10.0),
                fade.intervalMs);
    std::printf("Its parts: the picture's busy part (%ld x %ld, the rest one flat colour) "
                "darkened %.0f us,\ndrawn through DrawDib %.0f us; the flat rest filled %.0f us.\n",
                fade.busy.cx, fade.busy.cy, fade.darkenUs, fade.drawUs, fade.fillUs);
    std::printf("The whole %ld x %ld picture (%.2f MB): DrawDib draw %.0f us (with a context opened\n"
                "and closed for the draw %.0f us), BitBlt to the view %.0f us, memcpy %.0f us.\n",
                figures.view.cx, figures.view.cy, fade.megabytes, fade.wholeDrawUs,
                fade.oneShotDrawUs, fade.plainCopyUs, fade.memcpyUs);
    std::printf("From the start of the fade to its first frame drawn: %s ms (out, in, run after run).\n"
                "A transition that only composes the picture and copies it whole: %.0f ms.\n",
                List(fade.setupMs).c_str(), fade.bareTransitionMs);
}

void PrintProgram(const Figures& figures) {
    const ProgramFigures& program = figures.program;
    if (!program.ok) {
        std::printf("\nThe program: %s\n", program.problem.c_str());
        return;
    }
    std::printf("\nEvery command in lantrel.exe, its view %ld x %ld%s: from sending the command\n"
                "to the frame's answer, least, median and most of %zu runs (Reverse as the\n"
                "program draws it at random: for the growing shapes, which cost about twice as\n"
                "much reversed, the runs seen reversed), and each against the nominal time: steps\n"
                "and nominal of the forward run on the benchmark's view.\n\n",
                program.view.cx, program.view.cy, program.maximised ? " (maximised)" : "",
                program.commands.empty() ? 0 : program.commands[0].ms.size());
    std::printf("| command | steps | nominal ms | reversed | least ms | median ms | most ms "
                "| x nominal: least | median | most |\n");
    std::printf("|---|---:|---:|---|---:|---:|---:|---:|---:|---:|\n");
    for (const ProgramCommand& command : program.commands) {
        int steps = 0;
        double nominal = 0;
        double spread[3] = {Least(command.ms), Median(command.ms), Worst(command.ms)};
        std::printf("| %s | ", MenuCaption(command.id).c_str());
        if (Nominal(figures, command.id, steps, nominal)) {
            std::printf("%d | %.0f | ", steps, nominal);
        } else {
            std::printf(" | | ");
        }
        std::printf("%s | %.0f | %.0f | %.0f |", Reversed(command.ways).c_str(), spread[0],
                    spread[1], spread[2]);
        for (double ms : spread) {
            if (nominal > 0) std::printf(" %.2f", ms / nominal);
            std::printf(" |");
        }
        std::printf("\n");
    }
}

namespace {

void WriteTransitionsJson(FILE* file, const Figures& figures) {
    std::fprintf(file, ",\n  \"transitions\": [\n");
    for (size_t i = 0; i < figures.results.size(); ++i) {
        const Result& r = figures.results[i];
        std::fprintf(file,
                     "    {\"type\": %d, \"name\": \"%s\", \"flags\": \"%s\", \"delay\": %d, "
                     "\"steps\": %d, \"nominal_ms\": %.1f, \"wall_ms\": %.1f, "
                     "\"wall_runs_ms\": [%s], \"work_median_us\": %.1f, "
                     "\"work_worst_us\": %.1f}%s\n",
                     static_cast<int>(r.row.type), Escaped(r.row.name).c_str(),
                     FlagLetters(r.row.flags).c_str(), r.row.delay, r.steps, r.nominalMs, r.wallMs,
                     List(r.wallRunsMs).c_str(), r.medianUs, r.worstUs,
                     i + 1 < figures.results.size() ? "," : "");
    }
    const FadeFigures& fade = figures.fade;
    std::fprintf(file,
                 "  ],\n  \"fade\": {\"refresh_interval_ms\": %.3f, \"frame_median_us\": %.1f, "
                 "\"frame_worst_us\": %.1f, \"busy\": [%ld, %ld], \"darken_us\": %.1f, "
                 "\"drawdib_us\": %.1f, \"fill_us\": %.1f, \"whole_drawdib_us\": %.1f, "
                 "\"whole_drawdib_one_shot_us\": %.1f, \"whole_bitblt_us\": %.1f, "
                 "\"whole_memcpy_us\": %.1f, \"megabytes\": %.2f, \"setup_ms\": [%s], "
                 "\"bare_transition_ms\": %.1f}",
                 fade.intervalMs, fade.frameUs, fade.frameWorstUs, fade.busy.cx, fade.busy.cy,
                 fade.darkenUs, fade.drawUs, fade.fillUs, fade.wholeDrawUs, fade.oneShotDrawUs,
                 fade.plainCopyUs, fade.memcpyUs, fade.megabytes, List(fade.setupMs).c_str(),
                 fade.bareTransitionMs);
}

void WriteProgramJson(FILE* file, const Figures& figures) {
    const ProgramFigures& program = figures.program;
    std::fprintf(file, ",\n  \"program\": {\"ok\": %s, \"problem\": \"%s\", \"maximised\": %s, "
                 "\"view\": [%ld, %ld], \"commands\": [\n",
                 program.ok ? "true" : "false", Escaped(program.problem).c_str(),
                 program.maximised ? "true" : "false", program.view.cx, program.view.cy);
    for (size_t i = 0; i < program.commands.size(); ++i) {
        const ProgramCommand& command = program.commands[i];
        int steps = 0;
        double nominal = 0;
        Nominal(figures, command.id, steps, nominal);
        std::string runs;
        for (double ms : command.ms) runs += (runs.empty() ? "" : ", ") + std::to_string(ms);
        std::fprintf(file,
                     "    {\"id\": %u, \"name\": \"%s\", \"steps\": %d, \"nominal_ms\": %.1f, "
                     "\"median_ms\": %.1f, \"runs_ms\": [%s], \"ways\": \"%s\"}%s\n",
                     command.id, Escaped(MenuCaption(command.id)).c_str(), steps, nominal,
                     Median(command.ms), runs.c_str(), command.ways.c_str(),
                     i + 1 < program.commands.size() ? "," : "");
    }
    std::fprintf(file, "  ]}");
}

}  // namespace

bool WriteJson(const char* path, const Figures& figures) {
    FILE* file = std::fopen(path, "w");
    if (file == nullptr) return false;
    std::fprintf(file,
                 "{\n  \"machine\": \"%s\",\n  \"screen\": [%ld, %ld],\n  \"client\": [%ld, %ld],"
                 "\n  \"maximised\": %s,\n",
                 Escaped(figures.machine).c_str(), figures.screen.cx, figures.screen.cy,
                 figures.view.cx, figures.view.cy, figures.maximised ? "true" : "false");
    WriteConditionsJson(file, figures.conditions);
    if (!figures.results.empty()) WriteTransitionsJson(file, figures);
    if (figures.hasProgram) WriteProgramJson(file, figures);
    if (figures.hasMesh) {
        std::fprintf(file, ",\n");
        WriteMeshJson(file, figures.mesh);
    }
    std::fprintf(file, "\n}\n");
    return std::fclose(file) == 0;
}

void PrintMesh(const MeshFigures& mesh) {
    if (!mesh.ok) {
        std::printf("\n\"Semi-Transparent Show\": not measured (%s)\n", mesh.problem.c_str());
        return;
    }
    double rebuild = Median(mesh.rebuildMs);
    std::printf(
        "\n\"Semi-Transparent Show\" in lantrel.exe: the %d x %d dialog, a mesh of %d "
        "rectangles\n\n",
        mesh.width, mesh.height, mesh.rects);
    std::printf("| figure | median ms | runs ms |\n|---|---:|---|\n");
    auto row = [](const char* name, const std::vector<double>& values) {
        std::printf("| %s | %.0f | %s |\n", name, Median(values), List(values).c_str());
    };
    row("one rebuild of the mesh region (GetWindowRgn)", mesh.rebuildMs);
    row("command to fully painted", mesh.paintedMs);
    row("Escape 0.3 s after the command, to closed", mesh.earlyEscapeMs);
    row("painted: Escape to closed", mesh.escapeMs);
    row("painted: Enter to closed", mesh.enterMs);
    row("painted: close box to closed", mesh.closeBoxMs);
    std::printf(
        "\nPainted = every gap shows the view (%d gap pixels did not) and the picture holds\n"
        "still.  Painted %.1f rebuilds after the command.  Pixels not back to the view\n"
        "2 s after closing: %d.\n",
        mesh.gapsWrong, Median(mesh.paintedMs) / rebuild, mesh.leftOnScreen);
}

void WriteMeshJson(FILE* file, const MeshFigures& mesh) {
    auto list = [&](const char* name, const std::vector<double>& values, const char* end) {
        std::fprintf(file, "    \"%s\": [%s]%s\n", name, List(values).c_str(), end);
    };
    std::fprintf(file, "  \"mesh_dialog\": {\n    \"measured\": %s,\n", mesh.ok ? "true" : "false");
    std::fprintf(file, "    \"window\": [%d, %d],\n    \"rects\": %d,\n", mesh.width, mesh.height,
                 mesh.rects);
    list("rebuild_ms", mesh.rebuildMs, ",");
    list("painted_ms", mesh.paintedMs, ",");
    list("escape_at_300ms_to_closed_ms", mesh.earlyEscapeMs, ",");
    list("painted_escape_ms", mesh.escapeMs, ",");
    list("painted_enter_ms", mesh.enterMs, ",");
    list("painted_close_box_ms", mesh.closeBoxMs, ",");
    std::fprintf(file, "    \"gap_pixels_wrong\": %d,\n    \"left_on_screen\": %d\n  }",
                 mesh.gapsWrong, mesh.leftOnScreen);
}
