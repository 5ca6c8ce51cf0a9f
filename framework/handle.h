// One move-only owner for every kind of Win32 handle the program creates.
//
// UniqueHandle<Traits> holds a handle and closes it with Traits::Close when it goes out of
// scope or is reset.  It cannot be copied, so a handle is never closed twice; Release() hands
// the handle to someone else (for example a region given to SetWindowRgn, which the system
// owns from then on).
#ifndef LANTREL_FRAMEWORK_HANDLE_H
#define LANTREL_FRAMEWORK_HANDLE_H

#include <windows.h>

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

    // Gives up ownership without closing.
    Handle Release() {
        Handle handle = m_handle;
        m_handle = nullptr;
        return handle;
    }

    // Closes the current handle (if any) and takes the new one.
    void Reset(Handle handle = nullptr) {
        if (m_handle != nullptr && m_handle != handle) Traits::Close(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle = nullptr;
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

using UniqueRegion = UniqueHandle<GdiObjectTraits<HRGN>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueDc = UniqueHandle<DeleteDcTraits>;
using UniqueCursor = UniqueHandle<CursorTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueFile = UniqueHandle<FileTraits>;

#endif
