#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/install-deps.sh
pelio_install_missing

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPELIO_WERROR=ON
cmake --build build-test
(cd build-test && ctest --output-on-failure)
