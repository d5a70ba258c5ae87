// The runner's command line: ParseRunnerCommand on any text, and the
// command line the notification registration writes reads back as the kind
// and identifier it was made from (an identifier holds no double quote,
// which would end it).
#include <string>

#include "Fuzz.h"
#include "alarm/ManageNotify.h"
#include "runner/RunnerCommand.h"

namespace fuzz {
namespace {

std::string Describe(const RunnerCommand &command) {
    return "kind " + std::to_string(command.kind) + ", identifier of " + std::to_string(command.identifier.Length()) +
           " characters";
}

class RunnerCommandHarness : public Harness {
public:
    const char *Name() const override { return "runner-command"; }
    int Unit() const override { return 2; }
    size_t MaxSize() const override { return 4096; }

    std::vector<Bytes> Seeds() override {
        return {
            TextBytes(L"sort=2 adx=\"{0F3A52C4-7B1D-4E8A-9C21-5D6E7F809A1B}\""),
            TextBytes(L"sort=1 adx=\"\\Windows\\Alarm4.wma\""),
            TextBytes(L"  sort=2   adx=\"id with spaces\"  "),
            TextBytes(L"sort=2"),
            TextBytes(L"adx=\"x\" sort=1"),
        };
    }

    std::vector<Bytes> Tokens() override {
        std::vector<Bytes> tokens;
        for (const wchar_t *token : {L"sort=", L"adx=", L"\"", L" ", L"-1", L"2147483648", L"sort=2 adx=\""})
            tokens.push_back(TextBytes(token));
        return tokens;
    }

    Verdict Feed(const Bytes &input) override {
        const std::wstring text = BytesText(input);
        const RunnerCommand command = ParseRunnerCommand(GuardedText(text));
        Verdict verdict;
        verdict.accepted = command.kind == 1 || command.kind == 2;
        if (wcschr(command.identifier.Text(), L'"'))
            verdict.failure = "identifier holds a double quote";
        else if (text.find(command.identifier.Text()) == std::wstring::npos)
            verdict.failure = "identifier is not part of the command line";
        if (expecting_) {
            expecting_ = false;
            if (command.kind != expected_.kind || command.identifier != expected_.identifier.Text())
                verdict.failure = "written " + Describe(expected_) + ", read back " + Describe(command);
            return verdict;
        }
        // What the runner understood, registered again, means the same.
        const RunnerCommand again =
            ParseRunnerCommand(CManageNotify::CommandLine(command.kind, command.identifier).Text());
        if (verdict.failure.empty() && (again.kind != command.kind || again.identifier != command.identifier.Text()))
            verdict.failure = "parsed " + Describe(command) + ", written and parsed again " + Describe(again);
        return verdict;
    }

    bool Generate(Rng &rng, Bytes *input) override {
        expected_.kind = rng.OneIn(2) ? 1 + static_cast<int>(rng.Below(2)) : static_cast<int>(rng.Next());
        expected_.identifier = RandomText(rng, rng.OneIn(20) ? 1000 : 60, L"\"").c_str();
        *input = TextBytes(CManageNotify::CommandLine(expected_.kind, expected_.identifier).Text());
        expecting_ = true;
        return true;
    }

private:
    RunnerCommand expected_;
    bool expecting_ = false;
};

Registration registration(new RunnerCommandHarness);

} // namespace
} // namespace fuzz
