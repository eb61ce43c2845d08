# Sourced by the test scripts: they work in a scratch folder that is removed
# when they end, and count their failures with `fail MESSAGE`. Nothing they
# run reads the terminal: a tool that waited for a key would stop the suite.
exec </dev/null
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder" || exit 1
failures=0
fail() { echo "$*"; failures=$((failures + 1)); }
