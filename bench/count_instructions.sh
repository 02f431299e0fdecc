#!/bin/sh
# Instructions per sample inside the effect's processReplacing (callees
# included) for a 10-second 48 kHz mono render with the default program,
# counted by callgrind.
#   bench/count_instructions.sh [BUILD_DIR]
set -eu
build=$(cd "${1:-build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
frames=480000

sox -n -r 48000 -c 1 -b 32 -e floating-point "$work/in.wav" synth 10 pinknoise vol 0.5
valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" --toggle-collect='ADelay::processReplacing*' \
    "$build/tools/oscinda-host" render "$build/oscinda.so" "$work/in.wav" "$work/out.wav" --quiet 2>"$work/valgrind.log"
collected=$(sed -n 's/.*Collected : *\([0-9]*\).*/\1/p' "$work/valgrind.log")
awk -v collected="$collected" -v frames="$frames" \
    'BEGIN { printf "%d instructions in processReplacing for %d samples: %.2f per sample\n", collected, frames, collected / frames }'
