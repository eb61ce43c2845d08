#!/usr/bin/env bash
# The Windows tools and a user's files, under Wine: the same one-line refusals
# as the Linux build, names beyond ASCII read through the wide-character paths
# and printed as UTF-8, and the user's files unchanged after every run.
# usage: check_user_files.sh BRAMBLECAP_CHECK BRAMBLECAP_SIM
set -uo pipefail
check=$(realpath "$1")
sim=$(realpath "$2")
source "$(dirname "$0")/../scratch_folder.sh"

mkdir user user/adir user/Jürgen user/elsewhere
printf '[Settings]\r\nscanRadius=80\r\n[BLOCK_PROPS]\r\npine=1,2\r\n' >user/BrambleCap.ini
cp user/BrambleCap.ini user/Дерево.ini
cp user/BrambleCap.ini user/Müll.ini
cp user/BrambleCap.ini "$check" user/Jürgen/
printf 'model,x,y,z\nprop_tree_pine_01,10,0,0\n' >user/world.csv
# A plug-in whose host DLL is nowhere: its import names one that does not exist.
LC_ALL=C sed 's/ScriptHookV\.dll/ScriptHookX.dll/' "$(dirname "$sim")/BrambleCap.asi" >user/needy.asi
cp "$(dirname "$sim")/ScriptHookV.dll" user/
(cd user && wine "$sim" --frames 5 --out ran >/dev/null 2>&1) || fail "a first run into a new folder failed"
# Each output of a dry run's folder swapped for a Unix link to a user's file,
# which Wine does not mark as a reparse point; the INI's to one of its name.
outputs=(map.svg plot.svg game/BrambleCap.ini game/BrambleCap.log)
targets=(../world.csv ../BrambleCap.ini ../../BrambleCap.ini ../../world.csv)
for i in "${!outputs[@]}"; do
    (cd user && wine "$sim" --debug --frames 5 --out "link$i" >/dev/null 2>&1) || fail "a run into link$i failed"
    rm "user/link$i/${outputs[i]}" && ln -s "${targets[i]}" "user/link$i/${outputs[i]}"
done
# Explorer hides the ".txt" of a file saved as BrambleCap.ini in Notepad.
mkdir user/hidden
cp user/BrambleCap.ini user/hidden/BrambleCap.ini.txt
cp "$check" user/hidden/
snapshot() { (cd user && find . -exec stat -c '%n %F %s %.9Y' {} + && find . -type f -exec sha256sum {} +) | sort; }
before=$(snapshot)

