#!/usr/bin/env bash
# ./dev as a developer types it: help succeeds, a typo, no command at all or a
# word a command does not take fails with exit 2, and a bad number of seconds
# or arguments is refused before any work; a zip that names no commit or
# another one is not rebuilt to be compared; a build that fails behind ./dev's
# step counter fails ./dev and shows its words.
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
expect 2 "^dev: zip takes a folder and the zip to write, not 1 argument$" zip folder
expect 1 "^dev: zip: no folder \"/no/such/folder\"" zip /no/such/folder /no/such/folder.zip
expect 2 "^dev: verify-release takes at most one zip, not 2 arguments" verify-release a.zip b.zip
expect 1 "^dev: verify-release: no file \"/no/such/release.zip\"" verify-release /no/such/release.zip

# A word a command does not take is refused in one line naming it, before any work.
refused() { # refused LINE ARGUMENTS...
    local line=$1 output actual
    shift
    output=$("$dev" "$@" 2>&1 </dev/null)
    actual=$?
    if [ "$actual" -ne 2 ] || [ "$output" != "$line" ]; then
        echo "./dev $*: exit $actual, \"$output\"; wanted exit 2 and only \"$line\""
        failures=$((failures + 1))
    fi
}
refused 'dev: build takes no arguments, not "--x"' build --x
refused 'dev: test takes no arguments, not "extra"' test extra
refused 'dev: bench takes no arguments, not "foo"' bench foo
refused 'dev: dist takes no arguments, not "--fast"' dist --fast
refused 'dev: coverage takes no arguments, not "plugin/"' coverage plugin/
refused 'dev: help takes no arguments, not "demo"' help demo
refused 'dev: fuzz takes one number of seconds, not also "20"' fuzz 10 20

# cmake stands in for a build that fails at its first step.
stubs=$(mktemp -d)
trap 'rm -rf "$stubs"' EXIT
cat >"$stubs/cmake" <<'STUB'
#!/bin/sh
[ "$1" = --build ] || exit 0
echo "[1/2] Building CXX object standin/world.cpp.o"
echo "standin/world.cpp:1:1: error: a stand-in failure"
exit 1
STUB
chmod +x "$stubs/cmake"
# A zip whose readme names no commit: not a release of this clone's commit.
printf 'a readme\n' >"$stubs/README.txt"
(cd "$stubs" && zip -q release.zip README.txt)
expect 1 "names commit (none) in .*; this clone is at [0-9a-f]\{40\}" verify-release "$stubs/release.zip"
PATH="$stubs:$PATH" expect 1 "^standin/world.cpp:1:1: error: a stand-in failure" build
PATH="$stubs:$PATH" expect 1 "^dev: the linux build failed" build
echo "$failures failures"
[ "$failures" -eq 0 ]
