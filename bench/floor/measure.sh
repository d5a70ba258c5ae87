#!/usr/bin/env bash
# Measures the main program against the bare program (FloorBare) in one run
# on one throwaway device, the two interleaved round by round, and prints a
# Markdown table of medians, minima, maxima and ratios.
#   bench/floor/measure.sh [--rounds N] [--idle SECONDS] [--out FILE]
# Times come from FloorProbe inside the device; CPU, wake-ups and memory
# from the host's /proc (Wine's GetProcessTimes and GetProcessMemoryInfo do
# not report another process): on-CPU time summed over the process's threads
# (task/*/schedstat), voluntary context switches summed likewise
# (task/*/status), private memory (smaps_rollup Private_Clean + Private_Dirty,
# which counts the pages of files only this process maps, its own program
# and DLLs among them) and anonymous memory (smaps_rollup Anonymous: what the
# process allocated or wrote, the Windows sense of a program's private bytes).
set -euo pipefail
source "$(dirname "$0")/../../device/common.sh"

rounds=7 idle=5 out=""
while [ $# -gt 0 ]; do
    case $1 in
        --rounds) rounds=$2; shift ;;
        --idle) idle=$2; shift ;;
        --out) out=$2; shift ;;
        *) die "unknown option $1 (try --rounds N, --idle SECONDS, --out FILE)" ;;
    esac
    shift
done

ensure_packages
build_all device_image FloorBare FloorProbe CalcKeyBench

work=$(mktemp -d /tmp/tallypad-floor.XXXXXX)
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

start_xvfb 240 320
make_device "$work/device" 240 320 96
program="$WINEPREFIX/drive_c/Program Files/TallyPad"
cp -f "$BUILD_DIR"/bin/FloorBare.exe "$BUILD_DIR"/bin/FloorProbe.exe "$BUILD_DIR"/bin/CalcKeyBench.exe "$program/"
wineserver -p
wine cmd /c exit >/dev/null 2>&1 </dev/null

dir='C:\Program Files\TallyPad'
# The desktop stays open between the programs' runs, as on a booted device.
wine "$dir\\FloorProbe.exe" hold </dev/null >/dev/null 2>&1 &
feedback_command=22169 # the main menu's "Feedback Vibro"
samples=$work/samples
: >"$samples"

# Through a file: a program the probe started inherits its output and would
# hold a pipe open.
probe() {
    wine "$dir\\FloorProbe.exe" "$@" </dev/null >"$work/probe.out" 2>&1 || true
    tr -d '\r' <"$work/probe.out"
}

# record <program> <figure> <value>...
record() {
    local p=$1 f=$2
    shift 2
    for v in "$@"; do echo "$p $f $v" >>"$samples"; done
}

# The host pid of the device's process running <exe>.
host_pid() {
    local exe=$1 pid
    for pid in $(pgrep -u "$(id -u)" -f "$exe"); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && { echo "$pid"; return; }
    done
}

cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {print s + 0}'; }
wakeups() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ {s += $2} END {print s + 0}'; }
private_mb() { awk '/^Private_(Clean|Dirty)/ {s += $2} END {printf "%.1f", s / 1024}' "/proc/$1/smaps_rollup"; }
anonymous_mb() { awk '/^Anonymous:/ {s += $2} END {printf "%.1f", s / 1024}' "/proc/$1/smaps_rollup"; }
# record_memory <program> <pid> <where>
record_memory() {
    record "$1" "private_$3" "$(private_mb "$2")"
    record "$1" "anonymous_$3" "$(anonymous_mb "$2")"
}

# idle <program> <pid> <where>: CPU ms and wake-ups per second over $idle s.
measure_idle() {
    local p=$1 pid=$2 where=$3 c0 w0
    c0=$(cpu_ns "$pid") w0=$(wakeups "$pid")
    sleep "$idle"
    record "$p" "idle_cpu_ms_$where" "$(awk -v a="$c0" -v b="$(cpu_ns "$pid")" 'BEGIN {printf "%.1f", (b - a) / 1e6}')"
    record "$p" "idle_wakeups_s_$where" "$(awk -v a="$w0" -v b="$(wakeups "$pid")" -v s="$idle" 'BEGIN {printf "%.1f", (b - a) / s}')"
}

