#include "alarm/RingPlayer.h"

#include <mmsystem.h>

#include <cwchar>
#include <memory>

#include "alarm/MediaPlayer.h"
#include "alarm/OutputVolume.h"
#include "alarm/RingVolume.h"
#include "alarm/VibrationPulse.h"
#include "pm.h"

namespace {

// The output volume before the main program's ring, for the whole process.
DWORD g_savedVolume = 0;

// A thread that is waited for when stopped; it ends within a few
// milliseconds of the stop event, unless the media player is still opening
// its file, which it is given time to finish.
const DWORD kThreadEndMs = 10000;

// True when this call switched the device on.
bool PowerOnForRing() {
    DWORD flags = 0;
    if (GetSystemPowerState(nullptr, 0, &flags) != ERROR_SUCCESS || (flags & POWER_STATE_ON))
        return false;
    SetSystemPowerState(nullptr, POWER_STATE_ON, 0);
    return true;
}

void ReleaseRingPower() { SetSystemPowerState(nullptr, POWER_STATE_PASSWORD | POWER_STATE_IDLE, 0); }

void EndThread(HANDLE *thread) {
    if (!*thread)
        return;
    WaitForSingleObject(*thread, kThreadEndMs);
    CloseHandle(*thread);
    *thread = nullptr;
}

// Waits for the event or the time while handling the thread's messages, which
// the media player control may need to make progress. True when signalled.
bool WaitPumping(HANDLE event, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds)
            return WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
        const DWORD result = MsgWaitForMultipleObjects(1, &event, FALSE, milliseconds - elapsed, QS_ALLINPUT);
        if (result == WAIT_OBJECT_0)
            return true;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
}

} // namespace

bool IsWaveFile(const wchar_t *path) {
    const wchar_t *dot = wcsrchr(path, L'.');
    return dot && _wcsicmp(dot + 1, L"wav") == 0;
}

RingPlayer::RingPlayer(const wchar_t *soundPath, int volumeCode, int vibrate)
    : path_(soundPath), volumeCode_(volumeCode), vibrate_(vibrate) {}

RingPlayer::~RingPlayer() { Stop(); }

void RingPlayer::Start() {
    if (started_)
        return;
    started_ = true;
    stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    g_savedVolume = GetOutputVolume();
    poweredOn_ = PowerOnForRing();
    if (volumeCode_ != kVolumeSystem)
        SetOutputVolume(VolumeBothChannels(volumeCode_));
    if (volumeCode_ != kVolumeSilent) {
        if (IsWaveFile(path_)) {
            // Asynchronous: the box stays usable while the sound plays.
            playedWave_ = PlaySoundW(path_, nullptr, SND_FILENAME | SND_ASYNC) != FALSE;
        } else {
            media_ = CreateThread(nullptr, 0, MediaThread, this, 0, nullptr);
        }
    }
    if (vibrate_)
        vibration_ = CreateThread(nullptr, 0, VibrationThread, this, 0, nullptr);
}

void RingPlayer::Stop() {
    if (!started_)
        return;
    started_ = false;
    SetEvent(stop_);
    if (playedWave_)
        PlaySoundW(nullptr, nullptr, 0);
    playedWave_ = false;
    EndThread(&vibration_);
    EndThread(&media_);
    CloseHandle(stop_);
    stop_ = nullptr;
    if (vibrate_)
        VibrationPulse(0);
    if (volumeCode_ != kVolumeSystem)
        SetOutputVolume(g_savedVolume);
    if (poweredOn_)
        ReleaseRingPower();
    poweredOn_ = false;
}

// Pulse after pulse, without a pause, until stopped.
DWORD WINAPI RingPlayer::VibrationThread(void *param) {
    const HANDLE stop = static_cast<RingPlayer *>(param)->stop_;
    while (WaitForSingleObject(stop, 0) == WAIT_TIMEOUT && VibrationPulse(3000, stop)) {
    }
    return 0;
}

// The media player lives on this thread: opening a file takes it a moment,
// which the box must not wait for.
DWORD WINAPI RingPlayer::MediaThread(void *param) {
    const RingPlayer *self = static_cast<RingPlayer *>(param);
    MediaPlayer player;
    if (WaitForSingleObject(self->stop_, 0) == WAIT_TIMEOUT)
        player.Play(self->path_);
    WaitPumping(self->stop_, INFINITE);
    player.Stop();
    return 0;
}

RingCyclePlayer::RingCyclePlayer(const wchar_t *soundPath, int volumeCode, int vibrate, int cycles)
    : path_(soundPath), volumeCode_(volumeCode), vibrate_(vibrate), cycles_(cycles) {}

RingCyclePlayer::~RingCyclePlayer() { Stop(); }

void RingCyclePlayer::Start() {
    if (started_)
        return;
    started_ = true;
    poweredOn_ = PowerOnForRing();
    stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, RingThread, this, 0, nullptr);
}

void RingCyclePlayer::Stop() {
    if (!started_)
        return;
    started_ = false;
    SetEvent(stop_);
    PlaySoundW(nullptr, nullptr, 0); // cuts a wave sound the thread is playing
    EndThread(&thread_);
    CloseHandle(stop_);
    stop_ = nullptr;
    if (vibrate_)
        VibrationPulse(0);
    RestoreVolume();
    if (poweredOn_)
        ReleaseRingPower();
    poweredOn_ = false;
}

bool RingCyclePlayer::Finished() const { return !thread_ || WaitForSingleObject(thread_, 0) == WAIT_OBJECT_0; }

bool RingCyclePlayer::Stopped() const { return WaitForSingleObject(stop_, 0) == WAIT_OBJECT_0; }

// Only a level that is still the ring's own goes back: a volume the user
// changed meanwhile stays.
void RingCyclePlayer::RestoreVolume() {
    if (volumeCode_ != kVolumeSystem && GetOutputVolume() == setVolume_)
        SetOutputVolume(savedVolume_);
}

DWORD WINAPI RingCyclePlayer::RingThread(void *param) {
    static_cast<RingCyclePlayer *>(param)->Ring();
    return 0;
}

void RingCyclePlayer::Ring() {
    savedVolume_ = GetOutputVolume();
    if (volumeCode_ != kVolumeSystem) {
        setVolume_ = VolumeBothChannels(volumeCode_);
        SetOutputVolume(setVolume_);
    }
    if (volumeCode_ == kVolumeSilent)
        return;
    std::unique_ptr<MediaPlayer> media; // made on this thread when first needed
    for (int cycle = 0; cycle < cycles_; ++cycle) {
        if (vibrate_)
            VibrationPulse(kPulseMs, stop_);
        if (Stopped() || !PlayOnce(&media))
            break;
        if (WaitPumping(stop_, kPauseMs))
            break;
        SystemIdleTimerReset();
    }
    media.reset();
    if (!Stopped())
        RestoreVolume();
}

bool RingCyclePlayer::PlayOnce(std::unique_ptr<MediaPlayer> *media) {
    if (IsWaveFile(path_)) {
        PlaySoundW(path_, nullptr, SND_FILENAME);
        return !Stopped();
    }
    if (!*media)
        media->reset(new MediaPlayer);
    (*media)->Play(path_);
    const DWORD start = GetTickCount();
    while ((*media)->Playing() && GetTickCount() - start < kLongestSoundMs) {
        if (WaitPumping(stop_, 100)) {
            (*media)->Stop();
            return false;
        }
    }
    (*media)->Stop();
    return !Stopped();
}
