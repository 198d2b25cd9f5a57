#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zelvo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the licence notice (SPDX copyright and licence lines) into the header of
# every tracked file that can hold a comment and has none yet; running it again
# changes nothing. Files that cannot hold one are covered by .reuse/dep5; `reuse
# lint` checks both.
#   packaging/spdx-headers.sh
set -euo pipefail
cd "$(dirname "$0")/.."
tag="SPDX-License-Identifier"
holder="SPDX-FileCopyrightText: 2026 Zelvo developers"

# notice FILE BEFORE AFTER LICENCE: the two lines as comments opened by BEFORE and
# closed by AFTER, below a first line that must stay first (#!, <?xml, <!DOCTYPE).
notice() {
    local file="$1" before="$2" after="$3" licence="$4" keep=0 text
    if grep -q "$tag:" "$file"; then
        # A licence line written by hand gets the copyright line above it.
        grep -q "SPDX-FileCopyrightText:" "$file" && return 0
        awk -v tag="$tag:" -v holder="$holder" -v after="$after" '
            !done && index($0, tag) { print substr($0, 1, index($0, tag) - 1) holder after; done = 1 }
            { print }' "$file" >"$file.spdx"
        chmod --reference="$file" "$file.spdx"
        mv "$file.spdx" "$file"
        echo "spdx-headers: $file (copyright)"
        return 0
    fi
    case "$(head -n 1 "$file")" in
        '#!'* | '<?xml'* | '<!DOCTYPE'*) keep=1 ;;
    esac
    text="$before$holder$after"$'\n'"$before$tag: $licence$after"
    {
        head -n "$keep" "$file"
        printf '%s\n' "$text"
        tail -n "+$((keep + 1))" "$file"
    } >"$file.spdx"
    chmod --reference="$file" "$file.spdx"
    mv "$file.spdx" "$file"
    echo "spdx-headers: $file"
}

while IFS= read -r file; do
    [ -L "$file" ] && continue
    case "$file" in
        packaging/metainfo/*.xml) notice "$file" "<!-- " " -->" FSFAP ;;
        *.cpp | *.hpp | *.h | *.c) notice "$file" "// " "" GPL-3.0-or-later ;;
        *.html | *.xml) notice "$file" "<!-- " " -->" GPL-3.0-or-later ;;
        *.sh | *.py | *.cmake | */CMakeLists.txt | CMakeLists.txt | *.rules | *.desktop | \
            .gitignore | .clang-format | .ci/* | packaging/lintian/* | packaging/debian/postinst | \
            packaging/debian/postrm)
            notice "$file" "# " "" GPL-3.0-or-later
            ;;
    esac
done < <(git ls-files)
