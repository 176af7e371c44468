#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on the bundled sample model: the
# modeller when there is a display, else the sample rendered to a picture by mokkel-tool.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh"
sample="$root/resources/samples/house.mkl"
"$root/build/tools/mokkel-tool" info "$sample"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$root/build/modeller/Mokkel" ]; then
  exec "$root/build/modeller/Mokkel" "$sample"
fi
picture="$root/build/house.png"
"$root/build/tools/mokkel-tool" render "$sample" "$picture" --fit >/dev/null
echo "No display: the sample model is rendered to $picture"
