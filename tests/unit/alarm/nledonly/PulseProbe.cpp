// Gives one 20 ms vibration pulse through whatever coredll.dll lies beside it.
#include "alarm/VibrationPulse.h"

int wmain() { return VibrationPulse(20) == 1 ? 0 : 1; }
