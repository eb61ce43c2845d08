#!/usr/bin/env bash
# Windows paths, exact, under Wine: the system's own forms (\\?\, \\.\, //./)
# are used as written or refused; a name Windows would change or take for a
# device, or one that leaves the folder to a drive's current one, is refused
# in one line that names the rule, before anything is made, and an input of
# such a name is not read; a file another program holds open is named so.
# usage: check_paths.sh BRAMBLECAP_SIM BRAMBLECAP_CHECK HOLD_FILE
set -uo pipefail
sim=$(realpath "$1")
check=$(realpath "$2")
hold=$(realpath "$3")
source "$(dirname "$0")/../scratch_folder.sh"
mkdir runs && cd runs || exit 1
# This folder as Windows names it (Z:\tmp\...), and after \\?\.
here=$(winepath -w "$folder/runs" 2>/dev/null | tr -d '\r')
exact='\\?\'$here

expect() { # expect PROGRAM STATUS ERROR ARGUMENTS...: the status and stderr, Wine's lines dropped
    local program=$1 status=$2 wanted=$3 actual errors
    shift 3
    wine "$program" "$@" </dev/null 2>"$folder/errors" | tr -d '\r' >"$folder/output"
    actual=${PIPESTATUS[0]}
    errors=$(grep -v -e '^wine' -e '^[0-9a-f]\{4\}:' "$folder/errors" | tr -d '\r')
    [ "$actual" -eq "$status" ] && [ "$errors" = "$wanted" ] ||
        fail "$(basename "$program") $*: exit $actual, \"$errors\"; wanted exit $status, \"$wanted\""
}
refused() { # refused OUT CAUSE: --out OUT is refused for CAUSE, and nothing is made
    local before
    before=$(find . | sort)
    expect "$sim" 2 "bramblecap-sim: --out \"$1\": $2" --frames 5 --out "$1"
    [ "$(find . | sort)" = "$before" ] || fail "the refused --out \"$1\" made: $(find . -newer "$folder/errors")"
}
ran() { # ran OUT FOLDER: a run into OUT, as Windows takes it, wrote into FOLDER and says so
    expect "$sim" 0 "" --frames 5 --out "$1"
    [ -f "$2/map.svg" ] && [ -f "$2/plot.svg" ] && [ -f "$2/game/BrambleCap.ini" ] ||
        fail "--out $1 did not write into $2: $(find . -newer "$folder/errors")"
}

# The system's own forms, used as written: into the folder named, never a new
# folder "Z:" at the drive's root; the dry run knows its own folder again, a
# link in it and its copy of an input under any of the spellings.
ran "$exact\\verbatim" verbatim
grep -qxF "  pictures:                $exact\\verbatim\\map.svg" "$folder/output" ||
    fail "the summary does not name the folder as written: $(cat "$folder/output")"
ran "$exact\\verbatim\\" verbatim
ran '\\.\'"$here\\device" device
grep -qxF "  pictures:                //./${here//\\//}/device/map.svg" "$folder/output" ||
    fail "the summary does not name the folder: $(cat "$folder/output")"
ran "//./${here//\\//}/slashed" slashed
[ -e "/${here:0:2}" ] && fail "a folder named ${here:0:2} was made at the drive's root"
expect "$sim" 2 "bramblecap-sim: --config $exact\\verbatim\\game\\BrambleCap.ini is verbatim/game/BrambleCap.ini, which every run replaces; copy it out of verbatim and name the copy" \
    --config "$exact\\verbatim\\game\\BrambleCap.ini" --frames 5 --out verbatim
expect "$sim" 2 "bramblecap-sim: --config device/game/BrambleCap.ini is $exact\\device\\game\\BrambleCap.ini, which every run replaces; copy it out of $exact\\device and name the copy" \
    --config device/game/BrambleCap.ini --frames 5 --out "$exact\\device"
printf 'mine\n' >../mine.txt
rm slashed/map.svg && ln -s ../../mine.txt slashed/map.svg
expect "$sim" 2 "bramblecap-sim: --out $exact\\slashed: $exact\\slashed\\map.svg is a link, and no link is followed out of the folder; remove it or choose a new folder" \
    --frames 5 --out "$exact\\slashed"
