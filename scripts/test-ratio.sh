#!/usr/bin/env bash
# Counts the lines of the tests and of the code they test (non-blank, non-comment lines of the
# files git tracks) and prints their ratio. Fails when the tests pass 35 % of the code: the
# project keeps them at a quarter to a third.
set -euo pipefail
cd "$(dirname "$0")/.."
limit=35

# Lines that hold anything besides white space and comments, as each language writes them:
# "#" in shell and CMake, "//" and "/* */" in C++, JavaScript and CSS, "<!-- -->" in HTML.
# A comment counts only where it starts a line; a line of code with a comment after it is code.
count() {
    [ $# -gt 0 ] || { echo 0; return; }
    awk '
        FNR == 1 {
            style = FILENAME ~ /(\.sh|CMakeLists\.txt|\.cmake)$/ ? "hash" : FILENAME ~ /\.html$/ ? "html" : "c"
            opener = style == "html" ? "<!--" : "/*"
            closer = style == "html" ? "-->" : "*/"
            inside = 0
        }
        {
            line = $0
            if (inside) {
                end = index(line, closer)
                if (end == 0) next
                line = substr(line, end + length(closer))
                inside = 0
            }
            sub(/^[ \t]+/, "", line)
            if (style == "hash" && line ~ /^#/) next
            if (style == "c" && line ~ /^\/\//) next
            while (index(line, opener) == 1) {
                end = index(line, closer)
                if (end == 0) { inside = 1; next }
                line = substr(line, end + length(closer))
                sub(/^[ \t]+/, "", line)
            }
            if (line != "") lines++
        }
        END { print lines + 0 }' "$@"
}

sources='\.(cpp|h|in|mjs|js|css|html|sh|cmake)$|CMakeLists\.txt$'
mapfile -t tests < <(git ls-files tests | grep -E "$sources")
mapfile -t code < <({ git ls-files src bench scripts tools '*.sh' '*CMakeLists.txt'; git ls-files fuzz | grep -E '\.(cpp|h)$'; } |
    grep -v '^tests/' | grep -E "$sources" | sort -u)

test_lines=$(count "${tests[@]}")
code_lines=$(count "${code[@]}")
printf 'tests %6d lines in %d files (tests/)\n' "$test_lines" "${#tests[@]}"
printf 'code  %6d lines in %d files (src/, bench/, tools/, fuzz/, scripts/, *.sh, CMakeLists.txt)\n' \
    "$code_lines" "${#code[@]}"
awk -v t="$test_lines" -v c="$code_lines" -v limit="$limit" 'BEGIN {
    printf "ratio %7.1f %%  (at most %d %%)\n", 100 * t / c, limit
    exit 100 * t > limit * c
}'
