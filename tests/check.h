// A tiny test harness for programs that run under Wine (or Windows).
//
//     TEST_CASE(PlanStepsWorkedTable) {
//         CHECK_EQ(PlanSteps(0, 0, 800, 600, sx, sy), 100);
//     }
//     int main() { return RunAllTests(); }
//
// Every failed check prints file:line and the values; the run ends with the line
// "N passed, N failed" and exits non-zero if any test failed.  A test that cannot be made on this
// machine (a screen of another size, Windows instead of Wine) ends early with SKIP_IF(reason);
// a program that cannot run here at all passes the reason to RunAllTests.  Skipped tests are
// counted apart, on a line of their own, and fail nothing.
#ifndef LANTREL_TESTS_CHECK_H
#define LANTREL_TESTS_CHECK_H

#include <cstdio>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace check {

struct TestCase {
    const char* name;
    void (*body)();
};

inline std::vector<TestCase>& Registry() {
    static std::vector<TestCase> tests;
    return tests;
}

inline int& FailuresInCurrentTest() {
    static int failures = 0;
    return failures;
}

struct Registrar {
    Registrar(const char* name, void (*body)()) { Registry().push_back({name, body}); }
};

inline std::string& SkipReason() {
    static std::string reason;
    return reason;
}

inline void Fail(const char* file, int line, const std::string& what) {
    ++FailuresInCurrentTest();
    std::printf("  %s:%d: %s\n", file, line, what.c_str());
    std::fflush(stdout);
}

template <typename T>
std::string Show(const T& value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

// Runs every test, or only those whose name contains filter (argv[1]); skips them all, saying
// why, if skipAll is not empty (a program that cannot run on this machine at all).
inline int RunAllTests(int argc = 0, char** argv = nullptr, const std::string& skipAll = "") {
    const char* filter = argc > 1 ? argv[1] : nullptr;
    int passed = 0, failed = 0, skipped = 0;
    for (const TestCase& test : Registry()) {
        if (filter && std::string(test.name).find(filter) == std::string::npos) continue;
        FailuresInCurrentTest() = 0;
        SkipReason() = skipAll;
        std::printf("[ RUN  ] %s\n", test.name);
        std::fflush(stdout);
        if (skipAll.empty()) test.body();
        if (FailuresInCurrentTest() == 0 && !SkipReason().empty()) {
            ++skipped;
            std::printf("[ SKIP ] %s: %s\n", test.name, SkipReason().c_str());
        } else if (FailuresInCurrentTest() == 0) {
            ++passed;
            std::printf("[  OK  ] %s\n", test.name);
        } else {
            ++failed;
            std::printf("[ FAIL ] %s\n", test.name);
        }
        std::fflush(stdout);
    }
    if (skipped > 0) std::printf("%d skipped\n", skipped);
    std::printf("%d passed, %d failed\n", passed, failed);
    std::fflush(stdout);
    return failed == 0 && passed + skipped > 0 ? 0 : 1;
}

}  // namespace check

#define TEST_CASE(name)                                           \
    static void name();                                           \
    static const check::Registrar name##_registrar(#name, &name); \
    static void name()

// Ends the current test as skipped if reason is not empty (support/platform.h gives reasons).
#define SKIP_IF(reason)                           \
    do {                                          \
        check::SkipReason() = (reason);           \
        if (!check::SkipReason().empty()) return; \
    } while (0)

#define CHECK(condition) \
    ((condition) ? (void)0 : check::Fail(__FILE__, __LINE__, "CHECK(" #condition ") failed"))

#define CHECK_EQ(actual, expected)                                                               \
    do {                                                                                         \
        const auto& check_a_ = (actual);                                                         \
        const auto& check_e_ = (expected);                                                       \
        if (!(check_a_ == check_e_)) {                                                           \
            check::Fail(__FILE__, __LINE__,                                                      \
                        std::string(#actual " == " #expected ": got ") + check::Show(check_a_) + \
                            ", want " + check::Show(check_e_));                                  \
        }                                                                                        \
    } while (0)

#endif
