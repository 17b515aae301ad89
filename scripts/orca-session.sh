#!/usr/bin/env bash
# Runs a command with the Orca screen reader listening, everything private to the run: an X
# server, a session bus with the accessibility bus on it, Orca speaking through
# speech-dispatcher and espeak-ng into ALSA's null device, and its own home and XDG folders.
# What Orca says goes to its debug file as "SPEECH OUTPUT:" lines; the command finds the file
# in PELIO_ORCA_LOG. Orca is ready when the command starts.
#   scripts/orca-session.sh COMMAND [ARGUMENT...]
set -euo pipefail

if [[ -z ${PELIO_ORCA_BUS:-} ]]; then
    export PELIO_ORCA_BUS=1
    exec "$(dirname "$0")/xvfb.sh" dbus-run-session -- "$0" "$@"
fi

home=$(mktemp -d)
launcher_pid='' orca_pid=''
# The processes below PID, deepest first.
descendants() {
    local child
    for child in $(pgrep -P "$1"); do
        descendants "$child"
        echo "$child"
    done
}
stop() {
    # Orca's own namespace, speech-dispatcher in it, ends with Orca. Where no namespace could be
    # had, Orca runs in a session of script's making, which a kill of script leaves running: the
    # whole tree is ended, and awaited, as a later session's Orca refuses to start beside it.
    if [[ -n $orca_pid ]]; then
        local tree=($(descendants "$orca_pid") "$orca_pid") tries pid alive
        kill -KILL "${tree[@]}" 2>/dev/null || true
        { wait "$orca_pid"; } 2>/dev/null || true
        for ((tries = 0; tries < 100; ++tries)); do
            alive=0
            for pid in "${tree[@]}"; do kill -0 "$pid" 2>/dev/null && alive=1; done
            ((alive)) || break
            sleep 0.1
        done
    fi
    [[ -n $launcher_pid ]] && kill "$launcher_pid" 2>/dev/null && wait "$launcher_pid" || true
    rm -rf "$home"
}
trap stop EXIT

export HOME=$home
export XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_CACHE_HOME=$home/cache
export XDG_STATE_HOME=$home/state XDG_RUNTIME_DIR=$home/runtime
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" \
    "$XDG_STATE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# Without a sound server, speech-dispatcher's default output blocks, and Orca with it.
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<'EOF'
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "espeak-ng" "sd_espeak-ng" "/etc/speech-dispatcher/modules/espeak-ng.conf"
DefaultModule espeak-ng
EOF

for launcher in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [[ -x $launcher ]] && break
done
"$launcher" --launch-immediately &
launcher_pid=$!

export PELIO_ORCA_LOG=$home/orca.log
# Orca buffers its debug file; written to a terminal, each line is out at once. script gives
# it one and copies what it shows to the log as it comes. Braille, with no display, is left out.
orca=(script --quiet --flush --return --command "orca --disable braille --debug-file=/dev/tty"
    "$PELIO_ORCA_LOG")
# In a process namespace of its own, Orca sees no other Orca of this user: at start it
# refuses to run beside one, and --replace would kill every one of them. As root the namespace
# needs no more; otherwise it comes with a user namespace that keeps the user's own id.
for namespace in "" --map-current-user; do
    alone=(unshare ${namespace:+"$namespace"} --pid --fork --kill-child --mount-proc)
    if "${alone[@]}" true 2>/dev/null; then
        orca=("${alone[@]}" "${orca[@]}")
        break
    fi
done
"${orca[@]}" </dev/null >"$home/orca.out" 2>&1 &
orca_pid=$!

# Orca says so once it listens; on this busy machine that can take a minute.
for ((tries = 0; ; ++tries)); do
    grep -q 'SPEECH OUTPUT:' "$PELIO_ORCA_LOG" 2>/dev/null && break
    if ((tries == 1800)) || ! kill -0 "$orca_pid" 2>/dev/null; then
        echo "Orca did not start:" >&2
        cat "$home/orca.out" >&2
        exit 1
    fi
    sleep 0.1
done

"$@"
