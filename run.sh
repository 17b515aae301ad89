#!/usr/bin/env bash
# Installs what is missing, builds a Release build in build/ and starts the program.
#   ./run.sh          the desktop program
#   ./run.sh --web    builds the web site in build-web/site and serves it on 127.0.0.1:8000
set -euo pipefail
cd "$(dirname "$0")"
source scripts/install-deps.sh

if [ "${1:-}" = "--web" ]; then
    pelio_install_missing "${pelio_web_packages[@]}"
    pelio_install_npm
    pelio_require_node
    # The page's own package (its inflater), as package-lock.json pins it; the tests' packages,
    # where test.sh has installed them, stay.
    [ -e node_modules/tiny-inflate ] || npm ci --omit=dev --no-audit --no-fund --loglevel=error
    emcmake cmake --preset web
    cmake --build --preset web
    # Any static file server does: the site is plain files. Unbuffered, so that the address
    # it serves on shows at once wherever its output goes.
    exec python3 -u -m http.server --bind 127.0.0.1 8000 --directory build-web/site
fi

pelio_install_missing
cmake --preset release
cmake --build --preset release

# Without a display the toolkit would abort with a long message; say what to do instead.
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
    echo "run.sh: no display to open the window on; start it from a desktop session, or run: xvfb-run -a build/pelio" >&2
    exit 1
fi
exec build/pelio "$@"
