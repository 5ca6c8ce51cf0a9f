#include "linkstatic.h"

#include <shellapi.h>

#include "dialogs/linkcommand.h"
#include "framework/app.h"
#include "res/resource.h"

namespace {

const UINT_PTR kLinkToolId = 1;
// The colours of a web page's links.
const COLORREF kLinkColor = RGB(0, 0, 238);
const COLORREF kVisitedColor = RGB(85, 26, 139);
const UINT kRepaint = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;

}  // namespace

BEGIN_MESSAGE_MAP(CLinkStatic, CStatic)
    ON_CONTROL_REFLECT(BN_CLICKED, OnLinkClicked)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

CLinkStatic::CLinkStatic() : m_crHover(::GetSysColor(COLOR_HIGHLIGHT)) {}

void CLinkStatic::SetLinkUrl(const CString& url) {
    m_strUrl = url;
    if (m_hWnd == nullptr) return;
    // A link that had no text of its own keeps showing its target.
    if (m_bShowsUrl) SetWindowText(m_strUrl);
    FitToText();
    m_toolTip.UpdateTipText(m_strUrl, this, kLinkToolId);
}

void CLinkStatic::MarkVisited(BOOL visited) {
    m_bVisited = visited;
    if (m_hWnd != nullptr) InvalidateRect(nullptr, TRUE);
}

void CLinkStatic::PreSubclassWindow() {
    if (m_strUrl.IsEmpty()) m_strUrl = GetWindowText();
    if (GetWindowText().IsEmpty()) {
        SetWindowText(m_strUrl);
        m_bShowsUrl = TRUE;
    }

    // A control that has no font of its own draws in the system font: underline that one.
    HFONT current = GetFont();
    if (current == nullptr) current = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    LOGFONTW logFont = {};
    if (::GetObjectW(current, sizeof(logFont), &logFont) == sizeof(logFont)) {
        logFont.lfUnderline = TRUE;
        if (m_font.CreateFontIndirect(&logFont)) SetFont(m_font, TRUE);
    }

    FitToText();
    LoadLinkCursor();

    RECT client;
    GetClientRect(&client);
    if (m_toolTip.Create(this, 0)) m_toolTip.AddTool(this, m_strUrl, &client, kLinkToolId);
    CStatic::PreSubclassWindow();
}

void CLinkStatic::FitToText() {
    if (m_hWnd == nullptr) return;
    RECT rect;
    GetWindowRect(&rect);
    HWND parent = ::GetParent(m_hWnd);
    if (parent != nullptr) ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);

    CString text = GetWindowText();
    SIZE extent = {0, 0};
    {
        CClientDC dc(m_hWnd);
        HFONT font = GetFont();
        CSelectObject selected(dc,
                               font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(SYSTEM_FONT));
        ::GetTextExtentPoint32W(dc, text, text.GetLength(), &extent);
    }

    DWORD style = GetStyle();
    if (style & SS_CENTERIMAGE) {
        int inset = ((rect.bottom - rect.top) - extent.cy) / 2;
        rect.top += inset;
        rect.bottom -= inset;
    } else {
        rect.bottom = rect.top + extent.cy;
    }
    if (style & SS_CENTER) {
        int inset = ((rect.right - rect.left) - extent.cx) / 2;
        rect.left += inset;
        rect.right -= inset;
    } else if (style & SS_RIGHT) {
        rect.left = rect.right - extent.cx;
    } else {
        rect.right = rect.left + extent.cx;
    }
    SetWindowPos(nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER);
}

void CLinkStatic::LoadLinkCursor() {
    if (m_hLinkCursor) return;
    m_hLinkCursor.Reset(
        static_cast<HCURSOR>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDC_HAND_CURSOR),
                                          IMAGE_CURSOR, 0, 0, LR_DEFAULTCOLOR)));
}

