#!/usr/bin/env bash
# The Windows checker explains a sample exactly as its golden text says (the
# Linux suite holds the Linux checker to the same text). Windows ends lines
# with CR LF on a console; the text is compared without them.
# usage: check_golden.sh CHECKER SAMPLE EXPECTED   (SAMPLE relative to the current folder)
set -uo pipefail
output=$(wine "$1" "$2" 2>/dev/null | tr -d '\r')
status=${PIPESTATUS[0]}
if ! diff <(cat "$3") <(echo "$output"); then
    echo "the checker's explanation of $2 differs from $3"
    exit 1
fi
echo "$2: as $3, exit $status"
[ "$status" -eq 1 ]
