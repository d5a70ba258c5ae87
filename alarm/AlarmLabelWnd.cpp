#include "alarm/AlarmLabelWnd.h"

#include "alarm/AlarmActions.h"
#include "alarm/AlarmRows.h"
#include "resource.h"
#include "ui/Subclass.h"

namespace {

// The row editor of the label picker drops the separator key.
LRESULT LabelEditorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, void *, WNDPROC next) {
    if (msg == WM_CHAR && wParam == static_cast<WPARAM>(kLabelForbidden))
        return 0;
    return CallWindowProcW(next, hwnd, msg, wParam, lParam);
}

} // namespace

CAlarmLabelWnd::CAlarmLabelWnd() : record_(nullptr), sipPref_(nullptr), editorFiltered_(false) {}

bool CAlarmLabelWnd::Open(HWND parent, AlarmTemp *record) {
    if (!record)
        return false;
    record_ = record;
    text_ = record->label;
    if (!ShowOver(parent, L"AlarmLabelWnd", IDS_LABEL, kTitleCommandDone))
        return false;
    // The platform's control that raises the input panel while a text field
    // of its parent is edited; the desktop has no such class, and the row
    // window raises the panel itself anyway.
    if (!sipPref_ && List())
        sipPref_ = CreateWindowExW(0, L"SIPPREF", L"", WS_CHILD, -10, -10, 5, 5, List()->GetHwnd(), nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    const int editable[] = {kLabelRow, -1};
    SetRows(1, editable);
    TellInputPanel(1);
    return true;
}

void CAlarmLabelWnd::DrawItem(CListWnd *, HDC dc, int row, const RECT &rect, bool pressed, int) {
    if (row != kLabelRow)
        return;
    CopyStateBackground(dc, pressed ? kRowPressed : kRowNormal, rect);
    if (text_.IsEmpty()) {
        Str caption;
        caption.LoadResourceString(IDS_LABEL);
        DrawFieldRow(dc, rect, nullptr, kNoListIcon, caption, nullptr, kAlarmEmptyColor);
    } else {
        DrawFieldRow(dc, rect, nullptr, kNoListIcon, text_, nullptr);
    }
}

void CAlarmLabelWnd::OnItemClick(CListWnd *, int, POINT, int) {}

void CAlarmLabelWnd::GetEditText(int row, Str *text, RECT *) {
    if (row != kLabelRow)
        return;
    *text = text_;
    if (!editorFiltered_ && List() && List()->Editor())
        editorFiltered_ = SubclassWindow(List()->Editor(), LabelEditorProc, nullptr);
}

// A pasted or otherwise inserted "/" is replaced in the editor itself, so
// that what the user sees is what is stored.
void CAlarmLabelWnd::SetEditText(int row, const Str &text) {
    if (row != kLabelRow)
        return;
    text_ = SafeLabel(text);
    if (text_.Length() == text.Length() && lstrcmpW(text_, text) == 0)
        return;
    HWND editor = List() ? List()->Editor() : nullptr;
    if (!editor)
        return;
    DWORD start = 0, end = 0;
    SendMessageW(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    SetWindowTextW(editor, text_);
    SendMessageW(editor, EM_SETSEL, start, end);
}

void CAlarmLabelWnd::OnRightButton() {
    Hide(); // ends the edit, which hands over the final text
    if (record_)
        record_->label = text_;
    CAlarmPage::OnRightButton();
    TellInputPanel(0);
}

void CAlarmLabelWnd::OnLeftButton() {
    Hide();
    CAlarmPage::OnLeftButton();
    TellInputPanel(0);
}
