#!/bin/sh
# Builds nothing itself: shows what a host sees of the plug-in in BUILD_DIR.
set -eu
build_dir="${1:-build}"
echo "Plug-in: $build_dir/oscinda.so"
nm -D --defined-only "$build_dir/oscinda.so"
