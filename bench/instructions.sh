#!/usr/bin/env bash
# Instructions per call of functions inside a benchmark run, counted by
# callgrind: on a shared machine a steadier comparison than the benchmark's
# times. Each FUNCTION is a regular expression matched against callgrind's
# function names; the calls of it from every caller are added up.
#   bench/instructions.sh BENCHMARK FILTER FUNCTION...
# e.g. bench/instructions.sh build/bench/veltor_bench '/20$' 'veltor::CalculatePartition\(' '::PlainLoops\('
set -euo pipefail
[ $# -ge 3 ] || { sed -n 2,7p "$0"; exit 2; }
bench=$1
filter=$2
shift 2
out=$(mktemp)
trap 'rm -f "$out" "$out.txt"' EXIT
valgrind --tool=callgrind --callgrind-out-file="$out" "$bench" --benchmark_filter="$filter" \
  --benchmark_min_time=${MIN_TIME:-0.01} >/dev/null 2>&1
callgrind_annotate --inclusive=yes --tree=calling "$out" >"$out.txt" 2>/dev/null
for f in "$@"; do
  # Lines of the calling tree: "  COST (PCT%)  >   FUNCTION (CALLSx) [object]".
  grep -E "^ *[0-9,]+ \([ 0-9.]+%\)  >   .*$f" "$out.txt" | sed 's/^ *\([0-9,]*\).*(\([0-9,]*\)x).*/\1 \2/' |
    tr -d , | awk -v f="$f" '{ c += $1; k += $2 } END { if (k) printf "%-36s %12.0f instructions per call (%d calls)\n", f, c / k, k; else printf "%-36s not called\n", f }'
done
