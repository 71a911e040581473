#!/usr/bin/env bash
# A click on Pack in the real window under Wine, with the archiver stand-in as WinRAR, makes
# a ZIP that Info-ZIP accepts on Linux with exactly the entries and the comment the window
# test expects.
#   pack_window_test.sh BUILD_DIR
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="$1"
export LC_ALL=C.UTF-8
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

ZEK_PACK_CHECK_DIR="Z:${work//\//\\}\\" "$here/../../scripts/gui-tests" "$build" \
  --gtest_filter='PackWindow.StopsOnFailuresThenPacksAZip*'

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
zip="$work/window.zip"
[ -f "$zip" ] || { echo "FAIL: the window test left no archive" >&2; exit 1; }

unzip -tq "$zip" >/dev/null || fail "unzip -t"
diff <(unzip -Z1 "$zip") "$work/expected-entries.txt" || fail "the entries"
# unzip -z shows the comment after an "Archive:" line, with LF line ends.
diff <(unzip -z "$zip" | tail -n +2) <(tr -d '\r' <"$work/expected-comment.txt"; echo) ||
  fail "the comment"
# The mapslist: the map's name without extension, UTF-16LE with its mark, CR LF.
diff <(unzip -p "$zip" mapslist.txt | od -An -tx1) \
  <({ printf '\xff\xfe'; printf 'htf_Custom\r\n' | iconv -f UTF-8 -t UTF-16LE; } | od -An -tx1) ||
  fail "the mapslist"

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "pack window: the ZIP passes unzip -t with the expected entries and comment"
