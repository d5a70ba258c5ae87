#!/usr/bin/env bash
# Runs the readers' fuzzer under Wine in a throwaway prefix.
#   tests/fuzz/fuzz.sh           the short run, as the test suite runs it
#   tests/fuzz/fuzz.sh --long    a million inputs per reader, one process each
# Other arguments go to TallyPadFuzz (for example --reader settings, or
# --replay FILE --reader NAME for an input it saved). Saved inputs go to
# build/fuzz-failures.
set -euo pipefail
source "$(dirname "$0")/../../device/common.sh"

long=0
args=()
for arg in "$@"; do
    if [ "$arg" = --long ]; then long=1; else args+=("$arg"); fi
done

ensure_packages
build_all TallyPadFuzz

work=$(mktemp -d /tmp/tallypad-fuzz.XXXXXX)
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export WINEPREFIX=$work/prefix
wineboot -i >/dev/null 2>&1 || die "wineboot failed"

out="$BUILD_DIR/fuzz-failures"
mkdir -p "$out"
fuzz() { wine "$BUILD_DIR/bin/TallyPadFuzz.exe" --out "$(winepath -w "$out")" "$@"; }

if [ $long -eq 0 ]; then
    fuzz --seed 1 "${args[@]}"
    exit
fi
# Another seed than the short run's, so the long run covers new inputs.
status=0
for reader in $(fuzz --list | tr -d '\r'); do
    fuzz --reader "$reader" --inputs 1000000 --seed 20240 "${args[@]}" || status=$?
done
exit $status
