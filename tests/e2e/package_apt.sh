#!/usr/bin/env bash
# The Debian package (KINOPA_DEB names it) installed by apt: the game starts
# from its menu entry as a desktop starts it and ends by 終了; `apt-get
# remove` then leaves none of the package's files. Needs root and a machine
# where the package's dependencies are already there, else it is skipped; it
# never leaves the package installed.
# usage: package_apt.sh PATH_TO_KINOPA BUILD_DIR PATH_TO_KINOPA_LOOK
set -uo pipefail
source "$(dirname "$0")/xsession.bash"
deb=${KINOPA_DEB:?KINOPA_DEB names the package to test}
[ -s "$deb" ] || fail "no package $deb"
skip() { echo "SKIP: $*"; exit 77; }
[ "$(id -u)" = 0 ] || skip "installing a package needs root"
state() { dpkg-query -W -f='${db:Status-Status}' kinopa 2>/dev/null; }
[ "$(state)" = installed ] && skip "kinopa is installed here already, and this test leaves it alone"
export DEBIAN_FRONTEND=noninteractive
apt=(apt-get -y -o DPkg::Lock::Timeout=300)
"${apt[@]}" -s install "$deb" >"$out/simulated.log" 2>&1 ||
  skip "apt cannot install the package here: $(tail -n 3 "$out/simulated.log")"
others=$(grep '^Inst ' "$out/simulated.log" | grep -v '^Inst kinopa ')
[ -z "$others" ] || skip "the package would bring in other packages too: $others"

start_x
home=$(mktemp -d) || fail "no temporary folder"
cleanup() {
  stop_x
  if [ -n "$(state)" ] && [ "$(state)" != not-installed ]; then
    "${apt[@]}" remove kinopa >>"$out/cleanup.log" 2>&1
    dpkg --purge kinopa >>"$out/cleanup.log" 2>&1
  fi
  rm -rf "$home"
}
trap cleanup EXIT  # after start_x, whose trap it replaces
"${apt[@]}" install "$deb" >"$out/install.log" 2>&1 || fail "apt-get install failed: $(tail "$out/install.log")"
[ "$(state)" = installed ] || fail "kinopa is not installed after apt-get install"
dpkg -L kinopa >"$out/files" || fail "dpkg -L kinopa failed"
entry=/usr/share/applications/net.kinopa.Kinopa.desktop
grep -q -x "$entry" "$out/files" || fail "the package has no menu entry $entry"

# Started as a desktop starts it, by a player whose data go into a new home.
launch_entry "$entry" -u XDG_DATA_HOME HOME="$home"
[ "$(readlink -f "/proc/$pid/exe")" = /usr/games/kinopa ] ||
  fail "the window belongs to $(readlink "/proc/$pid/exe"), not /usr/games/kinopa"
sleep 0.5
expect installed Label8=0 gamestart=Start
end_launched
cmp -s "$home/.local/share/kinopa/wave.ini" /usr/share/games/kinopa/wave/wave.ini ||
  fail "the game kept no first wave.ini in the player's data folder: $(ls -laR "$home")"

"${apt[@]}" remove kinopa >"$out/remove.log" 2>&1 || fail "apt-get remove failed: $(tail "$out/remove.log")"
[ "$(state)" = installed ] && fail "kinopa is still installed after apt-get remove"
# Files must be gone; a folder may stay only when another package owns it or
# it holds something that is not the package's.
left=()
while IFS= read -r path; do
  if [ -d "$path" ] && [ ! -L "$path" ]; then
    dpkg -S "$path" >/dev/null 2>&1 || [ -n "$(ls -A "$path")" ] || left+=("$path/")
  elif [ -e "$path" ] || [ -L "$path" ]; then
    left+=("$path")
  fi
done <"$out/files"
[ ${#left[@]} = 0 ] || fail "apt-get remove left the package's files: ${left[*]}"
echo "PASS"
