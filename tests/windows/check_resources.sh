#!/bin/sh
# A Windows module must carry the editor's artwork as resources/oscinda.rc
# lists it: five RT_BITMAP resources, ids 1 to 5, language 1033 (English,
# United States), nothing else, byte for byte the script's bitmaps.
#   check_resources.sh WINDRES MODULE.dll RC_FILE
set -eu
windres="$1"
module="$2"
rc_file="$3"

fail() {
    echo "$module: $*"
    exit 1
}
[ -f "$module" ] || fail "missing: build it with 'make cross'"
command -v "$windres" >/dev/null || fail "$windres not found: run scripts/install-deps.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$windres" -i "$module" -O rc -o "$work/module.rc" || fail "windres cannot read its resources"
"$windres" -I "$(dirname "$rc_file")" -i "$rc_file" -O rc -o "$work/script.rc" || fail "windres cannot read $rc_file"

bitmaps=$(grep -c '/\* RT_BITMAP \*/' "$work/module.rc" || true)
[ "$bitmaps" -eq 5 ] || fail "$bitmaps RT_BITMAP resources, expected 5"
other_types=$(grep '^/\* Type: ' "$work/module.rc" | grep -v '^/\* Type: bitmap$' || true)
[ -z "$other_types" ] || fail "resources other than bitmaps: $other_types"
languages=$(grep '^LANGUAGE ' "$work/module.rc" | sort -u)
[ "$languages" = "LANGUAGE 9, 1" ] || fail "languages $(echo $languages), expected only 9, 1 (1033)"
ids=$(sed -n 's|^\([0-9]*\) 2 /\* RT_BITMAP \*/.*|\1|p' "$work/module.rc" | tr '\n' ' ')
[ "$ids" = "1 2 3 4 5 " ] || fail "bitmap ids $ids, expected 1 2 3 4 5"
# A module has no memory flags; apart from those the dumps must agree.
sed 's| MOVEABLE PURE DISCARDABLE$||' "$work/script.rc" >"$work/expected.rc"
cmp -s "$work/expected.rc" "$work/module.rc" || fail "bitmaps other than $rc_file lists"
echo "$module: bitmaps $ids(RT_BITMAP, language 1033) as $rc_file lists them"
