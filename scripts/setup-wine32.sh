#!/bin/sh
# Makes 32-bit Windows programs run on this machine: 32-bit x86 Linux
# programs first (natively where the kernel runs them, otherwise through
# qemu-i386 registered in binfmt_misc), then wine32. Safe to run again: a
# machine that is already set up costs a few checks.
#   setup-wine32.sh STATE_DIR
#
# Order matters on a kernel without 32-bit support: i386 package scripts
# installed before the emulator is registered fail with "Exec format error".
# Debian 12's own qemu (7.2) starts wine32 but wine then cannot map its shared
# user data; the backported qemu 10 can, so that one is fetched (unpacked into
# STATE_DIR, nothing installed system-wide).
set -eu

state_dir="${1:?usage: setup-wine32.sh STATE_DIR}"
mkdir -p "$state_dir"
state_dir=$(cd "$state_dir" && pwd)

binfmt=/proc/sys/fs/binfmt_misc
entry_name=oscinda-qemu-i386
qemu="$state_dir/qemu-i386"
probe="$state_dir/i386-probe"
# Any 32-bit x86 ELF program or shared object (the mask and magic qemu itself
# registers), in binfmt_misc's escaped notation.
i386_magic='\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
i386_mask='\xff\xff\xff\xff\xff\xfe\xfe\xfc\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
i386_magic_hex=7f454c4601010100000000000000000002000300

if [ "$(id -u)" -eq 0 ]; then
    sudo=""
else
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive

say() { echo "setup-wine32: $*"; }
fail() {
    echo "setup-wine32: $*" >&2
    exit 1
}

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

apt_lists_fresh=no
apt_install() {
    if [ "$apt_lists_fresh" = no ]; then
        $sudo apt-get update -qq
        apt_lists_fresh=yes
    fi
    say "installing $*"
    # Other apt users on the machine may hold the lock for a while.
    $sudo apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=600 "$@"
}

# A tiny static i386 program: whether it runs says whether the machine runs
# 32-bit x86 programs at all, before any i386 library is there.
build_probe() {
    [ -x "$probe" ] && return 0
    command -v i686-linux-gnu-gcc >/dev/null || fail "i686-linux-gnu-gcc missing: run scripts/install-deps.sh first"
    printf 'int main(void) { return 0; }\n' >"$probe.c"
    i686-linux-gnu-gcc -static -O2 -o "$probe.tmp" "$probe.c"
    mv "$probe.tmp" "$probe"
    rm -f "$probe.c"
}

i386_runs() { "$probe" >/dev/null 2>&1; }

# Names of the enabled binfmt_misc entries that take i386 programs.
i386_handlers() {
    [ -e "$binfmt/register" ] || return 0
    for entry in "$binfmt"/*; do
        case "${entry##*/}" in register | status) continue ;; esac
        if grep -qx enabled "$entry" && grep -q "^magic $i386_magic_hex\$" "$entry"; then
            echo "${entry##*/}"
        fi
    done
}

