# Shared by the device scripts: packages, build, device image, headless display.
# Sourced, not run.

REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${TALLYPAD_BUILD_DIR:-$REPO/build}

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

PACKAGES="wine wine64 mingw-w64 g++-mingw-w64-x86-64-posix cmake ninja-build googletest
  xvfb x11-utils xauth imagemagick librsvg2-bin sox fonts-wine fonts-liberation fonts-dejavu-core procps
  dpkg-dev python3 zinnia-utils hershey-fonts-data
  ffmpeg gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-ugly gstreamer1.0-libav"

# Outside libraries built from their Debian sources with our toolchain; fetched
# once, outside the tree, and reused.
SOURCE_CACHE=${TALLYPAD_SOURCE_CACHE:-$HOME/.cache/tallypad/src}

say() { printf '%s\n' "$*" >&2; }
die() { say "error: $*"; exit 1; }

# Installs whichever of the packages is missing (Debian 12).
ensure_packages() {
    local missing=() p
    for p in $PACKAGES; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    say "installing ${#missing[@]} packages (a few minutes on a fresh machine): ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq || die "apt-get update failed"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null \
        || die "could not install ${missing[*]}"
    say "installed in ${SECONDS}s"
}

# Makes the source packages of the system's own suite known to apt, once.
ensure_deb_src() {
    local list=/etc/apt/sources.list.d/tallypad-src.sources
    grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/ && return 0
    local suite
    suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    say "adding the Debian source packages of $suite"
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
        "$suite" | $sudo tee "$list" >/dev/null || die "could not write $list"
    $sudo apt-get update -qq >/dev/null || die "apt-get update failed"
}

# source_dir <package>: the unpacked Debian source of <package>, fetched the
# first time it is needed.
source_dir() {
    local package=$1 dir
    dir=$(find "$SOURCE_CACHE/$package" -mindepth 1 -maxdepth 1 -type d -name "$package-*" 2>/dev/null | sort | tail -1)
    if [ -z "$dir" ]; then
        ensure_deb_src
        mkdir -p "$SOURCE_CACHE/$package"
        (cd "$SOURCE_CACHE/$package" && apt-get source -qq "$package" >/dev/null 2>&1) \
            || die "apt-get source $package failed"
        dir=$(find "$SOURCE_CACHE/$package" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | sort | tail -1)
        [ -n "$dir" ] || die "no unpacked source of $package in $SOURCE_CACHE/$package"
    fi
    echo "$dir"
}

# Prints the build's progress in steps of a tenth from ninja's "[n/m]" lines.
build_progress() {
    awk -F'[][/]' '/^\[[0-9]+\/[0-9]+\]/ {
        p = int($2 * 10 / $3)
        if (p > last) { last = p; printf "  built %d%% (%d of %d steps)\n", p * 10, $2, $3 > "/dev/stderr"; fflush("/dev/stderr") }
    }'
}

# build_all [target...]: configures (once) and builds the targets (default:
# everything, tests and benchmarks included) into $BUILD_DIR.
build_all() {
    local zinnia
    zinnia=$(source_dir zinnia) || exit 1
    # Configured again only when the fetched sources moved.
    if [ ! -f "$BUILD_DIR/build.ninja" ] || ! grep -qxF "ZINNIA_SOURCE_DIR:PATH=$zinnia" "$BUILD_DIR/CMakeCache.txt"; then
        say "configuring the build in $BUILD_DIR"
        cmake -S "$REPO" -B "$BUILD_DIR" -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$REPO/cmake/mingw-w64.cmake" \
            -DZINNIA_SOURCE_DIR:PATH="$zinnia" >/dev/null || die "cmake configure failed"
    fi
    say "building ${*:-everything}"
    ninja -C "$BUILD_DIR" -j "$(nproc)" "$@" 2>"$BUILD_DIR/build-errors.log" | build_progress || {
        cat "$BUILD_DIR/build-errors.log" >&2
        ninja -C "$BUILD_DIR" -j1 "$@" | tail -40 >&2
        die "build failed"
    }
}

# make_device <prefix> <width> <height> <dpi>
# Creates the Wine prefix when it does not exist, then (re)installs the
# programs and data and sets the screen. The user's data in it is kept.
make_device() {
    local prefix=$1 width=$2 height=$3 dpi=$4
    export WINEPREFIX=$prefix
    if [ ! -f "$prefix/system.reg" ]; then
        say "creating the device in $prefix (about a minute, once)"
        mkdir -p "$prefix"
        wineboot -i >/dev/null 2>&1 || die "wineboot failed for $prefix"
    fi
    local c="$prefix/drive_c"
    local program="$c/Program Files/TallyPad"
    mkdir -p "$program" "$c/windows/StartUp" "$c/My Documents"
    cp -f "$BUILD_DIR"/bin/VelmoraTallyPad.exe "$BUILD_DIR"/bin/TallyPadAlarm.exe \
        "$BUILD_DIR"/bin/TallyPadLauncher.exe "$BUILD_DIR"/bin/coredll.dll "$BUILD_DIR"/bin/aygshell.dll "$BUILD_DIR"/bin/richink.dll \
        "$program/"
    # The handwriting model is read from beside the ink control's DLL.
    cp -f "$BUILD_DIR"/bin/ink-latin.model "$program/"
    cp -f "$BUILD_DIR"/data/GMTList.txt "$program/"
    cp -f "$BUILD_DIR"/data/tones/*.wav "$BUILD_DIR"/data/tones/*.wma "$BUILD_DIR"/data/tones/*.mp3 "$c/windows/"
    cp -f "$BUILD_DIR"/bin/DeviceBoot.exe "$BUILD_DIR"/bin/DeviceWait.exe "$BUILD_DIR"/bin/NotificationService.exe \
        "$BUILD_DIR"/bin/DeviceSetTime.exe "$c/windows/"
    # Wine links the user's documents and desktop to the real home folders;
    # the device keeps its own.
    find "$c/users" -maxdepth 2 -type l -delete 2>/dev/null || true
    local reg="$prefix/device.reg"
    sed -e "s/@SCREEN@/${width}x${height}/" -e "s/@DPI@/$(printf '%08x' "$dpi")/" \
        "$REPO/device/device.reg" >"$reg"
    wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1 || die "could not write the device registry"
    wineserver -w
}

# capture_sound <prefix> <file>: the device's sound goes into <file> instead
# of the machine's output, as raw 16-bit stereo 44.1 kHz samples, for sox to
# measure. Exports ALSA_CONFIG_PATH, so that every Wine process started after
# this call (the device's programs inherit it) plays through the device's own
# ALSA configuration: the default output is the "file" plugin over a null
# output. Each stream that opens the output starts the file anew.
capture_sound() {
    local prefix=$1 file=$2
    cat >"$prefix/asound.conf" <<EOF
</usr/share/alsa/alsa.conf>
pcm.!default {
    type plug
    slave {
        pcm "devicefile"
        format S16_LE
        rate 44100
        channels 2
    }
}
pcm.devicefile {
    type file
    slave.pcm "null"
    file "$file"
    format "raw"
}
EOF
    export ALSA_CONFIG_PATH=$prefix/asound.conf TALLYPAD_SOUND_FILE=$file
}

# start_xvfb <width> <height>: a private X display for headless runs; sets
# DISPLAY and XVFB_PID.
start_xvfb() {
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${1}x${2}x24" -nolisten tcp -dpi 96 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    local display
    read -r display <"$fifo"
    rm -f "$fifo"
    [ -n "$display" ] || die "Xvfb did not start"
    export DISPLAY=":$display"
}
