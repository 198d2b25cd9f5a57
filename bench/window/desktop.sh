# SPDX-FileCopyrightText: 2026 Zelvo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the window benchmarks: a private virtual X server (Xvfb, 96 DPI) and a
# scratch folder, both gone when the script exits; the program's environment; a setup
# file with eight simulated sensors assigned to their channels (so that no question is
# asked) at a 0.1 s measurement period; and the measuring helpers.

bench_work=$(mktemp -d)
bench_xvfb_pid=""
bench_cleanup() {
    if [ -n "$bench_xvfb_pid" ]; then kill "$bench_xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$bench_work"
}
trap bench_cleanup EXIT

# bench_start_desktop NAME: the X server chooses a free display itself, so that
# benchmarks started at the same time never share (and end) one server.
bench_start_desktop() {
    Xvfb -displayfd 3 -screen 0 1600x1200x24 -dpi 96 -nolisten tcp 3>"$bench_work/display" >/dev/null 2>&1 &
    bench_xvfb_pid=$!
    for _ in $(seq 1 100); do [ -s "$bench_work/display" ] && break; sleep 0.05; done
    local display
    display=$(cat "$bench_work/display")
    [ -n "$display" ] || { echo "$1: Xvfb did not start" >&2; exit 2; }
    export DISPLAY=":$display" ZELVO_SIM="devices=8" XDG_CONFIG_HOME="$bench_work/config" \
        XDG_RUNTIME_DIR="$bench_work/run" QT_QPA_PLATFORM=xcb
    mkdir -p "$bench_work/app" "$bench_work/config" "$bench_work/run"
    chmod 700 "$bench_work/run"
}

# bench_setup_file VIEW [GRAPH_LINES]: the setup file, VIEW 0 for the setup panel, 1 to 3
# for a chart; GRAPH_LINES (CR LF ended) go into its [Graph] section.
bench_setup_file() {
    {
        printf '[Application]\r\nIniVer=109\r\nShowLast=7\r\nPeriod=10\r\nView=%s\r\n' "$1"
        printf 'Freq=6100000;5000000;6000000\r\n[Graph]\r\n%b[Zelvo]\r\n' "${2:-}"
        for n in 1 2 3 4 5 6 7 8; do printf 'Sensor %d=Sensor %d;1000;1000;10000;ZS000%d\r\n' "$n" "$n" "$n"; done
    } > "$bench_work/app/zelvo.cfg"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
kib() { awk -v k="$2:" '$1 == k { print $2 }' "/proc/$1/status"; }
# press_start PID: presses Start, the first button of the run bar under the menu bar.
press_start() {
    local window
    window=$(xdotool search --sync --pid "$1" --name "Zelvo - " | head -1)
    xdotool mousemove --window "$window" 40 40 click 1
}
