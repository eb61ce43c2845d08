#!/usr/bin/env bash
# ./dev as a developer types it: help succeeds, a typo or no command at all
# fails with exit 2, and a bad number of seconds is refused before any work.
# usage: check_dev.sh DEV
set -uo pipefail
dev=$1
failures=0
expect() { # expect STATUS OUTPUT_PATTERN ARGUMENTS...
    local status=$1 pattern=$2 output actual
    shift 2
    output=$("$dev" "$@" 2>&1 </dev/null)
    actual=$?
    if [ "$actual" -ne "$status" ] || ! grep -q -- "$pattern" <<<"$output"; then
        echo "./dev $*: exit $actual, \"$output\"; wanted exit $status and \"$pattern\""
        failures=$((failures + 1))
    fi
}
expect 0 "^usage: ./dev COMMAND" help
expect 0 "^usage: ./dev COMMAND" --help
expect 2 "^dev: unknown command \"nonsense\"" nonsense
expect 2 "^usage: ./dev COMMAND"
expect 2 "^dev: fuzz takes a number of seconds for each target, not \"abc\"" fuzz abc
echo "$failures failures"
[ "$failures" -eq 0 ]
