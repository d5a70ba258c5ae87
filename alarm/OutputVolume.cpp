#include "alarm/OutputVolume.h"

#include <mmsystem.h>

#include <atomic>
#include <cmath>

namespace {

// The kept level while the system refuses device 0; -1 (all bits) until the
// first refused set, meaning full volume.
std::atomic<DWORD> g_keptVolume{0xFFFFFFFF};
std::atomic<bool> g_kept{false};

// The master volume of this process's wave mixer, which Wine applies to
// every wave sound of the process.
void SetMixerVolume(DWORD volume) {
    HMIXER mixer = nullptr;
    if (mixerOpen(&mixer, 0, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR)
        return;
    MIXERLINEW line = {};
    line.cbStruct = sizeof line;
    line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    MIXERCONTROLW control = {};
    control.cbStruct = sizeof control;
    MIXERLINECONTROLSW controls = {};
    controls.cbStruct = sizeof controls;
    controls.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof control;
    controls.pamxctrl = &control;
    if (mixerGetLineInfoW(reinterpret_cast<HMIXEROBJ>(mixer), &line, MIXER_GETLINEINFOF_COMPONENTTYPE) ==
            MMSYSERR_NOERROR &&
        (controls.dwLineID = line.dwLineID,
         mixerGetLineControlsW(reinterpret_cast<HMIXEROBJ>(mixer), &controls, MIXER_GETLINECONTROLSF_ONEBYTYPE) ==
             MMSYSERR_NOERROR)) {
        MIXERCONTROLDETAILS_UNSIGNED levels[2] = {{LOWORD(volume)}, {HIWORD(volume)}};
        MIXERCONTROLDETAILS details = {};
        details.cbStruct = sizeof details;
        details.dwControlID = control.dwControlID;
        details.cChannels = line.cChannels >= 2 ? 2 : 1;
        details.cbDetails = sizeof levels[0];
        details.paDetails = levels;
        mixerSetControlDetails(reinterpret_cast<HMIXEROBJ>(mixer), &details, MIXER_SETCONTROLDETAILSF_VALUE);
    }
    mixerClose(mixer);
}

} // namespace

DWORD GetOutputVolume() {
    DWORD volume = 0;
    if (waveOutGetVolume(nullptr, &volume) == MMSYSERR_NOERROR)
        return volume;
    return g_keptVolume;
}

void SetOutputVolume(DWORD volume) {
    if (waveOutSetVolume(nullptr, volume) == MMSYSERR_NOERROR)
        return;
    g_keptVolume = volume;
    g_kept = true;
    SetMixerVolume(volume);
}

int MediaVolume() {
    if (!g_kept)
        return -1;
    // Wine's player takes its setting as decibels below full (setting - 100):
    // the setting that gives an amplitude of level / 65535.
    const DWORD level = LOWORD(g_keptVolume.load());
    if (level == 0)
        return 0;
    const double setting = 100.0 + 20.0 * std::log10(level / 65535.0);
    return setting <= 0 ? 0 : static_cast<int>(std::lround(setting));
}
