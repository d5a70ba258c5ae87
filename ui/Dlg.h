// Dlg: the base of every dialog made from a dialog template of the program's
// resources. It runs the template modally or modeless, routes the dialog's
// messages to the object and can keep the dialog fitted to the visible
// desktop.
#pragma once
#include <windows.h>

class Dlg {
public:
    Dlg();
    // Forgets the window (a modeless dialog still open is destroyed).
    virtual ~Dlg();

    // Runs the template modally; returns the dialog's end code, 0 without a
    // template id and -1 when the template is missing or the dialog fails.
    virtual INT_PTR DoModal(HWND parent);
    // Makes, shows and updates the dialog modeless; null on failure.
    virtual HWND CreateModeless(HWND parent);
    // Message handler. Here: IDOK and IDCANCEL end the dialog with their id.
    virtual INT_PTR DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Runs before DialogProc; a non-zero return means handled, and *result is
    // what the dialog procedure returns then.
    virtual INT_PTR PreDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR *result);
    // With the fit flag set, moves the dialog onto the visible desktop.
    virtual void FitToVisibleDesktop();

    Dlg(const Dlg &) = delete;
    Dlg &operator=(const Dlg &) = delete;

    // An empty shell menu bar for the dialog, replacing the previous one;
    // destroyed with the dialog.
    void MakeMenuBar();
    // Ends a modal dialog with the code, or destroys a modeless one.
    void End(INT_PTR code);

    HWND GetHwnd() const { return hwnd_; }
    HWND MenuBar() const { return menuBar_; }
    UINT TemplateId() const { return templateId_; }
    void SetTemplateId(UINT id) { templateId_ = id; }
    bool Fit() const { return fit_; }
    void SetFit(bool fit) { fit_ = fit; }

    static INT_PTR CALLBACK RoutingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    HWND hwnd_;    // the dialog while it exists
    HWND menuBar_; // owned; destroyed with the dialog

private:
    const DLGTEMPLATE *FindTemplate() const;

    bool fit_;
    UINT templateId_;
    bool modal_;
};
