#!/usr/bin/env bash
# Measures Tesseract, Debian's general OCR engine with its Japanese data, on the pictures the
# recognizer's benchmark reads, for comparison only: how often its text holds the memo's 20 kana
# in order, and how many of the 20 it gets in order on average. Nothing else depends on it.
#   tools/memo_pictures/tesseract_compare.sh [BUILD-FOLDER] [PICTURES]   (build-bench, 40)
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/install-deps.sh
pelio_install_missing "${pelio_comparison_packages[@]}"
build=${1:-build-bench}
count=${2:-40}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

printf '%-26s %9s %12s %16s\n' "pictures" "count" "memo read" "kana in order"
for kind in screenshot photo; do
    for fonts in held-out training; do
        folder=$scratch/$kind-$fonts
        "$build/tools/memo_pictures" "$folder" "$count" "$kind" "$fonts" 700000
        while IFS=$'\t' read -r file memo _; do
            printf '%s\t%s\n' "$memo" \
                "$(tesseract "$folder/$file" - -l jpn --psm 6 2>/dev/null | tr -d ' \t\n')"
        done <"$folder/memos.txt" >"$folder/read.txt"
        # The longest run of the memo's kana that the text holds in order, picture by picture.
        python3 - "$kind, $fonts fonts" "$folder/read.txt" <<'PY'
import sys
found = kana = pictures = 0
for line in open(sys.argv[2], encoding="utf-8"):
    memo, _, text = line.rstrip("\n").partition("\t")
    memo = memo.replace("\u3000", "")
    previous = [0] * (len(text) + 1)
    for a in memo:
        current = [0]
        for j, b in enumerate(text):
            current.append(previous[j] + 1 if a == b else max(previous[j + 1], current[j]))
        previous = current
    pictures += 1
    found += memo in text
    kana += previous[-1]
print(f"{sys.argv[1]:<26} {pictures:9d} {100 * found / pictures:11.1f}% {kana / pictures:10.1f} of 20")
PY
    done
done
