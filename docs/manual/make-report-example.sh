#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zelvo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes report-example.png, the run report shown in the manual: a 20-second run of
# zelvomon-cli on four simulated sensors depositing at different rates (the third
# one unplugged for a few seconds), its data log turned into a PDF by
# zelvomon-report, and the page drawn as a picture by pdftoppm.
#   docs/manual/make-report-example.sh [BUILD_DIR]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../../build}" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/lab"
{
    printf '[Application]\r\nIniVer=109\r\nRunNum=11\r\nShowLast=3\r\n'
    printf '[DataLog]\r\nLogEnabled=1\r\nLogType=0\r\nLogFile=Zelvo.log\r\n[Zelvo]\r\n'
    printf 'Sensor 1=Aluminium;2700;1080;10000;ZS0001\r\nSensor 2=Gold;19300;381;10000;ZS0002\r\n'
    printf 'Sensor 3=Silver;10500;529;10000;ZS0003\r\nSensor 4=Chromium;7200;305;10000;ZS0004\r\n'
} >"$work/lab/zelvo.cfg"
ZELVO_SIM="devices=4;noise=0.3;d0.rate=1.5;d1.rate=3;d2.rate=4.5;d3.rate=6;d2.fault=replug:60:4" \
    "$build/monitor/app/zelvomon-cli" --simulate --app-dir "$work/lab" --seconds 20 >/dev/null
"$build/monitor/app/report/zelvomon-report" "$work/lab/Zelvo.log" --out "$work/report.pdf" >/dev/null
pdftoppm -r 70 -png -singlefile "$work/report.pdf" "$here/report-example"
echo "$here/report-example.png"
