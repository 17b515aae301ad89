#!/bin/sh
# Runs a command on an X server and a session bus of its own, with the accessibility bus the
# toolkit's bridge speaks to, so that a test sees what a screen reader would be told.
#   with_accessibility_bus.sh AT_SPI_BUS_LAUNCHER COMMAND [ARGUMENT...]
exec "$(dirname "$0")/../../scripts/xvfb.sh" dbus-run-session -- sh -c '
    "$0" --launch-immediately &
    exec "$@"' "$@"
