#!/usr/bin/env bash
# natives/host.h under Visual C++'s rules, checked with clang for the MSVC
# target (no Visual C++ here): no standard header may be needed, and the
# functions the compiler then imports must be exactly the host's decorated
# names. Imports through __declspec(dllimport) carry the __imp_ prefix.
# usage: check_decorated_names.sh SOURCE_DIR DECORATED_NAMES_FILE
set -euo pipefail
source_dir=$1
object=$(mktemp --suffix=.obj)
trap 'rm -f "$object"' EXIT
clang++ --target=x86_64-pc-windows-msvc -std=c++20 -nostdinc -Wall -Wextra -Werror \
    -I "$source_dir" -c "$source_dir/tests/msvc/host_use.cpp" -o "$object"
seen=$(llvm-nm --undefined-only "$object" | awk '{print $NF}' | sed 's/^__imp_//' | sort)
expected=$(sort "$2")
if [ "$seen" != "$expected" ]; then
    echo "the MSVC build would import other names than the host exports:"
    diff <(echo "$expected") <(echo "$seen") || true
    exit 1
fi
echo "decorated names, as a Visual C++ build imports them:"
echo "$seen"
