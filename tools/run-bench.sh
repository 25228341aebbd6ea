#!/usr/bin/env bash
# Runs the release build's benchmarks (bench/bench_pladdo) and prints their
# table, then a summary of the measured values against Pladdo's speed and
# memory targets. Extra arguments go to the benchmark program, for instance
# --benchmark_filter=Reply. `make bench` builds the release preset first.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${PLADDO_BENCH_BUILD:-build/release}
bench=$build/bench_pladdo
if [ ! -x "$bench" ]; then
  cmake --preset release > /dev/null
  cmake --build --preset release -j "$(nproc)" --target bench_pladdo pladdo
fi
cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
echo "Machine: $(nproc) cores, ${cpu:-unknown CPU}; load before the run: $(cut -d' ' -f1-3 /proc/loadavg)"
# Two runs, because a CSV file needs the same counters in every row: the
# engine in this process (latency percentiles), then the terminal front end
# as a child process (start-up time and peak memory).
"$bench" --benchmark_counters_tabular=true --benchmark_filter='^BM_[^T]' \
  --benchmark_out="$build/bench-engine.csv" --benchmark_out_format=csv "$@"
"$bench" --benchmark_counters_tabular=true --benchmark_filter='^BM_Terminal' \
  --benchmark_out="$build/bench-terminal.csv" --benchmark_out_format=csv "$@"
echo "Load after the run: $(cut -d' ' -f1-3 /proc/loadavg)"

# The CSV holds one row per benchmark; its counter columns depend on which
# benchmarks ran, so columns are found by their header names.
awk -F, '
  function unquote(s) { gsub(/"/, "", s); return s }
  FNR == 1 { header = 0 }
  /^name,/ {
    delete col
    for (i = 1; i <= NF; i++) col[unquote($i)] = i
    header = 1
    next
  }
  header && NF > 1 {
    name = unquote($1); sub(/\/manual_time$/, "", name); sub(/\/iterations:[0-9]+$/, "", name)
    p50[name] = (col["p50_us"] && $col["p50_us"] != "") ? $col["p50_us"] : ""
    p99[name] = (col["p99_us"] && $col["p99_us"] != "") ? $col["p99_us"] : ""
    rss[name] = (col["maxrss_KiB"] && $col["maxrss_KiB"] != "") ? $col["maxrss_KiB"] : ""
  }
  function check(label, value, limit, unit) {
    if (value == "") { printf "%-46s %14s %12s  %s\n", label, "not run", limit " " unit, "-"; return }
    if (limit == "") { printf "%-46s %14.1f %12s  %s\n", label, value, "-", "(measured only)"; return }
    verdict = (value + 0 <= limit + 0) ? "met" : "MISSED"
    printf "%-46s %14.1f %12s  %s\n", label, value, limit " " unit, verdict
  }
  function ratio(a, b) { return (a == "" || b == "" || b + 0 == 0) ? "" : a / b }
  END {
    print ""
    printf "%-46s %14s %12s  %s\n", "Target", "measured", "limit", "verdict"
    check("reply, N=1000, hit, median (us)", p50["BM_ReplyHit/1000"], 100, "us")
    check("reply, N=1000, miss, median (us)", p50["BM_ReplyMiss/1000"], 100, "us")
    check("reply, N=10000, miss, median (us)", p50["BM_ReplyMiss/10000"], 1000, "us")
    check("reply / lower bound, N=10000, hit (x)", ratio(p50["BM_ReplyHit/10000"], p50["BM_LowerBoundHit/10000"]), 3, "x")
    check("reply / lower bound, N=10000, miss (x)", ratio(p50["BM_ReplyMiss/10000"], p50["BM_LowerBoundMiss/10000"]), 3, "x")
    check("doubling-variable reply, median (us)", p50["BM_DoublingReply"], 50000, "us")
    check("terminal peak memory, 200 exchanges (KiB)", rss["BM_TerminalConversation"], 20480, "KiB")
    check("terminal start-up to the welcome, median (us)", p50["BM_TerminalStartup"], "", "us")
    check("pladdo verify, N=10000, a sample each (us)", p50["BM_TerminalVerify"], 2000000, "us")
    check("reply traced / untraced, N=1000, hit (x)", ratio(p50["BM_ReplyHit/1000"], p50["BM_ReplyHitUntraced/1000"]), "", "x")
    check("reply traced / untraced, N=10000, hit (x)", ratio(p50["BM_ReplyHit/10000"], p50["BM_ReplyHitUntraced/10000"]), "", "x")
    print ""
    printf "%-46s %14s %14s\n", "Measurement", "median (us)", "p99 (us)"
    fflush()
    for (n in p50) if (p50[n] != "") printf "%-46s %14.1f %14.1f\n", n, p50[n], p99[n] | "sort"
  }
' "$build/bench-engine.csv" "$build/bench-terminal.csv"
