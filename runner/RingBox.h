// CRingBox: what the runner's two boxes share: the dialog template, the
// three-part background, the caption in white on one line, a back buffer,
// and being centred on top of everything.
#pragma once
#include <windows.h>

#include "BaseLib/Str.h"
#include "ui/Dlg.h"
#include "ui/Gdi.h"
#include "ui/PBufferDC.h"

class CRingBox : public Dlg {
public:
    CRingBox();

    INT_PTR DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    void SetCaption(const wchar_t *caption) { caption_ = caption; }
    const Str &Caption() const { return caption_; }
    HDC BackDC() const { return backBuffer_.Dc(); }

protected:
    // The box's own part of WM_INITDIALOG, after the common one.
    virtual void OnCreate() = 0;
    // Places the box's buttons in the client rectangle.
    virtual void PlaceButtons(const RECT &client) = 0;
    virtual void OnTimer(UINT_PTR id);
    virtual void OnCommand(UINT id) = 0;
    // Ends the modal loop (and so the runner).
    void Close();
    // Centred on the screen, on top, buttons and back buffer renewed.
    void Layout();
    void Repaint();

    RECT client_ = {};

private:
    void DrawBackground();
    void OnPaint();

    PBufferDC backBuffer_;
    Bitmap left_, middle_, right_;
    Font font_;
    Str caption_;
};
