#!/usr/bin/env bash
# Installs what is missing, builds, runs the whole test suite, then fuzzes every file reader
# for 20 s each under ASan and UBSan (a clang build of the readers alone, in build-fuzz/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$root/build" --output-on-failure -j2
"$root/tools/fuzz.sh" 20
