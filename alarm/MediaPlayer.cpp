#include <initguid.h> // the player's class and interface ids are defined here

#include "alarm/MediaPlayer.h"

#include <wmp.h>

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
}

MediaPlayer::~MediaPlayer() {
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
    return state == wmppsPlaying || state == wmppsBuffering || state == wmppsWaiting || state == wmppsTransitioning;
}

// Undefined, stopped and ended leave nothing to stop.
bool MediaPlayer::Busy() const {
    WMPPlayState state = wmppsUndefined;
    core_->get_playState(&state);
    return state != wmppsUndefined && state != wmppsStopped && state != wmppsMediaEnded;
}
