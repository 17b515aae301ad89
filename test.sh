#!/usr/bin/env bash
# Installs what is missing, builds the web site, then builds and runs every test twice: a plain
# build, with the browser tests of the site, then one with AddressSanitizer and
# UndefinedBehaviorSanitizer. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/install-deps.sh
pelio_install_missing "${pelio_web_packages[@]}" "${pelio_browser_packages[@]}" \
    "${pelio_picture_packages[@]}" "${pelio_screen_reader_packages[@]}"
pelio_install_npm
pelio_require_node

# The browser tests' packages, as package-lock.json pins them: Playwright drives Debian's
# Chromium, Puppeteer its Firefox ESR; neither downloads a browser of its own.
PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error

# The presets are in CMakePresets.json. The site that players get builds without -Werror, so
# that a newer compiler's new warning never stops them; here it must build clean.
emcmake cmake --preset web -DPELIO_WERROR=ON
cmake --build --preset web

# Configured after the site is built, so that the browser tests are registered.
cmake --preset test
cmake --build --preset test
ctest --preset test

# The sanitizers' options and the list of toolkit leaks come with the test run itself
# (tests/CMakeLists.txt), so ctest in build-asan/ checks the same way by hand.
cmake --preset asan
cmake --build --preset asan
ctest --preset asan

# The tests stay at about a third of the code they test.
scripts/test-ratio.sh
