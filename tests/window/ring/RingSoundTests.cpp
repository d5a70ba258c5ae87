// The "Timer Done" box rings for real: the device's sound goes to a capture
// file (device/test.sh points the device's ALSA output at it), where these
// tests measure how long and how loud the tone was played.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "support/Files.h"
#include "ui/MessageDlg.h"
#include "ui/Messages.h"
#include "ui/Scaling.h"

namespace {

const double kToneSeconds = 2.0; // the SoundTest tones: a steady sine at half scale

// What the capture file holds: raw 16-bit stereo at 44.1 kHz.
struct Heard {
    double loudSeconds = 0; // 10 ms windows whose level is above 1 % of full scale
    double level = 0;       // root mean square of those windows, of full scale
};

std::wstring CaptureFile() {
    char unixPath[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("TALLYPAD_SOUND_FILE", unixPath, MAX_PATH))
        return std::wstring();
    std::wstring path = L"Z:";
    for (const char *c = unixPath; *c; ++c)
        path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}

Heard Measure(const std::wstring &file) {
    const std::string bytes = testsupport::ReadFileBytes(file);
    const short *samples = reinterpret_cast<const short *>(bytes.data());
    const size_t frames = bytes.size() / 4, window = 441;
    Heard heard;
    double sum = 0;
    size_t loud = 0;
    for (size_t start = 0; start + window <= frames; start += window) {
        double square = 0;
        for (size_t i = start; i < start + window; ++i) {
            const double left = samples[2 * i] / 32768.0;
            square += left * left;
        }
        if (std::sqrt(square / window) > 0.01) {
            ++loud;
            sum += square / window;
        }
    }
    heard.loudSeconds = loud * 0.01;
    heard.level = loud ? std::sqrt(sum / loud) : 0;
    return heard;
}

std::wstring TonePath(const wchar_t *extension) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    path.resize(path.rfind(L'\\') + 1);
    return path + L"SoundTest." + extension;
}

class RingSound : public ::testing::Test {
protected:
    void SetUp() override {
        InitScreenMetrics();
        capture_ = CaptureFile();
        ASSERT_FALSE(capture_.empty()) << "run with device/test.sh: it captures the device's sound";
    }

    // Opens the box on the tone at the volume code and lets its first tick
    // start the ring.
    HWND Open(const wchar_t *extension, int code) {
        DeleteFileW(capture_.c_str());
        box_.reset(new CMessageDlg);
        box_->SetRing(code, 0);
        box_->SetText(L"Timer Done");
        box_->SetSoundPath(TonePath(extension).c_str());
        HWND hwnd = box_->CreateModeless(nullptr);
        SendMessageW(hwnd, WM_TIMER, CMessageDlg::kTickTimer, 0);
        return hwnd;
    }
    // Waits until the loud part stops growing (or the time is up).
    Heard WaitHeard(double atLeast, DWORD milliseconds) {
        Heard heard, last;
        const DWORD start = GetTickCount();
        int steady = 0;
        while (GetTickCount() - start < milliseconds) {
            Pump(100);
            heard = Measure(capture_);
            steady = heard.loudSeconds >= atLeast && heard.loudSeconds == last.loudSeconds ? steady + 1 : 0;
            if (steady >= 5)
                break;
            last = heard;
        }
        return heard;
    }
    static void Pump(DWORD milliseconds) {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < milliseconds) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
            Sleep(10);
        }
    }
    void Close(HWND hwnd) {
        SendMessageW(hwnd, UWM_BAR_COMMAND, 0, CMessageDlg::kOkCommand);
        box_.reset();
    }
    // The tone at full volume and at 60 %.
    void RingsAtTheCodesLevel(const wchar_t *extension, double shortest) {
        Close(Open(extension, 5));
        HWND hwnd = Open(extension, 5);
        const Heard full = WaitHeard(shortest, 12000);
        Close(hwnd);
        hwnd = Open(extension, 3);
        const Heard sixty = WaitHeard(shortest, 12000);
        Close(hwnd);
        std::printf("%ls: %.2f s at level %.3f (code 5), %.2f s at level %.3f (code 3)\n", extension, full.loudSeconds,
                    full.level, sixty.loudSeconds, sixty.level);
        EXPECT_GE(full.loudSeconds, shortest) << "the tone was not played whole";
        EXPECT_LE(full.loudSeconds, kToneSeconds + 0.3);
        EXPECT_GE(sixty.loudSeconds, shortest);
        EXPECT_LE(sixty.loudSeconds, kToneSeconds + 0.3);
        EXPECT_GT(full.level, 0.3) << "a half-scale sine at full volume";
        ASSERT_GT(full.level, 0);
        EXPECT_NEAR(sixty.level / full.level, 0.6, 0.06) << "code 3 is 60 % of code 5";
    }
    // Closing the box while the tone plays: at most 300 ms of it follow.
    void CloseStopsTheSound(const wchar_t *extension) {
        HWND hwnd = Open(extension, 5);
        Heard heard;
        for (int i = 0; i < 100 && heard.loudSeconds < 0.4; ++i) {
            Pump(50);
            heard = Measure(capture_);
        }
        ASSERT_GE(heard.loudSeconds, 0.4) << "the tone did not start";
        const DWORD before = GetTickCount();
        Close(hwnd);
        const DWORD closing = GetTickCount() - before;
        const Heard atClose = Measure(capture_);
        Pump(1000);
        const Heard after = Measure(capture_);
        std::printf("%ls: closed in %lu ms, %.2f s heard after\n", extension, closing,
                    after.loudSeconds - atClose.loudSeconds);
        EXPECT_LT(closing, 300u) << "closing the box waited for the ring";
        EXPECT_LE(after.loudSeconds - atClose.loudSeconds, 0.3) << "the tone went on after the box closed";
        EXPECT_LT(after.loudSeconds, kToneSeconds - 0.5);
    }

    std::wstring capture_;
    std::unique_ptr<CMessageDlg> box_;
};

TEST_F(RingSound, WaveRingsWholeAtTheCodesLevel) { RingsAtTheCodesLevel(L"wav", kToneSeconds - 0.1); }

// The media player's sound reaches the capture file in pieces (the file's
// null output takes it faster than it plays), some of it dropped.
TEST_F(RingSound, Mp3RingsAtTheCodesLevel) { RingsAtTheCodesLevel(L"mp3", kToneSeconds / 2); }
TEST_F(RingSound, WmaRingsAtTheCodesLevel) { RingsAtTheCodesLevel(L"wma", kToneSeconds / 2); }

TEST_F(RingSound, ClosingTheBoxStopsAWave) { CloseStopsTheSound(L"wav"); }
TEST_F(RingSound, ClosingTheBoxStopsAWma) { CloseStopsTheSound(L"wma"); }

} // namespace
