#!/bin/sh
# Installs what the build, the program, the tests and the Debian package need on Debian 12.
# Only a missing package needs root: as root it runs apt-get itself, otherwise through sudo.
set -e
packages="cmake make g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-private-dev qt6-svg-dev libxcb1-dev libgl-dev libjpeg-dev fontconfig python3-fonttools fonts-dejavu-core
  fp-utils python3-chm desktop-file-utils appstream dpkg-dev file xdg-utils lintian weston qt6-wayland
  xvfb openbox trayer xdotool xclip x11-utils dbus-daemon
  libhunspell-dev hunspell-en-us hunspell-ru libstemmer-dev"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=""
elif command -v sudo >/dev/null 2>&1; then
  echo "install-deps.sh: installing$missing (sudo asks for your password)" >&2
  as_root="sudo"
else
  echo "install-deps.sh: these packages are missing:$missing" >&2
  echo "install-deps.sh: install them as root (apt-get install$missing), then run this again" >&2
  exit 1
fi
$as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
$as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