# The Debian mirror apt already uses, with its keyring, read from the one-line
# and the deb822 source lists: "URI KEYRING" (KEYRING may be empty).
debian_mirror() {
    codename="$1"
    for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$list" ] || continue
        sed -e 's/#.*//' "$list" | awk -v suite="$codename" '
            $1 == "deb" {
                keyring = ""
                if (match($0, /\[[^]]*\]/)) {
                    options = substr($0, RSTART + 1, RLENGTH - 2)
                    if (match(options, /signed-by=[^ ]*/)) keyring = substr(options, RSTART + 10, RLENGTH - 10)
                    sub(/\[[^]]*\]/, "")
                }
                if ($3 == suite) { print $2, keyring; exit }
            }'
    done
    for list in /etc/apt/sources.list.d/*.sources; do
        [ -f "$list" ] || continue
        sed -e '/^[[:space:]]*#/d' "$list" | awk -v suite="$codename" '
            function flush() {
                if (!found && types ~ /(^| )deb( |$)/ && (" " suites " ") ~ (" " suite " ") && uris != "" && enabled != "no") {
                    split(uris, first, " ")
                    print first[1], keyring
                    found = 1
                    exit
                }
                types = suites = uris = keyring = enabled = ""
            }
            /^[ \t]*$/ { flush(); next }
            {
                key = tolower($1); $1 = ""; sub(/^ +/, "")
                if (key == "types:") types = $0
                else if (key == "suites:") suites = $0
                else if (key == "uris:") uris = $0
                else if (key == "signed-by:") keyring = $0
                else if (key == "enabled:") enabled = tolower($0)
            }
            END { flush() }'
    done
}

# qemu-i386 from the backports suite, through a private apt state so that the
# machine's own source lists stay as they are.
fetch_qemu() {
    if [ -x "$qemu" ] && "$qemu" --version | grep -q "version 10\."; then
        return 0
    fi
    . /etc/os-release
    mirror=$(debian_mirror "$VERSION_CODENAME" | head -n 1)
    [ -n "$mirror" ] || fail "no Debian mirror for $VERSION_CODENAME in /etc/apt/sources.list{,.d}"
    uri=${mirror%% *}
    keyring=${mirror#* }
    apt_dir="$state_dir/apt"
    rm -rf "$apt_dir"
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/state" "$apt_dir/download"
    options="arch=$(dpkg --print-architecture)"
    [ -n "$keyring" ] && options="$options signed-by=$keyring"
    echo "deb [$options] $uri $VERSION_CODENAME-backports main" >"$apt_dir/sources.list"
    set -- -o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts=- \
        -o Dir::State="$apt_dir/state" -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache" \
        -o APT::Sandbox::User=root
    say "fetching qemu-user from $VERSION_CODENAME-backports ($uri)"
    apt-get "$@" -qq update
    (cd "$apt_dir/download" && apt-get "$@" -qq download "qemu-user/$VERSION_CODENAME-backports")
    package=$(ls "$apt_dir"/download/qemu-user_*.deb)
    dpkg-deb -x "$package" "$apt_dir/unpacked"
    mv "$apt_dir/unpacked/usr/bin/qemu-i386" "$qemu.tmp"
    mv "$qemu.tmp" "$qemu"
    rm -rf "$apt_dir"
    "$qemu" --version | head -n 1
}

register_qemu() {
    if [ ! -e "$binfmt/register" ]; then
        $sudo mount -t binfmt_misc binfmt_misc "$binfmt" || fail "cannot mount binfmt_misc at $binfmt"
    fi
    [ -e "$binfmt/$entry_name" ] && echo -1 | $sudo tee "$binfmt/$entry_name" >/dev/null
    # F: the kernel opens the emulator now, so it keeps working even where the
    # state folder is removed, and inside other mount namespaces.
    printf ':%s:M::%s:%s:%s:F\n' "$entry_name" "$i386_magic" "$i386_mask" "$qemu" | $sudo tee "$binfmt/register" >/dev/null
}

# 1. The i386 architecture and its C library.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    say "adding the i386 architecture"
    $sudo dpkg --add-architecture i386
fi
installed libc6:i386 || apt_install libc6:i386

# 2. 32-bit x86 programs run, natively or through the emulator.
build_probe
handlers=$(i386_handlers | tr '\n' ' ')
if [ -z "$handlers" ] && i386_runs; then
    say "32-bit x86 programs run natively"
elif [ "$handlers" = "$entry_name " ] && i386_runs; then
    say "32-bit x86 programs run through qemu-i386 ($binfmt/$entry_name)"
else
    # Newer entries take precedence, so one registered now overrides an older
    # emulator that cannot run wine.
    fetch_qemu
    register_qemu
    i386_runs || fail "32-bit x86 programs still do not run through $qemu"
    say "registered $qemu for 32-bit x86 programs"
fi

# 3. wine32, once i386 packages' own scripts can run.
missing=""
for package in wine32:i386 wine fonts-liberation; do
    installed "$package" || missing="$missing $package"
done
# shellcheck disable=SC2086
[ -z "$missing" ] || apt_install $missing
[ -x /usr/lib/wine/wine ] || fail "wine32 installed, yet /usr/lib/wine/wine is missing"
# Wine's output goes to a file, never into a pipe its helpers may keep open.
/usr/lib/wine/wine --version >"$state_dir/wine32-version" 2>&1 || fail "wine32 does not start: $(cat "$state_dir/wine32-version")"
say "wine32 ready: $(cat "$state_dir/wine32-version")"
