#!/usr/bin/env bash
# Runs a Windows test program under Wine; ctest uses it as the emulator.
# device/test.sh sets up the throwaway device and display it runs in.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
    echo "run the tests with device/test.sh: it makes the device and display they need" >&2
    exit 1
fi
# The output goes through a file: a process that a test started and that
# outlives it (a service) then holds the file, not ctest's pipe.
log=$(mktemp)
wine "$@" >"$log" 2>&1
rc=$?
cat "$log"
rm -f "$log"
exit $rc
