// GDI objects and device contexts.
//
// Ownership rules, written once:
// - CRgn, CBitmap, CBrush and CFont own their handle and delete it when they go out of scope.
//   They are move-only.  Detach() gives the handle away without deleting it: a region handed to
//   SetWindowRgn belongs to the system from then on, so detach it first.
// - SelectClipRgn and CombineRgn copy or read their operands: the region stays ours to delete.
// - CDC only refers to a device context; every drawing function takes a CDC*.  The owners
//   derive from it: CCreatedDC deletes a DC it created (move-only), CClientDC releases a GetDC
//   DC and CPaintDC ends the paint (scope objects, not movable).
// - CSelection selects objects into a DC and puts the one it first replaced back when it is
//   reset or ends; it moves, so an object can hold it (a memory DC's picture).  CSelectObject is
//   the same for one scope.  Declared after the owners of the DC and of what it selects, it
//   ends first: nothing selected is ever deleted.
#ifndef LANTREL_FRAMEWORK_GDI_H
#define LANTREL_FRAMEWORK_GDI_H

#include <windows.h>

#include <utility>

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
    // Not another owner (it would reach Attach(T) through operator T and delete the handle when
    // it ends): Detach() it, or move it.
    void Attach(const CGdiObject&) = delete;
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

// A device context someone else owns, as every drawing function takes it (a CDC*).  It neither
// creates nor releases anything, and is neither copied nor rebound: a CDC* always shows the DC
// of the object it points to.
class CDC {
public:
    CDC() = default;
    explicit CDC(HDC dc) : m_hDC(dc) {}
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

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
};

// A device context held by a UniqueHandle<Traits>, usable wherever a CDC is expected; the CDC
// part always shows the handle held.
template <typename Traits>
class COwnedDC : public CDC {
public:
    COwnedDC(const COwnedDC&) = delete;
    COwnedDC& operator=(const COwnedDC&) = delete;

protected:
    COwnedDC() = default;
    COwnedDC(COwnedDC&& other) noexcept : m_owner(std::move(other.m_owner)) {
        m_hDC = m_owner.Get();
        other.m_hDC = nullptr;
    }
    COwnedDC& operator=(COwnedDC&& other) noexcept {
        if (this != &other) {
            m_owner = std::move(other.m_owner);
            m_hDC = m_owner.Get();
            other.m_hDC = nullptr;
        }
        return *this;
    }
    // Closes the DC held (if any) through its traits and takes dc.
    void Reset(HDC dc = nullptr, const Traits& traits = Traits()) {
        m_owner.Reset(dc, traits);
        m_hDC = dc;
    }
    const Traits& GetTraits() const { return m_owner.GetTraits(); }

private:
    UniqueHandle<Traits> m_owner;
};

// A DC this program created (CreateCompatibleDC, CreateDC), deleted with DeleteDC.  Move-only.
class CCreatedDC : public COwnedDC<DeleteDcTraits> {
public:
    CCreatedDC() = default;
    CCreatedDC(CCreatedDC&&) noexcept = default;
    CCreatedDC& operator=(CCreatedDC&&) noexcept = default;

    // A memory DC compatible with pDC (or with the screen for nullptr).
    BOOL CreateCompatibleDC(const CDC* pDC) {
        Reset(::CreateCompatibleDC(pDC ? pDC->GetSafeHdc() : nullptr));
        return m_hDC != nullptr;
    }
    // A DC for a device, e.g. CreateDC(L"DISPLAY", nullptr, nullptr, nullptr).
    BOOL CreateDC(LPCWSTR driver, LPCWSTR device, LPCWSTR output, const DEVMODEW* init) {
        Reset(::CreateDCW(driver, device, output, init));
        return m_hDC != nullptr;
    }
    // Deletes the DC now; returns FALSE if there was none.
    BOOL DeleteDC() {
        if (m_hDC == nullptr) return FALSE;
        Reset();
        return TRUE;
    }
};

// GetDC/ReleaseDC for a window's client area (the screen's for nullptr), for one scope.
class CClientDC : public COwnedDC<ReleaseDcTraits> {
public:
    explicit CClientDC(HWND window) { Reset(::GetDC(window), ReleaseDcTraits{window}); }
    CClientDC(CClientDC&&) = delete;
};

// BeginPaint/EndPaint, for one scope; the PAINTSTRUCT stays with the DC for EndPaint.
class CPaintDC : public COwnedDC<EndPaintTraits> {
public:
    explicit CPaintDC(HWND window);
    CPaintDC(CPaintDC&&) = delete;
    const PAINTSTRUCT& PaintStruct() const { return GetTraits().paint; }
};

// A selection an object can hold: selects into a DC, and puts back what its first selection
// replaced when reset, moved over or destroyed.  Move-only.  Declare it after the owners of the
// DC and of what it selects, so it ends before either is deleted.
class CSelection {
public:
    CSelection() = default;
    CSelection(HDC dc, HGDIOBJ object) { Select(dc, object); }
    CSelection(CSelection&&) noexcept = default;
    CSelection& operator=(CSelection&&) noexcept = default;

    // Selects object into dc; false if it could not be selected.  A selection held in another
    // DC is put back first; in the same DC, what this one selected before is simply replaced.
    bool Select(HDC dc, HGDIOBJ object);
    // Puts back what the first selection replaced.
    void Reset() { m_previous.Reset(); }
    bool Selected() const { return static_cast<bool>(m_previous); }

private:
    UniqueHandle<RestoreSelectionTraits> m_previous;
};

// Selects an object into a DC for the length of a scope, then puts the previous one back.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object) : m_selection(dc, object) {}
    CSelectObject(CSelectObject&&) = delete;
    bool Selected() const { return m_selection.Selected(); }

private:
    CSelection m_selection;
};

#endif
