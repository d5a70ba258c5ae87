// The converter's catalogue: 17 categories of quantity and 183 units, each
// unit with the number of that unit in one base unit of its category. A
// fixed table compiled into the program; the lists show it in record order.
#pragma once
#include <cstdint>

struct UnitRecord {
    int32_t category; // 0 to 16
    wchar_t name[30]; // up to 29 characters and the terminator
    double factor;    // units per base unit of the category
};
static_assert(sizeof(UnitRecord) == 72, "a unit record is 72 bytes");

namespace units {

constexpr int kCategoryCount = 17;
constexpr int kUnitCount = 183;
constexpr int kTemperature = 2;

// The category names in list order.
const wchar_t *CategoryName(int category);
// The record at an index of the stored array (0 to kUnitCount - 1); record 0
// for an index out of range.
const UnitRecord &Unit(int index);
// The number of units of a category.
int UnitsIn(int category);
// The record index of the row-th unit of a category, counting in record
// order from 0; 0 when there is no such row.
int ResolveRow(int category, int row);

} // namespace units
