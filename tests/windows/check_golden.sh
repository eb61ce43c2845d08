#!/usr/bin/env bash
# The Windows checker explains a sample exactly as its golden text says (the
# Linux suite holds the Linux checker to the same text). Windows ends lines
# with CR LF on a console; the text is compared without them.
# usage: check_golden.sh CHECKER SAMPLE EXPECTED [OPTIONS]   (SAMPLE relative to the current folder)
set -uo pipefail
checker=$1 sample=$2 expected=$3
shift 3
output=$(wine "$checker" "$@" "$sample" 2>/dev/null </dev/null | tr -d '\r')
status=${PIPESTATUS[0]}
if ! diff <(cat "$expected") <(echo "$output"); then
    echo "the checker's explanation of $sample differs from $expected"
    exit 1
fi
echo "$sample: as $expected, exit $status"
[ "$status" -eq 1 ]
