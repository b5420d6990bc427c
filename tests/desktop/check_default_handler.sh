#!/usr/bin/env bash
# The install step that makes the runner the default program for .test
# files: it sets that one entry of mimeapps.list and keeps the rest.
#
# Usage: check_default_handler.sh <SetDefaultHandler.cmake>
set -euo pipefail
script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
list="$work/applications/mimeapps.list"
entry='application/x-testarion-test=testarion-runner.desktop'
failed=0

# Case name, the file before (absent when "-"), the file expected after.
check() {
    local name=$1 before=$2 expected=$3
    rm -rf "$work/applications"
    if [ "$before" != - ]; then
        mkdir -p "$work/applications"
        printf '%b' "$before" >"$list"
    fi
    cmake -DMIMEAPPS="$list" -DMIME_TYPE=application/x-testarion-test \
        -DDESKTOP_FILE=testarion-runner.desktop -P "$script" >/dev/null
    # Installing twice changes nothing more.
    cmake -DMIMEAPPS="$list" -DMIME_TYPE=application/x-testarion-test \
        -DDESKTOP_FILE=testarion-runner.desktop -P "$script" >/dev/null
    if ! diff <(printf '%b' "$expected") "$list" >"$work/diff"; then
        echo "FAIL: $name" >&2
        cat "$work/diff" >&2
        failed=1
    fi
}

check "no file yet" - "[Default Applications]\n$entry\n"
check "other defaults kept" \
    "[Added Associations]\ntext/plain=gedit.desktop\n\n[Default Applications]\ntext/html=firefox.desktop" \
    "[Added Associations]\ntext/plain=gedit.desktop\n\n[Default Applications]\n$entry\ntext/html=firefox.desktop\n"
check "another program replaced in place" \
    "[Default Applications]\r\napplication/x-testarion-test=other.desktop\r\ntext/html=f.desktop\r\n" \
    "[Default Applications]\n$entry\ntext/html=f.desktop\n"
check "no section of defaults yet" \
    "[Added Associations]\ntext/plain=gedit.desktop\n" \
    "[Added Associations]\ntext/plain=gedit.desktop\n[Default Applications]\n$entry\n"
[ "$failed" -eq 0 ] && echo "PASS: mimeapps.list entry set, everything else kept"
exit "$failed"
