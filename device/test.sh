#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test headless: unit,
# window and end-to-end, in a throwaway device on a private X display.
# Exits non-zero when anything fails. Extra arguments go to ctest.
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages
build_all

work=$(mktemp -d /tmp/tallypad-test.XXXXXX)
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

start_xvfb 1024 768
make_device "$work/device" 240 320 96
capture_sound "$work/device" "$work/sound.raw"
# One server and its system services for the whole run: every Wine start is
# faster, and the services, started here with no output, do not hold the
# output pipes of the first test open after it ended.
wineserver -p
wine cmd /c exit >/dev/null 2>&1 </dev/null
# End-to-end tests run real processes against real time on a shared machine:
# a failing test gets one more run before it counts as failed.
ctest --test-dir "$BUILD_DIR" --output-on-failure --repeat until-pass:2 "$@"
