// The converter's logic: the catalogue against the listed units, conversion
// and the result texts, and the key rules of the value fields.
#include <gtest/gtest.h>

#include <cmath>
#include <cwchar>
#include <limits>
#include <string>
#include <vector>

#include "BaseLib/Str.h"
#include "convert/Conversion.h"
#include "convert/FieldKeys.h"
#include "convert/UnitCatalogue.h"

namespace {

// The catalogue as it is listed, category by category: "name=factor" joined
// by '|'.
struct ListedCategory {
    int category;
    int count;
    const wchar_t *units;
};
// clang-format off
const ListedCategory kListed[] = {
    {0, 12, L"Meter=1.0|Mile=0.000621371|Miles(nautical)=0.000539957|Yard=1.093613298|Feet=3.280839895|Inch=39.37007874|Light year=1.06e-16|Parsec=3.24e-17|Furlong=0.00497097|Killometer=0.001|Centimeter=100.0|Millimeter=1000.0"},
    {1, 13, L"Grams=1.0|Carats=5.0|Grains=15.43235835|Ounces=0.035273962|Tory Ounces=0.032150748|Pennyweights=0.643014931|Pounds=0.002204623|Torry Pounds=0.002679229|Kilogram=0.001|Stones=0.000157473|Metric Ton=1e-06|Long Ton(UK)=9.84e-07|Ton(imperial)=1.1e-06"},
    {2, 3, L"Celsius=1.0|Fahrenheit=1.8|Kelvin=1.0"},
    {3, 13, L"Meters/second=1.0|Meters/minute=60.0|Meters/hour=3600.0|Kilometers/hour=3.6|Kilometers/minute=0.06|Feet/second=3.280839895|Feet/minute=196.8503937|Feet/hour=11811.02362|Miles/second=0.000621371|Miles/minute=0.037282272|Miles/hour=2.236936292|Mach=0.003016955|Knots=1.943844492"},
    {4, 10, L"Square Metre=1.0|Square Kilometre=1e-06|Square Centimetre=10000.0|Square Milimetre=1000000.0|Acres=0.000247104|Square Feet=10.76391042|Hectare=0.0001|Square Inche=1550.0031|Square Miles=3.86e-07|Square Yards=1.195990046"},
    {5, 23, L"Litre=1.0|Cubic Millimeters=1000000.0|Cubic Centimeters=1000.0|Cubic Decimeters=1.0|Cubic Meter=0.001|Cubic Dekameters=1e-06|Cubic Hectometers=1e-09|Cubic Killometers=1e-12|Cubic Inch=61.02374409|Cubic Feet=0.035314667|Cubic Yard=0.001307951|Cubic Miles=2.39912758578928e-13|Gallon(US)=0.264172052|Gallon(UK)=0.219969152|Cup=4.226752838|Ounce(US)=33.8140227|Ounce(UK)=35.19506424|Dram(US)=270.512|Pint(US)=2.113376419|Fluid Ounce(US)=33.814|Quart(US)=1.056688209|Tablespoon=67.6280454|Teaspoon=202.8841362"},
    {6, 6, L"Litres(Dry)=1.0|Barrel=0.008648489|Bushels(Dry)=0.028377592|Peck=0.113510368|Pint(Dry)=1.81616588|Quarts(Dry)=0.90808294"},
    {7, 28, L"Litres/second=1.0|Cubic Feet/hour=127.1328002|Cubic Feet/minute=2.118880003|Cubic Feet/second=0.035314667|Gallons(UK)/day=19005.33469|Gallons(UK)/hour=791.8889455|Gallons(UK)/minute=13.19814909|Gallons(UK)/second=0.219969152|Gallons/day=22824.46532|Gallons/hour=951.0193885|Gallons/minute=15.85032314|Gallons/second=0.264172052|Litres/day=86400.0|Litres/hour=3600.0|Litres/minute=60.0|Cubic Meters/day=86.4|Cubic Meters/hour=3.6|Cubic Meters/minute=0.06|Cubic Meters/second=0.001|Ounces(UK)/hour=126702.2313|Ounces(UK)/minute=2111.703855|Ounces(UK)/second=35.19506424|Ounces/hour=121730.4817|Ounces/minute=2028.841362|Ounces/second=33.8140227|Cubic Yards/hour=4.70862223|Cubic Yards/minute=0.078477037|CubicY ards/second=0.001307951"},
    {8, 5, L"Grams/Cubic Meter=1.0|Ounces/Gallon=0.000133526|Pounds/Cubic Foot=6.24e-05|Pounds/Cubic Inch=3.61e-08|Tons/Cubic Yard=1.44e-06"},
    {9, 10, L"Joules=1.0|Btus=0.0009478171203|Foot-Pounds=0.7375621493|Ergs=10000000.0|Kilowatt-Hours=2.777777778e-07|Watt-Hours=0.0002777777778|Calories=0.2388458966|Kilogram-Calories=2.388458966e-05|Kilogram-Meters=0.102|Netton-Meters=1.0"},
    {10, 10, L"Radians=1.0|Circles=0.159154943|Degrees=57.29577951|Grades=63.66197724|Minutes=3437.746771|Octants=1.273239545|Revolutions=0.159154943|Seconds=206264.8062|Turn=0.159154943|Quadrants=0.636619772"},
    {11, 4, L"Meters/sec2=1.0|Feet/sec2=3.280839895|Free fall (g)=0.101971621|Inches/sec2=39.37007874"},
    {12, 12, L"Pascals=1.0|Pounds/Square Foot=0.020885434|Pounds/Square Inch=0.000145038|Atmospheres=9.87e-06|Bars=1e-05|Centimeters of Mercury=0.000750062|Inches of Mercury=0.0002953|Tons/Square Foot=1.04e-05|Tons/Square Inch=7.25e-08|Kilograms/Square Meter=0.101971621|Dynes/Square Centimeter=10.0|Torrs=0.007500617"},
    {13, 9, L"Watts=1.0|Kilowatts=0.001|BTU/hour=3.415179027|BTU/minute=0.05691965|BTU/second=0.000948661|Calorie/second=0.239058511|Horsepower=0.001341022|Foot-Pounds/minute=44.25372896|Foot-Pounds/second=0.737562149"},
    {14, 4, L"Lux=1.0|Flame=0.02322576|Footcandles=0.09290304|Meter-candles=1.0"},
    {15, 6, L"Newtons=1.0|Gram Force=101.9716213|Joules/Centimeter=100.0|Joules/Meter=1.0|Ounce Force=3.59694309|Pound Force=0.224808943"},
    {16, 15, L"Second=86400.0|Century=2.73785e-05|Day=1.0|Decade=0.000273785|Fortnight=0.071453|Hour=24.0|Leap-years=0.00273024|Millennium=2.73785e-06|Minute=1440.0|Millisecond=86400000.0|Microsecond=86400000000.0|Nanosecond=86400000000000.0|Month=0.033333333|Weeks=0.142857|Years=0.00273785"},
};
// clang-format on

struct ListedUnit {
    int category;
    std::wstring name;
    double factor;
};

std::vector<ListedUnit> UnitsOf(const ListedCategory &listed) {
    std::vector<ListedUnit> result;
    std::wstring text = listed.units;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'|', start);
        if (end == std::wstring::npos)
            end = text.size();
        const std::wstring item = text.substr(start, end - start);
        const size_t equals = item.rfind(L'=');
        result.push_back({listed.category, item.substr(0, equals), wcstod(item.c_str() + equals + 1, nullptr)});
        start = end + 1;
    }
    return result;
}

