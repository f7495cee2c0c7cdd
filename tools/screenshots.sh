#!/usr/bin/env bash
# Takes the README's pictures of the workbench: the real window on a virtual
# X server, after a job in each mode, at the 120 dpi the window was laid out
# for. Run it through `./dev.sh screenshots [MODE...]`, which installs the X
# server and builds the tool first.
set -euo pipefail
cd "$(dirname "$0")/.."

modes=("$@")
[ ${#modes[@]} -gt 0 ] || modes=(genera risolvi libero)
mkdir -p docs
for mode in "${modes[@]}"; do
  QT_FONT_DPI=120 xvfb-run -a -s "-screen 0 1280x800x24" \
    build/release/tools/zifrel-screenshot "$mode" "docs/$mode.png"
done
