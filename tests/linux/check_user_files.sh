#!/usr/bin/env bash
# The tools and a user's files, as a hostile user tries them: every input is
# checked before anything is written and refused in one line that names it,
# escaped, and the cause; a run that did not do what it says fails; and the
# user's own files keep their bytes and modification times whatever happens.
# usage: check_user_files.sh BRAMBLECAP_CHECK BRAMBLECAP_SIM
set -uo pipefail
check=$(realpath "$1")
sim=$(realpath "$2")
source "$(dirname "$0")/../scratch_folder.sh"

# The user's own files, named as users name them.
mkdir user user/adir user/Jürgen
printf '[Settings]\r\nscanRadius=80\r\n[BLOCK_PROPS]\r\npine=1,2\r\n' >user/BrambleCap.ini
printf '[BLOCK_PROPS]\r\noak=3,4\r\n' >'user/a\b.ini'
mkdir user/a && printf '[BLOCK_PROPS]\r\nwrong=5,6\r\n' >user/a/b.ini
cp user/BrambleCap.ini user/Дерево.ini
mkfifo user/fifo
# A game folder's layout, and a dry run's folder the user has been editing in.
mkdir user/game user/same
printf '[BLOCK_PROPS]\r\nmine=1,2\r\n' >user/game/BrambleCap.ini
printf 'my log\r\n' >user/game/BrambleCap.log
printf '<svg/>' >user/map.svg
cp user/map.svg user/plot.svg
"$sim" --frames 5 --out user/ran >/dev/null || fail "a first run into a new folder failed"
"$sim" --frames 5 --out user/ran >/dev/null || fail "a second run into the dry run's own folder failed"
for link in linked linkedgame; do
    "$sim" --frames 5 --out user/$link >/dev/null || fail "a run into user/$link failed"
done
rm user/linked/map.svg && ln -s ../map.svg user/linked/map.svg
rm -r user/linkedgame/game && ln -s ../game user/linkedgame/game
printf 'model,x,y,z\nprop_tree_pine_01,10,0,0\n' >user/world.csv
printf 'x,y\n0,0\n20,0\n' >user/route.csv
printf 'model,x,y,z\nprop_tree_pine_01,0,0,0\nprop_tree_pine_01,0,3e38,0\nprop_tree_pine_01,5,-3e38,0\n' >user/far.csv
printf '[BLOCK_PROPS]\r\nprop_tree_pine_01=1,2\r\n\x1A\r\n' >user/ctrlz.ini
head -c $((16 * 1024 * 1024 + 1)) /dev/zero | tr '\0' '#' >user/big.ini
snapshot() { (cd user && find . -exec stat -c '%n %F %s %.9Y' {} + && find . -type f -exec sha256sum {} +) | sort; }
before=$(snapshot)

expect() { # expect TOOL STATUS ERROR ARGUMENTS...: one line on stderr, or none for ""
    local tool=$1 status=$2 wanted=$3 errors actual
    shift 3
    errors=$(cd user && timeout 20 "$tool" "$@" 2>&1 >/dev/null </dev/null)
    actual=$?
    [ "$actual" -eq "$status" ] && [ "$errors" = "$wanted" ] ||
        fail "$(basename "$tool") $*: exit $actual, \"$errors\"; wanted exit $status, \"$wanted\""
}

# Inputs that never end, or are not files at all, are refused at once (cases 6, 9, 17).
expect "$check" 2 "bramblecap-check: cannot read /dev/zero: not a regular file" /dev/zero
expect "$check" 2 "bramblecap-check: cannot read fifo: not a regular file" fifo
expect "$check" 2 "bramblecap-check: cannot read adir: is a directory" adir
expect "$check" 2 "bramblecap-check: cannot read big.ini: larger than 16 MB" big.ini
expect "$check" 2 "bramblecap-check: cannot read nofile.ini: No such file or directory" nofile.ini
expect "$check" 2 "bramblecap-check: cannot read adir/BrambleCap.ini: No such file or directory" adir/BrambleCap.ini
expect "$check" 2 "bramblecap-check: cannot read nodir/BrambleCap.ini: No such file or directory" nodir/BrambleCap.ini
# An empty path is a mistake, not the current folder (case 12).
expect "$check" 2 "bramblecap-check: an empty path names no file" ""

