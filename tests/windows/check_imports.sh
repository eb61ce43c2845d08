#!/usr/bin/env bash
# The .asi must import the host's seven decorated names from ScriptHookV.dll
# and nothing but Windows system DLLs besides: no C++, GCC or thread runtime.
# It exports nothing: the loader needs only the entry point.
set -euo pipefail
# usage: check_imports.sh ASI DECORATED_NAMES_FILE
asi=$1
dump=$(x86_64-w64-mingw32-objdump -p "$asi")
dlls=$(sed -nE 's/^\s*DLL Name: (.*)$/\1/p' <<<"$dump" | sort)
host=$(awk '/DLL Name: ScriptHookV.dll/{on=1; next} /DLL Name:/{on=0} on && NF==3 && $3 ~ /^\?/ {print $3}' <<<"$dump" | sort)
expected=$(sort "$2")
status=0
if [ "$host" != "$expected" ]; then
    echo "imports from ScriptHookV.dll differ:"
    diff <(echo "$expected") <(echo "$host") || true
    status=1
fi
while read -r dll; do
    case "${dll,,}" in
    scripthookv.dll | kernel32.dll | msvcrt.dll | user32.dll | advapi32.dll | ntdll.dll | api-ms-win-crt-*.dll | ucrtbase.dll) ;;
    *) echo "unexpected import: $dll"; status=1 ;;
    esac
done <<<"$dlls"
# The linker may leave an export table with no entry in it: that exports nothing.
exports=$(awk '/\[Ordinal\/Name Pointer\] Table/{on=1; next} /^$/{on=0} on' <<<"$dump" | wc -l)
if [ "$exports" -ne 0 ]; then
    echo "the .asi exports $exports names; it should export nothing"
    status=1
fi
echo "imports: $(tr '\n' ' ' <<<"$dlls")"
echo "exports: $exports"
exit $status
