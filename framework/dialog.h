// CDialog: dialogs from resource templates, modal (DoModal) or modeless (Create).
//
// The object comes to its window as the dialog's init parameter, on WM_INITDIALOG: the window is
// subclassed then, so that WM_INITDIALOG and every later message reach the object's message map
// like any other window's (its map calls OnInitDialog).  What comes before (WM_SETFONT, and the
// creation messages, which the dialog procedure never sees) is the dialog manager's alone.
//
// Where a dialog first stands is decided in one place, as it is attached and before
// OnInitDialog runs: a pop-up is centred over its owner (OnInitDialog may then move it
// elsewhere); a child (WS_CHILD) stays where its template puts it in its parent.
//
// DoModal runs the framework's own modal loop, which offers every message to the
// PreTranslateMessage of the window it is for and of its parents up to the dialog (the system's
// dialog loop would not), then to IsDialogMessage.
#ifndef LANTREL_FRAMEWORK_DIALOG_H
#define LANTREL_FRAMEWORK_DIALOG_H

#include "wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* parent = nullptr);

    // Runs the dialog modally, owned by the top-level window of its parent (or by the main
    // window).  Returns the value given to EndDialog, or -1 if the dialog could not be made.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless; a WS_CHILD template becomes a child of parent.
    BOOL Create(UINT nIDTemplate, CWnd* parent = nullptr);
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    DECLARE_MESSAGE_MAP()

private:
    HWND CreateFromTemplate(UINT nIDTemplate, HWND parent);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    int m_nModalResult = -1;
    bool m_bInModalLoop = false;
    bool m_bContinueModal = false;
};

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

#endif
