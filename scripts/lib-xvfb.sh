# Sourced by the scripts that show windows: starts Xvfb on a free display when there is no
# display, and stops it again on exit.
#   ensure_display WIDTHxHEIGHT
ensure_display() {
  if [ -n "${DISPLAY:-}" ]; then
    return 0
  fi
  # Xvfb picks a free display number itself and writes it once it is ready: scripts that
  # start at the same time never pick the same number (and end each other's display).
  local numbers n=""
  numbers="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 "${1:-1280x1024}x24" -nolisten tcp 3>"$numbers" >/dev/null 2>&1 &
  ZEK_XVFB_PID=$!
  trap 'kill "$ZEK_XVFB_PID" 2>/dev/null || true' EXIT
  for _ in $(seq 1 100); do
    n="$(head -n 1 "$numbers")"
    [ -n "$n" ] && break
    sleep 0.1
  done
  rm -f "$numbers"
  if [ -z "$n" ]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$n"
}
