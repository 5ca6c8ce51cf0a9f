#include "dialogpicture.h"

#include <utility>

#include "framework/dpi.h"
#include "framework/module.h"

namespace {

bool IsPictureStatic(HWND hWnd) {
    wchar_t className[8] = {};
    ::GetClassNameW(hWnd, className, 8);
    return ::lstrcmpiW(className, L"Static") == 0 &&
           (::GetWindowLongW(hWnd, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
}

// Gives every picture static of dialog the bitmap (nullptr: none) and deletes what each one
// gives back, unless it is the bitmap being handed over or kept.
void HandOver(HWND dialog, HBITMAP bitmap, HBITMAP kept) {
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!IsPictureStatic(child)) continue;
        auto previous = reinterpret_cast<HBITMAP>(
            ::SendMessageW(child, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
        if (previous != nullptr && previous != bitmap && previous != kept) {
            ::DeleteObject(previous);
        }
    }
}

}  // namespace

void CDialogPicture::Show(HWND dialog, CBitmap bitmap) {
    if (dialog == nullptr || bitmap.GetSafeHandle() == nullptr) return;
    TakeBack(dialog);
    m_bitmap = std::move(bitmap);
    HandOver(dialog, static_cast<HBITMAP>(m_bitmap.GetSafeHandle()), nullptr);
}

void CDialogPicture::ShowResource(HWND dialog, LPCWSTR name) {
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(AfxGetResourceHandle(), name)) return;
    // The picture is meant at 96 DPI; the control has grown with the dialog's font, so it
    // shows the picture scaled as much.
    CBitmap scaled = ScaledToDpi(static_cast<HBITMAP>(bitmap.GetSafeHandle()), WindowDpi(dialog));
    Show(dialog, scaled.GetSafeHandle() != nullptr ? std::move(scaled) : std::move(bitmap));
}

void CDialogPicture::TakeBack(HWND dialog) {
    if (m_bitmap.GetSafeHandle() == nullptr) return;
    if (dialog != nullptr) {
        HandOver(dialog, nullptr, static_cast<HBITMAP>(m_bitmap.GetSafeHandle()));
    }
    m_bitmap.DeleteObject();
}
