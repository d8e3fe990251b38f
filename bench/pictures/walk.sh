#!/usr/bin/env bash
# The picture walk of a generated tree (100 000 files in 1 000 folders, half of them jpg/png in mixed
# case, each a hard link of one small picture) in name order, as "velomira --next" does it with the
# program's start included, against find with the same patterns in the same run; the start alone
# (an empty picture folder); the in-process list build; then ordering of 100 000 entries.
#   bash bench/pictures/walk.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
build="$(realpath "${1:-build}")"
cmake --build "$build" --target velomira bench_pictures_walk bench_pictures_order >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
root="$work/tree"
/usr/bin/convert -size 16x16 xc:steelblue "$work/pic.jpg"
/usr/bin/convert -size 16x16 xc:olive "$work/pic.png"
python3 - "$root" "$work" <<'PY'
import os, sys
root, work = sys.argv[1:]
for a in range(10):
    for b in range(100):
        d = f"{root}/a{a}/b{b:02}"
        os.makedirs(d)
        for i in range(25):
            os.link(f"{work}/pic.jpg", f"{d}/a{i:02}.jpg")
            os.link(f"{work}/pic.png", f"{d}/b{i:02}.PNG")
            open(f"{d}/c{i:02}.jpeg", "w").close()
            open(f"{d}/d{i:02}.txt", "w").close()
PY
mkdir "$work/empty"

# A private settings file per picture folder: recursive, jpg and png, name order.
settings() {
    mkdir -p "$work/$1/Korbinheim" "$work/out"
    printf '[misc]\nbmpverzeichnis=%s\nrecursive=1\njpg=1\npng=1\nbmp=0\ntif=0\npcx=0\ngif=0\nreihenfolge=1\n[path]\n1=%s/\n' \
        "$work/out" "$2" >"$work/$1/Korbinheim/Velomira.ini"
}
settings config-tree "$root"
settings config-empty "$work/empty"
next() { echo "env HOME=$work XDG_RUNTIME_DIR=$work XDG_CONFIG_HOME=$work/config-$1 $build/bin/velomira --next --size 64x48"; }
unset DISPLAY WAYLAND_DISPLAY
$(next tree) >/dev/null 2>&1 || { echo "velomira --next failed:" >&2; $(next tree) >&2; exit 1; }

walk="$build/bin/bench_pictures_walk"
ours="$("$walk" "$root")"
theirs="$(find "$root" -type f \( -iname '*.jpg' -o -iname '*.png' \) | wc -l)"
echo "files found: velomira $ours, find $theirs"
[ "$ours" = "$theirs" ] || { echo "counts differ" >&2; exit 1; }

hyperfine -N --warmup 3 --runs 30 --export-json "$work/walk.json" \
    "find $root -type f ( -iname *.jpg -o -iname *.png )" "$(next tree)" "$(next empty)" "$walk $root" \
    >/dev/null
# Wall-clock medians and CPU time (user + system), which a busy machine disturbs less.
jq -r '.results as [$f, $v, $s, $w] |
    def ms: . * 1000 | round; def cpu: .user + .system; def ratio(a; b): a / b * 100 | round / 100;
    "median find \($f.median | ms) ms, velomira --next \($v.median | ms) ms, ratio \(ratio($v.median; $f.median)) (limit 1.5, goal 1.0)\n" +
    "cpu    find \($f | cpu | ms) ms, velomira --next \($v | cpu | ms) ms, ratio \(ratio($v | cpu; $f | cpu))\n" +
    "start alone (empty folder): median \($s.median | ms) ms, cpu \($s | cpu | ms) ms\n" +
    "list build in process (bench_pictures_walk): median \($w.median | ms) ms, cpu \($w | cpu | ms) ms"' \
    "$work/walk.json"

echo "peak memory (KiB): find $(/usr/bin/time -f %M find "$root" -type f \( -iname '*.jpg' -o -iname '*.png' \) 2>&1 >/dev/null)," \
    "velomira --next $(/usr/bin/time -f %M $(next tree) 2>&1 >/dev/null | tail -1)"

"$build/bin/bench_pictures_order" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
