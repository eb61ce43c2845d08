#!/usr/bin/env bash
# The dry run through its command line: the verdict names what held the
# plug-in back, a player's edited INI is never replaced, a run holds its folder
# against another (and a killed run never blocks the next), the summary and the
# progress fit an 80-column terminal, and a quoted world field is read.
# usage: check_dry_runs.sh BRAMBLECAP_SIM
set -uo pipefail
sim=$(realpath "$1")
source "$(dirname "$0")/../scratch_folder.sh"
exec </dev/null

# The verdict line: worlds built for each limit; the summary wraps it at 80
# columns, so it is read joined.
verdict() { # verdict ARGUMENTS...
    "$sim" "$@" | sed -n '/^  verdict:/,$p' | sed 's/^ *//; s/^verdict: *//' | tr '\n' ' ' |
        sed 's/ $//'
}
expect_verdict() { # expect_verdict WANTED ARGUMENTS...
    local wanted=$1 found
    shift
    found=$(verdict "$@")
    [ "$found" = "$wanted" ] || fail "$*: verdict \"$found\"; wanted \"$wanted\""
}
pines() { # pines COUNT: a world of COUNT pines at the player's feet
    echo model,x,y,z
    for ((i = 0; i < $1; i++)); do echo prop_tree_pine_01,0,0,0; done
}
printf '[BLOCK_PROPS]\nprop_tree_pine_01=7,5\n' >pine.ini
pines 1 >one.csv
pines 20 >twenty.csv
pines 900 >many.csv
{
    pines 0
    for ((i = 0; i < 5000; i++)); do echo prop_bench_01a,1,1,0; done
    for ((i = 0; i < 10; i++)); do echo prop_tree_pine_01,0,0,0; done
} >hidden.csv
expect_verdict "every listed object the plug-in found got a shield at once" \
    --config pine.ini --world one.csv --frames 1 --out v1
# 20 pines: 12 in frame 1, the last 8 in frame 2.
expect_verdict "not every listed object the plug-in found got a shield at once: the budget of 12 new shields a frame was used up in 1 frame" \
    --config pine.ini --world twenty.csv --frames 2 --out v2
# 900 pines over 100 frames: 12 a frame in frames 1 to 66 (792), 8 in frame 67
# to the cap of 800, and 100 left waiting in frames 67 to 100.
expect_verdict "not every listed object the plug-in found got a shield at once: the cap of 800 shields held was reached in 34 frames; the budget of 12 new shields a frame was used up in 66 frames" \
    --config pine.ini --world many.csv --frames 100 --out v3
# The host lists 4,096 handles, all of them benches: the pines go unseen.
expect_verdict "the plug-in found no listed object within reach; the host's list was full (4,096 objects) in 3 frames, so objects beyond it may have gone unseen" \
    --config pine.ini --world hidden.csv --frames 3 --out v4
# 6,000 objects, the player at (0,0): 900 pines and 4,100 benches at its feet,
# so the host's 4,096 hold the pines and 3,196 benches, and the plug-in meets
# the cap and the budget as above, over 200 frames; 1,000 oaks 1,000 m away,
# within the scan radius of 2,000 m but beyond the host's 300 m, never listed.
printf '[Settings]\nscanRadius=2000\n[BLOCK_PROPS]\nprop_tree_pine_01=7,5\nprop_tree_oak_01=3,5\n' >big.ini
{
    pines 900
    for ((i = 0; i < 4100; i++)); do echo prop_bench_01a,0,0,0; done
    for ((i = 0; i < 1000; i++)); do echo prop_tree_oak_01,1000,0,0; done
} >mixed.csv
expect_verdict "not every listed object the plug-in found got a shield at once: the cap of 800 shields held was reached in 134 frames; the budget of 12 new shields a frame was used up in 66 frames; the host's list was full (4,096 objects) in 200 frames, so objects beyond it may have gone unseen; the host lists only objects within 300 m of the player (the world's streaming radius), less than the scan radius of 2000 m: in the world as built, up to 1,000 listed objects within the scan radius lay beyond it, unseen, in 200 frames" \
    --config big.ini --world mixed.csv --speed 0 --frames 200 --out v7
# The pine selects model 7: it waits 1,800 frames for it, then goes on without.
expect_verdict "no shield yet: the run ended while the plug-in still waited for bramble_cap_7 (it waits up to 1,800 frames)" \
    --config pine.ini --world one.csv --frames 5 --missing-model 7 --out v5
expect_verdict "not every listed object the plug-in found got a shield at once: bramble_cap_7 never loaded, so objects that select it get none" \
    --config pine.ini --world one.csv --frames 1801 --missing-model 7 --out v6

