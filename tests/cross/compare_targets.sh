#!/bin/sh
# Renders the scenes through this tree's renderer and, in one run under what
# the target needs, through another target's build, and requires byte-identical
# output. Anything missing to run the target fails the test and says so.
#   compare_targets.sh TARGET RENDER_CHECK LINUX_MODULE TARGET_BUILD WORK_DIR
# TARGET: win32 (under wine32), win64 (under wine64) or linux32 (a static
# 32-bit x86 program, run by the kernel or by qemu-i386 through binfmt_misc).
set -eu
target="$1"
render_check="$2"
linux_module="$3"
target_build="$4"
work="$5"

fail() {
    echo "$target: $*"
    exit 1
}
. "$(dirname "$0")/wine_environment.sh"

case "$target" in
win32 | win64)
    program="$target_build/render_check.exe"
    module="$target_build/oscinda.dll"
    find_wine "$target"
    ;;
linux32)
    program="$target_build/render_check"
    module=linked
    runner=""
    ;;
*) fail "unknown target; expected win32, win64 or linux32" ;;
esac
for built in "$program" "$module"; do
    [ "$built" = linked ] || [ -f "$built" ] || fail "$built is missing: build it with 'make cross'"
done

log="$work/run.log"
rm -rf "${work:?}/linux64" "${work:?}/$target"
mkdir -p "$work/linux64" "$work/$target"

# Both the 32-bit wine loader and the linux32 renderer are 32-bit x86 Linux
# programs.
case "$target" in
win32) require_i386_programs "$runner" "$log" ;;
linux32) require_i386_programs "$program" "$log" ;;
esac

if [ -n "$runner" ]; then
    # One prefix per Windows build, shared by every Linux tree that compares it.
    use_wine_prefix "$target_build/wineprefix" "$target"
    # Console programs only: no display is needed, and none is used.
    unset DISPLAY WAYLAND_DISPLAY
    # Our own prefix's server (and nothing else) goes when the test ends.
    trap '"$wineserver" -k >/dev/null 2>&1 || true' EXIT
fi

"$render_check" "$linux_module" "$work/linux64" || fail "the Linux renderer failed"

started=$(date +%s%N)
status=0
# Output to a file, never into a pipe: wine's helpers would keep it open.
if [ -n "$runner" ]; then
    "$runner" "$program" "$module" "$work/$target" >"$log" 2>&1 </dev/null || status=$?
else
    "$program" "$module" "$work/$target" >"$log" 2>&1 </dev/null || status=$?
fi
elapsed_ms=$((($(date +%s%N) - started) / 1000000))
if [ "$status" -ne 0 ]; then
    cat "$log"
    fail "the $target renderer failed with status $status"
fi

differs=""
for scene in scene random; do
    if ! cmp "$work/linux64/$scene.raw" "$work/$target/$scene.raw"; then
        differs="$differs $scene"
    fi
done
[ -z "$differs" ] || fail "other output than Linux 64-bit in:$differs"
echo "$target: identical to Linux 64-bit: scene $(wc -c <"$work/linux64/scene.raw") bytes," \
    "random $(wc -c <"$work/linux64/random.raw") bytes; $target run ${elapsed_ms} ms"
