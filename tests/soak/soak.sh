#!/usr/bin/env bash
# The alarm soak: alarms and countdowns ring through a walk of the device's
# clock while the programs and the notification service are killed and the
# device reboots; every ring of the runner's log is counted against the
# schedule. Runs in a throwaway device in Berlin's zone (summer time).
#
#   tests/soak/soak.sh [--short | --long] [--seed N]
#
# --short (the default; ctest runs it) walks a weekend across the change to
# summer time, a dozen rings, a few minutes. --long walks from October to
# April across both changes, some 350 rings, about half an hour. Inside
# device/test.sh it copies the test device; run alone it installs, builds
# and makes its own device and display. Exits non-zero when a ring was lost,
# doubled or late, or an alarm record changed.
set -euo pipefail
source "$(dirname "$0")/../../device/common.sh"

form=short
seed=16
while [ $# -gt 0 ]; do
    case $1 in
    --short) form=short ;;
    --long) form=long ;;
    --seed) seed=$2; shift ;;
    *) die "usage: $0 [--short | --long] [--seed N]" ;;
    esac
    shift
done

work=$(mktemp -d /tmp/tallypad-soak.XXXXXX)
device=$work/device
cleanup() {
    WINEPREFIX=$device wineserver -k 2>/dev/null || true
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

if [ -n "${WINEPREFIX:-}" ] && [ -f "$WINEPREFIX/system.reg" ] && [ -n "${DISPLAY:-}" ]; then
    # A copy of the test device with the programs just built; its own
    # server, so the copy's reboots leave the tests' device alone.
    cp -a "$WINEPREFIX" "$device"
    export WINEPREFIX=$device
    rm -rf "$device"/drive_c/users/*/AppData/Local/TallyPadDevice
else
    ensure_packages
    build_all SoakDriver
    start_xvfb 1024 768
    make_device "$device" 240 320 96
fi
cp -f "$BUILD_DIR/bin/SoakDriver.exe" "$device/drive_c/Program Files/TallyPad/"
driver="C:\\Program Files\\TallyPad\\SoakDriver.exe"
export TZ=Europe/Berlin
export WINEPREFIX=$device

# Ends every process of the device, as pulling the battery would.
power_off() { wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; }

say "soak ($form, seed $seed) in $device"
start=$SECONDS
wine "$driver" setup "$form" "$seed" </dev/null
wine "$driver" boot </dev/null
while :; do
    rc=0
    wine "$driver" run </dev/null || rc=$?
    [ "$rc" -eq 0 ] && break
    [ "$rc" -eq 3 ] || die "the soak's driver failed (exit $rc)"
    power_off
    wine "$driver" boot </dev/null
done
rc=0
wine "$driver" report </dev/null | tee "$work/report.txt" || rc=$?
say "soak took $((SECONDS - start)) s"
exit "$rc"
