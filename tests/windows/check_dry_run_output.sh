#!/usr/bin/env bash
# The Windows dry run, as ./dev demo shows it: lines end in LF alone, the
# pictures are named once, as the user typed the folder, and the plug-in's log
# is named when it asked for it; a second run into a folder in use is refused
# at once, and so is one over an edited INI, which stays as it is.
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

cd "$folder" || exit 1
wine "$1" --frames 100000 --out runs/first >first.txt 2>/dev/null </dev/null &
first=$!
for ((i = 0; i < 200; i++)); do
    [ -d runs/first/game ] && [ -s first.txt ] && break
    sleep 0.05
done
errors=$(wine "$1" --frames 1 --out runs/first 2>&1 >/dev/null </dev/null | tr -d '\r')
[ "$errors" = "bramblecap-sim: --out runs/first: another run is using the folder; let it end, or choose another folder" ] ||
    { echo "a second run into a folder in use: \"$errors\""; failures=$((failures + 1)); }
wait "$first" && grep -qxF "  pictures:                runs/first/map.svg" first.txt ||
    { echo "the first run did not end well beside a second"; failures=$((failures + 1)); }
echo 'prop_bench_01a=1,5' >>runs/first/game/BrambleCap.ini
before=$(sha256sum runs/first/game/BrambleCap.ini; stat -c %y runs/first/game/BrambleCap.ini)
wine "$1" --frames 1 --out runs/first >/dev/null 2>&1 </dev/null &&
    { echo "a run over an edited INI went ahead"; failures=$((failures + 1)); }
[ "$(sha256sum runs/first/game/BrambleCap.ini; stat -c %y runs/first/game/BrambleCap.ini)" = "$before" ] ||
    { echo "the edited INI changed"; failures=$((failures + 1)); }
echo "$failures failures"
[ "$failures" -eq 0 ]
