#!/usr/bin/env bash
# A shipped binary carries a version resource, so that its properties show what it is.
# usage: check_version.sh BINARY VERSION FILE_NAME DESCRIPTION
set -euo pipefail
text=$(strings -el "$1" | tr '\n' '|')
status=0
for expected in "ProductName|BrambleCap|" "FileVersion|$2|" "OriginalFilename|$3|" "FileDescription|$4|"; do
    if [[ "$text" != *"$expected"* ]]; then
        echo "missing in the version resource of $1: ${expected//|/ = }"
        status=1
    fi
done
[ $status -eq 0 ] && echo "version resource: $3 $2: $4"
exit $status
