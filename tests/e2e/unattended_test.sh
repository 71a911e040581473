#!/usr/bin/env bash
# The real program under Wine as a script or a file association starts it: "-i" packs a map,
# a prefab or a mapslist into a ZIP that Info-ZIP checks on Linux, and every way it ends has
# its exit code; closing the window writes the settings file only after a start without
# options; without the tool paths "-i" is ignored.
#   unattended_test.sh BUILD_DIR ANSWER_WINDOWS_EXE
# The program runs under Wine on Xvfb. Its message boxes (the runs that end with 11, 12 and 13
# show one, and so does a start without the tool paths) are answered with OK by
# answer-windows, which also closes the window where a user would; every run is ended after
# 60 seconds at most.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$here/../.."
build="$(realpath "$1")"
answer="$2"
export LC_ALL=C.UTF-8
# shellcheck source=../../scripts/lib-demo.sh
source "$root/scripts/lib-demo.sh"
# shellcheck source=../../scripts/lib-xvfb.sh
source "$root/scripts/lib-xvfb.sh"
# A prefix of its own, whose Wine desktop starts on this display: a desktop that other tests
# started without one cannot show windows. Wine lets go of the display before Xvfb ends.
export WINEPREFIX="$build/wineprefix-e2e"
ensure_display 800x600
work="$(mktemp -d)"
trap 'wineserver -w || true; rm -rf "$work"; kill "${ZEK_XVFB_PID:-}" 2>/dev/null || true' EXIT
wine_run="$root/scripts/wine-run"

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
windows_path() { local p="Z:$1"; echo "${p//\//\\}"; }

# zek boxes|close PROGRAM_FOLDER ARGS...: runs the program with answer-windows in that mode
# beside it and prints the program's exit code (124 when it had to be ended).
zek() {
  local mode="$1" folder="$2"
  shift 2
  timeout -k 5 70 "$wine_run" "$answer" "$mode" >/dev/null 2>&1 &
  local helper=$! code=0
  (cd "$folder" && timeout -k 5 60 "$wine_run" "Soldat ZEK.exe" "$@") >/dev/null 2>&1 || code=$?
  kill "$helper" 2>/dev/null || true
  wait "$helper" 2>/dev/null || true
  [ -z "${ZEK_E2E_TRACE:-}" ] || echo "${SECONDS}s: $* -> $code" >&2
  echo "$code"
}

# A fresh demo installation (the stand-in as WinRAR) under NAME; prints its program folder.
install() { make_demo_install "$build" "$work/$1"; }

# expect_zip NAME ZIP ENTRIES...: the archive passes unzip -t and holds exactly the entries.
expect_zip() {
  local name="$1" zip="$2"
  shift 2
  [ -f "$zip" ] || { fail "$name: no archive"; return; }
  unzip -tq "$zip" >/dev/null || fail "$name: unzip -t"
  diff <(unzip -Z1 "$zip" | sort) <(printf '%s\n' "$@" | sort) >&2 || fail "$name: the entries"
}

expect_code() {  # expect_code NAME EXPECTED ACTUAL
  [ "$2" = "$3" ] || fail "$1: exit code $3, expected $2"
}

prog="$(install demo)"
soldat="$work/demo/Soldat"
out="$work/out"
mkdir -p "$out"
ini="$prog/Soldat ZEK.ini"
cp "$ini" "$work/settings-before.ini"

# A map, a prefab and a mapslist, each packed unattended into a ZIP.
expect_code "map" 0 "$(zek boxes "$prog" htf_Custom.PMS "$(windows_path "$out/map.zip")" -a1 -i)"
expect_zip "map" "$out/map.zip" maps/htf_Custom.PMS scenery-gfx/custom_tree.png \
  textures/custom.bmp textures/edges/custom.bmp
expect_code "prefab" 0 "$(zek boxes "$prog" bunker.PFB "$(windows_path "$out/prefab.zip")" -a1 -d1 -i)"
expect_zip "prefab" "$out/prefab.zip" "Soldat PolyWorks/Prefabs/bunker.PFB" scenery-gfx/rock.png
printf 'htf_Custom\r\nctf_Run\r\n' >"$soldat/mapslist.txt"
expect_code "mapslist" 0 \
  "$(zek boxes "$prog" mapslist.txt "$(windows_path "$out/list.zip")" -a1 -l1 -i)"
expect_zip "mapslist" "$out/list.zip" maps/htf_Custom.PMS maps/ctf_Run.PMS \
  scenery-gfx/custom_tree.png \
  textures/custom.bmp textures/edges/custom.bmp mapslist.txt
cmp -s "$ini" "$work/settings-before.ini" || fail "-i wrote the settings file"

# The ways it ends without an archive.
expect_code "a file of another kind" 11 "$(zek boxes "$prog" notes.doc -i)"
expect_code "a mapslist that cannot be loaded" 12 "$(zek boxes "$prog" missing.txt -i)"
expect_code "the archiver failing" 13 "$(ZEK_STANDIN_FAIL=A:2 zek boxes "$prog" htf_Custom.PMS \
  "$(windows_path "$out/failed.zip")" -a1 -i)"
[ ! -e "$out/failed.zip" ] || fail "the failed run left an archive"

# Closing the window: options given keep the settings file as it was, a file alone saves it.
expect_code "close after options" 0 "$(zek close "$prog" htf_Custom.PMS -a1)"
cmp -s "$ini" "$work/settings-before.ini" || fail "closing after options wrote the settings"
expect_code "close after a file" 0 "$(zek close "$prog" htf_Custom.PMS)"
cmp -s "$ini" "$work/settings-before.ini" && fail "closing after a file alone saved nothing"

# Without the tool paths the window opens on the Settings page and "-i" is ignored: the
# program waits for the user, who closes it.
rm "$ini"
expect_code "no paths" 0 "$(zek close "$prog" htf_Custom.PMS "$(windows_path "$out/none.zip")" -a1 -i)"
[ ! -e "$out/none.zip" ] || fail "-i packed without the tool paths"
[ -f "$ini" ] || fail "closing without the tool paths saved no settings"

# A game that ships only .png images: the twins of the names the map gives are packed.
prog="$(install png)"
for folder in scenery-gfx textures textures/edges; do
  for image in "$work/png/Soldat/$folder"/*.bmp; do mv "$image" "${image%.bmp}.png"; done
done
expect_code "png twins" 0 "$(zek boxes "$prog" ctf_Ash.PMS "$(windows_path "$out/png.zip")" -a1 -d1 -i)"
expect_zip "png twins" "$out/png.zip" maps/ctf_Ash.PMS scenery-gfx/tree.png scenery-gfx/rock.png \
  textures/ash.png textures/edges/ash.png

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "unattended: exit codes, the three ZIPs, the .png twins and the settings file as expected"