// The record index of a unit by its category and name; -1 when missing.
int FindUnit(int category, const wchar_t *name) {
    for (int i = 0; i < units::kUnitCount; ++i) {
        if (units::Unit(i).category == category && wcscmp(units::Unit(i).name, name) == 0)
            return i;
    }
    return -1;
}

std::wstring Converted(int category, const wchar_t *from, const wchar_t *to, const wchar_t *value) {
    const int source = FindUnit(category, from), target = FindUnit(category, to);
    if (source < 0 || target < 0)
        return L"<no such unit>";
    Str result(L"<unchanged>");
    units::ConvertText(source, target, value, &result);
    return result.Text();
}

const int kLength = 0, kTemperature = 2, kVolume = 5, kDensity = 8, kEnergy = 9;

TEST(UnitCatalogue, HoldsEveryListedUnitInTheStoredOrder) {
    // Stored: category order, except that Energy comes before Density.
    const int storedOrder[] = {0, 1, 2, 3, 4, 5, 6, 7, 9, 8, 10, 11, 12, 13, 14, 15, 16};
    std::vector<ListedUnit> expected;
    for (int category : storedOrder) {
        for (const ListedCategory &listed : kListed) {
            if (listed.category != category)
                continue;
            const std::vector<ListedUnit> units = UnitsOf(listed);
            ASSERT_EQ(static_cast<int>(units.size()), listed.count) << "category " << category;
            expected.insert(expected.end(), units.begin(), units.end());
        }
    }
    ASSERT_EQ(static_cast<int>(expected.size()), units::kUnitCount);
    for (int i = 0; i < units::kUnitCount; ++i) {
        const UnitRecord &unit = units::Unit(i);
        EXPECT_EQ(unit.category, expected[i].category) << "record " << i;
        EXPECT_EQ(std::wstring(unit.name), expected[i].name) << "record " << i;
        EXPECT_EQ(unit.factor, expected[i].factor) << "record " << i;
    }
}

