#!/bin/sh
# oscinda-host render of a 10-minute 48 kHz mono float WAV against sox doing
# the same file work without processing (the same two-channel float WAV out),
# side by side under hyperfine, on tmpfs. Rounds alternate which command runs
# first; each prints the medians, and the last line the median of the ratios.
#   bench/render_against_sox.sh [BUILD_DIR] [ROUNDS] [RUNS_PER_ROUND]
set -eu
build=$(cd "${1:-build}" && pwd)
rounds=${2:-5}
runs=${3:-10}
work=$(mktemp -d /dev/shm/oscinda-render.XXXXXX)
trap 'rm -rf "$work"' EXIT INT TERM

sox -n -r 48000 -c 1 -b 32 -e floating-point "$work/in.wav" synth 600 pinknoise vol 0.5
render="$build/tools/oscinda-host render $build/oscinda.so $work/in.wav $work/render.wav --quiet"
copy="sox $work/in.wav $work/sox.wav remix 1 1"

round=1
while [ "$round" -le "$rounds" ]; do
    if [ $((round % 2)) -eq 1 ]; then
        hyperfine -N --style none --warmup 1 --runs "$runs" --export-csv "$work/round.csv" "$render" "$copy" >/dev/null
    else
        hyperfine -N --style none --warmup 1 --runs "$runs" --export-csv "$work/round.csv" "$copy" "$render" >/dev/null
    fi
    # CSV: command,mean,stddev,median,user,system,min,max (seconds)
    awk -F, -v round="$round" '
        NR > 1 && $1 ~ /oscinda-host/ { render = $4; renderCpu = $5 + $6 }
        NR > 1 && $1 ~ /^sox/ { copy = $4; copyCpu = $5 + $6 }
        END { printf "round %d: render %.3f s (cpu %.3f s), sox %.3f s (cpu %.3f s), ratio %.2f\n",
                     round, render, renderCpu, copy, copyCpu, render / copy }' "$work/round.csv" | tee -a "$work/rounds.txt"
    round=$((round + 1))
done
sed 's/.*ratio //' "$work/rounds.txt" | sort -n |
    awk '{ ratio[NR] = $1 } END { printf "median ratio of render to sox: %.2f over %d rounds\n", ratio[int((NR + 1) / 2)], NR }'
