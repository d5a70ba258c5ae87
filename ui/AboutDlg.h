// CMyAboutDlg: the About box, a full-screen dialog with the program's name,
// its version text and an OK button. Runs modally over the main window.
#pragma once
#include <windows.h>

#include <memory>

#include "ui/CustomBtt.h"
#include "ui/Dlg.h"
#include "ui/Gdi.h"

class CMyAboutDlg : public Dlg {
public:
    static constexpr UINT kOkCommand = 30311;

    // Picks the template for the screen (high resolution or not).
    CMyAboutDlg();

    INT_PTR DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    INT_PTR PreDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR *result) override;

    CCustomBtt *OkButton() const { return okButton_.get(); }

private:
    void OnInitDialog();
    void PlaceOkButton();
    void PaintTitleBand();

    std::unique_ptr<CCustomBtt> okButton_;
    Brush background_;
    Font titleFont_;
};
