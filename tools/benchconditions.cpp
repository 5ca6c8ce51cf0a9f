#include "tools/benchconditions.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/gdi.h"

namespace {

std::string Narrow(const wchar_t* text) {
    char buffer[256] = {};
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof(buffer) - 1, nullptr, nullptr);
    return buffer;
}

std::string Platform() {
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    using WineVersion = const char*(CDECL*)();
    auto wine = reinterpret_cast<WineVersion>(
        reinterpret_cast<void*>(::GetProcAddress(ntdll, "wine_get_version")));
    if (wine != nullptr) return std::string("Wine ") + wine();
    using RtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    auto rtl = reinterpret_cast<RtlGetVersion>(
        reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetVersion")));
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (rtl != nullptr) rtl(&version);
    return "Windows " + std::to_string(version.dwMajorVersion) + "." +
           std::to_string(version.dwMinorVersion) + "." + std::to_string(version.dwBuildNumber);
}

// The processor's name: under Wine the host's own, from /proc/cpuinfo through drive Z: (the
// registry of a Wine 10 prefix here held no name), else as the system's registry holds it.
std::string Processor() {
    if (FILE* file = std::fopen("Z:\\proc\\cpuinfo", "r")) {
        char line[256];
        std::string name;
        while (name.empty() && std::fgets(line, sizeof line, file) != nullptr) {
            const char* colon = std::strchr(line, ':');
            if (std::strncmp(line, "model name", 10) == 0 && colon != nullptr) {
                name = colon + 1 + std::strspn(colon + 1, " \t");
                name = name.substr(0, name.find_last_not_of(" \r\n") + 1);
            }
        }
        std::fclose(file);
        if (!name.empty()) return name;
    }
    wchar_t cpu[128] = L"unknown processor";
    DWORD size = sizeof(cpu);
    ::RegGetValueW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
                   L"ProcessorNameString", RRF_RT_REG_SZ, nullptr, cpu, &size);
    return Narrow(cpu);
}

// One value of the prefix's X11 Driver key: its text, or "unset".
std::string X11Setting(const wchar_t* name) {
    wchar_t value[64] = {};
    DWORD size = sizeof(value);
    LSTATUS status = ::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Wine\\X11 Driver", name,
                                    RRF_RT_REG_SZ, nullptr, value, &size);
    return status == ERROR_SUCCESS ? Narrow(value) : "unset";
}

}  // namespace

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

std::string LoadAverage() {
    FILE* file = std::fopen("Z:\\proc\\loadavg", "r");
    if (file == nullptr) return "unknown";
    double one = 0, five = 0, fifteen = 0;
    int read = std::fscanf(file, "%lf %lf %lf", &one, &five, &fifteen);
    std::fclose(file);
    if (read != 3) return "unknown";
    char text[64];
    std::snprintf(text, sizeof text, "%.2f %.2f %.2f", one, five, fifteen);
    return text;
}

double RegionRebuildMs() {
    // 140 rows of 15 pixels, 48 bricks of 40 pixels a row, every other row moved by half a
    // brick: rectangles in y-x bands, as a region's data holds them.
    std::vector<char> data(sizeof(RGNDATAHEADER) + kRebuildRectangles * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    auto* rects = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
    int n = 0;
    for (int row = 0; row < kRebuildRectangles / 48; ++row) {
        for (int brick = 0; brick < 48; ++brick) {
            int x = brick * 80 + (row % 2) * 40;
            rects[n++] = RECT{x, row * 15, x + 40, row * 15 + 15};
        }
    }
    *header = RGNDATAHEADER{sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(n),
                            static_cast<DWORD>(n * sizeof(RECT)),
                            RECT{0, 0, 47 * 80 + 80, (n / 48) * 15}};
    double least = 0;
    for (int i = 0; i < 5; ++i) {
        auto start = std::chrono::steady_clock::now();
        CRgn region;
        region.Attach(::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                        reinterpret_cast<const RGNDATA*>(data.data())));
        std::chrono::duration<double, std::milli> ms = std::chrono::steady_clock::now() - start;
        if (i == 0 || ms.count() < least) least = ms.count();
    }
    return least;
}

