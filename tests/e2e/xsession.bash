# Shared by the end-to-end scripts: a virtual X server with a window manager,
# and the game started in it.
# Needs: $kinopa (the program), $out (a folder for logs).

fail() { echo "FAIL: $*"; exit 1; }

start_x() {
  export QT_QPA_PLATFORM=xcb  # a real window in the virtual X server
  # Xvfb picks a free display number itself and tells it through fd 3.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$out/display" >"$out/xvfb.log" 2>&1 &
  xvfb=$!
  wm=""
  pid=""
  trap stop_x EXIT
  for _ in $(seq 50); do [ -s "$out/display" ] && break; sleep 0.1; done
  export DISPLAY=:$(head -n1 "$out/display")
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start: $(cat "$out/xvfb.log")"
  # A window manager, so windows have frames with a close box.
  openbox >"$out/openbox.log" 2>&1 &
  wm=$!
  sleep 0.5
}

stop_x() {
  # Never leave a game behind, even one that ignores SIGTERM.
  [ -n "$pid" ] && { kill "$pid" 2>/dev/null; sleep 0.2; kill -9 "$pid" 2>/dev/null; }
  [ -n "$wm" ] && kill "$wm" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  return 0
}

# Waits for the first visible window titled $1 while the game runs; sets $win.
wait_window() {
  win=""
  for _ in $(seq 100); do
    win=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
    [ -n "$win" ] && return 0
    kill -0 "$pid" 2>/dev/null || fail "kinopa exited early: $(cat "$out/kinopa.log")"
    sleep 0.1
  done
  fail "no window titled $1"
}

# Starts the game ($1: the program, default $kinopa); sets $pid and $win.
start_game() {
  "${1:-$kinopa}" >"$out/kinopa.log" 2>&1 &
  pid=$!
  wait_window '^Kinopa$'
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

click_at() {  # x y inside the window
  xdotool mousemove --window "$win" "$1" "$2" click 1
  sleep 0.3
}

cpu_ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
