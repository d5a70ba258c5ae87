// The stopwatch's laps, newest first. Each lap is the display's breakdown
// of that lap's own time.
#pragma once
#include <windows.h>

#include <memory>

#include "timing/TimeBreakdown.h"

class LapArray {
public:
    int Count() const { return count_; }
    int Capacity() const { return capacity_; }
    const TimeBreakdown &At(int index) const { return laps_[index]; }

    // Puts a lap in front of the others (index 0). False, with nothing
    // changed, when there is no memory for it.
    bool InsertFront(const TimeBreakdown &lap);
    // Sets the count; records beyond the old count are zeroed. Growing past
    // the capacity takes max(size, capacity + step), step = count / 8 kept
    // within 4..1024, so that lap after lap does not copy every time. Size 0
    // frees the storage.
    bool Resize(int size);

private:
    std::unique_ptr<TimeBreakdown[]> laps_; // capacity_ records
    int count_ = 0;
    int capacity_ = 0;
};

// The list's texts of a lap: "lapN" and its time, "hh:mm:ss.t" with hours,
// else "mm:ss.t".
Str LapLabel(int number);
Str LapTimeText(const TimeBreakdown &lap);
