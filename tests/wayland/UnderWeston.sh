#!/bin/sh
# Runs a command under a private headless weston: its socket and log go into the test's own
# runtime folder; the command gets WAYLAND_DISPLAY and Qt's Wayland platform. The compositor
# is ended when the command ends, however it ends.
set -eu
if ! command -v weston >/dev/null 2>&1 || ! command -v weston-debug >/dev/null 2>&1; then
  echo "UnderWeston.sh: weston is missing (sh scripts/install-deps.sh installs it)" >&2
  exit 1
fi
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
socket="morva-weston-$$"
log="$XDG_RUNTIME_DIR/weston.log"
# --debug lets the test read the scene graph: which windows the compositor shows.
weston --backend=headless-backend.so --socket="$socket" --width=1024 --height=768 --idle-time=0 --debug \
  >"$log" 2>&1 &
weston=$!
trap 'kill "$weston" 2>/dev/null || true; wait "$weston" 2>/dev/null || true' EXIT
trap 'exit 1' INT TERM

# Wait for the socket, at most 20 s.
tries=0
until [ -S "$XDG_RUNTIME_DIR/$socket" ]; do
  if ! kill -0 "$weston" 2>/dev/null || [ "$tries" -ge 400 ]; then
    echo "UnderWeston.sh: weston did not come up; its log:" >&2
    cat "$log" >&2
    exit 1
  fi
  tries=$((tries + 1))
  sleep 0.05
done

status=0
WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland "$@" || status=$?
exit "$status"
