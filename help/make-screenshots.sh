#!/bin/sh
# Remakes the guide's screenshots (help/images/) from the built program, under a private Xvfb
# display with openbox, a private home and the build's fonts. The AppStream metadata shows the
# same pictures. Run it by hand after the windows change and commit what it writes.
# Usage: help/make-screenshots.sh [BUILD_FOLDER] [DISPLAY_NUMBER]   (defaults: build, 77)
set -e
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
display=":${2:-77}"
images=$(pwd)/help/images
work=$(mktemp -d)
pids=""
cleanup() {
  for pid in $pids; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/home/config" "$work/home/runtime"
chmod 700 "$work/home/runtime"
cat > "$work/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <dir>$build/fonts</dir>
  <cachedir>$work/fontcache</cachedir>
</fontconfig>
CONF

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids="$pids $!"
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
pids="$pids $!"

env HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_RUNTIME_DIR="$work/home/runtime" \
  FONTCONFIG_FILE="$work/fonts.conf" LANG=ru_RU.UTF-8 LC_ALL= "$build/bin/morva" >/dev/null 2>&1 &
pids="$pids $!"
main=$(xdotool search --sync --onlyvisible --name '^Kovrak MORVA$' | head -n 1)
xdotool windowactivate --sync "$main"
sleep 1
xdotool type --delay 80 book
sleep 0.5
import -frame -window "$main" "PNG24:$images/main.png"

xdotool key Return
for _ in $(seq 50); do
  card=$(xdotool getactivewindow)
  [ "$card" != "$main" ] && break
  sleep 0.1
done
sleep 0.5
import -frame -window "$card" "PNG24:$images/card.png"
echo "Wrote $images/main.png and $images/card.png"
