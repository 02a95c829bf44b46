#!/usr/bin/env bash
# Every figure of the README's performance table, measured again and printed
# as that table (Markdown), headed by the date, the build type, the number of
# cores and the load average, so that the README can carry the output as it
# is whenever a figure moves.
#
# Times are CPU times (the benchmarks' own accounting, the kernel's for whole
# processes), the median of REPETITIONS runs; a ratio is taken between two
# medians measured in the same run of this script. Instruction counts
# (callgrind, when valgrind is installed) do not depend on the machine's load.
#   bench/figures.sh [BUILD_DIR] [REPETITIONS]     (defaults: build, 5)
# SKIP_TESTS=1 leaves out the test suite's time; SKIP_VALGRIND=1 the counts.
set -euo pipefail
build=${1:-build}
reps=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
bench=$build/bench
program=$build/run/VELTORobl
for f in "$bench/veltor_bench" "$bench/veltor_bench_layers" "$program"; do
  [ -x "$f" ] || { echo "not built: $f (configure with -DVELTOR_BUILD_BENCH=ON)" >&2; exit 1; }
done
command -v jq >/dev/null || { echo "jq is needed to read the benchmarks' output" >&2; exit 1; }
valgrind=1
[ -z "${SKIP_VALGRIND:-}" ] && command -v valgrind >/dev/null || valgrind=

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export LC_ALL=C QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$scratch
medians=$scratch/medians
: >"$medians"
loadStart=$(cut -d' ' -f1-3 /proc/loadavg)

# The medians of one benchmark binary's runs, as "binary:name cpu-time unit" lines.
run() {
  local binary=$1 filter=$2
  "$bench/$binary" --benchmark_filter="$filter" --benchmark_repetitions="$reps" \
    --benchmark_report_aggregates_only=true --benchmark_min_time="${MIN_TIME:-0.2}" \
    --benchmark_format=json 2>/dev/null |
    jq -r --arg b "$binary" '.benchmarks[] | select(.aggregate_name == "median") | "\($b):\(.run_name) \(.cpu_time) \(.time_unit)"' \
      >>"$medians"
}
# A median in milliseconds.
ms() {
  awk -v n="$1" '$1 == n { f = $3 == "us" ? 0.001 : $3 == "ns" ? 0.000001 : $3 == "s" ? 1000 : 1;
                            printf "%.3g", $2 * f; found = 1 } END { if (!found) printf "?" }' "$medians"
}
us() {
  awk -v n="$1" '$1 == n { f = $3 == "ms" ? 1000 : $3 == "ns" ? 0.001 : $3 == "s" ? 1e6 : 1;
                            printf "%.3g", $2 * f; found = 1 } END { if (!found) printf "?" }' "$medians"
}
# Half a median in milliseconds: the keystroke benchmarks type two keys per run.
half() {
  awk -v n="$1" '$1 == n { f = $3 == "us" ? 0.001 : $3 == "ns" ? 0.000001 : $3 == "s" ? 1000 : 1;
                            printf "%.3g", $2 * f / 2; found = 1 } END { if (!found) printf "?" }' "$medians"
}
ratio() {
  awk -v a="$1" -v b="$2" '$1 == a { x = $2 } $1 == b { y = $2 } END { if (x && y) printf "%.2f", x / y; else printf "?" }' \
    "$medians"
}

run veltor_bench '.'
run veltor_bench_report 'DrawReport|ShowReport|DesignReportPdf/20$'
run veltor_bench_system 'AllFour'
run veltor_bench_forms '.'
run veltor_bench_project '.'
run veltor_bench_layers '.'
run veltor_bench_batch '.'
run veltor_bench_building '.'