# Paths are shown escaped, and name exactly the file given (cases 14, 15).
expect "$check" 2 "bramblecap-check: cannot read \\x1B[31mnope.ini: No such file or directory" $'\e[31mnope.ini'
# Marks that turn the text's direction are escaped; a narrow space beside them is text.
expect "$check" 2 "bramblecap-check: cannot read \\u202Eini.exe\\u2067"$'\xe2\x80\xaf'"x: No such file or directory" \
    $'\xe2\x80\xaeini.exe\xe2\x81\xa7\xe2\x80\xafx'
expect "$check" 2 "bramblecap-check: unknown option \"--\\x1B[2J\" (bramblecap-check --help lists the options)" $'--\e[2J'
printf '[BLOCK_PROPS]\r\nx=1,2\r\n' >$'\e[2Jshown.ini'
[ "$("$check" $'\e[2Jshown.ini' | head -1)" = '\x1B[2Jshown.ini, line by line as the plug-in reads it:' ] ||
    fail "the header line shows an ESC raw"
output=$(cd user && "$check" 'a\b.ini')
grep -q '"oak"' <<<"$output" && ! grep -q '"wrong"' <<<"$output" || fail "a\\b.ini was not the file read: $output"
[ "$(cd user && "$check" Дерево.ini | head -1)" = "Дерево.ini, line by line as the plug-in reads it:" ] ||
    fail "a name in UTF-8 is not shown as it is"

# The dry run writes only into a folder of its own, only its own files, and
# never through a link; the copy of an input is refused (cases 1, 2, 3).
expect "$sim" 2 "bramblecap-sim: --config ran/game/BrambleCap.ini is ran/game/BrambleCap.ini, which every run replaces; copy it out of ran and name the copy" \
    --config ran/game/BrambleCap.ini --debug --frames 5 --out ran
expect "$sim" 2 "bramblecap-sim: --config ran/game/../game/BrambleCap.ini is ran/game/BrambleCap.ini, which every run replaces; copy it out of ran and name the copy" \
    --config ran/game/../game/BrambleCap.ini --frames 5 --out ran/
expect "$sim" 2 "bramblecap-sim: --out .: the folder holds files this program did not make (it marks its own with .bramblecap-sim); choose a new or empty folder" \
    --frames 5 --out .
expect "$sim" 2 "bramblecap-sim: --out linked: linked/map.svg is a link, and no link is followed out of the folder; remove it or choose a new folder" \
    --frames 5 --out linked
expect "$sim" 2 "bramblecap-sim: --out linkedgame: linkedgame/game is a link, and no link is followed out of the folder; remove it or choose a new folder" \
    --frames 5 --out linkedgame
expect "$sim" 2 "bramblecap-sim: --out map.svg: not a folder; choose a new folder" --frames 5 --out map.svg

# Every input is checked before anything is written (cases 6, 7, 9, 12, 17).
for option in --config --world --route; do
    expect "$sim" 2 "bramblecap-sim: cannot read /dev/zero: not a regular file" $option /dev/zero --out "$folder/new"
    expect "$sim" 2 "bramblecap-sim: cannot read fifo: not a regular file" $option fifo --out "$folder/new"
    expect "$sim" 2 "bramblecap-sim: cannot read adir: is a directory" $option adir --out "$folder/new"
    expect "$sim" 2 "bramblecap-sim: cannot read big.ini: larger than 16 MB" $option big.ini --out "$folder/new"
    expect "$sim" 2 "bramblecap-sim: $option takes a file, not an empty path" $option "" --out "$folder/new"
done
expect "$sim" 2 "bramblecap-sim: far.csv:3: y \"3e38\" lies beyond the 1,000,000 m a world may reach from its centre: \"prop_tree_pine_01,0,3e38,0\"" \
    --world far.csv --out "$folder/new"
expect "$sim" 2 "bramblecap-sim: --out takes a folder, not the option \"--debug\"; for a folder of that name, write ./--debug" --out --debug --frames 5
expect "$sim" 2 "bramblecap-sim: cannot read \x1B[31mx.ini: No such file or directory" --config $'\e[31mx.ini' --out "$folder/new"
# The Linux build runs the sources linked in; a plug-in named is a mistake (case 11).
expect "$sim" 2 "bramblecap-sim: --asi loads a Windows .asi and works only in bramblecap-sim.exe; this build runs the plug-in's sources linked in" \
    --asi /nonexistent/x.asi --frames 5 --out "$folder/new"
