#!/usr/bin/env bash
# Decode + resize of a 6000x4000 JPEG, whole processes side by side in one run: Velomira's image
# library, ImageMagick and vips. Prints median times, ratios and peak memory.
#   bench/imagelib/decode_resize.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
cmake --build "$build" --target imagelib_resize >/dev/null
tool=$build/bin/imagelib_resize
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$tool" --make-photo "$work/in.jpg" 6000 4000

# name|command, per job
jobs_large=(
    "velomira|$tool $work/in.jpg $work/v.bmp 3840 2560"
    "imagemagick|/usr/bin/convert $work/in.jpg -resize 3840x2560 BMP3:$work/m.bmp"
    "vips|vips thumbnail $work/in.jpg $work/t.ppm 3840"
)
jobs_mean=(
    "velomira|$tool $work/in.jpg $work/v1.bmp 1 1 14"
    "imagemagick|/usr/bin/convert $work/in.jpg -scale 1x1! BMP3:$work/m1.bmp"
    "vips|vips shrink $work/in.jpg $work/t1.ppm 6000 4000"
)

run() {
    local title=$1
    shift
    local args=() names=()
    for job in "$@"; do
        names+=("${job%%|*}")
        args+=(-n "${job%%|*}" "${job#*|}")
    done
    echo "== $title"
    hyperfine -N --warmup 1 --runs 10 --export-json "$work/r.json" "${args[@]}" >/dev/null
    local ours
    ours=$(jq '.results[0].median' "$work/r.json")
    jq -r --argjson ours "$ours" \
        '.results[] | "\(.command): median \(.median * 1000 | floor) ms, \(.median / $ours * 100 | floor / 100)x the time of velomira"' \
        "$work/r.json"
    for job in "$@"; do
        /usr/bin/time -f %M -o "$work/kb" ${job#*|} >/dev/null 2>&1
        echo "${job%%|*}: peak memory $(($(cat "$work/kb") / 1024)) MB"
    done
}

run "6000x4000 JPEG to 3840x2560 BMP" "${jobs_large[@]}"
run "6000x4000 JPEG to its 1x1 mean colour" "${jobs_mean[@]}"