TEST(UnitCatalogue, CategoriesAndRowsResolveInRecordOrder) {
    const wchar_t *names[] = {L"Length",     L"Weight", L"Temperature", L"Speed",  L"Area",  L"Volume",
                              L"Volume-Dry", L"Flow",   L"Density",     L"Energy", L"Angle", L"Acceleration",
                              L"Pressure",   L"Power",  L"Light",       L"Force",  L"Time"};
    for (int i = 0; i < units::kCategoryCount; ++i)
        EXPECT_STREQ(units::CategoryName(i), names[i]);
    EXPECT_EQ(units::UnitsIn(1), 13) << "the Weight lists";
    EXPECT_EQ(units::UnitsIn(kTemperature), 3);

    struct Case {
        int category, row;
        const wchar_t *name;
    } cases[] = {
        {kLength, 0, L"Meter"},
        {kLength, 9, L"Killometer"},
        {kLength, 11, L"Millimeter"},
        {kLength, 12, L"Meter"}, // past the end: record 0
        {kEnergy, 0, L"Joules"},
        {kDensity, 0, L"Grams/Cubic Meter"},
        {kDensity, 4, L"Tons/Cubic Yard"},
        {16, 14, L"Years"},
        {3, -1, L"Meter"},
    };
    for (const Case &c : cases)
        EXPECT_STREQ(units::Unit(units::ResolveRow(c.category, c.row)).name, c.name)
            << "category " << c.category << " row " << c.row;
}

