// Finding a running Lantrel's main frame from another program.
#ifndef LANTREL_TOOLS_FRAME_H
#define LANTREL_TOOLS_FRAME_H

#include <windows.h>

// The visible window titled "Lantrel" that holds a view (child id 0xE900), or nullptr.
inline HWND FindLantrelFrame() {
    HWND frame = nullptr;
    while ((frame = ::FindWindowExW(nullptr, frame, nullptr, L"Lantrel")) != nullptr) {
        if (::IsWindowVisible(frame) && ::GetDlgItem(frame, 0xE900) != nullptr) return frame;
    }
    return nullptr;
}

#endif
