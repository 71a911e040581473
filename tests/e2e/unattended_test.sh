#!/usr/bin/env bash
# The real program under Wine as a script or a file association starts it: "-i" packs a map,
# a prefab or a mapslist into a ZIP that Info-ZIP checks on Linux, and every way it ends has
# its exit code; closing the window writes the settings file only after a start without
# options; without the tool paths "-i" is ignored.
#   unattended_test.sh BUILD_DIR ANSWER_WINDOWS_EXE
# Under Wine on Xvfb, answer-windows answers the program's message boxes with OK and closes
# its window where a user would; every run is ended after 60 seconds at most.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$here/../.."
build="$(realpath "$1")"
answer="$2"
# shellcheck source=lib-e2e.sh
source "$here/lib-e2e.sh"
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

# zek NAME CODE boxes|close ARGS...: runs the program of $prog with answer-windows in that
# mode beside it and checks its exit code (124 when it had to be ended).
zek() {
  local name="$1" want="$2" mode="$3" code=0
  shift 3
  timeout -k 5 70 "$wine_run" "$answer" "$mode" >/dev/null 2>&1 &
  local helper=$!
  (cd "$prog" && timeout -k 5 60 "$wine_run" "Soldat ZEK.exe" "$@") >/dev/null 2>&1 || code=$?
  kill "$helper" 2>/dev/null || true
  wait "$helper" 2>/dev/null || true
  [ "$code" = "$want" ] || fail "$name: exit code $code, expected $want"
}

# packs NAME FILE OPTIONS... -- ENTRIES...: "-i" packs FILE into $out/NAME.zip, which passes
# unzip -t and holds exactly the entries.
packs() {
  local name="$1" file="$2" zip="$out/$1.zip" options=()
  shift 2
  while [ "$1" != "--" ]; do options+=("$1") && shift; done
  shift
  zek "$name" 0 boxes "$file" "$(win "$zip")" -a1 "${options[@]}" -i
  [ -f "$zip" ] || { fail "$name: no archive"; return; }
  unzip -tq "$zip" >/dev/null || fail "$name: unzip -t"
  diff <(unzip -Z1 "$zip" | sort) <(printf '%s\n' "$@" | sort) >&2 || fail "$name: the entries"
}

# A fresh demo installation (the stand-in as WinRAR) under NAME; prints its program folder.
install() { make_demo_install "$build" "$work/$1"; }

prog="$(install demo)"
out="$work/out"
mkdir -p "$out"
ini="$prog/Soldat ZEK.ini"
cp "$ini" "$work/settings-before.ini"

# A map, a prefab and a mapslist, each packed unattended into a ZIP.
packs map htf_Custom.PMS -- maps/htf_Custom.PMS scenery-gfx/custom_tree.png textures/custom.bmp \
  textures/edges/custom.bmp
packs prefab bunker.PFB -d1 -- "Soldat PolyWorks/Prefabs/bunker.PFB" scenery-gfx/rock.png
printf 'htf_Custom\r\nctf_Run\r\n' >"$work/demo/Soldat/mapslist.txt"
packs list mapslist.txt -l1 -- maps/htf_Custom.PMS maps/ctf_Run.PMS scenery-gfx/custom_tree.png \
  textures/custom.bmp textures/edges/custom.bmp mapslist.txt
cmp -s "$ini" "$work/settings-before.ini" || fail "-i wrote the settings file"

# The ways it ends without an archive.
zek "a file of another kind" 11 boxes notes.doc -i
zek "a mapslist that cannot be loaded" 12 boxes missing.txt -i
ZEK_STANDIN_FAIL=A:2 zek "the archiver failing" 13 boxes htf_Custom.PMS \
  "$(win "$out/failed.zip")" -a1 -i
[ ! -e "$out/failed.zip" ] || fail "the failed run left an archive"

# Closing the window: options given keep the settings file as it was, a file alone saves it.
zek "close after options" 0 close htf_Custom.PMS -a1
cmp -s "$ini" "$work/settings-before.ini" || fail "closing after options wrote the settings"
zek "close after a file" 0 close htf_Custom.PMS
cmp -s "$ini" "$work/settings-before.ini" && fail "closing after a file alone saved nothing"

# Without the tool paths the window opens on the Settings page and "-i" is ignored: the
# program waits for the user, who closes it.
rm "$ini"
zek "no paths" 0 close htf_Custom.PMS "$(win "$out/none.zip")" -a1 -i
[ ! -e "$out/none.zip" ] || fail "-i packed without the tool paths"
[ -f "$ini" ] || fail "closing without the tool paths saved no settings"

# A game that ships only .png images: the twins of the names the map gives are packed.
prog="$(install png)"
for folder in scenery-gfx textures textures/edges; do
  for image in "$work/png/Soldat/$folder"/*.bmp; do mv "$image" "${image%.bmp}.png"; done
done
packs png ctf_Ash.PMS -d1 -- maps/ctf_Ash.PMS scenery-gfx/tree.png scenery-gfx/rock.png \
  textures/ash.png textures/edges/ash.png

finish "unattended: exit codes, the three ZIPs, the .png twins and the settings file as expected"
