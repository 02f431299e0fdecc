#!/bin/sh
# Runs a Windows build's editor_check.exe under wine, on an X display of its
# own (Xvfb, stopped afterwards), then compares the editor's captures with the
# Linux offscreen render of the same state. Anything missing to run the
# target fails and says so.
#   run_editor_check.sh TARGET TARGET_BUILD WORK_DIR EDITOR_CAPTURE REFERENCE.png
# TARGET: win32 (under wine32) or win64 (under wine64). WORK_DIR keeps the
# wine prefix (made on the first run) and the captures, as BMP and PNG.
set -eu
target="$1"
target_build="$2"
work="$3"
editor_capture="$4"
reference="$5"

fail() {
    echo "$target: $*"
    exit 1
}
. "$(dirname "$0")/../cross/wine_environment.sh"
now_ms() { echo $(($(date +%s%N) / 1000000)); }

find_wine "$target"
program="$target_build/editor_check.exe"
module="$target_build/oscinda.dll"
for built in "$program" "$module"; do
    [ -f "$built" ] || fail "$built is missing: build it with 'make cross'"
done
command -v Xvfb >/dev/null || fail "Xvfb not found: run scripts/install-deps.sh"

mkdir -p "$work"
work=$(cd "$work" && pwd)  # wine takes only an absolute prefix
captures="$work/captures"
log="$work/run.log"
rm -rf "$captures"
mkdir -p "$captures"

# The 32-bit wine loader is a 32-bit x86 Linux program.
[ "$target" != win32 ] || require_i386_programs "$runner" "$log"

# A second module in the process: the same DLL under another name.
cp "$module" "$work/oscinda-copy.dll"

# This check's own prefix: no other test's wine server (started without a
# display) is ever asked to show its windows.
use_wine_prefix "$work/wineprefix" "$target"
unset WAYLAND_DISPLAY

# Xvfb picks a free display and writes its number to descriptor 3.
xvfb_pid=""
cleanup() {
    "$wineserver" -k >/dev/null 2>&1 || true
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT
started=$(now_ms)
rm -f "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
waited=0
while [ ! -s "$work/display" ]; do
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    [ "$waited" -lt 100 ] || fail "Xvfb gave no display within 10 s"
    sleep 0.1
    waited=$((waited + 1))
done
export DISPLAY=":$(head -n 1 "$work/display")"
xvfb_ms=$(($(now_ms) - started))

started=$(now_ms)
status=0
# Output to a file, never into a pipe: wine's helpers would keep it open.
# A run that hangs (a dialog nobody closes) ends after 5 minutes.
timeout -k 10 300 "$runner" "$program" "$module" "$work/oscinda-copy.dll" "$captures" >"$log" 2>&1 </dev/null ||
    status=$?
run_ms=$(($(now_ms) - started))
# Windows console output: lines end in CR LF.
tr -d '\r' <"$log" >"$log.tmp" && mv "$log.tmp" "$log"
checks_ms=$(sed -n 's/^editor_check: .* \([0-9]*\) ms$/\1/p' "$log" | awk '{ sum += $1 } END { print sum + 0 }')
parts=$(sed -n 's/^editor_check: \(.* [0-9]* ms\)$/\1/p' "$log" | paste -sd ',' - | sed 's/,/, /g')

failed=""
if [ "$status" -ne 0 ]; then
    grep -v '^editor_check: .* ms$' "$log" || true
    failed="editor_check.exe exited with status $status"
    [ "$status" -ne 124 ] || failed="editor_check.exe did not finish within 5 minutes"
fi
for capture in panel-printed panel-shown; do
    if [ -f "$captures/$capture.bmp" ]; then
        "$editor_capture" compare "$reference" "$captures/$capture.bmp" "$work/$capture.png" ||
            failed="${failed:+$failed; }$capture differs from the Linux render"
    else
        failed="${failed:+$failed; }no $capture.bmp written"
    fi
done
[ ! -f "$captures/panel-after-gestures.bmp" ] ||
    "$editor_capture" png "$captures/panel-after-gestures.bmp" "$work/panel-after-gestures.png" >/dev/null

echo "$target: Xvfb start ${xvfb_ms} ms; wine start $((run_ms - checks_ms)) ms; checks ${checks_ms} ms ($parts)"
[ -z "$failed" ] || fail "$failed"
echo "$target: $(grep '^editor_check: .* checks' "$log" | sed 's/^editor_check: //'); captures identical to the Linux render"
