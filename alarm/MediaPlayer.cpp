#include <initguid.h> // the player's class and interface ids are defined here

#include "alarm/MediaPlayer.h"

#include <wmp.h>

#include "alarm/OutputVolume.h"

namespace {

// Class contexts the control may live in: in-process server and handler,
// local and remote server.
constexpr DWORD kAnyContext = 0x17;

} // namespace

MediaPlayer::MediaPlayer() {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    comStarted_ = com == S_OK || com == S_FALSE;
    if (!comStarted_)
        return;
    if (FAILED(CoCreateInstance(CLSID_WindowsMediaPlayer, nullptr, kAnyContext, __uuidof(IWMPCore),
                                reinterpret_cast<void **>(&core_))))
        return;
    if (FAILED(core_->QueryInterface(__uuidof(IWMPPlayer), reinterpret_cast<void **>(&player_))))
        return;
    available_ = SUCCEEDED(core_->get_controls(&controls_)) && controls_;
    if (available_)
        core_->get_settings(&settings_);
}

MediaPlayer::~MediaPlayer() {
    if (settings_)
        settings_->Release();
    if (controls_)
        controls_->Release();
    if (player_) {
        player_->close();
        player_->Release();
    }
    if (core_)
        core_->Release();
    if (comStarted_)
        CoUninitialize();
}

void MediaPlayer::Play(const wchar_t *path) {
    if (!available_)
        return;
    Stop();
    BSTR url = SysAllocString(path);
    if (!url)
        return;
    const int volume = MediaVolume();
    if (settings_ && volume >= 0)
        settings_->put_volume(volume);
    core_->put_URL(url);
    SysFreeString(url);
    controls_->play();
}

void MediaPlayer::Stop() {
    if (available_ && Busy())
        controls_->stop();
}

bool MediaPlayer::Playing() const {
    if (!available_)
        return false;
    WMPPlayState state = wmppsUndefined;
    core_->get_playState(&state);
    if (state == wmppsPlaying || state == wmppsBuffering || state == wmppsWaiting || state == wmppsTransitioning)
        return true;
    return state == wmppsUndefined && BeforeEnd();
}

// Stopped and ended leave nothing to stop; so does an undefined state unless
// the position shows a sound still going.
bool MediaPlayer::Busy() const {
    WMPPlayState state = wmppsUndefined;
    core_->get_playState(&state);
    if (state == wmppsUndefined)
        return BeforeEnd();
    return state != wmppsStopped && state != wmppsMediaEnded;
}

// Wine's control reports the undefined state for the whole of a playing
// sound; its position and the sound's length still tell how far it is.
bool MediaPlayer::BeforeEnd() const {
    IWMPMedia *media = nullptr;
    double length = 0, position = 0;
    if (SUCCEEDED(core_->get_currentMedia(&media)) && media) {
        media->get_duration(&length);
        media->Release();
    }
    controls_->get_currentPosition(&position);
    return length > 0 && position < length;
}
