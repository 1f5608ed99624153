#!/bin/sh
# Reruns the speed table: every figure against its baseline measured in the
# same run. Needs a Release build without sanitizers:
#   cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release -DQV_SANITIZE=OFF
#   cmake --build build-rel --target bench_speed bench_startup
#   bench/run_all.sh [build-rel] [data folder]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build-rel}" && pwd)
data=${2:-/tmp/qv-speed-data}
mkdir -p "$data"
gen() { [ -f "$data/$2" ] || /usr/bin/python3 "$here/speed/gen_recipes.py" "$1" "$data/$2" ${3:-}; }
gen 20000 r20k.csv "--step 2 --seed 1"
gen 20000 i20k.csv "--step 3 --seed 2"
gen 10000 r10k.csv
gen 100000 r100k.csv
ls -l "$data"

"$build/bench/speed/bench_speed" list "$data/r20k.csv" 5
"$build/bench/speed/bench_speed" import "$data/r20k.csv" "$data/i20k.csv" 5
"$build/bench/speed/bench_speed" update "$data/r10k.csv" 20
"$build/bench/speed/bench_speed" analyse 8 5

# Peak memory: a second start over 100,000 recipes (the first one writes the
# settings file), five times.
home=$(mktemp -d)
cp "$data/r100k.csv" "$home/QVRECIPE.csv"
QVRECIPE_HOME=$home "$build/bench/speed/bench_startup" >/dev/null
for i in 1 2 3 4 5; do
    QVRECIPE_HOME=$home "$build/bench/speed/bench_startup"
done
rm -rf "$home"
