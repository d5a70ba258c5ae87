// Key-press feedback: one 50 ms vibration, given by a worker thread so the
// user-interface thread never waits for the vibrator. Called on the
// user-interface thread only.
#pragma once
#include <windows.h>

// Thread messages of the feedback worker.
const UINT kFeedbackPulseMessage = 0x8001; // wParam: pulse ms | pause ms << 16; lParam: repeats
const UINT kFeedbackQuitMessage = 0x8002;

// Starts the worker on first use and asks it for one 50 ms pulse.
void FeedbackPulse();

// Ends the worker after the pulses already asked for; a later FeedbackPulse
// starts a new one. Programs call it before they end.
void StopFeedbackWorker();
