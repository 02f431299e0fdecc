#!/bin/sh
# Renders the same scene through the Linux module and, through a runner (wine
# for a Windows build, qemu for an emulated one), through another target's
# build, and requires byte-identical output.
#   compare_targets.sh RENDER_CHECK LINUX_MODULE RUNNER OTHER_BUILD_DIR WORK_DIR
set -eu
render_check="$1"
linux_module="$2"
runner="$3"
other_build="$4"
work="$5"

mkdir -p "$work"
"$render_check" "$linux_module" "$work/linux.raw"

export WINEPREFIX="$work/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ -f "$other_build/render_check.exe" ]; then
    "$runner" "$other_build/render_check.exe" "$other_build/oscinda.dll" "$work/other.raw" </dev/null
else
    "$runner" "$other_build/render_check" linked "$work/other.raw" </dev/null
fi

if ! cmp "$work/linux.raw" "$work/other.raw"; then
    echo "$other_build gives other output than the Linux module"
    exit 1
fi
echo "identical: $(wc -c <"$work/linux.raw") bytes"
