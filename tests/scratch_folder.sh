# Sourced by the test scripts: they work in a scratch folder that is removed
# when they end, and count their failures with `fail MESSAGE`.
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder" || exit 1
failures=0
fail() { echo "$*"; failures=$((failures + 1)); }
