#include "convert/UnitCatalogue.h"

namespace {

const wchar_t *const kCategoryNames[units::kCategoryCount] = {
    L"Length", L"Weight", L"Temperature",  L"Speed",    L"Area",  L"Volume", L"Volume-Dry", L"Flow", L"Density",
    L"Energy", L"Angle",  L"Acceleration", L"Pressure", L"Power", L"Light",  L"Force",      L"Time",
};

// In category order, except that the Energy records (9) come before the
// Density records (8): the lists walk the records in this order.
// clang-format off
const UnitRecord kUnits[units::kUnitCount] = {
    // 0 Length
    {0, L"Meter", 1.0},
    {0, L"Mile", 0.000621371},
    {0, L"Miles(nautical)", 0.000539957},
    {0, L"Yard", 1.093613298},
    {0, L"Feet", 3.280839895},
    {0, L"Inch", 39.37007874},
    {0, L"Light year", 1.06e-16},
    {0, L"Parsec", 3.24e-17},
    {0, L"Furlong", 0.00497097},
    {0, L"Killometer", 0.001},
    {0, L"Centimeter", 100.0},
    {0, L"Millimeter", 1000.0},
    // 1 Weight
    {1, L"Grams", 1.0},
    {1, L"Carats", 5.0},
    {1, L"Grains", 15.43235835},
    {1, L"Ounces", 0.035273962},
    {1, L"Tory Ounces", 0.032150748},
    {1, L"Pennyweights", 0.643014931},
    {1, L"Pounds", 0.002204623},
    {1, L"Torry Pounds", 0.002679229},
    {1, L"Kilogram", 0.001},
    {1, L"Stones", 0.000157473},
    {1, L"Metric Ton", 1e-06},
    {1, L"Long Ton(UK)", 9.84e-07},
    {1, L"Ton(imperial)", 1.1e-06},
    // 2 Temperature
    {2, L"Celsius", 1.0},
    {2, L"Fahrenheit", 1.8},
    {2, L"Kelvin", 1.0},
    // 3 Speed
    {3, L"Meters/second", 1.0},
    {3, L"Meters/minute", 60.0},
    {3, L"Meters/hour", 3600.0},
    {3, L"Kilometers/hour", 3.6},
    {3, L"Kilometers/minute", 0.06},
    {3, L"Feet/second", 3.280839895},
    {3, L"Feet/minute", 196.8503937},
    {3, L"Feet/hour", 11811.02362},
    {3, L"Miles/second", 0.000621371},
    {3, L"Miles/minute", 0.037282272},
    {3, L"Miles/hour", 2.236936292},
    {3, L"Mach", 0.003016955},
    {3, L"Knots", 1.943844492},
    // 4 Area
    {4, L"Square Metre", 1.0},
    {4, L"Square Kilometre", 1e-06},
    {4, L"Square Centimetre", 10000.0},
    {4, L"Square Milimetre", 1000000.0},
    {4, L"Acres", 0.000247104},
    {4, L"Square Feet", 10.76391042},
    {4, L"Hectare", 0.0001},
    {4, L"Square Inche", 1550.0031},
    {4, L"Square Miles", 3.86e-07},
    {4, L"Square Yards", 1.195990046},
    // 5 Volume
    {5, L"Litre", 1.0},
    {5, L"Cubic Millimeters", 1000000.0},
    {5, L"Cubic Centimeters", 1000.0},
    {5, L"Cubic Decimeters", 1.0},
    {5, L"Cubic Meter", 0.001},
    {5, L"Cubic Dekameters", 1e-06},
    {5, L"Cubic Hectometers", 1e-09},
    {5, L"Cubic Killometers", 1e-12},
    {5, L"Cubic Inch", 61.02374409},
    {5, L"Cubic Feet", 0.035314667},
    {5, L"Cubic Yard", 0.001307951},
    {5, L"Cubic Miles", 2.39912758578928e-13},
    {5, L"Gallon(US)", 0.264172052},
    {5, L"Gallon(UK)", 0.219969152},
    {5, L"Cup", 4.226752838},
    {5, L"Ounce(US)", 33.8140227},
    {5, L"Ounce(UK)", 35.19506424},
    {5, L"Dram(US)", 270.512},
    {5, L"Pint(US)", 2.113376419},
    {5, L"Fluid Ounce(US)", 33.814},
    {5, L"Quart(US)", 1.056688209},
    {5, L"Tablespoon", 67.6280454},
    {5, L"Teaspoon", 202.8841362},
    // 6 Volume-Dry
    {6, L"Litres(Dry)", 1.0},
    {6, L"Barrel", 0.008648489},
    {6, L"Bushels(Dry)", 0.028377592},
    {6, L"Peck", 0.113510368},
    {6, L"Pint(Dry)", 1.81616588},
    {6, L"Quarts(Dry)", 0.90808294},
    // 7 Flow
    {7, L"Litres/second", 1.0},
    {7, L"Cubic Feet/hour", 127.1328002},
    {7, L"Cubic Feet/minute", 2.118880003},
    {7, L"Cubic Feet/second", 0.035314667},
    {7, L"Gallons(UK)/day", 19005.33469},
    {7, L"Gallons(UK)/hour", 791.8889455},
    {7, L"Gallons(UK)/minute", 13.19814909},
    {7, L"Gallons(UK)/second", 0.219969152},
    {7, L"Gallons/day", 22824.46532},
    {7, L"Gallons/hour", 951.0193885},
    {7, L"Gallons/minute", 15.85032314},
    {7, L"Gallons/second", 0.264172052},
    {7, L"Litres/day", 86400.0},
    {7, L"Litres/hour", 3600.0},
    {7, L"Litres/minute", 60.0},
    {7, L"Cubic Meters/day", 86.4},
    {7, L"Cubic Meters/hour", 3.6},
    {7, L"Cubic Meters/minute", 0.06},
    {7, L"Cubic Meters/second", 0.001},
    {7, L"Ounces(UK)/hour", 126702.2313},
    {7, L"Ounces(UK)/minute", 2111.703855},
    {7, L"Ounces(UK)/second", 35.19506424},
    {7, L"Ounces/hour", 121730.4817},
    {7, L"Ounces/minute", 2028.841362},
    {7, L"Ounces/second", 33.8140227},
    {7, L"Cubic Yards/hour", 4.70862223},
    {7, L"Cubic Yards/minute", 0.078477037},
    {7, L"CubicY ards/second", 0.001307951},
    // 9 Energy
    {9, L"Joules", 1.0},
    {9, L"Btus", 0.0009478171203},
    {9, L"Foot-Pounds", 0.7375621493},
    {9, L"Ergs", 10000000.0},
    {9, L"Kilowatt-Hours", 2.777777778e-07},
    {9, L"Watt-Hours", 0.0002777777778},
    {9, L"Calories", 0.2388458966},
    {9, L"Kilogram-Calories", 2.388458966e-05},
    {9, L"Kilogram-Meters", 0.102},
    {9, L"Netton-Meters", 1.0},
    // 8 Density
    {8, L"Grams/Cubic Meter", 1.0},
    {8, L"Ounces/Gallon", 0.000133526},
    {8, L"Pounds/Cubic Foot", 6.24e-05},
    {8, L"Pounds/Cubic Inch", 3.61e-08},
    {8, L"Tons/Cubic Yard", 1.44e-06},
    // 10 Angle
    {10, L"Radians", 1.0},
    {10, L"Circles", 0.159154943},
    {10, L"Degrees", 57.29577951},
    {10, L"Grades", 63.66197724},
    {10, L"Minutes", 3437.746771},
    {10, L"Octants", 1.273239545},
    {10, L"Revolutions", 0.159154943},
    {10, L"Seconds", 206264.8062},
    {10, L"Turn", 0.159154943},
    {10, L"Quadrants", 0.636619772},
    // 11 Acceleration
    {11, L"Meters/sec2", 1.0},
    {11, L"Feet/sec2", 3.280839895},
    {11, L"Free fall (g)", 0.101971621},
    {11, L"Inches/sec2", 39.37007874},
    // 12 Pressure
    {12, L"Pascals", 1.0},
    {12, L"Pounds/Square Foot", 0.020885434},
    {12, L"Pounds/Square Inch", 0.000145038},
    {12, L"Atmospheres", 9.87e-06},
    {12, L"Bars", 1e-05},
    {12, L"Centimeters of Mercury", 0.000750062},
    {12, L"Inches of Mercury", 0.0002953},
    {12, L"Tons/Square Foot", 1.04e-05},
    {12, L"Tons/Square Inch", 7.25e-08},
    {12, L"Kilograms/Square Meter", 0.101971621},
    {12, L"Dynes/Square Centimeter", 10.0},
    {12, L"Torrs", 0.007500617},
    // 13 Power
    {13, L"Watts", 1.0},
    {13, L"Kilowatts", 0.001},
    {13, L"BTU/hour", 3.415179027},
    {13, L"BTU/minute", 0.05691965},
    {13, L"BTU/second", 0.000948661},
    {13, L"Calorie/second", 0.239058511},
    {13, L"Horsepower", 0.001341022},
    {13, L"Foot-Pounds/minute", 44.25372896},
    {13, L"Foot-Pounds/second", 0.737562149},
    // 14 Light
    {14, L"Lux", 1.0},
    {14, L"Flame", 0.02322576},
    {14, L"Footcandles", 0.09290304},
    {14, L"Meter-candles", 1.0},
    // 15 Force
    {15, L"Newtons", 1.0},
    {15, L"Gram Force", 101.9716213},
    {15, L"Joules/Centimeter", 100.0},
    {15, L"Joules/Meter", 1.0},
    {15, L"Ounce Force", 3.59694309},
    {15, L"Pound Force", 0.224808943},
    // 16 Time
    {16, L"Second", 86400.0},
    {16, L"Century", 2.73785e-05},
    {16, L"Day", 1.0},
    {16, L"Decade", 0.000273785},
    {16, L"Fortnight", 0.071453},
    {16, L"Hour", 24.0},
    {16, L"Leap-years", 0.00273024},
    {16, L"Millennium", 2.73785e-06},
    {16, L"Minute", 1440.0},
    {16, L"Millisecond", 86400000.0},
    {16, L"Microsecond", 86400000000.0},
    {16, L"Nanosecond", 86400000000000.0},
    {16, L"Month", 0.033333333},
    {16, L"Weeks", 0.142857},
    {16, L"Years", 0.00273785},
};
// clang-format on

} // namespace

namespace units {

const wchar_t *CategoryName(int category) {
    return category >= 0 && category < kCategoryCount ? kCategoryNames[category] : L"";
}

const UnitRecord &Unit(int index) { return index >= 0 && index < kUnitCount ? kUnits[index] : kUnits[0]; }

int UnitsIn(int category) {
    int count = 0;
    for (const UnitRecord &unit : kUnits) {
        if (unit.category == category)
            ++count;
    }
    return count;
}

int ResolveRow(int category, int row) {
    int seen = 0;
    for (int i = 0; i < kUnitCount; ++i) {
        if (kUnits[i].category != category)
            continue;
        if (seen == row)
            return i;
        ++seen;
    }
    return 0;
}

} // namespace units
