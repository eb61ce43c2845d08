#!/usr/bin/env bash
# bramblecap-check as a user types it: help succeeds, every mistake is one line
# starting with the program's name and exit 2, and with no file named it
# checks BrambleCap.ini in the current folder.
# usage: check_command_line.sh CHECKER
set -uo pipefail
checker=$(realpath "$1")
source "$(dirname "$0")/../scratch_folder.sh"

expect() { # expect STATUS STDERR_PREFIX ARGUMENTS...
    local status=$1 prefix=$2
    shift 2
    local errors actual
    errors=$("$checker" "$@" 2>&1 >/dev/null </dev/null)
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
expect 2 "bramblecap-check: cannot read BrambleCap.ini: No such file or directory"
printf '[Settings]\r\nscanRadius=100\r\n[BLOCK_PROPS]\r\npine=1,2\r\n' >BrambleCap.ini
expect 0 ""
expect 0 "" --problems
echo "$failures failures"
[ "$failures" -eq 0 ]
