#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: a plain build, then one with
# AddressSanitizer and UndefinedBehaviorSanitizer. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/install-deps.sh
pelio_install_missing

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPELIO_WERROR=ON
cmake --build build-test
(cd build-test && ctest --output-on-failure)

# The sanitizers' options and the list of toolkit leaks come with the test run itself
# (tests/CMakeLists.txt), so ctest in this directory checks the same way by hand.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPELIO_WERROR=ON -DPELIO_SANITIZE=ON
cmake --build build-asan
(cd build-asan && ctest --output-on-failure)
