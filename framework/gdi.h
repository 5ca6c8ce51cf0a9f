// GDI objects and device contexts.
//
// Ownership rules, written once:
// - CRgn, CBitmap, CBrush and CFont own their handle and delete it when they go out of scope.
//   They are move-only.  Detach() gives the handle away without deleting it: a region handed to
//   SetWindowRgn belongs to the system from then on, so detach it first.
// - SelectClipRgn and CombineRgn copy or read their operands: the region stays ours to delete.
// - CDC owns a device context it created (CreateCompatibleDC, CreateDC) and deletes it.
//   CClientDC releases a GetDC device context, CPaintDC ends the paint; both are scope objects.
// - CSelectObject selects an object into a DC and puts the previous one back when it ends.
#ifndef LANTREL_FRAMEWORK_GDI_H
#define LANTREL_FRAMEWORK_GDI_H

#include <windows.h>

#include "handle.h"

template <typename T>
class CGdiObject {
public:
    CGdiObject() = default;
    CGdiObject(CGdiObject&&) noexcept = default;
    CGdiObject& operator=(CGdiObject&&) noexcept = default;

    T GetSafeHandle() const { return m_handle.Get(); }
    operator T() const { return m_handle.Get(); }

    // Takes ownership of handle, deleting whatever was held before.
    void Attach(T handle) { m_handle.Reset(handle); }
    // Gives up ownership without deleting.
    T Detach() { return m_handle.Release(); }
    // Deletes the held object now; returns FALSE if there was none.
    BOOL DeleteObject() {
        if (!m_handle) return FALSE;
        m_handle.Reset();
        return TRUE;
    }

protected:
    BOOL Take(T handle) {
        m_handle.Reset(handle);
        return handle != nullptr;
    }

private:
    UniqueHandle<GdiObjectTraits<T>> m_handle;
};

class CRgn : public CGdiObject<HRGN> {
public:
    BOOL CreateRectRgn(int left, int top, int right, int bottom) {
        return Take(::CreateRectRgn(left, top, right, bottom));
    }
    BOOL CreateRectRgnIndirect(const RECT& rect) {
        return CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom);
    }
    BOOL CreateEllipticRgn(int left, int top, int right, int bottom) {
        return Take(::CreateEllipticRgn(left, top, right, bottom));
    }
    BOOL CreatePolygonRgn(const POINT* points, int count, int fillMode) {
        return Take(::CreatePolygonRgn(points, count, fillMode));
    }
    // this = a (mode) b; returns the region type or ERROR.  Either operand may be this.
    int CombineRgn(const CRgn* a, const CRgn* b, int mode) {
        return ::CombineRgn(GetSafeHandle(), a ? a->GetSafeHandle() : nullptr,
                            b ? b->GetSafeHandle() : nullptr, mode);
    }
    int OffsetRgn(int x, int y) { return ::OffsetRgn(GetSafeHandle(), x, y); }
    int GetRgnBox(RECT* rect) const { return ::GetRgnBox(GetSafeHandle(), rect); }
};

class CBitmap : public CGdiObject<HBITMAP> {
public:
    BOOL LoadBitmap(HINSTANCE instance, LPCWSTR name) {
        return Take(::LoadBitmapW(instance, name));
    }
    BOOL CreateCompatibleBitmap(HDC dc, int width, int height) {
        return Take(::CreateCompatibleBitmap(dc, width, height));
    }
};

class CBrush : public CGdiObject<HBRUSH> {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    BOOL CreateSolidBrush(COLORREF color) { return Take(::CreateSolidBrush(color)); }
};

class CFont : public CGdiObject<HFONT> {
public:
    BOOL CreateFontIndirect(const LOGFONTW* logFont) {
        return Take(::CreateFontIndirectW(logFont));
    }
};

class CDC {
public:
    CDC() = default;
    CDC(CDC&& other) noexcept : m_hDC(other.m_hDC), m_bOwned(other.m_bOwned) {
        other.m_hDC = nullptr;
        other.m_bOwned = false;
    }
    CDC& operator=(CDC&& other) noexcept;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC() { DeleteDC(); }

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    // A memory DC compatible with pDC (or with the screen for nullptr); owned by this object.
    BOOL CreateCompatibleDC(const CDC* pDC);
    // A DC for a device, e.g. CreateDC(L"DISPLAY", nullptr, nullptr, nullptr); owned.
    BOOL CreateDC(LPCWSTR driver, LPCWSTR device, LPCWSTR output, const DEVMODEW* init);
    // Deletes an owned DC; a borrowed one is only forgotten.
    BOOL DeleteDC();
    // Wraps a DC that someone else releases.
    void AttachBorrowed(HDC dc);
    HDC Detach();

    // Selection returns the previous handle; no wrapper objects are made for it.
    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    BOOL BitBlt(int x, int y, int width, int height, const CDC* source, int xSrc, int ySrc,
                DWORD rop) {
        return ::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, xSrc, ySrc,
                        rop);
    }
    void FillRect(const RECT* rect, HBRUSH brush) { ::FillRect(m_hDC, rect, brush); }
    COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    int SelectClipRgn(const CRgn* region) {
        return ::SelectClipRgn(m_hDC, region ? region->GetSafeHandle() : nullptr);
    }

protected:
    HDC m_hDC = nullptr;
    bool m_bOwned = false;
};

// GetDC/ReleaseDC for a window's client area.
class CClientDC : public CDC {
public:
    explicit CClientDC(HWND window);
    ~CClientDC() override;
    CClientDC(CClientDC&&) = delete;

private:
    HWND m_hWnd;
};

// BeginPaint/EndPaint.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND window);
    ~CPaintDC() override;
    CPaintDC(CPaintDC&&) = delete;
    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};

// Selects an object into a DC for the length of a scope, then puts the previous one back.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object) : m_hDC(dc), m_hPrevious(::SelectObject(dc, object)) {}
    ~CSelectObject() {
        if (m_hPrevious != nullptr && m_hPrevious != HGDI_ERROR) ::SelectObject(m_hDC, m_hPrevious);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;
    bool Selected() const { return m_hPrevious != nullptr && m_hPrevious != HGDI_ERROR; }

private:
    HDC m_hDC;
    HGDIOBJ m_hPrevious;
};

#endif
