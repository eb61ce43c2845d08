#!/usr/bin/env bash
# The .asi carries a version resource, so that its properties show what it is.
set -euo pipefail
text=$(strings -el "$1" | tr '\n' '|')
status=0
for expected in "ProductName|BrambleCap|" "FileVersion|$2|" "FileDescription|BrambleCap: shields over trees and palms near the player|" "OriginalFilename|BrambleCap.asi|"; do
    if [[ "$text" != *"$expected"* ]]; then
        echo "missing in the version resource: ${expected//|/ = }"
        status=1
    fi
done
[ $status -eq 0 ] && echo "version resource: BrambleCap $2"
exit $status
