# Shared by the scripts that run a Windows build under wine (sourced, after
# they define fail): which wine runs a target, whether 32-bit x86 programs
# run here at all, and the environment of a wine prefix of our own.
setup_hint="run scripts/setup-wine32.sh (make test runs it)"

# Sets runner to the wine that runs TARGET (win32 or win64), or fails saying
# what is missing.
find_wine() {
    case "$1" in
    win32)
        runner=/usr/lib/wine/wine
        [ -x "$runner" ] || fail "wine32 not found ($runner): $setup_hint"
        ;;
    win64)
        runner=/usr/lib/wine/wine64
        [ -x "$runner" ] || runner=$(command -v wine64 || true)
        [ -n "$runner" ] || fail "wine64 not found: run scripts/install-deps.sh"
        ;;
    *) fail "unknown Windows target; expected win32 or win64" ;;
    esac
}

# Fails unless PROGRAM, a 32-bit x86 Linux program (the 32-bit wine loader or
# a static renderer), can be executed; its output goes to LOG. A shell
# answers 126 (or 127) when the kernel cannot execute one.
require_i386_programs() {
    status=0
    "$1" --version >"$2" 2>&1 </dev/null || status=$?
    if [ "$status" -eq 126 ] || [ "$status" -eq 127 ]; then
        fail "32-bit x86 programs do not run here (no kernel support and no qemu-i386 in binfmt_misc): $setup_hint"
    fi
}

# Exports the environment of the wine prefix PREFIX for TARGET and sets
# wineserver to the server that goes with runner.
use_wine_prefix() {
    export WINEPREFIX="$1"
    export WINEARCH="$2"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    wineserver="${runner%/*}/wineserver"
    [ -x "$wineserver" ] || wineserver=wineserver
}
