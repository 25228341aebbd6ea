#!/usr/bin/env bash
# Runs the release build's benchmarks (bench/bench_pladdo, and
# bench/bench_pladdo_qt where the Qt window is built) and prints their table,
# then a summary of the measured values against Pladdo's speed and memory
# targets. Extra arguments go to the benchmark programs, for instance
# --benchmark_filter=Reply. `make bench` builds the release preset first.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${PLADDO_BENCH_BUILD:-build/release}
bench=$build/bench_pladdo
benchqt=$build/bench_pladdo_qt
if [ ! -x "$bench" ]; then
  cmake --preset release > /dev/null
  cmake --build --preset release -j "$(nproc)" --target bench_pladdo pladdo
  if grep -q 'bench_pladdo_qt' "$build/build.ninja" 2> /dev/null; then
    cmake --build --preset release -j "$(nproc)" --target bench_pladdo_qt
  fi
fi
cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
echo "Machine: $(nproc) cores, ${cpu:-unknown CPU}; load before the run: $(cut -d' ' -f1-3 /proc/loadavg)"
# One run per kind of benchmark, because a CSV file needs the same counters
# in every row: the engine in this process (latency percentiles), the
# terminal front end as a child process (start-up time and peak memory), the
# whole program answering piped lines (time per reply), and the long
# conversations through the terminal front end and the Qt window (the cost
# of an exchange near the start and near the end).
run() {
  local program=$1 filter=$2 csv=$3
  shift 3
  "$program" --benchmark_counters_tabular=true --benchmark_filter="$filter" \
    --benchmark_out="$build/$csv" --benchmark_out_format=csv "$@"
}
run "$bench" '^BM_([^TLW]|LowerBound)' bench-engine.csv "$@"
run "$bench" '^BM_Terminal' bench-terminal.csv "$@"
run "$bench" '^BM_Whole' bench-whole.csv "$@"
run "$bench" '^BM_Long' bench-long.csv "$@"
csvs=("$build/bench-engine.csv" "$build/bench-terminal.csv"
  "$build/bench-whole.csv" "$build/bench-long.csv")
rm -f "$build/bench-qt.csv"
if [ -x "$benchqt" ]; then
  QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} \
    run "$benchqt" '^BM_Long' bench-qt.csv "$@"
  csvs+=("$build/bench-qt.csv")
fi
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
    perReply[name] = (col["per_reply_us"] && $col["per_reply_us"] != "") ? $col["per_reply_us"] : ""
    startUs[name] = (col["start_us"] && $col["start_us"] != "") ? $col["start_us"] : ""
    endUs[name] = (col["end_us"] && $col["end_us"] != "") ? $col["end_us"] : ""
  }
  function check(label, value, limit, unit,    shown) {
    shown = (unit == "x") ? "%14.2f" : "%14.1f"
    if (value == "") { printf "%-50s %14s %12s  %s\n", label, "not run", limit " " unit, "-"; return }
    if (limit == "") { printf "%-50s " shown " %12s  %s\n", label, value, "-", "(measured only)"; return }
    verdict = (value + 0 <= limit + 0) ? "met" : "MISSED"
    printf "%-50s " shown " %12s  %s\n", label, value, limit " " unit, verdict
  }
  function ratio(a, b) { return (a == "" || b == "" || b + 0 == 0) ? "" : a / b }
  END {
    print ""
    printf "%-50s %14s %12s  %s\n", "Target", "measured", "limit", "verdict"
    check("reply, N=1000, hit, median (us)", p50["BM_ReplyHit/1000"], 100, "us")
    check("reply, N=1000, miss, median (us)", p50["BM_ReplyMiss/1000"], 100, "us")
    check("reply, N=10000, miss, median (us)", p50["BM_ReplyMiss/10000"], 1000, "us")
    check("reply / lower bound, N=10000, hit (x)", ratio(p50["BM_ReplyHit/10000"], p50["BM_LowerBoundHit/10000"]), 3, "x")
    check("reply / lower bound, N=10000, miss (x)", ratio(p50["BM_ReplyMiss/10000"], p50["BM_LowerBoundMiss/10000"]), 3, "x")
    check("doubling-variable reply, median (us)", p50["BM_DoublingReply"], 50000, "us")
    check("terminal peak memory, 200 exchanges (KiB)", rss["BM_TerminalConversation"], 20480, "KiB")
    check("terminal start-up to the welcome, median (us)", p50["BM_TerminalStartup"], "", "us")
    check("terminal, 20,000 exchanges, end / start (x)", ratio(endUs["BM_LongConversationTerminal"], startUs["BM_LongConversationTerminal"]), 1.5, "x")
    check("  exchange near the start, median (us)", startUs["BM_LongConversationTerminal"], "", "us")
    check("  exchange near the end, median (us)", endUs["BM_LongConversationTerminal"], "", "us")
    check("Qt window, 20,000 exchanges, end / start (x)", ratio(endUs["BM_LongConversationQt"], startUs["BM_LongConversationQt"]), 1.5, "x")
    check("  exchange near the start, median (us)", startUs["BM_LongConversationQt"], "", "us")
    check("  exchange near the end, median (us)", endUs["BM_LongConversationQt"], "", "us")
    check("young / old reply, N=1000, hit (x)", ratio(p50["BM_YoungReplyHit/1000"], p50["BM_ReplyHit/1000"]), 2, "x")
    check("young / old reply, N=1000, miss (x)", ratio(p50["BM_YoungReplyMiss/1000"], p50["BM_ReplyMiss/1000"]), 2, "x")
    check("young / old reply, N=10000, hit (x)", ratio(p50["BM_YoungReplyHit/10000"], p50["BM_ReplyHit/10000"]), 2, "x")
    check("young / old reply, N=10000, miss (x)", ratio(p50["BM_YoungReplyMiss/10000"], p50["BM_ReplyMiss/10000"]), 2, "x")
    check("whole program, N=1000, per reply (us)", perReply["BM_WholeProgram/1000"], 75, "us")
    check("whole program, N=10000, per reply (us)", perReply["BM_WholeProgram/10000"], 1200, "us")
    check("pladdo verify, N=10000, a sample each (us)", p50["BM_TerminalVerify"], 2000000, "us")
    check("reply traced / untraced, N=1000, hit (x)", ratio(p50["BM_ReplyHit/1000"], p50["BM_ReplyHitUntraced/1000"]), "", "x")
    check("reply traced / untraced, N=10000, hit (x)", ratio(p50["BM_ReplyHit/10000"], p50["BM_ReplyHitUntraced/10000"]), "", "x")
    print ""
    printf "%-50s %14s %14s\n", "Measurement", "median (us)", "p99 (us)"
    fflush()
    for (n in p50) if (p50[n] != "") printf "%-50s %14.1f %14.1f\n", n, p50[n], p99[n] | "sort"
  }
' "${csvs[@]}"
