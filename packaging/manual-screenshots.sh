#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zelvo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The manual's pictures of the window, made from the simulator on a private virtual
# X server: the window with the setup panel and with the rate chart, each a few
# seconds into a run on eight simulated sensors, one sweep a second. Run it after a change to the window
# and commit the pictures.
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

# shoot VIEW NAME: the window on view VIEW (0 the setup panel, 1 the rate chart)
# after twenty seconds of run, into images/NAME.png.
shoot() {
    bench_setup_file "$1"
    sed -i 's/^Period=10\r$/Period=100\r/' "$bench_work/app/zelvo.cfg"
    "$zelvomon" --simulate --app-dir "$bench_work/app" >/dev/null 2>&1 &
    local pid=$! window
    window=$(xdotool search --sync --pid "$pid" --name "Zelvo - " | head -1)
    sleep 2
    press_start "$pid"
    sleep 20
    import -window "$window" -define png:exclude-chunks=date,time "$images/$2.png"
    kill -TERM "$pid"
    wait "$pid" || true
    echo "manual-screenshots: $images/$2.png"
}
shoot 0 window
shoot 1 rate-chart
