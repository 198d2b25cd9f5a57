#!/usr/bin/env bash
# Start time and idle processor load of the zelvomon window on simulated sensors,
# under a virtual X server (Xvfb, 96 DPI).
#
#   bench/window/window_bench.sh [BUILD_DIR] [STARTS] [IDLE_SECONDS]
#
# Start time: from just before the process is started to the window shown with
# readings (the program reports that moment with ZELVO_STARTUP_PROBE=quit), the
# median of STARTS starts (default 7). Idle load: eight channels at a 0.1 s
# measurement period, the setup panel shown, no run; the program's processor
# time over IDLE_SECONDS (default 20) after a settling second, as a percentage of
# one core, the median of three runs. Before the first Start the sweep runs every
# 250 ms; where xdotool is installed, the same is measured once more during a run,
# when the sweep follows the 0.1 s period (every 50 ms).
set -euo pipefail

build=${1:-build}
starts=${2:-7}
idle=${3:-20}
program="$build/monitor/app/gui/zelvomon"
[ -x "$program" ] || { echo "window_bench: $program not built" >&2; exit 2; }

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

# A free display number and its X server.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1600x1200x24 -dpi 96 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.05; done

# Eight simulated sensors, each assigned to its channel, so that no question is asked.
export DISPLAY=":$display" ZELVO_SIM="devices=8" XDG_CONFIG_HOME="$work/config" \
    XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=xcb
mkdir -p "$work/app" "$work/config" "$work/run"
chmod 700 "$work/run"
{
    printf '[Application]\r\nIniVer=109\r\nShowLast=7\r\nPeriod=10\r\nView=0\r\n'
    printf 'Freq=6100000;5000000;6000000\r\n[Zelvo]\r\n'
    for n in 1 2 3 4 5 6 7 8; do printf 'Sensor %d=Sensor %d;1000;1000;10000;ZS000%d\r\n' "$n" "$n" "$n"; done
} > "$work/app/zelvo.cfg"

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "Start to window shown with readings ($starts starts):"
for _ in $(seq 1 "$starts"); do
    begin=$(date +%s%3N)
    shown=$(ZELVO_STARTUP_PROBE=quit "$program" --simulate --app-dir "$work/app" |
        sed -n 's/.*readings at \([0-9]*\) ms/\1/p')
    [ -n "$shown" ] || { echo "window_bench: the window never showed readings" >&2; exit 1; }
    echo $((shown - begin))
done | tee "$work/starts" | sed 's/^/  ms: /'
echo "  median: $(median < "$work/starts") ms (goal: under 500 ms)"

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# Presses Start: the first button of the run bar, under the menu bar.
press_start() {
    local window
    window=$(xdotool search --sync --name "Zelvo - " | head -1)
    xdotool mousemove --window "$window" 40 40 click 1
}
load() {  # the program's load over $idle seconds, optionally during a run
    "$program" --simulate --app-dir "$work/app" >/dev/null 2>&1 &
    pid=$!
    sleep 2
    if [ "$1" = run ]; then press_start; sleep 1; fi
    before=$(cpu_ticks "$pid")
    sleep "$idle"
    after=$(cpu_ticks "$pid")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    awk -v t=$((after - before)) -v hz="$ticks" -v s="$idle" 'BEGIN { printf "%.2f\n", 100 * t / hz / s }'
}
echo "Idle, 8 channels at 0.1 s, setup panel shown (${idle} s each):"
for _ in 1 2 3; do load idle; done | tee "$work/idle" | sed 's/^/  % of one core: /'
echo "  median: $(median < "$work/idle") % (goal: under 3 %)"
if command -v xdotool >/dev/null; then
    echo "During a run, 8 channels at 0.1 s, setup panel shown (${idle} s each):"
    for _ in 1 2 3; do load run; done | tee "$work/running" | sed 's/^/  % of one core: /'
    echo "  median: $(median < "$work/running") %"
fi
