#!/usr/bin/env bash
# An X server of our own for the tests and the benchmarks: Xvfb on the first display whose
# sockets are all free, the abstract one included. xvfb-run -a looks only for a lock file, so a
# server that is still shutting down (or one in another container that shares the network
# namespace) can hold the abstract socket and take the client's connection.
#   scripts/xvfb.sh COMMAND [ARGUMENT...]  runs COMMAND with DISPLAY set, then stops the server
#   source scripts/xvfb.sh; pelio_start_xvfb  sets DISPLAY and pelio_xvfb_pid for the caller

pelio_start_xvfb() {
    local display_file tries=100
    display_file=$(mktemp)
    # The server writes its display number once it accepts connections. Without -noreset it
    # would reset whenever its last client leaves, and refuse a client that comes in meanwhile.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$display_file" 2>/dev/null &
    pelio_xvfb_pid=$!
    until [ -s "$display_file" ]; do
        if ((--tries == 0)) || ! kill -0 "$pelio_xvfb_pid" 2>/dev/null; then
            echo "Xvfb did not start" >&2
            rm -f "$display_file"
            return 1
        fi
        sleep 0.1
    done
    DISPLAY=":$(<"$display_file")"
    export DISPLAY
    rm -f "$display_file"
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    set -euo pipefail
    # The server is gone before this script is, so the next one never meets it.
    trap 'kill "${pelio_xvfb_pid:-}" 2>/dev/null && wait "$pelio_xvfb_pid"; true' EXIT
    pelio_start_xvfb
    "$@"
fi
