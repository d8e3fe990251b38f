#!/usr/bin/env bash
# Checks velomira --next on a live KDE Plasma or Cinnamon desktop, as the test suite does for LXQt,
# LXDE and MATE: on a private X server with its own session bus and home, the desktop shows the
# first picture, then the next one, and velomira exits with 0 both times. CI leaves these two
# desktops out for their size; run this where they are installed.
#   scripts/check-desktop.sh kde|cinnamon [BUILD_DIR]      (default: build)
# Exits with 0 when both pictures were shown, 1 when not, 77 when the desktop is not installed.
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${2:-build}")/bin/velomira
case "${1:-}" in
kde) session=KDE needs=plasmashell ;;
cinnamon) session=X-Cinnamon needs=cinnamon-session ;;
*)
    echo "usage: $0 kde|cinnamon [BUILD_DIR]" >&2
    exit 2
    ;;
esac
for tool in "$needs" Xvfb dbus-daemon xwd convert xprop; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed" >&2; exit 77; }
done
[ -x "$program" ] || { echo "$program is missing: run scripts/build.sh first" >&2; exit 1; }

home=$(mktemp -d)
pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
    # Services the bus started outlive it; they carry its address, which no one else uses.
    [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || for p in /proc/[0-9]*; do
        [ "${p#/proc/}" = $$ ] && continue
        grep -qzxF "DBUS_SESSION_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS" "$p/environ" 2>/dev/null &&
            kill "${p#/proc/}" 2>/dev/null
    done
    rm -rf "$home"
}
trap cleanup EXIT
log() { echo "$*" >&2; }
# Polls `$@` every 0.2 s for at most 30 s.
wait_for() {
    for _ in $(seq 150); do "$@" && return 0; sleep 0.2; done
    "$@"
}

# A private X server; -noreset keeps the root pixmap when its last client leaves.
mkfifo "$home/display"
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp -noreset 3>"$home/display" 2>"$home/xvfb.log" &
pids+=($!)
read -r number <"$home/display"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM SESSION_MANAGER
export DISPLAY=:$number HOME=$home XDG_CONFIG_HOME=$home/cfg XDG_CACHE_HOME=$home/cache \
    XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home XDG_CURRENT_DESKTOP=$session
mkdir -p "$XDG_CONFIG_HOME/Korbinheim" "$home/Bilder"
# The bus starts after the home is set, so that the services it starts (dconf, kded) share it.
{ read -r DBUS_SESSION_BUS_ADDRESS; read -r bus; } < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS
pids+=("$bus")

if [ "$1" = kde ]; then
    plasmashell >"$home/desktop.log" 2>&1 &
    pids+=($!)
    ready() { dbus-send --print-reply --dest=org.kde.plasmashell /PlasmaShell org.freedesktop.DBus.Peer.Ping >/dev/null 2>&1; }
else
    # A session of the one component that draws the wallpaper: the background plugin of the
    # settings daemon, which paints the root pixmap once the session manager says it runs.
    mkdir -p "$XDG_CONFIG_HOME/cinnamon-session/sessions"
    printf '[Cinnamon Session]\nName=Velomira check\nRequiredComponents=cinnamon-settings-daemon-background;\n' \
        >"$XDG_CONFIG_HOME/cinnamon-session/sessions/velomira-check.session"
    cinnamon-session --session velomira-check >"$home/desktop.log" 2>&1 &
    pids+=($!)
    ready() { xprop -root _XROOTPMAP_ID 2>/dev/null | grep -q 'pixmap id'; }
fi
wait_for ready || { log "FAIL: $1 did not start (log: $(tail -5 "$home/desktop.log"))"; exit 1; }

# The screen's middle as RRGGBB.
pixel() { xwd -root -silent | convert xwd:- -format '%[hex:p{320,240}]' info: | cut -c1-6; }
printf '[misc]\nbmp=1\nbmpverzeichnis=%s\n[path]\n1=%s/Bilder\n' "$home" "$home" >"$XDG_CONFIG_HOME/Korbinheim/Velomira.ini"
# The one picture, in another colour at each change.
for colour in C81E28 143CDC; do
    convert -size 64x48 "xc:#$colour" "BMP3:$home/Bilder/a.bmp"
    status=0
    "$program" --next || status=$?
    [ "$status" = 0 ] || { log "FAIL: velomira --next exited with $status"; exit 1; }
    shown() { [ "$(pixel)" = "$colour" ]; }
    wait_for shown || { log "FAIL: #$colour not shown on $1, but #$(pixel)"; exit 1; }
    log "ok: $1 shows #$colour"
done
