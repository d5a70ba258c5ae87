#!/bin/sh
# Makes the bundled ring tones of the device's \Windows folder with sox:
#   ringtones.sh <output folder>
# Each tone is a short melody of sine notes, 22.05 kHz mono 16-bit wave;
# Alarm4.wma, the default ring tone, and Alarm5.mp3 are such melodies
# encoded by ffmpeg (WMA version 2, MP3 through LAME).
#   ringtones.sh --test <output folder>
# makes the tests' tones instead: two seconds of a steady 660 Hz sine as
# SoundTest.wav, SoundTest.mp3 and SoundTest.wma.
set -e
if [ "$1" = --test ]; then
    out=$2
    mkdir -p "$out"
    sox -n -r 22050 -c 1 -b 16 "$out/SoundTest.wav" synth 2 sine 660 vol 0.5
    ffmpeg -loglevel error -y -i "$out/SoundTest.wav" -c:a wmav2 -b:a 64k "$out/SoundTest.wma"
    ffmpeg -loglevel error -y -i "$out/SoundTest.wav" -c:a libmp3lame -b:a 64k "$out/SoundTest.mp3"
    exit 0
fi
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

# encoded <file> <codec> <note:seconds>...: a melody made as above, encoded.
# (sh has no local variables: tone's own ones are not used after it.)
encoded() {
    target=$1
    codec=$2
    shift 2
    tone .melody.wav "$@"
    ffmpeg -loglevel error -y -i "$out/.melody.wav" -c:a "$codec" -b:a 64k "$out/$target"
    rm -f "$out/.melody.wav"
}

encoded Alarm4.wma wmav2 C6:0.15 G5:0.15 C6:0.15 G5:0.15 C6:0.3 rest:0.2 E6:0.15 C6:0.15 E6:0.15 C6:0.15 E6:0.3 rest:0.4
encoded Alarm5.mp3 libmp3lame G5:0.2 B5:0.2 D6:0.4 rest:0.1 D6:0.2 B5:0.2 G5:0.4 rest:0.3
