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
setup_hint="run scripts/setup-wine32.sh (make test runs it)"

case "$target" in
win32)
    program="$target_build/render_check.exe"
    module="$target_build/oscinda.dll"
    runner=/usr/lib/wine/wine
    [ -x "$runner" ] || fail "wine32 not found ($runner): $setup_hint"
    ;;
win64)
    program="$target_build/render_check.exe"
    module="$target_build/oscinda.dll"
    runner=/usr/lib/wine/wine64
    [ -x "$runner" ] || runner=$(command -v wine64 || true)
    [ -n "$runner" ] || fail "wine64 not found: run scripts/install-deps.sh"
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
# programs: a shell answers 126 when the kernel cannot execute one.
i386_check=""
case "$target" in
win32) i386_check="$runner" ;;
linux32) i386_check="$program" ;;
esac
if [ -n "$i386_check" ]; then
    status=0
    "$i386_check" --version >"$log" 2>&1 </dev/null || status=$?
    if [ "$status" -eq 126 ] || [ "$status" -eq 127 ]; then
        fail "32-bit x86 programs do not run here (no kernel support and no qemu-i386 in binfmt_misc): $setup_hint"
    fi
fi

if [ -n "$runner" ]; then
    # One prefix per Windows build, shared by every Linux tree that compares it.
    export WINEPREFIX="$target_build/wineprefix"
    export WINEARCH="$target"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    # Console programs only: no display is needed, and none is used.
    unset DISPLAY WAYLAND_DISPLAY
    wineserver="${runner%/*}/wineserver"
    [ -x "$wineserver" ] || wineserver=wineserver
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
