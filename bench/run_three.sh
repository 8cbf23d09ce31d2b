#!/usr/bin/env bash
# Runs a window benchmark (bench_single or bench_model) three times and prints, per press, the
# time, floor and ratio of each run and the spread (lowest to highest) of the ratio.
#   bench/run_three.sh build/bench/model/bench_model [benchmark flags...]
set -euo pipefail
bench=$1
shift
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for run in 1 2 3; do
  "$bench" --benchmark_color=false "$@" >"$out/$run" 2>"$out/$run.err"
done
# The reporter's last table: "press time floor ratio", one line per press.
awk '
  FNR == 1 { table = 0 }
  /^press / { table = 1; next }
  table && NF >= 4 && $2 != "-" {
    press[$1] = 1
    line[$1] = line[$1] sprintf("  %8.2f %8.2f %6.2f |", $2, $3, $4)
    if (!($1 in lo) || $4 < lo[$1]) lo[$1] = $4
    if (!($1 in hi) || $4 > hi[$1]) hi[$1] = $4
  }
  END {
    printf "%-24s |%s|%s|%s spread of ratio\n", "press", "  run 1: ms   floor  ratio ", \
           "  run 2: ms   floor  ratio ", "  run 3: ms   floor  ratio "
    for (p in press) printf "%-24s |%s %.2f-%.2f\n", p, line[p], lo[p], hi[p] | "sort"
  }' "$out/1" "$out/2" "$out/3"
