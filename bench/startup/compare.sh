#!/usr/bin/env bash
# Start-up of VELTORobl without its splash against a plain Qt main window
# (bench/startup/reference_main.cpp), both started offscreen and ended once
# their main window has been drawn. The runs alternate, so both see the same
# load on a shared machine; CPU time (user + system, from the kernel's
# accounting of each child, not the wall clock) and the peak resident memory
# (VmHWM, getrusage's ru_maxrss) are the medians of N runs each. With valgrind
# installed, one run of each under callgrind adds the counts of instructions,
# the steadiest figure of the three.
#   bench/startup/compare.sh [BUILD_DIR] [N]     (defaults: build, 21)
set -euo pipefail
build=${1:-build}
runs=${2:-21}
for f in "$build/run/VELTORobl" "$build/bench/veltor_startup_reference"; do
  [ -x "$f" ] || { echo "not built: $f" >&2; exit 1; }
done
# Qt's runtime folder, so that its warning stays out of the figures.
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=offscreen VELTOR_NO_SPLASH=1 VELTOR_STARTUP_CHECK=1

python3 - "$build/run/VELTORobl" "$build/bench/veltor_startup_reference" "$runs" <<'EOF'
import os, re, shutil, statistics, subprocess, sys

program, reference, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])

def measure(exe):
    proc = subprocess.Popen([exe], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{exe} failed")
    return usage.ru_utime + usage.ru_stime, usage.ru_maxrss

results = {program: [], reference: []}
for _ in range(runs):
    for exe in (program, reference):
        results[exe].append(measure(exe))

def median(exe, field):
    return statistics.median(r[field] for r in results[exe])

print(f"median of {runs} runs each; load average {' '.join(open('/proc/loadavg').read().split()[:3])}")
print(f"{'':24}{'VELTORobl':>12}{'reference':>12}{'ratio':>8}")
pc, rc = median(program, 0) * 1000, median(reference, 0) * 1000
print(f"{'CPU time [ms]':24}{pc:12.1f}{rc:12.1f}{pc / rc:8.2f}")
pm, rm = median(program, 1) / 1024, median(reference, 1) / 1024
print(f"{'peak memory [MB]':24}{pm:12.1f}{rm:12.1f}{pm / rm:8.2f}")

if shutil.which("valgrind"):
    def instructions(exe):
        out = subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null", exe],
                             capture_output=True, text=True).stderr
        return int(re.search(r"Collected : (\d+)", out).group(1)) / 1e6
    pi, ri = instructions(program), instructions(reference)
    print(f"{'instructions [M]':24}{pi:12.1f}{ri:12.1f}{pi / ri:8.2f}")
EOF
