#include "ui/BarBaseEx.h"

#include "ui/CellPainter.h"
#include "ui/Messages.h"

CBarBaseEx::CBarBaseEx()
    : groupBitmap_(), commands_(), groupCount_(0), labelRects_(), labelCount_(0), pressedGroup_(-1), pressedButton_(-1),
      lostGroup_(-1), lostButton_(-1), labelPoints_(9), labelColor_(RGB(77, 77, 77)), labelThin_(false) {}

void CBarBaseEx::SetLayout(const BarEntry *entries) {
    entries_.clear();
    entryTexts_.clear();
    for (const BarEntry *e = entries; e && (e->width || e->height || e->bitmapId || e->commandId); ++e) {
        entries_.push_back(*e);
        entryTexts_.push_back(Str(e->text));
    }
    // Groups and their pictures; positions follow in Layout.
    for (CImageButtonEx &g : groups_)
        g.Clear();
    groupCount_ = 0;
    labelCount_ = 0;
    UINT commandsOf[kMaxGroups][CImageButtonEx::kMaxButtons] = {};
    SIZE imageOf[kMaxGroups] = {};
    int buttonsOf[kMaxGroups] = {};
    for (size_t i = 0; i < entries_.size(); ++i) {
        const BarEntry &e = entries_[i];
        if (!e.bitmapId) {
            if (labelCount_ < kMaxLabels)
                labels_[labelCount_++] = entryTexts_[i];
            continue;
        }
        const bool joins = groupCount_ > 0 && groupBitmap_[groupCount_ - 1] == e.bitmapId &&
                           buttonsOf[groupCount_ - 1] < CImageButtonEx::kMaxButtons;
        if (!joins) {
            if (groupCount_ == kMaxGroups)
                continue;
            groupBitmap_[groupCount_] = e.bitmapId;
            imageOf[groupCount_] = SIZE{e.width, e.height};
            ++groupCount_;
        }
        const int g = groupCount_ - 1;
        commandsOf[g][buttonsOf[g]++] = e.commandId;
    }
    for (int g = 0; g < groupCount_; ++g) {
        groups_[g].LoadImages(groupBitmap_[g], imageOf[g].cx, imageOf[g].cy);
        for (int b = 0; b < buttonsOf[g]; ++b) {
            commands_[g][b] = commandsOf[g][b];
            groups_[g].AddButton(RECT{});
        }
    }
    pressedGroup_ = pressedButton_ = lostGroup_ = lostButton_ = -1;
    Layout();
    Redraw();
}

// Left to right in the order of the entries, each centred vertically.
void CBarBaseEx::Layout() {
    const int height = client_.bottom - client_.top;
    int x = client_.left;
    int group = -1, button = 0, label = 0;
    UINT lastBitmap = 0;
    for (const BarEntry &e : entries_) {
        RECT rc = {x, client_.top + (height - e.height) / 2, x + e.width,
                   client_.top + (height - e.height) / 2 + e.height};
        if (!e.bitmapId) {
            if (label < kMaxLabels)
                labelRects_[label++] = rc;
            x += e.width;
            continue;
        }
        if (group >= 0 && e.bitmapId == lastBitmap && button < groups_[group].Count()) {
            // same group
        } else {
            if (group + 1 >= groupCount_)
                continue; // dropped in SetLayout
            ++group;
            button = 0;
            lastBitmap = e.bitmapId;
        }
        groups_[group].SetButtonRect(button++, rc);
        x += e.width;
    }
}

void CBarBaseEx::SetLabelText(int index, const wchar_t *text) {
    if (index < 0 || index >= labelCount_)
        return;
    labels_[index] = text;
    Redraw();
}

void CBarBaseEx::SetLabelFont(int points, COLORREF color, bool thin) {
    labelPoints_ = points;
    labelColor_ = color;
    labelThin_ = thin;
    Redraw();
}

void CBarBaseEx::Paint(HDC dc, const RECT &client) {
    CBarBase::Paint(dc, client);
    for (int g = 0; g < groupCount_; ++g)
        groups_[g].Draw(dc);
    if (labelCount_) {
        Font font(CreateFontW(CellFontHeight(labelPoints_), 0, 0, 0, labelThin_ ? FW_THIN : FW_BOLD, FALSE, FALSE,
                              FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                              DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
        SelectedObject sel(dc, font.get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, labelColor_);
        for (int i = 0; i < labelCount_; ++i) {
            RECT rc = labelRects_[i];
            DrawTextW(dc, labels_[i], -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
    }
}

void CBarBaseEx::OnSize(int, int, UINT) {
    GetClientRect(hwnd_, &client_);
    Layout();
}

bool CBarBaseEx::HitButton(int group, int button, int x, int y) const {
    POINT pt = {x, y};
    return group >= 0 && PtInRect(&groups_[group].ButtonRect(button), pt);
}

void CBarBaseEx::ShowButton(int group, int button, int state) {
    groups_[group].SetState(button, state);
    Redraw();
    RECT rc = groups_[group].ButtonRect(button);
    InvalidateRect(hwnd_, &rc, FALSE);
    UpdateWindow(hwnd_);
}

void CBarBaseEx::OnLButtonDown(WPARAM, int x, int y) {
    POINT pt = {x, y};
    lostGroup_ = lostButton_ = -1;
    for (int g = 0; g < groupCount_; ++g) {
        if (!PtInRect(&groups_[g].Rect(), pt))
            continue;
        const int b = groups_[g].HitTest(pt);
        if (b < 0)
            continue;
        pressedGroup_ = g;
        pressedButton_ = b;
        ShowButton(g, b, 1);
        SetCapture(hwnd_);
        return;
    }
}

void CBarBaseEx::OnMouseMove(WPARAM, int x, int y) {
    if (pressedGroup_ >= 0 && groups_[pressedGroup_].State(pressedButton_) &&
        !HitButton(pressedGroup_, pressedButton_, x, y)) {
        ShowButton(pressedGroup_, pressedButton_, 0);
        lostGroup_ = pressedGroup_;
        lostButton_ = pressedButton_;
    } else if (lostGroup_ >= 0 && HitButton(lostGroup_, lostButton_, x, y)) {
        ShowButton(lostGroup_, lostButton_, 1);
        lostGroup_ = lostButton_ = -1;
    }
}

void CBarBaseEx::OnLButtonUp(WPARAM, int x, int y) {
    const int g = pressedGroup_, b = pressedButton_;
    EndPress();
    if (g >= 0 && groups_[g].State(b) && HitButton(g, b, x, y)) {
        ShowButton(g, b, 0);
        PostMessageW(ownerWindow_, UWM_TITLE_COMMAND, commands_[g][b], 0);
    } else if (g >= 0 && groups_[g].State(b)) {
        ShowButton(g, b, 0);
    }
}

void CBarBaseEx::EndPress() {
    pressedGroup_ = pressedButton_ = lostGroup_ = lostButton_ = -1;
    if (GetCapture() == hwnd_)
        ReleaseCapture();
}

LRESULT CBarBaseEx::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // Another window took the stylus in the middle of a press: no command.
    if (msg == WM_CAPTURECHANGED && reinterpret_cast<HWND>(lParam) != hwnd && pressedGroup_ >= 0) {
        const int g = pressedGroup_, b = pressedButton_;
        pressedGroup_ = pressedButton_ = lostGroup_ = lostButton_ = -1;
        if (groups_[g].State(b))
            ShowButton(g, b, 0);
        return 0;
    }
    return CBarBase::WindowProc(hwnd, msg, wParam, lParam);
}
