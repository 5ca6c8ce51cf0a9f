#include "resources.h"

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace resources {

namespace {

// One entry of the GDI handle table (64-bit layout, the same in Windows and Wine).
struct GdiCell {
    ULONGLONG kernelObject;
    USHORT processId;
    USHORT count;
    USHORT upper;
    USHORT type;
    ULONGLONG userObject;
};
static_assert(sizeof(GdiCell) == 24, "64-bit GDI handle table entries");

const size_t kGdiTableEntries = 65536;
const size_t kPebGdiTableOffset = 0xF8;  // PEB.GdiSharedHandleTable on 64-bit

int CountGdi(HANDLE process, DWORD processId, int* byType) {
    using QueryFn = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic = {};
    if (query == nullptr ||
        query(process, ProcessBasicInformation, &basic, sizeof(basic), nullptr) != 0) {
        return -1;
    }
    ULONGLONG table = 0;
    SIZE_T read = 0;
    if (!::ReadProcessMemory(
            process, reinterpret_cast<const char*>(basic.PebBaseAddress) + kPebGdiTableOffset,
            &table, sizeof(table), &read) ||
        table == 0) {
        return -1;
    }
    std::vector<GdiCell> cells(kGdiTableEntries);
    size_t got = 0;
    const size_t chunk = 4096;
    while (got < cells.size()) {
        size_t n = std::min(chunk, cells.size() - got);
        if (!::ReadProcessMemory(process,
                                 reinterpret_cast<const void*>(table + got * sizeof(GdiCell)),
                                 &cells[got], n * sizeof(GdiCell), &read)) {
            break;  // the rest of the table is not mapped
        }
        got += n;
    }
    int count = 0;
    for (size_t i = 0; i < got; ++i) {
        // Wine leaves the owner id 0 in its per-process table; Windows sets it.
        bool ours = cells[i].processId == (processId & 0xFFFF) || cells[i].processId == 0;
        int type = cells[i].type & 0x7F;
        if (type != 0 && ours) {
            ++count;
            ++byType[type];
        }
    }
    return count;
}

struct WindowCount {
    DWORD processId;
    int count;
};

BOOL CALLBACK CountChild(HWND, LPARAM param) {
    ++reinterpret_cast<WindowCount*>(param)->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hWnd, LPARAM param) {
    auto* windows = reinterpret_cast<WindowCount*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hWnd, &owner);
    if (owner == windows->processId) {
        ++windows->count;
        ::EnumChildWindows(hWnd, CountChild, param);
    }
    return TRUE;
}

}  // namespace

Counts Measure(HANDLE process, DWORD processId) {
    Counts counts;
    counts.gdiObjects = CountGdi(process, processId, counts.gdiByType);
    WindowCount windows = {processId, 0};
    ::EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
    counts.windows = windows.count;
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof(memory);
    if (::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                               sizeof(memory))) {
        // PagefileUsage is the private committed memory; Wine fills it in (PrivateUsage it
        // leaves 0 for other processes), Windows gives both the same value.
        counts.privateKb = static_cast<long long>(memory.PagefileUsage / 1024);
    }
    return counts;
}

std::string GdiGrowth(const Counts& early, const Counts& late) {
    std::string growth;
    for (int type = 1; type < 128; ++type) {
        int change = late.gdiByType[type] - early.gdiByType[type];
        if (change == 0) continue;
        const char* name = nullptr;
        switch (type) {
            case 0x01: name = "DC"; break;
            case 0x04: name = "region"; break;
            case 0x05: name = "surface"; break;
            case 0x08: name = "palette"; break;
            case 0x09: name = "bitmap"; break;
            case 0x0a: name = "font"; break;
            case 0x10: name = "brush"; break;
            case 0x30: name = "pen"; break;
            case 0x41: name = "memory DC"; break;
            case 0x50: name = "extpen"; break;
        }
        char part[48];
        if (name != nullptr) {
            std::snprintf(part, sizeof(part), "%s%s %+d", growth.empty() ? "" : ", ", name,
                          change);
        } else {
            std::snprintf(part, sizeof(part), "%stype 0x%02x %+d", growth.empty() ? "" : ", ",
                          type, change);
        }
        growth += part;
    }
    return growth;
}

}  // namespace resources
