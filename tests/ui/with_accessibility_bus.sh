#!/bin/sh
# Runs a command on an X server and a session bus of its own, with the accessibility bus the
# toolkit's bridge speaks to, so that a test sees what a screen reader would be told.
#   with_accessibility_bus.sh AT_SPI_BUS_LAUNCHER COMMAND [ARGUMENT...]
exec xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- sh -c '
    "$0" --launch-immediately &
    exec "$@"' "$@"
