#!/usr/bin/env bash
# Builds TallyPad, creates or updates the device and boots it.
#   device/run.sh [--hires] [--landscape] [--time "YYYY-MM-DD HH:MM"] [--zone ZONE] [--screenshot FILE]
# --hires       480 x 640 at 192 dpi instead of 240 x 320 at 96 dpi
# --landscape   the screen turned sideways
# --time        sets the device's own clock (local time) before the boot;
#               the host's clock is never changed
# --zone        the device's time zone, e.g. Europe/Berlin (default: the
#               host's)
# --screenshot  boot headless, save a PNG of the screen once the main
#               program has painted, and stop the device
# The device lives in $TALLYPAD_DEVICE (default ~/.local/share/TallyPad/device)
# and keeps its data across rebuilds.
set -euo pipefail
source "$(dirname "$0")/common.sh"

width=240 height=320 dpi=96 shot="" time=""
while [ $# -gt 0 ]; do
    case $1 in
        --hires) width=480 height=640 dpi=192 ;;
        --landscape) landscape=1 ;;
        --screenshot) shot=${2:?--screenshot needs a file name}; shift ;;
        --time) time=${2:?--time needs \"YYYY-MM-DD HH:MM\"}; shift ;;
        --zone) export TZ=${2:?--zone needs a zone such as Europe/Berlin}; shift ;;
        *) die "unknown option $1 (try --hires, --landscape, --time, --zone, --screenshot FILE)" ;;
    esac
    shift
done
[ -n "${landscape:-}" ] && { t=$width; width=$height; height=$t; }

if [ -z "$shot" ] && [ -z "${DISPLAY:-}" ]; then
    die "no display to show the device on. Run this from a desktop session, or boot headless and save a picture with: $0 --screenshot screen.png"
fi

ensure_packages
# Only what the device runs: tests and benchmarks are built by test.sh.
build_all device_image
device=${TALLYPAD_DEVICE:-${XDG_DATA_HOME:-$HOME/.local/share}/TallyPad/device}
make_device "$device" "$width" "$height" "$dpi"
if [ -n "$time" ]; then
    wine 'C:\windows\DeviceSetTime.exe' "$time" || die "the device's clock cannot be set to \"$time\""
fi

if [ -z "$shot" ]; then
    say "booting the device ($width x $height, $dpi dpi); close its programs to end"
    wine 'C:\windows\DeviceBoot.exe'
    wineserver -w
    exit 0
fi

say "booting the device headless ($width x $height, $dpi dpi)"
start_xvfb "$width" "$height"
trap 'wineserver -k 2>/dev/null || true; kill "$XVFB_PID" 2>/dev/null || true' EXIT
wine 'C:\windows\DeviceBoot.exe'
wine 'C:\windows\DeviceWait.exe' VelmoraTallyPad 60 || die "the main program did not show its window"
sleep 1
convert-im6.q16 x:root -crop "${width}x${height}+0+0" +repage "$shot" 2>/dev/null \
    || import -window root "$shot"
say "screen saved to $shot"
