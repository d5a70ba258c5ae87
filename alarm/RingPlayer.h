// Rings of both programs. RingPlayer is the main program's ring, the
// "Timer Done" box's: the sound once, and the vibrator in 3-second pulses
// until the box closes. RingCyclePlayer is the runner's: up to n cycles of a
// pulse, the sound to its end and a 15-second pause.
//
// Both play wave files with PlaySoundW and every other file through the media
// player control, set the output volume of the ring's volume code and put it
// back, and switch the device on for the ring when it was not on. Their
// threads wait on a stop event, so stopping cuts a pulse, a sound or a pause
// at once and never kills a thread.
#pragma once
#include <windows.h>

#include <memory>

#include "BaseLib/Str.h"

class MediaPlayer;

// The path's extension (after the last ".") is "wav", ignoring case.
bool IsWaveFile(const wchar_t *path);

class RingPlayer {
public:
    RingPlayer(const wchar_t *soundPath, int volumeCode, int vibrate);
    ~RingPlayer(); // stops
    RingPlayer(const RingPlayer &) = delete;
    RingPlayer &operator=(const RingPlayer &) = delete;

    // Returns at once; the sound and the vibration go on by themselves.
    void Start();
    // Ends sound and vibration (the vibrator left off), restores the volume
    // and the power state it changed. Does nothing when not started.
    void Stop();

private:
    static DWORD WINAPI VibrationThread(void *param);
    static DWORD WINAPI MediaThread(void *param);

    Str path_;
    int volumeCode_;
    int vibrate_;
    HANDLE stop_ = nullptr;      // owned; set by Stop
    HANDLE vibration_ = nullptr; // owned
    HANDLE media_ = nullptr;     // owned; plays a file that is not a wave
    bool playedWave_ = false;
    bool poweredOn_ = false;
    bool started_ = false;
};

class RingCyclePlayer {
public:
    RingCyclePlayer(const wchar_t *soundPath, int volumeCode, int vibrate, int cycles);
    ~RingCyclePlayer(); // stops; defined where MediaPlayer is complete
    RingCyclePlayer(const RingCyclePlayer &) = delete;
    RingCyclePlayer &operator=(const RingCyclePlayer &) = delete;

    void Start();
    // Ends the ring at once, leaves the vibrator off, puts back the volume if
    // nobody changed it meanwhile and releases the power.
    void Stop();
    // The ringing thread has ended (all cycles done, or stopped).
    bool Finished() const;

    static constexpr DWORD kPulseMs = 3000;
    static constexpr DWORD kPauseMs = 15000;
    static constexpr DWORD kLongestSoundMs = 120000;

private:
    static DWORD WINAPI RingThread(void *param);
    void Ring();
    // Plays the sound once to its end; false when stopped meanwhile.
    bool PlayOnce(std::unique_ptr<MediaPlayer> *media);
    bool Stopped() const;
    void RestoreVolume();

    Str path_;
    int volumeCode_;
    int vibrate_;
    int cycles_;
    HANDLE stop_ = nullptr;   // owned
    HANDLE thread_ = nullptr; // owned
    DWORD savedVolume_ = 0;   // written by the thread before it sets the level
    DWORD setVolume_ = 0;
    bool poweredOn_ = false;
    bool started_ = false;
};
