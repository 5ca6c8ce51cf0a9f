// The program run hard for a short while, and proof that the resource counts used for that
// would see a leak.
#include <windows.h>

#include <string>

#include "support/program.h"
#include "support/resources.h"
#include "support/soak.h"
#include "tests/check.h"

TEST_CASE(TheCounterSeesAPlantedLeak) {
    HANDLE go = ::CreateEventW(nullptr, TRUE, FALSE, L"Lantrel.Leaker.Go");
    HANDLE done = ::CreateEventW(nullptr, TRUE, FALSE, L"Lantrel.Leaker.Done");
    wchar_t self[MAX_PATH] = {};
    std::wstring path(self, ::GetModuleFileNameW(nullptr, self, MAX_PATH));
    path = path.substr(0, path.find_last_of(L'\\')) + L"\\leaker.exe";  // beside this program
    std::wstring commandLine = L"\"" + path + L"\" 500";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    CHECK(::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &info));
    if (info.hProcess == nullptr) return;
    ::Sleep(1500);
    resources::Counts before = resources::Measure(info.hProcess, info.dwProcessId);
    ::SetEvent(go);
    CHECK_EQ(::WaitForSingleObject(done, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
    resources::Counts after = resources::Measure(info.hProcess, info.dwProcessId);
    std::printf("  GDI objects before %d, after leaking 500 regions %d\n", before.gdiObjects,
                after.gdiObjects);
    CHECK(before.gdiObjects > 0);
    CHECK_EQ(after.gdiObjects - before.gdiObjects, 500);
    ::TerminateProcess(info.hProcess, 0);
    ::CloseHandle(info.hProcess);
    ::CloseHandle(info.hThread);
    ::CloseHandle(go);
    ::CloseHandle(done);
}

TEST_CASE(AShortSoakLeavesNothingBehind) {
    soak::Report report = soak::Run(20, 20261208, true);
    for (const std::string& problem : report.problems) std::printf("  %s\n", problem.c_str());
    CHECK(report.problems.empty());
    CHECK_EQ(report.commands, 20);
    std::printf(
        "  %d commands in %.0f s; GDI %d -> %d, windows %d -> %d, private KiB %lld -> "
        "%lld\n",
        report.commands, report.seconds, report.early.gdiObjects, report.late.gdiObjects,
        report.early.windows, report.late.windows, report.early.privateKb, report.late.privateKb);
    std::string growth = resources::GdiGrowth(report.early, report.late);
    if (!growth.empty()) std::printf("  GDI objects by type: %s\n", growth.c_str());
    CHECK(report.early.gdiObjects > 0);
    CHECK(report.late.gdiObjects - report.early.gdiObjects <= 2);
    CHECK_EQ(report.late.windows, report.early.windows);
}

int main(int argc, char** argv) {
    return check::RunAllTests(argc, argv);
}
