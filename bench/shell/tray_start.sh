#!/usr/bin/env bash
# Start-up to a visible tray icon on a warm start: Velomira (a normal start with stored settings and
# the sample pictures) against a bare Qt program that only shows a tray icon, on a private Xvfb with
# trayer. The first start of each is a warm-up; the median of the rest is reported.
#   bash bench/shell/tray_start.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/../.."
build="$(realpath "${1:-build}")"
runs="${2:-15}"
cmake --build "$build" --target velomira bench_shell_bare_tray >/dev/null

work="$(mktemp -d)"
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"; }
trap cleanup EXIT

mkfifo "$work/fd"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/fd" 2>/dev/null &
pids+=($!)
read -r dnum <"$work/fd"
export DISPLAY=":$dnum"
trayer --edge top --align left --widthtype pixel --width 200 --heighttype pixel --height 40 \
    --SetDockType false --SetPartialStrut false --transparent false >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do xwininfo -root -tree | grep -q '("panel" "trayer")' && break; sleep 0.1; done

mkdir -p "$work/home/.config/Korbinheim" "$work/run"
chmod 700 "$work/run"
printf '[misc]\ndelay=60\n[path]\n1=%s/\n' "$build/share/velomira/samples" >"$work/home/.config/Korbinheim/Velomira.ini"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run" XDG_CURRENT_DESKTOP=
unset DBUS_SESSION_BUS_ADDRESS

# Milliseconds from the start of `program` to its icon window being mapped in the tray.
time_to_icon() {
    local program=$1 class=$2 start end
    start=$(date +%s%N)
    "$program" 2>/dev/null &
    local pid=$!
    until xdotool search --onlyvisible --classname "$class" >/dev/null 2>&1; do :; done
    end=$(date +%s%N)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

measure() {
    time_to_icon "$1" "$2" >/dev/null
    for _ in $(seq "$runs"); do time_to_icon "$1" "$2"; done | median
}

ours=$(measure "$build/bin/velomira" velomira)
bare=$(measure "$build/bin/bench_shell_bare_tray" bench_shell_bare_tray)
echo "start-up to tray icon, median of $runs warm starts: velomira $ours ms, bare Qt tray $bare ms," \
    "ratio $(awk -v a="$ours" -v b="$bare" 'BEGIN {printf "%.2f", a / b}') (limit: 500 ms)"
