#!/usr/bin/env bash
# ./dev demo beside other runs. Two demos started together both end with exit
# 0 and their summaries, though the short one ends, and stops its Wine, while
# the long one still runs, or though both write the default folder; and a
# demo whose Wine server is stopped under it fails in one line instead of
# ending as a success.
# usage: check_demos_side_by_side.sh DEV
set -uo pipefail
dev=$1
source "$(dirname "$0")/../scratch_folder.sh"
ended() { # ended RUN STATUS: the demo RUN ended with exit 0 and its summary
    [ "$2" -eq 0 ] || fail "the $1 demo: exit $2: $(cat "$1.err")"
    grep -q '^BrambleCap dry run' "$1.out" || fail "the $1 demo printed no summary"
}

# ./dev works in its own folder: every output is named in full.
"$dev" demo --frames 30000 --out "$folder/long" >long.out 2>long.err </dev/null &
long=$!
"$dev" demo --frames 1 --out "$folder/short" >short.out 2>short.err </dev/null
short_status=$?
kill -0 "$long" 2>/dev/null || fail "the long demo ended before the short one: nothing was shown"
wait "$long"
ended long $?
ended short "$short_status"

# Two plain demos write the same folder: the second waits its turn, and both
# end with their summaries.
"$dev" demo --frames 600 >first.out 2>first.err </dev/null &
first=$!
"$dev" demo --frames 600 >second.out 2>second.err </dev/null
ended second $?
wait "$first"
ended first $?

# The demo's own Wine server, stopped once the dry run shows progress.
"$dev" demo --frames 200000 --out "$folder/cut" >cut.out 2>cut.err </dev/null &
cut=$!
for _ in $(seq 1800); do
    grep -q '^frame ' cut.out && break
    sleep 0.1
done
WINEPREFIX="$(dirname "$dev")/build/wine-runs/$(hostname)-$cut" wineserver -k
wait "$cut"
cut_status=$?
[ "$cut_status" -ne 0 ] || fail "a demo cut short exited 0"
grep -q '^BrambleCap dry run' cut.out && fail "the cut demo ran to its end: nothing was cut"
[ "$(grep -c '^dev: ' cut.err)" -le 1 ] || fail "more than one line from ./dev: $(cat cut.err)"
echo "$failures failures"
[ "$failures" -eq 0 ]
