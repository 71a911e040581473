# shellcheck shell=bash
# Sourced by the end-to-end tests: counts failed checks and reports them at the end.
export LC_ALL=C.UTF-8
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
win() { local p="Z:$1"; printf '%s' "${p//\//\\}"; } # Wine's drive Z: is the Unix root
finish() {                                           # finish SUCCESS_TEXT
  [ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2 && exit 1; }
  echo "$1"
}
