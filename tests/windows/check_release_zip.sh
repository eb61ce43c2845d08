#!/usr/bin/env bash
# Anyone who rebuilds a release must get the same bytes. The binaries carry no
# link time and no build folder; the zip packed twice from one build, with the
# files' times and modes, the umask and the time zone changed in between, is
# the same to the byte, its entries in name order with the set time; inside,
# SHA256SUMS checks the files beside it, and the zip's own sum lies beside it.
# usage: check_release_zip.sh DEV ASI CHECKER SOURCE_DIR
set -uo pipefail
dev=$1 asi=$2 checker=$3 source_dir=$4
source "$(dirname "$0")/../scratch_folder.sh"

for binary in "$asi" "$checker"; do
    stamp=$(x86_64-w64-mingw32-objdump -p "$binary" | awk -F'\t+' '$1 == "Time/Date" {print $2}')
    [ "$stamp" = "Thu Jan  1 00:00:00 1970" ] || fail "$binary: the PE header dates it $stamp, not 0"
    ! grep -qF "$source_dir" "$binary" || fail "$binary names the build folder $source_dir"
done

# A path with a space, as in a player's or a modder's folder.
packed="$folder/packed here"
stage="$packed/BrambleCap-9.9.9"
mkdir -p "$stage"
cp "$asi" "$checker" "$source_dir/LICENSE" "$stage/"
cp "$source_dir/docs/players-readme.txt" "$stage/README.txt"
export SOURCE_DATE_EPOCH=1700000000 # 2023-11-14 22:13:20 UTC
"$dev" zip "$stage" "$packed/first.zip" </dev/null >/dev/null || fail "./dev zip failed"
touch -d "2001-02-03 04:05:07" "$stage" "$stage"/*
chmod -R go-rwx "$stage"
(umask 077 && TZ=XST-14 "$dev" zip "$stage" "$packed/second.zip" </dev/null >/dev/null) ||
    fail "./dev zip failed the second time"
cmp "$packed/first.zip" "$packed/second.zip" || fail "packed twice from one build, the zips differ"

entries=$(zipinfo -T "$packed/first.zip" | awk '/^[-d]/ {print $1, $7, $8}')
expected="drwxr-xr-x 20231114.221320 BrambleCap-9.9.9/
-rwxr-xr-x 20231114.221320 BrambleCap-9.9.9/BrambleCap.asi
-rw-r--r-- 20231114.221320 BrambleCap-9.9.9/LICENSE
-rw-r--r-- 20231114.221320 BrambleCap-9.9.9/README.txt
-rw-r--r-- 20231114.221320 BrambleCap-9.9.9/SHA256SUMS
-rwxr-xr-x 20231114.221320 BrambleCap-9.9.9/bramblecap-check.exe"
[ "$entries" = "$expected" ] || fail "the zip's entries are \"$entries\", not \"$expected\""

mkdir "$folder/unpacked"
unzip -q "$packed/second.zip" -d "$folder/unpacked"
(cd "$folder/unpacked/BrambleCap-9.9.9" && sha256sum --quiet -c SHA256SUMS) ||
    fail "sha256sum -c SHA256SUMS fails in the unpacked folder"
listed=$(awk '{print $2}' "$folder/unpacked/BrambleCap-9.9.9/SHA256SUMS" | tr '\n' ' ')
[ "$listed" = "BrambleCap.asi LICENSE README.txt bramblecap-check.exe " ] ||
    fail "SHA256SUMS lists \"$listed\", not the four files beside it in name order"
(cd "$packed" && sha256sum --quiet -c first.zip.sha256) || fail "first.zip.sha256 does not check first.zip"

echo "$failures failures"
[ "$failures" -eq 0 ]
