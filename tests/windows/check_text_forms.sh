#!/usr/bin/env bash
# The Windows checker names a file saved as Unicode (as Notepad writes it, and
# the other byte order, and without a mark) or with CR-only line ends in one
# line with no NUL byte, and exits 2; the Linux suite holds the checker's code
# to the same.
# usage: check_text_forms.sh CHECKER
set -uo pipefail
checker=$(realpath "$1")
source "$(dirname "$0")/../scratch_folder.sh"

lines='[Settings]\r\ndebug=true\r\n[BLOCK_PROPS]\r\nprop_tree_pine_1=8.0,20.0\r\n'
{ printf '\xFF\xFE'; printf "$lines" | iconv -f ASCII -t UTF-16LE; } >notepad.ini
printf "$lines" | iconv -f ASCII -t UTF-16LE >nomark.ini
{ printf '\xFE\xFF'; printf "$lines" | iconv -f ASCII -t UTF-16BE; } >bigendian.ini
printf '[Settings]\rdebug=true\r[BLOCK_PROPS]\rprop_tree_pine_1=8.0,20.0\r' >mac.ini

expect() { # expect FILE WORDS: exit 2, and one line, with no NUL, that starts so
    wine "$checker" "$1" >out 2>&1 </dev/null
    local status=$? text
    text=$(tr -d '\r\0' <out)
    if [ "$status" -ne 2 ] || [ "$(grep -c '' <<<"$text")" -ne 1 ] ||
        [ "$(tr -dc '\0' <out | wc -c)" -ne 0 ] ||
        [[ "$text" != "bramblecap-check: $1 $2"* ]]; then
        echo "bramblecap-check.exe $1: exit $status, output \"$text\"; wanted exit 2 and one line"
        failures=$((failures + 1))
    fi
}

expect notepad.ini "is saved as Unicode (UTF-16): "
expect nomark.ini "is saved as Unicode (UTF-16): "
expect bigendian.ini "is saved as Unicode big endian (UTF-16 BE): "
expect mac.ini "has CR-only line ends (an old Mac editor's), so the plug-in reads it as one line"
echo "$failures failures"
[ "$failures" -eq 0 ]
