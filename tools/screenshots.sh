#!/usr/bin/env bash
# Takes the README's pictures of the workbench: the real window on a virtual
# X server, after a job in each mode, at a scale factor of 1.5, where a
# logical pixel is not a whole number of screen pixels and the frames show
# that they are drawn whole. Run it through `./dev.sh screenshots [MODE...]`,
# which installs the X server and builds the tool first.
set -euo pipefail
cd "$(dirname "$0")/.."

modes=("$@")
[ ${#modes[@]} -gt 0 ] || modes=(genera risolvi libero spiega gioca)
mkdir -p docs
for mode in "${modes[@]}"; do
  # The explanation is shown in a window twice as wide instead: its lines
  # are long. The play window is large by itself.
  scale=1.5
  [ "$mode" = spiega ] || [ "$mode" = gioca ] && scale=1
  QT_SCALE_FACTOR=$scale xvfb-run -a -s "-screen 0 1800x900x24" \
    build/release/tools/zifrel-screenshot "$mode" "docs/$mode.png"
done
