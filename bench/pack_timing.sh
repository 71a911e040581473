#!/usr/bin/env bash
# How long an unattended pack of many maps of real size into a ZIP takes, from the program's
# start to its exit, and what share of that is ours rather than the archiver's. The archiver
# stand-in plays WinRAR and logs each of its runs with its own time; ours is the rest (Wine
# starting the program and each archiver run included). Run by hand; prints one line a run.
#   bench/pack_timing.sh [BUILD_DIR] [MAPS]   (defaults: build/windows, 100 maps)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=../scripts/lib-demo.sh
source "$here/../scripts/lib-demo.sh"
# shellcheck source=../scripts/lib-xvfb.sh
source "$here/../scripts/lib-xvfb.sh"
build="$(realpath -m "${1:-$ZEK_ROOT/build/windows}")"
maps="${2:-100}"
runs=3
[[ "$maps" =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [BUILD_DIR] [MAPS]" >&2 && exit 2; }

fail() {
  echo "pack_timing: $*" >&2
  exit 1
}
windows_path() { local p="Z:$1" && printf '%s' "${p//\//\\}"; }

build_program "$build" >/dev/null
# A prefix of its own, kept running between the runs so that none pays for starting it.
export ZEK_DEMO_WINEPREFIX="${ZEK_DEMO_WINEPREFIX:-$build/wineprefix-bench}"
zek_wine_env "$build"
# Wine needs a display even for a hidden window.
ensure_display 800x600
work="$(mktemp -d)"
clean_up() {
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
  kill "${ZEK_XVFB_PID:-}" 2>/dev/null || true
}
trap clean_up EXIT

echo "laying out $maps maps of 2,000 polygons with a noisy scenery, texture and edge each"
program_folder="$(make_demo_install "$build" "$work/install" --bench-maps "$maps")"
wineserver -w && wineserver -p
zip="$work/pack.zip"
log="$work/standin.log"
export ZEK_STANDIN_LOG
ZEK_STANDIN_LOG="$(windows_path "$log")"

# A failing unattended run shows its message box and waits: the runs end after this long.
limit=$((60 + maps))
for run in $(seq 1 "$runs"); do
  rm -f "$zip" "$log"
  code=0
  start=$(date +%s.%N)
  (cd "$program_folder" &&
    timeout "$limit" wine "Soldat ZEK.exe" mapslist.txt "$(windows_path "$zip")" -a1 -i) \
    >/dev/null 2>&1 || code=$?
  end=$(date +%s.%N)
  [ "$code" != 124 ] || fail "run $run: no exit within $limit s, probably waiting on a message box"
  [ "$code" = 0 ] || fail "run $run: exit code $code"
  [ -f "$zip" ] || fail "run $run: exit code 0 but no $zip"
  [ -f "$log" ] || fail "run $run: the archiver stand-in never ran"
  entries=$(unzip -Z1 "$zip" | wc -l)
  # Each map, its scenery, texture and edge.
  [ "$entries" -ge $((4 * maps)) ] || fail "run $run: only $entries entries in the ZIP"
  # Log lines: command line, TAB, "<ms> ms", TAB, "exit <code>".
  awk -F'\t' -v run="$run" -v start="$start" -v end="$end" -v entries="$entries" '
    { standin += $2 / 1000; calls++ }
    END {
      total = end - start
      printf "run %d: %.2f s from start to result, the stand-in %.2f s (%d runs), ours %.1f %%" \
        " (%d entries)\n", run, total, standin, calls, 100 * (total - standin) / total, entries
    }' "$log"
done
