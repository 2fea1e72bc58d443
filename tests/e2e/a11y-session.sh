#!/usr/bin/env bash
# Runs a command as a screen reader's desktop would run it: on an X server
# (Xvfb), with a session bus of its own and the accessibility bus started on
# it, and with Qt's accessibility on from the first window.
#
#   a11y-session.sh COMMAND [ARGS...]
set -euo pipefail
if [ -z "${A11Y_SESSION_INNER:-}" ]; then
  export A11Y_SESSION_INNER=1
  exec dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
# The accessibility bus is started on request; Qt looks for it as it starts.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 QT_QPA_PLATFORM=xcb
exec "$@"
