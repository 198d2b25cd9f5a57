#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zelvo developers
# SPDX-License-Identifier: GPL-3.0-or-later
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

. "$(dirname "$0")/desktop.sh"
bench_start_desktop window_bench
bench_setup_file 0
work=$bench_work

echo "Start to window shown with readings ($starts starts):"
for _ in $(seq 1 "$starts"); do
    begin=$(date +%s%3N)
    shown=$(ZELVO_STARTUP_PROBE=quit "$program" --simulate --app-dir "$work/app" |
        sed -n 's/.*readings at \([0-9]*\) ms/\1/p')
    [ -n "$shown" ] || { echo "window_bench: the window never showed readings" >&2; exit 1; }
    echo $((shown - begin))
done | tee "$work/starts" | sed 's/^/  ms: /'
echo "  median: $(median < "$work/starts") ms (goal: under 500 ms)"

load() {  # the program's load over $idle seconds, optionally during a run
    "$program" --simulate --app-dir "$work/app" >/dev/null 2>&1 &
    pid=$!
    sleep 2
    if [ "$1" = run ]; then press_start "$pid"; sleep 1; fi
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
