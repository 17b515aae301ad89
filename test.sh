#!/usr/bin/env bash
# Installs what is missing, builds the web site, then builds and runs every test twice: a plain
# build, with the browser tests of the site, then one with AddressSanitizer and
# UndefinedBehaviorSanitizer. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/install-deps.sh
pelio_install_missing "${pelio_web_packages[@]}" "${pelio_browser_packages[@]}"
pelio_install_npm
pelio_require_node

# The browser tests' packages, as package-lock.json pins them; they drive Debian's Chromium and
# never download a browser of their own.
PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error

emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release -DPELIO_WERROR=ON
cmake --build build-web

# Configured after the site is built, so that the browser tests are registered.
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPELIO_WERROR=ON
cmake --build build-test
(cd build-test && ctest --output-on-failure)

# The sanitizers' options and the list of toolkit leaks come with the test run itself
# (tests/CMakeLists.txt), so ctest in this directory checks the same way by hand.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPELIO_WERROR=ON -DPELIO_SANITIZE=ON
cmake --build build-asan
(cd build-asan && ctest --output-on-failure)

# The tests stay at about a third of the code they test.
scripts/test-ratio.sh
