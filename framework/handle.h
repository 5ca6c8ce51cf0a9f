// One move-only owner for every kind of Win32 handle the program creates.
//
// UniqueHandle<Traits> holds a handle and closes it with Traits::Close when it goes out of
// scope or is reset.  It cannot be copied, so a handle is never closed twice; Release() hands
// the handle to someone else (for example a region given to SetWindowRgn, which the system
// owns from then on).  Most traits are empty; those whose closing needs more than the handle
// (ReleaseDC's window, EndPaint's PAINTSTRUCT) carry it, and it travels with the handle.
#ifndef LANTREL_FRAMEWORK_HANDLE_H
#define LANTREL_FRAMEWORK_HANDLE_H

#include <windows.h>

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle, Traits traits = Traits()) noexcept
        : m_handle(handle), m_traits(traits) {}
    UniqueHandle(UniqueHandle&& other) noexcept
        : m_handle(other.Release()), m_traits(other.m_traits) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Traits traits = other.m_traits;
            Reset(other.Release(), traits);
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    Handle Get() const { return m_handle; }
    const Traits& GetTraits() const { return m_traits; }
    explicit operator bool() const { return m_handle != nullptr; }

    // Gives up ownership without closing.
    Handle Release() {
        Handle handle = m_handle;
        m_handle = nullptr;
        return handle;
    }

    // Closes the current handle (if any) and takes the new one.
    void Reset(Handle handle = nullptr) {
        if (m_handle != nullptr && m_handle != handle) m_traits.Close(m_handle);
        m_handle = handle;
    }
    // The same, for a handle whose closing needs traits of its own.
    void Reset(Handle handle, const Traits& traits) {
        Reset(handle);
        m_traits = traits;
    }

private:
    Handle m_handle = nullptr;
    Traits m_traits{};
};

template <typename T>
struct GdiObjectTraits {
    using Handle = T;
    static void Close(T handle) { ::DeleteObject(handle); }
};

struct DeleteDcTraits {
    using Handle = HDC;
    static void Close(HDC handle) { ::DeleteDC(handle); }
};

// A device context from GetDC goes back to the window it came from.
struct ReleaseDcTraits {
    using Handle = HDC;
    HWND window = nullptr;
    void Close(HDC handle) const { ::ReleaseDC(window, handle); }
};

// A device context from BeginPaint ends with EndPaint and the PAINTSTRUCT BeginPaint filled.
struct EndPaintTraits {
    using Handle = HDC;
    HWND window = nullptr;
    PAINTSTRUCT paint{};
    void Close(HDC) const { ::EndPaint(window, &paint); }
};

// A selection's "handle" is the object it replaced; closing selects that object back.
struct RestoreSelectionTraits {
    using Handle = HGDIOBJ;
    HDC dc = nullptr;
    void Close(HGDIOBJ previous) const { ::SelectObject(dc, previous); }
};

struct CursorTraits {
    using Handle = HCURSOR;
    static void Close(HCURSOR handle) { ::DestroyCursor(handle); }
};

struct MenuTraits {
    using Handle = HMENU;
    static void Close(HMENU handle) { ::DestroyMenu(handle); }
};

struct RegKeyTraits {
    using Handle = HKEY;
    static void Close(HKEY handle) { ::RegCloseKey(handle); }
};

struct FileTraits {
    using Handle = HANDLE;
    // Store only valid handles: CreateFile's INVALID_HANDLE_VALUE must become nullptr first.
    static void Close(HANDLE handle) { ::CloseHandle(handle); }
};

struct HookTraits {
    using Handle = HHOOK;
    static void Close(HHOOK handle) { ::UnhookWindowsHookEx(handle); }
};

// GDI objects and device contexts have their owners in gdi.h.
using UniqueCursor = UniqueHandle<CursorTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueFile = UniqueHandle<FileTraits>;
using UniqueHook = UniqueHandle<HookTraits>;

// CreateFile's result as an owner: a failure (INVALID_HANDLE_VALUE) gives an empty one.
inline UniqueFile TakeCreatedFile(HANDLE handle) {
    return UniqueFile(handle != INVALID_HANDLE_VALUE ? handle : nullptr);
}

#endif
