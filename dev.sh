#!/usr/bin/env bash
# Set-up, build and run in one step, on Debian 12.
#   ./dev.sh start   installs what is missing, builds, starts the workbench
#   ./dev.sh test    installs what is missing, checks the formatting, builds
#                    with warnings as errors, runs every test, checks the
#                    installation and builds the Debian package, then runs the
#                    tests again under AddressSanitizer and
#                    UndefinedBehaviorSanitizer, and the tests that start
#                    jobs under ThreadSanitizer
#   ./dev.sh fuzz [SECONDS]
#                    installs clang, builds the libFuzzer target of the Libero
#                    path under both sanitizers and fuzzes it (600 s unless told)
#   ./dev.sh screenshots [MODE...]
#                    retakes the README's pictures of the window (docs/*.png)
# All are safe to repeat and quick when nothing has changed.
set -euo pipefail
cd "$(dirname "$0")"

packages=(g++ cmake ninja-build pkg-config clang-format libboost-dev qt6-base-dev qt6-svg-dev libgtest-dev libbenchmark-dev
  fonts-liberation help2man man-db groff-base desktop-file-utils appstream dpkg-dev file poppler-utils witalian
  hunspell-it mythes-it qt6-translations-l10n lintian)
fuzz_packages=(clang-14 libclang-rt-14-dev)

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
  fuzz)
    packages+=("${fuzz_packages[@]}")
    install_missing
    build fuzz libero_fuzz
    mkdir -p build/fuzz/corpus
    # The corpus grows in build/ and starts from the seeds kept in the tree.
    exec build/fuzz/fuzz/libero_fuzz build/fuzz/corpus fuzz/seeds -dict=fuzz/libero.dict \
      -max_len=4096 -timeout=10 -rss_limit_mb=4096 -max_total_time="${2:-600}" -print_final_stats=1 \
      -artifact_prefix=build/fuzz/
    ;;
  test)
    install_missing
    # The house style is checked first: a reformat is one command away.
    git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
    build release
    ctest --preset release
    data/check_install.sh build/release
    build sanitize
    ctest --preset sanitize
    build threads
    ctest --preset threads
    ;;
  screenshots)
    packages+=(xvfb xauth)
    install_missing
    build release zifrel-screenshot
    exec tools/screenshots.sh "${@:2}"
    ;;
  *)
    echo "usage: ./dev.sh start | ./dev.sh test | ./dev.sh fuzz [SECONDS] | ./dev.sh screenshots [MODE...]" >&2
    exit 2
    ;;
esac
