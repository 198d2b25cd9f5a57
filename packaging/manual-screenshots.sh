#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zelvo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The manual's pictures of the window, made from the simulator on a private virtual
# X server: the window with the setup panel and with the rate chart, each a few
# seconds into a run on eight simulated sensors, one sweep a second, and a run whose
# channels raise each supervision event. Run it after a change to the window and commit
# the pictures.
#   packaging/manual-screenshots.sh [ZELVOMON]   (default: build/monitor/app/gui/zelvomon)
set -euo pipefail
cd "$(dirname "$0")/.."
zelvomon="$(realpath "${1:-build/monitor/app/gui/zelvomon}")"
images="$PWD/docs/manual/images"
for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || { echo "manual-screenshots: $tool is needed" >&2; exit 2; }
done
# The window benchmarks' desktop: Xvfb, a scratch folder, a setup file with the
# simulated sensors assigned, and pressing Start.
source bench/window/desktop.sh
bench_start_desktop manual-screenshots
export ZELVO_SIM="devices=8;rate=2;d1.rate=3.5;d2.rate=5;d4.rate=1.2;d5.rate=0.5;d7.fault=minus2"
mkdir -p "$images"

# shoot VIEW NAME [SECONDS]: the window on view VIEW (0 the setup panel, 1 the rate
# chart) after SECONDS (default twenty) of run, into images/NAME.png, on the setup
# file as bench_setup_file and the lines before it leave it.
shoot() {
    "$zelvomon" --simulate --app-dir "$bench_work/app" >/dev/null 2>&1 &
    local pid=$! window
    window=$(xdotool search --sync --pid "$pid" --name "Zelvo - " | head -1)
    sleep 2
    press_start "$pid"
    sleep "${3:-20}"
    import -window "$window" -define png:exclude-chunks=date,time "$images/$2.png"
    kill -TERM "$pid"
    wait "$pid" || true
    echo "manual-screenshots: $images/$2.png"
}
one_sweep_a_second() {
    bench_setup_file "$1"
    sed -i 's/^Period=10\r$/Period=100\r/' "$bench_work/app/zelvo.cfg"
}
one_sweep_a_second 0
shoot 0 window
one_sweep_a_second 1
shoot 1 rate-chart

# Supervision: four channels at 0.25 s, each raising one event: Sensor 1 reaches its
# target (0.030 kA, warned 0.010 kA before), Sensor 2's crystal hops up 120 Hz, Sensor 3's
# rate turns erratic against quality level 9, Sensor 4's crystal is down to 8 % of its life.
export ZELVO_SIM="devices=8;rate=2;d1.fault=hop:6:120;d2.fault=erratic:0:50;d3.fault=wear:8"
bench_setup_file 1 'YMin=-10\r\nYMax=10\r\n'
sed -i -e 's/^Period=10\r$/Period=25\r/' -e 's/^ShowLast=7\r$/ShowLast=3\r/' "$bench_work/app/zelvo.cfg"
printf '[Targets]\r\nSensor 1=0.030;0.010;10;0;25;0\r\nSensor 2=0;0;10;0;25;100\r\n%s\r\n%s\r\n' \
    'Sensor 3=0;0;10;9;25;0' 'Sensor 4=0;0;10;0;25;0' >>"$bench_work/app/zelvo.cfg"
shoot 1 supervision 30
