#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang and runs each for a while.
#   tools/fuzz.sh [SECONDS] [HARNESS...]
# SECONDS per harness (default 30); without harness names all of them run,
# one after the other. Each starts from its seed corpus in tests/fuzz/<name>/
# plus what earlier runs found (build-fuzz/corpus/<name>/); a crash, a failed
# property or an input that takes too long stops the script with the input
# saved as build-fuzz/findings/<name>/crash-... (or timeout-..., oom-...).
set -euo pipefail
seconds=${1:-30}
shift || true
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

all=(fuzz_cp932 fuzz_recordcodec fuzz_settingsfile fuzz_vocabularyfile fuzz_textparser fuzz_textlayout)
harnesses=("$@")
[ ${#harnesses[@]} -gt 0 ] || harnesses=("${all[@]}")

for tool in clang++-14 cmake ninja; do
    command -v "$tool" >/dev/null || { echo "fuzz.sh needs $tool" >&2; exit 1; }
done

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_FUZZ=ON \
      -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF -DCMAKE_CXX_COMPILER=clang++-14 "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target "${harnesses[@]}"

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
for name in "${harnesses[@]}"; do
    corpus=build-fuzz/corpus/$name
    findings=build-fuzz/findings/$name
    mkdir -p "$corpus" "$findings"
    echo "== $name: $seconds s"
    log=build-fuzz/findings/$name.log
    # rss_limit: a reader must refuse what would take gigabytes, not try.
    if ! build-fuzz/tests/fuzz/"$name" "$corpus" "tests/fuzz/$name" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
        -artifact_prefix="$findings/" -print_final_stats=1 >"$log" 2>&1; then
        grep -E -A12 'ERROR|property failed|Test unit written' "$log" | head -60 >&2
        echo "$name found a fault; the input is in $findings/, the log in $log" >&2
        exit 1
    fi
    grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$log" || true
done
