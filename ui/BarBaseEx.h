// CBarBaseEx: a bar of up to seven groups of image buttons and up to seven
// text labels, laid out left to right from a list of entries. A tap on a
// button posts UWM_TITLE_COMMAND with the button's command id to the owner.
#pragma once
#include <windows.h>

#include <vector>

#include "BaseLib/Str.h"
#include "ui/BarBase.h"
#include "ui/ImageButtonEx.h"

// One entry of a bar layout. Consecutive entries with the same bitmap form one
// group of buttons; an entry without a bitmap is a text label. The list ends
// with an entry whose width, height, bitmap and command are all zero.
struct BarEntry {
    int width;
    int height;
    UINT bitmapId;
    UINT commandId;
    const wchar_t *text; // labels only
};

class CBarBaseEx : public CBarBase {
public:
    static constexpr int kMaxGroups = 7;
    static constexpr int kMaxLabels = 7;

    CBarBaseEx();

    void OnLButtonDown(WPARAM keys, int x, int y) override;
    void OnLButtonUp(WPARAM keys, int x, int y) override;
    void OnMouseMove(WPARAM keys, int x, int y) override;
    void OnSize(int width, int height, UINT type) override;
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Takes the entries (up to the all-zero one), loads the groups' pictures
    // and lays them out. Entries past seven groups or labels are dropped.
    void SetLayout(const BarEntry *entries);
    void SetLabelText(int index, const wchar_t *text);
    // Label font: size in points, colour, and thin (weight 100) or bold (700).
    void SetLabelFont(int points, COLORREF color, bool thin);

    int GroupCount() const { return groupCount_; }
    const CImageButtonEx &Group(int index) const { return groups_[index]; }
    UINT GroupCommand(int group, int button) const { return commands_[group][button]; }
    int LabelCount() const { return labelCount_; }
    const RECT &LabelRect(int index) const { return labelRects_[index]; }
    int PressedGroup() const { return pressedGroup_; }
    int PressedButton() const { return pressedButton_; }

protected:
    void Paint(HDC dc, const RECT &client) override;

private:
    void Layout();
    bool HitButton(int group, int button, int x, int y) const;
    void ShowButton(int group, int button, int state);
    void EndPress();

    std::vector<BarEntry> entries_;
    std::vector<Str> entryTexts_; // owned copies of the labels' texts
    CImageButtonEx groups_[kMaxGroups];
    UINT groupBitmap_[kMaxGroups];
    UINT commands_[kMaxGroups][CImageButtonEx::kMaxButtons];
    int groupCount_;
    Str labels_[kMaxLabels];
    RECT labelRects_[kMaxLabels];
    int labelCount_;
    int pressedGroup_, pressedButton_; // -1: none
    int lostGroup_, lostButton_;       // the pressed button the stylus left
    int labelPoints_;
    COLORREF labelColor_;
    bool labelThin_;
};
