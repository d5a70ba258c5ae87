// The fuzzer's driver: runs the harnesses, watches every input with a time
// limit, saves the inputs that fail, crash or hang, and replays a saved one.
//
//   TallyPadFuzz [--reader NAME]... [--inputs N] [--seed N] [--out DIR]
//                [--limit-ms N] [--list] [--replay FILE]
//
// Without --inputs each reader runs its short run. Exit code 0: nothing
// failed; 1: properties broken; 3: a crash; 4: a hang (the process ends at
// the first crash or hang, with the input saved).
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <mutex>

#include "Fuzz.h"
#include "Mutator.h"

namespace fuzz {

uint64_t Rng::Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

size_t Rng::Size(size_t most) {
    if (most == 0)
        return 0;
    // Three sizes in four are below 16.
    return OneIn(4) ? Below(most + 1) : Below(std::min<size_t>(most, 15) + 1);
}

std::vector<Harness *> &Harnesses() {
    static std::vector<Harness *> harnesses; // owned for the process's life
    return harnesses;
}

Bytes TextBytes(const std::wstring &text) {
    Bytes bytes;
    bytes.reserve(text.size() * 2);
    for (wchar_t c : text) {
        bytes.push_back(static_cast<unsigned char>(c & 0xFF));
        bytes.push_back(static_cast<unsigned char>(c >> 8));
    }
    return bytes;
}

std::wstring BytesText(const Bytes &bytes) {
    std::wstring text(bytes.size() / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<wchar_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return text;
}

namespace {

const size_t kGuardedSize = 4 << 20;

// Room for the largest input, followed by one inaccessible page.
unsigned char *GuardedEnd() {
    static unsigned char *end = [] {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        auto *base = static_cast<unsigned char *>(
            VirtualAlloc(nullptr, kGuardedSize + info.dwPageSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old;
        VirtualProtect(base + kGuardedSize, info.dwPageSize, PAGE_NOACCESS, &old);
        return base + kGuardedSize;
    }();
    return end;
}

} // namespace

const wchar_t *GuardedText(const std::wstring &text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (bytes > kGuardedSize)
        return nullptr;
    auto *start = reinterpret_cast<wchar_t *>(GuardedEnd() - bytes);
    std::memcpy(start, text.c_str(), bytes);
    return start;
}

const unsigned char *GuardedBytes(const Bytes &bytes) {
    if (bytes.size() > kGuardedSize)
        return nullptr;
    unsigned char *start = GuardedEnd() - bytes.size();
    std::memcpy(start, bytes.data(), bytes.size());
    return start;
}

std::wstring RandomText(Rng &rng, size_t most, const wchar_t *excluded) {
    std::wstring text(rng.Size(most), L' ');
    for (wchar_t &c : text) {
        do {
            switch (rng.Below(4)) {
            case 0:
                c = static_cast<wchar_t>(rng.Next());
                break;
            case 1:
                c = static_cast<wchar_t>(0x80 + rng.Below(0x780)); // accented and other scripts
                break;
            default:
                c = static_cast<wchar_t>(0x20 + rng.Below(0x5F)); // printable ASCII
                break;
            }
        } while (c == 0 || (excluded && wcschr(excluded, c)));
    }
    return text;
}

namespace {

struct Options {
    std::vector<std::string> readers;
    size_t inputs = 0; // 0: each reader's short run
    uint64_t seed = 1;
    std::string out = "fuzz-failures";
    DWORD limitMs = 2000;
    std::string replay;
};

// The input being fed, for the watchdog and the crash handler. The driver
// thread writes it before it starts the input's clock.
Bytes g_current;
char g_reader[64];
size_t g_index;
std::atomic<ULONGLONG> g_startedAt{0}; // 0: no input running
Options g_options;

std::string SavedPath(const char *kind) {
    char path[MAX_PATH];
    _snprintf(path, MAX_PATH, "%s\\%s-%s-seed%llu-%zu.bin", g_options.out.c_str(), g_reader, kind,
              static_cast<unsigned long long>(g_options.seed), g_index);
    path[MAX_PATH - 1] = '\0';
    return path;
}

// Plain system calls only: this also runs from the crash handler.
void SaveCurrent(const char *kind) {
    CreateDirectoryA(g_options.out.c_str(), nullptr);
    const std::string path = SavedPath(kind);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, g_current.data(), static_cast<DWORD>(g_current.size()), &written, nullptr);
        CloseHandle(file);
    }
    fprintf(stderr, "%s: input %zu saved to %s\n", g_reader, g_index, path.c_str());
    fflush(stderr);
}

LONG WINAPI OnCrash(EXCEPTION_POINTERS *info) {
    fprintf(stderr, "%s: CRASH, exception 0x%08lx at %p\n", g_reader, info->ExceptionRecord->ExceptionCode,
            info->ExceptionRecord->ExceptionAddress);
    SaveCurrent("crash");
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

void OnAbort(int) {
    fprintf(stderr, "%s: CRASH, abort\n", g_reader);
    SaveCurrent("crash");
    TerminateProcess(GetCurrentProcess(), 3);
}

DWORD WINAPI Watchdog(void *) {
    for (;;) {
        Sleep(50);
        const ULONGLONG started = g_startedAt.load();
        if (started != 0 && GetTickCount64() - started > g_options.limitMs) {
            fprintf(stderr, "%s: HANG, input %zu ran over %lu ms\n", g_reader, g_index, g_options.limitMs);
            SaveCurrent("hang");
            TerminateProcess(GetCurrentProcess(), 4);
        }
    }
}

Verdict FeedWatched(Harness &harness, const Bytes &input, size_t index) {
    g_current = input;
    g_index = index;
    g_startedAt.store(GetTickCount64());
    Verdict verdict;
    try {
        verdict = harness.Feed(input);
    } catch (const std::exception &e) {
        // A reader that throws takes its program down with it.
        g_startedAt.store(0);
        fprintf(stderr, "%s: CRASH, exception thrown: %s\n", g_reader, e.what());
        SaveCurrent("crash");
        TerminateProcess(GetCurrentProcess(), 3);
    }
    g_startedAt.store(0);
    return verdict;
}

uint64_t NameHash(const char *name) {
    uint64_t hash = 1469598103934665603ull;
    for (; *name; ++name)
        hash = (hash ^ static_cast<unsigned char>(*name)) * 1099511628211ull;
    return hash;
}

// Inputs the reader accepted, kept to mutate further (mutations stack up).
class Pool {
public:
    void Add(const Bytes &input, Rng &rng) {
        if (inputs_.size() < kSize)
            inputs_.push_back(input);
        else
            inputs_[rng.Below(kSize)] = input;
    }
    const std::vector<Bytes> &Inputs() const { return inputs_; }

private:
    static const size_t kSize = 256;
    std::vector<Bytes> inputs_;
};

struct Counts {
    size_t inputs = 0, generated = 0, accepted = 0, failures = 0;
    double slowestMs = 0;
    size_t slowestBytes = 0;
};

// Returns the number of broken properties.
size_t RunReader(Harness &harness, size_t inputs) {
    lstrcpynA(g_reader, harness.Name(), sizeof g_reader);
    Rng rng(g_options.seed ^ NameHash(harness.Name()));
    const std::vector<Bytes> seeds = harness.Seeds();
    const Mutator mutator(harness.Unit(), harness.MaxSize(), harness.Tokens());
    Pool pool;
    Counts counts;
    LARGE_INTEGER frequency, begin, before, after;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    for (size_t i = 0; i < inputs; ++i) {
        Bytes input;
        const bool generated = rng.OneIn(4) && harness.Generate(rng, &input);
        if (!generated) {
            const bool fromPool = !pool.Inputs().empty() && rng.OneIn(2);
            input = fromPool ? pool.Inputs()[rng.Below(pool.Inputs().size())] : seeds[rng.Below(seeds.size())];
            mutator.Mutate(input, rng, fromPool ? seeds : pool.Inputs());
            harness.Fixup(input, rng);
        }
        QueryPerformanceCounter(&before);
        const Verdict verdict = FeedWatched(harness, input, i);
        QueryPerformanceCounter(&after);
        const double ms = 1000.0 * double(after.QuadPart - before.QuadPart) / double(frequency.QuadPart);
        if (ms > counts.slowestMs) {
            counts.slowestMs = ms;
            counts.slowestBytes = input.size();
        }
        ++counts.inputs;
        counts.generated += generated;
        counts.accepted += verdict.accepted;
        if (!verdict.failure.empty()) {
            if (++counts.failures <= 5) {
                fprintf(stderr, "%s: FAILED, input %zu%s: %s\n", g_reader, i, generated ? " (generated)" : "",
                        verdict.failure.c_str());
                SaveCurrent("fail");
            }
        } else if (verdict.accepted && (generated || rng.OneIn(8))) {
            pool.Add(input, rng);
        }
        // Progress of a long run, so that one cut short still tells its count.
        if ((i + 1) % 100000 == 0) {
            fprintf(stderr, "%s: %zu inputs, %zu failures\n", g_reader, i + 1, counts.failures);
            fflush(stderr);
        }
    }
    QueryPerformanceCounter(&after);
    const double seconds = double(after.QuadPart - begin.QuadPart) / double(frequency.QuadPart);
    printf("%-15s %9zu inputs, %8zu generated, %8zu accepted, %zu failures, 0 crashes, 0 hangs, %.1f s, "
           "slowest %.1f ms (%zu bytes)\n",
           harness.Name(), counts.inputs, counts.generated, counts.accepted, counts.failures, seconds, counts.slowestMs,
           counts.slowestBytes);
    fflush(stdout);
    return counts.failures;
}

int Replay(Harness &harness, const std::string &path) {
    lstrcpynA(g_reader, harness.Name(), sizeof g_reader);
    FILE *file = fopen(path.c_str(), "rb");
    if (!file) {
        fprintf(stderr, "cannot read %s\n", path.c_str());
        return 2;
    }
    Bytes input;
    unsigned char block[4096];
    size_t n;
    while ((n = fread(block, 1, sizeof block, file)) > 0)
        input.insert(input.end(), block, block + n);
    fclose(file);
    const Verdict verdict = FeedWatched(harness, input, 0);
    printf("%s: %zu bytes, %s, %s\n", harness.Name(), input.size(), verdict.accepted ? "accepted" : "refused",
           verdict.failure.empty() ? "all properties hold" : verdict.failure.c_str());
    return verdict.failure.empty() ? 0 : 1;
}

bool ParseOptions(int argc, char **argv, Options *options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--list") {
            for (Harness *harness : Harnesses())
                printf("%s\n", harness->Name());
            exit(0);
        } else if (arg == "--reader" && hasValue) {
            options->readers.push_back(argv[++i]);
        } else if (arg == "--inputs" && hasValue) {
            options->inputs = strtoull(argv[++i], nullptr, 10);
        } else if (arg == "--seed" && hasValue) {
            options->seed = strtoull(argv[++i], nullptr, 10);
        } else if (arg == "--out" && hasValue) {
            options->out = argv[++i];
        } else if (arg == "--limit-ms" && hasValue) {
            options->limitMs = strtoul(argv[++i], nullptr, 10);
        } else if (arg == "--replay" && hasValue) {
            options->replay = argv[++i];
        } else {
            fprintf(stderr, "unknown argument %s\n", arg.c_str());
            return false;
        }
    }
    return true;
}

std::vector<Harness *> Selected(const Options &options) {
    if (options.readers.empty())
        return Harnesses();
    std::vector<Harness *> selected;
    for (const std::string &name : options.readers) {
        for (Harness *harness : Harnesses())
            if (name == harness->Name())
                selected.push_back(harness);
    }
    return selected;
}

} // namespace

} // namespace fuzz

int main(int argc, char **argv) {
    using namespace fuzz;
    if (!ParseOptions(argc, argv, &g_options))
        return 2;
    const std::vector<Harness *> harnesses = Selected(g_options);
    if (harnesses.empty() || (!g_options.replay.empty() && harnesses.size() != 1)) {
        fprintf(stderr, "name one reader of --list (all of them, without --replay)\n");
        return 2;
    }
    // Room for the crash handler after a stack overflow.
    ULONG guarantee = 64 * 1024;
    SetThreadStackGuarantee(&guarantee);
    SetUnhandledExceptionFilter(OnCrash);
    signal(SIGABRT, OnAbort);
    CloseHandle(CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr));

    if (!g_options.replay.empty())
        return Replay(*harnesses[0], g_options.replay);
    size_t failures = 0;
    for (Harness *harness : harnesses)
        failures += RunReader(*harness, g_options.inputs ? g_options.inputs : harness->ShortInputs());
    return failures ? 1 : 0;
}
