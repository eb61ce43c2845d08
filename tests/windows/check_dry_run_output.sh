#!/usr/bin/env bash
# The Windows dry run, as ./dev demo shows it: lines end in LF alone, the
# pictures are named once, as the user typed the folder, and the plug-in's log
# is named when it asked for it.
# usage: check_dry_run_output.sh BRAMBLECAP_SIM
set -uo pipefail
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
output=$(cd "$folder" && wine "$1" --frames 3 --debug --out runs/first 2>/dev/null </dev/null)
failures=0
if grep -q $'\r' <<<"$output"; then
    echo "a CR in the output"
    failures=$((failures + 1))
fi
for line in "  pictures:                runs/first/map.svg" "                           runs/first/plot.svg" \
    "  the plug-in's log:       runs/first/game/BrambleCap.log"; do
    if [ "$(grep -cxF -- "$line" <<<"$output")" -ne 1 ]; then
        echo "missing once: \"$line\""
        failures=$((failures + 1))
    fi
done
[ -f "$folder/runs/first/game/BrambleCap.log" ] || { echo "no log in the game folder"; failures=$((failures + 1)); }
echo "$failures failures"
[ "$failures" -eq 0 ]
