#!/bin/sh
# Builds everything, installs the two display fonts for the user and starts the program on the
# bundled sample dictionary.
set -e
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
cmake -S . -B build >/dev/null
cmake --build build -j "$(nproc)"
# Under sudo, the fonts belong to the user who asked, not to root.
if [ -n "$SUDO_USER" ] && [ "$SUDO_USER" != root ]; then
  sudo -u "$SUDO_USER" -H sh scripts/install-fonts.sh build
  exec sudo -u "$SUDO_USER" -H env DISPLAY="$DISPLAY" XAUTHORITY="$XAUTHORITY" WAYLAND_DISPLAY="$WAYLAND_DISPLAY" \
    XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" \
    LANG=ru_RU.UTF-8 build/bin/morva
fi
sh scripts/install-fonts.sh build
# The program insists on the Russian system language that its dictionary data was made for.
LANG=ru_RU.UTF-8 exec build/bin/morva
