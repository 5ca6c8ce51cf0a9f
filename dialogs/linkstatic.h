// CLinkStatic: a static text control of a dialog that looks and behaves like a link in a web
// page.  Put it on an existing static control with SubclassDlgItem; the control's window text
// stays what it shows, the URL is the target (either stands in for the other while blank).
// The control is made with SS_NOTIFY (in its dialog template): STN_CLICKED "is sent when the
// user clicks a static control that has the SS_NOTIFY style", and a control's styles are
// documented as fixed once it has been created ("After the control has been created, these
// styles cannot be modified, except as noted"), so the link does not add it later.
#ifndef LANTREL_DIALOGS_LINKSTATIC_H
#define LANTREL_DIALOGS_LINKSTATIC_H

#include <windows.h>

#include "framework/cstring.h"
#include "framework/gdi.h"
#include "framework/handle.h"
#include "framework/static.h"
#include "framework/tooltip.h"

class CLinkStatic : public CStatic {
public:
    CLinkStatic();

    // The target; with a window, the control is fitted again and the tooltip shows url (and
    // so does the control, if it had no text of its own).
    void SetLinkUrl(const CString& url);
    // Visited links are drawn in the visited colour (from the next repaint, which this asks for).
    void MarkVisited(BOOL visited);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;

    // Resizes the control to its text in its own font, keeping the edge its alignment keeps.
    void FitToText();
    void LoadLinkCursor();
    // Opens url through the shell, else through the program registered for ".htm" files.
    // Returns the shell's or the launcher's code: above 32 is success.
    int OpenLink(LPCWSTR url, int showCommand);
    // The default value of root\path in out (untouched on failure); ERROR_SUCCESS or the
    // registry's error.
    static LONG ReadRegistryDefault(HKEY root, LPCWSTR path, CString& out);
    // The error box for a failed open with this code.
    void ShowOpenError(int code);
    // The message for code, as the error box shows it below its first line.
    static CString OpenErrorMessage(int code);

    void OnLinkClicked();
    HBRUSH CtlColor(CDC* pDC, UINT ctlType);
    void OnMouseMove(UINT flags, POINT point);
    BOOL OnSetCursor(HWND wnd, UINT hitTest, UINT message);
    void OnCaptureChanged(HWND gaining);

    DECLARE_MESSAGE_MAP()

    COLORREF m_crHover;  // the highlight colour when the link was made
    BOOL m_bOverLink = FALSE;
    BOOL m_bVisited = FALSE;
    CString m_strUrl;
    CFont m_font;
    // A copy of cursor 109 of our own: a cursor shared through LoadCursor must not be
    // destroyed while another link still shows it.
    UniqueCursor m_hLinkCursor;
    CToolTipCtrl m_toolTip;
    // The template gave no text: the control shows the URL, also after SetLinkUrl.
    BOOL m_bShowsUrl = FALSE;
};

#endif
