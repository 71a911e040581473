#!/usr/bin/env bash
# A click on Pack in the real window under Wine, with the archiver stand-in as WinRAR, makes
# a ZIP that Info-ZIP accepts on Linux with exactly the entries and the composed comment.
#   pack_window_test.sh BUILD_DIR
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="$1"
# shellcheck source=lib-e2e.sh
source "$here/lib-e2e.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

ZEK_PACK_CHECK_DIR="$(win "$work/")" "$here/../../scripts/gui-tests" "$build" \
  --gtest_filter='PackWindow.StopsOnFailures*'

zip="$work/window.zip"
[ -f "$zip" ] || { echo "FAIL: the window test left no archive" >&2; exit 1; }

unzip -tq "$zip" >/dev/null || fail "unzip -t"
diff <(unzip -Z1 "$zip") <(printf '%s\n' maps/htf_Custom.PMS "Soldat PolyWorks/Maps/ctf_Draft.PMS" \
  "Soldat PolyWorks/Prefabs/bridge_piece.PFB" "Soldat PolyWorks/Prefabs/bunker.PFB" \
  scenery-gfx/custom_tree.png textures/custom.bmp textures/edges/custom.bmp mapslist.txt) ||
  fail "the entries"
# unzip -z shows the comment after an "Archive:" line, with LF line ends.
diff <(unzip -z "$zip" | tail -n +2) <(printf 'Pack of %s\nMaps - 1\nUncompiled maps - 1\n' \
  "$(date +%d.%m.%Y)" && printf '%s\n' "Prefabs - 2" htf_Custom.PMS ctf_Draft.PMS \
  bridge_piece.PFB bunker.PFB "Packed with ZEK v3.0.7") || fail "the comment"

finish "pack window: the ZIP passes unzip -t with the expected entries and comment"