TEST(Conversion, FactorsAndTemperatureFormulasGiveTheShownTexts) {
    struct Case {
        int category;
        const wchar_t *from, *to, *value, *shown;
    } cases[] = {
        {kLength, L"Meter", L"Feet", L"1", L"3.2808"},
        {kLength, L"Meter", L"Mile", L"5", L"0.0031"},
        {kLength, L"Mile", L"Meter", L"1", L"1609.3445"},
        {kLength, L"Light year", L"Meter", L"1", L"9.43e+15"},
        // Read as a double, not through single precision (123456.792).
        {kLength, L"Meter", L"Killometer", L"123456789", L"123456.789"},
        {kLength, L"Meter", L"Millimeter", L"0.", L"0"},
        {kTemperature, L"Celsius", L"Fahrenheit", L"100", L"212"},
        {kTemperature, L"Celsius", L"Fahrenheit", L"-40", L"-40"},
        {kTemperature, L"Celsius", L"Kelvin", L"0", L"273.15"},
        {kTemperature, L"Fahrenheit", L"Celsius", L"98.6", L"37"},
        {kTemperature, L"Fahrenheit", L"Kelvin", L"32", L"273.15"},
        {kTemperature, L"Kelvin", L"Celsius", L"300", L"26.85"},
        {kTemperature, L"Kelvin", L"Fahrenheit", L"300", L"80.33"},
        {kTemperature, L"Kelvin", L"Celsius", L"0", L"-273.15"},
        // Equal factors, different records: the display rule alone.
        {kVolume, L"Litre", L"Cubic Decimeters", L"20000000", L"2e+07"},
        {kVolume, L"Litre", L"Cubic Decimeters", L"9999999", L"9999999"},
        {kVolume, L"Litre", L"Cubic Decimeters", L"-12345678.9", L"-12345678.9"},
        // Too long for the field in "%.4f": three significant digits.
        {kVolume, L"Litre", L"Cubic Decimeters", L"-1000000000000000000", L"-1e+18"},
        {kVolume, L"Litre", L"Cubic Decimeters", L"-123456789012345.5", L"-123456789012345.5"},
        // The same unit copies the text without rounding it.
        {kLength, L"Feet", L"Feet", L"1.23456789", L"1.23456789"},
        {kTemperature, L"Kelvin", L"Kelvin", L"2.50", L"2.50"},
        // A source that is no number leaves the target as it was.
        {kLength, L"Meter", L"Feet", L"Error", L"<unchanged>"},
        {kLength, L"Meter", L"Feet", L"", L"<unchanged>"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Converted(c.category, c.from, c.to, c.value), c.shown) << "case " << (&c - cases);
}

TEST(Conversion, ResultsThatAreNotFiniteShowError) {
    EXPECT_STREQ(units::ResultText(std::numeric_limits<double>::infinity()), L"Error");
    EXPECT_STREQ(units::ResultText(-std::numeric_limits<double>::infinity()), L"Error");
    EXPECT_STREQ(units::ResultText(std::nan("")), L"Error");
    // The largest double in days is beyond range in nanoseconds.
    EXPECT_EQ(Converted(16, L"Day", L"Nanosecond", L"1.7e+308"), L"Error");
}

TEST(Conversion, FieldTextDropsFractionZerosAndNeverOverrunsTheField) {
    struct Case {
        const wchar_t *given, *stored;
    } cases[] = {
        {L"2.5000", L"2.5"},
        {L"12.000", L"12"},
        {L"0.", L"0"},
        {L"100", L"100"},
        {L"2e+07", L"2e+07"},
        {L"1.50e+20", L"1.50e+20"},
        {L"1234567890123456789", L"1234567890123456789"},
        {L"-12345678901234567890.5", L"-1.23e+19"},
        {L"99999999999999999999999", L"1e+23"},
        {L"abcdefghijklmnopqrstuvwxyz", L"abcdefghijklmnopqrs"},
    };
    for (const Case &c : cases) {
        const Str stored = units::FieldText(c.given);
        EXPECT_STREQ(stored, c.stored) << "case " << (&c - cases);
        EXPECT_LE(stored.Length(), units::kMaxFieldLength);
    }
}

TEST(Conversion, ReadValueTakesOnlyWholeNumbers) {
    struct Case {
        const wchar_t *text;
        bool read;
        double value;
    } cases[] = {
        {L"5.", true, 5},
        {L"0.25", true, 0.25},
        {L"-40", true, -40},
        {L"2e+07", true, 2e7},
        {L"123456789", true, 123456789},
        {L"", false, 0},
        {L"Error", false, 0},
        {L"12x", false, 0},
    };
    for (const Case &c : cases) {
        double value = -1;
        EXPECT_EQ(units::ReadValue(c.text, &value), c.read) << "case " << (&c - cases);
        if (c.read)
            EXPECT_EQ(value, c.value) << "case " << (&c - cases);
    }
}

TEST(FormatDouble, ExponentHasTwoDigitsAtLeast) {
    struct Case {
        const wchar_t *format;
        double value;
        const wchar_t *text;
    } cases[] = {
        {L"%.3g", 2e7, L"2e+07"},      {L"%.3g", 9.43e15, L"9.43e+15"}, {L"%.3g", -1.5e-9, L"-1.5e-09"},
        {L"%.3g", 1e100, L"1e+100"},   {L"%.3g", 1e-300, L"1e-300"},    {L"%.3g", 1.5, L"1.5"},
        {L"%e", 1.0, L"1.000000e+00"}, {L"%.4f", 2.5, L"2.5000"},
    };
    for (const Case &c : cases)
        EXPECT_STREQ(FormatDouble(c.format, c.value), c.text) << "case " << (&c - cases);
}

TEST(FieldKeys, DigitsPointAndBackspaceFollowTheFieldRules) {
    const std::wstring longest = L"1234567890123456789"; // 19 characters
    struct Case {
        std::wstring before;
        unsigned key;
        bool taken;
        std::wstring after;
    } cases[] = {
        {L"0", L'0', true, L"0"}, // kept, and still a change
        {L"0", L'5', true, L"5"},
        {L"5", L'3', true, L"53"},
        {L"1.5", units::kKeyPeriod, true, L"1.5"}, // a second point is ignored
        {L"", units::kKeyPeriod, true, L"0."},
        {L"12", units::kKeyComma, true, L"12."},
        {L"0", units::kKeyPeriod, true, L"0."},
        {L"7", units::kKeyBackspace, true, L"0"},
        {L"12", units::kKeyBackspace, true, L"1"},
        {L"0.", units::kKeyBackspace, true, L"0"},
        {longest, L'1', true, longest},
        {longest.substr(0, 18), units::kKeyPeriod, true, longest.substr(0, 18) + L"."},
        {longest, units::kKeyPeriod, true, longest},
        {L"5", L'A', false, L"5"},
        {L"5", 0x25, false, L"5"}, // the left arrow
        // Texts a conversion or paste left behind.
        {L"-40", L'5', true, L"-405"},
        {L"Error", L'5', true, L"5"},
        {L"2e+07", L'3', true, L"3"},
        {L"Error", units::kKeyBackspace, true, L"0"},
        {L"2e+07", units::kKeyPeriod, true, L"0."},
    };
    for (const Case &c : cases) {
        Str value(c.before.c_str());
        EXPECT_EQ(units::ApplyFieldKey(c.key, &value), c.taken) << "case " << (&c - cases);
        EXPECT_EQ(std::wstring(value.Text()), c.after) << "case " << (&c - cases);
    }
}

} // namespace
