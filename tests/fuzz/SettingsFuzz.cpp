// Registry values of any type and size where the programs expect their own:
// the settings key read by Settings::Load, ReadRegDword and ReadRegString,
// and the world clock's "RecentList". An input is a script of values to
// store: per value a name (1 byte, an index into the names below), a type
// (1 byte), a size (2 bytes) and the data. What each reader must make of it
// follows from what was stored. Settings saved and loaded again read back
// the same.
#include <cstring>
#include <map>
#include <string>

#include "BaseLib/Registry.h"
#include "Fuzz.h"
#include "shell/Settings.h"
#include "world/RecentList.h"

namespace fuzz {
namespace {

const wchar_t kKey[] = L"Software\\Velmora\\TallyPadFuzz";
const wchar_t kDocuments[] = L"C:\\My Documents";
const int kDpi = 96;

// The settings' numbers in the order they are read: a later name of the
// same field wins.
struct DwordName {
    const wchar_t *name;
    DWORD Settings::*field;
};
const DwordName kDwords[] = {
    {L"PopupBtt", &Settings::popupBtt},           {L"ShowIcon", &Settings::showIcon},
    {L"FeedbackVibro", &Settings::feedbackVibro}, {L"MinimizedPosX", &Settings::minimizedPosX},
    {L"MinimizedPosY", &Settings::minimizedPosY}, {L"MaxPosCalcX", &Settings::maxPosX},
    {L"MaxPosCalcY", &Settings::maxPosY},         {L"MaxPosNoteX", &Settings::maxPosX},
    {L"MaxPosNoteY", &Settings::maxPosY},         {L"IsFullNote", &Settings::isFull},
    {L"IsFullCalc", &Settings::isFull},           {L"MaxPosConvX", &Settings::maxPosX},
    {L"MaxPosConvY", &Settings::maxPosY},         {L"NoteScale1", &Settings::noteScale1},
    {L"NoteScale2", &Settings::noteScale2},       {L"PenMode", &Settings::penMode},
    {L"UseDrawing", &Settings::useDrawing},
};
const size_t kDwordCount = std::size(kDwords);
// Then the texts, each with the most bytes the settings read of it.
struct TextName {
    const wchar_t *name;
    DWORD limitBytes;
};
const TextName kTexts[] = {{L"NoteName", 100}, {L"NoteDir", 260}, {L"Recent0", 520},
                           {L"Recent1", 520},  {L"Recent2", 520}, {L"Recent3", 520}};
const wchar_t kRecentList[] = L"RecentList";
const size_t kNameCount = kDwordCount + std::size(kTexts) + 1;

const wchar_t *NameAt(size_t index) {
    if (index < kDwordCount)
        return kDwords[index].name;
    index -= kDwordCount;
    return index < std::size(kTexts) ? kTexts[index].name : kRecentList;
}

const DWORD kTypes[] = {REG_SZ,       REG_DWORD, REG_BINARY, REG_EXPAND_SZ,
                        REG_MULTI_SZ, REG_QWORD, REG_NONE,   REG_DWORD_BIG_ENDIAN};

// No script stores this type: what the key holds is not known.
const DWORD kUnknownType = 0xFFFFFFFF;

struct Value {
    DWORD type;
    Bytes data;
};
using Stored = std::map<std::wstring, Value>;

// The values a script stores; a later one of the same name replaces it.
Stored Parse(const Bytes &script) {
    Stored stored;
    size_t at = 0;
    while (at + 4 <= script.size()) {
        const wchar_t *name = NameAt(script[at] % kNameCount);
        const DWORD type = kTypes[script[at + 1] % std::size(kTypes)];
        const size_t size = std::min<size_t>(script[at + 2] | (script[at + 3] << 8), script.size() - at - 4);
        stored[name] = Value{type, Bytes(script.begin() + at + 4, script.begin() + at + 4 + size)};
        at += 4 + size;
    }
    return stored;
}

void AddToScript(Bytes &script, size_t nameIndex, size_t typeIndex, const Bytes &data) {
    script.push_back(static_cast<unsigned char>(nameIndex));
    script.push_back(static_cast<unsigned char>(typeIndex));
    script.push_back(static_cast<unsigned char>(data.size() & 0xFF));
    script.push_back(static_cast<unsigned char>(data.size() >> 8));
    script.insert(script.end(), data.begin(), data.end());
}

Bytes DwordBytes(DWORD value) {
    return {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
            static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
}

Bytes StringBytes(const wchar_t *text) {
    Bytes bytes = TextBytes(text);
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

// A number is read only from a REG_DWORD of four bytes.
bool StoredDword(const Stored &stored, const wchar_t *name, DWORD *value) {
    const auto found = stored.find(name);
    if (found == stored.end() || found->second.type != REG_DWORD || found->second.data.size() != 4)
        return false;
    std::memcpy(value, found->second.data.data(), 4);
    return true;
}

// The text of a REG_SZ value of at most limitBytes: its characters less one
// terminator, up to the first NUL; without a terminator it must leave room
// for one in capacity characters.
bool StoredText(const Stored &stored, const wchar_t *name, DWORD limitBytes, DWORD capacity, std::wstring *text) {
    const auto found = stored.find(name);
    if (found == stored.end() || found->second.type != REG_SZ || found->second.data.size() > limitBytes)
        return false;
    std::wstring chars = BytesText(found->second.data);
    const bool terminated = !chars.empty() && chars.back() == L'\0';
    if (terminated)
        chars.pop_back();
    else if (chars.size() >= capacity)
        return false;
    *text = chars.c_str();
    return true;
}

Settings Expected(const Stored &stored) {
    Settings s(kDpi, kDpi, kDocuments);
    for (const DwordName &d : kDwords)
        StoredDword(stored, d.name, &(s.*d.field));
    if (!StoredDword(stored, L"PenMode", &s.penMode))
        s.penMode = 0;
    if (!StoredDword(stored, L"UseDrawing", &s.useDrawing))
        s.useDrawing = 0;
    std::wstring text;
    if (StoredText(stored, L"NoteName", 100, 50, &text))
        lstrcpynW(s.noteName, text.c_str(), 100);
    if (StoredText(stored, L"NoteDir", 260, 130, &text))
        lstrcpynW(s.noteDir, text.c_str(), MAX_PATH);
    for (int i = 0; i < 4; ++i)
        if (StoredText(stored, kTexts[2 + i].name, 520, 260, &text))
            lstrcpynW(s.recent[i], text.c_str(), MAX_PATH);
    if (static_cast<int>(s.minimizedPosX) < 1)
        s.minimizedPosX = 1;
    if (static_cast<int>(s.minimizedPosY) <= static_cast<int>(Settings::MinimizedTopLimit(kDpi)))
        s.minimizedPosY = Settings::MinimizedTopLimit(kDpi);
    if (s.useDrawing == 0)
        s.penMode = 1;
    if (s.noteDir[0] == L'\0')
        lstrcpynW(s.noteDir, kDocuments, MAX_PATH);
    return s;
}

// Field by field; the name of the first that differs, or "".
std::string Difference(const Settings &a, const Settings &b) {
    for (const DwordName &d : kDwords)
        if (a.*d.field != b.*d.field)
            return "value for " + std::string(d.name, d.name + wcslen(d.name));
    if (wcscmp(a.noteName, b.noteName) != 0)
        return "NoteName";
    if (wcscmp(a.noteDir, b.noteDir) != 0)
        return "NoteDir";
    for (int i = 0; i < 4; ++i)
        if (wcscmp(a.recent[i], b.recent[i]) != 0)
            return "Recent" + std::to_string(i);
    return "";
}

template <size_t N>
bool Terminated(const wchar_t (&field)[N]) {
    return wmemchr(field, L'\0', N) != nullptr;
}

std::vector<world::City> CityTable() {
    std::vector<world::City> cities(50);
    for (world::City &city : cities)
        city.valid = true;
    return cities;
}

class SettingsHarness : public Harness {
public:
    const char *Name() const override { return "settings"; }
    size_t MaxSize() const override { return 4096; }
    size_t ShortInputs() const override { return 1500; }

    std::vector<Bytes> Seeds() override {
        Bytes saved;
        for (size_t i = 0; i < kDwordCount; ++i)
            AddToScript(saved, i, 1, DwordBytes(static_cast<DWORD>(i * 37)));
        AddToScript(saved, kDwordCount, 0, StringBytes(L"Note"));
        AddToScript(saved, kDwordCount + 1, 0, StringBytes(L"\\My Documents\\Notes"));
        AddToScript(saved, kDwordCount + 2, 0, StringBytes(L"\\My Documents\\Shopping list.pwi"));
        AddToScript(saved, kNameCount - 1, 0, StringBytes(L"3,17,42,"));
        Bytes wrong;
        AddToScript(wrong, 0, 0, StringBytes(L"1"));                           // a number stored as text
        AddToScript(wrong, 3, 2, Bytes{1, 0});                                 // two bytes of binary
        AddToScript(wrong, 4, 5, DwordBytes(7));                               // a QWORD cut short
        AddToScript(wrong, kDwordCount, 0, TextBytes(std::wstring(60, L'n'))); // too long, no terminator
        AddToScript(wrong, kDwordCount + 1, 1, DwordBytes(5));                 // a folder stored as a number
        AddToScript(wrong, kNameCount - 1, 2, TextBytes(L"1,2,"));             // the list as binary
        return {saved, wrong};
    }

    Verdict Feed(const Bytes &input) override {
        if (expecting_) {
            expecting_ = false;
            return SaveAndLoad();
        }
        const Stored stored = Parse(input);
        Store(stored);
        Verdict verdict;
        verdict.accepted = true;
        Settings loaded(kDpi, kDpi, kDocuments);
        loaded.Load(kKey);
        if (!Terminated(loaded.noteName) || !Terminated(loaded.noteDir) || !Terminated(loaded.recent[0]) ||
            !Terminated(loaded.recent[1]) || !Terminated(loaded.recent[2]) || !Terminated(loaded.recent[3]))
            verdict.failure = "a text setting without its terminator";
        else if (const std::string field = Difference(loaded, Expected(stored)); !field.empty())
            verdict.failure = "Settings::Load read " + field + " other than stored";
        CheckReadRegDword(stored, input.size() / 3, &verdict);
        CheckReadRegString(stored, input.size(), &verdict);
        CheckRecentList(&verdict);
        return verdict;
    }

    // Settings within what the store holds, saved; Feed loads them back.
    bool Generate(Rng &rng, Bytes *input) override {
        Settings &s = expected_;
        s = Settings(kDpi, kDpi, kDocuments);
        for (const DwordName &d : kDwords)
            s.*d.field = static_cast<DWORD>(rng.OneIn(2) ? rng.Below(400) : rng.Next());
        s.minimizedPosX = static_cast<DWORD>(1 + rng.Below(0x7FFFFFFE));
        s.minimizedPosY = Settings::MinimizedTopLimit(kDpi) + 1 + static_cast<DWORD>(rng.Below(1000));
        if (s.useDrawing == 0)
            s.penMode = 1;
        lstrcpynW(s.noteName, RandomText(rng, 49, nullptr).c_str(), 50);
        const std::wstring folder = RandomText(rng, 129, nullptr);
        lstrcpynW(s.noteDir, folder.empty() ? kDocuments : folder.c_str(), 130);
        for (auto &recent : s.recent)
            lstrcpynW(recent, RandomText(rng, rng.OneIn(4) ? 259 : 60, nullptr).c_str(), MAX_PATH);
        input->clear();
        for (size_t i = 0; i < kDwordCount; ++i)
            AddToScript(*input, i, 1, DwordBytes(s.*kDwords[i].field));
        AddToScript(*input, kDwordCount, 0, StringBytes(s.noteName));
        AddToScript(*input, kDwordCount + 1, 0, StringBytes(s.noteDir));
        for (int i = 0; i < 4; ++i)
            AddToScript(*input, kDwordCount + 2 + i, 0, StringBytes(s.recent[i]));
        expecting_ = true;
        return true;
    }

private:
    // Leaves exactly these values in the key. Registry calls are slow under
    // Wine: the key stays open, and only values that changed are written.
    void Store(const Stored &stored) {
        if (!key_) {
            RegDeleteTreeW(HKEY_CURRENT_USER, kKey); // left by an earlier run
            RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        }
        for (size_t i = 0; i < kNameCount; ++i) {
            const wchar_t *name = NameAt(i);
            const auto found = stored.find(name);
            if (found == stored.end()) {
                if (present_[i])
                    RegDeleteValueW(key_, name);
                present_[i] = false;
            } else if (!present_[i] || last_[i].type != found->second.type || last_[i].data != found->second.data) {
                // A text whose counted characters are followed by a NUL is
                // stored with that NUL too (as the system does for callers
                // that forget to count it): never followed by one here.
                Bytes data = found->second.data;
                data.insert(data.end(), 2, 0xFF);
                RegSetValueExW(key_, name, 0, found->second.type, data.data(),
                               static_cast<DWORD>(found->second.data.size()));
                present_[i] = true;
                last_[i] = found->second;
            }
        }
    }

    Verdict SaveAndLoad() {
        expected_.Save(kKey);
        for (size_t i = 0; i + 1 < kNameCount; ++i) {
            present_[i] = true;
            last_[i].type = kUnknownType; // rewritten when the next script holds it
        }
        Settings loaded(kDpi, kDpi, kDocuments);
        loaded.Load(kKey);
        Verdict verdict;
        verdict.accepted = true;
        if (const std::string field = Difference(loaded, expected_); !field.empty())
            verdict.failure = "saved settings read back " + field + " different";
        return verdict;
    }

    void CheckReadRegDword(const Stored &stored, size_t seed, Verdict *verdict) {
        const wchar_t *name = NameAt(seed % kNameCount);
        DWORD expected = 0xDEFA;
        StoredDword(stored, name, &expected);
        if (ReadRegDword(kKey, name, 0xDEFA) != expected && verdict->failure.empty())
            verdict->failure = "ReadRegDword read other than stored";
    }

    // Into a buffer of some capacity with guard characters behind it.
    void CheckReadRegString(const Stored &stored, size_t seed, Verdict *verdict) {
        static const DWORD kCapacities[] = {1, 2, 5, 50, 130, 260};
        const DWORD capacity = kCapacities[seed % std::size(kCapacities)];
        const wchar_t *name = NameAt(kDwordCount + seed % (kNameCount - kDwordCount));
        const wchar_t guard = 0xCDCD;
        std::wstring buffer(capacity + 8, guard);
        const bool read = ReadRegString(kKey, name, &buffer[0], capacity, L"default");
        std::wstring expected;
        const bool expectRead = StoredText(stored, name, capacity * 2, capacity, &expected);
        if (!expectRead)
            expected = std::wstring(L"default").substr(0, capacity - 1);
        if (buffer.find_first_not_of(guard, capacity) != std::wstring::npos)
            verdict->failure = "ReadRegString wrote past its buffer";
        else if (verdict->failure.empty() && (read != expectRead || expected != buffer.c_str()))
            verdict->failure = "ReadRegString read other than stored";
    }

    void CheckRecentList(Verdict *verdict) {
        world::RecentList list;
        list.Load(kKey, table_);
        for (int city : list.Cities())
            if (city < 0 || city >= static_cast<int>(table_.size()))
                verdict->failure = "RecentList loaded an index that is no city";
    }

    std::vector<world::City> table_ = CityTable();
    HKEY key_ = nullptr;            // owned, open for the process's life
    bool present_[kNameCount] = {}; // the value is in the key, holding last_
    Value last_[kNameCount];
    Settings expected_{kDpi, kDpi, kDocuments};
    bool expecting_ = false;
};

Registration registration(new SettingsHarness);

} // namespace
} // namespace fuzz
