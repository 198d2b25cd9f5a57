#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zelvo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes supervision-example.png, the window shown in the manual's supervision
# chapter: the window test that sets a target from the row menu runs on simulated
# sensors until the target is reached, and saves the window with the thickness chart.
#   docs/manual/make-supervision-example.sh [BUILD_DIR]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../../build}" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
QT_QPA_PLATFORM=offscreen ZELVO_SCREENSHOT_DIR="$work" \
    "$build/monitor/display/qt/tests/zelvomon_WindowMaterialTest" \
    supervisionIsSetBesideTheMaterialsAndWarnsOnTheRow >/dev/null
cp "$work/supervision.png" "$here/supervision-example.png"
echo "$here/supervision-example.png"
