// The alarm record's stored text: DecodeAlarm on any text, and
// DecodeAlarm(EncodeAlarm(x)) = x for records the format can hold: a label
// or sound without "/" (the text has no escaping, so "/" ends a value) and
// dates of at least 1e-20 days, which its 38 decimals keep whole.
#include <climits>
#include <cmath>
#include <cstring>
#include <sstream>

#include "Fuzz.h"
#include "alarm/AlarmTemp.h"
#include "alarm/OleTime.h"

namespace fuzz {
namespace {

std::string Describe(const AlarmTemp &r) {
    std::ostringstream out;
    out.precision(17);
    out << "time " << r.time << " label(" << r.label.Length() << ") repeat " << int(r.repeat_days) << " sound("
        << r.sound.Length() << ") snooze " << r.snooze << " enabled " << r.enabled << " created " << r.created
        << " volume " << r.volume << " vibrate " << r.vibrate;
    return out.str();
}

bool Same(const AlarmTemp &a, const AlarmTemp &b) {
    return a.time == b.time && a.label == b.label.Text() && a.repeat_days == b.repeat_days &&
           a.sound == b.sound.Text() && a.snooze == b.snooze && a.enabled == b.enabled && a.created == b.created &&
           a.volume == b.volume && a.vibrate == b.vibrate;
}

// Any date the platform converts, mostly real ones: a day and a time of day.
double RandomDate(Rng &rng) {
    const double first = -657434.0, last = 2958465.0; // years 100 to 9999
    double date;
    switch (rng.Below(4)) {
    case 0:
        date = 0.0;
        break;
    case 1: // any double in range, whatever its digits
        do {
            uint64_t bits = rng.Next();
            std::memcpy(&date, &bits, sizeof date);
        } while (!std::isfinite(date) || date < first || date > last || (date != 0.0 && std::fabs(date) < 1e-20));
        break;
    default:
        date = std::floor(first + rng.Below(static_cast<size_t>(last - first))) + rng.Below(86400) / 86400.0;
        break;
    }
    SYSTEMTIME unused;
    return OleTime::ToSystemTime(date, &unused) ? date : 0.0;
}

int RandomInt(Rng &rng) {
    switch (rng.Below(3)) {
    case 0:
        return static_cast<int>(rng.Below(7)) - 1;
    case 1:
        return static_cast<int>(static_cast<uint32_t>(rng.Next()));
    default:
        return rng.OneIn(2) ? INT_MIN : INT_MAX;
    }
}

class AlarmTextHarness : public Harness {
public:
    const char *Name() const override { return "alarm-text"; }
    int Unit() const override { return 2; }
    size_t MaxSize() const override { return 8192; }

    std::vector<Bytes> Seeds() override {
        return {
            TextBytes(L"/T40008.31250000000000000000000000000000000000/LWork/R62/SD\\Windows\\Alarm4.wma/SZ1/E1"
                      L"/CT40007.50000000000000000000000000000000000000/V5/VIB0"),
            TextBytes(kUnreadableAlarmText),
            TextBytes(L"/T0.5/Lback/up/R65/SD\\Windows\\Alarm1.wav/SZ0/E1/VIB1"),
            TextBytes(L"/T-1.25/Lx/E0/R127/SD/SZ1/E1/CT2958465.99999/V-1/VIB0"),
            TextBytes(L""),
        };
    }

    std::vector<Bytes> Tokens() override {
        std::vector<Bytes> tokens;
        for (const wchar_t *token : {L"/T",
                                     L"/L",
                                     L"/R",
                                     L"/SD",
                                     L"/SZ",
                                     L"/E",
                                     L"/CT",
                                     L"/V",
                                     L"/VIB",
                                     L"-",
                                     L".",
                                     L"1e308",
                                     L"99999999999999999999",
                                     L"-2147483648",
                                     L"2147483648",
                                     L"0.",
                                     L"0.00000000000000000000000000000000000001",
                                     L"nan",
                                     L"inf",
                                     L"2958466"})
            tokens.push_back(TextBytes(token));
        return tokens;
    }

    Verdict Feed(const Bytes &input) override {
        AlarmTemp decoded;
        DecodeAlarm(decoded, GuardedText(BytesText(input)));
        Verdict verdict;
        verdict.accepted = true;
        SYSTEMTIME unused;
        if (!OleTime::ToSystemTime(decoded.time, &unused) || !OleTime::ToSystemTime(decoded.created, &unused))
            verdict.failure = "decoded a date the platform cannot convert: " + Describe(decoded);
        if (expecting_) {
            expecting_ = false;
            if (!Same(decoded, expected_))
                verdict.failure = "written " + Describe(expected_) + ", read back " + Describe(decoded);
            return verdict;
        }
        // Whatever a text decodes to must survive being stored again.
        AlarmTemp again;
        DecodeAlarm(again, EncodeAlarm(decoded).Text());
        if (verdict.failure.empty() && !Same(again, decoded))
            verdict.failure = "decoded " + Describe(decoded) + ", stored and read again " + Describe(again);
        return verdict;
    }

    bool Generate(Rng &rng, Bytes *input) override {
        AlarmTemp &r = expected_;
        r.time = RandomDate(rng);
        r.label = RandomText(rng, rng.OneIn(50) ? 2000 : 40, L"/").c_str();
        r.repeat_days = static_cast<BYTE>(rng.Next());
        r.sound = RandomText(rng, rng.OneIn(50) ? 2000 : 60, L"/").c_str();
        r.snooze = RandomInt(rng);
        r.enabled = RandomInt(rng);
        r.created = RandomDate(rng);
        r.volume = RandomInt(rng);
        r.vibrate = RandomInt(rng);
        *input = TextBytes(EncodeAlarm(r).Text());
        expecting_ = true;
        return true;
    }

private:
    AlarmTemp expected_;
    bool expecting_ = false;
};

Registration registration(new AlarmTextHarness);

} // namespace
} // namespace fuzz
