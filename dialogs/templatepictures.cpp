#include "templatepictures.h"

#include <utility>

#include "framework/dpi.h"

namespace {

bool IsPictureStatic(HWND hWnd) {
    wchar_t className[8] = {};
    ::GetClassNameW(hWnd, className, 8);
    return ::lstrcmpiW(className, L"Static") == 0 &&
           (::GetWindowLongW(hWnd, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
}

}  // namespace

std::vector<CBitmap> TakeTemplatePictures(HWND dialog) {
    std::vector<CBitmap> pictures;
    if (dialog == nullptr) return pictures;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!IsPictureStatic(child)) continue;
        auto bitmap =
            reinterpret_cast<HBITMAP>(::SendMessageW(child, STM_GETIMAGE, IMAGE_BITMAP, 0));
        if (bitmap == nullptr) continue;
        // The template's picture is meant at 96 DPI; the control has grown with the dialog's
        // font, so it shows the picture scaled as much (kept until the dialog has gone too).
        CBitmap scaled = ScaledToDpi(bitmap, WindowDpi(dialog));
        HBITMAP shown = scaled.GetSafeHandle() != nullptr ? scaled.GetSafeHandle() : bitmap;
        ::SendMessageW(child, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown));
        CBitmap owner;
        owner.Attach(bitmap);
        pictures.push_back(std::move(owner));
        if (scaled.GetSafeHandle() != nullptr) pictures.push_back(std::move(scaled));
    }
    return pictures;
}
