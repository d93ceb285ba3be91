#!/usr/bin/env bash
# Runs a command as a screen reader's program would meet it: on an X display of its own, with a
# session bus and the accessibility bus, and Qt's bridge to that bus switched on. Exits 77
# (skipped) when a tool for it is missing.
set -euo pipefail
launcher=/usr/libexec/at-spi-bus-launcher
for tool in dbus-run-session xvfb-run; do
  command -v "$tool" >/dev/null || { echo "$tool missing: skipped"; exit 77; }
done
[ -x "$launcher" ] || { echo "$launcher missing: skipped"; exit 77; }
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LUMOTRIX_ACCESSIBILITY_BUS=1
exec dbus-run-session -- bash -c '
  "$0" --launch-immediately &
  launcher=$!
  trap "kill $launcher 2>/dev/null" EXIT
  xvfb-run -a "$@"' "$launcher" "$@"
