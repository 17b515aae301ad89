#!/usr/bin/env bash
# Builds the benchmarks in Release, runs the Google benchmarks, the start-up pair and the web
# page's benchmarks, and prints the results against their goals together with the commands that
# produced them.
# Usage: ./bench.sh [start-up and page-ready runs per program, default 15]
set -euo pipefail
cd "$(dirname "$0")"
source scripts/install-deps.sh
pelio_install_missing libbenchmark-dev "${pelio_web_packages[@]}" "${pelio_browser_packages[@]}" \
    "${pelio_picture_packages[@]}"
pelio_install_npm
pelio_require_node

runs=${1:-15}
build="build-bench"
mkdir -p "$build"

shown() { printf '$ %s\n' "$*"; }
quiet() {
    shown "$*"
    "$@" >"$build/last-command.log" 2>&1 || {
        cat "$build/last-command.log" >&2
        exit 1
    }
}

echo "load average before the run: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
quiet cmake --preset bench
quiet cmake --build --preset bench

# Playwright to drive Debian's Chromium (it never downloads a browser), Lighthouse, and the
# page's inflater: installed again whenever package-lock.json is newer than what npm ci left,
# or run.sh --web installed the page's alone; then the web site.
[ node_modules/.package-lock.json -nt package-lock.json ] && [ -e node_modules/@playwright/test ] ||
    quiet env PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error
quiet emcmake cmake --preset web
quiet cmake --build --preset web

# Qt wants a private runtime directory; a fresh one keeps the runs alike. So does a data folder
# of the run's own, with no notebook and no last entry, which leaves the player's alone.
XDG_RUNTIME_DIR=$(mktemp -d)
XDG_DATA_HOME=$(mktemp -d)
export XDG_RUNTIME_DIR XDG_DATA_HOME
pelio_xvfb_pid=
cleanup() {
    if [ -n "$pelio_xvfb_pid" ]; then kill "$pelio_xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$XDG_RUNTIME_DIR" "$XDG_DATA_HOME"
}
trap cleanup EXIT

# The medians of repetitions, which a busy machine disturbs least. The goals are on wall time.
quiet "$build/bench/pelio_benchmarks" --benchmark_repetitions=15 --benchmark_min_time=0.1 \
    --benchmark_report_aggregates_only=true --benchmark_out="$build/benchmarks.csv" \
    --benchmark_out_format=csv
echo
awk -F, '
    function shown(ns) {
        return ns < 1000 ? sprintf("%.0f ns", ns) : ns < 1e6 ? sprintf("%.1f us", ns / 1000) : sprintf("%.1f ms", ns / 1e6)
    }
    BEGIN {
        goal["MemoEncodeAndText"] = 1000; goal["AnswerClick"] = 50000; goal["NotebookOpen"] = 50e6
        scale["ns"] = 1; scale["us"] = 1e3; scale["ms"] = 1e6; scale["s"] = 1e9
        printf "%-24s %12s %12s %10s  %s\n", "benchmark", "median wall", "median CPU", "goal", "met?"
    }
    $1 ~ /_median"$/ {
        name = $1; gsub(/"/, "", name); sub(/_median$/, "", name); sub(/\/iterations:[0-9]+$/, "", name)
        wall = $3 * scale[$5]; cpu = $4 * scale[$5]
        met = ""
        if (name in goal) { met = wall <= goal[name] ? "yes" : "NO"; seen[name] = 1 }
        printf "%-24s %12s %12s %10s  %s\n", name, shown(wall), shown(cpu),
               name in goal ? "<= " shown(goal[name]) : "-", met
    }
    END {
        for (name in goal)
            if (!(name in seen))
                printf "%-24s %12s %12s %10s  %s\n", name, "not run", "", shown(goal[name]), "NO"
    }' "$build/benchmarks.csv"
echo

# The memos offered for a slip: how often the one meant is among them, and the longest search.
shown "$build/bench/suggestion_quality" 5000 "$build/slowest-searches.json"
"$build/bench/suggestion_quality" 5000 "$build/slowest-searches.json"
echo

# The memo read from pictures: generated screenshots and photos of random states, in the fonts
# held out of the glyph classifier's training and, apart, in those it was trained on; the time
# to read one and the peak memory of the largest. It writes a scratch picture where it runs.
shown "(cd $build && bench/picture_quality 1000 400)"
(cd "$build" && bench/picture_quality 1000 400)
echo

