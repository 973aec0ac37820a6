#!/usr/bin/env bash
# Runs a command on its own Xvfb server, on a display number the server picks
# itself, and stops the server afterwards whatever the command's outcome.
set -euo pipefail

display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -f "$display_file"' EXIT

for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
if [ ! -s "$display_file" ]; then
  echo "Xvfb did not start" >&2
  exit 1
fi

DISPLAY=":$(head -n1 "$display_file")" QT_QPA_PLATFORM=xcb "$@"
