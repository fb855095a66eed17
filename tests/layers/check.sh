#!/usr/bin/env bash
# Fails when a file of a plain layer (the core, the rules: game, sound,
# display; play) reaches a Qt or SDL header, directly or through another
# header. The compiler lists every header each file pulls in, so
# <SDL2/SDL.h> and <qt6/...>, which /usr/include lets through a build, are
# caught as well as <QWidget>, which it does not.
# Usage: check.sh <c++ compiler> <source folder> <layer> [layer ...]
set -uo pipefail
compiler=$1 src=$2
shift 2
status=0
for layer in "$@"; do
  for file in "$src/$layer"/*.{cpp,h}; do
    [ -e "$file" ] || continue
    if ! headers=$("$compiler" -x c++ -std=c++20 -I"$src" -M "$file" 2>&1); then
      echo "$file: does not build without Qt and SDL:"
      echo "$headers" | grep -m3 -i error
      status=1
    elif reached=$(echo "$headers" | tr ' \\' '\n\n' | grep -E '/(qt[56]?|Qt[A-Za-z]*|SDL2?)/'); then
      echo "$file reaches Qt or SDL:"
      echo "$reached" | head -3
      status=1
    fi
  done
done
[ "$status" = 0 ] && echo "The plain layers ($*) reach neither Qt nor SDL."
exit "$status"
