// The ring-tone and volume pickers on the test device's screen, over a
// parent that records what it is told: rows tapped by stylus messages, OK
// and Cancel through the title-bar command.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ListTestSupport.h"
#include "alarm/RingVolume.h"
#include "alarm/RingVolumeWnd.h"
#include "alarm/SelectRingtoneWnd.h"
#include "support/TempTree.h"
#include "ui/Messages.h"
#include "ui/Scaling.h"

namespace {

using listtest::Point;
using listtest::Pump;
typedef std::vector<UINT> Messages;

const int kRowHeight = 43; // at 96 dpi

void NoWait(DWORD) {}

class RingPickers : public ::testing::Test {
protected:
    void SetUp() override {
        SetMetrics(ComputeScreenMetrics(240, 320, 96, 96));
        CListWnd::SetWaitFunction(NoWait);
        tree.Folder(L"Tones");
        for (const wchar_t *file : {L"Tones\\Alarm1.WAV", L"Tones\\notes.txt", L"Tones\\tone.Mp3", L"Tones\\readme"})
            tree.File(file);
        tree.Folder(L"More");
        tree.File(L"More\\bell.wma");
        parent.received.clear();
    }
    void TearDown() override {
        Pump();
        CListWnd::SetWaitFunction(nullptr);
    }
    // Taps a row, scrolled into view.
    static void Tap(CUIList &picker, int row, int x = 100) {
        picker.List()->SetOffset(row * kRowHeight); // clamped
        const RECT r = picker.List()->RowRect(row);
        const LPARAM at = Point(x, (r.top + r.bottom) / 2);
        SendMessageW(picker.List()->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(picker.List()->GetHwnd(), WM_LBUTTONUP, 0, at);
        Pump();
    }
    // OK or Cancel; returns what the parent took, in order.
    Messages Command(CUIList &picker, WPARAM command) {
        parent.received.clear();
        SendMessageW(picker.GetHwnd(), UWM_TITLE_COMMAND, command, 0);
        Pump();
        Messages messages;
        for (const listtest::Received &r : parent.received)
            if (r.msg != UWM_INPUT_PANEL)
                messages.push_back(r.msg);
        return messages;
    }
    std::wstring At(const wchar_t *relative) const { return tree.Path(relative); }

    TempTree tree;
    listtest::Parent parent;
};

TEST_F(RingPickers, VolumePickerRoundTripsEveryCodeThroughItsRows) {
    CRingVolumeWnd picker;
    for (int code : {0, -1, 1, 2, 3, 4, 5}) {
        ASSERT_TRUE(picker.Open(parent.GetHwnd(), code, 0));
        EXPECT_EQ(picker.SelectedRow(), VolumeRow(code)) << "code " << code;
        EXPECT_EQ(picker.List()->RowCount(), CRingVolumeWnd::kRowCount);
        EXPECT_EQ(Command(picker, kTitleCommandDone), Messages{WM_ENABLE});
        EXPECT_EQ(picker.Code(), code) << "opened and confirmed unchanged";
    }
    for (int row = 0; row < kVolumeRows; ++row) {
        ASSERT_TRUE(picker.Open(parent.GetHwnd(), 5, 0));
        Tap(picker, row);
        EXPECT_EQ(picker.SelectedRow(), row) << "a tap chooses at once";
        Command(picker, kTitleCommandDone);
        EXPECT_EQ(picker.Code(), VolumeCode(row)) << "row " << row;
        EXPECT_FALSE(IsWindowVisible(picker.GetHwnd()));
    }
    ASSERT_TRUE(picker.Open(parent.GetHwnd(), 9, 1));
    EXPECT_EQ(picker.SelectedRow(), 1) << "an unknown code shows as Use System";
    EXPECT_EQ(picker.Vibrate(), 1);
}

TEST_F(RingPickers, VolumePickerSwitchesVibrationAndCancelPutsBackWhatItOpenedWith) {
    CRingVolumeWnd picker;
    ASSERT_TRUE(picker.Open(parent.GetHwnd(), 2, 0));
    Tap(picker, CRingVolumeWnd::kVibrateRow);
    EXPECT_EQ(picker.Vibrate(), 1);
    Tap(picker, 0);
    EXPECT_EQ(Command(picker, kTitleCommandCancel), Messages{WM_ENABLE});
    EXPECT_EQ(picker.Code(), 2);
    EXPECT_EQ(picker.Vibrate(), 0);

    ASSERT_TRUE(picker.Open(parent.GetHwnd(), 2, 0));
    Tap(picker, CRingVolumeWnd::kVibrateRow);
    Command(picker, kTitleCommandDone);
    EXPECT_EQ(picker.Vibrate(), 1) << "OK keeps the switch";
}

TEST_F(RingPickers, RingtonePickerListsSoundFilesAndConfirmsTheChosenOne) {
    CSelectRingtoneWnd picker;
    Str path(L"before"), folder(L"before"), name(L"before");
    const std::wstring current = At(L"Tones\\tone.Mp3");
    ASSERT_TRUE(picker.Open(parent.GetHwnd(), Str(current.c_str()), {&path, &folder, &name}));
    ASSERT_EQ(picker.Names().size(), 2u);
    EXPECT_STREQ(picker.Names()[0], L"Alarm1.WAV");
    EXPECT_STREQ(picker.Names()[1], L"tone.Mp3");
    EXPECT_EQ(picker.Selected(), 1) << "the current file is chosen";
    EXPECT_EQ(picker.List()->RowCount(), CSelectRingtoneWnd::kFirstFileRow + 2);

    Tap(picker, CSelectRingtoneWnd::kFirstFileRow);
    EXPECT_EQ(picker.Selected(), 0);
    Tap(picker, CSelectRingtoneWnd::kFileHeadingRow);
    EXPECT_EQ(picker.Selected(), 0) << "the heading does nothing";
    EXPECT_EQ(Command(picker, kTitleCommandDone), (Messages{WM_ENABLE, UWM_RINGTONE_PICKED}));
    EXPECT_STREQ(path, At(L"Tones\\Alarm1.WAV").c_str());
    EXPECT_STREQ(folder, At(L"Tones").c_str());
    EXPECT_STREQ(name, L"Alarm1.WAV");
    EXPECT_FALSE(IsWindowVisible(picker.GetHwnd()));

    path = L"kept";
    ASSERT_TRUE(picker.Open(parent.GetHwnd(), Str(current.c_str()), {&path, nullptr, nullptr}));
    Tap(picker, CSelectRingtoneWnd::kFirstFileRow);
    EXPECT_EQ(Command(picker, kTitleCommandCancel), Messages{WM_ENABLE}) << "Cancel only hides";
    EXPECT_STREQ(path, L"kept");
}

TEST_F(RingPickers, ConfirmingWithNoFileChosenEmptiesTheSound) {
    CSelectRingtoneWnd picker;
    Str path(L"\\Windows\\Alarm4.wma"), folder(L"x"), name(L"y");
    const std::wstring gone = At(L"Tones\\gone.wav");
    ASSERT_TRUE(picker.Open(parent.GetHwnd(), Str(gone.c_str()), {&path, &folder, &name}));
    EXPECT_EQ(picker.Selected(), -1) << "a file no longer there is not chosen";
    EXPECT_EQ(Command(picker, kTitleCommandDone), (Messages{WM_ENABLE, UWM_RINGTONE_PICKED}));
    EXPECT_STREQ(path, L"");
    EXPECT_STREQ(folder, L"");
    EXPECT_STREQ(name, L"");
}

TEST_F(RingPickers, RingtonePickerChangesVolumeAndFolderThroughItsOwnPickers) {
    CSelectRingtoneWnd picker;
    picker.SetVolume(-1, 0);
    Str path;
    const std::wstring current = At(L"Tones\\tone.Mp3");
    ASSERT_TRUE(picker.Open(parent.GetHwnd(), Str(current.c_str()), {&path, nullptr, nullptr}));

    Tap(picker, CSelectRingtoneWnd::kVolumeRow);
    CRingVolumeWnd *volume = picker.VolumePicker();
    ASSERT_NE(volume, nullptr);
    EXPECT_TRUE(IsWindowVisible(volume->GetHwnd()));
    EXPECT_EQ(volume->SelectedRow(), 1) << "opened on the primed code";
    Tap(*volume, 4);
    Tap(*volume, CRingVolumeWnd::kVibrateRow);
    SendMessageW(volume->GetHwnd(), UWM_TITLE_COMMAND, kTitleCommandDone, 0);
    Pump();
    EXPECT_EQ(picker.VolumeCode(), 3) << "60 %";
    EXPECT_EQ(picker.Vibrate(), 1);

    Tap(picker, CSelectRingtoneWnd::kFolderRow);
    CBrowserFolderWnd *browser = picker.Browser();
    ASSERT_NE(browser, nullptr);
    EXPECT_STREQ(browser->Folder(), At(L"Tones").c_str());
    Tap(*browser, 1); // ".." up to the tree's folder: .. More Tones
    Tap(*browser, 2);
    ASSERT_STREQ(browser->Folder(), At(L"More").c_str());
    SendMessageW(browser->GetHwnd(), UWM_TITLE_COMMAND, kTitleCommandDone, 0);
    Pump();
    EXPECT_STREQ(picker.Folder(), At(L"More").c_str());
    ASSERT_EQ(picker.Names().size(), 1u);
    EXPECT_EQ(picker.Selected(), -1);
    EXPECT_EQ(picker.VolumeCode(), 3) << "coming back from the browser leaves the volume";
    Tap(picker, CSelectRingtoneWnd::kFirstFileRow);
    Command(picker, kTitleCommandDone);
    EXPECT_STREQ(path, At(L"More\\bell.wma").c_str());
}

// Run only as a child process by the test below: previews the device's
// default tone and returns, leaving the process to end.
TEST_F(RingPickers, DISABLED_PreviewsTheDefaultTone) {
    CSelectRingtoneWnd picker;
    Str path;
    ASSERT_TRUE(picker.Open(parent.GetHwnd(), Str(L"C:\\Windows\\Alarm4.wma"), {&path, nullptr, nullptr}));
    ASSERT_GE(picker.Selected(), 0);
    Tap(picker, CSelectRingtoneWnd::kFirstFileRow + picker.Selected());
    Sleep(300);
    Command(picker, kTitleCommandCancel);
}

// A program that previewed a tone must still end when it exits: the
// preview's player outlives the picker, and closing it at exit waited for
// playback threads that were already gone.
TEST(RingPreview, AProcessThatPreviewedAToneEnds) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    for (int run = 0; run < 3; ++run) {
        std::wstring line = L"\"" + std::wstring(self) +
                            L"\" --gtest_also_run_disabled_tests --gtest_filter=RingPickers.DISABLED_PreviewsTheDefaultTone";
        STARTUPINFOW si = {sizeof si};
        PROCESS_INFORMATION pi = {};
        ASSERT_TRUE(CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
        const DWORD waited = WaitForSingleObject(pi.hProcess, 60000);
        DWORD code = 1;
        GetExitCodeProcess(pi.hProcess, &code);
        if (waited != WAIT_OBJECT_0)
            TerminateProcess(pi.hProcess, 1);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        ASSERT_EQ(waited, static_cast<DWORD>(WAIT_OBJECT_0)) << "run " << run << " did not end";
        EXPECT_EQ(code, 0u) << "run " << run;
    }
}

} // namespace
