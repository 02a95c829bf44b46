#!/usr/bin/env bash
# A save killed half-way leaves nothing beside the file it was writing: batch
# results for a few thousand walls are written and the process is killed
# once it has begun to write them.
#   killed_save.sh PROGRAM
set -euo pipefail
program=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
python3 - >"$dir/walls.json" <<'PY'
import json, sys
layers = [{"name": "W%d" % i, "d": 0.01 + 0.001 * i, "lambda": 0.04 + 0.01 * i, "mu": 1 + i} for i in range(20)]
# One write: json.dump writes piece by piece, slower than the whole test.
sys.stdout.write(json.dumps([{"layers": layers}] * 5000, separators=(",", ":")))
PY
printf 'stare' >"$dir/wyniki.json"
"$program" --oblicz "$dir/walls.json" --wyjscie "$dir/wyniki.json" 2>/dev/null &
pid=$!
# The walls are read and checked first; the kill comes once the results have
# begun to reach the file being written (a descriptor of the process into the
# folder, other than the input, holding some bytes).
writing() {
  local fd target
  for fd in /proc/"$pid"/fd/*; do
    target=$(readlink "$fd" 2>/dev/null) || continue
    case $target in
      "$dir/walls.json") ;;
      "$dir"/*) [ "$(stat -L -c %s "$fd" 2>/dev/null || echo 0)" -gt 0 ] && return 0 ;;
    esac
  done
  return 1
}
for _ in $(seq 3000); do
  writing && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.01
done
kill -9 "$pid" 2>/dev/null || { echo "finished before the kill: nothing shown"; exit 0; }
wait "$pid" 2>/dev/null || true
left=$(cd "$dir" && ls -A | grep -v -x -e walls.json -e wyniki.json || true)
[ "$(cat "$dir/wyniki.json")" = stare ] || { echo "the old file was changed"; exit 1; }
[ -z "$left" ] || { echo "left beside the file: $left"; exit 1; }