[ "$(cat ../mine.txt)" = mine ] || fail "a link's target was written"
# A folder at a drive's root, where the walk up a \\?\ path meets the drive
# itself; a drive that is not there is named as missing.
atroot="bramblecap-paths-$$"
trap 'rm -rf "$folder" "${WINEPREFIX:-$HOME/.wine}/drive_c/$atroot"' EXIT
ran '\\?\C:\'"$atroot" "${WINEPREFIX:-$HOME/.wine}/drive_c/$atroot"
expect "$sim" 2 'bramblecap-sim: cannot create \\?\P:\odd: No such file or directory' --frames 5 --out '\\?\P:\odd'
expect "$sim" 2 'bramblecap-sim: cannot create P:/odd: No such file or directory' --frames 5 --out 'P:\odd'
# ... or refused: after \\?\ nothing is normalised, and only a drive's folders are taken.
refused "$exact/odd" 'after \\?\ Windows takes the path exactly as written, with one "\" between names and no ".", ".." or "/"; write the whole path so'
refused "$exact\\..\\odd" 'after \\?\ Windows takes the path exactly as written, with one "\" between names and no ".", ".." or "/"; write the whole path so'
refused '\\?\C:' 'after \\?\ the tools take a folder on a drive, as in \\?\C:\folder'
refused '//./pipe/odd' 'after //./ the tools take a folder on a drive, as in //./C:/folder'

# A blank or dot at a name's end, which Windows drops, is refused; so after a
# run into "od", "od " is not taken for that folder.
refused 'od ' 'Windows drops a blank or dot at the end of a name, so "od " would be "od"; choose a name that does not end with one'
refused 'od. ' 'Windows drops a blank or dot at the end of a name, so "od. " would be "od"; choose a name that does not end with one'
refused 'a./od' 'Windows drops a blank or dot at the end of a name, so "a." would be "a"; choose a name that does not end with one'
ran od od
refused 'od ' 'Windows drops a blank or dot at the end of a name, so "od " would be "od"; choose a name that does not end with one'

# A device's name, with or without an ending, in any case, anywhere in the path.
for named in CON:CON:CON com1:com1:COM1 NUL:NUL:NUL nul.txt:nul.txt:NUL Lpt9.log:Lpt9.log:LPT9 a/aux/od:aux:AUX \
    conin\$:conin\$:CONIN\$ CONOUT\$.txt:CONOUT\$.txt:CONOUT\$ com0:com0:COM0 LPT0.x:LPT0.x:LPT0 \
    com¹:com¹:COM¹ LPT².txt:LPT².txt:LPT² Com³:Com³:COM³; do
    IFS=: read -r path name device <<<"$named"
    refused "$path" "\"$name\" names the device $device on Windows, as does every name whose part before a dot is CON, PRN, AUX, NUL, CONIN\$, CONOUT\$, COM0 to COM9, LPT0 to LPT9, or COM or LPT and ¹, ² or ³; choose another name"
done

# A drive with no "\" after it stands for a folder that may be anywhere; a
# character Windows allows in no name is refused by name.
refused 'C:od' '"C:" with no "\" after it means the current folder of drive C:, which may be anywhere; write the whole path, as in C:\od'
refused 'z:' '"z:" with no "\" after it means the current folder of drive z:, which may be anywhere; write the whole path, as in z:\'
refused 'a/b:c' '"b:c" holds ":", which Windows allows in no name, nor any of < > : " | ? * or a control character; choose another name'

# An input is read as named or not at all: "x.ini " is not taken for x.ini,
# nor "x.asi " loaded as x.asi.
printf '[Settings]\r\n' >x.ini
expect "$sim" 2 'bramblecap-sim: cannot read x.ini : Windows drops a blank or dot at the end of a name, so "x.ini " would be "x.ini"; choose a name that does not end with one' \
    --config 'x.ini ' --frames 5 --out inputs
expect "$sim" 2 'bramblecap-sim: cannot read C:w.csv: "C:" with no "\" after it means the current folder of drive C:, which may be anywhere; write the whole path, as in C:\w.csv' \
    --world 'C:w.csv' --frames 5 --out inputs
cp "$(dirname "$sim")/BrambleCap.asi" x.asi
expect "$sim" 2 'bramblecap-sim: cannot load x.asi : Windows drops a blank or dot at the end of a name, so "x.asi " would be "x.asi"; choose a name that does not end with one' \
    --asi 'x.asi ' --frames 5 --out inputs
expect "$check" 2 'bramblecap-check: cannot read con: "con" names the device CON on Windows, as does every name whose part before a dot is CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM0 to COM9, LPT0 to LPT9, or COM or LPT and ¹, ² or ³; choose another name' \
    con
[ -e inputs ] && fail "a run refused for its input made its folder"

# A file another program holds open is named with that cause, by the dry run
# before anything is written and by a reader.
ran held held
mkfifo ../gate
wine "$hold" 'held\map.svg' <../gate >../holding 2>&1 &
holder=$!
exec 3>../gate
for _ in $(seq 300); do
    grep -q held ../holding && break
    sleep 0.1
done
expect "$sim" 2 "bramblecap-sim: --out held: held/map.svg is open in another program; close it and run again" \
    --frames 5 --out held
expect "$check" 2 "bramblecap-check: cannot read held/map.svg: it is open in another program; close it and run again" \
    held/map.svg
exec 3>&-
wait "$holder" || fail "the file was not held: $(cat ../holding)"

echo "$failures failures"
[ "$failures" -eq 0 ]
