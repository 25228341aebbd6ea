#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for the given number of seconds,
# starting from its seed corpus. Exits non-zero on the first finding.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
if [ ! -f fuzz/CMakeLists.txt ]; then
  echo "run-fuzz: no fuzz targets yet" >&2
  exit 0
fi
cmake --preset fuzz > /dev/null
cmake --build --preset fuzz -j "$(nproc)"
status=0
for target in build/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus=build/fuzz/corpus/$name
  mkdir -p "$corpus"
  seeds=fuzz/corpus/${name#fuzz_}
  args=("$corpus")
  [ -d "$seeds" ] && args+=("$seeds")
  echo "== $name for ${seconds}s" >&2
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "${args[@]}" 2> "build/fuzz/$name.log"; then
    tail -n 60 "build/fuzz/$name.log" >&2
    status=1
  else
    grep -E '^stat::number_of_executed_units' "build/fuzz/$name.log" >&2 || true
  fi
done
exit $status
