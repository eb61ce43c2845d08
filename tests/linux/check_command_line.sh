#!/usr/bin/env bash
# bramblecap-check as a user types it: help succeeds, every mistake is one line
# starting with the program's name and exit 2, "--" ends the options, and with
# no file named it checks BrambleCap.ini in the current folder or beside the
# program, or names where it looked and the files of a near name it saw.
# usage: check_command_line.sh CHECKER
set -uo pipefail
checker=$(realpath "$1")
source "$(dirname "$0")/../scratch_folder.sh"

expect() { # expect STATUS STDERR_PREFIX ARGUMENTS...
    local status=$1 prefix=$2
    shift 2
    local errors actual
    errors=$("$checker" "$@" 2>&1 >/dev/null)
    actual=$?
    if [ "$actual" -ne "$status" ] || [[ "$errors" != "$prefix"* ]] ||
        [ "$(printf '%s' "$errors" | grep -c '')" -gt 1 ]; then
        echo "bramblecap-check $*: exit $actual, errors \"$errors\"; wanted exit $status, one line \"$prefix...\""
        failures=$((failures + 1))
    fi
}

expect 0 "" --help
expect 2 'bramblecap-check: unknown option "--bogus"' --bogus
expect 2 'bramblecap-check: unknown option "-p"' -p BrambleCap.ini
expect 2 "bramblecap-check: one file at a time: a.ini and b.ini" a.ini b.ini
expect 2 "bramblecap-check: --all is given twice" --all BrambleCap.ini --all
expect 2 "bramblecap-check: --all and --problems ask for two views: give one" --all --problems
expect 2 "bramblecap-check: cannot read --problems: No such file or directory" -- --problems
expect 2 "bramblecap-check: no BrambleCap.ini in $folder or in $(dirname "$checker"); if you have none yet, start the game once with BrambleCap.asi in its folder: the plug-in then writes the default file there"
printf '[Settings]\r\nscanRadius=100\r\n[BLOCK_PROPS]\r\npine=1,2\r\n' >BrambleCap.ini.txt
expect 2 "bramblecap-check: no BrambleCap.ini in $folder or in $(dirname "$checker"); $folder holds \"BrambleCap.ini.txt\" (Explorer hides its ending \".txt\" unless View, File name extensions is on): rename it to \"BrambleCap.ini\""
expect 1 "" BrambleCap.ini.txt
# Beside BrambleCap.ini, Explorer shows it as "BrambleCap.ini" too; a backup is
# never read.
cp BrambleCap.ini.txt BrambleCap.ini
cp BrambleCap.ini BrambleCap.ini.bak
output=$("$checker")
[ $? -eq 1 ] && grep -qF 'warning: beside it is "BrambleCap.ini.txt"' <<<"$output" ||
    fail "BrambleCap.ini.txt beside BrambleCap.ini is not named: $output"
expect 1 "" BrambleCap.ini.bak
rm BrambleCap.ini.txt BrambleCap.ini.bak
cp BrambleCap.ini ./--all
expect 0 ""
for options in --all --problems --details "--details --problems" "-- --all"; do
    expect 0 "" $options
done
echo "$failures failures"
[ "$failures" -eq 0 ]
