#!/usr/bin/env bash
# Runs every benchmark executable of a benchmark build and prints medians of repeated runs.
set -euo pipefail
build=${1:-build-bench}
shopt -s nullglob
for b in "$build"/bench/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  QT_QPA_PLATFORM=offscreen "$b" --benchmark_repetitions=9 --benchmark_report_aggregates_only=true \
    --benchmark_display_aggregates_only=true 2>&1 | grep -E 'median|Benchmark|^-' || true
done
