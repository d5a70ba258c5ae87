#!/bin/sh
# Makes the bundled ring tones of the device's \Windows folder with sox:
#   ringtones.sh <output folder>
# Each tone is a short melody of sine notes, 22.05 kHz mono 16-bit wave.
set -e
out=$1
mkdir -p "$out"

# tone <file> <note:seconds>...
tone() {
    file=$1
    shift
    parts=""
    i=0
    for step in "$@"; do
        note=${step%%:*}
        secs=${step#*:}
        part="$out/.part$i.wav"
        if [ "$note" = rest ]; then
            sox -n -r 22050 -c 1 -b 16 "$part" trim 0 "$secs"
        else
            sox -n -r 22050 -c 1 -b 16 "$part" synth "$secs" sine "$note" fade q 0.01 "$secs" 0.03 vol 0.6
        fi
        parts="$parts $part"
        i=$((i + 1))
    done
    # shellcheck disable=SC2086
    sox $parts "$out/$file"
    rm -f $parts
}

tone Alarm1.wav E5:0.15 rest:0.05 E5:0.15 rest:0.05 E5:0.15 rest:0.4
tone Alarm2.wav C5:0.2 E5:0.2 G5:0.2 C6:0.4 rest:0.3
tone Alarm3.wav A5:0.1 rest:0.05 A5:0.1 rest:0.05 A5:0.1 rest:0.05 A5:0.1 rest:0.5
tone Chime.wav G5:0.3 E5:0.3 C5:0.6 rest:0.2
