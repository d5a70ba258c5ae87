#include "timing/LapArray.h"

#include <algorithm>
#include <new>

bool LapArray::Resize(int size) {
    if (size <= 0) {
        laps_.reset();
        count_ = capacity_ = 0;
        return true;
    }
    if (size > capacity_) {
        const int step = std::min(std::max(count_ / 8, 4), 1024);
        const int capacity = std::max(size, capacity_ + step);
        std::unique_ptr<TimeBreakdown[]> grown(new (std::nothrow) TimeBreakdown[capacity]());
        if (!grown)
            return false;
        std::copy(laps_.get(), laps_.get() + count_, grown.get());
        laps_ = std::move(grown);
        capacity_ = capacity;
    }
    for (int i = count_; i < size; ++i)
        laps_[i] = TimeBreakdown();
    count_ = size;
    return true;
}

bool LapArray::InsertFront(const TimeBreakdown &lap) {
    if (!Resize(count_ + 1))
        return false;
    std::copy_backward(laps_.get(), laps_.get() + count_ - 1, laps_.get() + count_);
    laps_[0] = lap;
    return true;
}

Str LapLabel(int number) {
    Str label;
    label.Format(L"lap%d", number);
    return label;
}

Str LapTimeText(const TimeBreakdown &lap) { return DisplayText(lap, true); }