one_round() {
    local p=$1 exe cls line pid c0
    if [ "$p" = bare ]; then exe=FloorBare.exe cls=FloorBare; else exe=VelmoraTallyPad.exe cls=VelmoraTallyPad; fi
    line=$(probe start "$dir\\$exe" "$cls")
    record "$p" visible "$(awk '/^visible/ {print $2}' <<<"$line")"
    record "$p" painted "$(awk '/^painted/ {print $2}' <<<"$line")"
    sleep 1
    pid=$(host_pid "$exe")
    [ -n "$pid" ] || die "no host process for $exe"
    record_memory "$p" "$pid" desk
    measure_idle "$p" "$pid" desk
    record "$p" second "$(probe second "$dir\\$exe" | awk '/^second/ {print $2}')"
    sleep 1
    measure_idle "$p" "$pid" minimised
    record "$p" second "$(probe second "$dir\\$exe" | awk '/^second/ {print $2}')"
    sleep 1
    # The first opening makes the calculator; the figures are the later ones.
    c0=$(cpu_ns "$pid")
    line=$(probe switch "$p" 6)
    record "$p" first_to "$(awk '/^to/ {print $2; exit}' <<<"$line")"
    record "$p" switch $(awk '/^switch/ {if (n++) print $2}' <<<"$line")
    record "$p" to $(awk '/^to/ {if (n++) print $2}' <<<"$line")
    record "$p" back $(awk '/^back/ {if (n++) print $2}' <<<"$line")
    record "$p" switch_check $(awk '/^check/ {if (n++) print $2}' <<<"$line")
    record "$p" switch_net $(awk '/^net/ {if (n++) print $2}' <<<"$line")
    record "$p" switch_cpu_ms "$(awk -v a="$c0" -v b="$(cpu_ns "$pid")" 'BEGIN {printf "%.1f", (b - a) / 6e6}')"
    record_memory "$p" "$pid" calc
    # Without the feedback pulse (the menu command toggles it; the bare
    # program has none), to show what the pulse's worker adds to a switch.
    if [ "$p" = tallypad ]; then
        probe open "$cls" 273 "$feedback_command" 0 >/dev/null
        line=$(probe switch "$p" 3)
        probe open "$cls" 273 "$feedback_command" 0 >/dev/null
    fi
    record "$p" switch_quiet $(awk '/^switch/ {print $2}' <<<"$line")
    if [ "$p" = tallypad ]; then
        local id
        for id in 2 3 4 5 6 7 8; do
            sleep 0.3
            probe open "$cls" 6457 "$id" 0 >/dev/null
        done
        sleep 0.3
        probe open "$cls" 5692 0 0 >/dev/null
        sleep 1
    fi
    record_memory "$p" "$pid" all
    probe close "$cls" >/dev/null
    sleep 1
}

# The median of the first line of a key benchmark: the typed digit.
median_of_first() { awk 'NR == 1 { for (i = 1; i < NF; i++) if ($i == "median") print $(i + 1) }'; }

# A first start reads every file from disk; the rounds compare warm starts.
for p in bare tallypad; do
    if [ "$p" = bare ]; then exe=FloorBare.exe cls=FloorBare; else exe=VelmoraTallyPad.exe cls=VelmoraTallyPad; fi
    probe start "$dir\\$exe" "$cls" >/dev/null
    sleep 1
    probe close "$cls" >/dev/null
done

