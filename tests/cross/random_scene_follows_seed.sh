#!/bin/sh
# The Random scene is compared across targets; that comparison means something
# only if the seed shapes the output. Two seeds must give different output,
# and one seed the same output twice.
#   random_scene_follows_seed.sh RENDER_CHECK WORK_DIR
set -eu
render_check="$1"
work="$2"

rm -rf "$work"
for run in first again other; do
    mkdir -p "$work/$run"
done
"$render_check" linked "$work/first" 1
"$render_check" linked "$work/again" 1
"$render_check" linked "$work/other" 2

if ! cmp -s "$work/first/random.raw" "$work/again/random.raw"; then
    echo "one seed gave two different outputs"
    exit 1
fi
if cmp -s "$work/first/random.raw" "$work/other/random.raw"; then
    echo "seeds 1 and 2 gave the same output: the Random scene draws nothing"
    exit 1
fi
echo "seed 1 repeats, seed 2 differs"
