#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zelvo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every fuzz target from its seed corpus for SECONDS seconds (default 60),
# one after the other, under AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer. New inputs go to a scratch corpus, never into the
# repository's. A crash, a leak, a hang or a broken invariant stops the script with
# a non-zero status after printing the reproducer as hexadecimal bytes.
#
#   fuzz/run-fuzzers.sh BUILD_DIR [SECONDS] [TARGET...]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:?usage: run-fuzzers.sh BUILD_DIR [SECONDS] [TARGET...]}" && pwd)"
seconds="${2:-60}"
shift $(($# < 2 ? $# : 2))
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(ini_store settings sensor_exchange sim_config ports kitforge_fields data_log)
fi
# The targets' scratch files go to a memory file system when there is one: the
# INI store replaces its file safely (synced), which is slow on a disk.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

for target in "${targets[@]}"; do
    mkdir -p "$work/$target/corpus" "$work/$target/artifacts"
    echo "=== fuzz_$target for ${seconds}s"
    status=0
    (cd "$work/$target" && "$build/fuzz/fuzz_$target" \
        -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -dict="$here/dict/$target.dict" -artifact_prefix="$work/$target/artifacts/" \
        "$work/$target/corpus" "$here/corpus/$target") >"$work/$target/log" 2>&1 || status=$?
    grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$work/$target/log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 80 "$work/$target/log"
        for reproducer in "$work/$target/artifacts/"*; do
            [ -f "$reproducer" ] || continue
            echo "reproducer $(basename "$reproducer") ($(stat -c %s "$reproducer") bytes):"
            od -A d -t x1 -v "$reproducer" | head -n 200
        done
        echo "fuzz_$target failed (status $status)"
        exit 1
    fi
done
