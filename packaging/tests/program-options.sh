#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zelvo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Every program answers --version with "NAME (Zelvo) VERSION" and --help with its
# usage, both on standard output with status 0; help2man builds the man pages
# from exactly these two answers.
#   program-options.sh VERSION NAME=PROGRAM...
set -uo pipefail
version="$1"
shift
failures=0
err="$(mktemp)"
trap 'rm -f "$err"' EXIT
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for entry in "$@"; do
    name="${entry%%=*}"
    program="${entry#*=}"
    out="$("$program" --version 2>"$err")"
    status=$?
    [ "$status" -eq 0 ] || fail "$name --version: status $status"
    [ "$out" = "$name (Zelvo) $version" ] || fail "$name --version printed \"$out\""
    [ -s "$err" ] && fail "$name --version wrote to standard error"

    out="$("$program" --help 2>"$err")"
    status=$?
    [ "$status" -eq 0 ] || fail "$name --help: status $status"
    case "$out" in
        "Usage: $name "*) ;;
        *) fail "$name --help does not begin with its usage: ${out%%$'\n'*}" ;;
    esac
    for option in --help --version; do
        grep -q -- "$option" <<<"$out" || fail "$name --help does not list $option"
    done
    [ -s "$err" ] && fail "$name --help wrote to standard error"
done
[ "$failures" -eq 0 ] || exit 1
echo "every program answers --help and --version"
