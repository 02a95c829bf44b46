#!/usr/bin/env bash
# Peak memory of one batch run over an array of twenty-layer walls, the whole
# process as the user starts it (GNU time's maximum resident set size).
#   bench/batch/peak_memory.sh PROGRAM [WALLS]   (WALLS: 10000 unless given)
# e.g. bench/batch/peak_memory.sh build/run/VELTORobl
set -euo pipefail
[ $# -ge 1 ] || { sed -n 2,5p "$0"; exit 2; }
program=$1
walls=${2:-10000}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
python3 - "$walls" >"$scratch/walls.json" <<'PY'
import json, sys
count = int(sys.argv[1])
walls = []
for w in range(count):
    layers = [{"name": "Warstwa %d" % i, "d": round(0.01 + 0.001 * ((w + i) % 50), 3),
               "lambda": round(0.03 + 0.01 * (i % 7), 2), "mu": 1 + i} for i in range(20)]
    walls.append({"conditions": {"ti": 20, "te": -20, "umax": 0.2}, "layers": layers})
sys.stdout.write(json.dumps(walls, separators=(",", ":")))
PY
/usr/bin/time -v "$program" --oblicz "$scratch/walls.json" --wyjscie "$scratch/out.json" 2>"$scratch/time.txt" ||
  { cat "$scratch/time.txt"; exit 1; }
printf 'walls: %s, input: %s bytes, output: %s bytes\n' "$walls" "$(stat -c %s "$scratch/walls.json")" \
  "$(stat -c %s "$scratch/out.json")"
grep -E 'Maximum resident set size|Elapsed \(wall clock\)' "$scratch/time.txt"
