#!/usr/bin/env bash
# The WinRAR stand-in under Wine, given the command lines the program issues, word for word;
# the ZIP it writes is then checked on Linux with Info-ZIP's unzip.
#   archiver_standin_test.sh STANDIN_EXE RUNNER_EXE
# shellcheck disable=SC1003  # the program's paths inside the archive end with a backslash
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
wine_run="$here/../../scripts/wine-run"
standin="$1"
runner="$2"
# shellcheck source=lib-e2e.sh
source "$here/lib-e2e.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# A list file as the program writes it: UTF-16LE with FF FE, CR LF after every line.
utf16_list() {
  local out="$1"
  shift
  printf '\xff\xfe' >"$out"
  if [ $# -gt 0 ]; then printf '%s\r\n' "$@" | iconv -f UTF-8 -t UTF-16LE >>"$out"; fi
}

# --- sources, lists and the comment ---------------------------------------------------
src="$work/src"
mkdir -p "$src/maps" "$src/edges" "$src/root"
for i in $(seq 300); do echo "ASH-MAP-DATA row $i"; done >"$src/maps/ctf_Ash.PMS"
for i in $(seq 300); do echo "équipe row $i"; done >"$src/maps/ctf_Équipe.PMS"
for i in $(seq 400); do printf 'BM wood %04d ' "$i"; done >"$src/edges/Дерево.bmp"
for i in $(seq 400); do printf 'BM tree %04d ' "$i"; done >"$src/edges/tree ñ.bmp"
printf 'ctf_Ash\r\nctf_Équipe\r\n' >"$src/root/mapslist.txt"

utf16_list "$work/maps.lst" "$(win "$src/maps/ctf_Ash.PMS")" "$(win "$src/maps/ctf_Équipe.PMS")"
utf16_list "$work/edges.lst" "$(win "$src/edges/Дерево.bmp")" "$(win "$src/edges/tree ñ.bmp")"
utf16_list "$work/empty.lst"
utf16_list "$work/gone.lst" "$(win "$src/maps/ctf_Ash.PMS")" "$(win "$src/maps/no_such.PMS")"
printf '%s\r\n' "$(win "$src/root/mapslist.txt")" >"$work/ansi.lst" # ANSI, no mark
comment="$work/comment ä.txt"
printf 'Maps: ctf_Ash, ctf_Equipe\r\nMade with Soldat ZEK\r\n' >"$comment"

exe="$(win "$standin")"
zip="$(win "$work/pack.zip")"
bad="$(win "$work/bad.zip")"
rar="$(win "$work/pack.rar")"
failing="$(win "$work/failing.zip")"
log="$work/standin.log"

# --- the runs: each phase is one Wine process starting the stand-in per line -----------
commands=()
expected=()
lines=""
run() { # EXPECTED_EXIT COMMAND_LINE
  expected+=("$1")
  commands+=("$2")
  lines+="$2"$'\n'
}
env_line() { lines+="set $1"$'\n'; }
add() { # SWITCHES PATH_INSIDE ARCHIVE LIST EXPECTED_EXIT; no -ap for the root, as WinRAR
  # reads -ap"" as a folder named by one quotation mark
  local inside=""
  [ -n "$2" ] && inside=" -ap\"$2\""
  run "$5" "\"$exe\" A -y -ibck -ed -ep $1$inside \"$3\" @\"$4\""
}
run_phase() { # the exit codes the runner prints go to $work/codes
  printf 'set ZEK_STANDIN_LOG=%s\n%s' "$(win "$log")" "$lines" >"$work/phase.txt"
  lines=""
  "$wine_run" "$runner" "$(win "$work/phase.txt")" | tr -d '\r' >>"$work/codes"
}

add "-m0" 'maps\' "$zip" "$(win "$work/maps.lst")" 0
add "-m5 -md32m" 'textures\edges\' "$zip" "$(win "$work/edges.lst")" 0
add "-m3" '' "$zip" "$(win "$work/ansi.lst")" 0
# The same group again, words in other letter case: its entries are replaced, not doubled.
run 0 "\"$exe\" a -Y -IBCK -ED -EP -M0 -AP\"maps\\\" \"$zip\" @\"$(win "$work/maps.lst")\""
run 0 "\"$exe\" C -ibck -y -z\"$(win "$comment")\" \"$zip\""
run 0 "\"$exe\" T -ibck \"$zip\""
run 2 "\"$exe\" K -ibck -y \"$zip\""
run 2 "\"$exe\" RR5% -ibck -y \"$zip\""
add "-m3 -x" 'maps\' "$bad" "$(win "$work/maps.lst")" 7
add "-mdg -m3" 'maps\' "$bad" "$(win "$work/maps.lst")" 7
add "-md -m3" 'maps\' "$bad" "$(win "$work/maps.lst")" 7
run 7 "\"$exe\" RR -ibck -y5 \"$rar\""
add "-m3" 'maps\' "$bad" "$(win "$work/empty.lst")" 10
add "-m3" 'maps\' "$bad" "$(win "$work/no_such.lst")" 6
add "-m3" 'maps\' "$bad" "$(win "$work/gone.lst")" 6
run 6 "\"$exe\" T -ibck \"$bad\""
add "-m3 -s" 'maps\' "$rar" "$(win "$work/maps.lst")" 0
run 0 "\"$exe\" rr5% -ibck -y \"$rar\""
run 0 "\"$exe\" C -ibck -y -z\"$(win "$comment")\" \"$rar\""
run 0 "\"$exe\" T -ibck \"$rar\""
run 0 "\"$exe\" K -ibck -y \"$rar\""
run_phase

[ ! -e "$work/bad.zip" ] || fail "a failed run left bad.zip"
[ ! -e "$work/pack.rar" ] || fail "a RAR run wrote pack.rar"

# A flipped byte in the stored data of maps/ctf_Ash.PMS.
cp "$work/pack.zip" "$work/corrupt.zip"
at="$(grep -obUaF 'ASH-MAP-DATA row 7' "$work/corrupt.zip" | head -1 | cut -d: -f1)"
printf 'X' | dd of="$work/corrupt.zip" bs=1 seek="$at" conv=notrunc status=none
cp "$work/pack.zip" "$work/failing.zip"

run 3 "\"$exe\" T -ibck \"$(win "$work/corrupt.zip")\""
env_line "ZEK_STANDIN_FAIL=t:3, A:9,c:2"
add "-m3" 'maps\' "$failing" "$(win "$work/edges.lst")" 9
run 2 "\"$exe\" C -ibck -y -z\"$(win "$src/root/mapslist.txt")\" \"$failing\""
run 3 "\"$exe\" T -ibck \"$failing\""
run 0 "\"$exe\" K -ibck -y \"$rar\""
env_line "ZEK_STANDIN_FAIL="
env_line "ZEK_STANDIN_DELAY_MS=T:300"
run 0 "\"$exe\" T -ibck \"$failing\""
run_phase

cmp -s "$work/failing.zip" "$work/pack.zip" || fail "a step told to fail changed the archive"
ls "$work"/*.tmp >/dev/null 2>&1 && fail "a temporary archive was left behind"

# --- the ZIP as Info-ZIP sees it ---------------------------------------------------------
unzip -tq "$work/pack.zip" >/dev/null || fail "unzip -t rejects pack.zip"
declare -A sources=(
  [maps/ctf_Ash.PMS]="$src/maps/ctf_Ash.PMS" [maps/ctf_Équipe.PMS]="$src/maps/ctf_Équipe.PMS"
  [textures/edges/Дерево.bmp]="$src/edges/Дерево.bmp"
  [textures/edges/tree ñ.bmp]="$src/edges/tree ñ.bmp" [mapslist.txt]="$src/root/mapslist.txt")
diff <(unzip -Z1 "$work/pack.zip" | sort) <(printf '%s\n' "${!sources[@]}" | sort) >&2 ||
  fail "the entries"
for name in "${!sources[@]}"; do
  unzip -p "$work/pack.zip" "$name" | cmp -s - "${sources[$name]}" || fail "content of $name"
done
listing="$(unzip -v "$work/pack.zip")"
grep -qE 'Stored .* maps/ctf_Ash\.PMS$' <<<"$listing" || fail "-m0 did not store"
grep -qE 'Defl:X .* textures/edges/Дерево\.bmp$' <<<"$listing" || fail "-m5 did not deflate best"
shown="$(unzip -z "$work/pack.zip" | tail -n +2 | tr -d '\r')"
[ "$shown" = "$(tr -d '\r' <"$comment")" ] || fail "unzip -z shows: $shown"
tail -c "$(stat -c %s "$comment")" "$work/pack.zip" | cmp -s - "$comment" ||
  fail "the archive does not end with the comment's bytes"

# --- the exit codes, and the log: one line per run, the command line as received ----------
diff <(printf '%s\n' "${expected[@]}") "$work/codes" >&2 || fail "the exit codes"
for i in "${!commands[@]}"; do printf '%s\texit %s\n' "${commands[i]}" "${expected[i]}"; done \
  >"$work/expected.log"
diff "$work/expected.log" <(sed -E 's/\t[0-9]+ ms\texit /\texit /' "$log") >&2 || fail "the log"
[[ "$(tail -1 "$log")" =~ $'\t'([0-9]+)' ms' && "${BASH_REMATCH[1]}" -ge 300 ]] ||
  fail "ZEK_STANDIN_DELAY_MS=T:300 gave a shorter run: $(tail -1 "$log")"
finish "archiver stand-in: all checks passed"
