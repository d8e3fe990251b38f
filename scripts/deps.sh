#!/usr/bin/env bash
# Installs every Debian package Velomira needs. Idempotent: apt runs only when something is missing.
#   scripts/deps.sh run    build + run
#   scripts/deps.sh test   build + run + tests, benchmarks, fuzzing (default)
set -euo pipefail

build=(cmake ninja-build g++ clang pkg-config git qt6-base-dev qt6-base-dev-tools libexiv2-dev libxcb1-dev libxcb-randr0-dev
       libfontconfig-dev libjpeg62-turbo-dev libgtest-dev libgmock-dev libbenchmark-dev)
run=(qt6-image-formats-plugins qt6-qpa-plugins qt6-wayland qt6-translations-l10n libqt6svg6 fonts-liberation fonts-dejavu-core fontconfig tzdata)
test=(xvfb xauth x11-utils x11-apps x11-xserver-utils xdotool trayer imagemagick libvips-tools
      gsettings-desktop-schemas libglib2.0-bin dconf-cli dconf-gsettings-backend dbus dbus-x11 xfconf
      xfce4-panel desktop-file-utils appstream lintian dpkg-dev man-db libclang-rt-14-dev clang-format hyperfine
      time jq strace faketime sway swaybg grim pcmanfm pcmanfm-qt caja)

wanted=("${build[@]}" "${run[@]}")
[ "${1:-test}" = run ] || wanted+=("${test[@]}")

missing=()
for p in "${wanted[@]}"; do
    dpkg-query -W -f '${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
