#!/bin/sh
# The demo: what a host sees of the plug-in in BUILD_DIR, and a short
# strummed signal rendered through it with three settings, as WAVs and
# pictures under out/. Builds nothing itself (`make demo` builds first).
set -eu

build_dir="${1:-build}"
out_dir="${OUT_DIR:-out}"
plugin="$build_dir/oscinda.so"
host="$build_dir/tools/oscinda-host"

for needed in "$plugin" "$host" "$build_dir/tests/windows/editor_capture"; do
    if [ ! -e "$needed" ]; then
        echo "demo: $needed is missing; run 'make build' first" >&2
        exit 2
    fi
done
if ! command -v sox >/dev/null 2>&1; then
    echo "demo: sox is missing; run 'make deps'" >&2
    exit 2
fi

mkdir -p "$out_dir"

# Six strums of a C major chord: plucked strings over a soft sustained
# organ-like tone, so the gate has something to cut into all the way through.
# 12 s: the rate sweep's first change lasts 10 s, and Random only shapes the
# changes after it.
sox -q -n -r 44100 -c 1 -b 24 "$out_dir/input.wav" \
    synth 2 pluck C3 pluck E3 pluck G3 pluck C4 sine C3 sine G3 \
    delay 0 0.015 0.03 0.045 0 0 \
    remix 1,2,3,4,5v0.35,6v0.35 \
    fade 0.005 2 0.08 repeat 5 norm -3

"$host" info "$plugin" > "$out_dir/info.txt"
"$host" info --json "$plugin" > "$out_dir/info.json"

render() {
    name="$1"
    shift
    "$host" render "$plugin" "$out_dir/input.wav" "$out_dir/$name.wav" --plot "$out_dir/$name.png" --tail 0.5 "$@"
}

# Parameter values are the plug-in's own 0..1 values. Depth is the level
# while the gate is closed; Speed and Maximum Speed are the slow and fast
# ends of the period sweep (Speed must stay above Maximum Speed, so the fast
# end is set first).
render default-program --program 0
render fast-deep-gate --set Depth=0 --set "Maximum Speed=0.06" --set Speed=0.09
render wide-sweep-random --set Depth=0.1 --set "Maximum Speed=0.05" --set Speed=0.6 --set "Change Rate=0" \
    --set Random=1
# Close looks: a few gate cycles, then one closing edge and its ramp.
"$host" plot "$out_dir/fast-deep-gate.wav" "$out_dir/fast-deep-gate-zoom.png" --input "$out_dir/input.wav" \
    --from 0.3 --to 0.45
"$host" plot "$out_dir/fast-deep-gate.wav" "$out_dir/fast-deep-gate-ramp.png" --input "$out_dir/input.wav" \
    --from 0.329 --to 0.334

# Gate phase lengths, measured on the output: a steady 0.5 input at Depth 0
# makes every closed-phase sample exactly 0, and every open-phase sample
# (ramps included) something else.
awk 'BEGIN { print "; Sample Rate 44100"; print "; Channels 1";
             for (i = 0; i < 44100 * 12; i++) printf "%.9g 0.5\n", i / 44100 }' > "$out_dir/steady.dat"
sox "$out_dir/steady.dat" -e floating-point -b 32 "$out_dir/steady.wav"
rm -f "$out_dir/steady.dat"

phases() {
    name="$1"
    shift
    "$host" render "$plugin" "$out_dir/steady.wav" "$out_dir/phases-$name.wav" --quiet "$@" --set Depth=0
    printf '%-22s' "$name:"
    sox -V1 "$out_dir/phases-$name.wav" -t dat - | awk '
        /^;/ { next }
        { closed = ($2 + 0 == 0) }
        run > 0 && closed != previous { printf " %s %d", previous ? "closed" : "open", run; run = 0; shown++ }
        { previous = closed; run++ }
        shown >= 10 { exit }
        END { print " ..." }'
    rm -f "$out_dir/phases-$name.wav"
}

# The panel in a real X11 window (on an X server of the tool's own when no
# display is set): the first program, and the settings moved.
env -u DISPLAY "$host" editor "$plugin" "$out_dir/editor.png"
env -u DISPLAY "$host" editor "$plugin" "$out_dir/editor-moved.png" --set Depth=0 --set "Maximum Speed=0.05" \
    --set Speed=0.1 --set "Change Rate=0.5" --set Random=1

cat "$out_dir/info.txt"
echo
echo "Gate phase lengths in samples at 44100 Hz (first phases of each render):"
phases default-program --program 0
phases fast-deep-gate --set "Maximum Speed=0.06" --set Speed=0.09
phases wide-sweep --set "Maximum Speed=0.05" --set Speed=1 --set "Change Rate=0"
rm -f "$out_dir/steady.wav"

# The editor as the 32-bit Windows module shows it in a window of a host,
# under wine32 on an X display of its own: the editor check's capture.
editor_work="$build_dir/tests/windows/win32"
echo
if ! sh "$(dirname "$0")/../tests/windows/run_editor_check.sh" win32 "${WIN32_DIR:-build-win32}" "$editor_work" \
    "$build_dir/tests/windows/editor_capture" "$(dirname "$0")/../tests/editor/reference/panel-default.png"; then
    echo "demo: the 32-bit Windows editor failed its check; see $editor_work/run.log" >&2
    exit 1
fi
cp "$editor_work/panel-printed.png" "$out_dir/editor-win32.png"
echo
echo "Plug-ins:  $plugin"
for module in "${WIN32_DIR:-build-win32}/oscinda.dll" "${WIN64_DIR:-build-win64}/oscinda.dll"; do
    if [ -e "$module" ]; then echo "           $module"; fi
done
echo "Host:      $host"
echo "Input:     $out_dir/input.wav"
echo "Renders:   $out_dir/default-program.wav  $out_dir/fast-deep-gate.wav  $out_dir/wide-sweep-random.wav"
echo "Pictures:  $out_dir/default-program.png  $out_dir/fast-deep-gate.png  $out_dir/wide-sweep-random.png"
echo "           $out_dir/fast-deep-gate-zoom.png  $out_dir/fast-deep-gate-ramp.png"
echo "Editor:    $out_dir/editor.png  $out_dir/editor-moved.png"
echo "           $out_dir/editor-win32.png (the 32-bit Windows module's window, under wine)"
echo "Info:      $out_dir/info.txt  $out_dir/info.json"