# Batch mode as a user starts it: 1,000 twenty-layer walls in, one array out.
python3 - 1000 >"$scratch/walls.json" <<'PY'
import json, sys
walls = []
for w in range(int(sys.argv[1])):
    layers = [{"name": "Warstwa %d" % i, "d": round(0.01 + 0.001 * ((w + i) % 50), 3),
               "lambda": round(0.03 + 0.01 * (i % 7), 2), "mu": 1 + i} for i in range(20)]
    walls.append({"conditions": {"ti": 20, "te": -20, "umax": 0.2}, "layers": layers})
sys.stdout.write(json.dumps(walls, separators=(",", ":")))
PY
batch=$(python3 - "$program" "$scratch" "$reps" <<'PY'
import os, statistics, subprocess, sys
program, scratch, reps = sys.argv[1], sys.argv[2], int(sys.argv[3])
cpu, peak = [], []
for _ in range(reps):
    p = subprocess.Popen([program, "--oblicz", scratch + "/walls.json", "--wyjscie", scratch + "/out.json"],
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(p.pid, 0)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("batch mode failed")
    cpu.append(usage.ru_utime + usage.ru_stime)
    peak.append(usage.ru_maxrss / 1024)
print(f"{statistics.median(cpu) * 1000:.0f} {statistics.median(peak):.0f}")
PY
)
read -r batchMs batchPeak <<<"$batch"

startup=$("$here/startup/compare.sh" "$build" "$((reps * 2 + 1))" 2>/dev/null)
startupCpu=$(awk '/^CPU time/ { print $NF }' <<<"$startup")
startupMemory=$(awk '/^peak memory/ { print $NF }' <<<"$startup")
startupInstructions=$(awk '/^instructions/ { printf "%s (%s M against %s M)", $NF, $(NF-2), $(NF-1) }' <<<"$startup")

instructions="not counted"
if [ -n "$valgrind" ]; then
  counts=$("$here/instructions.sh" "$bench/veltor_bench" '/20$' 'veltor::CalculatePartition\(' '::PlainLoops\(')
  instructions=$(awk '{ n[NR] = $2 } END { if (n[1] && n[2]) printf "%.2f (%d against %d)", n[1] / n[2], n[1], n[2]; else printf "?" }' \
    <<<"$counts")
fi

suite="not run"
if [ -z "${SKIP_TESTS:-}" ]; then
  start=$(date +%s.%N)
  if (cd "$build" && ctest -j2 >/dev/null 2>&1); then
    suite=$(awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { printf "%.1f s", e - s }')
  else
    suite="FAILED"
  fi
fi

buildType=$(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$build/CMakeCache.txt")
cat <<EOF
Measured by \`bench/figures.sh\` on $(date -u '+%Y-%m-%d %H:%M UTC'): ${buildType:-unknown} build, $(nproc) cores,
load average $loadStart at the start and $(cut -d' ' -f1-3 /proc/loadavg) at the end; medians of $reps runs.

| What | Figure | Measured by |
|---|---|---|
| Calculation pass, 4 / 20 / 100 / 10,000 layers | $(us veltor_bench:BM_CalculatePartition/4) / $(us veltor_bench:BM_CalculatePartition/20) / $(us veltor_bench:BM_CalculatePartition/100) / $(us veltor_bench:BM_CalculatePartition/10000) µs | \`veltor_bench\` |
| The pass against two plain loops of the same arithmetic, 4 / 20 / 100 / 10,000 layers | $(ratio veltor_bench:BM_CalculatePartition/4 veltor_bench:BM_PlainLoops/4) / $(ratio veltor_bench:BM_CalculatePartition/20 veltor_bench:BM_PlainLoops/20) / $(ratio veltor_bench:BM_CalculatePartition/100 veltor_bench:BM_PlainLoops/100) / $(ratio veltor_bench:BM_CalculatePartition/10000 veltor_bench:BM_PlainLoops/10000) times the time | \`veltor_bench\` |
| The same at 20 layers in instructions | $instructions times | \`bench/instructions.sh\` |
| Second layer bridged, air gaps and fasteners, 4 / 20 / 100 layers | $(ratio veltor_bench:BM_CalculatePartitionBridged/4 veltor_bench:BM_CalculatePartition/4) / $(ratio veltor_bench:BM_CalculatePartitionBridged/20 veltor_bench:BM_CalculatePartition/20) / $(ratio veltor_bench:BM_CalculatePartitionBridged/100 veltor_bench:BM_CalculatePartition/100) times the homogeneous pass | \`veltor_bench\` |
| Moisture over a year, dynamics (20 layers) | $(us veltor_bench:BM_AssessMoistureYear/20) µs, $(us veltor_bench:BM_DynamicCharacteristics/20) µs | \`veltor_bench\` |
| Report page, 20 layers: drawing / whole showing | $(ms veltor_bench_report:BM_DrawReport/20) ms / $(ms veltor_bench_report:BM_ShowReport/20) ms | \`veltor_bench_report\` |
| Designer's report as PDF, 20 layers | $(ms veltor_bench_report:BM_DesignReportPdf/20) ms | \`veltor_bench_report\` |
| The four System files read | $(ms veltor_bench_system:BM_AllFour) ms | \`veltor_bench_system\` |
| Chart of 20 layers, temperature / vapour pressure | $(ms veltor_bench_forms:BM_DrawChart/1) ms / $(ms veltor_bench_forms:BM_DrawChart/2) ms | \`veltor_bench_forms\` |
| Save of 1,000 layers against writing, syncing and renaming the bytes | $(ms veltor_bench_project:BM_SaveProject/1000) ms, $(ratio veltor_bench_project:BM_SaveProject/1000 veltor_bench_project:BM_PlainWriteRename/1000) times | \`veltor_bench_project\` |
| Open of 1,000 layers against reading the bytes | $(ms veltor_bench_project:BM_OpenProject/1000) ms, $(ratio veltor_bench_project:BM_OpenProject/1000 veltor_bench_project:BM_PlainRead/1000) times | \`veltor_bench_project\` |
| Open through the main window to the painted list, 10 / 100 / 1,000 / 10,000 layers | $(ms veltor_bench_layers:BM_OpenProject/10) / $(ms veltor_bench_layers:BM_OpenProject/100) / $(ms veltor_bench_layers:BM_OpenProject/1000) / $(ms veltor_bench_layers:BM_OpenProject/10000) ms | \`veltor_bench_layers\` |
| Keystroke in the thickness box, repaint included, 20 / 200 layers | $(half veltor_bench_layers:BM_EditGWKeystroke/20) / $(half veltor_bench_layers:BM_EditGWKeystroke/200) ms | \`veltor_bench_layers\` |
| The same with both charts, the report, moisture and dynamics open, 20 / 200 layers | $(half veltor_bench_layers:BM_KeystrokeWithResultWindows/20) / $(half veltor_bench_layers:BM_KeystrokeWithResultWindows/200) ms | \`veltor_bench_layers\` |
| Another partition (of 50, 20 layers each) made current, every window open | $(ms veltor_bench_building:BM_SwitchPartition/50) ms | \`veltor_bench_building\` |
| Save and Open of a building of 5 / 50 / 500 partitions | $(ms veltor_bench_building:BM_SaveAndOpenBuilding/5) / $(ms veltor_bench_building:BM_SaveAndOpenBuilding/50) / $(ms veltor_bench_building:BM_SaveAndOpenBuilding/500) ms | \`veltor_bench_building\` |
| Batch mode in process, 1,000 twenty-layer walls | $(ms veltor_bench_batch:BM_BatchWalls/1000) ms | \`veltor_bench_batch\` |
| Batch mode, whole process, 1,000 twenty-layer walls | $batchMs ms ($batchMs µs per wall), peak memory $batchPeak MB | \`--oblicz\` |
| Start-up to the drawn main window against a plain Qt main window: CPU / peak memory / instructions | $startupCpu / $startupMemory / $startupInstructions times | \`bench/startup/compare.sh\` |
| The test suite, \`ctest -j2\` | $suite | \`ctest\` |
EOF
