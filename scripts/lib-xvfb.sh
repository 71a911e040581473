# Sourced by the scripts that show windows: starts Xvfb on a free display when there is no
# display, and stops it again on exit.
#   ensure_display WIDTHxHEIGHT
ensure_display() {
  if [ -n "${DISPLAY:-}" ]; then
    return 0
  fi
  local n
  for n in $(seq 90 190); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 "${1:-1280x1024}x24" -nolisten tcp >/dev/null 2>&1 &
      ZEK_XVFB_PID=$!
      trap 'kill "$ZEK_XVFB_PID" 2>/dev/null || true' EXIT
      export DISPLAY=":$n"
      # Ready once the display answers.
      local i
      for i in $(seq 1 50); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
      done
      echo "Xvfb did not start on :$n" >&2
      return 1
    fi
  done
  echo "no free X display number" >&2
  return 1
}