# Runs a program of the user's folder; stdout and the status, stderr apart, CRs dropped.
run() { # run FOLDER PROGRAM ARGUMENTS...
    local at=$1
    shift
    (cd "user/$at" && wine "$@" 2>"$folder/errors" </dev/null | tr -d '\r'; exit "${PIPESTATUS[0]}")
}
expect() { # expect [PROGRAM] STATUS ERROR ARGUMENTS...
    local program=$check
    [[ "$1" == /* ]] && program=$1 && shift
    local status=$1 wanted=$2 actual errors
    shift 2
    run . "$program" "$@" >/dev/null
    actual=$?
    errors=$(grep -v -e '^wine' -e '^[0-9a-f]\{4\}:' errors | tr -d '\r')
    [ "$actual" -eq "$status" ] && [ "$errors" = "$wanted" ] ||
        fail "$(basename "$program") $*: exit $actual, \"$errors\"; wanted exit $status, \"$wanted\""
}

expect 2 "bramblecap-check: cannot read adir: is a directory" adir
expect 2 "bramblecap-check: cannot read NUL: \"NUL\" names the device NUL on Windows, as does every name whose part before a dot is CON, PRN, AUX, NUL, CONIN\$, CONOUT\$, COM0 to COM9, LPT0 to LPT9, or COM or LPT and ¹, ² or ³; choose another name" NUL
expect 2 "bramblecap-check: cannot read nofile.ini: No such file or directory" nofile.ini
expect 2 "bramblecap-check: an empty path names no file" ""
expect 2 "bramblecap-check: cannot read \\x1B[31mnope.ini: \"\\x1B[31mnope.ini\" holds \"\\x1B\", which Windows allows in no name, nor any of < > : \" | ? * or a control character; choose another name" \
    $'\e[31mnope.ini'
expect 2 "bramblecap-check: cannot read Дерево\\x1B.ini: \"Дерево\\x1B.ini\" holds \"\\x1B\", which Windows allows in no name, nor any of < > : \" | ? * or a control character; choose another name" \
    $'Дерево\e.ini'
for name in Дерево.ini Müll.ini; do
    [ "$(run . "$check" "$name" | head -1)" = "$name, line by line as the plug-in reads it:" ] ||
        fail "$name is not read, or not shown in UTF-8"
done
# Started from another folder, as Explorer starts it, it finds the INI beside itself.
header=$(run elsewhere ../Jürgen/bramblecap-check.exe | head -1)
[[ "$header" == *'\Jürgen\BrambleCap.ini, line by line as the plug-in reads it:' ]] ||
    fail "in a folder named Jürgen: \"$header\""
# The dry run: its own copy is known under any spelling; a plug-in that does
# not load, or is not the plug-in, stops the run before anything is written,
# in words (cases 1, 4, 9, 11, 17); a link is never followed (case 3); names beyond ASCII as on Linux (case 16).
expect "$sim" 2 'bramblecap-sim: --config ran\game\brambleCAP.INI is ran/game/BrambleCap.ini, which every run replaces; copy it out of ran and name the copy' \
    --config 'ran\game\brambleCAP.INI' --debug --frames 5 --out ran
expect "$sim" 2 "bramblecap-sim: cannot load nope.asi: No such file or directory" --asi nope.asi --frames 5 --out ran
expect "$sim" 2 "bramblecap-sim: cannot load world.csv: not a Windows DLL" --asi world.csv --frames 5 --out ran
expect "$sim" 2 "bramblecap-sim: cannot load needy.asi: a DLL it needs is missing" --asi needy.asi --frames 5 --out ran
expect "$sim" 2 "bramblecap-sim: ScriptHookV.dll registers no script with the host: it is not the plug-in" \
    --asi ScriptHookV.dll --frames 5 --out ran
for i in "${!outputs[@]}"; do
    expect "$sim" 2 "bramblecap-sim: --out link$i: link$i/${outputs[i]} is a link, and no link is followed out of the folder; remove it or choose a new folder" \
        --frames 5 --out "link$i"
done
expect "$sim" 2 "bramblecap-sim: cannot read adir: is a directory" --config adir --frames 5 --out ran
summary=$(run . "$sim" --config Müll.ini --world world.csv --frames 5 --out "$folder/Jürgen")
grep -qxF '  configuration:           Müll.ini' <<<"$summary" && grep -qF '/Jürgen/map.svg' <<<"$summary" ||
    fail "names beyond ASCII in the summary: $summary"

# A killed run's temporary files go at the next run; a link of their name stays.
(cd user && wine "$sim" --frames 5 --out "$folder/killed" >/dev/null 2>&1)
touch killed/map.svg.partial-344 killed/game/BrambleCap.ini.partial-7 killed/my.partial-5
ln -s ../user/world.csv killed/plot.svg.partial-9
(cd user && wine "$sim" --frames 5 --out "$folder/killed" >/dev/null 2>&1) || fail "a run into a folder with leftovers failed"
[ "$(cd killed && find . -name '*.partial-*' | sort | xargs)" = "./my.partial-5 ./plot.svg.partial-9" ] ||
    fail "leftovers: $(cd killed && find . -name '*.partial-*' | xargs)"

# Explorer's hidden ".txt": the file is named with the rename to make, and
# never replaced by the default.
expect 1 "" hidden/BrambleCap.ini.txt
run hidden ./bramblecap-check.exe >/dev/null
[ $? -eq 2 ] && grep -qF 'holds "BrambleCap.ini.txt" (Explorer hides its ending ".txt" unless View, File name extensions is on): rename it to "BrambleCap.ini"' errors ||
    fail "a BrambleCap.ini.txt alone: $(cat errors)"

# A terminal as input (a pseudo-terminal here) and the output a device, a
# file or a pipe: the window is not the checker's own, so it never waits.
for output in '>/dev/null' '>/dev/full' '>../out.txt' '| cat'; do
    (cd user && timeout 60 script -qec "wine '$check' BrambleCap.ini $output" /dev/null >/dev/null 2>&1)
    [ $? -ne 124 ] || fail "bramblecap-check.exe $output from a terminal waited for Enter"
done

(cd user && wine "$check" BrambleCap.ini >/dev/full 2>"$folder/errors")
[ $? -eq 2 ] && grep -q '^bramblecap-check: cannot write to standard output' errors ||
    fail "output to a full device did not fail"
(cd user && wine "$sim" --frames 5 --out "$folder/full" >/dev/full 2>"$folder/errors")
[ $? -eq 2 ] && grep -q '^bramblecap-sim: cannot write to standard output' errors ||
    fail "the dry run's output to a full device did not fail"

[ "$(snapshot)" = "$before" ] || fail "the user's files changed: $(diff <(echo "$before") <(snapshot))"
echo "$failures failures"
[ "$failures" -eq 0 ]
