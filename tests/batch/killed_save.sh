#!/usr/bin/env bash
# A save killed half-way leaves nothing beside the file it was writing: batch
# results for a few thousand walls are written and the process is killed
# while it writes them.
#   killed_save.sh PROGRAM
set -euo pipefail
program=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
python3 - >"$dir/walls.json" <<'PY'
import json, sys
layers = [{"name": "W%d" % i, "d": 0.01 + 0.001 * i, "lambda": 0.04 + 0.01 * i, "mu": 1 + i} for i in range(20)]
json.dump([{"layers": layers}] * 20000, sys.stdout, separators=(",", ":"))
PY
printf 'stare' >"$dir/wyniki.json"
"$program" --oblicz "$dir/walls.json" --wyjscie "$dir/wyniki.json" 2>/dev/null &
pid=$!
# Until the results are being written (the walls are read and checked first).
sleep "${KILL_AFTER:-3}"
kill -9 "$pid" 2>/dev/null || { echo "finished before the kill: nothing shown"; exit 0; }
wait "$pid" 2>/dev/null || true
left=$(cd "$dir" && ls -A | grep -v -x -e walls.json -e wyniki.json || true)
[ "$(cat "$dir/wyniki.json")" = stare ] || { echo "the old file was changed"; exit 1; }
[ -z "$left" ] || { echo "left beside the file: $left"; exit 1; }
