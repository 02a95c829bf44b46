#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, ASan and UBSan and runs each for the
# given number of seconds (default 60), starting from the shipped data files
# and the kept regression inputs. Any finding fails the script and is kept
# under fuzz/regressions/<target>/, where the normal tests replay it.
#   scripts/fuzz.sh [SECONDS [TARGET...]]     (all targets when none is named)
set -euo pipefail
seconds=${1:-60}
shift || true
targets=${*:-project catalogue saturation airlayer numbers system climate batchjson commandline ownmaterials}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
command -v clang++ >/dev/null || { echo "fuzz.sh: clang++ is needed"; exit 1; }
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELTOR_FUZZ=ON -DVELTOR_BUILD_TESTS=OFF -DVELTOR_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target veltor_fuzzers -j"$(nproc)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
seed() {  # seed TARGET FILE [PREFIX-BYTE-IN-OCTAL]
  local dir="$work/$1"; mkdir -p "$dir"
  local out; out="$dir/seed_${3:-x}_$(basename "$2" | tr -c 'A-Za-z0-9._\n' '_')"
  if [ -n "${3:-}" ]; then { printf "\\$3"; cat "$2"; } >"$out"; else cp "$2" "$out"; fi
}
for f in "$root"/data/Projekty/*.Veltor; do seed project "$f"; done
seed catalogue "$root/data/Dane/materiały.txt" 001
seed system "$root/data/System/mur.txt" 000
seed system "$root/data/System/docieplenie.txt" 001
seed system "$root/data/System/kleje.txt" 002
for family in 003 004 005; do seed system "$root/data/System/systemy.txt" $family; done
seed catalogue "$root/data/Dane/maksymalne.txt" 000
seed saturation "$root/data/Dane/para.txt"
seed airlayer "$root/data/Dane/opory powietrza.txt"
mkdir -p "$work/climate"
{ printf '; seed\r\n[Stacja]\r\n'; for m in -3.5 -2 1.25 7 12 16 18 17 13 8 3 -1; do printf '%s 85\r\n' "$m"; done; } \
  >"$work/climate/seed_station"
# Damaged copies: cut in the middle of a record, and with CR-only line ends.
mkdir -p "$work/damaged"
damage() {  # damage TARGET FILE [PREFIX-BYTE-IN-OCTAL]
  local name; name=$(basename "$2" | tr -c 'A-Za-z0-9._\n' '_')
  head -c "$(($(wc -c <"$2") / 2))" "$2" >"$work/damaged/cut_$name"
  tr -d '\n' <"$2" >"$work/damaged/cr_$name"
  seed "$1" "$work/damaged/cut_$name" ${3:-}
  seed "$1" "$work/damaged/cr_$name" ${3:-}
}
damage system "$root/data/System/mur.txt" 000
damage system "$root/data/System/docieplenie.txt" 001
damage system "$root/data/System/systemy.txt" 003
damage climate "$work/climate/seed_station"
# The project with every chunk of its extension block (bridges, corrections,
# outer side, address), cut before its footer and with its 0x0A bytes gone.
damage project "$root/fuzz/regressions/project/extension-all-new-chunks.Veltor"
damage project "$root/fuzz/regressions/project/building-two-partitions.Veltor"
for f in "$root"/docs/batch/*.json; do seed batchjson "$f"; done
mkdir -p "$work/commandline"
printf -- '--calc\nwall.json\n--output\n-' >"$work/commandline/seed_output"
printf -- '--page\np.bmp\n--report\nr.odt\nwall.Veltor' >"$work/commandline/seed_documents"
printf -- '--oblicz=w.json\n--wyjscie=-w.json\n--help' >"$work/commandline/seed_equals"
seed ownmaterials "$root/fuzz/regressions/catalogue/own_materials_file" 000
seed ownmaterials "$root/fuzz/regressions/catalogue/own_materials_file" 003
mkdir -p "$work/numbers"
for n in 0 -0,5 1.25e-3 12345,6789 -INF 1e308 0.0001; do printf '%s' "$n" >"$work/numbers/seed_$RANDOM"; done

status=0
for target in $targets; do
  corpus="$work/$target"; mkdir -p "$corpus"
  kept="$root/fuzz/regressions/$target"; mkdir -p "$kept"
  echo "== fuzz_$target for ${seconds}s"
  if ! "$build/fuzz/fuzz_$target" "$corpus" "$kept" -dict="$root/fuzz/veltor.dict" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
      -artifact_prefix="$kept/" -print_final_stats=1 2>"$work/$target.log"; then
    status=1
    echo "fuzz_$target: FINDING, kept in fuzz/regressions/$target/"
    grep -E "ERROR|SUMMARY" "$work/$target.log" | head -5
  fi
  grep -E "stat::number_of_executed_units|cov:" "$work/$target.log" | tail -2
done
exit $status
