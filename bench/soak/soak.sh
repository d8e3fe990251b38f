#!/usr/bin/env bash
# Soak test (not part of the test suite): COUNT compositions in one process (default 5000) at the
# screen size WxH (default 1920x1080), over a folder of pictures in every format and many sizes with
# some broken files among them. Reports the resident memory after the first composition, after the
# 500th (warmed up) and at the end; fails when it grew from the 500th on by more than 10 % + 16 MB.
#   bench/soak/soak.sh [COUNT] [WxH]
set -euo pipefail
cd "$(dirname "$0")/../.."
count=${1:-5000}
size=${2:-1920x1080}
build=${BUILD_DIR:-build}
bash scripts/build.sh --target soak_compose >/dev/null
convert=/usr/bin/convert

# The wallpaper and settings go to a memory file system: each composition syncs them to disk, and
# waiting for the disk would only stretch the run.
work=$(mktemp -d)
storage=$(mktemp -d -p /dev/shm)
trap 'rm -rf "$work" "$storage"' EXIT
mkdir -p "$work/pictures"
i=0
for dims in 320x240 1024x768 1920x1080 2600x1700 900x1600 4000x500; do
    for format in jpg png bmp gif tif pcx; do
        i=$((i + 1))
        "$convert" -size "$dims" "radial-gradient:rgb($((i * 37 % 256)),90,160)-rgb(20,$((i * 59 % 256)),40)" \
            "$work/pictures/p$i.$format"
    done
done
# Broken files: cut short, random bytes under a picture's name, empty.
for whole in p13.jpg p14.png p17.tif; do
    head -c $(($(stat -c %s "$work/pictures/$whole") / 2)) "$work/pictures/$whole" >"$work/pictures/cut-$whole"
done
head -c 5000 /dev/urandom >"$work/pictures/noise.tif"
: >"$work/pictures/empty.bmp"

XDG_CURRENT_DESKTOP= DISPLAY= WAYLAND_DISPLAY= "$build/bin/soak_compose" "$work/pictures" "$storage" \
    "$count" "$size" 2>"$work/stderr" | tee "$work/report"
tail -1 "$work/report" | awk '{
    for (i = 1; i <= NF; ++i) { if ($i == "after" && $(i + 1) != "the") warm = $(i + 2); if ($i == "end") end = $(i + 1) }
    if (end > warm * 1.1 + 16384) { print "memory grew beyond noise"; exit 1 }
}'
