#!/usr/bin/env bash
# Runs one end-to-end test script against the real program, through the accessibility bus, in a
# private X server and D-Bus session. Usage: run.sh <program> <script.py>
set -euo pipefail
prog=$(readlink -f "$1")
script=$(readlink -f "$2")
export QMAR_PROGRAM="$prog"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/run" HOME="$home"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
unset QT_QPA_PLATFORM
exec xvfb-run -a -s "-screen 0 1280x800x24" dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  sleep 0.5
  gsettings set org.gnome.desktop.interface toolkit-accessibility true 2>/dev/null || true
  /usr/bin/python3 "$0"' "$script"
