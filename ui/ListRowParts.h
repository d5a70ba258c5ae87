// The row window's parts that hold no window of their own: row heights and
// offsets, in-row buttons, and the flick-speed samples.
#pragma once
#include <windows.h>

#include <vector>

// Heights of the rows and their top offsets (the sum of the heights above).
class VelHeight {
public:
    void ResetRows(int count, int height) {
        heights_.assign(count > 0 ? count : 0, height);
        tops_.assign(heights_.size(), 0);
        int top = 0;
        for (size_t i = 0; i < heights_.size(); ++i) {
            tops_[i] = top;
            top += heights_[i];
        }
        contentHeight_ = top;
    }
    int RowCount() const { return static_cast<int>(heights_.size()); }
    bool ValidRow(int row) const { return row >= 0 && row < RowCount(); }
    int RowTop(int row) const { return tops_[row]; }
    int RowHeight(int row) const { return heights_[row]; }
    int ContentHeight() const { return contentHeight_; }
    // The row whose band holds content position y, or -1.
    int RowAtContent(int y) const {
        if (y < 0 || y >= contentHeight_)
            return -1;
        int low = 0, high = RowCount() - 1;
        while (low < high) {
            const int mid = (low + high + 1) / 2;
            if (tops_[mid] <= y)
                low = mid;
            else
                high = mid - 1;
        }
        return low;
    }

private:
    std::vector<int> heights_;
    std::vector<int> tops_;
    int contentHeight_ = 0;
};

// The in-row buttons of every row (row coordinates) with a pressed flag each.
class VelBtnInItem {
public:
    struct Button {
        RECT rect;
        bool pressed;
    };
    void ResetButtons(int count) { buttons_.assign(count > 0 ? count : 0, {}); }
    void SetRowButtons(int row, const RECT *rects, int count) {
        buttons_[row].clear();
        for (int i = 0; rects && i < count; ++i)
            buttons_[row].push_back(Button{rects[i], false});
    }
    // The button of the row under pt (row coordinates), or -1.
    int ButtonAt(int row, POINT pt) const {
        const auto &list = buttons_[row];
        for (size_t i = 0; i < list.size(); ++i)
            if (PtInRect(&list[i].rect, pt))
                return static_cast<int>(i);
        return -1;
    }
    int ButtonCount(int row) const { return static_cast<int>(buttons_[row].size()); }
    bool ButtonPressed(int row, int button) const { return buttons_[row][button].pressed; }
    void SetButtonPressed(int row, int button, bool pressed) { buttons_[row][button].pressed = pressed; }
    // The pressed button of the row, or -1.
    int PressedButton(int row) const {
        for (int i = 0; i < ButtonCount(row); ++i)
            if (buttons_[row][i].pressed)
                return i;
        return -1;
    }
    void ReleaseButtons(int row) {
        for (Button &b : buttons_[row])
            b.pressed = false;
    }

private:
    std::vector<std::vector<Button>> buttons_;
};

// Samples of the scroll offset while dragging, from which the release works
// out the flick speed (pixels per second).
class AutoSpeed {
public:
    static constexpr DWORD kSampleInterval = 100; // ms between samples

    void StartSamples(DWORD now, int offset) {
        sampleTime_ = now;
        sampleOffset_ = offset;
        elapsed_ = 0;
        change_ = 0;
        speed_ = 0;
    }
    // Takes a sample when the interval has passed since the last one.
    void Sample(DWORD now, int offset) {
        if (now - sampleTime_ < kSampleInterval)
            return;
        elapsed_ = now - sampleTime_;
        change_ = offset - sampleOffset_;
        sampleTime_ = now;
        sampleOffset_ = offset;
    }
    // Speed at release: the change since the last sample over the time since
    // it. A release in the same millisecond as the last sample has no time
    // of its own to divide by; the last sample's own movement stands in.
    int FinalSpeed(DWORD now, int offset) {
        const DWORD since = now - sampleTime_;
        if (since > 0)
            speed_ =
                static_cast<int>(static_cast<long long>(offset - sampleOffset_) * 1000 / static_cast<long long>(since));
        else if (elapsed_ > 0)
            speed_ = static_cast<int>(static_cast<long long>(change_) * 1000 / static_cast<long long>(elapsed_));
        else
            speed_ = 0;
        return speed_;
    }
    int Speed() const { return speed_; }
    void ClearSpeed() { speed_ = 0; }

private:
    DWORD sampleTime_ = 0;
    int sampleOffset_ = 0;
    DWORD elapsed_ = 0;
    int change_ = 0;
    int speed_ = 0;
};
