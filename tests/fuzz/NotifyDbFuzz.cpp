// The notification database file: Deserialize on any bytes (most with
// their checksum made right, so that the layout checks behind it are
// reached), a database it accepts written back byte for byte, and databases
// written with Serialize read back whole, a few of them with many records.
#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "Fuzz.h"
#include "NotifyStore.h"
#include "notify.h"

namespace fuzz {
namespace {

using notify::Database;
using notify::OptText;
using notify::Record;

DWORD Fnv1a(const unsigned char *data, size_t size) {
    DWORD hash = 2166136261u;
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ data[i]) * 16777619u;
    return hash;
}

bool SameText(const OptText &a, const OptText &b) { return a.present == b.present && a.text == b.text; }

bool SameRecord(const Record &a, const Record &b) {
    return a.handle == b.handle && a.status == b.status && a.type == b.type && a.event == b.event &&
           std::memcmp(&a.start, &b.start, sizeof a.start) == 0 && std::memcmp(&a.end, &b.end, sizeof a.end) == 0 &&
           SameText(a.application, b.application) && SameText(a.arguments, b.arguments) && a.hasUser == b.hasUser &&
           a.actionFlags == b.actionFlags && a.maxSound == b.maxSound && a.reserved == b.reserved &&
           SameText(a.title, b.title) && SameText(a.text, b.text) && SameText(a.sound, b.sound);
}

bool SameDatabase(const Database &a, const Database &b) {
    if (a.nextHandle != b.nextHandle || a.records.size() != b.records.size())
        return false;
    for (size_t i = 0; i < a.records.size(); ++i)
        if (!SameRecord(a.records[i], b.records[i]))
            return false;
    return true;
}

OptText RandomOptText(Rng &rng, size_t most) {
    OptText text;
    text.present = !rng.OneIn(5);
    if (text.present)
        text.text = RandomText(rng, rng.OneIn(20) ? most : 40, nullptr);
    return text;
}

SYSTEMTIME RandomTime(Rng &rng) {
    SYSTEMTIME t;
    WORD *words = &t.wYear;
    for (int i = 0; i < 8; ++i)
        words[i] = static_cast<WORD>(rng.OneIn(2) ? rng.Next() : rng.Below(60));
    return t;
}

// Mostly small handles, some at the top of the range; room for count of them.
DWORD RandomHandle(Rng &rng, size_t count) {
    return rng.OneIn(4) ? 0x7FFFFFFF - static_cast<DWORD>(rng.Below(4))
                        : 1 + static_cast<DWORD>(rng.Below(5000 + 2 * count));
}

Database RandomDatabase(Rng &rng) {
    Database db;
    // Now and then very many records, which must load in linear time.
    const size_t count = rng.OneIn(1000) ? 30000 + rng.Below(15000) : rng.Size(20);
    db.nextHandle = RandomHandle(rng, count);
    std::unordered_set<DWORD> handles;
    for (size_t n = count; n > 0; --n) {
        Record r;
        do
            r.handle = RandomHandle(rng, count);
        while (!handles.insert(r.handle).second);
        r.status = static_cast<DWORD>(rng.Next());
        r.type = static_cast<DWORD>(rng.Below(6));
        r.event = static_cast<DWORD>(rng.Next());
        r.start = RandomTime(rng);
        r.end = RandomTime(rng);
        r.application = RandomOptText(rng, CE_NOTIFICATION_MAX_APPLICATION);
        r.arguments = RandomOptText(rng, CE_NOTIFICATION_MAX_ARGUMENTS);
        r.hasUser = rng.OneIn(3);
        if (r.hasUser) {
            r.actionFlags = static_cast<DWORD>(rng.Next());
            r.maxSound = static_cast<DWORD>(rng.Next());
            r.reserved = static_cast<DWORD>(rng.Next());
            r.title = RandomOptText(rng, CE_NOTIFICATION_MAX_DIALOG_TEXT);
            r.text = RandomOptText(rng, CE_NOTIFICATION_MAX_DIALOG_TEXT);
            r.sound = RandomOptText(rng, CE_NOTIFICATION_MAX_SOUND);
        }
        db.records.push_back(r);
    }
    return db;
}

class NotifyDbHarness : public Harness {
public:
    const char *Name() const override { return "notify-db"; }
    size_t MaxSize() const override { return 16384; }

    std::vector<Bytes> Seeds() override {
        Rng rng(11);
        std::vector<Bytes> seeds;
        for (int i = 0; i < 5; ++i) {
            const std::string bytes = notify::Serialize(i == 0 ? Database() : RandomDatabase(rng));
            seeds.emplace_back(bytes.begin(), bytes.end());
        }
        return seeds;
    }

    // Most inputs get the checksum their bytes need; a few keep a wrong one.
    void Fixup(Bytes &input, Rng &rng) override {
        if (input.size() < 8 || rng.OneIn(10))
            return;
        if (rng.OneIn(2))
            std::copy_n("TPNOTIFY", 8, input.begin());
        const size_t body = input.size() - 4;
        const DWORD sum = Fnv1a(input.data(), body);
        for (int i = 0; i < 4; ++i)
            input[body + i] = static_cast<unsigned char>(sum >> (8 * i));
    }

    Verdict Feed(const Bytes &input) override {
        const std::string bytes(input.begin(), input.end());
        Database read;
        read.nextHandle = 0xABCD;
        Verdict verdict;
        verdict.accepted = notify::Deserialize(bytes, read);
        if (expecting_) {
            expecting_ = false;
            if (!verdict.accepted || !SameDatabase(read, expected_))
                verdict.failure = "a written database did not read back the same";
            return verdict;
        }
        if (!verdict.accepted) {
            if (read.nextHandle != 0xABCD || !read.records.empty())
                verdict.failure = "refused the file but changed the database";
            return verdict;
        }
        if (notify::Serialize(read) != bytes)
            verdict.failure = "accepted a file that does not write back the same";
        for (const Record &r : read.records)
            if (r.handle == 0 || r.handle > 0x7FFFFFFF)
                verdict.failure = "accepted a record without a usable handle";
        return verdict;
    }

    bool Generate(Rng &rng, Bytes *input) override {
        expected_ = RandomDatabase(rng);
        const std::string bytes = notify::Serialize(expected_);
        input->assign(bytes.begin(), bytes.end());
        expecting_ = true;
        return true;
    }

private:
    Database expected_;
    bool expecting_ = false;
};

Registration registration(new NotifyDbHarness);

} // namespace
} // namespace fuzz