# The scan radius as the plug-in read it: set by the file, or its default
# where no line of the file sets it, as in a file saved as UTF-16.
radius() { # radius ARGUMENTS...: the summary's scan radius, read joined
    "$sim" --frames 1 "$@" | sed -n '/^ *scan radius/,/listed model/{/listed model/q; p}' | sed 's/^ *//' |
        tr '\n' ' ' | sed 's/ $//'
}
iconv -f UTF-8 -t UTF-16 big.ini >utf16.ini
for given in "big.ini:2000 m, as the file sets it" "pine.ini:100 m, the plug-in's default: it reads no scanRadius in the file" \
    "utf16.ini:100 m, the plug-in's default: it reads no scanRadius in the file" ":100 m, as the file sets it"; do
    config=${given%%:*}
    found=$(radius ${config:+--config "$config"} --out "r$config")
    [ "$found" = "scan radius ${given#*:}" ] || fail "${config:-the default file}: \"$found\""
done

# An edited INI: the run stops before anything changes, and says how to go on.
"$sim" --frames 1 --out edited >/dev/null || fail "the first run into edited failed"
ini=edited/game/BrambleCap.ini
echo 'prop_bench_01a=1,5' >>"$ini"
before=$(stat -c '%Y.%y %s' "$ini" edited/map.svg; sha256sum "$ini")
errors=$("$sim" --frames 1 --out edited 2>&1 >/dev/null)
status=$?
[ "$status" -eq 2 ] && [ "$errors" = "bramblecap-sim: $ini is not the file the last run left there (edited?), and a run replaces it: to try it, copy it out of edited and give the copy as --config; or remove it" ] ||
    fail "an edited INI: exit $status, \"$errors\""
[ "$(stat -c '%Y.%y %s' "$ini" edited/map.svg; sha256sum "$ini")" = "$before" ] ||
    fail "a refused run changed the edited INI or the pictures"
cp "$ini" mine.ini
"$sim" --frames 1 --out edited --config mine.ini >/dev/null || fail "the edit given as --config failed"
cmp -s mine.ini "$ini" || fail "the game folder does not hold the INI given"
# What a run left, with --debug's line or a player's file, is replaced without a word.
"$sim" --frames 1 --out edited --debug >/dev/null && "$sim" --frames 1 --out edited >/dev/null ||
    fail "a run after a run's own INI was refused"

# Two runs into one folder: the second is refused at once, the first ends
# well and names its own files.
wait_for_claim() { # wait_for_claim FOLDER: until a run has made its game folder there
    for ((i = 0; i < 200; i++)); do
        [ -d "$1/game" ] && return 0
        sleep 0.05
    done
    return 1
}
"$sim" --frames 8000 --out shared >first.txt 2>&1 &
first=$!
wait_for_claim shared || fail "the first run never claimed its folder"
errors=$("$sim" --frames 1 --out shared 2>&1 >/dev/null)
status=$?
[ "$status" -eq 2 ] && [ "$errors" = "bramblecap-sim: --out shared: another run is using the folder; let it end, or choose another folder" ] ||
    fail "a second run into a folder in use: exit $status, \"$errors\""
wait "$first" || fail "the first run failed beside a second: $(tail -1 first.txt)"
grep -qxF "  pictures:                shared/map.svg" first.txt || fail "the first run's summary: $(cat first.txt)"
# A run killed outright leaves nothing that stops the next.
"$sim" --frames 200000 --out killed >/dev/null 2>&1 &
killed=$!
wait_for_claim killed || fail "the run to be killed never claimed its folder"
kill -9 "$killed"
wait "$killed" 2>/dev/null
"$sim" --frames 1 --out killed >/dev/null || fail "a run after a killed one was refused"

# 80 columns: no line of the default demo's summary is wider; on a terminal
# the progress line is redrawn in place within its width, the plug-in's status
# line too.
"$sim" >demo.txt || fail "the default demo failed"
wide=$(awk 'length($0) > 80' demo.txt)
[ -z "$wide" ] || fail "summary lines over 80 columns: $wide"
for debug in "" --debug; do
    COLUMNS=80 script -qec "$sim --frames 3000 --out narrow $debug" /dev/null >pty.txt ||
        fail "the run on a terminal failed"
    progress=$(sed -n '/^BrambleCap dry run/q; p' pty.txt)
    wide=$(tr '\r' '\n' <<<"$progress" | awk 'length($0) > 79')
    [ -z "$wide" ] && [ "$(tr -d '\r' <<<"$progress" | grep -c .)" -eq 1 ] ||
        fail "the progress$debug is not one line redrawn within 79 columns: $(cat -A <<<"$progress")"
done

# World files as Excel writes them: a quoted field is read without its quotes.
printf '"model","x","y","z"\r\n"prop_tree_pine_01",0,0,0\r\n' >quoted.csv
"$sim" --world quoted.csv --config pine.ini --frames 1 --out quoted |
    grep -qxF "  world, as built:         1 object, 1 of a model the plug-in listed; quoted.csv" ||
    fail "the quoted model is not the listed pine"

echo "$failures failures"
[ "$failures" -eq 0 ]
