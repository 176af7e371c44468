#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on the bundled sample model.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh"
"$root/build/tools/mokkel-tool" info "$root/resources/samples/house.mkl"
