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
# PLADDO_FUZZ_BUILD names another build folder configured like the preset.
build=${PLADDO_FUZZ_BUILD:-build/fuzz}
if [ -z "${PLADDO_FUZZ_BUILD:-}" ]; then
  cmake --preset fuzz > /dev/null
fi
cmake --build "$build" -j "$(nproc)" --target fuzz_profile fuzz_checker \
  fuzz_text fuzz_expand fuzz_verify
mkdir -p "$build/artifacts"
status=0
for target in "$build"/fuzz_*; do
  [ -f "$target" ] && [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus=$build/corpus/$name
  mkdir -p "$corpus"
  seeds=fuzz/corpus/${name#fuzz_}
  args=("$corpus")
  [ -d "$seeds" ] && args+=("$seeds")
  case $name in
    fuzz_profile | fuzz_checker | fuzz_verify) args+=(profiles) ;;
  esac
  echo "== $name for ${seconds}s" >&2
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$build/artifacts/$name-" \
        -print_final_stats=1 "${args[@]}" 2> "$build/$name.log"; then
    tail -n 60 "$build/$name.log" >&2
    status=1
  else
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)' \
      "$build/$name.log" >&2 || true
  fi
done
exit $status
