#!/usr/bin/env bash
# Set-up, build and run in one step, on Debian 12.
#   ./dev.sh start   installs what is missing, builds, starts the workbench
#   ./dev.sh test    installs what is missing, builds, runs every test, then
#                    again under AddressSanitizer and UndefinedBehaviorSanitizer
#   ./dev.sh screenshots [MODE...]
#                    retakes the README's pictures of the window (docs/*.png)
# Both are safe to repeat and quick when nothing has changed.
set -euo pipefail
cd "$(dirname "$0")"

packages=(g++ cmake ninja-build pkg-config qt6-base-dev libgtest-dev libbenchmark-dev fonts-liberation)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build() {  # preset [targets...]
  local preset=$1
  shift
  [ -f "build/$preset/CMakeCache.txt" ] || cmake --preset "$preset"
  cmake --build --preset "$preset" ${1:+--target "$@"}
}

case "${1:-}" in
  start)
    install_missing
    build release zifrel
    # Without a display the program says so in one line and exits with 1.
    exec build/release/app/qt/zifrel
    ;;
  test)
    install_missing
    build release
    ctest --preset release
    build sanitize
    ctest --preset sanitize
    ;;
  screenshots)
    packages+=(xvfb xauth)
    install_missing
    build release zifrel-screenshot
    exec tools/screenshots.sh "${@:2}"
    ;;
  *)
    echo "usage: ./dev.sh start | ./dev.sh test | ./dev.sh screenshots [MODE...]" >&2
    exit 2
    ;;
esac
