# Helpers for the real-desktop checks: a private X server with openbox,
# the programs started in a fresh program folder, windows found and read
# with the standard X tools. Every wait has a time limit.

SKIP=77
PROGRAM_PIDS=""
WM_PID=""
XVFB_PID=""
WORK=""
SCREEN_W=1280
SCREEN_H=1024
STEP_LIMIT_MS=${DESKTOP_STEP_LIMIT_MS:-20000}

# Outside a UTF-8 locale the X tools print a title's characters as octal
# escapes, and a minimal system sets no locale at all: they run under one that
# glibc always has, so titles read the same everywhere. The programs keep the
# caller's locale.
xprop() { LC_ALL=C.UTF-8 command xprop "$@"; }
xwininfo() { LC_ALL=C.UTF-8 command xwininfo "$@"; }
xdotool() { LC_ALL=C.UTF-8 command xdotool "$@"; }

fail() {
  echo "FAIL: $*" >&2
  if [ -n "${DISPLAY:-}" ]; then
    local w
    for w in $(client_windows); do echo "  shown: $w \"$(title_of "$w")\"" >&2; done
  fi
  local log
  for log in "$WORK"/*.log; do
    [ -s "$log" ] && { echo "  $(basename "$log"):" >&2; tail -n 15 "$log" | sed 's/^/    /' >&2; }
  done
  exit 1
}

# Milliseconds since the epoch, without starting a process.
now_ms() { echo $((${EPOCHREALTIME/[.,]/} / 1000)); }

# A short pause between two looks, without starting a process: a read with
# a time limit on a pipe nobody writes to.
pause() { read -r -t 0.03 -u 9 _ || true; }

# wait_until LIMIT_MS DESCRIPTION COMMAND...: runs COMMAND until it succeeds.
wait_until() {
  local limit=$1 what=$2
  shift 2
  local end=$(($(now_ms) + limit))
  until "$@"; do
    [ "$(now_ms)" -lt "$end" ] || fail "timed out waiting for $what"
    pause
  done
}

cleanup() {
  local pid
  for pid in $PROGRAM_PIDS $WM_PID $XVFB_PID; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in $PROGRAM_PIDS $WM_PID $XVFB_PID; do
    wait "$pid" 2>/dev/null || true
  done
  [ -n "$WORK" ] && rm -rf "$WORK"
}

# skip REASON: the check cannot run here. Under CI (CI=true) that fails the
# run, so a desktop check never goes unseen.
skip() {
  echo "SKIP: $*"
  if [ "${CI:-}" = true ]; then
    echo "FAIL: CI=true and a desktop check may not be skipped there: $*" >&2
    exit 1
  fi
  exit $SKIP
}

# Starts Xvfb on a free display and openbox on it; skips the check when no
# X server can start here.
start_desktop() {
  for tool in Xvfb openbox xprop xwininfo xdotool; do
    type -P "$tool" >/dev/null || skip "$tool is not installed (scripts/install-deps installs it)"
  done
  WORK=$(mktemp -d)
  trap cleanup EXIT
  mkfifo "$WORK/never"
  exec 9<>"$WORK/never"
  exec 3>"$WORK/display"
  Xvfb -displayfd 3 -screen 0 ${SCREEN_W}x${SCREEN_H}x24 -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
  XVFB_PID=$!
  exec 3>&-
  local end=$(($(now_ms) + 10000))
  until [ -s "$WORK/display" ]; do
    if ! kill -0 "$XVFB_PID" 2>/dev/null || [ "$(now_ms)" -ge "$end" ]; then
      cat "$WORK/xvfb.log"
      skip "no X server could start here"
    fi
    pause
  done
  export DISPLAY=:$(head -n1 "$WORK/display")
  unset WAYLAND_DISPLAY QT_QPA_PLATFORM
  export XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime" TMPDIR="$WORK/tmp"
  mkdir -p "$XDG_RUNTIME_DIR" "$TMPDIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
  WM_PID=$!
  wait_until "$STEP_LIMIT_MS" "openbox to manage the screen" wm_running
  # The first synthetic key hands the core keyboard a new map, and openbox
  # drops and takes again its key grabs then: under load a close key sent in
  # that moment reached the window instead. One harmless key has it over
  # before any window shows.
  xdotool key shift
}

wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# start_program NAME ARGS...: starts build/bin/NAME in the program folder.
start_program() {
  local name=$1
  shift
  # The X keyboard library hands strndup a counted buffer without a final
  # NUL, which AddressSanitizer's strict string checks take for an overflow;
  # every other check stays on.
  (cd "$FOLDER" && ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}strict_string_checks=0" exec "$BIN_DIR/$name" "$@") \
    >>"$WORK/$name.log" 2>&1 &
  PROGRAM_PID=$!
  PROGRAM_PIDS="$PROGRAM_PIDS $PROGRAM_PID"
}

program_ended() { ! kill -0 "$PROGRAM_PID" 2>/dev/null; }

# Waits for the program to end by itself and checks it ended cleanly.
expect_program_end() {
  wait_until "$STEP_LIMIT_MS" "the program to end" program_ended
  local rc=0
  wait "$PROGRAM_PID" || rc=$?
  [ "$rc" -eq 0 ] || fail "the program ended with status $rc: $(cat "$WORK"/*.log 2>/dev/null | tail -20)"
}

# The windows openbox manages and shows now.
client_windows() {
  local list
  list=$(xprop -root _NET_CLIENT_LIST 2>/dev/null) || return 0
  [[ $list == *"# "* ]] || return 0
  list=${list#*# }
  echo "${list//,/}"
}

title_of() {
  local t
  t=$(xprop -id "$1" -notype _NET_WM_NAME 2>/dev/null) || return 0
  [[ $t == '_NET_WM_NAME = "'* ]] || return 0
  t=${t#_NET_WM_NAME = \"}
  echo "${t%\"}"
}

viewable() { [[ $(xwininfo -id "$1" 2>/dev/null) == *"Map State: IsViewable"* ]]; }

# Prints the id of the shown window titled exactly TITLE.
find_window() {
  local w
  for w in $(client_windows); do
    if [ "$(title_of "$w")" = "$1" ] && viewable "$w"; then
      echo "$w"
      return 0
    fi
  done
  return 1
}

# wait_window TITLE: sets WIN to the window once it is shown and placed.
wait_window() {
  wait_until "$STEP_LIMIT_MS" "the window \"$1\"" find_window "$1" >/dev/null
  WIN=$(find_window "$1")
  wait_until "$STEP_LIMIT_MS" "the frame of \"$1\"" has_frame "$WIN"
  wait_until "$STEP_LIMIT_MS" "\"$1\" to stay in place" settled "$WIN"
}

no_window() { ! find_window "$1" >/dev/null; }

wait_window_gone() { wait_until "$STEP_LIMIT_MS" "the window \"$1\" to go" no_window "$1"; }

has_frame() { xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '='; }

# The window's frame: FRAME_X FRAME_Y FRAME_W FRAME_H (the frame's top-left
# and size on the screen).
read_frame() {
  local ext info l r t b ax ay w h
  ext=$(xprop -id "$1" _NET_FRAME_EXTENTS)
  ext=${ext#*= }
  IFS=', ' read -r l r t b <<<"$ext"
  info=$(xwininfo -id "$1")
  [[ $info =~ Absolute\ upper-left\ X:\ +(-?[0-9]+) ]] && ax=${BASH_REMATCH[1]}
  [[ $info =~ Absolute\ upper-left\ Y:\ +(-?[0-9]+) ]] && ay=${BASH_REMATCH[1]}
  [[ $info =~ Width:\ +([0-9]+) ]] && w=${BASH_REMATCH[1]}
  [[ $info =~ Height:\ +([0-9]+) ]] && h=${BASH_REMATCH[1]}
  FRAME_X=$((ax - l))
  FRAME_Y=$((ay - t))
  FRAME_W=$((w + l + r))
  FRAME_H=$((h + t + b))
}

# Two looks at the frame a moment apart find it in the same place.
settled() {
  read_frame "$1"
  local g="$FRAME_X $FRAME_Y $FRAME_W $FRAME_H"
  pause
  pause
  read_frame "$1"
  [ "$g" = "$FRAME_X $FRAME_Y $FRAME_W $FRAME_H" ]
}

# move_pointer ARGS...: xdotool mousemove --sync ARGS, by way of a screen
# corner: a synchronous move onto the place the pointer already is waits 15 s
# for a motion that never comes. ARGS may go on with more xdotool commands.
move_pointer() {
  local corner="0 0"
  [[ $(xdotool getmouselocation) == "x:0 y:0 "* ]] && corner="1 1"
  xdotool mousemove --sync $corner mousemove --sync "$@"
}

# click WINDOW X Y: a left click at X, Y inside the window's client area.
click() {
  move_pointer --window "$1" "$2" "$3" click 1
}

# drag_title WINDOW DX DY: moves the window by its title bar as a person does.
drag_title() {
  read_frame "$1"
  local x=$((FRAME_X + FRAME_W / 2)) y=$((FRAME_Y + 8))
  move_pointer "$x" "$y" mousedown 1
  xdotool mousemove --sync $((x + $2 / 2)) $((y + $3 / 2))
  xdotool mousemove --sync $((x + $2)) $((y + $3)) mouseup 1
}

# expect_frame_at WINDOW LEFT TOP: the frame gets there and stays.
frame_at() { read_frame "$1" && [ "$FRAME_X" -eq "$2" ] && [ "$FRAME_Y" -eq "$3" ]; }
expect_frame_at() {
  local end=$(($(now_ms) + 5000))
  until frame_at "$@"; do
    [ "$(now_ms)" -lt "$end" ] ||
      fail "\"$(title_of "$1")\" has its frame at left $FRAME_X top $FRAME_Y, expected left $2 top $3"
    pause
  done
  settled "$1" && frame_at "$@" ||
    fail "\"$(title_of "$1")\" moved on to left $FRAME_X top $FRAME_Y from left $2 top $3"
}

# line N FILE: line N of a CR LF text file.
line() { sed -n "$1p" "$2" | tr -d '\r'; }
