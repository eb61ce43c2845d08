#!/usr/bin/env bash
# The tools and a user's files, as a hostile user tries them: every input is
# checked before anything is written and refused in one line that names it,
# escaped, and the cause; a run that did not do what it says fails; and the
# user's own files keep their bytes and modification times whatever happens.
# usage: check_user_files.sh BRAMBLECAP_CHECK
set -uo pipefail
check=$(realpath "$1")
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder"
failures=0
fail() { echo "$*"; failures=$((failures + 1)); }

# The user's own files, named as users name them.
mkdir user user/adir user/Jürgen
printf '[Settings]\r\nscanRadius=80\r\n[BLOCK_PROPS]\r\npine=1,2\r\n' >user/BrambleCap.ini
printf '[BLOCK_PROPS]\r\noak=3,4\r\n' >'user/a\b.ini'
mkdir user/a && printf '[BLOCK_PROPS]\r\nwrong=5,6\r\n' >user/a/b.ini
cp user/BrambleCap.ini user/Дерево.ini
mkfifo user/fifo
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
expect "$check" 2 "bramblecap-check: cannot read adir/BrambleCap.ini: No such file or directory (the plug-in would write the default file there)" adir/BrambleCap.ini
# An empty path is a mistake, not the current folder (case 12).
expect "$check" 2 "bramblecap-check: an empty path names no file" ""

# Paths are shown escaped, and name exactly the file given (cases 14, 15).
expect "$check" 2 "bramblecap-check: cannot read \\x1B[31mnope.ini: No such file or directory" $'\e[31mnope.ini'
expect "$check" 2 "bramblecap-check: unknown option --\\x1B[2J (bramblecap-check --help lists the options)" $'--\e[2J'
printf '[BLOCK_PROPS]\r\nx=1,2\r\n' >$'\e[2Jshown.ini'
[ "$("$check" $'\e[2Jshown.ini' | head -1)" = '\x1B[2Jshown.ini, line by line as the plug-in reads it:' ] ||
    fail "the header line shows an ESC raw"
output=$(cd user && "$check" 'a\b.ini')
grep -q '"oak"' <<<"$output" && ! grep -q '"wrong"' <<<"$output" || fail "a\\b.ini was not the file read: $output"
[ "$(cd user && "$check" Дерево.ini | head -1)" = "Дерево.ini, line by line as the plug-in reads it:" ] ||
    fail "a name in UTF-8 is not shown as it is"

# Output that does not arrive is a failure (case 13).
errors=$(cd user && "$check" BrambleCap.ini 2>&1 >/dev/full)
status=$?
[ "$status" -eq 2 ] && [ "$errors" = "bramblecap-check: cannot write to standard output: No space left on device" ] ||
    fail "output to a full device: exit $status, \"$errors\""

[ "$(snapshot)" = "$before" ] || fail "the user's files changed: $(diff <(echo "$before") <(snapshot))"
echo "$failures failures"
[ "$failures" -eq 0 ]
