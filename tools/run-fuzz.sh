#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz": clang, ASan + UBSan) and runs
# each for the given number of seconds, starting from its seed corpus
# fuzz/corpus/<name without "fuzz_">/ (and the shipped profiles for the
# profile and checker targets). Runs every target, then exits non-zero when
# any of them found a crash, hang, leak or sanitizer report; the input that
# triggered it is kept in build/fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
if [ ! -f fuzz/CMakeLists.txt ]; then
  echo "run-fuzz: no fuzz targets yet" >&2
  exit 0
fi
cmake --preset fuzz > /dev/null
cmake --build --preset fuzz -j "$(nproc)" --target fuzz_profile fuzz_checker \
  fuzz_text fuzz_expand
mkdir -p build/fuzz/artifacts
status=0
for target in build/fuzz/fuzz_*; do
  [ -f "$target" ] && [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus=build/fuzz/corpus/$name
  mkdir -p "$corpus"
  seeds=fuzz/corpus/${name#fuzz_}
  args=("$corpus")
  [ -d "$seeds" ] && args+=("$seeds")
  case $name in
    fuzz_profile | fuzz_checker) args+=(profiles) ;;
  esac
  echo "== $name for ${seconds}s" >&2
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="build/fuzz/artifacts/$name-" \
        -print_final_stats=1 "${args[@]}" 2> "build/fuzz/$name.log"; then
    tail -n 60 "build/fuzz/$name.log" >&2
    status=1
  else
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)' \
      "build/fuzz/$name.log" >&2 || true
  fi
done
exit $status