int CLinkStatic::OpenLink(LPCWSTR url, int showCommand) {
    // Nothing to open: the shell would open something of its own choosing instead.
    CString target(url);
    if (target.Str().find_first_not_of(L" \t") == std::wstring::npos) return SE_ERR_FNF;

    auto result = static_cast<int>(reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", url, nullptr, nullptr, showCommand)));
    if (result > 32) return result;

    CString htmlClass;
    if (ReadRegistryDefault(HKEY_CLASSES_ROOT, L".htm", htmlClass) != ERROR_SUCCESS) {
        return result;
    }
    CString registered;
    if (ReadRegistryDefault(HKEY_CLASSES_ROOT, htmlClass + L"\\shell\\open\\command", registered) !=
        ERROR_SUCCESS) {
        return result;
    }
    CString commandLine;
    int failure = 0;
    if (!ComposeOpenCommand(registered, target, &commandLine, &failure)) return failure;

    char ansi[kOpenCommandCapacity * 2];
    if (::WideCharToMultiByte(CP_ACP, 0, commandLine, -1, ansi, sizeof(ansi), nullptr, nullptr) ==
        0) {
        return SE_ERR_OOM;
    }
    return static_cast<int>(::WinExec(ansi, static_cast<UINT>(showCommand)));
}

LONG CLinkStatic::ReadRegistryDefault(HKEY root, LPCWSTR path, CString& out) {
    HKEY opened = nullptr;
    LONG status = ::RegOpenKeyExW(root, path, 0, KEY_QUERY_VALUE, &opened);
    if (status != ERROR_SUCCESS) return status;
    UniqueRegKey key(opened);
    // A value that does not fit is not read at all, never cut short.
    wchar_t value[MAX_PATH + 1] = {};
    LONG size = MAX_PATH * sizeof(wchar_t);
    status = ::RegQueryValueW(key.Get(), nullptr, value, &size);
    if (status == ERROR_SUCCESS) out = CString(value);
    return status;
}

CString CLinkStatic::OpenErrorMessage(int code) {
    switch (code) {
        case 0:
            return L"The operating system is out\nof memory or resources.";
        case SE_ERR_FNF:
            return L"The specified file was not found.";
        case SE_ERR_PNF:
            return L"The specified path was not found.";
        case SE_ERR_ACCESSDENIED:
            return L"The operating system denied\naccess to the specified file.";
        case SE_ERR_OOM:
            return L"There was not enough memory to complete the operation.";
        case ERROR_BAD_FORMAT:
            return L"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
        case SE_ERR_SHARE:
            return L"A sharing violation occurred. ";
        case SE_ERR_ASSOCINCOMPLETE:
            return L"The filename association is\nincomplete or invalid.";
        case SE_ERR_DDETIMEOUT:
            return L"The DDE transaction could not\nbe completed because the request timed out.";
        case SE_ERR_DDEFAIL:
            return L"The DDE transaction failed.";
        case SE_ERR_DDEBUSY:
            return L"The DDE transaction could not\nbe completed because other DDE "
                   L"transactions\nwere being processed.";
        case SE_ERR_NOASSOC:
            return L"There is no application associated\nwith the given filename extension.";
        case SE_ERR_DLLNOTFOUND:
            return L"The specified dynamic-link library was not found.";
        default: {
            CString unknown;
            unknown.Format(L"Unknown Error (%d) occurred.", code);
            return unknown;
        }
    }
}

void CLinkStatic::ShowOpenError(int code) {
    CString text = CString(L"Unable to open hyperlink:\n\n") + OpenErrorMessage(code);
    AfxMessageBox(text, MB_ICONEXCLAMATION, 0);
}

void CLinkStatic::OnLinkClicked() {
    int result = OpenLink(m_strUrl, SW_SHOW);
    m_bVisited = result > 32;
    if (m_bVisited) {
        MarkVisited(TRUE);
    } else {
        ::MessageBeep(MB_ICONEXCLAMATION);
        ShowOpenError(result);
    }
}

HBRUSH CLinkStatic::CtlColor(CDC* pDC, UINT) {
    COLORREF color = m_bOverLink ? m_crHover : (m_bVisited ? kVisitedColor : kLinkColor);
    pDC->SetTextColor(color);
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CLinkStatic::OnMouseMove(UINT, POINT point) {
    Default();
    if (m_bOverLink) {
        RECT client;
        GetClientRect(&client);
        if (!::PtInRect(&client, point)) {
            m_bOverLink = FALSE;
            ::ReleaseCapture();
            RedrawWindow(nullptr, nullptr, kRepaint);
        }
        return;
    }
    m_bOverLink = TRUE;
    RedrawWindow(nullptr, nullptr, kRepaint);
    ::SetCapture(m_hWnd);
}

void CLinkStatic::OnCaptureChanged(HWND) {
    // Capture taken away (a message box, another application): the pointer may have left
    // unseen, so the link stops showing the hover colour rather than keeping it for good.
    Default();
    if (!m_bOverLink || ::GetCapture() == m_hWnd) return;
    m_bOverLink = FALSE;
    RedrawWindow(nullptr, nullptr, kRepaint);
}

BOOL CLinkStatic::OnSetCursor(HWND, UINT, UINT) {
    if (!m_hLinkCursor) return FALSE;
    ::SetCursor(m_hLinkCursor.Get());
    return TRUE;
}

BOOL CLinkStatic::PreTranslateMessage(MSG* pMsg) {
    m_toolTip.RelayEvent(pMsg);  // the tooltip learns of the mouse only this way
    return CStatic::PreTranslateMessage(pMsg);
}
