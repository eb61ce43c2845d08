#!/usr/bin/env bash
# The dry run's pictures are well-formed SVG that any viewer opens, also when a
# player's model names hold characters XML reserves; the summary names what
# a player asks about; and the run's mistakes are one line and exit 2, never
# a crash; no option is ignored in silence.
# usage: check_pictures.sh BRAMBLECAP_SIM
set -uo pipefail
sim=$(realpath "$1")
source "$(dirname "$0")/../scratch_folder.sh"

printf 'model,x,y,z\na&b<c,10,0,0\n"quoted",20,0,0\nprop_bench_01a,5,5,0\n' >world.csv
printf '[BLOCK_PROPS]\r\na&b<c=1,5\r\n"quoted"=2,5\r\n' >BrambleCap.ini
"$sim" --world world.csv --config BrambleCap.ini --frames 20 --out odd >/dev/null ||
    fail "the run over odd names failed"
"$sim" --frames 300 --out plain >/dev/null || fail "the run over the generated country failed"
for svg in odd/map.svg odd/plot.svg plain/map.svg plain/plot.svg; do
    xmllint --noout "$svg" || fail "$svg is not well-formed XML"
done
grep -q 'a&amp;b&lt;c (listed)' odd/map.svg || fail "the model name is not escaped in the legend"

# The summary says which shield model never loaded and how long start-up
# waited (1,800 frames, the plug-in's limit), and counts one in the singular.
summary=$("$sim" --missing-model 7 --frames 1801 --out missing)
grep -qzF "  shield models:           18 of 19 loaded; the wait ended after 1,800 frames
                           without bramble_cap_7
" <<<"$summary" || fail "the missing model and the wait are not named: $summary"
"$sim" --frames 5 --out loaded | grep -q "shield models" && fail "the shield models named with none missing"
printf '[BLOCK_PROPS]\r\nprop_tree_pine_01=1,5\r\n' >one.ini
printf 'model,x,y,z\nprop_tree_pine_01,0,0,0\n' >one.csv
summary=$("$sim" --config one.ini --world one.csv --frames 1 --out one)
for line in "                           1 listed model in the plug-in's reading of the file" \
    "  world, as built:         1 object, 1 of a model the plug-in listed; one.csv"; do
    grep -qxF "$line" <<<"$summary" || fail "not in the singular: \"$line\" in $summary"
done
for title in ">BrambleCap dry run: 1 frame, scan radius 100 m<" ">1 shield placed, 0 retired, 1 standing at the end<"; do
    grep -qF "$title" one/map.svg || fail "the map's title not in the singular: \"$title\""
done

expect_mistake() { # expect_mistake MESSAGE ARGUMENTS...
    local message=$1 errors status
    shift
    errors=$("$sim" "$@" 2>&1 >/dev/null)
    status=$?
    [ "$status" -eq 2 ] && [ "$errors" = "bramblecap-sim: $message" ] ||
        fail "bramblecap-sim $*: exit $status, \"$errors\"; wanted exit 2, \"bramblecap-sim: $message\""
}
touch afile
expect_mistake "--out afile: not a folder; choose a new folder" --frames 5 --out afile
expect_mistake "cannot create /proc/nope: No such file or directory" --frames 5 --out /proc/nope
expect_mistake "--frames takes a whole number from 1 to 200000, not \"1e10\"" --frames 1e10
expect_mistake "--seed takes a whole number from 0 to 18446744073709551615, not \"1.5\"" --seed 1.5
expect_mistake "--speed takes a number from 0 to 1000, not \"fast\"" --speed fast
expect_mistake "a speed of 0 never moves the player along the route; give a speed above 0, or --frames to stand still" --speed 0
expect_mistake "--missing-model takes a whole number from 1 to 19, not \"20\"" --missing-model 20
expect_mistake "unknown option \"--colour\" (bramblecap-sim --help lists the options)" --colour
printf 'model,x,y,z\n\x1b[31mred,1,2\n' >binary.csv
expect_mistake "binary.csv:2: expected 4 fields (model,x,y,z), found 3: \"\\x1B[31mred,1,2\"" --world binary.csv
# An error quotes the line as written, blanks and all.
printf 'model,x,y,z\n ,0,0,0 \n' >blank.csv
expect_mistake "blank.csv:2: the model is empty: \" ,0,0,0 \"" --world blank.csv
# No option ignored in silence: none given twice (but --missing-model, for
# another model), and none without effect.
expect_mistake "--frames is given twice; give it once" --frames 2 --frames 5 --out twice
expect_mistake "--debug is given twice; give it once" --debug --frames 1 --debug --out twice
expect_mistake "--missing-model 3 is given twice; give it once" --missing-model 3 --missing-model 3 --out twice
expect_mistake "--seed shapes only the generated world, and --world gives a world of its own; leave one out" \
    --seed 7 --world one.csv --out twice
[ -e twice ] && fail "a refused command made its folder"
"$sim" --missing-model 3 --missing-model 4 --frames 1 --out two-models >/dev/null ||
    fail "two missing models were refused"
"$sim" --speed 0 --frames 3 --out still >/dev/null || fail "standing still for three frames failed"
echo "$failures failures"
[ "$failures" -eq 0 ]
