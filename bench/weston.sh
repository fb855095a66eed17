#!/usr/bin/env bash
# Runs a command on a Wayland compositor of its own: headless weston drawing
# with pixman, its output large enough for the game at display scale 2.
#   bench/weston.sh COMMAND [ARGS...]
# The compositor's processor time over the run is printed at the end.
set -euo pipefail
out=$(mktemp -d)
export XDG_RUNTIME_DIR=$out/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --use-pixman --width=2048 --height=1536 \
  --socket=wayland-kinopa --idle-time=0 >"$out/weston.log" 2>&1 &
weston=$!
trap 'kill $weston 2>/dev/null; rm -rf "$out"' EXIT
for _ in $(seq 50); do [ -S "$XDG_RUNTIME_DIR/wayland-kinopa" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/wayland-kinopa" ] || { echo "weston did not start: $(cat "$out/weston.log")" >&2; exit 1; }
export WAYLAND_DISPLAY=wayland-kinopa QT_QPA_PLATFORM=wayland
source "$(dirname "$0")/server_time.bash"
rc=0
runs_beside "$weston" "compositor" "$@" || rc=$?
exit $rc
