#!/usr/bin/env bash
# One whole wallpaper change of a 6000x4000 JPEG for a 3840x2160 screen: `velomira --next` against
# ImageMagick and vips doing the same job, in one run. Prints median wall times, ratios and peak RSS,
# then how far the wallpaper from the JPEG (decoded scaled down) is from the one from its full decode.
#   bench/compose/compose.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:-build}")
cmake --build "$build" --target velomira imagelib_resize >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/pictures" "$work/home" "$work/fill/Korbinheim" "$work/fit/Korbinheim"
"$build/bin/imagelib_resize" --make-photo "$work/pictures/in.jpg" 6000 4000
in=$work/pictures/in.jpg

# Velomira's settings for each job: the picture folder, the fit mode, the background colour rule.
settings() { printf '[misc]\nbmpverzeichnis=%s\nmagnify=%s\npassende_farbe=%s\n[path]\n1=%s/\n' \
    "$work/home" "$1" "$2" "$work/pictures" >"$work/$3/Korbinheim/Velomira.ini"; }
settings 2 0 fill
settings 1 1 fit
velomira() { echo "env -i HOME=$work/home XDG_CONFIG_HOME=$work/$1 $build/bin/velomira --next --size 3840x2160"; }

fill_jobs=(
    "velomira|$(velomira fill)"
    "imagemagick|/usr/bin/convert $in -resize 3840x2160^ -gravity center -extent 3840x2160 BMP3:$work/m.bmp"
    "vips|vips thumbnail $in $work/t.bmp 3840 --height 2160 --crop centre"
)
fit_jobs=(
    "velomira|$(velomira fit)"
    "imagemagick|/usr/bin/convert $in -resize 3840x2160 -background black -gravity center -extent 3840x2160 BMP3:$work/m.bmp"
)

run() {
    local title=$1
    shift
    local args=()
    for job in "$@"; do args+=(-n "${job%%|*}" "${job#*|}"); done
    echo "== $title"
    hyperfine -N --warmup 1 --runs 10 --export-json "$work/r.json" "${args[@]}" >/dev/null
    python3 - "$work/r.json" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
ours = results[0]["median"]
for r in results:
    print(f'{r["command"]}: median {r["median"] * 1000:.0f} ms, {r["median"] / ours:.2f}x the time of velomira')
PY
    for job in "$@"; do
        /usr/bin/time -f %M -o "$work/kb" ${job#*|} >/dev/null 2>&1
        echo "${job%%|*}: peak RSS $(($(cat "$work/kb") / 1024)) MiB"
    done
}

run "fill: 6000x4000 JPEG to a 3840x2160 wallpaper" "${fill_jobs[@]}"
run "fit with the matching background colour" "${fit_jobs[@]}"

# A JPEG is decoded scaled down to no less than the fit needs; against the wallpaper made from a
# lossless copy of its full decode (a BMP, which is never scaled), the difference must stay invisible.
echo "== the wallpaper from the JPEG against the one from its full decode"
mkdir -p "$work/bmp" "$work/psnr/Korbinheim"
"$build/bin/imagelib_resize" "$in" "$work/bmp/in.bmp" 6000 4000 2>/dev/null
for job in fill fit; do
    $(velomira $job) 2>/dev/null
    mv "$work/home/Velomira.bmp" "$work/from-jpeg.bmp"
    sed -e "s|^1=.*|1=$work/bmp/|" -e 's/^\[misc\]$/[misc]\nbmp=1/' "$work/$job/Korbinheim/Velomira.ini" \
        >"$work/psnr/Korbinheim/Velomira.ini"
    env -i HOME="$work/home" XDG_CONFIG_HOME="$work/psnr" "$build/bin/velomira" --next --size 3840x2160 2>/dev/null
    echo "$job: PSNR $(compare -metric PSNR "$work/home/Velomira.bmp" "$work/from-jpeg.bmp" null: 2>&1) dB"
done
