# Shared by bench/xvfb.sh and bench/weston.sh: runs_beside SERVER_PID NAME
# COMMAND [ARGS...] runs the command and then prints, on standard error, the
# processor time the window system's server (NAME) spent meanwhile. Returns
# the command's exit status.
runs_beside() {
  local server=$1 name=$2 before start rc=0
  shift 2
  ticks() { awk '{print $14 + $15}' "/proc/$server/stat"; }
  before=$(ticks)
  start=$(date +%s.%N)
  "$@" || rc=$?
  echo "$name: $(( $(ticks) - before )) ticks of $(getconf CLK_TCK)/s over $(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN{printf "%.1f", b - a}') s" >&2
  return $rc
}