[ -e "$folder/new" ] && fail "a refused run made its output folder"

# Names that Windows would refuse are names like any other here, made as named.
for name in 'od ' 'od.' CON nul.txt C:od; do
    "$sim" --frames 5 --out "$name" >/dev/null </dev/null && [ -f "$name/map.svg" ] ||
        fail "a run into \"$name\" did not write there"
done

# What runs does what the summary says (cases 8, 10, 14, 15).
summary=$(cd user && "$sim" --config ctrlz.ini --debug --frames 5 --out "$folder/ctrlz")
grep -q "^  the plug-in's log: " <<<"$summary" && [ -f "$folder/ctrlz/game/BrambleCap.log" ] ||
    fail "debug=true after a Ctrl-Z took no effect: $summary"
summary=$(cd user && "$sim" --config 'a\b.ini' --frames 5 --out $'../o\e[1m')
grep -qxF '  configuration:           a\b.ini' <<<"$summary" && grep -qF '/o\x1B[1m/map.svg' <<<"$summary" ||
    fail "the summary does not show the paths exact and escaped: $summary"
# Temporary files that killed runs left are the dry run's own: the next run
# removes them, and nothing else of their like.
"$sim" --frames 5 --out killed >/dev/null
touch killed/map.svg.partial-344 killed/game/BrambleCap.ini.partial-7 killed/map.svg.partial-1x killed/my.partial-5
ln -s ../user/world.csv killed/plot.svg.partial-9
"$sim" --frames 5 --out killed >/dev/null || fail "a run into a folder with leftovers failed"
[ "$(cd killed && find . -name '*.partial-*' | sort | xargs)" = "./map.svg.partial-1x ./my.partial-5 ./plot.svg.partial-9" ] ||
    fail "leftovers: $(cd killed && find . -name '*.partial-*' | xargs)"
awk 'BEGIN { print "model,x,y,z"; for (i = 0; i < 1000000; i++) print "a," i % 1000 "," int(i / 1000) ",0" }' >million.csv
"$sim" --world million.csv --frames 5 --out "$folder/million" >/dev/null || fail "a world of a million objects failed"
[ "$(stat -c %s "$folder/million/map.svg")" -lt 3000000 ] || fail "a million objects' map is not a sample"

# Output that does not arrive is a failure (case 13).
errors=$(cd user && "$check" BrambleCap.ini 2>&1 >/dev/full)
status=$?
[ "$status" -eq 2 ] && [ "$errors" = "bramblecap-check: cannot write to standard output: No space left on device" ] ||
    fail "output to a full device: exit $status, \"$errors\""

errors=$(cd user && "$sim" --frames 5 --out "$folder/full" 2>&1 >/dev/full)
status=$?
[ "$status" -eq 2 ] && [ "$errors" = "bramblecap-sim: cannot write to standard output: No space left on device" ] ||
    fail "the dry run's output to a full device: exit $status, \"$errors\""
# Progress reaches a pipe as the run goes: a reader that stops after the first
# line ends the run at the next, long before its pictures.
"$sim" --frames 20000 --out "$folder/piped" | head -1 >/dev/null
[ -e "$folder/piped/map.svg" ] && fail "the progress through a pipe waited for the run's end"
# A full disk: a file size limit stands in for it (case 5).
errors=$(cd user && ulimit -f 1 && trap '' XFSZ && "$sim" --debug --frames 5 --out "$folder/limited" 2>&1 >/dev/null)
status=$?
[ "$status" -eq 2 ] && [ "$errors" = "bramblecap-sim: cannot write $folder/limited/game/BrambleCap.ini: File too large" ] ||
    fail "a full disk: exit $status, \"$errors\""
errors=$(cd user && ulimit -f 100 && trap '' XFSZ && "$sim" --frames 5 --out "$folder/limited" 2>&1 >/dev/null)
status=$?
[ "$status" -eq 2 ] && [ "$errors" = "bramblecap-sim: cannot write $folder/limited/map.svg: File too large" ] ||
    fail "a full disk under the map: exit $status, \"$errors\""
[ -z "$(find "$folder/limited" -name '*.partial-*' -o -name '*.svg')" ] || fail "a half-written file stayed"

[ "$(snapshot)" = "$before" ] || fail "the user's files changed: $(diff <(echo "$before") <(snapshot))"
echo "$failures failures"
[ "$failures" -eq 0 ]