Conditions ReadConditions(int runs) {
    Conditions conditions;
    conditions.loadStart = LoadAverage();
    conditions.rebuildStartMs = RegionRebuildMs();
    conditions.platform = Platform();
    conditions.processor = Processor();
    SYSTEM_INFO system;
    ::GetSystemInfo(&system);
    conditions.processors = static_cast<int>(system.dwNumberOfProcessors);
    conditions.screen = {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    HDC screen = ::GetDC(nullptr);
    conditions.depth = ::GetDeviceCaps(screen, BITSPIXEL);
    ::ReleaseDC(nullptr, screen);
    if (conditions.platform.rfind("Wine", 0) == 0) {
        conditions.managed = X11Setting(L"Managed");
        conditions.decorated = X11Setting(L"Decorated");
        conditions.clientSideGraphics = X11Setting(L"ClientSideGraphics");
    }
    const char* xScreen = std::getenv("LANTREL_SCREEN");
    conditions.xScreen = xScreen != nullptr ? xScreen : "";
    const char* prefix = std::getenv("LANTREL_BENCH_PREFIX");
    conditions.prefix = prefix != nullptr && *prefix != '\0' ? prefix : "not said";
    conditions.runs = runs;
    return conditions;
}

std::string Machine(const Conditions& conditions) {
    return conditions.processor + ", " + std::to_string(conditions.processors) + " processors, " +
           conditions.platform;
}

void PrintConditions(const Conditions& c) {
    std::printf("Conditions: %s; %s, %d logical processors; screen %ld x %ld, %d bits a pixel\n",
                c.platform.c_str(), c.processor.c_str(), c.processors, c.screen.cx, c.screen.cy,
                c.depth);
    if (!c.xScreen.empty()) std::printf("  X screen (Xvfb): %s\n", c.xScreen.c_str());
    if (!c.managed.empty()) {
        std::printf("  X11 Driver settings: Managed %s, Decorated %s, ClientSideGraphics %s\n",
                    c.managed.c_str(), c.decorated.c_str(), c.clientSideGraphics.c_str());
    }
    std::printf("  prefix: %s\n  load average (1, 5, 15 min) at the start: %s", c.prefix.c_str(),
                c.loadStart.c_str());
    if (!c.loadEnd.empty()) std::printf("; at the end: %s", c.loadEnd.c_str());
    std::printf("\n  a region of %d rectangles made from its data (ExtCreateRegion) at the start: "
                "%.1f ms", kRebuildRectangles, c.rebuildStartMs);
    if (c.rebuildEndMs > 0) std::printf("; at the end: %.1f ms", c.rebuildEndMs);
    std::printf("\n  each command run %d times\n\n", c.runs);
}

void WriteConditionsJson(FILE* file, const Conditions& c) {
    std::fprintf(file,
                 "  \"conditions\": {\"platform\": \"%s\", \"processor\": \"%s\", "
                 "\"processors\": %d, \"screen\": [%ld, %ld], \"depth\": %d, \"x_screen\": \"%s\", "
                 "\"managed\": \"%s\", "
                 "\"decorated\": \"%s\", \"client_side_graphics\": \"%s\", \"prefix\": \"%s\", "
                 "\"load_start\": \"%s\", \"load_end\": \"%s\", \"rebuild_start_ms\": %.2f, "
                 "\"rebuild_end_ms\": %.2f, \"runs\": %d}",
                 Escaped(c.platform).c_str(), Escaped(c.processor).c_str(), c.processors,
                 c.screen.cx, c.screen.cy, c.depth, Escaped(c.xScreen).c_str(), c.managed.c_str(), c.decorated.c_str(),
                 c.clientSideGraphics.c_str(), Escaped(c.prefix).c_str(), c.loadStart.c_str(),
                 c.loadEnd.c_str(), c.rebuildStartMs, c.rebuildEndMs, c.runs);
}
