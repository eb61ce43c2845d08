#!/usr/bin/env bash
# Every dry run example that README.md and docs/ give ("./dev demo ..." as a
# line of its own or in backticks) runs as written from the repository's root
# with exit 0, and the examples name each sample file shipped for them. A
# usage line ("[options]") is not an example.
# usage: check_examples.sh BRAMBLECAP_SIM   (from the repository's root)
set -uo pipefail
sim=$1
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
failures=0
fail() { echo "$*"; failures=$((failures + 1)); }

documents=(README.md docs/*.md)
examples=$({
    grep -ho '^\./dev demo.*' "${documents[@]}" 2>/dev/null
    grep -ho '`\./dev demo[^`]*`' "${documents[@]}" 2>/dev/null | tr -d '`'
} | sed -e 's/#.*//' -e 's/^\.\/dev demo//' -e 's/[[:space:]]*$//' | grep -v '\[' | sort -u)

for sample in tools/sim/samples/faulty.ini tools/sim/samples/world.csv tools/sim/samples/route.csv; do
    [ -f "$sample" ] || fail "$sample is not shipped"
    grep -qF -- "$sample" <<<"$examples" || fail "no example names $sample"
done

run=0
while IFS= read -r arguments; do
    read -ra words <<<"$arguments"
    run=$((run + 1))
    # The example's pictures go to this test's folder: its --out, if it gives
    # one, names that folder instead (an option is given once).
    out=("--out" "$folder/$run")
    for i in "${!words[@]}"; do
        [ "${words[i]}" = --out ] && words[i + 1]=$folder/$run && out=()
    done
    "$sim" "${words[@]}" "${out[@]}" >"$folder/output" 2>&1 </dev/null
    status=$?
    [ "$status" -eq 0 ] || fail "./dev demo$arguments: exit $status, $(tail -1 "$folder/output")"
done <<<"$examples"
echo "$run examples, $failures failures"
[ "$failures" -eq 0 ]
