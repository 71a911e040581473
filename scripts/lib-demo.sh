# Sourced by scripts/demo and scripts/screenshots: builds the program, lays out a demo
# Soldat installation, and runs the program in a Wine virtual desktop driven from outside
# with xdotool, as a user would drive it.

ZEK_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# A prefix of our own, so that ending its wineserver ends nothing else.
zek_wine_env() {  # zek_wine_env BUILD_DIR
  export WINEPREFIX="${ZEK_DEMO_WINEPREFIX:-$1/wineprefix-demo}"
  export WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
}

build_program() {  # build_program BUILD_DIR
  local build="$1"
  if [ ! -f "$build/build.ninja" ]; then
    # The preset only for its own folder, which need not exist yet.
    if [ "$(realpath -m "$build")" = "$(realpath -m "$ZEK_ROOT/build/windows")" ]; then
      (cd "$ZEK_ROOT" && cmake --preset windows >/dev/null)
    else
      cmake -S "$ZEK_ROOT" -B "$build" -G Ninja --toolchain "$ZEK_ROOT/cmake/mingw-w64.cmake" >/dev/null
    fi
  fi
  cmake --build "$build" --target soldat_zek make_demo_install archiver_standin
}

# Lays out a fresh installation under FOLDER, with the archiver stand-in as its WinRAR, and
# puts the program into its program folder; prints that folder (a Linux path). Further
# options go to make-demo-install.
make_demo_install() {  # make_demo_install BUILD_DIR FOLDER [OPTION...]
  local build="$1" folder="$2"
  shift 2
  rm -rf "$folder"
  mkdir -p "$folder"
  local windows_folder="Z:${folder//\//\\}"
  local standin="$build/tools/archiver-standin/archiver-standin.exe"
  local program_folder
  program_folder="$("$ZEK_ROOT/scripts/wine-run" \
    "$build/tools/make-demo-install/make-demo-install.exe" "$windows_folder" \
    "Z:${standin//\//\\}" "$@" | tr -d '\r' | tail -n 1)"
  program_folder="${program_folder#Z:}"
  program_folder="${program_folder//\\//}"
  cp "$build/src/app/Soldat ZEK.exe" "$build/src/app/Soldat ZEK Help.htm" "$program_folder/"
  echo "$program_folder"
}

# Where the window's client area starts on the screen. The window opens at 100, 100 (the
# default place); Wine's default theme gives a 4-pixel frame and a 19-pixel caption.
ZEK_CLIENT_X=104
ZEK_CLIENT_Y=123

start_program() {  # start_program PROGRAM_FOLDER
  (cd "$1" && exec wine explorer /desktop=zek,1280x1024 "Soldat ZEK.exe") >/dev/null 2>&1 &
  ZEK_PROGRAM_PID=$!
}

pixel_at() {  # pixel_at X Y: the screen's colour there as #RRGGBB
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | tail -n 1 |
    grep -o '#[0-9A-Fa-f]\{6\}' | head -n 1
}

wait_for_window() {  # waits until the page area inside the window is painted white
  local i
  for i in $(seq 1 120); do
    if [ "$(pixel_at $((ZEK_CLIENT_X + 150)) $((ZEK_CLIENT_Y + 300)))" = "#FFFFFF" ]; then
      sleep 1
      return 0
    fi
    sleep 0.5
  done
  echo "the program's window did not appear" >&2
  return 1
}

click_tab() {  # click_tab 0..3: Main, Content, Comment, Settings (126-pixel tabs)
  xdotool mousemove $((ZEK_CLIENT_X + 2 + 63 + 126 * $1)) $((ZEK_CLIENT_Y + 10)) click 1
  sleep 1
}

screenshot() {  # screenshot FILE
  import -window root "$1"
}

# Closes the window as a user does (which saves its settings file) and waits for the end.
close_program() {
  xdotool key alt+F4 || true
  local i
  for i in $(seq 1 40); do
    kill -0 "$ZEK_PROGRAM_PID" 2>/dev/null || { wineserver -w; return 0; }
    sleep 0.5
  done
  echo "the program did not close; ending its wineserver" >&2
  wineserver -k || true
  return 1
}