# Start-up: one X server for every run, on the first free display.
shown "source scripts/xvfb.sh; pelio_start_xvfb"
source scripts/xvfb.sh
pelio_start_xvfb
export QT_QPA_PLATFORM=xcb

# The launcher watches the X server from outside and prints the time from the spawn to the
# window mapped; each probe then adds "wall-ms cpu-ms peak-MB" at its first frame, counted from
# the same spawn, so loading the libraries counts.
probe() { "$build/bench/map_launcher" "$build/bench/$1" 2>/dev/null; }
for program in startup_pelio startup_baseline; do
    shown "DISPLAY=$DISPLAY QT_QPA_PLATFORM=xcb $build/bench/map_launcher $build/bench/$program"
done
echo "  (one unrecorded run of each, then $runs of each, alternating)"
startup_load=$(cut -d' ' -f1-3 /proc/loadavg)
probe startup_pelio >/dev/null
probe startup_baseline >/dev/null
: >"$build/startup_pelio.txt"
: >"$build/startup_baseline.txt"
for _ in $(seq "$runs"); do
    for program in startup_pelio startup_baseline; do
        probe "$program" >>"$build/$program.txt"
    done
done
# Wall times move with whatever else runs on the machine; the load goes beside them.
echo "  load average before the start-up runs: $startup_load, after: $(cut -d' ' -f1-3 /proc/loadavg)"

# The median of each column of a probe's results.
medians() {
    for column in 1 2 3 4; do
        cut -d' ' -f"$column" "$1" | sort -n |
            awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
    done | paste -sd' '
}
echo
{
    echo "Pelio $(medians "$build/startup_pelio.txt")"
    echo "baseline $(medians "$build/startup_baseline.txt")"
} | awk -v runs="$runs" '
    { map[$1] = $2; frame[$1] = $3; cpu[$1] = $4; rss[$1] = $5 }
    END {
        row = "%-32s %11s %11s %8s %12s\n"
        printf row, "start-up on Xvfb, median of " runs, "mapped ms", "frame ms", "CPU ms", "peak RSS MB"
        printf row, "Pelio", map["Pelio"], frame["Pelio"], cpu["Pelio"], rss["Pelio"]
        printf row, "baseline (QMainWindow + QLabel)", map["baseline"], frame["baseline"],
               cpu["baseline"], rss["baseline"]
        m = map["Pelio"] / map["baseline"]; f = frame["Pelio"] / frame["baseline"]
        c = cpu["Pelio"] / cpu["baseline"]; r = rss["Pelio"] / rss["baseline"]
        printf row, "ratio", sprintf("%.2f", m), sprintf("%.2f", f), sprintf("%.2f", c), sprintf("%.2f", r)
        printf row, "goal", "<= 1.20", "-", "-", "<= 1.10"
        printf row, "met?", m <= 1.20 ? "yes" : "NO", "", "", r <= 1.10 ? "yes" : "NO"
    }'

# The web page in headless Chromium: page ready against a bare page (in the same style as the
# start-up table above), the first visit's bytes, the 完了 click, and Lighthouse's audits.
echo
shown node bench/web_benchmarks.mjs build-web/site "$runs" "$build/slowest-searches.json"
node bench/web_benchmarks.mjs build-web/site "$runs" "$build/slowest-searches.json"

# Memory: sixteen 10 MB pastes into the memo box, which refuses them whole.
echo
shown "DISPLAY=$DISPLAY QT_QPA_PLATFORM=xcb $build/bench/paste_memory"
read -r paste_start paste_after < <("$build/bench/paste_memory" 2>/dev/null)
awk -v start="$paste_start" -v after="$paste_after" 'BEGIN {
    growth = after - start
    printf "%-34s %10s %10s %12s\n", "sixteen 10 MB pastes", "before MB", "after MB", "growth MB"
    printf "%-34s %10.1f %10.1f %12.1f\n", "peak RSS", start, after, growth
    printf "%-34s %10s %10s %12s\n", "goal", "", "", "<= 10.0"
    printf "%-34s %10s %10s %12s\n", "met?", "", "", growth <= 10 ? "yes" : "NO"
}'

# A photo's file to the memo read in the window, on the same X server: a 12-megapixel photo and
# the largest picture read at all, each in a process of its own. It writes them where it runs.
echo
shown "(cd $build && DISPLAY=$DISPLAY QT_QPA_PLATFORM=xcb bench/picture_window)"
(cd "$build" && bench/picture_window)