say "measuring $rounds rounds of the bare and the main program (about $((rounds * (4 * idle + 30) / 60 + 1)) min)"
for r in $(seq 1 "$rounds"); do
    if [ $((r % 2)) -eq 1 ]; then order="bare tallypad"; else order="tallypad bare"; fi
    for p in $order; do one_round "$p"; done
    for p in $order; do
        if [ "$p" = bare ]; then
            v=$(wine "$dir\\FloorBare.exe" --keys </dev/null | tr -d '\r' | median_of_first)
        else
            v=$(wine "$dir\\CalcKeyBench.exe" </dev/null | tr -d '\r' | median_of_first)
        fi
        record "$p" key_us "$v"
    done
    say "  round $r of $rounds done"
done

# One row per figure: median [min-max] of each program, and the ratio (or
# difference, for memory) of the medians.
report() {
    awk -v rounds="$rounds" -v idle="$idle" '
    function med(p, f,   n, i, j, t, a) {
        n = split(vals[p, f], a, " ")
        for (i = 2; i <= n; i++) for (j = i; j > 1 && a[j - 1] + 0 > a[j] + 0; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
        lo[p, f] = a[1]; hi[p, f] = a[n]
        return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
    }
    { vals[$1, $2] = vals[$1, $2] " " $3 }
    END {
        split("painted visible second to back switch switch_check switch_net switch_quiet first_to switch_cpu_ms key_us anonymous_desk anonymous_calc anonymous_all private_desk private_calc private_all idle_cpu_ms_desk idle_wakeups_s_desk idle_cpu_ms_minimised idle_wakeups_s_minimised", order, " ")
        name["painted"] = "start -> first painted frame (ms)"
        name["visible"] = "start -> window visible (ms)"
        name["second"] = "second start, toggle and exit (ms)"
        name["to"] = "desk -> calculator (ms)"
        name["back"] = "calculator -> desk (ms)"
        name["switch"] = "desk -> calculator -> desk (ms)"
        name["switch_check"] = "the probe polling the windows, in it (ms)"
        name["switch_net"] = "desk -> calculator -> desk without the polling (ms)"
        name["switch_quiet"] = "the same, feedback pulse off (ms)"
        name["first_to"] = "first desk -> calculator, making it (ms)"
        name["switch_cpu_ms"] = "CPU per desk -> calculator -> desk (ms)"
        name["key_us"] = "calculator key to painted display (us)"
        name["anonymous_desk"] = "private bytes (anonymous memory) at the desk (MB)"
        name["anonymous_calc"] = "private bytes with the calculator (MB)"
        name["anonymous_all"] = "private bytes, every screen opened once (MB)"
        name["private_desk"] = "private memory with file pages at the desk (MB)"
        name["private_calc"] = "private memory with file pages, calculator (MB)"
        name["private_all"] = "private memory with file pages, every screen (MB)"
        name["idle_cpu_ms_desk"] = "idle CPU at the desk (ms in " idle " s)"
        name["idle_wakeups_s_desk"] = "wake-ups at the desk (per s)"
        name["idle_cpu_ms_minimised"] = "idle CPU minimised (ms in " idle " s)"
        name["idle_wakeups_s_minimised"] = "wake-ups minimised (per s)"
        print "| measure | bare floor | TallyPad | ratio |"
        print "|---|---|---|---|"
        for (k = 1; k in order; k++) {
            f = order[k]
            if (!((("bare", f) in vals) && (("tallypad", f) in vals))) continue
            b = med("bare", f); t = med("tallypad", f)
            if (f ~ /^(private|anonymous)/) r = sprintf("+%.1f MB", t - b)
            else if (f ~ /^idle/) r = "-"
            else r = b > 0 ? sprintf("%.2f", t / b) : "-"
            printf "| %s | %.1f [%.1f-%.1f] | %.1f [%.1f-%.1f] | %s |\n", name[f], b, lo["bare", f], hi["bare", f], t, lo["tallypad", f], hi["tallypad", f], r
        }
        printf "\nMedian [min-max] of %d rounds, the two programs interleaved; private memory from the host.\n", rounds
    }' "$samples"
}

table=$(report)
printf '%s\n' "$table"
[ -z "$out" ] || printf '%s\n' "$table" >"$out"
