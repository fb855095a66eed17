# Shared by the end-to-end scripts: a virtual X server with a window manager,
# private copies of the game started in it, and kinopa-look to see what the
# game shows.
# The scripts are run as: SCRIPT PATH_TO_KINOPA BUILD_DIR PATH_TO_KINOPA_LOOK
# Each keeps its logs and pictures in BUILD_DIR/e2e/<script name>/; a failing
# step leaves a picture of the whole screen there as failed.png.

kinopa_built=$1
build=$2
look=$3
out=$build/e2e/$(basename "$0" .sh)
rm -rf "$out" && mkdir -p "$out"
export QT_QPA_PLATFORM=xcb  # real windows in the virtual X server
xvfb=""
wm=""
pid=""

fail() {
  echo "FAIL: $*"
  if [ -n "${DISPLAY:-}" ] && "$look" shot root "$out/failed.png" 2>/dev/null; then
    echo "the screen at that moment: $out/failed.png"
  fi
  exit 1
}

# A copy of the game of its own in $1 (default $out/game): bin/, images/ and
# wave/ with the first wave.ini, so a test's settings and record never land in
# the build's. Sets $game and $kinopa.
copy_game() {
  game=${1:-$out/game}
  mkdir -p "$game/bin" "$game/images" "$game/wave"
  cp "$kinopa_built" "$game/bin/"
  cp "$build"/images/*.bmp "$game/images/"
  cp "$build"/wave/*.wav "$build"/defaults/wave.ini "$game/wave/"
  kinopa=$game/bin/kinopa
}

# Starts the virtual X server ($screen, default 1024x768x24) and a window manager.
start_x() {
  trap stop_x EXIT
  # Xvfb picks a free display number itself and tells it through fd 3. Should
  # it still fail to come up, it is started once more.
  for _ in 1 2 3; do
    : >"$out/display"
    Xvfb -displayfd 3 -screen 0 "${screen:-1024x768x24}" -nolisten tcp 3>"$out/display" >"$out/xvfb.log" 2>&1 &
    xvfb=$!
    for _ in $(seq 50); do grep -q '^[0-9][0-9]*$' "$out/display" && break; sleep 0.1; done
    export DISPLAY=:$(head -n1 "$out/display")
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    xdpyinfo >/dev/null 2>&1 && kill -0 "$xvfb" 2>/dev/null && break
    kill "$xvfb" 2>/dev/null
    xvfb=""
    sleep "0.$((RANDOM % 9 + 1))"
  done
  [ -n "$xvfb" ] || { unset DISPLAY; fail "Xvfb did not start: $(cat "$out/xvfb.log")"; }
  # A window manager, so windows have frames with a close box. A window
  # mapped while it is still starting up can be lost to it (never framed nor
  # shown), so the game starts only once it runs its start-up command.
  rm -f "$out/wm-ready"
  openbox --startup "touch $out/wm-ready" >"$out/openbox.log" 2>&1 &
  wm=$!
  for _ in $(seq 100); do [ -e "$out/wm-ready" ] && break; sleep 0.05; done
  [ -e "$out/wm-ready" ] || fail "openbox did not start: $(cat "$out/openbox.log")"
}

stop_x() {
  # Never leave a game behind, even one that ignores SIGTERM.
  [ -n "$pid" ] && { kill "$pid" 2>/dev/null; sleep 0.2; kill -9 "$pid" 2>/dev/null; }
  [ -n "$wm" ] && kill "$wm" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  return 0
}

# Waits (up to 20 s: a loaded machine starts slowly) for the first visible
# window whose title matches $1 while the game runs; prints its id.
find_window() {
  local w
  for _ in $(seq 200); do
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
    [ -n "$w" ] && { echo "$w"; return 0; }
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Sets $win to the main window (or the window titled $1), once it is shown.
wait_window() {
  local title=${1:-^Kinopa$}
  win=$(find_window "$title") || fail "no window titled $title: $(cat "$out/kinopa.log")"
}

# Starts the game ($1: the program, default $kinopa, and its arguments); sets
# $pid and $win once the main window shows.
start_game() {
  local program=${1:-$kinopa}
  shift || true
  "$program" "$@" >"$out/kinopa.log" 2>&1 &
  pid=$!
  wait_window
  sleep 0.5
}

# Waits up to 5 s for the game to end; sets $rc to its exit status.
wait_exit() {
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "$1"
  rc=0
  wait "$pid" || rc=$?
  pid=""
}

# Starts the game from the menu entry $1 as a desktop starts it (gio reads
# the entry's Exec line), with env's arguments in $2... for its environment;
# sets $win and $pid once its window shows.
launch_entry() {
  env "${@:2}" gio launch "$1" >"$out/kinopa.log" 2>&1 ||
    fail "gio cannot launch the menu entry: $(cat "$out/kinopa.log")"
  win=""
  for _ in $(seq 100); do
    win=$(xdotool search --onlyvisible --name '^Kinopa$' 2>/dev/null | head -n1) && [ -n "$win" ] && break
    sleep 0.1
  done
  [ -n "$win" ] || fail "the launched game shows no window: $(cat "$out/kinopa.log")"
  pid=$(xprop -id "$win" _NET_WM_PID | awk '{print $3}')
}

# Ends a game that launch_entry started (not this script's child) by 終了.
end_launched() {
  click_at 455 580
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "終了 did not end the launched game"
  pid=""
}

click_at() {  # x y inside the main window
  xdotool mousemove --window "$win" "$1" "$2" click 1
  sleep 0.3
}

cpu_ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }

# A picture of the main window's client area, kept as $out/$1.png.
shot() { "$look" shot "$win" "$out/$1.png" || fail "no picture of the window"; }

# Takes picture $1 and reads the controls named after it into variables of
# the same names (Label4, Label5, Label6, Label8, gamestart).
read_window() {
  local name=$1 text
  shift
  shot "$name"
  text=$("$look" read "$out/$name.png" "$@")
  eval "$text"
}

# Takes picture $1 and checks the controls: expect NAME Label4=0 gamestart=Start ...
expect() {
  local name=$1 want control
  shift
  read_window "$name" "${@%%=*}"
  for want in "$@"; do
    control=${want%%=*}
    [ "${!control}" = "${want#*=}" ] || fail "$name: $control shows ${!control}, not ${want#*=} (see $out/$name.png)"
  done
}

# Waits for a message box titled $1 (a pattern) and answers it with Enter.
answer_box() {
  local box
  box=$(find_window "$1") || fail "no message box titled $1: $(cat "$out/kinopa.log")"
  sleep 0.3
  "$look" shot root "$out/box.png" 2>/dev/null
  xdotool windowactivate --sync "$box" key Return || fail "cannot answer the box $1"
  sleep 0.3
}

# The file $1 holds exactly the bytes that printf makes of the rest.
expect_bytes() {
  local file=$1
  shift
  # shellcheck disable=SC2059
  printf "$@" >"$out/expected.bytes"
  cmp -s "$file" "$out/expected.bytes" ||
    fail "$file differs from what was expected: $(od -c "$file" | head -20)"
}

# Starts a game and plays it for $1 seconds with the tovrin kept under the
# zarup (found by its colour on screen).
track() {
  click_at 456 20
  local end=$((SECONDS + $1)) l r
  while [ $SECONDS -lt $end ]; do
    "$look" shot "$win" "$out/tracking.png" &&
      read -r l _ r _ < <("$look" find "$out/tracking.png" zarup) &&
      xdotool mousemove --window "$win" $(((l + r) / 2)) 540
  done
}
