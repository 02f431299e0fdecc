#!/bin/sh
# A Windows plug-in module must export exactly the entry's two names, for one
# address, and need no DLL beyond the system's own (the runtime is static).
#   check_dll.sh OBJDUMP MODULE.dll
set -eu
objdump="$1"
module="$2"
[ -f "$module" ] || { echo "$module is missing: build it with 'make cross'"; exit 1; }
command -v "$objdump" >/dev/null || { echo "$objdump not found: run scripts/install-deps.sh"; exit 1; }
dump=$("$objdump" -p "$module")

exports=$(echo "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed 1d | grep -o '\] [A-Za-z_][A-Za-z0-9_]*' | cut -c3- | LC_ALL=C sort | tr '\n' ' ')
if [ "$exports" != "VSTPluginMain main " ]; then
    echo "unexpected exports: $exports"
    exit 1
fi
addresses=$(echo "$dump" | sed -n '/^\[Ordinal\/Name Pointer\]/q;/Export RVA/p' | awk '{print $(NF-2)}' | sort -u | wc -l)
if [ "$addresses" -ne 1 ]; then
    echo "the two export names point at $addresses different addresses"
    exit 1
fi

imports=$(echo "$dump" | grep 'DLL Name:' | awk '{print $3}' | tr 'A-Z' 'a-z' | sort -u)
for dll in $imports; do
    case "$dll" in
        kernel32.dll | msvcrt.dll | user32.dll | gdi32.dll | ole32.dll | comdlg32.dll | advapi32.dll) ;;
        *) echo "needs a DLL that a user may not have: $dll"; exit 1 ;;
    esac
done
echo "exports: $exports; imports: $(echo $imports)"
