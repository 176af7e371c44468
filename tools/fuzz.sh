#!/usr/bin/env bash
# tools/fuzz.sh SECONDS [HARNESS...]: builds the file readers' libFuzzer harnesses (clang,
# ASan + UBSan) into build-fuzz/ when needed, writes their seeds with the project's writers,
# and runs each harness (all unless named: model_file xfile xfile_zip bmp ppm jpeg scene_file
# parts_file gltf glb obj) for SECONDS. Fails on any crash, leak, timeout (10 s) or allocation
# over 1 GB; the input that did it is kept in build-fuzz/fuzz-run/artifacts/. Prints the
# executions per second and the coverage reached per harness, and appends them with the seconds
# actually run to build-fuzz/fuzz-run/history.tsv.
set -euo pipefail
seconds=${1:?usage: tools/fuzz.sh SECONDS [HARNESS...]}
shift
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MOKKEL_FUZZ_BUILD:-$root/build-fuzz}
all=(model_file xfile xfile_zip bmp ppm jpeg scene_file parts_file gltf glb obj)
harnesses=("$@")
[ ${#harnesses[@]} -eq 0 ] && harnesses=("${all[@]}")

"$root/tools/setup.sh"
if [ ! -f "$build/build.ninja" ]; then
  launcher=()
  command -v ccache >/dev/null &&
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DMOKKEL_FUZZ=ON "${launcher[@]}" >/dev/null
fi
mkdir -p "$build/fuzz-run"
if ! cmake --build "$build" -j2 >"$build/fuzz-run/build.log" 2>&1; then
  cat "$build/fuzz-run/build.log" >&2
  exit 1
fi

run=$build/fuzz-run
rm -rf "$run/seeds"
"$build/fuzz/make-fuzz-seeds" "$run/seeds"

dict_of() {
  case $1 in
    xfile | xfile_zip) echo xfile ;;
    gltf | glb) echo gltf ;;
    scene_file | parts_file) echo scene ;;
    *) echo "$1" ;;
  esac
}

failed=()
printf '%-11s %9s %10s %6s\n' harness execs exec/s cov
for h in "${harnesses[@]}"; do
  corpus=$run/corpus/$h
  artifacts=$run/artifacts/$h
  log=$run/logs/$h.log
  mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
  # New inputs go to the first directory; the seeds and the kept regressions are read only.
  dirs=("$corpus" "$run/seeds/$h")
  [ -d "$root/tests/fuzz_regressions/$h" ] && dirs+=("$root/tests/fuzz_regressions/$h")
  status=0
  started=$SECONDS
  # The whole process may grow past 1 GB in an hour-long run without any leak: ASan's allocator
  # keeps what its quarantine hands back, per size class. Single allocations stay capped at 1 GB.
  "$build/fuzz/fuzz_$h" -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=1024 \
    -timeout=10 -print_final_stats=1 -dict="$root/fuzz/dict/$(dict_of "$h").dict" \
    -artifact_prefix="$artifacts/" "${dirs[@]}" >"$log" 2>&1 || status=$?
  ran=$((SECONDS - started))
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  printf '%-11s %9s %10s %6s\n' "$h" "${execs:--}" "${rate:--}" "${cov:--}"
  printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$(date -u +%FT%TZ)" "$h" "$ran" "${execs:-0}" \
    "${rate:-0}" "${cov:-0}" >>"$run/history.tsv"
  if [ "$status" -ne 0 ]; then
    failed+=("$h")
    echo "fuzz: $h failed (exit $status); its log: $log" >&2
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error)|Test unit written to' "$log" | head -5 >&2
  fi
done
if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz: failed: ${failed[*]}" >&2
  exit 1
fi
