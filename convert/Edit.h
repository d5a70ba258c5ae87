// CMyEdit: a converter value field. It holds a non-negative decimal number
// as text with '.' as decimal point (at most 19 characters), edited by
// hardware keys or, after a tap, by a digit pad over the converter; it shows
// the process-wide decimal separator in place of the '.'. Every change of
// the value is reported to the owner.
#pragma once
#include <windows.h>

#include <memory>

#include "BaseLib/Str.h"
#include "ui/DragTracker.h"
#include "ui/Gdi.h"
#include "ui/Wnd.h"

class CMyDigitPad;

class CMyEdit : public Wnd {
public:
    static constexpr UINT_PTR kPadTimer = 5;
    static constexpr DWORD kTapMs = 500; // a longer press is no tap
    static constexpr UINT kPadId = 5531;

    // owner: receives the reports (not owned). opensPad: a tap opens a digit
    // pad. padArtwork: the frame of the pad's own field.
    CMyEdit(HWND owner, bool opensPad, bool padArtwork, const DWORD *feedbackVibro = nullptr);
    ~CMyEdit() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Copies the back buffer to dc at (x, y).
    void CopyTo(HDC dc, int x, int y) const;

    // Makes the window "SkinEditWnd".
    HWND CreateField(const RECT &rect, UINT fieldId);
    // Both act on the open pad's field while a pad is open. SetValue drops
    // trailing fractional zeros; a number too long for the field is shown in
    // "%.3g" form.
    void SetValue(const wchar_t *text);
    Str Value() const;

    bool Focused() const { return focused_; }
    UINT FieldId() const { return fieldId_; }
    CMyDigitPad *Pad() const { return pad_.get(); }
    // Destroys an open pad, its edits dropped; false when none was open.
    bool ClosePad();
    // The text drawn, with the locale's decimal separator.
    Str ShownText() const;

private:
    void Paint(HDC dc, const RECT &client) override;
    void OnKeyDown(WPARAM key);
    void OnPadDone(const wchar_t *text);
    void OnRelease(HWND hwnd, LPARAM lParam);
    void OpenPad();
    void Report(UINT msg);

    HWND owner_; // not owned
    UINT fieldId_;
    bool opensPad_;
    bool padArtwork_;
    bool focused_;
    Str value_;
    const DWORD *feedbackVibro_; // not owned; handed to the pad
    std::unique_ptr<CMyDigitPad> pad_;
    // A pad that finished with "ok" goes only after its own message returns.
    std::unique_ptr<CMyDigitPad> finishedPad_;
    DWORD pressTime_;
    DragTracker drag_;
    Bitmap frame_[2][3]; // [0] normal, [1] focus look: left end, middle, right end
    Font font_;
};
