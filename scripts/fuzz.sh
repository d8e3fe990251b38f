#!/usr/bin/env bash
# Builds the libFuzzer targets into build-fuzz/ (clang, -DVELOMIRA_FUZZ=ON) and runs each for a
# while, starting from its seed corpus in fuzz/corpus/<name>/ (the target's name without "fuzz_").
#   scripts/fuzz.sh [SECONDS_PER_TARGET]    default 15
# New inputs go to build-fuzz/corpus/<name>/, so a later run goes on from there; crashing inputs go to
# build-fuzz/artifacts/. Ends with a line per target and fails when any target found something.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-15}
build=build-fuzz

[ -f "$build/build.ninja" ] || CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja \
    -DVELOMIRA_FUZZ=ON -DVELOMIRA_TESTS=OFF -DVELOMIRA_BENCH=OFF >/dev/null
targets=$(ninja -C "$build" -t targets all | sed -n 's|^bin/\(fuzz_[a-z_]*\): CXX_EXECUTABLE_LINKER.*|\1|p' | sort -u)
ninja -C "$build" $targets | tail -n 5

mkdir -p "$build/artifacts"
summary=() failed=0
for target in $targets; do
    name=${target#fuzz_}
    mkdir -p "$build/corpus/$name"
    seeds=()
    [ -d "fuzz/corpus/$name" ] && seeds=("fuzz/corpus/$name")
    log="$build/$target.log"
    if "$build/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=3072 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$name-" "$build/corpus/$name" "${seeds[@]}" >"$log" 2>&1; then
        result=ok
    else
        result="FAILED (see $log)"
        failed=1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    summary+=("$(printf '%-22s %6ss %12s runs  %s' "$target" "$seconds" "${runs:-?}" "$result")")
done
printf '%s\n' "${summary[@]}"
exit $failed
