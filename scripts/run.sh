#!/usr/bin/env bash
# Sets up, builds and runs Velomira: in the tray when a display is there, otherwise it composes the
# next wallpaper once (velomira --next). Arguments are passed to the program.
#
# It starts in the folder of the sample pictures, so that a first start, which takes its pictures
# from the working folder, has some to show.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh run
bash scripts/build.sh --target velomira
if [ $# -eq 0 ] && [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    set -- --next
fi
cd build/share/velomira/samples
exec ../../../bin/velomira "$@"
