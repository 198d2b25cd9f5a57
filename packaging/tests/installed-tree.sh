#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zelvo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a fresh prefix, then checks that everything is in place
# and that the installed programs find their own parts there: the real bridge
# library by name, the simulator for --simulate, the carried data of kitforge.
# The desktop entries and AppStream files must pass their validators.
#   installed-tree.sh BUILD_DIR [sanitized]
set -uo pipefail
build="$1"
sanitized="${2:-}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    cat "$work/install.log" >&2
    echo "FAIL: cmake --install" >&2
    exit 1
fi
libdir="$(sed -n 's/^CMAKE_INSTALL_LIBDIR:PATH=//p' "$build/CMakeCache.txt")"
plugins="$libdir/zelvomon"

for file in bin/zelvomon bin/zelvomon-cli bin/zelvosim bin/zelvomon-report bin/kitforge \
    "$plugins/libvdlink.so" "$plugins/libvdlink-sim.so" \
    lib/udev/rules.d/70-zelvo-sensors.rules \
    share/zelvomon/manual/index.html share/zelvomon/manual/lab.html \
    share/doc/zelvo-sensors/copyright share/doc/zelvomon-cli/changelog.Debian.gz \
    share/man/man1/zelvomon.1.gz share/man/man1/zelvomon-cli.1.gz \
    share/man/man1/zelvosim.1.gz share/man/man1/zelvomon-report.1.gz share/man/man1/kitforge.1.gz \
    share/applications/zelvomon.desktop share/applications/kitforge.desktop \
    share/icons/hicolor/scalable/apps/zelvomon.svg share/icons/hicolor/scalable/apps/kitforge.svg \
    share/icons/hicolor/48x48/apps/zelvomon.png share/icons/hicolor/48x48/apps/kitforge.png \
    share/metainfo/org.zelvo.zelvomon.metainfo.xml share/metainfo/org.zelvo.kitforge.metainfo.xml; do
    [ -f "$prefix/$file" ] || fail "not installed: $file"
done
for program in zelvomon zelvomon-cli zelvosim zelvomon-report kitforge; do
    [ -x "$prefix/bin/$program" ] || fail "not executable: bin/$program"
done
[ -e "$prefix/$libdir/libvdlink.so" ] && fail "a bridge library in the public library folder"
for library in "$plugins/libvdlink.so" "$plugins/libvdlink-sim.so"; do
    [ -x "$prefix/$library" ] && fail "a library with execute bits: $library"
done
for page in zelvomon zelvomon-cli zelvosim zelvomon-report kitforge; do
    zcat "$prefix/share/man/man1/$page.1.gz" | grep -qF -- '\-\-version' ||
        fail "man page $page does not hold the program's options"
done

# The programs run from the prefix, with nothing of the build tree in reach.
unset ZELVO_BRIDGE ZELVO_SIM ZELVO_PORTS ZELVO_APP_DIR LD_LIBRARY_PATH
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen
mkdir -p "$work/run" && chmod 700 "$work/run"
cd "$work" || exit 1

ZELVO_SIM="devices=2;rate=2" "$prefix/bin/zelvomon-cli" --simulate --app-dir "$work/sim" \
    --seconds 1 >"$work/sim.out" 2>"$work/sim.err" ||
    fail "installed zelvomon-cli --simulate: $(cat "$work/sim.err")"
grep -q "rate=" "$work/sim.out" || fail "installed zelvomon-cli --simulate printed no sweep"

# No sensors on this machine: the library itself must load from the prefix. The
# sanitizers' runtime makes its own dlopen the caller, so that the program's
# RUNPATH is not searched: a sanitized build cannot show this.
if [ "$sanitized" = sanitized ]; then
    echo "not checked in a sanitized build: libvdlink.so opened by name from the prefix"
else
    ZELVO_PORTS="" "$prefix/bin/zelvomon-cli" --app-dir "$work/real" --list \
        >"$work/real.out" 2>"$work/real.err"
    if grep -q "error has occurred" "$work/real.err" ||
        ! grep -q "No Zelvos detected." "$work/real.err"; then
        fail "installed zelvomon-cli without --bridge: $(cat "$work/real.err")"
    fi
fi

# The window on one simulated sensor already assigned, so that no question is
# asked: it closes itself once it shows readings (the guard only stops a hang).
mkdir -p "$work/window"
printf '[Application]\r\nIniVer=109\r\nShowLast=0\r\n[Zelvo]\r\nSensor 1=Sensor 1;1000;1000;10000;ZS0001\r\n' \
    >"$work/window/zelvo.cfg"
ZELVO_SIM="devices=1" ZELVO_STARTUP_PROBE=quit timeout 120 "$prefix/bin/zelvomon" --simulate \
    --app-dir "$work/window" >"$work/window.out" 2>"$work/window.err" ||
    fail "installed zelvomon --simulate: $(cat "$work/window.err")"
grep -q "shown with readings" "$work/window.out" || fail "installed zelvomon showed no readings"

"$prefix/bin/kitforge" --batch --type vcp --inf-only --output "$work/kit" --yes \
    >"$work/kit.out" 2>"$work/kit.err" || fail "installed kitforge --batch: $(cat "$work/kit.err")"
ls "$work/kit"/*.inf >/dev/null 2>&1 || fail "installed kitforge --batch wrote no INF file"

for entry in "$prefix"/share/applications/*.desktop; do
    desktop-file-validate "$entry" >"$work/desktop.out" 2>&1 ||
        fail "$(basename "$entry"): $(cat "$work/desktop.out")"
done
for metainfo in "$prefix"/share/metainfo/*.xml; do
    appstreamcli validate --no-net "$metainfo" >"$work/appstream.out" 2>&1 ||
        fail "$(basename "$metainfo"): $(cat "$work/appstream.out")"
done

[ "$failures" -eq 0 ] || exit 1
echo "the installed tree is complete and its programs run"
