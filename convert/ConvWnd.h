// CMyConvWnd: the unit converter screen. A selector of the category, two
// selectors of the source and target unit, and a value field under each
// unit; a change of either field converts its value into the other one at
// once. Copy and Paste serve the bottom bar's buttons.
#pragma once
#include <windows.h>

#include <memory>

#include "BaseLib/Str.h"
#include "ui/DragTracker.h"
#include "ui/NormalWnd.h"

class CMyConvCmb;
class CMyEdit;

class CMyConvWnd : public CNormalWnd {
public:
    enum : UINT {
        kCategoryListId = 38247,
        kFromListId = 38248,
        kToListId = 38249,
        kFromFieldId = 38256,
        kToFieldId = 38257,
    };

    // feedbackVibro: the frame's "Feedback Vibro" option, read at every
    // accepted choice and key (not owned; null: no pulse).
    explicit CMyConvWnd(const DWORD *feedbackVibro = nullptr);
    ~CMyConvWnd() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Places the selectors and fields, centred in the client area.
    void Layout() override;
    // Hides an open list or destroys an open digit pad (its edits dropped);
    // 1 when there was one, else 0.
    int CloseOverlay() override;

    // Puts the focused field's text (the from-field's when none is focused)
    // on the clipboard, with the locale's decimal separator.
    bool Copy() override;
    // Evaluates the clipboard's text as an arithmetic expression into the
    // focused field (the from-field when none is) and converts it; false,
    // and nothing changed, when it does not evaluate.
    bool Paste() override;

    // Choosing as the lists do it (the message UWM_LIST_CHOSEN).
    void ChooseCategory(int category);

    int Category() const { return category_; }
    int FromUnit() const { return fromUnit_; }
    int ToUnit() const { return toUnit_; }
    int OpenPopup() const { return openPopup_; }
    int FocusedList() const { return focusedList_; }
    int FocusedField() const { return focusedField_; }
    CMyConvCmb *List(UINT id) const;
    CMyEdit *Field(UINT id) const;

private:
    void Paint(HDC dc, const RECT &client) override;
    void OnCreate();
    void OnListChosen(UINT listId, int row);
    void OnListOpened(UINT listId);
    void OnFieldTapped(UINT fieldId);
    void OnKeyDown(WPARAM key, LPARAM flags);
    // Converts the other field's value into the field given.
    void ConvertToward(UINT targetFieldId);
    void Pulse() const;

    std::unique_ptr<CMyConvCmb> categoryList_; // owned
    std::unique_ptr<CMyConvCmb> fromList_;     // owned
    std::unique_ptr<CMyConvCmb> toList_;       // owned
    std::unique_ptr<CMyEdit> fromField_;       // owned
    std::unique_ptr<CMyEdit> toField_;         // owned
    const DWORD *feedbackVibro_;               // not owned
    int category_;
    int fromIndex_, toIndex_;
    int fromUnit_, toUnit_;
    int openPopup_;
    int focusedList_;
    int focusedField_;
    DragTracker drag_;
};
