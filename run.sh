#!/usr/bin/env bash
# Installs what is missing, builds a Release build in build/ and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/install-deps.sh
pelio_install_missing

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DPELIO_BUILD_TESTS=OFF
cmake --build build

if [ ! -x build/pelio ]; then
    echo "Built the game logic; the window is not there yet."
    exit 0
fi
exec build/pelio "$@"
