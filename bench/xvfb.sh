#!/usr/bin/env bash
# Runs a command on a virtual X server of its own (no window manager), its
# screen large enough for the game at display scale 2:
#   bench/xvfb.sh COMMAND [ARGS...]
# The server's processor time over the run is printed at the end.
set -euo pipefail
out=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 2048x1536x24 -nolisten tcp 3>"$out/display" >"$out/xvfb.log" 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$out"' EXIT
for _ in $(seq 50); do [ -s "$out/display" ] && break; sleep 0.1; done
[ -s "$out/display" ] || { echo "Xvfb did not start: $(cat "$out/xvfb.log")" >&2; exit 1; }
export DISPLAY=:$(head -n1 "$out/display") QT_QPA_PLATFORM=xcb
source "$(dirname "$0")/server_time.bash"
rc=0
runs_beside "$xvfb" "X server" "$@" || rc=$?
exit $rc
