#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zelvo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Processor load and memory of the zelvomon window with the rate chart shown,
# during a run on simulated sensors, under a virtual X server (Xvfb, 96 DPI).
#
#   bench/window/chart_bench.sh [BUILD_DIR] [SECONDS] [RUNS]
#
# Eight channels at a 0.1 s measurement period, the rate chart shown with an X
# range of 30 s, so that its 500 point slots are full after about 50 s of run.
# Start is pressed with xdotool; after 60 s of run (slots full) the program's
# processor time is taken over SECONDS (default 60) as a percentage of one core.
# Reports per run that share, the resident memory at the start and the end of
# the measured span and the peak resident memory (VmHWM); then the medians.
# CHART_SHOT=FILE saves a screenshot of the screen at the end of the first run.
set -euo pipefail

build=${1:-build}
span=${2:-60}
runs=${3:-3}
fill=60
program="$build/monitor/app/gui/zelvomon"
[ -x "$program" ] || { echo "chart_bench: $program not built" >&2; exit 2; }
command -v xdotool >/dev/null || { echo "chart_bench: xdotool is needed to press Start" >&2; exit 2; }

. "$(dirname "$0")/desktop.sh"
bench_start_desktop chart_bench
bench_setup_file 1 'XRange=30\r\nXScroll=1\r\n'
work=$bench_work

one_run() {
    "$program" --simulate --app-dir "$work/app" >/dev/null 2>&1 &
    local pid=$!
    sleep 2
    press_start "$pid"
    sleep "$fill"
    local before rss0
    before=$(cpu_ticks "$pid")
    rss0=$(kib "$pid" VmRSS)
    sleep "$span"
    local after rss1 hwm
    after=$(cpu_ticks "$pid")
    rss1=$(kib "$pid" VmRSS)
    hwm=$(kib "$pid" VmHWM)
    if [ -n "${CHART_SHOT:-}" ] && [ ! -e "$CHART_SHOT" ]; then import -window root "$CHART_SHOT"; fi
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    awk -v t=$((after - before)) -v hz="$ticks" -v s="$span" -v r0="$rss0" -v r1="$rss1" -v h="$hwm" \
        'BEGIN { printf "%.2f %.1f %.1f %.1f\n", 100 * t / hz / s, r0 / 1024, r1 / 1024, h / 1024 }'
}

echo "Rate chart shown, 8 channels at 0.1 s, slots full; ${span} s measured per run:"
for _ in $(seq 1 "$runs"); do one_run; done > "$work/runs"
awk '{ printf "  %% of one core: %s   resident MiB: %s -> %s   peak MiB: %s\n", $1, $2, $3, $4 }' "$work/runs"
echo "  median: $(cut -d' ' -f1 "$work/runs" | median) % of one core (goal: at most 2 %)"
echo "  median peak: $(cut -d' ' -f4 "$work/runs" | median) MiB resident (goal: at most 45 MiB)"
