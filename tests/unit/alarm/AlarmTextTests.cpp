// The stored text of an alarm, the repeat-set text and alarm ids.
#include "alarm/AlarmTemp.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "TestTimes.h"

namespace {

// Every field but id, so a failed comparison shows the whole record. A date
// read from "-" alone is -0.0, which is the same date as 0.0.
std::wstring Describe(const AlarmTemp &r) {
    wchar_t text[1024];
    _snwprintf(text, 1024,
               L"time=%.17g label=[%s] repeat=%d sound=[%s] snooze=%d enabled=%d "
               L"created=%.17g volume=%d vibrate=%d",
               r.time + 0.0, r.label.Text(), r.repeat_days, r.sound.Text(), r.snooze, r.enabled, r.created + 0.0,
               r.volume, r.vibrate);
    text[1023] = 0;
    return text;
}

AlarmTemp Record(double time, const wchar_t *label, int repeat, const wchar_t *sound, int snooze, int enabled,
                 double created, int volume, int vibrate) {
    AlarmTemp r;
    r.time = time;
    r.label = label;
    r.repeat_days = static_cast<BYTE>(repeat);
    r.sound = sound;
    r.snooze = snooze;
    r.enabled = enabled;
    r.created = created;
    r.volume = volume;
    r.vibrate = vibrate;
    return r;
}

AlarmTemp Decoded(const wchar_t *text) {
    AlarmTemp r;
    r.MakeNew(); // decoding must overwrite every field
    DecodeAlarm(r, text);
    return r;
}

const wchar_t kExample[] = L"/T40008.31250000000000000000000000000000000000/LWork/R62/SD\\Windows\\Alarm4.wma/SZ1/E1"
                           L"/CT40007.50000000000000000000000000000000000000/V5/VIB0";

TEST(AlarmText, EncodesTheRecordByteForByte) {
    const AlarmTemp work =
        Record(Ole(2009, 7, 14, 7, 30), L"Work", 62, L"\\Windows\\Alarm4.wma", 1, 1, Ole(2009, 7, 13, 12, 0), 5, 0);
    EXPECT_STREQ(kExample, EncodeAlarm(work));
    EXPECT_EQ(Describe(work), Describe(Decoded(kExample)));
}

TEST(AlarmText, EncodingThenDecodingKeepsEveryField) {
    const AlarmTemp records[] = {
        Record(40008.3125, L"Work", 62, L"\\Windows\\Alarm4.wma", 1, 1, 40007.5, 5, 0),
        // Dates that are no short decimal must come back as the same double.
        Record(45123.987654321012, L"", 0, L"", 0, 0, 45001.000011574074, -1, 1),
        Record(1.0 / 3.0, L"Früh \x263A aufstehen", 127, L"\\My Documents\\Töne\\a b.mp3", 0, 1, -1.25, 0, 1),
        Record(0.0, L"x", 65, L"\\Windows\\Alarm1.wav", 1, 0, 2958465.9999884259, 3, 0),
    };
    for (const AlarmTemp &r : records)
        EXPECT_EQ(Describe(r), Describe(Decoded(EncodeAlarm(r)))) << EncodeAlarm(r).Text();

    // Dates of any precision read back exactly (the runtime's decimal
    // conversions must be exact both ways for the two programs to agree).
    unsigned long long seed = 12345;
    int mismatches = 0;
    for (int i = 0; i < 1000 && mismatches < 5; ++i) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        AlarmTemp r;
        r.time = static_cast<double>(seed >> 11) / (1ULL << 53) * 80000.0;
        r.created = -r.time / 7.0;
        const AlarmTemp back = Decoded(EncodeAlarm(r));
        if (back.time != r.time || back.created != r.created) {
            ++mismatches;
            ADD_FAILURE() << EncodeAlarm(r).Text();
        }
    }
}

