#!/usr/bin/env bash
# Picture-list build of a generated tree (100 000 files in 1 000 folders, half of them jpg/png in
# mixed case) against find on the same tree in the same run, then ordering of 100 000 entries.
#   bash bench/pictures/walk.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build}"
cmake --build "$build" --target bench_pictures_walk bench_pictures_order >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
root="$work/tree"
for a in $(seq -w 0 9); do
    for b in $(seq -w 0 99); do
        d="$root/a$a/b$b"
        mkdir -p "$d"
        (cd "$d" && touch a{00..24}.jpg b{00..24}.PNG c{00..24}.jpeg d{00..24}.txt)
    done
done

walk="$build/bin/bench_pictures_walk"
ours="$("$walk" "$root")"
theirs="$(find "$root" -type f \( -iname '*.jpg' -o -iname '*.png' \) | wc -l)"
echo "files found: velomira $ours, find $theirs"
[ "$ours" = "$theirs" ] || { echo "counts differ" >&2; exit 1; }

hyperfine -N --warmup 3 --runs 20 --export-json "$work/walk.json" \
    "find $root -type f ( -iname *.jpg -o -iname *.png )" "$walk $root"
# Wall-clock medians, and CPU time (user + system), which a busy machine disturbs less.
jq -r '.results as [$f, $v] | ($f.user + $f.system) as $fc | ($v.user + $v.system) as $vc |
    "median find \($f.median * 1000 | floor) ms, velomira \($v.median * 1000 | floor) ms, ratio \($v.median / $f.median * 100 | round / 100) (limit 2, goal 1.2)\n" +
    "cpu find \($fc * 1000 | floor) ms, velomira \($vc * 1000 | floor) ms, ratio \($vc / $fc * 100 | round / 100)"' \
    "$work/walk.json"

echo "peak memory (KiB): find $(/usr/bin/time -f %M find "$root" -type f \( -iname '*.jpg' -o -iname '*.png' \) 2>&1 >/dev/null)," \
    "velomira $(/usr/bin/time -f %M "$walk" "$root" 2>&1 >/dev/null)"

"$build/bin/bench_pictures_order" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
