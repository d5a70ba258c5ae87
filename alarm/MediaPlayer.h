// The platform's media player control, used headless to play ring tones that
// are not wave files and to preview any tone. Both programs use it.
//
// Available() is false when COM or the control could not be had; Play and
// Stop then do nothing, so a device without the control rings silently
// instead of failing.
#pragma once
#include <windows.h>

struct IWMPCore;
struct IWMPPlayer;
struct IWMPControls;
struct IWMPSettings;

class MediaPlayer {
public:
    MediaPlayer();
    ~MediaPlayer();
    MediaPlayer(const MediaPlayer &) = delete;
    MediaPlayer &operator=(const MediaPlayer &) = delete;

    bool Available() const { return available_; }
    // Stops what plays, then starts path; returns once the sound is opened.
    // Plays at the process's kept output level where the system keeps none
    // (see OutputVolume.h).
    void Play(const wchar_t *path);
    // Stops a sound that is playing or paused.
    void Stop();
    // True while the control is opening, buffering or playing a sound.
    bool Playing() const;

private:
    bool Busy() const;
    bool BeforeEnd() const;

    IWMPCore *core_ = nullptr;
    IWMPPlayer *player_ = nullptr;
    IWMPControls *controls_ = nullptr;
    IWMPSettings *settings_ = nullptr; // volume; null when the control has none
    bool comStarted_ = false;
    bool available_ = false;
};