TEST(AlarmText, DecodingFollowsTheSearchAndNumberRules) {
    const struct {
        const wchar_t *text;
        AlarmTemp expected;
        const char *why;
    } cases[] = {
        {L"", Record(0.0, L"", 0, L"", 0, 0, 0.0, -1, 0), "every field missing"},
        {kUnreadableAlarmText, Record(0.0, L"", 0, L"", 0, 1, 0.0, -1, 0), "text used for unreadable values"},
        {L"/T1.5/Lback/up/R0/SD/SZ0/E1/CT2/V5/VIB0", Record(1.5, L"back", 0, L"", 0, 1, 2.0, 5, 0),
         "a label is cut at its first /"},
        {L"/T1.5/Lx/E0/R0/SD/SZ1/E1/CT2/V5/VIB0", Record(1.5, L"x", 0, L"", 1, 0, 2.0, 5, 0),
         "a label holding a field key shadows that field"},
        {L"/T40008.3125/LOld/R2/SD\\s.wav/SZ1/E1", Record(40008.3125, L"Old", 2, L"\\s.wav", 1, 1, 0.0, -1, 0),
         "older text without created and volume"},
        {L"/T1/L/R0/SD/SZ0/E1/CT3/VIB1", Record(1.0, L"", 0, L"", 0, 1, 3.0, 0, 1),
         "/VIB without /V reads volume from IB1"},
        {L"/R300/SZabc/E 7x/V-1/VIB+1", Record(0.0, L"", 44, L"", 0, 7, 0.0, -1, 1),
         "integers: low 8 bits of repeat, no digits 0, leading blank and sign"},
        {L"/T4a0.5.5/CT1-2", Record(40.55, L"", 0, L"", 0, 0, 1.0, -1, 0),
         "dates keep digits, signs and the first point only"},
        {L"/T/CT-.", Record(0.0, L"", 0, L"", 0, 0, 0.0, -1, 0), "dates without digits"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Describe(c.expected), Describe(Decoded(c.text))) << c.why;
}

// A date that no write can store as it was read (infinite, beyond the dates
// the platform converts, or finer than 38 decimals) must not change its
// meaning when the record is written back: it reads as missing or as what
// the write will store.
TEST(AlarmText, EveryDecodedDateSurvivesAWriteUnchanged) {
    const std::wstring denormal = L"0." + std::wstring(309, L'0') + L"1"; // 1e-310
    const std::wstring tiny = L"0." + std::wstring(24, L'0') + L"1234567890123456789";
    const struct {
        std::wstring date;
        double expected;
        double tolerance;
        const char *why;
    } cases[] = {
        {std::wstring(400, L'9'), 0.0, 0.0, "400 digits overflow to infinity"},
        {L"1" + std::wstring(308, L'0'), 0.0, 0.0, "finite but far beyond the year 9999"},
        {L"2958466.5", 0.0, 0.0, "the day after 31 December 9999"},
        {L"-657435", 0.0, 0.0, "before the year 100"},
        {L"2958465.5", 2958465.5, 0.0, "31 December 9999 is a date"},
        {L"-657434", -657434.0, 0.0, "1 January 100 is a date"},
        {denormal, 0.0, 0.0, "a denormal stores as 0.000..."},
        {tiny, 1.2345678901235e-25, 1e-38, "digits below 38 decimals are not kept"},
    };
    for (const auto &c : cases) {
        const std::wstring text = L"/T" + c.date + L"/L/R0/SD/SZ0/E1/CT" + c.date + L"/V5/VIB0";
        const AlarmTemp once = Decoded(text.c_str());
        EXPECT_NEAR(c.expected, once.time, c.tolerance) << c.why;
        EXPECT_NEAR(c.expected, once.created, c.tolerance) << c.why;
        const Str written = EncodeAlarm(once);
        EXPECT_EQ(std::wstring::npos, std::wstring(written.Text()).find(L'#')) << c.why << ": " << written.Text();
        const AlarmTemp again = Decoded(written);
        EXPECT_TRUE(again.time == once.time && again.created == once.created)
            << c.why << ": a write changed the dates to " << written.Text();
    }
}

// The conversion of a date is quadratic in its length; the decoder hands it
// a bounded prefix, so a damaged record of a million digits reads at once
// (unbounded, it takes minutes) and as missing dates.
TEST(AlarmText, HugeDateFieldsReadAsMissing) {
    const std::wstring digits(1000000, L'7');
    const std::wstring text = L"/T" + digits + L"/LBig/R2/SD/SZ1/E1/CT" + digits + L"/V3/VIB1";
    EXPECT_EQ(Describe(Record(0.0, L"Big", 2, L"", 1, 1, 0.0, 3, 1)), Describe(Decoded(text.c_str())));
}

TEST(AlarmText, RepeatTextForEveryClassOfSet) {
    const struct {
        int days;
        const wchar_t *text;
    } cases[] = {
        {62, L"Weekdays"},
        {0, L"Never"},
        {128, L"Never"}, // no weekday bit
        {127, L"Everyday"},
        {1, L"Every Sunday"},
        {4, L"Every Tuesday"},
        {65, L"Sun Sat"},
        {1 | 4 | 64, L"Sun Tue Sat"},
        {126, L"Mon Tue Wed Thu Fri Sat"},
    };
    for (const auto &c : cases)
        EXPECT_STREQ(c.text, RepeatText(static_cast<BYTE>(c.days))) << "repeat_days " << c.days;
}

TEST(AlarmText, NewIdsAreDistinctGuidTexts) {
    const Str a = NewAlarmId();
    const Str b = NewAlarmId();
    const std::wregex guid(L"\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}");
    EXPECT_TRUE(std::regex_match(a.Text(), guid)) << a.Text();
    EXPECT_TRUE(std::regex_match(b.Text(), guid)) << b.Text();
    EXPECT_STRNE(a, b);
}

} // namespace
