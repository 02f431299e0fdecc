#!/bin/sh
# Renders the same scene through the Linux module and, under wine, through a
# Windows module, and requires byte-identical output.
#   compare_targets.sh RENDER_CHECK LINUX_MODULE WINE WINDOWS_BUILD_DIR WORK_DIR
set -eu
render_check="$1"
linux_module="$2"
wine="$3"
windows_build="$4"
work="$5"

mkdir -p "$work"
"$render_check" "$linux_module" "$work/linux.raw"

export WINEPREFIX="$work/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
"$wine" "$windows_build/render_check.exe" "$windows_build/oscinda.dll" "$work/windows.raw" </dev/null

if ! cmp "$work/linux.raw" "$work/windows.raw"; then
    echo "Windows output differs from Linux output"
    exit 1
fi
echo "identical: $(wc -c <"$work/linux.raw") bytes"
